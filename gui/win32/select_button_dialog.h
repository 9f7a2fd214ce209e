// TfrmSelectButton: a message and one button per choice ("ボタンで選択", and the
// questions the runtime itself asks). Pressing a button answers its index; Escape and
// the close box answer -1.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "gui/win32/own_dialog.h"
#include "gui/win32/text_dialogs.h"

namespace pirune {

class TfrmSelectButton final : public OwnDialog {
 public:
  // The text font draws the message and the buttons' captions. At most
  // kMaxChoiceButtons choices are shown.
  static int Show(const DialogSetup& setup, const std::wstring& message, const std::vector<std::wstring>& choices);

  // The first button's control id; the others follow in order.
  static constexpr int kFirstButtonId = 1000;

 private:
  TfrmSelectButton(const DialogSetup& setup, const std::wstring& message, const std::vector<std::wstring>& choices);

  void Build() override;
  bool OnCommand(int id, int code, HWND control) override;

  const DialogSetup& setup_;
  HFONT font_;
  const std::wstring& message_;
  const std::vector<std::wstring>& choices_;
  int chosen_ = -1;
};

}  // namespace pirune
