#include "engine/assignment.h"

#include "engine/errors.h"
#include "engine/expression.h"
#include "engine/nesting.h"
#include "engine/not_yet.h"
#include "engine/piru_base.h"
#include "engine/reader.h"
#include "engine/registry.h"
#include "engine/sjis.h"
#include "engine/table_view.h"
#include "engine/values.h"

namespace pirune {
namespace {

// Whether the rest of an expression is a plain "&" chain: no operator outside literals
// and brackets but single "&".
bool OnlyJoins(TPiruBase& state, TextPos c) {
  while (!c.AtEnd()) {
    unsigned char b = c.At();
    if (AtLiteral(c)) {
      ReadLiteral(state, c);
    } else if (b == '(') {
      ReadBracket(state, c);
    } else if (b == '|' || (IsOperatorChar(b) && !(b == '&' && c.At(1) != '&'))) {
      return false;
    } else {
      StepChar(c);
    }
  }
  return true;
}

bool IsSelfAppend(TPiruBase& state, const std::string& target, const std::string& rest) {
  TextPos c{&rest, 0};
  SkipBlanks(c);
  if (ReadWord(c) != target) return false;
  SkipBlanks(c);
  return c.At() == '&' && c.At(1) != '&' && OnlyJoins(state, c);
}

// "X = X & ..." appends to X in place: the pieces are evaluated first (so they may read
// X), then added to X's text without copying what X already holds.
void AppendInPlace(TPiruBase& state, THashNode& word, const std::string& rest) {
  TextPos c{&rest, 0};
  SkipBlanks(c);
  ReadWord(c);
  SkipBlanks(c);
  std::string tail;
  while (c.At() == '&' && c.At(1) != '&') {
    ++c.offset;
    SkipBlanks(c);
    if (c.At() == '\r' || c.At() == '\n') {
      TakeLineNumber(state, c);
      SkipBlanks(c);
    }
    tail += ReadValue(state, c);
    SkipBlanks(c);
  }
  word.AppendValue(tail);
  word.SetMark("s");
  state.SetLastMark("s");
}

THashNode& FindOrCreate(TPiruBase& state, const std::string& name, const std::string& value) {
  if (THashNode* w = state.Words.Find(name, false)) return *w;
  auto word = std::make_unique<THashNode>(name, value, static_cast<std::int32_t>(state.RunControl.Count()));
  word->Ref = state.Cur;
  return state.Words.Add(std::move(word));
}

bool IsDictionaryMark(const std::string& mark) { return mark.size() == 2 && mark[0] == 'h' && mark[1] == 's'; }

// Most assignments give a plain variable an integer: nothing else to decide then.
bool StoredAsInteger(TPiruBase& state, THashNode& word, std::int64_t n) {
  if (word.Kind != kVariable || word.Reserved || word.Dict) return false;
  word.SetInteger(n);
  word.SetMark("e");
  state.SetLastMark("e");
  return true;
}

void StoreValue(TPiruBase& state, THashNode& word, std::string value, const std::string& mark,
                const std::optional<std::int64_t>& integer = std::nullopt) {
  // An integer arrives without its text; only a plain variable stores it so.
  if (integer && word.Kind != kVariable) value = FormatNumber(static_cast<Number>(*integer));
  switch (word.Kind) {
    case kVariable:
      if (word.Reserved) RaiseScriptError(state, "\"" + word.Name + "\"は、読取専用です。");
      if (IsDictionaryMark(mark)) {
        word.Dict = std::make_unique<THash>();
        word.Dict->LoadFromText(value);
        word.Kind = kDictionary;
        word.Mark = "hs";
      } else {
        word.Dict.reset();
        if (integer)
          word.SetInteger(*integer);
        else
          word.SetValue(std::move(value));
        word.SetMark(mark);
      }
      return;
    case kDictionary:
      if (IsDictionaryMark(mark)) {
        word.Dict->LoadFromText(value);
      } else {
        word.Dict.reset();
        word.Kind = kVariable;
        word.SetValue(std::move(value));
        word.Mark = mark;
      }
      return;
    case kCommand:
      if (word.Name == Normalise("作業フォルダ")) {
        state.Stack.Push(Quote(value));
        bool positional = state.PositionalArgs;
        state.PositionalArgs = true;
        try {
          Invoke(state, word);
        } catch (...) {
          state.PositionalArgs = positional;
          throw;
        }
        state.PositionalArgs = positional;
        return;
      }
      RaiseScriptError(state, "\"" + word.Name + "\"は\"システム命令\"で予約語なので代入できません。");
    case kPart:
      NotAvailableYet(state, word.Name);
    default:
      RaiseScriptError(state, "\"" + word.Name + "\"は、文法が正しくないため、実行できません。代入出来ません。");
  }
}

// The lines of a text, each without its line break.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t end = text.find_first_of("\r\n", i);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(i, end - i));
    if (end == text.size()) break;
    i = end + 1;
    if (text[end] == '\r' && i < text.size() && text[i] == '\n') ++i;
  }
  return lines;
}

std::string LineValue(const std::string& text, const std::string& key) {
  for (const auto& line : Lines(text)) {
    std::size_t eq = line.find('=');
    if (eq != std::string::npos && line.compare(0, eq, key) == 0) return line.substr(eq + 1);
  }
  return {};
}

void SetLine(THashNode& word, const std::string& key, const std::string& value) {
  std::vector<std::string> lines = Lines(word.GetValue());
  bool replaced = false;
  std::string out;
  for (auto& line : lines) {
    std::size_t eq = line.find('=');
    if (!replaced && eq != std::string::npos && line.compare(0, eq, key) == 0) {
      replaced = true;
      if (value.empty()) continue;
      line = key + "=" + value;
    }
    out += line + "\r\n";
  }
  if (!replaced && !value.empty()) out += key + "=" + value + "\r\n";
  word.SetValue(std::move(out));
}

void AssignToOwner(TPiruBase& state, const std::string& target, TextPos& c) {
  std::string p = state.Stack.Pop();
  if (!EndsWithChar(p, "の"))
    RaiseScriptError(state, "部品への不正な代入(" + p + "," + target + ")。『部品の、項目名は、値』の形式で指定してください。");
  std::string owner_name = p.substr(0, p.size() - 2);
  std::string value_text = Trim(ReadRest(state, c));
  THashNode* owner = state.Words.Find(owner_name, false);
  if (!owner) {
    owner_name = ArgumentValue(state, owner_name);
    owner = state.Words.Find(owner_name, false);
    if (!owner) {
      auto dict = std::make_unique<THashNode>(owner_name, "", "ハッシュ", "ハッシュ",
                                              static_cast<std::int32_t>(state.RunControl.Count()), kDictionary, state.Cur, false);
      dict->Dict = std::make_unique<THash>();
      owner = &state.Words.Add(std::move(dict));
    }
  }
  if (owner->Kind == kVariable) {
    if (THashNode* named = state.Words.Find(owner->GetValue(), false); named && named != owner) owner = named;
  }
  switch (owner->Kind) {
    case kVariable: {
      std::string key = ArgumentValue(state, target);
      SetLine(*owner, key, ArgumentValue(state, value_text));
      return;
    }
    case kDictionary: {
      std::string key = ArgumentValue(state, target);
      std::string value = ArgumentValue(state, value_text);
      if (THashNode* entry = owner->Dict->Find(key, false)) {
        entry->Mark = state.LastMark;
        entry->SetValue(std::move(value));
      } else {
        auto e = std::make_unique<THashNode>(key, std::move(value), static_cast<std::int32_t>(state.RunControl.Count()));
        e->Mark = state.LastMark;
        owner->Dict->Add(std::move(e));
      }
      return;
    }
    case kPart:
      NotAvailableYet(state, owner->Name + "の" + target);
    default:
      RaiseScriptError(state, "\"" + owner_name + "\"には代入できません！");
  }
}

}  // namespace

std::string ReadRest(TPiruBase& state, TextPos& c) {
  std::string out;
  while (!c.AtEnd()) {
    unsigned char b = c.At();
    if (b == '\r' || b == '\n' || b == ';' || b == 0) break;
    std::size_t start = c.offset;
    if (AtLiteral(c)) {
      ReadLiteral(state, c);
    } else if (b == '(') {
      ReadBracket(state, c);
    } else if (b == '&' && (c.At(1) == '\r' || c.At(1) == '\n')) {
      out += '&';
      ++c.offset;
      TakeLineNumber(state, c);
      SkipBlanks(c);
      continue;
    } else {
      StepChar(c);
    }
    out.append(*c.text, start, c.offset - start);
  }
  return out;
}

bool IsLiteralTarget(const std::string& target) {
  return !target.empty() && (target[0] == '"' || target[0] == '`' || target[0] == '@');
}

void AssignStatement(TPiruBase& state, const std::string& target, TextPos& c) {
  if (state.Stack.Count() > 0) {
    AssignToOwner(state, target, c);
    return;
  }
  if (IsLiteralTarget(target))
    RaiseScriptError(state, "\"" + target + "の代入文\"は、文法が正しくないため、実行できません。『変数名は、「内容」』のように書いてください。");
  AssignValue(state, target, ReadRest(state, c));
}

namespace {

// For a self-append whose pieces are all constants (plain texts, numbers): what it
// appends, so that it need not be read again.
bool ConstantAppendTail(TPiruBase& state, const std::string& rest, std::string& tail) {
  TextPos c{&rest, 0};
  SkipBlanks(c);
  ReadWord(c);
  SkipBlanks(c);
  tail.clear();
  while (c.At() == '&' && c.At(1) != '&') {
    ++c.offset;
    SkipBlanks(c);
    if (AtLiteral(c)) {
      std::string literal = ReadLiteral(state, c);
      if (!IsPlainLiteral(literal)) return false;
      tail += ExpandLiteral(state, literal);
    } else if (c.At() == '$' || IsDigit(c.At())) {
      tail += ReadNumber(c);
    } else {
      return false;
    }
    SkipBlanks(c);
  }
  return c.AtEnd();
}

// A value that begins with a call with brackets: the call is found without reading its
// name again each time.
void PlanCall(TPiruBase& state, const std::string& rest, AssignmentPlan& plan) {
  TextPos c{&rest, 0};
  SkipBlanks(c);
  unsigned char b = c.At();
  if (b == '$' || b == '-' || IsDigit(b) || AtLiteral(c)) return;
  std::string name = ReadWord(c);
  if (name.empty() || c.At() != '(' || EndsWithChar(name, "の")) return;
  std::size_t bracket = c.offset;
  TrialReading trial(state);
  try {
    ReadBracket(state, c);
  } catch (const Exception&) {
    trial.Drop();
    return;
  }
  SkipBlanks(c);
  plan.call = std::move(name);
  plan.call_bracket = bracket;
  plan.call_continues = !c.AtEnd();
}

}  // namespace

AssignmentPlan PlanAssignment(TPiruBase& state, const std::string& target, const std::string& rest) {
  AssignmentPlan plan;
  plan.element = target.find('#') != std::string::npos;
  plan.self_append = IsSelfAppend(state, target, rest);
  if (plan.self_append) {
    plan.constant_tail = ConstantAppendTail(state, rest, plan.tail);
    return plan;
  }
  // A lone constant reads as itself every time.
  TextPos c{&rest, 0};
  SkipBlanks(c);
  std::string sign;
  if (c.At() == '-') sign = "-", ++c.offset;
  if (c.At() == '$' || IsDigit(c.At())) {
    plan.value = sign + ReadNumber(c);
    plan.mark = "e";
  } else if (sign.empty() && AtLiteral(c)) {
    std::string literal = ReadLiteral(state, c);
    if (IsPlainLiteral(literal)) plan.value = ExpandLiteral(state, literal), plan.mark = "s";
    else c.offset = 0;
  } else {
    c.offset = 0;
  }
  SkipBlanks(c);
  plan.constant = c.offset > 0 && c.AtEnd();
  if (plan.constant && plan.mark[0] == 'e') {
    Number n = StrToValue(plan.value);
    // Kept as an integer when written as the number writes itself.
    if (WrittenAsInteger(n) && FormatNumber(n) == plan.value) plan.integer = TruncatedInt64(n);
  }
  if (!plan.constant) plan.compiled = CompileArgument(state, rest);
  if (!plan.constant && !plan.compiled) PlanCall(state, rest, plan);
  return plan;
}

void AssignValue(TPiruBase& state, const std::string& target, const std::string& rest, const AssignmentPlan* plan) {
  if (!plan || plan->element) {
    std::size_t hash = target.find('#');
    if (hash != std::string::npos) return AssignElement(state, target, rest);
  }
  THashNode* existing = plan ? plan->target.Find(state.Words, target, false) : state.Words.Find(target, false);
  if (existing && existing->Kind == kVariable && !existing->Reserved && !existing->Dict &&
      (plan ? plan->self_append : IsSelfAppend(state, target, rest))) {
    if (plan && plan->constant_tail) {
      existing->AppendValue(plan->tail);
      existing->SetMark("s");
      state.SetLastMark("s");
      return;
    }
    AppendInPlace(state, *existing, rest);
    return;
  }
  std::string value;
  std::optional<std::int64_t> integer;
  if (plan && plan->constant) {
    if (plan->integer)
      integer = plan->integer;
    else
      value = plan->value;
    state.SetLastMark(plan->mark);
  } else if (THashNode* callee =
                 plan && !plan->call.empty() ? plan->callee.Find(state.Words, plan->call, true) : nullptr) {
    TextPos c = plan->call_at.None() ? TextPos{&rest, plan->call_bracket} : plan->call_at;
    {
      NestingGuard as_read(state);  // the level the general reading of the call takes
      value = CallWithBrackets(state, callee, plan->call, c, false);
    }
    if (plan->call_continues) value = ValueGoingOn(state, std::move(value), c);
  } else if (!plan || !plan->compiled || !EvaluateCompiledArgument(state, *plan->compiled, value, &integer)) {
    value = ArgumentValue(state, rest, plan && !plan->rest_at.None() ? &plan->rest_at : nullptr);
  }
  THashNode& word = existing ? *existing : FindOrCreate(state, target, std::string());
  if (integer && StoredAsInteger(state, word, *integer)) return;
  StoreValue(state, word, std::move(value), state.LastMark, integer);
}

std::string ReadOwnerItem(TPiruBase& state, THashNode& owner_word, TextPos& c) {
  THashNode* owner = &owner_word;
  SkipSpaces(c);
  std::string key;
  if (AtLiteral(c))
    key = ExpandLiteral(state, ReadLiteral(state, c));
  else if (c.At() == '(')
    key = ReadBracket(state, c);
  else
    key = ArgumentValue(state, ReadWord(c));
  for (int hops = 0; hops < 16; ++hops) {
    switch (owner->Kind) {
      case kVariable: {
        if (THashNode* named = state.Words.Find(owner->GetValue(), false);
            named && named != owner && named->Kind != kVariable) {
          owner = named;
          continue;
        }
        state.SetLastMark("s");
        return LineValue(owner->GetValue(), key);
      }
      case kDictionary: {
        if (!owner->Dict)
          RaiseScriptError(state, "作成されていないハッシュ\"" + owner->Name + "\"が、見つかりました。メモリが足りないか、バグの可能性があります。");
        if (THashNode* entry = owner->Dict->Find(key, false)) {
          state.LastMark = entry->Mark.empty() ? "s" : entry->Mark.substr(entry->Mark.size() - 1);
          return entry->GetValue();
        }
        state.SetLastMark("s");
        return {};
      }
      case kPart:
        NotAvailableYet(state, owner->Name + "の" + key);
      default:
        RaiseScriptError(state, "部品\"" + owner->Name + "\"から、直接値を得ることは出来ません。");
    }
  }
  RaiseScriptError(state, "部品\"" + owner->Name + "\"から、直接値を得ることは出来ません。");
}

namespace {

// "入れる": the destination takes the source's value and mark, whatever their kinds.
void Put(TCommand& c) {
  THashNode* destination = &c.Word(1, true);
  THashNode* source = &c.Word(0, true);
  std::string value = source->GetValue();
  destination->SetValue(std::move(value));
  destination->Mark = source->Mark;
}

}  // namespace

std::span<const CommandBinding> AssignmentCommands() {
  static const CommandBinding commands[] = {{"入れる", Put}};
  return commands;
}

}  // namespace pirune
