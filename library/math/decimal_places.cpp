#include "library/math/decimal_places.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace pirune {
namespace {

constexpr std::int64_t kDigits = 15;

std::int64_t TenTo(std::int64_t k) {
  std::int64_t p = 1;
  while (k-- > 0) p *= 10;
  return p;
}

// |a| × 10^k, computed in two steps so that a factor beyond the exponent range of the
// type (tiny or huge a) never overflows on the way.
Number Scaled(Number a, std::int64_t k) {
  std::int64_t half = k / 2;
  return a * Power(10, static_cast<Number>(half)) * Power(10, static_cast<Number>(k - half));
}

// The 15 significant digits of |a| (an integer in [10^14, 10^15)) and the decimal exponent
// of the first one: |a| ≈ digits × 10^(exponent − 14).
void SignificantDigits(Number a, std::int64_t& digits, std::int64_t& exponent) {
  exponent = static_cast<std::int64_t>(std::floor(std::log10(a)));
  for (;;) {
    Number m = RoundHalfEven(Scaled(a, kDigits - 1 - exponent));
    if (m >= 1e15L) {
      ++exponent;
    } else if (m < 1e14L) {
      --exponent;
    } else {
      digits = static_cast<std::int64_t>(m);
      return;
    }
  }
}

// digits × 10^exponent, read as the exact decimal it is, so the one rounding is the
// conversion's own.
Number Decimal(std::int64_t digits, std::int64_t exponent) {
  std::string text = std::to_string(digits) + "e" + std::to_string(exponent);
  return std::strtold(text.c_str(), nullptr);
}

}  // namespace

Number RoundHalfEven(Number n) {
  Number whole = std::floor(n);
  Number rest = n - whole;
  if (rest > 0.5L || (rest == 0.5L && std::fmod(whole, 2.0L) != 0)) whole += 1;
  return whole;
}

Number ToDecimalPlaces(Number a, std::int64_t places, TPlaces how) {
  if (a == 0 || !std::isfinite(a)) return 0;
  bool negative = a < 0;
  std::int64_t digits, exponent;
  SignificantDigits(std::fabs(a), digits, exponent);
  // The digits that stay are those down to 10^−places: the first (exponent + places + 1).
  std::int64_t kept = exponent + places + 1;
  std::int64_t result;
  if (kept >= kDigits) {
    result = digits;
    places = kDigits - 1 - exponent;
  } else if (kept < 0) {
    return 0;
  } else {
    std::int64_t divisor = TenTo(kDigits - kept);
    result = digits / divisor;
    std::int64_t rest = digits % divisor;
    if (how == TPlaces::HalfEven && (2 * rest > divisor || (2 * rest == divisor && result % 2 != 0))) ++result;
  }
  if (result == 0) return 0;
  return Decimal(negative ? -result : result, -places);
}

}  // namespace pirune
