// The numbers of one column of a table: largest, smallest, sum and mean over the data
// rows (the header row, when the flag says there is one, is not among them).
#include "engine/command_api.h"
#include "library/tables/table_args.h"

namespace pirune {
namespace {

struct Column {
  TCsvDb db;
  std::size_t col;
  std::size_t first;  // the first data row
};

Column ReadColumn(TCommand& c) {
  Column column{tables::ReadTable(c, 0), tables::SortColumn(c, 1), 0};
  column.first = column.db.Header ? 1 : 0;
  return column;
}

void Largest(TCommand& c) {
  Column t = ReadColumn(c);
  Number best = StrToValue(t.db.Cell(t.col, t.first));
  for (std::size_t r = t.first + 1; r < t.db.Rows.size(); ++r) best = std::max(best, StrToValue(t.db.Cell(t.col, r)));
  c.ResultNumber(best);
}

// Empty cells are no values: the smallest starts at the first cell that holds one.
void Smallest(TCommand& c) {
  Column t = ReadColumn(c);
  bool found = false;
  Number best = 0;
  for (std::size_t r = t.first; r < t.db.Rows.size(); ++r) {
    const std::string& cell = t.db.Cell(t.col, r);
    if (cell.empty()) continue;
    Number n = StrToValue(cell);
    if (!found || n < best) best = n;
    found = true;
  }
  c.ResultNumber(best);
}

Number Sum(const Column& t) {
  Number sum = 0;
  for (std::size_t r = t.first; r < t.db.Rows.size(); ++r) sum += StrToValue(t.db.Cell(t.col, r));
  return Checked(sum);
}

void Total(TCommand& c) { c.ResultNumber(Sum(ReadColumn(c))); }

// A table without data rows has the mean 0.
void Mean(TCommand& c) {
  Column t = ReadColumn(c);
  std::size_t rows = t.db.Rows.size() > t.first ? t.db.Rows.size() - t.first : 0;
  c.ResultNumber(rows == 0 ? 0 : Sum(t) / static_cast<Number>(rows));
}

}  // namespace

std::span<const CommandBinding> ColumnStatisticsCommands() {
  static const CommandBinding commands[] = {
      {"表最大値", Largest}, {"表最小値", Smallest}, {"表合計", Total}, {"表平均値", Mean}};
  return commands;
}

}  // namespace pirune
