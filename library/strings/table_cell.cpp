#include "library/strings/table_cell.h"

#include "library/strings/text_model.h"

namespace pirune {

std::string QuoteCell(std::string_view cell) {
  const bool has_quote = text::FindAligned(cell, "\"") != text::npos;
  if (!has_quote && text::FindAligned(cell, ",") == text::npos && text::FindAligned(cell, "\r") == text::npos &&
      text::FindAligned(cell, "\n") == text::npos && text::FindAligned(cell, "ID") == text::npos)
    return std::string(cell);
  std::string out = "\"";
  out += has_quote ? text::ReplaceAll(cell, "\"", "\"\"") : std::string(cell);
  out += '"';
  return out;
}

}  // namespace pirune
