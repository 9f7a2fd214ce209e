// The type mark a value read from settings gets: a number when it begins as one does
// ("$" for hexadecimal, or a digit), else a text.
#pragma once
#include <string_view>

namespace pirune::settings {

inline std::string_view MarkOfValue(std::string_view value) {
  return !value.empty() && (value[0] == '$' || (value[0] >= '0' && value[0] <= '9')) ? "e" : "s";
}

}  // namespace pirune::settings
