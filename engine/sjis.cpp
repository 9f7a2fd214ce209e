#include "engine/sjis.h"

namespace pirune {

std::size_t LastCharOffset(std::string_view s) {
  std::size_t i = 0, last = 0;
  while (i < s.size()) {
    last = i;
    i += CharLength(s, i);
  }
  return last;
}

bool EndsWithChar(std::string_view s, std::string_view c) {
  if (s.size() < c.size() || s.empty()) return false;
  std::size_t last = LastCharOffset(s);
  return s.substr(last) == c;
}

std::string Trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return std::string(s.substr(b, e - b));
}

}  // namespace pirune
