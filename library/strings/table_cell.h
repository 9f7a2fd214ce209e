// One cell as the table text format writes it: quoted when reading it back would
// otherwise split or change it.
#pragma once
#include <string>
#include <string_view>

namespace pirune {

// A cell with a double quote is quoted with every double quote doubled; one with ",",
// CR, LF or the letters "ID" is quoted as it is; any other cell is written as it is.
std::string QuoteCell(std::string_view cell);
// The same, appended to `out`.
void AppendQuotedCell(std::string& out, std::string_view cell);

}  // namespace pirune
