// Statistics of a list of numbers, one a line, as the list commands give them.
#pragma once
#include <string_view>
#include <vector>

#include "engine/command_api.h"

namespace pirune {

// The numbers of the lines: made half-width, blanks trimmed, empty lines dropped, an empty
// list read as the single number 0.
std::vector<Number> ListNumbers(std::string_view text);

// Each computes only what it gives: a sum beyond the number range is an overflow, but not
// for the largest value of the same list.
Number ListSum(const std::vector<Number>& values);
Number ListMean(const std::vector<Number>& values);
// The sample variance (divided by n − 1), 0 for a single value. It is summed over
// distances from the mean, so values close together never give a negative one.
Number ListVariance(const std::vector<Number>& values);

}  // namespace pirune
