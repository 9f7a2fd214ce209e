// Cutting a text into the lines that are drawn one under another.
#pragma once
#include <string_view>
#include <vector>

namespace pirune {

// Splits at CR LF, LF or a lone CR, as Windows text lists do: a line break at the very
// end closes the last line rather than opening an empty one, and an empty text has no
// lines. Byte-wise splitting is safe in Shift_JIS because CR and LF never occur as the
// second byte of a double-byte character.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace pirune
