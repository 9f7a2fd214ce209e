#include "gui/dialog_layout.h"

#include <algorithm>

namespace pirune {

namespace {
constexpr int kMargin = kDialogMargin;
}

MsgBoxLayout LayOutMsgBox(int label_width, int label_height, int height_limit) {
  MsgBoxLayout layout;
  const int top = std::min(kMargin + label_height + kMargin, height_limit);
  layout.client_width = std::max(label_width + 2 * kMargin, 100);
  layout.ok = {(layout.client_width - 75) / 2, top, 75, 25};
  layout.client_height = top + 25 + kMargin;
  return layout;
}

InputBoxLayout LayOutInputBox(int label_width, int label_height, int edit_height) {
  InputBoxLayout layout;
  layout.client_width = std::max(label_width + 2 * kMargin, 300);
  const int edit_top = kMargin + label_height + kMargin;
  layout.edit = {kMargin, edit_top, layout.client_width - 2 * kMargin, edit_height};
  const int panel_top = edit_top + edit_height + kMargin;
  const int panel_left = (layout.client_width - 169) / 2;
  layout.ok = {panel_left, panel_top, 81, 25};
  layout.cancel = {panel_left + 88, panel_top, 81, 25};
  layout.client_height = panel_top + 25 + kMargin;
  return layout;
}

SelectDialogLayout LayOutSelectDialog(int label_width, int label_height, int edit_height) {
  SelectDialogLayout layout;
  layout.client_width = std::max(label_width + 2 * kMargin, 280);
  const int list_top = label_height + 2 * kMargin;
  layout.list = {kMargin, list_top, layout.client_width - 2 * kMargin, 169};
  const int field_top = list_top + 169 + kMargin;
  layout.field = {kMargin, field_top, layout.client_width - 2 * kMargin, edit_height};
  const int panel_top = field_top + edit_height + kMargin;
  const int panel_left = (layout.client_width - (96 + 81)) / 2;
  layout.ok = {panel_left, panel_top, 81, 25};
  layout.cancel = {panel_left + 96, panel_top, 81, 25};
  layout.client_height = panel_top + 25 + kMargin;
  return layout;
}

}  // namespace pirune
