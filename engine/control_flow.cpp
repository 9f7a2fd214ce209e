#include "engine/control_flow.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/assignment.h"
#include "engine/conv_to_half.h"
#include "engine/errors.h"
#include "engine/expression.h"
#include "engine/nesting.h"
#include "engine/piru_base.h"
#include "engine/preprocess.h"
#include "engine/reader.h"
#include "engine/registry.h"
#include "engine/script_file.h"
#include "engine/sjis.h"
#include "engine/statement.h"
#include "engine/user_functions.h"
#include "engine/values.h"

namespace pirune {
namespace {

// A loop count written as an integer; -1 for anything else.
std::int32_t StrictInteger(const std::string& text) {
  std::string t = Trim(text);
  char* end = nullptr;
  long long v = std::strtoll(t.c_str(), &end, 10);
  if (t.empty() || *end != '\0' || v < INT32_MIN || v > INT32_MAX) return -1;
  return static_cast<std::int32_t>(v);
}

void SetNumber(THashNode* word, std::int64_t n) {
  if (!word) return;
  word->SetInteger(n);
  word->SetMark("e");
}

// Records taken off the stack while searching it. A search that finds nothing puts
// them back, so a command with nothing to act on leaves the running blocks (and the
// text under the cursor) as they were instead of silently ending them.
class TakenRecords {
 public:
  explicit TakenRecords(TPiruBase& state) : state_(state) {}
  void Take(TRunControl& r) { taken_.push_back(std::move(r)); }
  void PutBack() {
    for (auto it = taken_.rbegin(); it != taken_.rend(); ++it) state_.RunControl.Push(std::move(*it));
    taken_.clear();
  }

 private:
  TPiruBase& state_;
  std::vector<TRunControl> taken_;
};

void SetCounter(TPiruBase& state, std::int64_t n) { SetNumber(state.Kaisuu, n); }

bool WhileHolds(TPiruBase& state, const std::string& condition) {
  Number v = StrToValue(EvaluateExpression(state, condition));
  return TruncatesToNonZero(v);
}

// Leaves the innermost loop, call or local block.
void Leave(TPiruBase& state) {
  TakenRecords taken(state);
  TRunControl r;
  while (state.RunControl.Pop(r)) {
    switch (r.kind) {
      case kIfTrue:
      case kIfFalse:
      case kCase:
        taken.Take(r);
        continue;
      case kCall:
        state.MoveCursor(r.start);
        state.Words.PopScope();
        return;
      case kEvent:
        state.MoveCursor(r.start);
        return;
      case kLocalBlock:
        state.MoveCursor(r.return_position);
        state.Words.PopScope();
        return;
      default:
        state.MoveCursor(r.return_position);
        return;
    }
  }
  taken.PutBack();  // nothing to leave
}

void ContinueLoop(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  if (state.RunControl.Count() == 0) {
    state.MoveCursor(TextPos{});
    return;
  }
  TRunControl r;
  TRunControl last;
  bool found = false;
  while (state.RunControl.Pop(r)) {
    if (r.kind != kIfTrue && r.kind != kIfFalse && r.kind != kCase) {
      found = true;
      break;
    }
    last = std::move(r);
  }
  TRunControl target = found ? std::move(r) : std::move(last);
  state.RestoreFileName(target.file_name);
  state.RunControl.Push(std::move(target));
  CheckRunControl(state);
}

void Jump(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  const std::string& name = c.Raw(0);
  std::string pattern = "*" + name + "\r";
  TakenRecords taken(state);
  TRunControl r;
  while (state.RunControl.Pop(r)) {
    if (!r.HasBlock()) {
      state.RunControl.Push(std::move(r));
      break;
    }
    const TextPos block = r.start;
    std::string_view walked = std::string_view(*block.text).substr(block.offset, block.end - block.offset);
    std::size_t at = walked.find(pattern);
    if (at != std::string::npos && (at == 0 || walked[at - 1] == '\n' || walked[at - 1] == ':' ||
                                    walked[at - 1] == ' ' || walked[at - 1] == '\t')) {
      state.RunControl.Push(std::move(r));
      state.MoveCursor(TextPos{block.text, block.offset + at, block.end});
      return;
    }
    taken.Take(r);
  }
  THashNode* label = state.Words.Find(name, false);
  if (!label || label->Kind != kLabel) {
    taken.PutBack();
    RaiseScriptError(state, "未定義のラベル\"" + name + "\"に、ジャンプしようとしました。");
  }
  state.MoveCursor(label->Ref);
  state.SetFileName(label->Mark);
}

void CallCommand(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  std::string name = c.Raw(0);
  if (!name.empty() && (name[0] == '`' || name[0] == '"')) name = TConvToHalf::Text(ArgumentValue(state, name));
  THashNode* label = state.Words.Find(name, false);
  if (!label || label->Kind != kLabel) throw Exception("ラベル\"" + name + "\"はありません。");
  CallLabel(state, *label);
}

void Return(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  if (state.RunControl.Count() == 0) {
    state.MoveCursor(TextPos{});
    state.SetFileName({});
    return;
  }
  // The call's record, under those of the blocks the statement is inside: they end with it.
  for (std::size_t k = 0; k < state.RunControl.Count(); ++k) {
    const TRunControl& r = state.RunControl.Below(k);
    if (r.kind != kCall && r.kind != kEvent) continue;
    for (std::size_t i = 0; i < k; ++i) state.RunControl.Drop();
    TRunControl* call = state.RunControl.Top();
    state.MoveCursor(call->start);
    state.Words.PopScope();
    state.RestoreFileName(call->file_name);
    state.RunControl.Drop();
    return;
  }
  RaiseScriptError(state, "「戻る」べき場所がありません。");
}

void ForLoop(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  std::string to_text = c.Text(2);
  std::string from_text = c.Text(1);
  const std::string& counter_name = c.Raw(0);
  auto strict = [&](const std::string& t, std::int32_t& out) {
    std::string s = Trim(t);
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (s.empty() || *end != '\0' || !std::isfinite(v) || std::fabs(v) > 2147483647.0) return false;
    out = static_cast<std::int32_t>(std::trunc(v));
    return true;
  };
  std::int32_t from = 0, to = 0;
  if (!strict(from_text, from) || !strict(to_text, to))
    c.Fail("\"" + c.Name() + "\"には、数値を指定してください。");
  THashNode* counter = state.Words.Find(counter_name, false);
  if (!counter) {
    auto word = std::make_unique<THashNode>(counter_name, "", static_cast<std::int32_t>(state.RunControl.Count()));
    word->Mark = "e";
    counter = &state.Words.Add(std::move(word));
  } else if (counter->Kind != kVariable) {
    c.Fail("\"" + c.Name() + "\"の実行回数カウンターには、変数を指定してください。");
  }
  SkipBlanks(state.Cur);
  Block block = ReadBlock(state);
  if (from > to) return;
  SetNumber(counter, from);
  if (TRunControl* r = EnterBlock(state, kForLoop, block)) {
    r->counter = from;
    r->limit = to;
    r->counter_word = counter;
  }
}

void EachLine(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  const std::string& raw = c.Raw(0);
  std::string text;
  THashNode* word = state.Words.Find(raw, false);
  if (!word) {
    text = ArgumentValue(state, raw);
  } else if (word->Dict) {
    word->Dict->Enumerate([&](THashNode& entry) { text += entry.Name + "\r\n"; });
  } else {
    text = word->GetValue();
  }
  Block block = ReadBlock(state);
  auto lines = std::make_shared<std::vector<std::string>>();
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t end = text.find_first_of("\r\n", i);
    if (end == std::string::npos) end = text.size();
    lines->push_back(text.substr(i, end - i));
    if (end == text.size()) break;
    i = end + 1;
    if (text[end] == '\r' && i < text.size() && text[i] == '\n') ++i;
  }
  if (lines->empty()) return;
  c.Result((*lines)[0]);
  SetCounter(state, 1);
  if (TRunControl* r = EnterBlock(state, kEachLine, block)) {
    r->counter = 1;
    r->limit = static_cast<std::int32_t>(lines->size());
    r->lines = lines;
  }
}

void WhileLoop(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  std::string condition = Preprocess(state, TConvToHalf::Text(c.Raw(0)));
  Block block = ReadBlock(state);
  if (condition.empty() || condition == "``") return;
  if (condition[0] == '`') condition = Unquote(condition);
  if (!WhileHolds(state, condition)) return;
  SetCounter(state, 1);
  if (TRunControl* r = EnterBlock(state, kWhile, block)) {
    r->counter = 1;
    r->limit = -1;
    r->condition = condition;
  }
}

void RunText(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  std::string text = c.Text(0);
  std::string saved_source = state.Source;
  const std::string* saved_name = state.InternedFileName();
  TextPos saved_cursor = state.Cur;
  state.SetFileName(state.FileName() + "の" + std::to_string(state.Line) + "行目のぴるね");
  ProgramText prepared = MakeProgramText(Preprocess(state, JoinLines(text)));
  RunNested(state, TextPos{prepared.get(), 0});
  state.Source = std::move(saved_source);
  state.RestoreFileName(saved_name);
  state.Cur = state.Ended ? TextPos{} : saved_cursor;
}

void LeaveCommand(TCommand& c) { Leave(c.Interpreter()); }

}  // namespace

// The block is read where it is written. Walking it later reads the same bytes the same
// way: a line continued by "&" is continued there too, by the reader that meets the "&".
Block ReadBlock(TPiruBase& state) {
  TextPos& c = state.Cur;
  if (c.None()) return Block{};
  SkipBlanks(c);
  if (c.At() == '\r' || c.At() == '\n') {
    TakeLineNumber(state, c);
    ExecutePending(state);
    if (c.None()) return Block{};
    SkipBlanks(c);
  }
  Block block;
  block.first_line = LineAt(state, c);
  block.text = KeepText(c.text);
  if (c.At() == '(') {
    std::size_t begin = c.offset + 1;
    ReadBracket(state, c);
    block.start = TextPos{c.text, begin, c.offset - 1};  // up to the ")"
  } else {
    std::size_t begin = c.offset;
    ReadRest(state, c);  // the rest of the statement
    block.start = TextPos{c.text, begin, c.offset};
  }
  return block;
}

TRunControl* EnterBlock(TPiruBase& state, std::uint8_t kind, const Block& block) {
  if (state.Cur.None()) return nullptr;  // the program has ended
  TRunControl& record =
      state.RunControl.Emplace(kind, state.Cur, block.start, block.text, state.InternedFileName(), block.first_line);
  state.Cur = record.start;
  return &record;
}

void CheckRunControl(TPiruBase& state) {
  TRunControl* top = state.RunControl.Top();
  if (!top) return;
  try {
    // A loop that goes round again keeps its record where it is.
    switch (top->kind) {
      case kRepeat:
      case kForLoop:
        if (top->counter < top->limit) {
          ++top->counter;
          if (top->kind == kRepeat)
            SetCounter(state, top->counter);
          else
            SetNumber(top->counter_word, top->counter);
          state.Cur = top->start;
          return;
        }
        break;
      case kEachLine:
        if (top->counter < top->limit) {
          ++top->counter;
          SetResult(state, (*top->lines)[static_cast<std::size_t>(top->counter - 1)], "s");
          SetCounter(state, top->counter);
          state.Cur = top->start;
          return;
        }
        break;
      case kWhile: {
        std::string condition = top->condition;
        if (WhileHolds(state, condition)) {
          top = state.RunControl.Top();  // the condition may have run code
          ++top->counter;
          SetCounter(state, top->counter);
          state.Cur = top->start;
          return;
        }
        break;
      }
      default:
        break;
    }
    top = state.RunControl.Top();
    if (!top) return;
    switch (top->kind) {
      case kIfTrue:
      case kIfFalse:
      case kCase:
      case kRepeat:
      case kForLoop:
      case kEachLine:
      case kWhile:
        state.Cur = top->return_position;
        state.RunControl.Drop();
        return;
      case kCall:
      case kEvent:
        state.Cur = top->start;
        state.RestoreFileName(top->file_name);
        state.RunControl.Drop();
        state.Words.PopScope();
        return;
      default:
        state.RunControl.Drop();
        throw Exception("特定できないシステムエラーです(ToT)\"CheckRunControl\"で未定義の構文があります。");
    }
  } catch (const Exception& e) {
    RaiseScriptError(state, "実行制御でエラー。" + e.Message() + ".制御スタック：" + std::to_string(state.RunControl.Count()));
  }
}

void RepeatStatement(TPiruBase& state, const std::string& count_text) {
  std::int32_t count = StrictInteger(ArgumentValue(state, count_text));
  Block block = ReadBlock(state);
  if (count <= 0) return;
  SetCounter(state, 1);
  if (TRunControl* r = EnterBlock(state, kRepeat, block)) {
    r->counter = 1;
    r->limit = count;
  }
}

namespace {

// Enters the label's body as a call, its arguments bound already.
void EnterCall(TPiruBase& state, const THashNode& label) {
  TRunControl& r = state.RunControl.Emplace();
  r.kind = kCall;
  r.start = state.Cur;
  if (!state.Cur.None()) r.text = KeepText(state.Cur.text);  // the caller's text, to come back to
  r.return_position = label.Ref;
  r.file_name = state.InternedFileName();
  state.SetFileName(label.Mark);
  state.Words.PushScope();
  state.MoveCursor(label.Ref);
}

}  // namespace

void CallLabel(TPiruBase& state, const THashNode& label) {
  if (!label.Pattern.empty()) BindFunctionArguments(state, label);
  EnterCall(state, label);
}

void CallLabelNested(TPiruBase& state, const THashNode& label) {
  // The call's own arguments are bound by position, from the caller's word stack; the
  // nested run then reads the label's statements on a stack of its own, binding their
  // arguments by particle.
  if (!label.Pattern.empty()) BindFunctionArguments(state, label);
  RunNestedRun(state, [&] {
    state.Cur = TextPos{};
    EnterCall(state, label);
  });
}

std::span<const CommandBinding> ControlFlowCommands() {
  static const CommandBinding commands[] = {
      {"戻る", Return},       {"飛ぶ", Jump},          {"呼ぶ", CallCommand},       {"繰り返す", ForLoop},
      {"反復", EachLine},     {"ぴるねする", RunText}, {"抜ける", LeaveCommand},    {"続ける", ContinueLoop},
      {"ループ", WhileLoop},
  };
  return commands;
}

}  // namespace pirune
