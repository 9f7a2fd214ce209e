// Stepping over Shift_JIS text: a character is one byte, or a lead byte with the byte
// after it. Shared by the interpreter and the command families.
#pragma once
#include <cstddef>
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

}  // namespace pirune
