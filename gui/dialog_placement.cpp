#include "gui/dialog_placement.h"

#include <algorithm>

#include "platform/cp932.h"

namespace pirune {

WindowBox PlaceDialog(WindowBox box, const DialogRect& rect, int screen_width, int screen_height) {
  if (rect.left != 0 || rect.top != 0 || rect.right != 0) {
    if (rect.right > 0 && rect.bottom > 0) {
      box.width = static_cast<int>(std::clamp<long long>(rect.right - rect.left + 1, 1, screen_width));
      box.height = static_cast<int>(std::clamp<long long>(rect.bottom - rect.top + 1, 1, screen_height));
    }
    box.left = static_cast<int>(std::clamp<long long>(rect.left, -screen_width, screen_width));
    box.top = static_cast<int>(std::clamp<long long>(rect.top, -screen_height, screen_height));
    box.left = std::max(0, std::min(box.left, screen_width - box.width));
    box.top = std::max(0, std::min(box.top, screen_height - box.height));
  }
  return box;
}

std::vector<std::string> RectListItems(std::string_view list) {
  while (!list.empty() && list.front() == ' ') list.remove_prefix(1);
  while (!list.empty() && list.back() == ' ') list.remove_suffix(1);
  if (list.size() >= 2 && list.front() == '(' && list.back() == ')') list = list.substr(1, list.size() - 2);
  std::vector<std::string> items;
  if (list.empty()) return items;
  std::string item;
  int depth = 0;
  char quote = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const char c = list[i];
    if (cp932::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < list.size()) {
      const std::string_view pair = list.substr(i, 2);
      if (quote == 0 && (pair == "「" || pair == "『")) ++depth;
      if (quote == 0 && (pair == "」" || pair == "』") && depth > 0) --depth;
      item += pair;
      ++i;
      continue;
    }
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '`') {
      quote = c;
    } else if (c == '(' || c == '[' || c == '{') {
      ++depth;
    } else if ((c == ')' || c == ']' || c == '}') && depth > 0) {
      --depth;
    } else if (c == ',' && depth == 0) {
      items.push_back(item);
      item.clear();
      continue;
    }
    item += c;
  }
  items.push_back(item);
  return items;
}

}  // namespace pirune
