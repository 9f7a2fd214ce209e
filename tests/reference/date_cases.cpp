// Reads cases "base TAB date offset TAB time offset TAB other" from standard input and
// writes, per case, the weekday, both sums, the day and second differences and the era
// form; "error" where the runtime fails. check_dates.py compares them with Python's
// calendar.
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

#include "engine/errors.h"
#include "library/date_time.h"

namespace {

template <typename F>
std::string OrError(F f) {
  try {
    return f();
  } catch (const pirune::Exception&) {
    return "error";
  }
}

std::string Field(std::string& line) {
  std::size_t tab = line.find('\t');
  std::string field = line.substr(0, tab);
  line = tab == std::string::npos ? std::string() : line.substr(tab + 1);
  return field;
}

}  // namespace

int main() {
  using namespace pirune;
  std::ios::sync_with_stdio(false);
  std::string line;
  while (std::getline(std::cin, line)) {
    std::string base_text = Field(line), date_offset = Field(line), time_offset = Field(line), other_text = line;
    std::optional<TDateTime> base = ReadDateTime(base_text, 2000), other = ReadDateTime(other_text, 2000);
    if (!base || !other) {
      std::cout << "unreadable\n";
      continue;
    }
    auto full = [](TDateTime t) { return WriteDate(t) + " " + WriteTime(t); };
    std::cout << Weekday(*base) << '\t' << OrError([&] { return full(AddDate(*base, ReadOffset(date_offset, '/'))); })
              << '\t' << OrError([&] { return full(AddTime(*base, ReadOffset(time_offset, ':'))); }) << '\t'
              << (*base - *other) / kMsPerDay << '\t' << (*base - *other) / 1000 << '\t' << EraDate(*base) << '\n';
  }
}
