#include "library/math/statistics.h"

#include <cmath>

#include "library/japanese/width_case.h"
#include "library/strings/text_model.h"

namespace pirune {

std::vector<Number> ListNumbers(std::string_view text) {
  std::vector<Number> values;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string line = text::TrimBlanks(japanese::HalfWidth(text.substr(start, end - start)));
    if (!line.empty()) values.push_back(StrToValue(line));
    start = end + 1;
  }
  if (values.empty()) values.push_back(0);
  return values;
}

TStatistics Statistics(const std::vector<Number>& values) {
  TStatistics s{};
  s.largest = s.smallest = values.front();
  for (Number v : values) {
    s.sum += v;
    if (v > s.largest) s.largest = v;
    if (v < s.smallest) s.smallest = v;
  }
  Number n = static_cast<Number>(values.size());
  s.mean = Checked(s.sum) / n;
  Number squares = 0;
  for (Number v : values) {
    Number d = v - s.mean;
    squares += d * d;
  }
  s.variance = values.size() > 1 ? Checked(squares) / (n - 1) : 0;
  s.deviation = std::sqrt(s.variance);
  return s;
}

}  // namespace pirune
