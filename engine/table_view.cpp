#include "engine/table_view.h"

#include <stdexcept>

#include "engine/errors.h"
#include "engine/expression.h"
#include "engine/number.h"
#include "engine/piru_base.h"
#include "engine/reader.h"
#include "engine/sjis.h"
#include "engine/values.h"
#include "library/csv_db.h"

namespace pirune {
namespace {

// A key as a decimal integer; -1 when it is none (and so addresses nothing).
std::int64_t Key(const std::string& value) {
  std::int64_t n = -1;
  return StrToInteger(Trim(value), n) ? n : -1;
}

std::string ReadKey(TPiruBase& state, TextPos& c) {
  if (c.At() == '(') return EvaluateExpression(state, ReadBracket(state, c));
  return ArgumentValue(state, ReadWord(c));
}

}  // namespace

std::string ReadElement(TPiruBase& state, THashNode& word, TextPos& c) {
  ++c.offset;
  std::int64_t first = Key(ReadKey(state, c));
  SkipSpaces(c);
  std::string out;
  if (c.At() == '#') {
    ++c.offset;
    std::int64_t row = Key(ReadKey(state, c));
    if (first >= 0 && row >= 0)
      out = word.Table().Cell(static_cast<std::size_t>(first), static_cast<std::size_t>(row));
  } else if (first >= 0) {
    out = word.Table().RowLine(static_cast<std::size_t>(first));
  }
  if (out.empty())
    state.SetLastMark("");
  else
    state.SetLastMark(out[0] == '$' || (out[0] >= '0' && out[0] <= '9') ? "e" : "s");
  return out;
}

void AssignElement(TPiruBase& state, const std::string& target, const std::string& value_text) {
  std::size_t hash = target.find('#');
  std::string name = target.substr(0, hash);
  std::string keys = target.substr(hash + 1);
  if (EndsWithChar(keys, "は")) keys.resize(keys.size() - 2);
  std::size_t second_hash = keys.find('#');
  std::int64_t first = Key(ArgumentValue(state, keys.substr(0, second_hash)));
  std::int64_t second = second_hash == std::string::npos ? 0 : Key(keys.substr(second_hash + 1));
  std::string value = ArgumentValue(state, value_text);
  if (first < 0 || second < 0) return;
  THashNode* word = state.Words.Find(name, false);
  if (!word) word = &state.Words.Add(std::make_unique<THashNode>(name, "", static_cast<std::int32_t>(state.RunControl.Count())));
  if (word->Kind != kVariable || word->Reserved || word->Dict)
    RaiseScriptError(state, "\"" + name + "\"は、文法が正しくないため、実行できません。代入出来ません。");
  try {
    if (second_hash == std::string::npos)
      word->Table().SetRowLine(static_cast<std::size_t>(first), value);
    else
      word->Table().SetCell(static_cast<std::size_t>(first), static_cast<std::size_t>(second), std::move(value));
  } catch (const std::length_error& e) {
    RaiseScriptError(state, e.what());
  }
  word->TableChanged();
  word->SetMark("s");
}

}  // namespace pirune
