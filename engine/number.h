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
