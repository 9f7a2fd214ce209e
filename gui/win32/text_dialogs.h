// The message and question dialogs: TfrmMsgBox ("言う"), TfrmInputBox ("尋ねる") and
// TfrmSelectDialog ("どれか尋ねる", "リストから選択"). Each shows its message and input in
// the text font and colour it is given and is placed by the dialog rectangle.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "gui/dialog_look.h"
#include "gui/win32/own_dialog.h"

namespace pirune {

// What every own dialog is made with.
struct DialogSetup {
  HWND owner = nullptr;
  std::wstring caption;
  HFONT font = nullptr;
  const DialogLook* look = nullptr;
};

class TfrmMsgBox final : public OwnDialog {
 public:
  // TEXT as "言う" prepared it (cut, tabs expanded); lines beyond 70% of the screen's
  // height are left out here, where the font's line height is known.
  static void Show(const DialogSetup& setup, const std::string& text);

 private:
  TfrmMsgBox(const DialogSetup& setup, const std::string& text);
  void Build() override;
  bool OnCommand(int id, int code, HWND control) override;

  const DialogSetup& setup_;
  const std::string& text_;
};

class TfrmInputBox final : public OwnDialog {
 public:
  static std::optional<std::wstring> Show(const DialogSetup& setup, const std::wstring& message,
                                          const std::wstring& initial);

  static constexpr int kEditId = 100;

 private:
  TfrmInputBox(const DialogSetup& setup, const std::wstring& message, const std::wstring& initial);
  void Build() override;
  bool OnCommand(int id, int code, HWND control) override;

  const DialogSetup& setup_;
  const std::wstring& message_;
  const std::wstring& initial_;
  std::optional<std::wstring> answer_;
};

class TfrmSelectDialog final : public OwnDialog {
 public:
  // FREE_TEXT: the result field may be edited ("どれか尋ねる"); otherwise it only shows
  // the item chosen.
  static std::optional<std::wstring> Show(const DialogSetup& setup, const std::wstring& message,
                                          const std::vector<std::wstring>& items, const std::wstring& initial,
                                          bool free_text);

  static constexpr int kListId = 100;
  static constexpr int kFieldId = 101;

 private:
  TfrmSelectDialog(const DialogSetup& setup, const std::wstring& message, const std::vector<std::wstring>& items,
                   const std::wstring& initial, bool free_text);
  void Build() override;
  bool OnCommand(int id, int code, HWND control) override;
  INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void CopySelection();

  const DialogSetup& setup_;
  const std::wstring& message_;
  const std::vector<std::wstring>& items_;
  const std::wstring& initial_;
  bool free_text_;
  std::optional<std::wstring> answer_;
};

// The text of a window.
std::wstring WindowText(HWND window);

}  // namespace pirune
