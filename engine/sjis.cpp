#include "engine/sjis.h"

namespace pirune {

bool EndsWithChar(std::string_view s, std::string_view c) {
  if (c.empty() || s.size() < c.size()) return false;
  std::size_t at = s.size() - c.size();
  return s.substr(at) == c && IsCharBoundary(s, at);
}

std::string Trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return std::string(s.substr(b, e - b));
}

}  // namespace pirune
