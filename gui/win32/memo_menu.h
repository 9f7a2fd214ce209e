// The context menu of the memo dialog's text: "元に戻す", "コピー", "切り取り",
// "貼り付け" and "全て選択" with their shortcuts beside them, in place of the edit
// control's own menu, whose texts are in the system's language.
#pragma once
#include <windows.h>

namespace pirune {

// Gives the multi-line EDIT control that menu (by the right button, Shift+F10 or the
// menu key), and Ctrl+A, which the menu names but not every system's control obeys,
// until the control is destroyed.
void UseMemoMenu(HWND edit);

}  // namespace pirune
