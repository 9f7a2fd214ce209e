// The pieces every dialog of ours is built from: a window class of its own name that
// keeps the dialog manager's behaviour, an empty in-memory template, and the owner's
// stay-on-top mode set aside while the dialog is up.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace pirune {

// A class named CLASS_NAME with DefDlgProc: default button, focus memory and keyboard
// interface as any dialog has them, under a name of ours.
bool RegisterDialogClass(HINSTANCE instance, const wchar_t* class_name);

// An in-memory dialog template with no controls: they are placed in pixels when the
// dialog starts, because dialog units would tie the layout to the system font.
std::vector<WORD> DialogTemplate(DWORD style, DWORD ex_style, const wchar_t* class_name, const std::wstring& caption);

// A stay-on-top owner would cover its own modal dialog on some systems; it becomes an
// ordinary window while the dialog is up and gets its mode back afterwards.
class OwnerNotTopmost {
 public:
  explicit OwnerNotTopmost(HWND owner);
  ~OwnerNotTopmost();
  OwnerNotTopmost(const OwnerNotTopmost&) = delete;
  OwnerNotTopmost& operator=(const OwnerNotTopmost&) = delete;

 private:
  HWND owner_ = nullptr;
};

}  // namespace pirune
