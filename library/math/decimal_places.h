// Numbers cut or rounded to a number of decimal places, as a person reading the written
// number expects: 9.23 cut at 2 places is 9.23, although its binary value lies just below.
#pragma once
#include <cstdint>

#include "engine/command_api.h"

namespace pirune {

enum class TPlaces { Truncate, HalfEven };

// a to `places` decimal places (negative: tens, hundreds …). a is first taken to the 15
// significant digits numbers are written with; halves go to the even neighbour.
Number ToDecimalPlaces(Number a, std::int64_t places, TPlaces how);

// n rounded to an integer, halves to the even neighbour.
Number RoundHalfEven(Number n);

}  // namespace pirune
