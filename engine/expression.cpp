#include "engine/expression.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "engine/conv_to_half.h"
#include "engine/decode_cache.h"
#include "engine/errors.h"
#include "engine/fast_paths.h"
#include "engine/nesting.h"
#include "engine/numeric_program.h"
#include "engine/piru_base.h"
#include "engine/program_text.h"
#include "engine/reader.h"
#include "engine/sjis.h"
#include "engine/values.h"

namespace pirune {
namespace {


const std::string& TextOf(TStrNum& v) {
  if (!v.has_text) {
    v.text = FormatNumber(Checked(v.number));
    v.has_text = true;
  }
  return v.text;
}

Number NumberOf(TStrNum& v) {
  if (!v.has_number) {
    v.number = StrToValue(v.text);
    v.has_number = true;
  }
  return v.number;
}

void SetNumber(TStrNum& v, Number n) {
  v.number = n;
  v.has_number = true;
  v.kind = kNumber;
}

// Thrown while replaying when a variable's name now means something whose reading has
// effects (a command, a label...): the text is then read the ordinary way.
struct NeedsReading {};

class Evaluator {
 public:
  Evaluator(TPiruBase& state, TextPos start) : state_(state), c_(start) {}
  // `source`: the text the recipes were read from, up to `end`, when they hold calls.
  Evaluator(TPiruBase& state, const Recipes& recipes, const std::string* source = nullptr,
            std::size_t end = TextPos::kWhole)
      : state_(state), recipes_(&recipes), source_(source), source_end_(end) {}

  // Whether a call has run: from then on the expression is never read again from the start.
  bool Called() const { return called_; }

  // Evaluates from the cursor; with `first`, that value is the first operand, already read.
  TStrNum Run(TStrNum* first = nullptr) {
    if (first) {
      token_ = std::move(*first);
    } else {
      if (!recipes_) SkipBlanks(c_);
      Next();
    }
    TStrNum result = Logical();
    if (token_.kind == kNothing || token_.kind == kOperator) throw Exception("計算結果が不正");
    if (result.kind != kText) NumberOf(result);
    return result;
  }

 private:
  bool IsPairChar(unsigned char b) { return b == '&' || b == '<' || b == '=' || b == '>' || b == '|'; }

  void Next() {
    if (recipes_) {
      Replay();
      return;
    }
    std::uint8_t previous = token_.kind;
    token_ = TStrNum{};
    SkipBlanks(c_);
    unsigned char b = c_.At();
    if (b == '(') {
      std::string inner = ReadBracket(state_, c_);
      token_ = EvaluateGroup(state_, inner);
      return;
    }
    if (IsOperatorChar(b)) {
      token_.text = static_cast<char>(b);
      token_.kind = kOperator;
      ++c_.offset;
      if (IsPairChar(b) && IsPairChar(c_.At())) token_.text += static_cast<char>(c_.At()), ++c_.offset;
      token_.op = Op(token_.text.c_str());
      if (previous == kOperator || previous == kNothing) {
        if (token_.text == "-") {
          token_.text = "-" + ReadValue(state_, c_);
          token_.kind = kNumber;
        } else if (token_.text == "+" && (c_.At() == '$' || IsDigit(c_.At()))) {
          token_.text = ReadValue(state_, c_);
          token_.kind = kNumber;
        }
      }
      return;
    }
    token_.text = ReadValue(state_, c_);
    token_.kind = IsMark(state_.LastMark, 'e') ? kNumber : kText;
  }

  void Replay() {
    if (next_ >= recipes_->size()) {
      token_ = TStrNum{};
      token_.kind = kText;  // the end of the text reads as an empty text
      return;
    }
    const Recipe& r = (*recipes_)[next_++];
    try {
      ReplayToken(r);
    } catch (const NeedsReading&) {
      // Reading the expression again would run its calls twice: once one has run, the
      // rest is read from the text, from this token on.
      if (!called_ || !source_) throw;
      recipes_ = nullptr;
      c_ = TextPos{source_, r.offset, source_end_};
      Next();
    }
  }

  void ReplayToken(const Recipe& r) {
    switch (r.kind) {
      case Recipe::kConstant:
      case Recipe::kOperatorToken:
        token_ = r.value;
        return;
      case Recipe::kGroup: {
        TStrNum v = Evaluator(state_, *r.group).Run();
        if (v.kind != kText) v.has_text = false;  // a group delivers the text form of its result
        token_ = std::move(v);
        return;
      }
      case Recipe::kCall: {
        THashNode* callee = r.lookup.Find(state_.Words, r.name, true);
        if (!callee || !IsCallable(callee->Kind)) throw NeedsReading{};
        called_ = true;
        NestingGuard as_read(state_);  // the level reading a value takes
        TextPos c{source_, r.bracket, source_end_};
        token_ = TStrNum{};
        token_.text = CallWithBrackets(state_, callee, r.name, c, false);
        token_.kind = IsMark(state_.LastMark, 'e') ? kNumber : kText;
        return;
      }
      case Recipe::kVariable:
      case Recipe::kNegatedVariable: {
        token_ = TStrNum{};
        const THashNode* w = r.lookup.Find(state_.Words, r.name, false);
        if (!w) {
          token_.text = r.name;
          token_.kind = kText;
        } else if (w->Kind == kVariable) {
          token_.text = w->GetValue();
          token_.kind = IsMark(w->Mark, 'e') ? kNumber : kText;
          if (r.argument_head) {
            // As an argument's first value: a text when so marked or empty, otherwise a
            // number, which is read again as text when it is not a plain number.
            token_.kind = (IsMark(w->Mark, 's') || token_.text.empty()) ? kText : kNumber;
            if (token_.kind == kNumber && !IsPlainNumber(token_.text)) throw NeedsReading{};
          }
        } else if (w->Kind == kDictionary) {
          token_.text = w->GetValue();
          token_.kind = kText;
        } else if (w->Kind == kCallableUnused) {
          token_.kind = kText;
        } else {
          throw NeedsReading{};
        }
        if (r.kind == Recipe::kNegatedVariable) {
          token_.text.insert(0, 1, '-');
          token_.kind = kNumber;
        }
        return;
      }
    }
  }

  bool IsOp(std::initializer_list<std::uint16_t> ops) const {
    if (token_.kind != kOperator) return false;
    for (std::uint16_t op : ops)
      if (token_.op == op) return true;
    return false;
  }

  TStrNum Logical() {
    TStrNum left = Comparison();
    while (IsOp({Op("&&"), Op("||")})) {
      bool both = token_.op == Op("&&");
      Next();
      TStrNum right = Comparison();
      Number l = NumberOf(left), r = NumberOf(right);
      SetNumber(left, (both ? (l > 0 && r > 0) : (l > 0 || r > 0)) ? 1 : 0);
      left.has_text = false;
    }
    return left;
  }

  TStrNum Comparison() {
    TStrNum left = Additive();
    while (IsOp({Op("="), Op("<>"), Op("><"), Op("<"), Op(">"), Op(">="), Op("=>"), Op("<="), Op("=<"), Op("=&"), Op("==")})) {
      std::uint16_t op = token_.op;
      Next();
      TStrNum right = Additive();
      int order;
      if (op == Op("=&")) {
        order = TextOf(left) == TextOf(right) ? 0 : 1;
      } else if (op == Op("==") || right.kind != kText) {
        Number l = NumberOf(left), r = NumberOf(right);
        order = l < r ? -1 : (l > r ? 1 : 0);
      } else {
        int cmp = TextOf(left).compare(TextOf(right));
        order = cmp < 0 ? -1 : (cmp > 0 ? 1 : 0);
      }
      bool holds;
      if (op == Op("=") || op == Op("=&") || op == Op("=="))
        holds = order == 0;
      else if (op == Op("<>") || op == Op("><"))
        holds = order != 0;
      else if (op == Op("<"))
        holds = order < 0;
      else if (op == Op(">"))
        holds = order > 0;
      else if (op == Op(">=") || op == Op("=>"))
        holds = order >= 0;
      else
        holds = order <= 0;
      SetNumber(left, holds ? 1 : 0);
      left.has_text = false;
    }
    return left;
  }

  TStrNum Additive() {
    TStrNum left = Multiplicative();
    while (IsOp({Op("+"), Op("-"), Op("&")})) {
      char op = token_.text[0];
      Next();
      TStrNum right = Multiplicative();
      if (op == '&') {
        std::string joined = TextOf(left) + TextOf(right);
        NumberOf(left);  // the number stays what it was
        left.text = std::move(joined);
        left.kind = kText;
      } else {
        TextOf(left);  // the text stays what it was
        Number l = NumberOf(left), r = NumberOf(right);
        SetNumber(left, Checked(op == '+' ? l + r : l - r));
      }
    }
    return left;
  }

  TStrNum Multiplicative() {
    TStrNum left = Operand();
    while (IsOp({Op("*"), Op("/"), Op("%"), Op("^")})) {
      char op = token_.text[0];
      Next();
      TStrNum right = Operand();
      Number l = NumberOf(left), r = NumberOf(right);
      Number result;
      switch (op) {
        case '*': result = l * r; break;
        case '/': result = r == 0 ? 0 : l / r; break;
        case '%': {
          std::int64_t a = TruncToInt64(l), b = TruncToInt64(r);
          result = (b == 0 || b == -1) ? 0 : static_cast<Number>(a % b);  // -1 also keeps the smallest integer from overflowing
          break;
        }
        default: result = Power(l, r); break;
      }
      TextOf(left);
      SetNumber(left, Checked(result));
    }
    return left;
  }

  TStrNum Operand() {
    if (token_.kind == kOperator) throw Exception("演算子「" + token_.text + "」の位置が不正。");
    TStrNum operand = std::move(token_);
    NumberOf(operand);
    if (operand.kind == kNothing) operand.kind = kText;
    Next();
    return operand;
  }

  // A bracketed group inside an expression, evaluated as an expression of its own.
  static TStrNum EvaluateGroup(TPiruBase& state, const std::string& text);

  TPiruBase& state_;
  TextPos c_;
  const Recipes* recipes_ = nullptr;
  const std::string* source_ = nullptr;
  std::size_t source_end_ = TextPos::kWhole;
  bool called_ = false;
  std::size_t next_ = 0;
  TStrNum token_;
};


// Reads the text into recipes; answers false for anything whose reading has effects.
// With `calls`, calls with brackets are kept too (not inside groups: a group is read
// from a copy of its text).
bool Compile(TPiruBase& state, const std::string& text, std::size_t offset, Recipes& out, int depth,
             bool after_operand = false, std::size_t end = TextPos::kWhole, bool calls = false) {
  if (depth > 32) return false;
  TextPos c{&text, offset, end};
  std::uint8_t previous = after_operand ? kNumber : kNothing;
  while (true) {
    SkipBlanks(c);
    if (c.AtEnd()) return true;
    unsigned char b = c.At();
    Recipe r{};
    r.offset = c.offset;
    if (b == '(') {
      std::string inner = ReadBracket(state, c);
      r.kind = Recipe::kGroup;
      r.group = std::make_shared<Recipes>();
      if (!Compile(state, inner, 0, *r.group, depth + 1)) return false;
      previous = kNumber;
    } else if (IsOperatorChar(b)) {
      r.kind = Recipe::kOperatorToken;
      r.value.kind = kOperator;
      r.value.text = static_cast<char>(b);
      ++c.offset;
      auto pair = [](unsigned char x) { return x == '&' || x == '<' || x == '=' || x == '>' || x == '|'; };
      if (pair(b) && pair(c.At())) r.value.text += static_cast<char>(c.At()), ++c.offset;
      r.value.op = Op(r.value.text.c_str());
      bool operand_expected = previous == kOperator || previous == kNothing;
      if (operand_expected && r.value.text == "-") {
        SkipBlanks(c);
        if (c.At() == '$' || IsDigit(c.At())) {
          r.kind = Recipe::kConstant;
          r.value = TStrNum{};
          r.value.text = "-" + ReadNumber(c);
          r.value.kind = kNumber;
        } else {
          std::string w = ReadWord(c);
          if (w.empty() || c.At() == '(' || c.At() == '#' || EndsWithChar(w, "の")) return false;
          r.kind = Recipe::kNegatedVariable;
          r.name = std::move(w);
        }
        previous = kNumber;
      } else if (operand_expected && r.value.text == "+" && (c.At() == '$' || IsDigit(c.At()))) {
        r.kind = Recipe::kConstant;
        r.value = TStrNum{};
        r.value.text = ReadNumber(c);
        r.value.kind = kNumber;
        previous = kNumber;
      } else {
        previous = kOperator;
      }
    } else if (AtLiteral(c)) {
      std::string literal = ReadLiteral(state, c);
      if (!IsPlainLiteral(literal)) return false;
      r.kind = Recipe::kConstant;
      r.value.text = ExpandLiteral(state, literal);
      r.value.kind = kText;
      previous = kText;
    } else if (b == '$' || IsDigit(b)) {
      r.kind = Recipe::kConstant;
      r.value.text = ReadNumber(c);
      r.value.kind = kNumber;
      previous = kNumber;
    } else {
      std::string w = ReadWord(c);
      if (calls && !w.empty() && c.At() == '(') {
        r.kind = Recipe::kCall;
        r.bracket = c.offset;
        ReadBracket(state, c);
      } else {
        if (w.empty() || c.At() == '(' || c.At() == '#' || EndsWithChar(w, "の")) return false;
        r.kind = Recipe::kVariable;
      }
      r.name = std::move(w);
      previous = kText;
    }
    out.push_back(std::move(r));
  }
}

// An expression's tokens, and the same compiled for a numbers-only run.
struct Compiled {
  Recipes recipes;
  NumericProgram numeric;
  // With calls among the recipes: the program text they were read from, kept alive, and
  // where the expression ends in it.
  ProgramText source;
  std::size_t end = TextPos::kWhole;
};

// Expressions by their text (or the rest of a fragment after its first operand); null
// for those that must be read the ordinary way. With `calls`, an expression of a
// program's text may hold calls; those are kept apart, as only a reader that can go on
// from the text when a call has run may replay them.
std::shared_ptr<const Compiled> CompiledFor(TPiruBase& state, const std::string& text, std::size_t offset,
                                           bool after_operand, std::size_t end = TextPos::kWhole,
                                           bool calls = false) {
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
  };
  static std::unordered_map<std::string, std::shared_ptr<const Compiled>, Hash, std::equal_to<>> compiled[3];
  if (!ShortcutsHere(state)) return nullptr;
  ProgramText source = calls ? KeepText(&text) : nullptr;
  auto& table = compiled[source ? 2 : after_operand ? 1 : 0];
  std::string_view rest = std::string_view(text).substr(offset, end == TextPos::kWhole ? end : end - offset);
  auto it = table.find(rest);
  if (it != table.end()) return it->second;
  std::string key(rest);
  if (table.size() >= 4096) table.clear();
  auto compiled_text = std::make_shared<Compiled>();
  bool ok = false;
  std::string saved_mark = state.LastMark;
  TrialReading trial(state);
  try {
    ok = Compile(state, text, offset, compiled_text->recipes, 0, after_operand, end, source != nullptr);
  } catch (const Exception&) {
    trial.Drop();
  }
  state.LastMark = saved_mark;
  if (ok) {
    compiled_text->numeric = NumericProgram::Compile(compiled_text->recipes, after_operand);
    auto& recipes = compiled_text->recipes;
    if (std::any_of(recipes.begin(), recipes.end(), [](const Recipe& r) { return r.kind == Recipe::kCall; })) {
      compiled_text->source = std::move(source);
      compiled_text->end = end;
    }
  }
  std::shared_ptr<const Compiled> result = ok ? std::move(compiled_text) : nullptr;
  table.emplace(std::move(key), result);
  return result;
}

// The rest of an expression after its first operand, by where it is written: found
// without hashing its text, as a call's expression is read at every call.
DecodeCache<std::shared_ptr<const Compiled>> rests_by_position;

std::shared_ptr<const Compiled> CompiledAt(TPiruBase& state, const TextPos& rest) {
  if (!ShortcutsHere(state)) return nullptr;
  std::size_t stop = 0;
  if (const auto* kept = rests_by_position.Find(rest, stop)) return *kept;
  auto compiled = CompiledFor(state, *rest.text, rest.offset, true, rest.end, true);
  rests_by_position.Store(rest, rest.end, compiled);
  return compiled;
}

// The general replay, for what the numbers-only run did not take.
// Once a call has run, an error goes to the caller, as the ordinary reading's would.
bool ReplayTokens(TPiruBase& state, const Compiled& compiled, TStrNum* first, TStrNum& result) {
  Evaluator evaluator(state, compiled.recipes, compiled.source.get(), compiled.end);
  try {
    result = evaluator.Run(first);
    return true;
  } catch (const NeedsReading&) {
    return false;
  } catch (const Exception&) {
    if (evaluator.Called()) throw;
    return false;  // the ordinary reading raises it with its full message
  }
}

// Replays a compiled expression; answers false when it must be read the ordinary way
// (nothing has happened then but reading variables).
bool Replay(TPiruBase& state, const Compiled& compiled, TStrNum* first, TStrNum& result) {
  NumericValue number{};
  if (compiled.numeric.Run(state, first, number)) {
    result = TStrNum{};
    SetNumber(result, number.AsNumber());
    result.has_text = false;
    return true;
  }
  return ReplayTokens(state, compiled, first, result);
}

// Each nesting level quotes its text once more: a bounded excerpt keeps the log small.
std::string Excerpt(const std::string& text) {
  constexpr std::size_t kShown = 200;
  if (text.size() <= kShown) return text;
  std::size_t cut = kShown;
  while (cut > 0 && !IsCharBoundary(text, cut)) --cut;
  return text.substr(0, cut) + "...";
}

[[noreturn]] void RaiseExpressionError(TPiruBase& state, const Exception& e, const std::string& text) {
  RaiseScriptError(state, "計算式に誤りがあります。" + e.Message() + Excerpt(text));
}

TStrNum Evaluate(TPiruBase& state, const std::string& text) {
  NestingGuard guard(state);
  try {
    return Evaluator(state, TextPos{&text, 0}).Run();
  } catch (const Exception& e) {
    RaiseExpressionError(state, e, text);
  }
}

TStrNum Evaluator::EvaluateGroup(TPiruBase& state, const std::string& text) {
  TStrNum v = Evaluate(state, text);
  if (v.kind != kText) v.has_text = false;  // a group delivers the text form of its result
  state.SetLastMark(v.kind == kText ? "s" : "e");
  return v;
}

std::string Finish(TPiruBase& state, TStrNum& result) {
  if (result.kind != kText) {
    state.SetLastMark("e");
    return FormatNumber(Checked(result.number));
  }
  state.SetLastMark("s");
  return std::move(result.text);
}

}  // namespace

std::string EvaluateExpression(TPiruBase& state, const std::string& text) {
  if (auto compiled = CompiledFor(state, text, 0, false)) {
    TStrNum result;
    if (Replay(state, *compiled, nullptr, result)) return Finish(state, result);
  }
  TStrNum result = Evaluate(state, text);
  return Finish(state, result);
}

std::string EvaluateAfterFirst(TPiruBase& state, std::string first, bool first_is_text, const TextPos& rest) {
  // The same as evaluating "(" + first + rest + ")", the first value quoted when it is a
  // text, without writing that text and reading it again.
  NestingGuard outer(state);
  NestingGuard inner(state);
  TStrNum token;
  token.kind = first_is_text ? kText : kNumber;
  token.text = first;
  try {
    if (auto compiled = CompiledAt(state, rest)) {
      TStrNum copy = token;
      TStrNum result;
      if (Replay(state, *compiled, &copy, result)) {
        if (result.kind != kText) NumberOf(result), result.has_text = false;
        return Finish(state, result);
      }
    }
    TStrNum result = Evaluator(state, rest).Run(&token);
    if (result.kind != kText) NumberOf(result), result.has_text = false;
    return Finish(state, result);
  } catch (const Exception& e) {
    std::string written = (first_is_text ? Quote(first) : first) + rest.text->substr(rest.offset, rest.end - rest.offset);
    try {
      RaiseExpressionError(state, e, written);
    } catch (const Exception& wrapped) {
      RaiseExpressionError(state, wrapped, "(" + written + ")");
    }
  }
}

bool IsPlainNumber(std::string_view s) {
  std::size_t i = (!s.empty() && s[0] == '-') ? 1 : 0;
  bool digits = false, point = false;
  for (; i < s.size(); ++i) {
    if (IsDigit(static_cast<unsigned char>(s[i]))) {
      digits = true;
    } else if (s[i] == '.' && !point && digits) {
      point = true;
    } else {
      return false;
    }
  }
  return digits && s.back() != '.';
}

struct CompiledArgument {
  Compiled compiled;
  std::string text;  // for the ordinary reading's messages
};

std::shared_ptr<const CompiledArgument> CompileArgument(TPiruBase& state, const std::string& text) {
  TextPos c{&text, 0};
  SkipBlanks(c);
  Recipe head{};
  head.argument_head = true;
  if (c.At() == '$' || IsDigit(c.At())) {
    head.kind = Recipe::kConstant;
    head.value.text = ReadNumber(c);
    head.value.kind = kNumber;
  } else {
    std::string w = ReadWord(c);
    if (w.empty() || c.At() == '(' || c.At() == '#' || EndsWithChar(w, "の")) return nullptr;
    head.kind = Recipe::kVariable;
    head.name = std::move(w);
  }
  SkipBlanks(c);
  unsigned char b = c.At();
  bool joins = b == '&' && c.At(1) != '&';
  if (joins || !(IsOperatorChar(b) || (b == '|' && c.At(1) == '|'))) return nullptr;
  auto rest = CompiledFor(state, text, c.offset, true);
  if (!rest) return nullptr;
  auto argument = std::make_shared<CompiledArgument>();
  Recipes& recipes = argument->compiled.recipes;
  recipes.push_back(std::move(head));
  recipes.insert(recipes.end(), rest->recipes.begin(), rest->recipes.end());
  argument->compiled.numeric = NumericProgram::Compile(recipes, false);
  argument->text = text;
  return argument;
}

bool EvaluateCompiledArgument(TPiruBase& state, const CompiledArgument& argument, std::string& out,
                              std::optional<std::int64_t>* integer) {
  NumericValue value{};
  if (argument.compiled.numeric.Run(state, nullptr, value)) {
    state.SetLastMark("e");
    if (integer && value.is_integer && IntegerWrittenAsInteger(value.integer)) {
      *integer = value.integer;
      return true;
    }
    Number n = value.AsNumber();
    if (integer && WrittenAsInteger(n)) {
      *integer = TruncatedInt64(n);
      return true;
    }
    out = FormatNumber(n);
    return true;
  }
  TStrNum result;
  if (!ReplayTokens(state, argument.compiled, nullptr, result)) return false;
  if (result.kind != kText) NumberOf(result), result.has_text = false;
  out = Finish(state, result);
  return true;
}

struct CompiledExpression {
  std::shared_ptr<const Compiled> compiled;
};

std::shared_ptr<const CompiledExpression> CompileExpression(TPiruBase& state, const std::string& text) {
  auto compiled = CompiledFor(state, text, 0, false);
  if (!compiled) return nullptr;
  return std::make_shared<CompiledExpression>(CompiledExpression{std::move(compiled)});
}

bool ConditionHolds(TPiruBase& state, const CompiledExpression& expression, bool& holds) {
  NumericValue number{};
  if (expression.compiled->numeric.Run(state, nullptr, number)) {
    state.SetLastMark("e");
    holds = number.is_integer ? number.integer != 0 : TruncatesToNonZero(number.number);
    return true;
  }
  TStrNum result;
  if (!ReplayTokens(state, *expression.compiled, nullptr, result)) return false;
  holds = ValueHolds(state, Finish(state, result));
  return true;
}

bool ExpressionValue(TPiruBase& state, const CompiledExpression& expression, std::string& out) {
  if (!ShortcutsHere(state)) return false;
  // Arithmetic alone: its number is written as the text at once.
  NumericValue number{};
  if (expression.compiled->numeric.Run(state, nullptr, number)) {
    state.SetLastMark("e");
    out = number.is_integer ? FormatInteger(number.integer) : FormatNumber(Checked(number.number));
    return true;
  }
  TStrNum result;
  if (!ReplayTokens(state, *expression.compiled, nullptr, result)) return false;
  out = Finish(state, result);
  return true;
}

bool ValueHolds(const TPiruBase& state, const std::string& value) {
  if (IsMark(state.LastMark, 's')) return !value.empty();
  return TruncatesToNonZero(StrToValue(value));
}

}  // namespace pirune
