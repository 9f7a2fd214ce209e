// The layout arithmetic of the message, question and list dialogs: where the controls
// go for a message of a measured size. Margins are the label's top, 8 pixels.
#pragma once
#include "gui/select_button_layout.h"

namespace pirune {

inline constexpr int kDialogMargin = 8;

// "言う": the message and an OK button (75 × 25) centred under it, its top never below
// HEIGHT_LIMIT; at least 100 wide.
struct MsgBoxLayout {
  int client_width = 0, client_height = 0;
  ButtonBox ok;
};
MsgBoxLayout LayOutMsgBox(int label_width, int label_height, int height_limit);

// "尋ねる": the message, the edit (EDIT_HEIGHT high) and the OK and cancel buttons
// (81 × 25, 88 apart) in a centred panel 169 wide; at least 300 wide.
struct InputBoxLayout {
  int client_width = 0, client_height = 0;
  ButtonBox edit, ok, cancel;
};
InputBoxLayout LayOutInputBox(int label_width, int label_height, int edit_height);

// "どれか尋ねる" and "リストから選択": the message, the list (169 high), the result field
// and the OK and cancel buttons (81 × 25, 96 apart), centred; at least 280 wide.
struct SelectDialogLayout {
  int client_width = 0, client_height = 0;
  ButtonBox list, field, ok, cancel;
};
SelectDialogLayout LayOutSelectDialog(int label_width, int label_height, int edit_height);

}  // namespace pirune
