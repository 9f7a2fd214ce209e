// Reads cases "number TAB places" from standard input and writes, per case, what
// 切り捨て and 四捨五入 give, as the runtime writes numbers. check_places.py compares
// them with exact decimal arithmetic.
#include <iostream>
#include <string>

#include "engine/number.h"
#include "library/math/decimal_places.h"

int main() {
  using namespace pirune;
  std::ios::sync_with_stdio(false);
  std::string line;
  while (std::getline(std::cin, line)) {
    std::size_t tab = line.find('\t');
    Number a = StrToValue(line.substr(0, tab));
    std::int64_t places = std::stoll(line.substr(tab + 1));
    std::cout << FormatNumber(ToDecimalPlaces(a, places, TPlaces::Truncate)) << '\t'
              << FormatNumber(ToDecimalPlaces(a, places, TPlaces::HalfEven)) << '\n';
  }
}
