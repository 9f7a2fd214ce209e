// Statistics of a list of numbers, one a line, as the list commands give them.
#pragma once
#include <string_view>
#include <vector>

#include "engine/command_api.h"

namespace pirune {

// The numbers of the lines: made half-width, blanks trimmed, empty lines dropped, an empty list read as the
// single number 0.
std::vector<Number> ListNumbers(std::string_view text);

struct TStatistics {
  Number sum, mean, variance, deviation, largest, smallest;
};
// Variance and deviation are the sample ones (divided by n − 1), 0 for a single value;
// the variance is summed over distances from the mean, so values close together never
// give a negative one. A sum or square beyond the number range is an overflow.
TStatistics Statistics(const std::vector<Number>& values);

}  // namespace pirune
