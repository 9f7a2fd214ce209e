// Where the script's own dialogs appear: centred on the screen, or where the dialog
// rectangle of "ダイアログサイズ設定" puts them, and always on the screen.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace pirune {

// Left, Top, Right, Bottom; all zero: no rectangle (dialogs centred).
struct DialogRect {
  long long left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const DialogRect&) const = default;
};

struct WindowBox {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const WindowBox&) const = default;
};

// The window as laid out and centred (BOX) moved and sized by RECT: with Left, Top and
// Right all 0 it stays; otherwise its corner goes to (Left, Top), and when Right and
// Bottom are both positive its size becomes Right - Left + 1 by Bottom - Top + 1. A
// rectangle that would put the window off the screen or make it larger than the screen
// is kept within it, so the dialog can always be seen and answered.
WindowBox PlaceDialog(WindowBox box, const DialogRect& rect, int screen_width, int screen_height);

// The items of a rectangle list: "x,y", "(x1,y1,x2,y2)" and the like, cut at the commas
// that stand outside brackets and quotes, the enclosing parentheses removed first.
std::vector<std::string> RectListItems(std::string_view list);

}  // namespace pirune
