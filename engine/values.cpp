#include "engine/values.h"

#include <algorithm>
#include <optional>

#include "engine/assignment.h"
#include "engine/control_flow.h"
#include "engine/conv_to_half.h"
#include "engine/decode_cache.h"
#include "engine/errors.h"
#include "engine/expression.h"
#include "engine/nesting.h"
#include "engine/not_yet.h"
#include "engine/piru_base.h"
#include "engine/reader.h"
#include "engine/registry.h"
#include "engine/sjis.h"
#include "engine/statement.h"
#include "engine/table_view.h"

namespace pirune {

std::string Quote(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '`';
  for (std::size_t i = 0; i < text.size();) {
    std::size_t len = CharLength(text, i);
    out.append(text.substr(i, len));
    if (len == 1 && text[i] == '`') out += '`';
    i += len;
  }
  out += '`';
  return out;
}

bool IsPlainLiteral(const std::string& literal) {
  if (literal.empty() || literal[0] == '`') return true;
  return literal.find('{') == std::string::npos && literal.find("｛") == std::string::npos;
}

std::string Unquote(std::string_view quoted) {
  if (!IsBackQuoted(quoted)) return std::string(quoted);
  std::string out;
  std::string_view inner = quoted.substr(1, quoted.size() - 2);
  for (std::size_t i = 0; i < inner.size();) {
    std::size_t len = CharLength(inner, i);
    out.append(inner.substr(i, len));
    if (len == 1 && inner[i] == '`' && i + 1 < inner.size() && inner[i + 1] == '`') ++i;
    i += len;
  }
  return out;
}

namespace {

// Saves "それ" (value and mark) and puts it back when the scope ends.
class SoreSaver {
 public:
  explicit SoreSaver(TPiruBase& state)
      : sore_(*state.Sore), value_(state.Sore->GetValue()), mark_(state.Sore->Mark) {}
  ~SoreSaver() {
    if (dismissed_) return;
    sore_.SetValue(std::move(value_));
    sore_.Mark = std::move(mark_);
  }
  // "それ" keeps what it holds now.
  void Dismiss() { dismissed_ = true; }
  // What the call left in "それ" (its value and type mark), taken rather than copied:
  // "それ" gets its saved value back next.
  std::string TakeResult(TPiruBase& state) {
    state.SetLastMark(sore_.Mark);
    return sore_.TakeValue();
  }

 private:
  THashNode& sore_;
  std::string value_, mark_;
  bool dismissed_ = false;
};

std::string ReadWordValue(TPiruBase& state, TextPos& c, const std::string& w) {
  if (c.At() == '(') {
    if (THashNode* callee = state.Words.Find(w, true)) return CallWithBrackets(state, callee, w, c, false);
  }
  if (EndsWithChar(w, "の")) {
    if (THashNode* owner = state.Words.Find(w.substr(0, w.size() - 2), false)) return ReadOwnerItem(state, *owner, c);
  }
  THashNode* word = state.Words.Find(w, false);
  if (!word) {
    state.SetLastMark("s");
    return w;
  }
  switch (word->Kind) {
    case kCommand: {
      SoreSaver saved(state);
      SkipBlanks(c);
      Invoke(state, *word);
      return saved.TakeResult(state);
    }
    case kLabel:
      return RunLabelForValue(state, *word);
    case kVariable:
      state.SetLastMark(word->Mark);
      if (c.At() == '#') return ReadElement(state, *word, c);
      return word->GetValue();
    case kDictionary:
      state.SetLastMark("s");
      return word->GetValue();
    case kCallableUnused:
      state.SetLastMark("s");
      return {};
    default:  // parts and DLL functions arrive with their own commands
      NotAvailableYet(state, w);
  }
}

// A double-quoted text or a here-text: escapes and {interpolation}. The cursor stands
// behind the opening delimiter; `closing` is the delimiter that ends the text.
std::string ExpandQuoted(TPiruBase& state, TextPos& c, std::string_view closing) {
  std::string out;
  while (true) {
    if (c.AtEnd()) RaiseScriptError(state, "文字列\"" + out + "\"の最後に」がありません。");
    const std::string& t = *c.text;
    std::size_t len = CharLength(t, c.offset);
    std::string_view ch = std::string_view(t).substr(c.offset, len);
    if (ch == closing) {
      c.offset += len;
      return out;
    }
    if (ch == "\\" || ch == "￥") {
      c.offset += len;
      if (c.AtEnd()) continue;
      std::size_t n = CharLength(t, c.offset);
      std::string_view e = std::string_view(t).substr(c.offset, n);
      c.offset += n;
      if (e == "n" || e == "ｎ")
        out += "\r\n";
      else if (e == "t" || e == "ｔ")
        out += '\t';
      else
        out += e;
      continue;
    }
    if (ch == "{" || ch == "｛") {
      c.offset += len;
      std::string inner;
      while (!c.AtEnd()) {
        std::size_t n = CharLength(t, c.offset);
        std::string_view e = std::string_view(t).substr(c.offset, n);
        if (e == "}" || e == "｝") {
          c.offset += n;
          break;
        }
        if (e == closing) break;
        inner += e;
        c.offset += n;
      }
      out += ArgumentValue(state, TConvToHalf::Text(inner));
      continue;
    }
    out += ch;
    c.offset += len;
  }
}

void SkipOneJoin(TextPos& c) {
  SkipBlanks(c);
  if (c.At() == '&') {
    ++c.offset;
    SkipBlanks(c);
  }
}

}  // namespace

std::string ExpandLiteral(TPiruBase& state, const std::string& literal) {
  std::string out;
  TextPos c{&literal, 0};
  while (!c.AtEnd()) {
    if (c.At() == '@' && c.At(1) == '@') {
      c.offset += 2;
      if (c.AtEnd()) RaiseScriptError(state, "文字列\"\"の最後に」がありません。");
      std::size_t n = CharLength(literal, c.offset);
      std::string terminator = literal.substr(c.offset, n);
      c.offset += n;
      out += ExpandQuoted(state, c, terminator);
      SkipBlanks(c);
    } else if (c.At() == '"') {
      ++c.offset;
      out += ExpandQuoted(state, c, "\"");
      SkipOneJoin(c);
    } else if (c.At() == '`') {
      ++c.offset;
      while (!c.AtEnd()) {
        if (c.At() == '`') {
          if (c.At(1) != '`') break;
          ++c.offset;
        }
        std::size_t start = c.offset;
        StepChar(c);
        out.append(literal, start, c.offset - start);
      }
      if (!c.AtEnd()) ++c.offset;
      SkipOneJoin(c);
    } else if (c.At() == '&') {
      ++c.offset;
    } else {
      std::size_t before = c.offset;
      out += ReadValue(state, c);
      if (c.offset == before) StepChar(c);
    }
  }
  state.SetLastMark("s");
  return out;
}

std::string ReadValue(TPiruBase& state, TextPos& c, std::size_t limit) {
  NestingGuard guard(state);
  SkipBlanks(c);
  unsigned char b = c.At();
  if (AtLiteral(c)) {
    std::string literal = ReadLiteral(state, c, limit);
    std::string v = ExpandLiteral(state, literal);
    state.SetLastMark("s");
    return v;
  }
  if (b == '$' || IsDigit(b)) {
    std::string v = ReadNumber(c);
    state.SetLastMark("e");
    return v;
  }
  if (b == '(') {
    std::string inner = ReadBracket(state, c);
    return EvaluateExpression(state, inner);
  }
  if (b == '-') {
    ++c.offset;
    return "-" + ReadValue(state, c, limit == std::string::npos ? limit : (limit > 0 ? limit - 1 : 0));
  }
  std::string w = ReadWord(c);
  return ReadWordValue(state, c, w);
}

std::size_t PlainNumberLength(std::string_view f) {
  std::size_t n = f.size(), i = 0;
  while (i < n && IsDigit(static_cast<unsigned char>(f[i]))) ++i;
  if (i == 0 || (i < n && f[i] == '.')) return 0;
  std::size_t j = i;
  while (j < n && (f[j] == '\t' || f[j] == ' ' || f[j] == ',' || static_cast<unsigned char>(f[j]) == 0xA4)) ++j;
  // An operator or a join after the number makes an expression of it.
  if (j < n && (IsOperatorChar(static_cast<unsigned char>(f[j])) || f[j] == '|')) return 0;
  return i;
}

namespace {

// A fragment that is one word naming a variable (or nothing at all): its value.
bool PlainWordArgument(TPiruBase& state, const std::string& f, std::string& out) {
  unsigned char b = static_cast<unsigned char>(f[0]);
  if (b == '$' || b == '@' || b == '.' || EndsWithChar(f, "の")) return false;
  for (std::size_t i = 0; i < f.size(); i += CharLength(f, i))
    if (IsWordDelimiter(static_cast<unsigned char>(f[i]))) return false;
  THashNode* word = state.Words.Find(f, false);
  if (!word) {
    state.SetLastMark("s");
    out = f;
    return true;
  }
  if (word->Kind != kVariable && word->Kind != kDictionary) return false;  // commands and labels run
  state.SetLastMark(word->Kind == kVariable ? std::string_view(word->Mark) : std::string_view("s"));
  out = word->GetValue();
  return true;
}

// The commonest arguments, a number of digits, one back-quoted text or one word standing
// alone, read without the general machinery (to the same value and mark). (Out of line:
// inlined, it makes ArgumentValue's own reading dearer than the call costs.)
[[gnu::noinline]] bool PlainArgument(TPiruBase& state, const std::string& f, std::string& out) {
  std::size_t n = f.size(), i = 0;
  if (IsDigit(static_cast<unsigned char>(f[0]))) {
    i = PlainNumberLength(f);
    if (i == 0) return false;
    out = std::string(f.data(), i);  // built whole: assigning a part takes the general path
    state.SetLastMark("e");
    return true;
  }
  if (f[0] != '`') return PlainWordArgument(state, f, out);
  out.clear();
  for (i = 1; i < n;) {
    if (f[i] == '`') {
      if (i + 1 < n && f[i + 1] == '`') {
        out += '`';
        i += 2;
        continue;
      }
      if (i + 1 != n) return false;  // more after the text
      state.SetLastMark("s");
      return true;
    }
    std::size_t len = IsLeadByte(static_cast<unsigned char>(f[i])) && i + 1 < n ? 2 : 1;
    out.append(f, i, len);
    i += len;
  }
  return false;  // unclosed: the general reading reports it
}

}  // namespace

namespace {

std::string ArgumentValueAt(TPiruBase& state, TextPos c) {
  std::size_t size = c.end - c.offset;
  SkipBlanks(c);
  std::string r = ReadValue(state, c, size);
  return ValueGoingOn(state, std::move(r), c);
}

}  // namespace

std::string ValueGoingOn(TPiruBase& state, std::string r, TextPos c) {
  while (!c.AtEnd()) {
    SkipBlanks(c);
    unsigned char b = c.At();
    bool single_join = b == '&' && c.At(1) != '&';
    if (!single_join && (IsOperatorChar(b) || (b == '|' && c.At(1) == '|'))) {
      // A number goes on as the number it is: written again into the expression, one in
      // exponent form would be read as its first digits.
      bool text = IsMark(state.LastMark, 's') || r.empty();
      if (text || IsMark(state.LastMark, 'e') || IsPlainNumber(r))
        return EvaluateAfterFirst(state, std::move(r), text, c);
      std::string expression = "(" + r + c.text->substr(c.offset, c.end - c.offset) + ")";
      return EvaluateExpression(state, expression);
    }
    if (!single_join) break;
    ++c.offset;
    SkipBlanks(c);
    if (c.At() == '\r' || c.At() == '\n') {
      TakeLineNumber(state, c);
      SkipBlanks(c);
    }
    r += ReadValue(state, c);
    state.SetLastMark("s");
  }
  return r;
}

std::string ArgumentValue(TPiruBase& state, const std::string& fragment, const TextPos* written_at) {
  if (fragment.empty()) return {};
  if (ShortcutsHere(state)) {
    std::string plain;
    if (PlainArgument(state, fragment, plain)) return plain;
  }
  return ArgumentValueAt(state, written_at ? *written_at : TextPos{&fragment, 0});
}

bool NeedsQuoting(const TPiruBase& state, const std::string& value) {
  return IsMark(state.LastMark, 's') || (IsMark(state.LastMark, 'e') && !IsPlainNumber(value));
}

std::string RunLabelForValue(TPiruBase& state, const THashNode& label) {
  SoreSaver saved(state);
  state.Sore->SetValue({});
  // Its local variables are its own, as in any call.
  state.Words.PushScope();
  try {
    RunNested(state, label.Ref);
  } catch (...) {
    state.Words.PopScope();
    throw;
  }
  state.Words.PopScope();
  return saved.TakeResult(state);
}

namespace {

// The rest of an argument up to "," outside literals and brackets, or a line end.
std::string RestOfArgument(TPiruBase& state, TextPos& c) {
  std::size_t start = c.offset;
  while (!c.AtEnd() && c.At() != ',' && c.At() != '\r' && c.At() != '\n') {
    if (AtLiteral(c)) {
      ReadLiteral(state, c);
    } else if (c.At() == '(') {
      ReadBracket(state, c);
    } else {
      StepChar(c);
    }
  }
  return c.text->substr(start, c.offset - start);
}

// One argument of a call as its list is kept: a fragment pushed as it stands, or an
// expression evaluated (and quoted when its value needs it) each time the list is read.
struct KeptArgument {
  std::string text;
  bool evaluate = false;
  std::shared_ptr<const CompiledExpression> compiled;  // the expression's tokens, when it has them
};
using KeptArgumentList = std::vector<KeptArgument>;

// Parses the text between the brackets of a call and pushes one fragment per argument.
// When every argument is a word, a literal or an expression that starts with one (on one
// line, without joins, references or calls around it), `kept` receives how the list
// reads, which pushes the same fragments whenever it is read; otherwise it is emptied
// and `keepable` cleared.
void PushArgumentList(TPiruBase& state, const std::string& list, KeptArgumentList& kept, bool& keepable) {
  TextPos c{&list, 0};
  keepable = true;
  while (true) {
    SkipSpaces(c);
    if (c.AtEnd()) break;
    if (c.At() == ',') {
      ++c.offset;
      continue;
    }
    if (c.At() == '\r' || c.At() == '\n') {
      keepable = false;
      TakeLineNumber(state, c);
      continue;
    }
    std::size_t before = c.offset;
    bool pushed = true;
    bool as_written = false;  // pushed as written: a word or a literal
    if (AtLiteral(c)) {
      state.Stack.Push(ReadLiteral(state, c));
      as_written = true;
    } else if (c.At() == '(') {
      keepable = false;
      std::string v = ArgumentValue(state, ReadBracket(state, c));
      bool quoted = NeedsQuoting(state, v);
      if (!IsWordDelimiter(c.At())) v += ReadWord(c);
      state.Stack.Push(quoted ? Quote(v) : v);
    } else {
      std::string w = ReadWord(c);
      if (w.empty()) {
        pushed = false;
      } else if (c.At() == '#') {
        keepable = false;
        std::string reference = w + RestOfArgument(state, c);
        state.Stack.Push(Quote(ArgumentValue(state, reference)));
      } else if (c.At() == '(') {
        keepable = false;
        CallWithBrackets(state, w, c, true);
      } else {
        state.Stack.Push(w);
        as_written = true;
      }
    }
    SkipSpaces(c);
    unsigned char b = c.At();
    if (!IsOperatorChar(b)) {
      if (c.offset == before) StepChar(c);  // a stray character: never loop on it
      if (as_written && keepable) kept.push_back(KeptArgument{state.Stack.At(state.Stack.Count() - 1), false, nullptr});
      continue;
    }
    std::string left = pushed ? state.Stack.Pop() : std::string();
    if (b == '&' && c.At(1) != '&') {
      keepable = false;
      std::string joined;
      if (!ReferenceValue(state, left, joined)) joined = ArgumentValue(state, left);
      while (c.At() == '&' && c.At(1) != '&') {
        ++c.offset;
        SkipSpaces(c);
        if (c.At() == '\r' || c.At() == '\n') {
          TakeLineNumber(state, c);
          SkipSpaces(c);
        }
        joined += ReadValue(state, c);
        SkipSpaces(c);
      }
      state.Stack.Push(Quote(joined));
    } else {
      if (!as_written) keepable = false;
      std::string expression = left + RestOfArgument(state, c);
      if (keepable) kept.push_back(KeptArgument{expression, true, nullptr});
      std::string v = EvaluateExpression(state, expression);
      state.Stack.Push(NeedsQuoting(state, v) ? Quote(v) : v);
    }
  }
  if (!keepable) kept.clear();
}

// The argument lists of calls, kept where they are written: the fragments when every
// argument is pushed as written, else the arguments with their expressions.
struct KeptArguments {
  std::vector<std::string> fragments;
  std::shared_ptr<const KeptArgumentList> evaluated;  // held while read: evaluating may evict the entry
  // The fragments as a command's pattern binds them when they are alone on the word stack.
  mutable TKeptBinding binding;
};

// At namespace scope: looked up all the time, it needs no guard of its first use.
DecodeCache<KeptArguments> kept_argumentlistcache;
DecodeCache<KeptArguments>& ArgumentListCache() { return kept_argumentlistcache; }

// A kept list with expressions among its arguments. (Out of line: the plain lists are
// the common ones, and their reading stays small.)
[[gnu::noinline]] void PushEvaluatedArguments(TPiruBase& state, std::shared_ptr<const KeptArgumentList> arguments) {
  for (const KeptArgument& a : *arguments) {
    if (!a.evaluate) {
      state.Stack.Push(a.text);
      continue;
    }
    std::string v;
    if (!a.compiled || !ExpressionValue(state, *a.compiled, v)) v = EvaluateExpression(state, a.text);
    state.Stack.Push(NeedsQuoting(state, v) ? Quote(v) : v);
  }
}

// Reads an argument list not kept yet, and keeps it when it may be.
[[gnu::noinline]] void ReadCallArguments(TPiruBase& state, TextPos& c) {
  TextPos start = c;
  std::string list = ReadBracket(state, c);
  KeptArgumentList read;
  bool keepable = true;
  if (!list.empty()) PushArgumentList(state, list, read, keepable);
  if (!keepable) return;
  KeptArguments kept;
  if (std::any_of(read.begin(), read.end(), [](const KeptArgument& a) { return a.evaluate; })) {
    for (KeptArgument& a : read)
      if (a.evaluate) a.compiled = CompileExpression(state, a.text);
    kept.evaluated = std::make_shared<const KeptArgumentList>(std::move(read));
  } else {
    for (auto& a : read) kept.fragments.push_back(std::move(a.text));
  }
  ArgumentListCache().Store(start, c.offset, std::move(kept));
}

// Reads the bracketed argument list at the cursor and pushes its arguments.
void PushCallArguments(TPiruBase& state, TextPos& c) {
  std::size_t end = 0;
  if (const KeptArguments* kept = ArgumentListCache().Find(c, end)) {
    c.offset = end;
    if (kept->evaluated) {
      PushEvaluatedArguments(state, kept->evaluated);
      return;
    }
    for (const auto& f : kept->fragments) state.Stack.Push(f);
    return;
  }
  ReadCallArguments(state, c);
}

// The arguments of a command called with brackets, read from the list at the cursor. A
// list of fragments alone on the word stack binds the same way every time: that binding
// is kept with the list. (Nothing between reading and binding runs script code, so the
// entry stays.)
class CommandArguments {
 public:
  CommandArguments(TPiruBase& state, const THashNode& command, TextPos& c) : state_(state), command_(command) {
    if (state.Stack.Count() > 0) {
      PushCallArguments(state, c);
      return;
    }
    std::size_t end = 0;
    const KeptArguments* kept = ArgumentListCache().Find(c, end);
    if (!kept) {
      ReadCallArguments(state, c);
      return;
    }
    c.offset = end;
    if (kept->evaluated) {
      PushEvaluatedArguments(state, kept->evaluated);
      return;
    }
    kept_ = kept;
    bound_ = kept->binding.Holds(command);
    if (!bound_)
      for (const auto& f : kept->fragments) state.Stack.Push(f);
  }
  // Binds them and runs the command.
  void Invoke() {
    if (bound_) {
      kept_->binding.Invoke(state_, command_);
      return;
    }
    if (kept_)
      kept_->binding.Bind(state_, command_);
    else
      Bind(state_, command_);
    InvokeBound(state_, command_);
  }

 private:
  TPiruBase& state_;
  const THashNode& command_;
  const KeptArguments* kept_ = nullptr;
  bool bound_ = false;  // the kept binding holds
};

// Clears the positional binding even when the call fails.
class PositionalScope {
 public:
  explicit PositionalScope(TPiruBase& state) : state_(state), previous_(state.PositionalArgs) {
    state_.PositionalArgs = true;
  }
  ~PositionalScope() { state_.PositionalArgs = previous_; }

 private:
  TPiruBase& state_;
  bool previous_;
};

}  // namespace

std::string CallWithBrackets(TPiruBase& state, const std::string& name, TextPos& c, bool push) {
  return CallWithBrackets(state, state.Words.Find(name, true), name, c, push);
}

namespace {

// Calls a word (a command, label or DLL function, the cursor on its "(") with the
// bracketed arguments bound by position, "それ" saved once they are read. `then` runs
// before "それ" is put back, and may keep what the call left there (Dismiss).
template <class Then>
auto CallSavingSore(TPiruBase& state, const THashNode& word, const std::string& name, TextPos& c, Then then) {
  std::optional<CommandArguments> arguments;
  if (word.Kind == kCommand)
    arguments.emplace(state, word, c);
  else
    PushCallArguments(state, c);
  SoreSaver saved(state);
  {
    PositionalScope positional(state);
    if (arguments)
      arguments->Invoke();
    else if (word.Kind == kLabel)
      CallLabelNested(state, word);
    else
      NotAvailableYet(state, name);
  }
  return then(saved);
}

}  // namespace

std::string CallWithBrackets(TPiruBase& state, THashNode* word, const std::string& name, TextPos& c, bool push) {
  if (!word || (word->Kind != kCommand && word->Kind != kLabel && word->Kind != kDllFunction)) {
    state.Stack.Push(name);
    return {};
  }
  if (c.At() != '(')
    RaiseScriptError(state, "関数\"" + name + "\"の呼び出しで、引数の()は、すぐ後ろに書いてください。");
  std::string result = CallSavingSore(state, *word, name, c, [&](SoreSaver& saved) { return saved.TakeResult(state); });
  if (push) state.Stack.Push(result);
  return result;
}

std::optional<std::string> CallStatement(TPiruBase& state, const THashNode& callee, const std::string& name, TextPos& c) {
  std::uint64_t moves = state.CursorMoves;
  return CallSavingSore(state, callee, name, c, [&](SoreSaver& saved) -> std::optional<std::string> {
    // A call that jumped ("飛ぶ(…)") has moved the cursor elsewhere: the statement is over.
    if (c.None() || state.CursorMoves != moves) return std::nullopt;
    SkipSpaces(c);
    if (c.At() == 0 || c.At() == '\r' || c.At() == ';') {
      // The statement's value is the call's result, already in "それ".
      saved.Dismiss();
      state.SetLastMark(state.Sore->Mark);
      return std::nullopt;
    }
    return saved.TakeResult(state);
  });
}

bool ReferenceValue(TPiruBase& state, const std::string& text, std::string& value) {
  NestingGuard guard(state);
  TextPos c{&text, 0};
  std::string w = ReadWord(c);
  if (!EndsWithChar(w, "の")) {
    if (!state.Words.Find(Trim(text), false)) return false;
    value = ArgumentValue(state, text);
    return true;
  }
  THashNode* owner = state.Words.Find(w.substr(0, w.size() - 2), false);
  if (!owner) return false;
  if (owner->Kind == kVariable && state.Words.Find(owner->GetValue(), false) && owner->GetValue() != owner->Name)
    return ReferenceValue(state, owner->GetValue() + "の," + text.substr(c.offset), value);
  if (owner->Kind != kPart && owner->Kind != kDictionary) return false;
  TextPos r{&text, 0};
  value = ReadValue(state, r);
  return true;
}

}  // namespace pirune
