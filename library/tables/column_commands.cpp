// Columns of a table: inserting, deleting, copying out, pasting in, moving, and
// replacing within one column.
#include <string>

#include "engine/command_api.h"
#include "library/strings/text_model.h"
#include "library/strings/whole_number.h"
#include "library/tables/table_args.h"

namespace pirune {
namespace {

using tables::ReadTable;

// A column to reach into: past what a table may hold is out of memory, not a request
// for gigabytes of empty cells.
std::size_t Reachable(std::int64_t col) {
  if (static_cast<std::uint64_t>(col) >= kMaxRowCells) throw std::length_error("文字列が長すぎます。");
  return static_cast<std::size_t>(col);
}

void InsertColumn(TCommand& c) {
  TCsvDb db = ReadTable(c, 0);
  std::int64_t n = WholeNumber(c, 1);
  if (n < 0) return;
  const std::size_t col = Reachable(n);
  for (auto& row : db.Rows) {
    if (!row) continue;
    if (row->size() < col) row->resize(col);
    row->insert(row->begin() + static_cast<std::ptrdiff_t>(col), std::string());
  }
  c.ResultKeepingMark(db.WriteCsv());
}

void DeleteColumn(TCommand& c) {
  TCsvDb db = ReadTable(c, 0);
  std::int64_t n = WholeNumber(c, 1);
  if (n < 0) return;
  for (auto& row : db.Rows)
    if (row && static_cast<std::uint64_t>(n) < row->size()) row->erase(row->begin() + n);
  c.ResultKeepingMark(db.WriteCsv());
}

void CopyColumn(TCommand& c) {
  TCsvDb db = ReadTable(c, 0);
  std::int64_t n = WholeNumber(c, 1);
  if (n < 0) return;
  std::string out;
  for (std::size_t r = 0; r < db.Rows.size(); ++r) {
    out += db.Cell(static_cast<std::size_t>(n), r);
    out += "\r\n";
  }
  c.ResultKeepingMark(std::move(out));
}

// Row i takes line i; lines beyond the last row become rows of their own, so none is lost.
void PasteColumn(TCommand& c) {
  TCsvDb db = ReadTable(c, 0);
  std::int64_t n = WholeNumber(c, 1);
  std::string text = c.Text(2);
  if (n < 0) return;
  const std::size_t col = Reachable(n);
  std::vector<std::string_view> lines = tables::SplitLines(text);
  const std::size_t rows = std::max(db.Rows.size(), lines.size());
  for (std::size_t r = 0; r < rows; ++r) {
    TCsvCells& row = db.RowAt(r);
    if (row.size() < col) row.resize(col);
    row.insert(row.begin() + static_cast<std::ptrdiff_t>(col), r < lines.size() ? std::string(lines[r]) : std::string());
  }
  c.ResultKeepingMark(db.WriteCsv());
}

void MoveColumn(TCommand& c) {
  TCsvDb db = ReadTable(c, 0);
  std::int64_t from = WholeNumber(c, 1), to = WholeNumber(c, 2);
  for (auto& row : db.Rows) {
    if (!row) continue;
    std::int64_t size = static_cast<std::int64_t>(row->size());
    std::int64_t bad = from < 0 || from >= size ? from : (to < 0 || to >= size ? to : -1);
    if (from < 0 || from >= size || to < 0 || to >= size)
      throw Exception("List index out of bounds (" + std::to_string(bad) + ")");
    std::string cell = std::move((*row)[from]);
    row->erase(row->begin() + from);
    row->insert(row->begin() + to, std::move(cell));
  }
  c.Result(db.WriteCsv());
}

void ReplaceInColumn(TCommand& c) {
  TCsvDb db = ReadTable(c, 0);
  std::int64_t n = WholeNumber(c, 1);
  std::string what = c.Text(2), with = c.Text(3);
  if (n >= 0)
    for (auto& row : db.Rows)
      if (row && static_cast<std::uint64_t>(n) < row->size()) (*row)[n] = text::ReplaceAll((*row)[n], what, with);
  c.Result(db.WriteCsv());
}

}  // namespace

std::span<const CommandBinding> ColumnCommands() {
  static const CommandBinding commands[] = {
      {"表列挿入", InsertColumn},   {"表列削除", DeleteColumn}, {"表列コピー", CopyColumn},
      {"表列貼付け", PasteColumn}, {"表列移動", MoveColumn},   {"表列指定置換", ReplaceInColumn},
  };
  return commands;
}

}  // namespace pirune
