// The arithmetic verbs 足す, 引く, 掛ける, 割る, which also store their result into the
// variable named by their first argument, and MOD / 余り.
#include <cmath>
#include <string>

#include "engine/command_api.h"
#include "library/strings/whole_number.h"

namespace pirune {
namespace {

// The first operand: the value of the variable the argument names (the result goes back
// there), or else the argument's own value (nothing is stored).
struct TLeftOperand {
  THashNode* word = nullptr;
  std::string value;
};

TLeftOperand LeftOperand(TCommand& c) {
  TLeftOperand left;
  THashNode* word = c.FindWord(0);
  if (word && !IsCallable(word->Kind) && !word->Reserved && !word->Dict) {
    left.word = word;
    left.value = word->GetValue();
  } else {
    left.value = c.Text(0);
  }
  return left;
}

// Everything is computed before anything is stored: a verb that fails leaves "それ" and
// the variable as they were.
void Store(TCommand& c, const TLeftOperand& left, std::string text, const std::string& mark) {
  if (left.word) {
    left.word->SetValue(text);
    left.word->SetMark(mark);
  }
  c.Result(std::move(text), mark);
}

void Compute(TCommand& c, char op) {
  TLeftOperand left = LeftOperand(c);
  Number b = c.Num(1);
  Number a = StrToValue(left.value);
  Number r;
  switch (op) {
    case '-': r = a - b; break;
    case '*': r = a * b; break;
    default:
      if (b == 0) throw Exception(a == 0 ? kInvalidOperation : kDivisionByZero);
      r = a / b;
      break;
  }
  Store(c, left, FormatNumber(Checked(r)), "e");
}

void Add(TCommand& c) {
  TLeftOperand left = LeftOperand(c);
  std::string b = c.Text(1);
  std::string mark = c.LastMark();
  if (mark == "e")
    Store(c, left, FormatNumber(Checked(StrToValue(left.value) + StrToValue(b))), mark);
  else
    Store(c, left, left.value + b, mark);
}

void Subtract(TCommand& c) { Compute(c, '-'); }
void Multiply(TCommand& c) { Compute(c, '*'); }
void Divide(TCommand& c) { Compute(c, '/'); }

void Modulo(TCommand& c) {
  std::int64_t a = WholeNumber(c, 0), b = WholeNumber(c, 1);
  if (b == 0) throw Exception(kDivisionByZero);
  c.ResultInteger(a % b);  // 64-bit, so the smallest integer by −1 is 0, not a trap
}

}  // namespace

std::span<const CommandBinding> ArithmeticCommands() {
  static const CommandBinding commands[] = {
      {"足す", Add}, {"引く", Subtract}, {"掛ける", Multiply}, {"割る", Divide}, {"MOD", Modulo},
  };
  return commands;
}

}  // namespace pirune
