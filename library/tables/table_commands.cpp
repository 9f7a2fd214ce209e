// Whole tables: reversing, the four sorts, transposing, removing duplicate rows, joining
// two tables by a key, and writing a table as tab-separated text or as HTML.
#include <unordered_map>
#include <unordered_set>

#include "engine/command_api.h"
#include "library/clock.h"
#include "library/csv_sort.h"
#include "library/strings/text_model.h"
#include "library/tables/table_args.h"

namespace pirune {
namespace {

using tables::ReadTable;

void ReverseTable(TCommand& c) {
  TCsvDb db = ReadTable(c, 0);
  db.Reverse();
  c.Result(db.WriteCsv());
}

void SortBy(TCommand& c, TCsvSortKind kind) {
  TCsvDb db = ReadTable(c, 0);
  std::size_t col = tables::SortColumn(c, 1);
  SortTable(db, col, kind, ClockNow().year);
  c.Result(db.WriteCsv());
}

void SortBytes(TCommand& c) { SortBy(c, TCsvSortKind::Bytes); }
void SortNumbers(TCommand& c) { SortBy(c, TCsvSortKind::Numbers); }
void SortDates(TCommand& c) { SortBy(c, TCsvSortKind::Dates); }
void SortDictionary(TCommand& c) { SortBy(c, TCsvSortKind::Dictionary); }

void Transpose(TCommand& c) {
  TCsvDb db = ReadTable(c, 0);
  db.Transpose();
  c.Result(db.WriteCsv());
}

// The first row of each key stays. Every row counts, the first one too.
void RemoveDuplicates(TCommand& c) {
  TCsvDb db;
  db.ReadCsv(c.Text(0));
  std::int32_t col = text::PlainInteger(c.Text(1), -1);
  std::unordered_set<std::string> seen;
  std::size_t kept = 0;
  for (std::size_t r = 0; r < db.Rows.size(); ++r) {
    std::string key = col < 0 ? db.RowLine(r) : db.Cell(static_cast<std::size_t>(col), r);
    if (seen.insert(std::move(key)).second) db.Rows[kept++] = std::move(db.Rows[r]);
  }
  db.Rows.resize(kept);
  c.ResultKeepingMark(db.WriteCsv());
}

// Each data row of A takes, from column W on (W: A's column count), the cells of the
// first row of B whose key equals its own, but for B's key column. A match in row 0
// adds nothing.
void KeyJoin(TCommand& c) {
  TCsvDb a = ReadTable(c, 0);
  std::int32_t key_a = text::PlainInteger(c.Text(1), -1);
  TCsvDb b = ReadTable(c, 2);
  std::int32_t key_b = text::PlainInteger(c.Text(3), -1);
  if (key_a < 0 || key_b < 0) return c.Result({});
  const auto ka = static_cast<std::size_t>(key_a), kb = static_cast<std::size_t>(key_b);
  const std::size_t width = a.ColCount();
  auto append = [&](std::size_t row, const TCsvCells& cells) {
    std::size_t col = width;
    for (std::size_t k = 0; k < cells.size(); ++k)
      if (k != kb) a.SetCell(col++, row, cells[k]);
  };
  if (a.Header && b.Header && !a.Rows.empty() && !b.Rows.empty() && b.Rows[0]) append(0, *b.Rows[0]);
  std::unordered_map<std::string_view, std::size_t> first_of;
  for (std::size_t r = 0; r < b.Rows.size(); ++r) first_of.emplace(b.Cell(kb, r), r);
  for (std::size_t r = a.Header ? 1 : 0; r < a.Rows.size(); ++r) {
    auto found = first_of.find(a.Cell(ka, r));
    if (found != first_of.end() && found->second != 0 && b.Rows[found->second]) append(r, *b.Rows[found->second]);
  }
  c.Result(a.WriteCsv());
}

void ToTabs(TCommand& c) {
  TCsvDb db;
  db.ReadCsv(c.Text(0));
  c.Result(db.WriteTsv());
}

void ToCommas(TCommand& c) {
  TCsvDb db;
  db.ReadTsv(c.Text(0));
  c.Result(db.WriteCsv());
}

void HtmlTable(TCommand& c) {
  TCsvDb db;
  db.ReadCsv(c.Text(0));
  c.Result(db.WriteHtml(c.Text(1)));
}

}  // namespace

std::span<const CommandBinding> TableCommands() {
  static const CommandBinding commands[] = {
      {"表反転", ReverseTable},
      {"表ソート", SortBytes},
      {"表数値ソート", SortNumbers},
      {"表日付ソート", SortDates},
      {"表辞書順ソート", SortDictionary},
      {"表行列交換", Transpose},
      {"表重複項目削除", RemoveDuplicates},
      {"表キー合成", KeyJoin},
      {"タブ区切りに変換", ToTabs},
      {"カンマ区切りに変換", ToCommas},
      {"テーブルタグで囲む", HtmlTable},
  };
  return commands;
}

}  // namespace pirune
