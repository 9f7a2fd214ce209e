// What the list and table commands share: their arguments read as tables or lines, the
// header flag, and the column numbers.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "engine/command_api.h"
#include "library/csv_db.h"

namespace pirune::tables {

// Whether "表フィールド名" is "1": row 0 then holds field names.
bool HeaderFlag(TCommand& c);
// The argument read as a CSV table, with the header flag.
TCsvDb ReadTable(TCommand& c, std::size_t slot);

// The lines of a list: they end at CR, LF or CR LF; an end at the very end opens none.
std::vector<std::string_view> SplitLines(std::string_view text);
// Lines, each followed by CR LF.
std::string JoinLines(const std::vector<std::string_view>& lines);

// A column number read as a plain integer; -1 (the default for what is no integer) and
// every other negative number is the command's argument error.
std::size_t SortColumn(TCommand& c, std::size_t slot);

}  // namespace pirune::tables
