// Tables: a list of rows of text cells, read from and written to CSV and tab-separated
// text. Shared by the table commands and by a variable's table view (A#r, A#c#r).
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pirune {

using TCsvCells = std::vector<std::string>;

class TCsvDb {
 public:
  // Null for an absent row (one that has no cells at all): made when a write reaches
  // past the last row, written as an empty line.
  std::vector<std::unique_ptr<TCsvCells>> Rows;
  // Row 0 holds field names: it stays first and is not counted as data.
  bool Header = false;

  TCsvDb() = default;
  TCsvDb(const TCsvDb& other);
  TCsvDb& operator=(const TCsvDb& other);
  TCsvDb(TCsvDb&&) = default;
  TCsvDb& operator=(TCsvDb&&) = default;

  // Replaces the content.
  void ReadCsv(std::string_view text);
  void ReadTsv(std::string_view text);
  // A text past what a text may hold is std::bad_alloc, as running out of memory is.
  std::string WriteCsv() const;
  std::string WriteTsv() const;
  // The rows as one HTML table, cells written as they are.
  std::string WriteHtml(std::string_view options) const;

  std::size_t RowCount() const { return Rows.size(); }
  // The most cells of any row.
  std::size_t ColCount() const;
  // Empty outside the table.
  const std::string& Cell(std::size_t col, std::size_t row) const;
  // Grows the table to reach (col, row): absent rows, empty cells.
  void SetCell(std::size_t col, std::size_t row, std::string value);
  // Row r as one CSV line without its line end; empty for a missing row.
  std::string RowLine(std::size_t row) const;
  // Row r replaced by the first record of the line.
  void SetRowLine(std::size_t row, std::string_view line);
  // The row, made present (and the table grown) when needed.
  TCsvCells& RowAt(std::size_t row);

  // Leading and trailing rows that are absent or hold only empty cells go; the rows
  // looked at lose their trailing empty cells.
  void TrimEmptyRows();
  // Cell (c, r) becomes cell (r, c), then empty rows at both ends go.
  void Transpose();
  // The data rows reversed; the header row stays first.
  void Reverse();
};

// Whether the byte can follow a lead byte as the second byte of its character. The table
// reader pairs a lead byte only with such a byte, so a stray lead byte never hides the
// comma, quote or line end after it.
inline bool IsTrailByte(unsigned char b) { return b >= 0x40 && b != 0x7F && b <= 0xFC; }

// A table grown past these by a write (or a transposed one past kMaxRowCells cells) fails
// as a text too long: 2^31 − 1 as a row number must not ask the system for gigabytes.
constexpr std::size_t kMaxTableRows = std::size_t{1} << 24;
constexpr std::size_t kMaxRowCells = std::size_t{1} << 24;

}  // namespace pirune
