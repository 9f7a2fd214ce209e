// Statistics of lists: the sum, mean, variance, standard deviation, largest and smallest
// value of the numbers written one a line.
#include "engine/command_api.h"
#include "library/math/statistics.h"

namespace pirune {
namespace {

TStatistics Of(TCommand& c) { return Statistics(ListNumbers(c.Text(0))); }

void Sum(TCommand& c) { c.ResultNumber(Of(c).sum); }
void Mean(TCommand& c) { c.ResultNumber(Of(c).mean); }
void Variance(TCommand& c) { c.ResultNumber(Of(c).variance); }
void Deviation(TCommand& c) { c.ResultNumber(Of(c).deviation); }
void Largest(TCommand& c) { c.ResultNumber(Of(c).largest); }
void Smallest(TCommand& c) { c.ResultNumber(Of(c).smallest); }

}  // namespace

std::span<const CommandBinding> StatisticsCommands() {
  static const CommandBinding commands[] = {
      {"SUM", Sum},          {"AVERAGE", Mean},      {"VAR", Variance},
      {"STDEV", Deviation},  {"配列最大値", Largest}, {"配列最小値", Smallest},
  };
  return commands;
}

}  // namespace pirune
