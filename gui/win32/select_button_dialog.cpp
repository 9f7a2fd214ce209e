#include "gui/win32/select_button_dialog.h"

#include <algorithm>

#include "gui/select_button_layout.h"

namespace pirune {

namespace {
constexpr int kLabelLeft = 8;
constexpr int kLabelTop = 8;
}  // namespace

int TfrmSelectButton::Show(const DialogSetup& setup, const std::wstring& message,
                           const std::vector<std::wstring>& choices) {
  TfrmSelectButton dialog(setup, message, choices);
  if (!dialog.RunModal(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK, setup.caption)) return -1;
  return dialog.chosen_;
}

TfrmSelectButton::TfrmSelectButton(const DialogSetup& setup, const std::wstring& message,
                                   const std::vector<std::wstring>& choices)
    : OwnDialog(setup.owner, L"TfrmSelectButton"),
      setup_(setup),
      font_(setup.font),
      message_(message),
      choices_(choices) {}

void TfrmSelectButton::Build() {
  SelectButtonMeasures measures;
  measures.label_left = kLabelLeft;
  measures.label_top = kLabelTop;
  const SIZE label = TextBlockSize(font_, message_);
  measures.label_width = label.cx;
  measures.label_height = label.cy;
  measures.z_height = TextLineSize(font_, L"Z").cy;
  const std::size_t count = std::min(choices_.size(), kMaxChoiceButtons);
  for (std::size_t i = 0; i < count; ++i) measures.choice_widths.push_back(TextLineSize(font_, choices_[i]).cx);
  measures.main_window_width = OwnerWidth(Owner());
  const SelectButtonLayout layout = LayOutSelectButtons(measures);

  AddControl(L"STATIC", message_, SS_LEFT | SS_NOPREFIX, 0, -1, kLabelLeft, kLabelTop, label.cx, label.cy, font_);
  HWND first = nullptr;
  for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
    const ButtonBox& box = layout.buttons[i];
    HWND button = AddControl(L"BUTTON", choices_[i], WS_TABSTOP | BS_PUSHBUTTON, 0,
                             kFirstButtonId + static_cast<int>(i), box.left, box.top, box.width, box.height, font_);
    if (!first) first = button;
  }
  SetInitialFocus(first);
  SetTextColour(setup_.look->colour);
  SetClientSize(layout.client_width, layout.client_height);
  PlaceOnScreen(setup_.look->rect, layout.column);
}

bool TfrmSelectButton::OnCommand(int id, int code, HWND) {
  if (id == IDCANCEL) {  // Escape
    End();
    return true;
  }
  const int index = id - kFirstButtonId;
  if (code == BN_CLICKED && index >= 0 && index < static_cast<int>(choices_.size())) {
    chosen_ = index;
    End();
    return true;
  }
  return false;
}

}  // namespace pirune
