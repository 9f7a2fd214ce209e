// Picking rows out of a table: by a cell or line that contains or matches a search, by a
// cell equal to it, or by a query over named columns.
#include "engine/command_api.h"
#include "library/clock.h"
#include "library/csv_query.h"
#include "library/patterns/wildcard.h"
#include "library/strings/text_model.h"
#include "library/tables/table_args.h"

namespace pirune {
namespace {

bool IsPattern(std::string_view search) { return search.find_first_of("*?[") != std::string_view::npos; }

// The header row (when there is one) and the data rows that pass.
template <class Passes>
TCsvDb Picked(TCsvDb& db, Passes passes) {
  TCsvDb out;
  out.Header = db.Header;
  for (std::size_t r = 0; r < db.Rows.size(); ++r)
    if ((db.Header && r == 0) || passes(r)) out.Rows.push_back(std::move(db.Rows[r]));
  return out;
}

void Pickup(TCommand& c) {
  std::string table = c.Text(0);
  std::int32_t col = text::PlainInteger(c.Text(1), -1);
  std::string search = c.Text(2);
  if (search.empty()) return;
  const bool pattern = IsPattern(search);
  auto matches = [&](std::string_view subject) {
    return pattern ? wildcard::MatchesWhole(search, subject) : text::FindAligned(subject, search) != text::npos;
  };
  if (col < 0) {
    std::vector<std::string_view> lines = tables::SplitLines(table);
    std::vector<std::string_view> kept;
    for (std::size_t i = tables::HeaderFlag(c) ? 1 : 0; i < lines.size(); ++i)
      if (matches(lines[i])) kept.push_back(lines[i]);
    return c.Result(tables::JoinLines(kept));
  }
  TCsvDb db;
  db.ReadCsv(table);
  db.Header = tables::HeaderFlag(c);
  const auto column = static_cast<std::size_t>(col);
  c.Result(Picked(db, [&](std::size_t r) { return db.Rows[r] && matches(db.Cell(column, r)); }).WriteCsv());
}

void ExactPickup(TCommand& c) {
  TCsvDb db;
  const THashNode* word = c.FindWord(0);
  if (word && word->TableView())
    db = *word->TableView();
  else
    db.ReadCsv(c.Text(0));
  db.Header = tables::HeaderFlag(c);
  std::int64_t col = c.Int(1);
  std::string search = text::TrimBlanks(c.Text(2));
  if (col < 0) c.ArgumentError("列の指定は、0以上を指定する必要があります。");
  const bool pattern = IsPattern(search);
  const auto column = static_cast<std::size_t>(col);
  TCsvDb picked = Picked(db, [&](std::size_t r) {
    if (!db.Rows[r]) return false;
    const std::string& cell = db.Cell(column, r);
    return pattern ? wildcard::MatchesWhole(search, cell) : cell == search;
  });
  c.Result(picked.WriteCsv());
}

// The cells are compared as half-width copies; the rows come back as they were.
void Query(TCommand& c) {
  TCsvDb db;
  db.ReadCsv(c.Text(0));
  db.Header = true;
  std::string query = PrepareQuery(c.Text(1));
  std::vector<std::uint8_t> keep;
  try {
    keep = EvaluateQuery(db, query, ClockNow().year);
  } catch (const TCsvQueryError& e) {
    c.Fail(std::string("CSVデータベースの解析エラー。") + e.what());
  }
  c.Result(Picked(db, [&](std::size_t r) { return keep[r] != 0; }).WriteCsv());
}

}  // namespace

std::span<const CommandBinding> PickupCommands() {
  static const CommandBinding commands[] = {
      {"表ピックアップ", Pickup}, {"表完全一致ピックアップ", ExactPickup}, {"表条件抽出", Query}};
  return commands;
}

}  // namespace pirune
