// The pieces every dialog of ours is built from: a window class of its own name that
// keeps the dialog manager's behaviour, an empty in-memory template, the window made
// from them, and the modal showing with its message loop.
#pragma once
#include <windows.h>

#include <functional>
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

// The dialog window of CLASS_NAME (registered here if need be) with STYLE and CAPTION,
// owned by OWNER; PROC gets PARAM with WM_INITDIALOG and lays the dialog out then.
// Null when the window could not be made.
HWND CreateDialogWindow(HWND owner, const wchar_t* class_name, DWORD style, const std::wstring& caption,
                        DLGPROC proc, LPARAM param);

// DIALOG shown modally over OWNER (null: none) for the life of this object: the owner
// takes no input meanwhile and the dialog comes to the front. At the end the owner is
// enabled before the dialog is destroyed, so that activation returns to it and not to
// some other program's window, and the focus goes back where it was.
class ModalShowing {
 public:
  ModalShowing(HWND dialog, HWND owner);
  ~ModalShowing();
  ModalShowing(const ModalShowing&) = delete;
  ModalShowing& operator=(const ModalShowing&) = delete;

 private:
  HWND dialog_;
  HWND owner_;
  HWND previous_focus_;
  // An owner already disabled by someone else (an outer dialog) is left for them.
  bool disable_owner_;
  OwnerNotTopmost not_topmost_;
};

// Runs the messages of every window until DONE answers true, the dialog's keys through
// the dialog manager; FILTER, when given, sees each message first and answers true for
// one it has dealt with. So the main window keeps painting and events reach their
// handlers while the dialog is up. False when the program is being ended: the quit
// message is then left for the outer loop.
bool RunDialogMessages(HWND dialog, const std::function<bool()>& done,
                       const std::function<bool(const MSG&)>& filter = {});

}  // namespace pirune
