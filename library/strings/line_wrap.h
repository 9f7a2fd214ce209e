// Wrapping text to lines of a given width in bytes, with tabs counted and the
// characters that may not begin a line kept at the end of the line before.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace pirune {

// `width` > 0 bytes per line; a TAB counts `tab` columns; characters of `no_line_start`
// hang at the end of the line they would otherwise begin.
std::string WrapLines(std::string_view s, std::int64_t width, std::int64_t tab, std::string_view no_line_start);

}  // namespace pirune
