#include "gui/say_text.h"

#include <algorithm>

#include "platform/cp932.h"

namespace pirune {

namespace {
constexpr std::size_t kLongestSaid = 4095;
}

std::string SayText(std::string_view text, long long tab_width) {
  const int width = static_cast<int>(std::clamp<long long>(tab_width, 1, 256));
  bool cut = false;
  if (text.size() > kLongestSaid) {
    std::size_t end = 0;
    while (end < kLongestSaid) {
      const std::size_t step = cp932::IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
      if (end + step > kLongestSaid) break;
      end += step;
    }
    text = text.substr(0, end);
    cut = true;
  }
  std::string out;
  out.reserve(text.size() + 8);
  int column = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (cp932::IsLeadByte(c) && i + 1 < text.size()) {
      out += text.substr(i, 2);
      ++i;
      column += 2;
    } else if (c == '\t') {
      const int spaces = width - column % width;
      out.append(static_cast<std::size_t>(spaces), ' ');
      column += spaces;
    } else if (c == '\r' || c == '\n') {
      out += "\r\n";
      column = 0;
      if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != text[i]) ++i;
    } else {
      out += static_cast<char>(c);
      ++column;
    }
  }
  if (cut) out += "...";
  return out;
}

std::string FitSayLines(const std::string& text, int height_limit, int line_height) {
  if (line_height <= 0) return text;
  std::size_t lines = 1;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
  if (static_cast<long long>(lines) * line_height <= height_limit) return text;
  const int fit = std::max(height_limit, 0) / line_height;
  std::string out;
  std::size_t start = 0;
  for (int i = 0; i < fit; ++i) {
    const std::size_t end = text.find("\r\n", start);
    out.append(text, start, end - start);
    out += "\r\n";
    start = end + 2;
  }
  return out + "...";
}

}  // namespace pirune
