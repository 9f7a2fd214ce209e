#include "engine/statement.h"

#include <cstdlib>
#include <optional>

#include "engine/assignment.h"
#include "engine/conditions.h"
#include "engine/control_flow.h"
#include "engine/decode_cache.h"
#include "engine/errors.h"
#include "engine/events.h"
#include "engine/expression.h"
#include "engine/nesting.h"
#include "engine/not_yet.h"
#include "engine/piru_base.h"
#include "engine/reader.h"
#include "engine/registry.h"
#include "engine/sjis.h"
#include "engine/values.h"
#include "gui/host.h"

namespace pirune {
namespace {

// Words that, written alone as a statement, read a part's property.
const char* const kPropertyStatements[] = {
    "イベント", "クリックした時", "ダブルクリックした時", "マウス押した時", "マウス離した時", "キー押した時",
    "キー離した時", "変更した時", "マウス動かした時", "最小値", "タイトル", "最大値",
};

[[noreturn]] void GrammarError(TPiruBase& state, unsigned char c, const std::string& tail) {
  std::string ch(1, static_cast<char>(c));
  RaiseScriptError(state, "\"" + ch + "\"は、文法が正しくないため、実行できません。" + tail);
}

// While a statement ended by a line break runs, errors belong to that line.
class LineEndScope {
 public:
  explicit LineEndScope(TPiruBase& state)
      : state_(state), cursor_(state.LineEndCursor), line_(state.LineEndLine) {
    state_.LineEndCursor = state_.Cur;
    state_.LineEndLine = state_.Line;
  }
  ~LineEndScope() {
    state_.LineEndCursor = cursor_;
    state_.LineEndLine = line_;
  }

 private:
  TPiruBase& state_;
  TextPos cursor_;
  std::int32_t line_;
};

void InvokeByKind(TPiruBase& state, THashNode& word) {
  switch (word.Kind) {
    case kCommand:
      Invoke(state, word);
      break;
    case kLabel:
      CallLabel(state, word);
      break;
    case kVariable:
    case kPart:
      RaiseScriptError(state, "\"" + word.Name + "\"は、文法が正しくないため、実行できません。変数を実行することは出来ません。");
    case kDllFunction:
      NotAvailableYet(state, word.Name);
    default:
      break;
  }
}

// A command must have taken every fragment of its statement.
void NoArgumentsLeft(TPiruBase& state, const THashNode& word) {
  if (state.Stack.Count() > 0)
    RaiseScriptError(state, "\"" + word.Name + "\"命令の引数に誤りがあります。引数が多いです。\"" + state.Stack.AsText() + "\"");
}

// The command word `t` (which names `word`, if anything) with its arguments on the
// word stack.
void RunCommandWord(TPiruBase& state, const std::string& t, THashNode* word) {
  TStack& stack = state.Stack;
  if (word) {
    InvokeByKind(state, *word);
    NoArgumentsLeft(state, *word);
    return;
  }
  std::string q = stack.Pop();
  for (const char* property : kPropertyStatements)
    if (t == Normalise(property)) NotAvailableYet(state, t);
  if (!q.empty()) stack.Push(q);
  std::string listed;
  for (std::size_t i = 0; i < stack.Count(); ++i) listed += stack.Get(i) + ",";
  listed = Trim(listed + t);
  stack.Clear();
  RaiseScriptError(state, "\"" + listed + "\"は未定義の命令です。(;o;)<綴りミスか、命令の引数に注意！");
}

// An assignment statement "name = value" decodes the same way every time it is read;
// its decoding is kept, keyed by where the statement starts.
struct DecodedAssignment {
  std::string target;
  std::string rest;
  bool took_line = false;
  std::int32_t line_after = 0;
  AssignmentPlan plan;
};

// A statement of plain tokens (words, numbers, texts without {…}) ends with the same
// fragments on the word stack every time it is read, whatever the dictionary holds; only
// what its command then does depends on it. Such a reading is kept, keyed by where the
// statement starts.
struct DecodedStatement {
  enum End : std::uint8_t { kLineEnd, kOther } end = kOther;
  std::vector<std::string> fragments;
  TWordLookup command;  // what the last fragment names
  // The arguments as that command's pattern binds them, for as long as it is the same
  // command with the same pattern.
  mutable TKeptBinding binding;
  bool took_line = false;
  std::int32_t line_after = 0;
};

// A statement that begins with a call with brackets, "name(…)": what the name finds is
// looked up again each time; the argument list is kept at its own place.
struct DecodedCall {
  std::string name;
  TWordLookup callee;
};

// What was read at a statement's start: an assignment, a call with brackets, or
// fragments ending in a command.
struct KeptStatement {
  std::shared_ptr<const DecodedAssignment> assignment;
  std::shared_ptr<const DecodedCall> call;
  DecodedStatement statement;
};

// At namespace scope: looked up all the time, it needs no guard of its first use.
DecodeCache<KeptStatement> kept_statementcache;
DecodeCache<KeptStatement>& StatementCache() { return kept_statementcache; }

void Assignment(TPiruBase& state, const std::string& target, TextPos& c, TextPos start) {
  // A target that is a literal is refused by the general reading, never kept.
  if (start.None() || state.Stack.Count() > 0 || !ShortcutsHere(state) || IsLiteralTarget(target)) {
    AssignStatement(state, target, c);
    return;
  }
  std::uint32_t takes = state.LineTakes;
  auto d = std::make_shared<DecodedAssignment>();
  d->target = target;
  TextPos rest_at = c;
  d->rest = ReadRest(state, c);
  d->took_line = state.LineTakes != takes;
  d->line_after = state.Line;
  d->plan = PlanAssignment(state, d->target, d->rest);
  // A value read as written (no line joined into it) is read again where it is written,
  // where what is kept at its positions (the argument lists of calls) is found.
  if (std::string_view(*rest_at.text).substr(rest_at.offset, d->rest.size()) == d->rest) {
    d->plan.rest_at = TextPos{rest_at.text, rest_at.offset, rest_at.offset + d->rest.size()};
    if (!d->plan.call.empty()) d->plan.call_at = TextPos{rest_at.text, rest_at.offset + d->plan.call_bracket, d->plan.rest_at.end};
  }
  StatementCache().Store(start, c.offset, KeptStatement{d, nullptr, {}});
  AssignValue(state, d->target, d->rest, &d->plan);
}

void RunKeptAssignment(TPiruBase& state, const std::shared_ptr<const DecodedAssignment>& kept, std::size_t end) {
  std::shared_ptr<const DecodedAssignment> d = kept;  // running it may decode (and evict) others
  state.Cur.offset = end;
  if (d->took_line) state.Line = d->line_after;
  AssignValue(state, d->target, d->rest, &d->plan);
}

// The loop commands, which read their block themselves, in any spelling.
bool IsLoopWord(const std::string& f) {
  static const std::string kRepeatHead = "繰", kEachHead = "反", kWhileHead = "ル";
  if (f.compare(0, 2, kRepeatHead) != 0 && f.compare(0, 2, kEachHead) != 0 && f.compare(0, 2, kWhileHead) != 0)
    return false;
  std::string normalised = Normalise(f);
  return normalised == "繰返" || normalised == "反復" || normalised == "ループ";
}

// Something in the statement being read depends on more than its text.
void NotPlain(TPiruBase& state) { state.Recording.pure = false; }

void StartRecording(TPiruBase& state) {
  auto& r = state.Recording;
  r.active = true;
  r.pure = true;
  r.start = state.Cur;
  r.line_takes = state.LineTakes;
  r.nesting = state.Nesting;
}

// At the end of a statement read by the reader, before its command runs.
void EndOfStatement(TPiruBase& state, DecodedStatement::End end) {
  auto& r = state.Recording;
  if (!r.active) return;
  r.active = false;
  if (!r.pure || r.nesting != state.Nesting || !state.Cur.SameWalk(r.start) || state.Stack.Count() == 0) return;
  DecodedStatement d;
  d.end = end;
  for (std::size_t i = 0; i < state.Stack.Count(); ++i) d.fragments.push_back(state.Stack.Get(i));
  d.took_line = state.LineTakes != r.line_takes;
  d.line_after = state.Line;
  StatementCache().Store(r.start, state.Cur.offset, KeptStatement{nullptr, nullptr, std::move(d)});
}

// Runs a kept statement's command with the arguments bound the way they were the last
// time, or binds them now and keeps that.
void RunKeptCommand(TPiruBase& state, const DecodedStatement& d, const THashNode& command) {
  // The entry may be evicted while the command runs; from then on nothing reads it.
  if (d.binding.Holds(command)) {
    d.binding.Invoke(state, command);
  } else {
    for (std::size_t i = 0; i + 1 < d.fragments.size(); ++i) state.Stack.Push(d.fragments[i]);
    d.binding.Bind(state, command);
    InvokeBound(state, command);
  }
  NoArgumentsLeft(state, command);
}

[[gnu::always_inline]] inline void RunKeptStatement(TPiruBase& state, const DecodedStatement* d, std::size_t end) {
  const std::string& t = d->fragments.back();
  state.Cur.offset = end;
  if (d->took_line) state.Line = d->line_after;
  std::optional<LineEndScope> scope;
  if (d->end == DecodedStatement::kLineEnd) scope.emplace(state);
  if (t[0] == '\\') {
    for (const auto& f : d->fragments) state.Stack.Push(f);
    ExecutePending(state);
    return;
  }
  THashNode* word = d->command.Find(state.Words, t, true);
  if (word && word->Kind == kCommand && !state.PositionalArgs) {
    RunKeptCommand(state, *d, *word);
    return;
  }
  for (std::size_t i = 0; i + 1 < d->fragments.size(); ++i) state.Stack.Push(d->fragments[i]);
  // As above: past its start, the command's run never reads the entry.
  RunCommandWord(state, t, word);
}

// A statement that begins with a call with brackets, the cursor on its "(": the call,
// then its result. Answers the fragment the statement reads on with, or nothing when the
// statement is over.
std::optional<std::string> StatementCall(TPiruBase& state, THashNode& callee, const std::string& name) {
  TextPos& c = state.Cur;
  std::optional<std::string> result = CallStatement(state, callee, name, c);
  if (!result) return std::nullopt;
  return (NeedsQuoting(state, *result) ? Quote(*result) : *result) + ReadWord(c);
}

// Keeps a call with brackets that a statement begins with, read from `start` to the "("
// at the cursor.
void KeepStatementCall(TPiruBase& state, const std::string& name, TextPos start) {
  const auto& r = state.Recording;
  if (start.None() || !r.active || r.start != start || r.nesting != state.Nesting || state.Stack.Count() > 0 ||
      r.line_takes != state.LineTakes || !ShortcutsHere(state))
    return;
  auto d = std::make_shared<DecodedCall>();
  d->name = name;
  StatementCache().Store(start, state.Cur.offset, KeptStatement{nullptr, std::move(d), {}});
}

// Replays a kept call statement while its name still finds something callable; answers
// false, having done nothing, when it does not. (Out of line: inlined, it makes the
// statement reader dearer for every other statement.)
[[gnu::noinline]] bool RunKeptCall(TPiruBase& state, const std::shared_ptr<const DecodedCall>& kept, std::size_t bracket) {
  std::shared_ptr<const DecodedCall> d = kept;  // the call may decode (and evict) others
  THashNode* callee = d->callee.Find(state.Words, d->name, true);
  if (!callee || !IsCallable(callee->Kind)) return false;
  state.Cur.offset = bracket;
  std::optional<std::string> rest = StatementCall(state, *callee, d->name);
  if (!rest) return true;
  state.Stack.Push(std::move(*rest));
  if (state.Cur.At() == 0) Step(state);
  return true;
}

void TokenAnalysis(TPiruBase& state, std::string f, bool word_token, TextPos start = TextPos{}) {
  TextPos& c = state.Cur;
  SkipBlanks(c);
  if (c.At() == '=') {
    NotPlain(state);
    ++c.offset;
    Assignment(state, f, c, word_token ? start : TextPos{});
    return;
  }
  if (c.At() == '&') {
    NotPlain(state);
    std::string value;
    if (ReferenceValue(state, f, value)) f = Quote(value);
    if (c.None()) return;
    f += ReadParticle(state, c);
    state.Stack.Push(std::move(f));
    return;
  }
  if (EndsWithChar(f, "の")) {
    NestingGuard guard(state);
    state.Stack.Push(std::move(f));
    Step(state);
    return;
  }
  if (EndsWithChar(f, "は")) {
    NotPlain(state);
    Assignment(state, f.substr(0, f.size() - 2), c, word_token ? start : TextPos{});
    return;
  }
  if (EndsWithChar(f, "回")) {
    NotPlain(state);
    RepeatStatement(state, f.substr(0, f.size() - 2));
    return;
  }
  if (EndsWithChar(f, "時") && EndsWithChar(f.substr(0, f.size() - 2), "の")) {
    NotPlain(state);
    CaseLabel(state, f.substr(0, f.size() - 4));
    return;
  }
  if (EndsWithChar(f, "て")) {
    NotPlain(state);
    THashNode* w = state.Words.Find(f, true);
    if (w && IsCallable(w->Kind)) {
      if (c.At() == '(')
        CallWithBrackets(state, f, c, false);
      else
        InvokeByKind(state, *w);
      return;
    }
  }
  if (f == "もし" || IsLoopWord(f)) {
    // The command reads the rest itself; what came before it is an ordinary statement.
    state.Stack.Push(std::move(f));
    EndOfStatement(state, DecodedStatement::kOther);
    ExecutePending(state);
    return;
  }
  if (word_token && c.At() == '(') {
    NotPlain(state);
    THashNode* w = state.Words.Find(f, true);
    if (w && IsCallable(w->Kind)) {
      KeepStatementCall(state, f, start);
      std::optional<std::string> rest = StatementCall(state, *w, f);
      if (!rest) return;
      f = std::move(*rest);
    }
  }
  state.Stack.Push(std::move(f));
  if (c.At() == 0) Step(state);
}

void ElementTarget(TPiruBase& state) {
  NotPlain(state);
  TextPos& c = state.Cur;
  std::string name = state.Stack.Pop();
  if (!state.Words.Find(name, false)) state.Words.Add(std::make_unique<THashNode>(name, "", -1));
  ++c.offset;
  auto read_key = [&](bool& as_word) {
    as_word = c.At() != '(';
    return as_word ? ReadWord(c) : ReadBracket(state, c);
  };
  bool as_word = false;
  std::string f = name + "#" + read_key(as_word);
  SkipSpaces(c);
  if (c.At() == '#') {
    ++c.offset;
    std::string key = read_key(as_word);
    if (as_word && (EndsWithChar(key, "は") || EndsWithChar(key, "と") || EndsWithChar(key, "を"))) {
      key.resize(key.size() - 2);
      c.offset -= 2;
    }
    f += "#" + ArgumentValue(state, key);
    if (c.None()) return;
  }
  if (!IsWordDelimiter(c.At())) f += ReadWord(c);
  TokenAnalysis(state, std::move(f), false);
}

void NumberStatement(TPiruBase& state) {
  TextPos& c = state.Cur;
  std::string f = ReadNumber(c);
  SkipSpaces(c);
  while (IsOperatorChar(c.At())) {
    while (IsOperatorChar(c.At())) f += static_cast<char>(c.At()), ++c.offset;
    SkipSpaces(c);
    // A line that ends in "&" goes on on the next, here as wherever a "&" joins (a block
    // walked where it is written meets the line end as the main text does).
    if (f.back() == '&' && (c.At() == '\r' || c.At() == '\n')) {
      TakeLineNumber(state, c);
      SkipBlanks(c);
    }
    f += ReadNumber(c);
    SkipSpaces(c);
    f = EvaluateExpression(state, f);
  }
  unsigned char b = c.At();
  if (b != '\r' && b != '\n' && b != ',' && b != ';' && b != 0xA4) f += ReadWord(c);
  TokenAnalysis(state, std::move(f), false);
}

void BracketStatement(TPiruBase& state) {
  NotPlain(state);
  TextPos& c = state.Cur;
  std::string inner = ReadBracket(state, c);
  std::string f;
  if (inner.find(',') != std::string::npos) {
    f = inner;
  } else if (c.text->compare(c.offset, 9, "で,ループ") == 0) {
    f = Quote(inner);
  } else {
    std::string v = ArgumentValue(state, inner);
    // Only numbers stand unquoted here; values of any other mark are quoted too.
    f = IsMark(state.LastMark, 'e') && !NeedsQuoting(state, v) ? v : Quote(v);
  }
  if (c.None()) return;
  f += ReadWord(c);
  TokenAnalysis(state, std::move(f), false);
}

void LiteralStatement(TPiruBase& state) {
  TextPos& c = state.Cur;
  std::string literal = ReadLiteral(state, c);
  if (!IsPlainLiteral(literal)) NotPlain(state);
  std::string f = Quote(ArgumentValue(state, literal));
  if (c.None()) return;  // the program ended while the text was read
  SkipSpaces(c);
  f += ReadParticle(state, c);
  TokenAnalysis(state, std::move(f), false);
}

// Steps over the line end at the cursor; answers false when the line goes on (it ended
// in ","), true when the statement ends there.
bool TakeLineEnd(TPiruBase& state) {
  TextPos& c = state.Cur;
  std::size_t line_end = c.offset;
  TakeLineNumber(state, c);
  if (line_end > 0 && (*c.text)[line_end - 1] == ',') return false;
  EndOfStatement(state, DecodedStatement::kLineEnd);
  return true;
}

// A line end with nothing pending only takes the next line's number; behind a statement
// just run (or where a block has just ended) that is done at once, not by another step.
// (Asked after every statement: the usual answer, no line end, is found first.)
inline void TakeLineEndAtOnce(TPiruBase& state) {
  unsigned char b = state.Cur.At();
  if ((b == '\r' || b == '\n') && state.Stack.Count() == 0 && FastPathsOn()) TakeLineEnd(state);
}

// When the run goes on after a statement that failed before reading anything, it goes
// on with the next line: running the same text again would only fail again.
void MoveOnAfterError(TPiruBase& state, TextPos failed_at) {
  state.Recording.active = false;
  if (state.Cur.None() || state.Cur != failed_at) return;
  SkipToLineEnd(state.Cur);
}

}  // namespace

std::string ReadParticle(TPiruBase& state, TextPos& c) {
  SkipSpaces(c);
  if (c.At() != '&') return ReadWord(c);
  std::string out;
  while (c.At() == '&') {
    ++c.offset;
    SkipBlanks(c);
    if (c.At() == '\r' || c.At() == '\n') {
      TakeLineNumber(state, c);
      SkipBlanks(c);
    }
    if (AtLiteral(c)) {
      std::string literal = ReadLiteral(state, c);
      if (!IsPlainLiteral(literal)) NotPlain(state);
      out += "&" + Quote(ArgumentValue(state, literal));
      SkipSpaces(c);
      if (c.At() != '&') out += ReadWord(c);
    } else {
      out += "&" + ReadWord(c);
    }
    SkipSpaces(c);
  }
  return out;
}

void Step(TPiruBase& state) {
  if (state.Cur.None()) return;
  TextPos& c = state.Cur;
  SkipBlanks(c);
  unsigned char b = c.At();
  if (state.Stack.Count() == 0 && b != 0 && b != '\r' && b != '\n' && b != ';' && b != '*' && ShortcutsHere(state)) {
    std::size_t end = 0;
    const KeptStatement* kept = StatementCache().Find(c, end);
    if (kept && kept->call) {
      if (RunKeptCall(state, kept->call, end)) {
        ++state.StatementsReplayed;
        TakeLineEndAtOnce(state);
        return;
      }
    } else if (kept) {
      ++state.StatementsReplayed;
      if (kept->assignment)
        RunKeptAssignment(state, kept->assignment, end);
      else
        RunKeptStatement(state, &kept->statement, end);
      TakeLineEndAtOnce(state);
      return;
    }
    StartRecording(state);
  }
  switch (b) {
    case 0:
      EndOfStatement(state, DecodedStatement::kOther);
      ExecutePending(state);
      return;
    case '\r':
    case '\n': {
      if (!TakeLineEnd(state)) return;
      LineEndScope scope(state);
      ExecutePending(state);
      return;
    }
    case '"':
    case '`':
      LiteralStatement(state);
      return;
    case '#':
      ElementTarget(state);
      return;
    case '$':
    case '+':
    case '-':
      NumberStatement(state);
      return;
    case '(':
      BracketStatement(state);
      return;
    case '*':
      SkipToLineEnd(c);
      return;
    case ';':
      ++c.offset;
      EndOfStatement(state, DecodedStatement::kOther);
      ExecutePending(state);
      return;
    case '?': {
      NotPlain(state);
      ++c.offset;
      SkipBlanks(c);
      if (c.At() != '"' && c.At() != '`') {
        ShortCondition(state);
        return;
      }
      std::string v = ArgumentValue(state, ReadLiteral(state, c));
      if (state.host) state.host->Say(v);
      return;
    }
    case '\\':
      ++c.offset;
      state.Stack.Push("\\" + ReadNumber(c));
      return;
    default:
      break;
  }
  if (IsDigit(b)) {
    NumberStatement(state);
    return;
  }
  if (b == '@' && c.At(1) == '@') {
    LiteralStatement(state);
    return;
  }
  TextPos start = c;
  std::string w = ReadWord(c);
  if (w.empty()) {
    if (b == '&') GrammarError(state, b, "\"&\"は、文字列との連結に使います。");
    if (IsOperatorChar(b)) GrammarError(state, b, "\"" + std::string(1, static_cast<char>(b)) + "\"は、計算式で使います。");
    GrammarError(state, b, "");
  }
  if (w == state.Soshite->Name) {
    EndOfStatement(state, DecodedStatement::kOther);
    ExecutePending(state);
    return;
  }
  TokenAnalysis(state, std::move(w), true, start);
}

void ExecutePending(TPiruBase& state) {
  TStack& stack = state.Stack;
  if (stack.Count() == 0) return;
  std::string t = stack.Pop();
  if (t[0] == '\\') {
    char* end = nullptr;
    long id = std::strtol(t.c_str() + 1, &end, 10);
    bool number = end != t.c_str() + 1 && *end == '\0';
    THashNode direct("\\", "", "", "", number ? static_cast<std::int32_t>(id) : -1, kCommand, TextPos{}, false);
    Invoke(state, direct);
    return;
  }
  RunCommandWord(state, t, state.Words.Find(t, true));
}

void RunLoop(TPiruBase& state) {
  TextPos last;
  std::uint64_t replayed = 0;
  while (true) {
    if (state.Cur.None() || state.BreakRequest == 1) return;
    if (state.Cur.At() == 0) {
      // A statement still being read when its text ends is never finished: what it read
      // so far is no decoding of it.
      state.Recording.active = false;
      while (state.Cur.At() == 0) {
        if (state.RunControl.Count() == 0) return;
        if (state.StepBudget && --state.StepBudget == 0) {  // an empty loop body goes round here
          EndProgram(state, state.ExitCode);
          return;
        }
        try {
          CheckRunControl(state);
        } catch (const Exception& e) {
          DispatchError(state, e);
        }
        if (state.Cur.None()) return;
      }
      TakeLineEndAtOnce(state);
      last = TextPos{};
      continue;
    }
    try {
      if (state.RunControl.Count() > static_cast<std::size_t>(kMaxRunControlRecords))
        RaiseScriptError(state, "実行が無限ループしている可能性があるので終了します。");
      if (state.Stop) return;
      if (state.Cur == last && state.StatementsReplayed == replayed)
        RaiseScriptError(state, "特定できないシステムエラーです(ToT)");
      if (state.StepBudget && --state.StepBudget == 0) {
        EndProgram(state, state.ExitCode);
        return;
      }
      if (state.ReentryProbe) {
        state.ReentryProbe();
        if (state.Cur.None() || state.Stop) return;
      }
      last = state.Cur;
      replayed = state.StatementsReplayed;
      Step(state);
    } catch (const Exception& e) {
      DispatchError(state, e);
      MoveOnAfterError(state, last);
    } catch (const std::bad_alloc&) {
      DispatchError(state, Exception("メモリが不足しています。"));
      MoveOnAfterError(state, last);
    }
  }
}

// What belongs to one run of the run loop rather than to the script: a nested run starts
// with its own and gives the interrupted run's back, however it ends. The script's own
// state (variables, "それ", the arguments of the latest call, the scopes, the last mark)
// is shared.
class SavedRunFields {
 public:
  explicit SavedRunFields(TPiruBase& state)
      : state_(state),
        cursor_(state.Cur),
        cursor_moves_(state.CursorMoves),
        outer_fragments_(state.Stack.Hide()),
        positional_(state.PositionalArgs),
        defaulted_(state.ArgDefaulted),
        line_end_cursor_(state.LineEndCursor),
        line_end_line_(state.LineEndLine),
        recording_(state.Recording),
        line_(state.Line),
        file_name_(state.InternedFileName()),
        case_subject_(state.CaseSubject),
        condition_(state.CondResult),
        scopes_(state.Words.ScopeDepth()) {
    state.PositionalArgs = false;
    state.ArgDefaulted = false;
    state.Recording.active = false;
  }
  ~SavedRunFields() {
    state_.Cur = cursor_;
    state_.CursorMoves = cursor_moves_;
    state_.Stack.Reveal(outer_fragments_);
    state_.PositionalArgs = positional_;
    state_.ArgDefaulted = defaulted_;
    state_.LineEndCursor = line_end_cursor_;
    state_.LineEndLine = line_end_line_;
    state_.Recording = recording_;
    state_.Line = line_;
    if (state_.Ended) {
      // The program ended inside. The interrupted statement has no cursor to go on from,
      // but what it still raises belongs to the line it stands on.
      if (!state_.Cur.None()) CurrentLine(state_);
      state_.Cur = TextPos{};
    }
    state_.RestoreFileName(file_name_);
    state_.CaseSubject = std::move(case_subject_);
    state_.CondResult = condition_;
    while (state_.Words.ScopeDepth() > scopes_) state_.Words.PopScope();
  }
  SavedRunFields(const SavedRunFields&) = delete;
  SavedRunFields& operator=(const SavedRunFields&) = delete;

 private:
  TPiruBase& state_;
  TextPos cursor_;
  std::uint64_t cursor_moves_;
  std::size_t outer_fragments_;
  bool positional_, defaulted_;
  TextPos line_end_cursor_;
  std::int32_t line_end_line_;
  TPiruBase::StatementRecording recording_;
  std::int32_t line_;
  const std::string* file_name_;
  std::string case_subject_;
  std::int32_t condition_;
  std::size_t scopes_;
};

void RunNestedRun(TPiruBase& state, void (*enter)(const void* context), const void* context) {
  NestingGuard guard(state);
  SavedRunFields saved(state);
  state.RunControl.PushFrame();
  try {
    enter(context);
    RunLoop(state);
  } catch (...) {
    state.RunControl.PopFrame();
    throw;
  }
  state.RunControl.PopFrame();
}

void RunNested(TPiruBase& state, TextPos start) {
  RunNestedRun(state, [&] { state.Cur = start; });
}

void EndProgram(TPiruBase& state, int exit_code) {
  state.Stop = true;
  state.MoveCursor(TextPos{});
  if (!state.Ended) {
    state.Ended = true;
    state.ExitCode = exit_code;
    if (state.host) state.host->CloseMainWindow();
  }
}

void DispatchError(TPiruBase& state, const Exception& error) {
  if (state.ErrorMessage) {
    state.ErrorMessage->SetValue(error.Message());
  }
  if (state.ErrorLabel) {
    state.ResumePosition = state.Cur;
    state.MoveCursor(state.ErrorLabel->Ref);
    return;
  }
  if (!state.WarnOnError) return;
  if (Trim(ErrorLog()).empty())
    ErrorLog() = FormatScriptError(state, error.Message()) + "\r\n特定できないシステムエラーです(ToT)";
  ErrorChoice choice = state.host ? state.host->ShowErrorDialog(ErrorLog(), state.DebugMode) : ErrorChoice::Quit;
  if (choice == ErrorChoice::Quit) QuitAfterError(state);
}

}  // namespace pirune
