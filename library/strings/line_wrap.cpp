#include "library/strings/line_wrap.h"

#include "library/strings/text_model.h"

namespace pirune {

std::string WrapLines(std::string_view s, std::int64_t width, std::int64_t tab, std::string_view no_line_start) {
  std::string out;
  std::int64_t column = 0;
  std::size_t i = 0;
  auto line_break = [&] {
    if (!no_line_start.empty() && i < s.size()) {
      std::size_t length = CharLength(s, i);
      if (text::FindAligned(no_line_start, s.substr(i, length)) != text::npos) {
        out.append(s.substr(i, length));
        i += length;
      }
    }
    out += "\r\n";
    column = 0;
  };
  while (i < s.size()) {
    if (CharLength(s, i) == 2 ? column + 2 > width : column >= width) line_break();
    if (i >= s.size()) break;
    const std::size_t length = CharLength(s, i);
    const char c = s[i];
    if (length == 1 && (c == '\r' || c == '\n')) {
      ++i;
      if (i < s.size() && (s[i] == '\r' || s[i] == '\n')) ++i;
      line_break();
      continue;
    }
    out.append(s.substr(i, length));
    column += length == 2 ? 2 : c == '\t' ? tab : 1;
    i += length;
  }
  return out;
}

}  // namespace pirune
