// Lists (texts of lines): sorting, shuffling, inserting and deleting lines, and counting
// the rows and columns of a table.
#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/command_api.h"
#include "library/csv_sort.h"
#include "library/random.h"
#include "library/strings/text_model.h"
#include "library/strings/whole_number.h"
#include "library/tables/table_args.h"

namespace pirune {
namespace {

using tables::JoinLines;
using tables::SplitLines;

// Equal lines keep their order, so the result is the same in every runtime.
void Sort(TCommand& c) {
  std::string text = c.Text(0);
  std::vector<std::string_view> lines = SplitLines(text);
  std::vector<std::pair<std::u16string, std::string_view>> keyed;
  keyed.reserve(lines.size());
  for (std::string_view line : lines) keyed.emplace_back(FoldedKey(line), line);
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = keyed[i].second;
  c.Result(JoinLines(lines));
}

// By the readings themselves: values less than 1 apart are ordered too, and no
// difference is too large to compare.
void NumberSort(TCommand& c) {
  std::string text = c.Text(0);
  std::vector<std::string_view> lines = SplitLines(text);
  std::vector<std::pair<Number, std::string_view>> keyed;
  keyed.reserve(lines.size());
  for (std::string_view line : lines) keyed.emplace_back(StrToValue(line), line);
  // A reading that is no number at all (none is, but the order must stay strict) goes last.
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    if (std::isnan(a.first) || std::isnan(b.first)) return !std::isnan(a.first) && std::isnan(b.first);
    return a.first < b.first;
  });
  for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = keyed[i].second;
  c.Result(JoinLines(lines));
}

void Reverse(TCommand& c) {
  TCsvDb db;
  db.ReadCsv(c.Text(0));
  db.Reverse();
  c.Result(db.WriteCsv());
}

void Shuffle(TCommand& c) {
  std::string text = c.Text(0);
  std::vector<std::string_view> lines = SplitLines(text);
  if (lines.empty()) return c.ResultKeepingMark({});
  auto n = static_cast<std::uint32_t>(std::min<std::size_t>(lines.size(), UINT32_MAX));
  for (std::size_t k = 0; k <= lines.size(); ++k) {
    std::uint32_t a = RunRandom().Below(n);
    std::uint32_t b = RunRandom().Below(n);
    std::swap(lines[a], lines[b]);
  }
  c.ResultKeepingMark(JoinLines(lines));
}

void InsertLine(TCommand& c) {
  std::string text = c.Text(0);
  std::int64_t n = WholeNumber(c, 1);
  std::string line = c.Text(2);
  if (n < 0) return;
  std::vector<std::string_view> lines = SplitLines(text);
  auto at = static_cast<std::uint64_t>(n);
  if (at < lines.size()) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), line);
    return c.ResultKeepingMark(JoinLines(lines));
  }
  // Empty lines up to line N, written out without a list entry each.
  const std::uint64_t padding = at - lines.size();
  text::CheckLength(static_cast<std::size_t>(
      std::min<std::uint64_t>(text.size() + 2 * padding + line.size() + 2, text::kMaxTextBytes + 1)));
  std::string out = JoinLines(lines);
  for (std::uint64_t k = 0; k < padding; ++k) out += "\r\n";
  out += line;
  out += "\r\n";
  c.ResultKeepingMark(std::move(out));
}

void DeleteLine(TCommand& c) {
  std::string text = c.Text(0);
  std::int64_t n = WholeNumber(c, 1);
  std::vector<std::string_view> lines = SplitLines(text);
  if (n < 0 || static_cast<std::size_t>(n) >= lines.size()) return;
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(n));
  c.ResultKeepingMark(JoinLines(lines));
}

// The data rows: a header row is no element, and a table without rows has none.
void RowCount(TCommand& c) {
  TCsvDb db = tables::ReadTable(c, 0);
  std::size_t rows = db.RowCount();
  if (db.Header && rows > 0) --rows;
  c.ResultInteger(static_cast<std::int64_t>(rows));
}

void ColumnCount(TCommand& c) {
  TCsvDb db;
  db.ReadCsv(c.Text(0));
  c.ResultInteger(static_cast<std::int64_t>(db.ColCount()));
}

}  // namespace

std::span<const CommandBinding> ListCommands() {
  static const CommandBinding commands[] = {
      {"ソート", Sort},         {"数値ソート", NumberSort}, {"逆にする", Reverse}, {"配列シャッフル", Shuffle},
      {"行挿入", InsertLine},   {"行削除", DeleteLine},     {"要素数", RowCount},  {"表行数", RowCount},
      {"表列数", ColumnCount},
  };
  return commands;
}

}  // namespace pirune
