#include "engine/expression.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/conv_to_half.h"
#include "engine/errors.h"
#include "engine/nesting.h"
#include "engine/piru_base.h"
#include "engine/reader.h"
#include "engine/sjis.h"
#include "engine/values.h"

namespace pirune {
namespace {

enum TokenKind : std::uint8_t { kText = 0, kNumber = 1, kNothing = 2, kOperator = 3 };

struct TStrNum {
  std::string text;
  Number number = 0;
  std::uint8_t kind = kNothing;
};

const char kInvalidOperation[] = "浮動小数点数の不正な演算です。";
const char kDivisionByZero[] = "浮動小数点数を0で割りました。";
const char kOverflow[] = "数値が大きすぎます。";

Number Checked(Number n) {
  if (std::isnan(n)) throw Exception(kInvalidOperation);
  if (std::isinf(n)) throw Exception(kOverflow);
  return n;
}

std::int64_t TruncToInt64(Number n) {
  Number t = std::trunc(n);
  if (!(t >= -9223372036854775808.0L && t < 9223372036854775808.0L)) throw Exception("整数のオーバーフローです。");
  return static_cast<std::int64_t>(t);
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

class Evaluator {
 public:
  Evaluator(TPiruBase& state, const std::string& text) : state_(state), c_{&text, 0} {}

  std::string Run() {
    SkipBlanks(c_);
    Next();
    TStrNum result = Logical();
    if (token_.kind == kNothing || token_.kind == kOperator) throw Exception("計算結果が不正");
    if (result.kind != kText) {
      state_.LastMark = "e";
      return FormatNumber(Checked(result.number));
    }
    state_.LastMark = "s";
    return result.text;
  }

 private:
  bool IsPairChar(unsigned char b) { return b == '&' || b == '<' || b == '=' || b == '>' || b == '|'; }

  void Next() {
    std::uint8_t previous = token_.kind;
    token_ = TStrNum{};
    SkipBlanks(c_);
    unsigned char b = c_.At();
    if (b == '(') {
      std::string inner = ReadBracket(state_, c_);
      token_.text = EvaluateExpression(state_, inner);
      token_.kind = state_.LastMark == "s" ? kText : kNumber;
      return;
    }
    if (IsOperatorChar(b)) {
      token_.text = static_cast<char>(b);
      token_.kind = kOperator;
      ++c_.offset;
      if (IsPairChar(b) && IsPairChar(c_.At())) token_.text += static_cast<char>(c_.At()), ++c_.offset;
      if (previous == kOperator || previous == kNothing) {
        if (token_.text == "-") {
          token_.text = "-" + ReadValue(state_, c_);
          token_.kind = kNumber;
        } else if (token_.text == "+" && (c_.At() == '$' || IsDigit(c_.At()))) {
          token_.text = ReadValue(state_, c_);
          token_.kind = kNumber;
        }
      }
      return;
    }
    token_.text = ReadValue(state_, c_);
    token_.kind = state_.LastMark == "e" ? kNumber : kText;
  }

  bool IsOp(std::initializer_list<const char*> ops) const {
    if (token_.kind != kOperator) return false;
    for (const char* op : ops)
      if (token_.text == op) return true;
    return false;
  }

  TStrNum Logical() {
    TStrNum left = Comparison();
    while (IsOp({"&&", "||"})) {
      bool both = token_.text == "&&";
      Next();
      TStrNum right = Comparison();
      bool truth = both ? (left.number > 0 && right.number > 0) : (left.number > 0 || right.number > 0);
      left.number = truth ? 1 : 0;
      left.kind = kNumber;
    }
    return left;
  }

  TStrNum Comparison() {
    TStrNum left = Additive();
    while (IsOp({"=", "<>", "><", "<", ">", ">=", "=>", "<=", "=<", "=&", "=="})) {
      std::string op = token_.text;
      Next();
      TStrNum right = Additive();
      int order;
      if (op == "=&") {
        order = left.text == right.text ? 0 : 1;
      } else if (op == "==" || right.kind != kText) {
        order = left.number < right.number ? -1 : (left.number > right.number ? 1 : 0);
      } else {
        int cmp = left.text.compare(right.text);
        order = cmp < 0 ? -1 : (cmp > 0 ? 1 : 0);
      }
      bool holds;
      if (op == "=" || op == "=&" || op == "==")
        holds = order == 0;
      else if (op == "<>" || op == "><")
        holds = order != 0;
      else if (op == "<")
        holds = order < 0;
      else if (op == ">")
        holds = order > 0;
      else if (op == ">=" || op == "=>")
        holds = order >= 0;
      else
        holds = order <= 0;
      left.number = holds ? 1 : 0;
      left.kind = kNumber;
    }
    return left;
  }

  TStrNum Additive() {
    TStrNum left = Multiplicative();
    while (IsOp({"+", "-", "&"})) {
      std::string op = token_.text;
      Next();
      TStrNum right = Multiplicative();
      if (op == "&") {
        left.text += right.text;
        left.kind = kText;
      } else {
        left.number = Checked(op == "+" ? left.number + right.number : left.number - right.number);
        left.kind = kNumber;
      }
    }
    return left;
  }

  TStrNum Multiplicative() {
    TStrNum left = Operand();
    while (IsOp({"*", "/", "%", "^"})) {
      char op = token_.text[0];
      Next();
      TStrNum right = Operand();
      Number l = left.number, r = right.number;
      switch (op) {
        case '*': left.number = l * r; break;
        case '/': left.number = r == 0 ? 0 : l / r; break;
        case '%': {
          std::int64_t a = TruncToInt64(l), b = TruncToInt64(r);
          if (b == -1) left.number = 0;  // also keeps the smallest integer from overflowing
          else left.number = b == 0 ? 0 : static_cast<Number>(a % b);
          break;
        }
        default: left.number = Power(l, r); break;
      }
      left.number = Checked(left.number);
      left.kind = kNumber;
    }
    return left;
  }

  TStrNum Operand() {
    if (token_.kind == kOperator) throw Exception("演算子「" + token_.text + "」の位置が不正。");
    TStrNum operand = token_;
    operand.number = StrToValue(operand.text);
    if (operand.kind == kNothing) operand.kind = kText;
    Next();
    return operand;
  }

  TPiruBase& state_;
  TextPos c_;
  TStrNum token_;
};

}  // namespace

std::string EvaluateExpression(TPiruBase& state, const std::string& text) {
  NestingGuard guard(state);
  try {
    return Evaluator(state, text).Run();
  } catch (const Exception& e) {
    // Each nesting level quotes its text once more: a bounded excerpt keeps the log small.
    constexpr std::size_t kShown = 200;
    std::size_t cut = text.size();
    if (cut > kShown) {
      cut = kShown;
      while (cut > 0 && !IsCharBoundary(text, cut)) --cut;
    }
    RaiseScriptError(state, "計算式に誤りがあります。" + e.Message() + text.substr(0, cut) + (cut < text.size() ? "..." : ""));
  }
}

Number StrToValue(std::string_view text) {
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
  }
  if (!any_digit) return 0;
  Number v = std::strtold(s.substr(0, i).c_str(), nullptr);
  return std::isfinite(v) ? v : 0;
}

std::string FormatNumber(Number n) {
  if (n == 0) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", static_cast<double>(n));
  // buf: [-]d.dddddddddddddde[+-]xx
  std::string s(buf);
  std::size_t e_pos = s.find('e');
  int exponent = std::atoi(s.c_str() + e_pos + 1);
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
