// The runtime's numbers: extended precision, as scripts have always computed; how they are
// read from text and written back, and the faults of their arithmetic. Shared by the
// expression evaluator and every command that computes.
#pragma once
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace pirune {

using Number = long double;

// The numeric reading of a text: its longest numeric prefix, 0 when there is none.
Number StrToValue(std::string_view text);
// Plain digits after an optional minus, as most numbers arrive: read without the
// general machinery. False for anything else.
bool StrToInteger(std::string_view text, std::int64_t& out);

// A number as text: 15 significant digits, exponent form when fixed notation won't do.
std::string FormatNumber(Number n);
// Whether FormatNumber writes n with all its digits, as an integer.
bool WrittenAsInteger(Number n);
inline bool IntegerWrittenAsInteger(std::int64_t n) {
  constexpr std::int64_t kLimit = 1'000'000'000'000'000;  // 1e15, as above
  return n > -kLimit && n < kLimit;
}
// FormatNumber of an integer, written without going through floating point.
std::string FormatInteger(std::int64_t n);

// Truncation toward zero that leaves the x87 unit's rounding mode alone: a cast or trunc()
// of a long double switches that mode and back, a stall that costs more than the
// arithmetic around it. Whether the integer part of n fits an int64; and that part, when
// it does:
inline bool IntegerPartFitsInt64(Number n) { return n > -9223372036854775809.0L && n < 9223372036854775808.0L; }
// An integer no further than one from n, away from zero at most (n from 2^52 on).
std::int64_t NearLargeInt64(Number n);
inline std::int64_t TruncatedInt64(Number n) {
  constexpr Number kNearInDouble = 4503599627370496.0L;  // 2^52
  // Below 2^52, n as a double moves by less than one (in any rounding mode, never past an
  // integer toward zero), and the SSE unit truncates that. One step toward zero puts right
  // an integer either way reached beyond n.
  auto r = std::fabs(n) < kNearInDouble ? static_cast<std::int64_t>(static_cast<double>(n)) : NearLargeInt64(n);
  if (n >= 0 ? static_cast<Number>(r) > n : static_cast<Number>(r) < n) r += n >= 0 ? -1 : 1;
  return r;
}
// Whether the integer part of n is not zero (NaN's is taken as not zero).
inline bool TruncatesToNonZero(Number n) { return !(std::fabs(n) < 1); }

// The faults of arithmetic, in the words scripts have always seen; thrown as `Exception`.
extern const char kInvalidOperation[];
extern const char kDivisionByZero[];
extern const char kOverflow[];
extern const char kIntegerOverflow[];

// Throws the fault of a result that is not finite: NaN is an invalid operation,
// infinity an overflow.
[[noreturn]] void NotFinite(Number n);
// n itself when it is finite. (Inline: every result of arithmetic passes here, and a
// long double passed to a function goes through memory.)
inline Number Checked(Number n) {
  if (!std::isfinite(n)) NotFinite(n);
  return n;
}
// n truncated toward zero; beyond 64 bits it is an integer overflow.
std::int64_t TruncToInt64(Number n);
// base raised to exponent: integer exponents by repeated squaring, so they stay exact;
// 0 to a negative power divides by zero, a negative base to a fractional one is invalid.
Number Power(Number base, Number exponent);

}  // namespace pirune
