// Statistics of lists: the sum, mean, variance, standard deviation, largest and smallest
// value of the numbers written one a line.
#include <algorithm>
#include <cmath>

#include "engine/command_api.h"
#include "library/math/statistics.h"

namespace pirune {
namespace {

void Sum(TCommand& c) { c.ResultNumber(ListSum(ListNumbers(c.Text(0)))); }
void Mean(TCommand& c) { c.ResultNumber(ListMean(ListNumbers(c.Text(0)))); }
void Variance(TCommand& c) { c.ResultNumber(ListVariance(ListNumbers(c.Text(0)))); }
void Deviation(TCommand& c) { c.ResultNumber(std::sqrt(ListVariance(ListNumbers(c.Text(0))))); }
void Largest(TCommand& c) {
  auto values = ListNumbers(c.Text(0));
  c.ResultNumber(*std::max_element(values.begin(), values.end()));
}
void Smallest(TCommand& c) {
  auto values = ListNumbers(c.Text(0));
  c.ResultNumber(*std::min_element(values.begin(), values.end()));
}

}  // namespace

std::span<const CommandBinding> StatisticsCommands() {
  static const CommandBinding commands[] = {
      {"SUM", Sum},          {"AVERAGE", Mean},      {"VAR", Variance},
      {"STDEV", Deviation},  {"配列最大値", Largest}, {"配列最小値", Smallest},
  };
  return commands;
}

}  // namespace pirune
