// Searching a table row by row: each call finds the next row whose cell (or any cell)
// holds the key.
#pragma once
#include <cstdint>
#include <string>

#include "library/csv_db.h"

namespace pirune {

struct TFindCsv {
  TCsvDb Table;
  std::string Key;
  std::int64_t Column = -1;  // -1: any column
  std::size_t NextRow = 0;
  // Exact: a cell equal to the key. Loose: a cell (with any column: the whole row as one
  // CSV line) that contains the key, or matches it as a wildcard pattern when it holds
  // "*" or "?".
  bool Exact = true;

  // The next matching row from NextRow on, or -1; a miss leaves nothing more to find.
  std::int64_t Next();
};

}  // namespace pirune
