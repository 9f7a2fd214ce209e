// Base64 (RFC 2045 alphabet, "=" padding, no line breaks).
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace pirune {

std::string Base64Encode(std::string_view bytes);
// CR and LF between groups of four are skipped; anything else outside the alphabet, a
// group cut short or padding in the middle gives nothing.
std::optional<std::string> Base64Decode(std::string_view text);

}  // namespace pirune
