// TfrmSelectButton: a message and one button per choice ("ボタンで選択", and the
// questions the runtime itself asks). Pressing a button answers its index; Escape and
// the close box answer -1.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "gui/win32/own_dialog.h"

namespace pirune {

class TfrmSelectButton final : public OwnDialog {
 public:
  // TEXT_FONT draws the message and the buttons' captions; CAPTION is the title bar's.
  // At most kMaxChoiceButtons choices are shown.
  static int Show(HWND owner, const std::wstring& caption, HFONT text_font, const std::wstring& message,
                  const std::vector<std::wstring>& choices);

  // The first button's control id; the others follow in order.
  static constexpr int kFirstButtonId = 1000;

 private:
  TfrmSelectButton(HWND owner, HFONT text_font, const std::wstring& message, const std::vector<std::wstring>& choices);

  void Build() override;
  bool OnCommand(int id, int code, HWND control) override;

  HFONT font_;
  const std::wstring& message_;
  const std::vector<std::wstring>& choices_;
  int chosen_ = -1;
};

}  // namespace pirune
