// Walking Shift_JIS text: a character is one byte, or a lead byte with the byte after it.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/cp932.h"

namespace pirune {

using cp932::IsLeadByte;

// Length in bytes of the character starting at i (1 or 2; 1 for a lead byte at the end).
inline std::size_t CharLength(std::string_view s, std::size_t i) {
  return (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

// Whether a character starts at p: the lead-range bytes right before p pair up.
inline bool IsCharBoundary(std::string_view s, std::size_t p) {
  std::size_t k = 0;
  while (p > k && IsLeadByte(static_cast<unsigned char>(s[p - k - 1]))) ++k;
  return k % 2 == 0;
}

// Whether s is enclosed in back quotes (the last one a character of its own).
inline bool IsBackQuoted(std::string_view s) {
  return s.size() >= 2 && s.front() == '`' && s.back() == '`' && IsCharBoundary(s, s.size() - 1);
}

// s without its enclosing back quotes, when it has them.
inline std::string WithoutBackQuotes(std::string_view s) {
  return std::string(IsBackQuoted(s) ? s.substr(1, s.size() - 2) : s);
}

// Whether s ends with the characters c, aligned on a character boundary.
bool EndsWithChar(std::string_view s, std::string_view c);

// s without blanks (space, tab, CR, LF and control bytes) at either end.
std::string Trim(std::string_view s);

}  // namespace pirune
