// Where the buttons of "ボタンで選択" go: a row when they fit in most of the main
// window's width, a column otherwise. Pure arithmetic on measured text sizes, so the
// Windows dialog and the unit tests share it.
#pragma once
#include <cstddef>
#include <vector>

namespace pirune {

// At most this many buttons; later choices are dropped.
inline constexpr std::size_t kMaxChoiceButtons = 50;

struct ButtonBox {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const ButtonBox&) const = default;
};

struct SelectButtonMeasures {
  int label_left = 8, label_top = 8;
  int label_width = 0, label_height = 0;
  int z_height = 0;               // the label font's height of "Z"
  std::vector<int> choice_widths;  // each choice's text width in that font
  int main_window_width = 0;
};

struct SelectButtonLayout {
  int client_width = 0, client_height = 0;
  std::vector<ButtonBox> buttons;
  // A column of buttons may be taller than the screen: then the window's top is kept
  // on it, so its caption can still be reached.
  bool column = false;
};

SelectButtonLayout LayOutSelectButtons(const SelectButtonMeasures& m);

}  // namespace pirune
