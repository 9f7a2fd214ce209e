// Searching a table for a key one matching row at a time; the search lives as long as
// the run, and each new search replaces it.
#include "engine/command_api.h"
#include "library/csv_find.h"
#include "library/strings/text_model.h"
#include "library/tables/table_args.h"

namespace pirune {
namespace {

struct TSearchState : TRunResource {
  TFindCsv find;
};

TFindCsv& Search(TCommand& c) {
  std::unique_ptr<TRunResource>& slot = c.RunResource("表検索");
  if (!slot) slot = std::make_unique<TSearchState>();
  return static_cast<TSearchState&>(*slot).find;
}

void NextMatch(TCommand& c) {
  c.ResultInteger(-1);
  c.ResultInteger(Search(c).Next());
}

void Start(TCommand& c, bool exact) {
  TFindCsv find;
  find.Table.ReadCsv(c.Text(0));
  find.Column = text::PlainInteger(c.Text(1), -1);
  find.Key = c.Text(2);
  find.Exact = exact;
  find.NextRow = tables::HeaderFlag(c) ? 1 : 0;
  Search(c) = std::move(find);
  NextMatch(c);
}

void Find(TCommand& c) { Start(c, true); }
void FindLoosely(TCommand& c) { Start(c, false); }
void Clear(TCommand& c) { Search(c) = TFindCsv(); }

}  // namespace

std::span<const CommandBinding> TableSearchCommands() {
  static const CommandBinding commands[] = {
      {"表検索", Find}, {"表曖昧検索", FindLoosely}, {"表検索次の値", NextMatch}, {"表検索クリア", Clear}};
  return commands;
}

}  // namespace pirune
