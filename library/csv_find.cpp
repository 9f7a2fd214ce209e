#include "library/csv_find.h"

#include "library/patterns/wildcard.h"
#include "library/strings/text_model.h"

namespace pirune {

std::int64_t TFindCsv::Next() {
  const bool pattern = !Exact && Key.find_first_of("*?") != std::string::npos;
  auto loose = [&](std::string_view subject) {
    return pattern ? wildcard::MatchesWhole(Key, subject) : text::FindAligned(subject, Key) != text::npos;
  };
  for (std::size_t r = NextRow; r < Table.Rows.size(); ++r) {
    const TCsvCells* row = Table.Rows[r].get();
    bool found = false;
    if (Column >= 0) {
      const std::string& cell = Table.Cell(static_cast<std::size_t>(Column), r);
      found = Exact ? cell == Key : loose(cell);
    } else if (Exact) {
      for (std::size_t c = 0; row && c < row->size() && !found; ++c) found = (*row)[c] == Key;
    } else {
      found = loose(Table.RowLine(r));
    }
    if (found) {
      NextRow = r + 1;
      return static_cast<std::int64_t>(r);
    }
  }
  NextRow = Table.Rows.size();
  return -1;
}

}  // namespace pirune
