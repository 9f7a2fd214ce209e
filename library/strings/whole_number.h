// Whole-number arguments of the string commands and the error for values out of range.
#pragma once
#include <cstdint>
#include <limits>

#include "engine/command_api.h"

namespace pirune {

// A value outside what the command can take.
[[noreturn]] inline void RangeError() { throw Exception("値が範囲外です。"); }

// The argument truncated toward zero; it must fit a signed 32-bit integer.
inline std::int64_t WholeNumber(TCommand& c, std::size_t slot) {
  Number n = c.Num(slot);
  if (!(n > std::numeric_limits<std::int32_t>::min() - 1.0L && n < std::numeric_limits<std::int32_t>::max() + 1.0L))
    RangeError();
  return static_cast<std::int64_t>(n);
}

}  // namespace pirune
