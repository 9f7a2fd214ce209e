#include "library/strings/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace pirune {
namespace {

// A number as decimal digits: 0.d1d2d3… × 10^exponent. Eighteen significant digits are
// taken, as many as the runtime's numbers carry, and rounding is done on those digits,
// half away from zero, so 2.675 shows as 2.68 although its binary value lies below.
struct Decimal {
  bool negative = false;
  std::string digits;  // no leading zeros; empty for zero
  int exponent = 0;
};

Decimal ToDecimal(Number v) {
  Decimal d;
  d.negative = std::signbit(v);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17Le", std::fabs(v));
  // d.ddddddddddddddddde±x
  std::string text = buffer;
  std::size_t e = text.find('e');
  for (std::size_t i = 0; i < e; ++i)
    if (text[i] != '.') d.digits += text[i];
  d.exponent = std::atoi(text.c_str() + e + 1) + 1;
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.exponent = 0;
  return d;
}

// Keeps `count` significant digits (count may be 0 or less: everything rounds away).
void RoundDigits(Decimal& d, int count) {
  if (count < 0) count = 0;
  if (static_cast<int>(d.digits.size()) <= count) return;
  const bool up = d.digits[count] >= '5';
  d.digits.resize(count);
  if (up) {
    int i = count - 1;
    while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
    if (i < 0) {
      d.digits.insert(d.digits.begin(), '1');
      ++d.exponent;
    } else {
      ++d.digits[i];
    }
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.exponent = 0;
}

void RoundDecimals(Decimal& d, int decimals) { RoundDigits(d, d.exponent + decimals); }

char DigitAt(const Decimal& d, int k) {  // k: 0 is the first significant place
  return k >= 0 && k < static_cast<int>(d.digits.size()) ? d.digits[k] : '0';
}

// Fixed notation with `decimals` decimals, thousands separated by "," when asked.
std::string Fixed(Decimal d, int decimals, bool thousands) {
  RoundDecimals(d, decimals);
  std::string integral;
  for (int k = 0; k < d.exponent; ++k) integral += DigitAt(d, k);
  if (integral.empty()) integral = "0";
  if (thousands)
    for (int at = static_cast<int>(integral.size()) - 3; at > 0; at -= 3) integral.insert(at, ",");
  std::string out = (d.negative && !d.digits.empty() ? "-" : "") + integral;
  if (decimals > 0) {
    out += '.';
    for (int k = 0; k < decimals; ++k) out += DigitAt(d, d.exponent + k);
  }
  return out;
}

std::string Exponent(int e, int min_digits) {
  std::string digits = std::to_string(std::abs(e));
  while (static_cast<int>(digits.size()) < min_digits) digits.insert(0, "0");
  return std::string(e < 0 ? "E-" : "E+") + digits;
}

// Scientific notation with `precision` significant digits: d.ddd…E+ddd.
std::string Scientific(Decimal d, int precision) {
  RoundDigits(d, precision);
  std::string out = d.negative && !d.digits.empty() ? "-" : "";
  out += DigitAt(d, 0);
  if (precision > 1) out += '.';
  for (int k = 1; k < precision; ++k) out += DigitAt(d, k);
  return out + Exponent(d.digits.empty() ? 0 : d.exponent - 1, 3);
}

// The shortest of fixed and scientific notation, up to `precision` significant digits.
std::string General(Decimal d, int precision) {
  RoundDigits(d, precision);
  std::string out = d.negative && !d.digits.empty() ? "-" : "";
  if (d.digits.empty()) return "0";
  const int n = static_cast<int>(d.digits.size());
  if (d.exponent > precision || d.exponent < -3) {
    out += d.digits[0];
    if (n > 1) out += "." + d.digits.substr(1);
    return out + Exponent(d.exponent - 1, 0);
  }
  if (d.exponent <= 0) return out + "0." + std::string(-d.exponent, '0') + d.digits;
  for (int k = 0; k < d.exponent; ++k) out += DigitAt(d, k);
  if (n > d.exponent) out += "." + d.digits.substr(d.exponent);
  return out;
}

std::string Hex(std::uint64_t n) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  do {
    out.insert(out.begin(), digits[n % 16]);
    n /= 16;
  } while (n);
  return out;
}

// Zeros put in after the sign until there are `precision` digits.
std::string MinimumDigits(std::string number, int precision) {
  std::size_t sign = !number.empty() && number[0] == '-' ? 1 : 0;
  while (static_cast<int>(number.size() - sign) < precision) number.insert(sign, "0");
  return number;
}

// The money form of a Japanese system: the yen sign (a backslash in Shift_JIS) before
// the number, no decimals.
std::string Money(Decimal d, int decimals) {
  std::string number = Fixed(d, decimals, true);
  if (number[0] == '-') return "-\\" + number.substr(1);
  return "\\" + number;
}

class Formatter {
 public:
  Formatter(std::string_view format, const FormatValue& value) : f_(format), value_(value) {}

  std::optional<std::string> Run() {
    std::string out;
    std::size_t i = 0;
    while (i < f_.size()) {
      std::size_t percent = f_.find('%', i);
      if (percent == std::string_view::npos) percent = f_.size();
      out.append(f_.substr(i, percent - i));
      i = percent;
      if (i == f_.size()) break;
      if (++i == f_.size()) return std::nullopt;
      if (f_[i] == '%') {
        out += '%';
        ++i;
        continue;
      }
      std::optional<std::string> piece = Directive(i);
      if (!piece) return std::nullopt;
      out += *piece;
    }
    return out;
  }

 private:
  // A count written in digits or "*" (taken from the values); -1 when absent.
  bool Count(std::size_t& i, int& n) {
    n = -1;
    if (i < f_.size() && f_[i] == '*') {
      ++i;
      const std::int64_t* v = Next<std::int64_t>();
      if (!v || *v < -1000000 || *v > 1000000) return false;
      n = static_cast<int>(*v);
      return true;
    }
    while (i < f_.size() && f_[i] >= '0' && f_[i] <= '9') {
      n = (n < 0 ? 0 : n) * 10 + (f_[i++] - '0');
      if (n > 1000000) return false;
    }
    return true;
  }

  template <class T>
  const T* Next() {
    if (used_ > 0) return nullptr;
    ++used_;
    return std::get_if<T>(&value_);
  }

  std::optional<std::string> Directive(std::size_t& i) {
    // An argument index (only 0 exists) and ":".
    std::size_t colon = i;
    while (colon < f_.size() && f_[colon] >= '0' && f_[colon] <= '9') ++colon;
    if (colon < f_.size() && f_[colon] == ':') {
      if (colon == i || std::atoi(std::string(f_.substr(i, colon - i)).c_str()) != 0) return std::nullopt;
      used_ = 0;
      i = colon + 1;
    }
    const bool left = i < f_.size() && f_[i] == '-';
    if (left) ++i;
    int width, precision = -1;
    if (!Count(i, width)) return std::nullopt;
    if (i < f_.size() && f_[i] == '.') {
      ++i;
      if (!Count(i, precision)) return std::nullopt;
      if (precision < 0) precision = 0;
    }
    if (i == f_.size()) return std::nullopt;
    char type = f_[i++];
    if (type >= 'A' && type <= 'Z') type = static_cast<char>(type - 'A' + 'a');
    std::optional<std::string> body = Body(type, precision);
    if (!body) return std::nullopt;
    if (width > 0 && static_cast<int>(body->size()) < width)
      body->insert(left ? body->end() : body->begin(), width - body->size(), ' ');
    return body;
  }

  std::optional<std::string> Body(char type, int precision) {
    switch (type) {
      case 'd':
      case 'u':
      case 'x': {
        const std::int64_t* v = Next<std::int64_t>();
        if (!v) return std::nullopt;
        std::string digits = type == 'd'   ? std::to_string(*v)
                             : type == 'u' ? std::to_string(static_cast<std::uint64_t>(*v))
                                           : Hex(static_cast<std::uint64_t>(*v));
        return MinimumDigits(digits, precision);
      }
      case 'e':
      case 'f':
      case 'g':
      case 'n':
      case 'm': {
        const Number* v = Next<Number>();
        if (!v || !std::isfinite(*v)) return std::nullopt;
        Decimal d = ToDecimal(*v);
        if (type == 'e') return Scientific(d, precision < 0 ? 15 : precision == 0 ? 1 : precision);
        if (type == 'g') return General(d, precision <= 0 || precision > 18 ? 15 : precision);
        if (type == 'm') return Money(d, precision < 0 ? 0 : precision);
        return Fixed(d, precision < 0 ? 2 : precision, type == 'n');
      }
      case 's': {
        const std::string* v = Next<std::string>();
        if (!v) return std::nullopt;
        return precision >= 0 && static_cast<std::size_t>(precision) < v->size() ? v->substr(0, precision) : *v;
      }
      default:  // "p" included: no value of a script is a pointer
        return std::nullopt;
    }
  }

  std::string_view f_;
  const FormatValue& value_;
  int used_ = 0;
};

}  // namespace

std::optional<std::string> FormatWithDirectives(std::string_view format, const FormatValue& value) {
  return Formatter(format, value).Run();
}

std::optional<std::string> CurrencyForm(Number value, int decimals) {
  // Four decimals hold up to 922337203685477.5807.
  if (!std::isfinite(value) || std::fabs(value) >= 922337203685477.0L) return std::nullopt;
  Decimal d = ToDecimal(value);
  RoundDecimals(d, 4);
  return Fixed(d, decimals, true);
}

}  // namespace pirune
