// HTML tags in a text: removing them, and taking out the elements of one tag.
#pragma once
#include <string>
#include <string_view>

namespace pirune {

// The text trimmed of bytes up to 0x20 at both ends, with every "<" … ">" stretch gone.
std::string WithoutTags(std::string_view s);

// Every element of tag `name` (with or without angle brackets, any case), from its
// opening through its closing tag, each followed by CR LF; nested elements of the same
// name stay inside the one that holds them.
std::string ElementsOfTag(std::string_view s, std::string_view name);

}  // namespace pirune
