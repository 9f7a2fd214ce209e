// Walking Shift_JIS text: a character is one byte, or a lead byte with the byte after it.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/sjis_walk.h"

namespace pirune {

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
