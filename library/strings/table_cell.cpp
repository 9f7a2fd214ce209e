#include "library/strings/table_cell.h"

namespace pirune {

// Bytes, not characters: the table reader never takes a comma, quote or line end for
// the second byte of a character, so neither may the writer.
void AppendQuotedCell(std::string& out, std::string_view cell) {
  bool has_quote = false, needs_quotes = false;
  for (std::size_t i = 0; i < cell.size(); ++i) {
    char b = cell[i];
    if (b == '"') {
      has_quote = true;
      break;
    }
    if (b == ',' || b == '\r' || b == '\n' || (b == 'I' && i + 1 < cell.size() && cell[i + 1] == 'D'))
      needs_quotes = true;
  }
  if (!has_quote && !needs_quotes) {
    out.append(cell);
    return;
  }
  out += '"';
  if (has_quote) {
    for (char b : cell) {
      if (b == '"') out += '"';
      out += b;
    }
  } else {
    out.append(cell);
  }
  out += '"';
}

std::string QuoteCell(std::string_view cell) {
  std::string out;
  AppendQuotedCell(out, cell);
  return out;
}

}  // namespace pirune
