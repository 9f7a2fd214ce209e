#include "library/math/statistics.h"

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

Number ListSum(const std::vector<Number>& values) {
  Number sum = 0;
  for (Number v : values) sum += v;
  return Checked(sum);
}

Number ListMean(const std::vector<Number>& values) { return ListSum(values) / static_cast<Number>(values.size()); }

Number ListVariance(const std::vector<Number>& values) {
  if (values.size() < 2) return 0;
  Number mean = ListMean(values), squares = 0;
  for (Number v : values) squares += (v - mean) * (v - mean);
  return Checked(squares) / static_cast<Number>(values.size() - 1);
}

}  // namespace pirune
