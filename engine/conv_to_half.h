// Folding of full-width characters to their half-width equivalents, so that scripts may
// be typed with full-width digits, operators and Japanese brackets.
#pragma once
#include <string>
#include <string_view>

namespace pirune {

class TConvToHalf {
 public:
  // The replacement of the character at s[i] (one or two bytes), or the character itself.
  static std::string_view Char(std::string_view s, std::size_t i);
  // Every character of the table replaced; everything else kept.
  static std::string Text(std::string_view s);
};

}  // namespace pirune
