// The four table sorts. Rows with equal keys end up in the order the procedure below
// gives, in every runtime: a merge sort that splits at (lo div 2) + (hi div 2), with a
// selection sort for ranges of fewer than 21 rows.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "library/csv_db.h"

namespace pirune {

enum class TCsvSortKind {
  Bytes,       // the cells' bytes
  Numbers,     // the cells' numeric readings
  Dates,       // the cells read as date-times; any other cell is day 0
  Dictionary,  // Unicode code units with ASCII capitals made small
};

// Empty rows at both ends go first; then the data rows (all rows but the header row)
// are ordered by their cells in column `col`.
void SortTable(TCsvDb& db, std::size_t col, TCsvSortKind kind, int current_year);

// Keys for ordering texts as words: the text in UTF-16 with ASCII capitals made small,
// and the same with full-width capitals folded as well.
std::u16string DictionaryKey(std::string_view text);
std::u16string FoldedKey(std::string_view text);

}  // namespace pirune
