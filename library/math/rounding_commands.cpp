// Rounding: to integers (整数, INT, TRUNC, ROUND, CEIL, FLOOR), to decimal places (切り捨て,
// 四捨五入), the fraction written (FRAC) and the absolute value (ABS).
#include <cmath>
#include <string>

#include "engine/command_api.h"
#include "library/japanese/width_case.h"
#include "library/math/decimal_places.h"
#include "library/strings/whole_number.h"

namespace pirune {
namespace {

// Integers are written with all their digits, however large: a 64-bit result never
// turns into exponent form.
void IntegerResult(TCommand& c, Number integral) { c.Result(std::to_string(TruncToInt64(integral)), "e"); }

void Truncate(TCommand& c) { IntegerResult(c, std::trunc(c.Num(0))); }
void Round(TCommand& c) { IntegerResult(c, RoundHalfEven(c.Num(0))); }
void Ceil(TCommand& c) { IntegerResult(c, std::ceil(c.Num(0))); }
void Floor(TCommand& c) { IntegerResult(c, std::floor(c.Num(0))); }
void Abs(TCommand& c) { c.ResultNumber(std::fabs(c.Num(0))); }

void Frac(TCommand& c) {
  std::string text = japanese::HalfWidth(c.Text(0));
  std::size_t point = text.find('.');
  c.Result(point == std::string::npos ? std::string() : "0" + text.substr(point), "e");
}

void ToPlaces(TCommand& c, TPlaces how) {
  Number a = c.Num(0);
  c.ResultNumber(ToDecimalPlaces(a, WholeNumber(c, 1), how));
}
void TruncateToPlaces(TCommand& c) { ToPlaces(c, TPlaces::Truncate); }
void RoundToPlaces(TCommand& c) { ToPlaces(c, TPlaces::HalfEven); }

}  // namespace

std::span<const CommandBinding> RoundingCommands() {
  static const CommandBinding commands[] = {
      {"整数", Truncate}, {"INT", Truncate},   {"TRUNC", Truncate}, {"ROUND", Round},
      {"CEIL", Ceil},     {"FLOOR", Floor},     {"FRAC", Frac},      {"ABS", Abs},
      {"切り捨て", TruncateToPlaces}, {"四捨五入", RoundToPlaces},
  };
  return commands;
}

}  // namespace pirune
