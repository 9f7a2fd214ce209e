#include "gui/select_button_layout.h"

#include <algorithm>
#include <cstdint>

namespace pirune {

namespace {
// Many wide choices can make the sums exceed an int before the window is limited.
int Truncated(double value) {
  return static_cast<int>(std::clamp(value, -2147483647.0, 2147483647.0));
}
}  // namespace

SelectButtonLayout LayOutSelectButtons(const SelectButtonMeasures& m) {
  SelectButtonLayout layout;
  const std::size_t count = std::min(m.choice_widths.size(), kMaxChoiceButtons);
  const int unit = 2 * m.z_height;
  int widest = 30;
  for (std::size_t i = 0; i < count; ++i) widest = std::max(widest, m.choice_widths[i]);
  const int button_width = Truncated(widest * 1.3);
  const int button_height = Truncated(unit * 0.8);

  int margin;
  if (m.label_width < button_width) {
    layout.client_width = button_width + 16;
    margin = 8;
  } else {
    layout.client_width = m.label_width + 16;
    margin = (layout.client_width - button_width) / 2;
  }

  const double row_width = static_cast<double>(count) * button_width * 1.1;
  if (m.main_window_width * 0.8 > row_width) {
    const int top = 2 * m.label_top + m.label_height;
    for (std::size_t i = 0; i < count; ++i)
      layout.buttons.push_back({Truncated(static_cast<double>(i) * button_width * 1.1 + 8), top, button_width,
                                button_height});
    layout.client_width = count == 1 ? button_width + 16 : Truncated(row_width + 16);
    layout.client_width = std::max(layout.client_width, m.label_left + m.label_width + 8);
    layout.client_height = unit + 2 * m.label_top + m.label_height;
  } else {
    layout.column = true;
    for (std::size_t i = 0; i < count; ++i)
      layout.buttons.push_back({margin, Truncated(m.label_height + 2.0 * m.label_top + static_cast<double>(i) * unit),
                                button_width, button_height});
    layout.client_height = Truncated(static_cast<double>(count) * unit + m.label_height + 2 * m.label_top);
  }
  return layout;
}

}  // namespace pirune
