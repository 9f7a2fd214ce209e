// Mathematical functions: trigonometry, angle units, exponentials, logarithms, powers and
// roots. A result that is not a finite number is the matching arithmetic fault.
#include <cmath>

#include "engine/command_api.h"

namespace pirune {
namespace {

constexpr Number kPi = 3.141592653589793238462643383279502884L;

// Most functions leave the type mark as it was; the exponential family marks a number.
void KeepMark(TCommand& c, Number r) { c.ResultKeepingMark(FormatNumber(Checked(r))); }
void Numeric(TCommand& c, Number r) { c.ResultNumber(Checked(r)); }

// A logarithm's argument: 0 is a pole, below 0 there is none.
Number LogArgument(Number x) {
  if (x < 0) throw Exception(kInvalidOperation);
  if (x == 0) throw Exception(kDivisionByZero);
  return x;
}

void Sin(TCommand& c) { KeepMark(c, std::sin(c.Num(0))); }
void Cos(TCommand& c) { KeepMark(c, std::cos(c.Num(0))); }
void Tan(TCommand& c) { KeepMark(c, std::tan(c.Num(0))); }
void ArcTan(TCommand& c) { KeepMark(c, std::atan2(c.Num(0), 1.0L)); }
void ArcSin(TCommand& c) { KeepMark(c, std::asin(c.Num(0))); }
void ArcCos(TCommand& c) { KeepMark(c, std::acos(c.Num(0))); }
void Hypot(TCommand& c) {
  Number a = c.Num(0);
  KeepMark(c, std::hypot(a, c.Num(1)));
}

void DegreesToRadians(TCommand& c) { KeepMark(c, c.Num(0) * (kPi / 180)); }
void RadiansToDegrees(TCommand& c) { KeepMark(c, c.Num(0) * (180 / kPi)); }
void GradsToRadians(TCommand& c) { KeepMark(c, c.Num(0) * (kPi / 200)); }
void RadiansToGrads(TCommand& c) { KeepMark(c, c.Num(0) * (200 / kPi)); }
void CyclesToRadians(TCommand& c) { KeepMark(c, c.Num(0) * (2 * kPi)); }
void RadiansToCycles(TCommand& c) { KeepMark(c, c.Num(0) / (2 * kPi)); }

void Exp(TCommand& c) { Numeric(c, std::exp(c.Num(0))); }
void Ln(TCommand& c) { Numeric(c, std::log(LogArgument(c.Num(0)))); }
void Log2(TCommand& c) { Numeric(c, std::log2(LogArgument(c.Num(0)))); }
void Log10(TCommand& c) { Numeric(c, std::log10(LogArgument(c.Num(0)))); }
void Log(TCommand& c) {
  Number base = LogArgument(c.Num(0));
  Number x = LogArgument(c.Num(1));
  Number divisor = std::log(base);
  if (divisor == 0) throw Exception(x == 1 ? kInvalidOperation : kDivisionByZero);
  Numeric(c, std::log(x) / divisor);
}
void PowerOf(TCommand& c) {
  Number base = c.Num(0);
  Numeric(c, Power(base, c.Num(1)));
}
void Sqrt(TCommand& c) {
  Number x = c.Num(0);
  if (x < 0) throw Exception(kInvalidOperation);
  Numeric(c, std::sqrt(x));
}

}  // namespace

std::span<const CommandBinding> FunctionCommands() {
  static const CommandBinding commands[] = {
      {"SIN", Sin},
      {"COS", Cos},
      {"TAN", Tan},
      {"ARCTAN", ArcTan},
      {"ARCSIN", ArcSin},
      {"ARCCOS", ArcCos},
      {"HYPOT", Hypot},
      {"度からラジアン", DegreesToRadians},
      {"ラジアンから度", RadiansToDegrees},
      {"グラードからラジアン", GradsToRadians},
      {"ラジアンからグラード", RadiansToGrads},
      {"サイクルからラジアン", CyclesToRadians},
      {"ラジアンからサイクル", RadiansToCycles},
      {"EXP", Exp},
      {"LN", Ln},
      {"LOG", Log},
      {"LOG2", Log2},
      {"LOG10", Log10},
      {"POWER", PowerOf},
      {"SQRT", Sqrt},
  };
  return commands;
}

}  // namespace pirune
