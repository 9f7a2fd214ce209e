#include "engine/number.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/conv_to_half.h"
#include "engine/errors.h"
#include "engine/fast_paths.h"
#include "engine/reader.h"
#include "engine/sjis.h"

namespace pirune {

const char kInvalidOperation[] = "浮動小数点数の不正な演算です。";
const char kDivisionByZero[] = "浮動小数点数を0で割りました。";
const char kOverflow[] = "数値が大きすぎます。";
const char kIntegerOverflow[] = "整数のオーバーフローです。";

void NotFinite(Number n) {
  if (std::isnan(n)) throw Exception(kInvalidOperation);
  throw Exception(kOverflow);
}

std::int64_t NearLargeInt64(Number n) {
  constexpr Number kNearestFits = 4611686018427387904.0L;  // 2^62
  // Rounded whatever the rounding mode is; from 2^62 on, where rounding could leave the
  // range, the cast truncates (and switches the mode: numbers this large are rare).
  return std::fabs(n) < kNearestFits ? std::llrint(n) : static_cast<std::int64_t>(n);
}

std::int64_t TruncToInt64(Number n) {
  if (!IntegerPartFitsInt64(n)) throw Exception(kIntegerOverflow);
  return TruncatedInt64(n);
}

Number Power(Number base, Number exponent) {
  if (exponent == 0) return 1;
  if (exponent == std::trunc(exponent) && std::fabs(exponent) <= 2147483647.0L) {
    std::int64_t e = static_cast<std::int64_t>(exponent);
    bool negative = e < 0;
    if (negative) e = -e;
    Number result = 1, b = base;
    while (e) {
      if (e & 1) result *= b;
      b *= b;
      e >>= 1;
    }
    if (negative) {
      if (result == 0) throw Exception(kDivisionByZero);
      result = 1 / result;
    }
    return result;
  }
  if (base < 0) throw Exception(kInvalidOperation);
  if (base == 0) {
    if (exponent > 0) return 0;
    throw Exception(kDivisionByZero);
  }
  return std::exp(exponent * std::log(base));
}
namespace {

// Where an exponent ends that FormatNumber writes behind a one-digit mantissa without a
// point ("1E20", "-5E-7"), or `at` itself when none stands there. The exponent otherwise
// counts only after a point, but the numbers the runtime writes must read back.
std::size_t WrittenExponentEnd(const std::string& s, std::size_t at) {
  if (at >= s.size() || s[at] != 'E') return at;
  std::size_t e = at + 1;
  bool negative = e < s.size() && s[e] == '-';
  if (negative) ++e;
  std::size_t first = e;
  int exponent = 0;
  for (; e < s.size() && IsDigit(static_cast<unsigned char>(s[e])); ++e)
    if (exponent < 100000) exponent = exponent * 10 + (s[e] - '0');
  if (e == first) return at;
  bool written_so = negative ? exponent > 5 : exponent >= 15;  // FormatNumber's own limits
  return written_so ? e : at;
}

}  // namespace

bool StrToInteger(std::string_view text, std::int64_t& out) {
  if (text.empty() || text.size() > 18) return false;
  std::size_t i = text[0] == '-' ? 1 : 0;
  if (i == text.size()) return false;
  std::int64_t v = 0;
  for (std::size_t k = i; k < text.size(); ++k) {
    unsigned char d = static_cast<unsigned char>(text[k]);
    if (!IsDigit(d)) return false;
    v = v * 10 + (d - '0');
  }
  out = i ? -v : v;
  return true;
}

Number StrToValue(std::string_view text) {
  // Most numbers arrive as plain digits: read those without the general machinery.
  std::int64_t integer;
  if (FastPathsOn() && StrToInteger(text, integer)) return static_cast<Number>(integer);
  std::string t = Trim(text);
  if (t.empty()) return 0;
  if (t.size() > 254) t.resize(254);
  t = TConvToHalf::Text(t);
  std::string s;
  for (char ch : t)
    if (ch != ',') s += ch;
  s = Trim(s);
  if (!s.empty() && s[0] == '$') {
    std::string digits = s.substr(1);
    if (digits.empty() || digits.size() > 8) return 0;
    char* end = nullptr;
    unsigned long v = std::strtoul(digits.c_str(), &end, 16);
    if (*end != '\0') return 0;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
  }
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits_start = i;
  while (i < s.size() && IsDigit(static_cast<unsigned char>(s[i]))) ++i;
  bool any_digit = i > digits_start;
  if (i < s.size() && s[i] == '.') {
    std::size_t frac = i + 1;
    while (frac < s.size() && IsDigit(static_cast<unsigned char>(s[frac]))) ++frac;
    if (frac > i + 1 || any_digit) {
      any_digit = any_digit || frac > i + 1;
      i = frac;
      if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t e = i + 1;
        if (e < s.size() && (s[e] == '+' || s[e] == '-')) ++e;
        std::size_t exp_digits = e;
        while (e < s.size() && IsDigit(static_cast<unsigned char>(s[e]))) ++e;
        if (e > exp_digits) i = e;
      }
    }
  } else if (i == digits_start + 1 && s[digits_start] != '0') {
    i = WrittenExponentEnd(s, i);
  }
  if (!any_digit) return 0;
  Number v = std::strtold(s.substr(0, i).c_str(), nullptr);
  return std::isfinite(v) ? v : 0;
}

bool WrittenAsInteger(Number n) { return std::fabs(n) < 1e15L && static_cast<Number>(TruncatedInt64(n)) == n; }

std::string FormatInteger(std::int64_t n) {
  if (!IntegerWrittenAsInteger(n)) return FormatNumber(static_cast<Number>(n));
  char buf[24];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, n);
  return std::string(buf, end);
}

std::string FormatNumber(Number n) {
  if (n == 0) return "0";
  if (WrittenAsInteger(n)) return FormatInteger(TruncatedInt64(n));
  if (!std::isfinite(n)) return "0";  // never computed: every operation checks its result
  // The digits are written from a double; numbers beyond its range (our numbers reach
  // 1E4932) are brought into it by a power of ten that is added to the exponent.
  int scaled = 0;
  Number magnitude = std::fabs(n);
  if (magnitude > 1e300L || magnitude < 1e-300L) {
    scaled = static_cast<int>(std::floor(std::log10(magnitude)));
    n /= std::pow(10.0L, static_cast<Number>(scaled));
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", static_cast<double>(n));
  // buf: [-]d.dddddddddddddde[+-]xx
  std::string s(buf);
  std::size_t e_pos = s.find('e');
  int exponent = std::atoi(s.c_str() + e_pos + 1) + scaled;
  bool negative = s[0] == '-';
  std::string digits;
  for (std::size_t k = negative ? 1 : 0; k < e_pos; ++k)
    if (s[k] != '.') digits += s[k];
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out = negative ? "-" : "";
  if (exponent >= 15 || exponent < -5) {
    out += digits[0];
    if (digits.size() > 1) out += "." + digits.substr(1);
    out += "E" + std::to_string(exponent);
  } else if (exponent < 0) {
    out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  } else if (static_cast<int>(digits.size()) <= exponent + 1) {
    out += digits + std::string(static_cast<std::size_t>(exponent + 1) - digits.size(), '0');
  } else {
    out += digits.substr(0, static_cast<std::size_t>(exponent) + 1) + "." + digits.substr(static_cast<std::size_t>(exponent) + 1);
  }
  return out;
}

}  // namespace pirune
