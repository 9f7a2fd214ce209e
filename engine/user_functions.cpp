#include "engine/user_functions.h"

#include <algorithm>
#include <cmath>

#include "engine/control_flow.h"
#include "engine/conv_to_half.h"
#include "engine/errors.h"
#include "engine/nesting.h"
#include "engine/piru_base.h"
#include "engine/reader.h"
#include "engine/registry.h"
#include "engine/sjis.h"
#include "engine/values.h"

namespace pirune {
namespace {

// "?" (0x3F) is never the second byte of a double-byte character: each one is a slot.
std::size_t SlotCount(const std::string& pattern) { return std::count(pattern.begin(), pattern.end(), '?'); }

void DefineFunction(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  std::string pattern = TConvToHalf::Text(c.Text(1));
  std::string name = c.WordName(0);
  THashNode* label = state.Words.Find(name, false);
  if (!label) throw Exception("\"" + c.Name() + "\"命令の引数に誤りがあります。ラベルが定義されていません。");
  label->Pattern = pattern;
  std::string shortened = Normalise(name);
  if (shortened != name && !state.Words.Find(shortened, false)) {
    auto alias = std::make_unique<THashNode>(shortened, "", 0);
    alias->Assign(*label);
    state.Words.Add(std::move(alias));
  }
}

void TakeArguments(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  THashNode* target = &c.Word(0, true);
  state.Sore->Mark = "s";
  if (state.Arguments.empty()) return;
  std::string joined;
  for (std::size_t i = 0; i < state.Arguments.size(); ++i) joined += (i ? "\r" : "") + Trim(state.Arguments[i]);
  state.Arguments.clear();
  target->SetValue(std::move(joined));
}

void GetArgument(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  Number n = c.Num(1);
  THashNode* target = &c.Word(0, true);
  // Its integer part from 1 to the count.
  bool inside = n >= 1 && n < static_cast<Number>(state.Arguments.size()) + 1;
  target->SetValue(inside ? state.Arguments[static_cast<std::size_t>(TruncatedInt64(n)) - 1] : std::string());
}

void DeclareLocal(TPiruBase& state, const std::string& name) {
  state.Words.AddLocal(state.Words.NewVariable(name, static_cast<std::int32_t>(state.RunControl.Count())));
}

void LocalVariables(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  const std::string& raw = c.Raw(0);
  if (c.Defaulted() || std::string_view(raw) == "それ") throw Exception("変数『それ』はローカル変数として使えません。");
  if (raw.empty() || (raw[0] != '"' && raw[0] != '`')) {
    DeclareLocal(state, raw);
    return;
  }
  std::string names = ArgumentValue(state, raw);
  std::size_t i = 0;
  while (i < names.size()) {
    std::size_t end = names.find_first_of("\r\n", i);
    if (end == std::string::npos) end = names.size();
    std::string name = Trim(std::string_view(names).substr(i, end - i));
    if (!name.empty()) DeclareLocal(state, name);
    i = end + 1;
  }
}

void LocalBlockStart(TCommand& command) {
  TPiruBase& state = command.Interpreter();
  static const std::string kOpen = "ここから", kClose = "ここまで";
  TextPos c = state.Cur;
  int depth = 1;
  while (true) {
    SkipBlanks(c);
    if (c.AtEnd()) throw Exception("『ここまで』がないか、『ここから』と対応していません。");
    if (AtLiteral(c)) {
      ReadLiteral(state, c);
    } else if (c.text->compare(c.offset, kOpen.size(), kOpen) == 0) {
      ++depth;
      c.offset += kOpen.size();
    } else if (c.text->compare(c.offset, kClose.size(), kClose) == 0) {
      c.offset += kClose.size();
      if (--depth == 0) break;
    } else {
      StepChar(c);
    }
  }
  TRunControl r;
  r.kind = kLocalBlock;
  r.start = state.Cur;
  r.text = KeepText(state.Cur.text);
  r.return_position = c;
  r.file_name = state.InternedFileName();
  state.RunControl.Push(std::move(r));
  state.Words.PushScope();
}

void LocalBlockEnd(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  TRunControl r;
  if (!state.RunControl.Pop(r)) return;
  if (r.kind != kLocalBlock) {
    throw Exception("『ここから』と『ここまで』がうまく対応していません。");
  }
  state.Words.PopScope();
}

}  // namespace

void BindFunctionArguments(TPiruBase& state, const THashNode& label) {
  Bind(state, label);
  std::size_t n = std::min(SlotCount(label.Pattern), state.Stack.Count());
  // All off the stack first: reading a value may call commands that bind their own.
  // The previous call's list lends its room.
  std::vector<std::string> values = std::move(state.SpareArguments);
  values.resize(n);
  for (std::size_t i = n; i-- > 0;) state.Stack.PopInto(values[i]);
  for (auto& v : values) {
    // A number written as itself is its own value: kept, not copied.
    if (!v.empty() && ShortcutsHere(state) && PlainNumberLength(v) == v.size())
      state.SetLastMark("e");
    else
      v = ArgumentValue(state, v);
  }
  state.Arguments.swap(values);
  state.SpareArguments = std::move(values);
}

std::span<const CommandBinding> UserFunctionCommands() {
  static const CommandBinding commands[] = {
      {"関数定義", DefineFunction}, {"引数取得", TakeArguments},    {"引数得る", GetArgument},
      {"ローカル変数", LocalVariables}, {"ここから", LocalBlockStart}, {"ここまで", LocalBlockEnd},
  };
  return commands;
}

}  // namespace pirune
