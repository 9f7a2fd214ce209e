#include "engine/numeric_program.h"

#include <cmath>

#include "engine/expression.h"
#include "engine/piru_base.h"
#include "engine/reader.h"

namespace pirune {
namespace {

// The operators as the run switches on them.
enum BinaryCode : std::uint16_t {
  kAnd, kOr, kEqual, kNotEqual, kLess, kGreater, kGreaterOrEqual, kLessOrEqual,
  kNumericEqual,  // "==": compares numbers whatever the operands are
  kAdd, kSubtract, kMultiply, kDivide, kRemainder, kUnknown
};

NumericValue ValueOfText(std::string_view text) {
  NumericValue v{};
  v.is_integer = StrToInteger(text, v.integer);
  if (!v.is_integer) v.number = StrToValue(text);
  return v;
}

NumericValue ValueOfWord(const THashNode& word) {
  NumericValue v{};
  v.is_integer = word.IntegerValue(v.integer);
  if (!v.is_integer) v.number = word.NumberValue();
  return v;
}

bool IsComparison(std::uint16_t code) { return code >= kEqual && code <= kNumericEqual; }

BinaryCode CodeOf(std::uint16_t op) {
  switch (op) {
    case Op("&&"): return kAnd;
    case Op("||"): return kOr;
    case Op("="): return kEqual;
    case Op("=="): return kNumericEqual;
    case Op("<>"): case Op("><"): return kNotEqual;
    case Op("<"): return kLess;
    case Op(">"): return kGreater;
    case Op(">="): case Op("=>"): return kGreaterOrEqual;
    case Op("<="): case Op("=<"): return kLessOrEqual;
    case Op("+"): return kAdd;
    case Op("-"): return kSubtract;
    case Op("*"): return kMultiply;
    case Op("/"): return kDivide;
    case Op("%"): return kRemainder;
    default: return kUnknown;
  }
}

}  // namespace

// Reads the tokens by the grammar of the general reading (logic over comparison over
// addition over multiplication, all left to right) and writes each operation after its
// operands. Whatever the numeric run could never take makes the whole program unusable.
class NumericProgram::Compiler {
 public:
  Compiler(const Recipes& recipes, std::vector<Operation>& out, std::vector<int>& producers)
      : recipes_(recipes), out_(out), producers_(producers) {}

  bool Whole(bool first_given) {
    if (first_given) {
      kind_ = kOperand;
      token_ = nullptr;
    } else if (!Next()) {
      return false;
    }
    if (!Logical()) return false;
    if (kind_ != kOperand) return false;  // an operator left over
    if (!ended_) {
      // An operand right after the last one is read (and must be a number) but not used.
      if (!Emit(token_)) return false;
      Push(Operation(Operation::kDiscard));
    }
    return true;
  }

  int MaxDepth() const { return max_depth_; }

 private:
  enum Kind : std::uint8_t { kOperand, kOperatorToken };

  bool Next() {
    if (next_ >= recipes_.size()) return false;  // the end reads as an empty text
    const Recipe& r = recipes_[next_++];
    if (r.kind == Recipe::kOperatorToken) {
      if (r.value.op == Op("&")) return false;
      kind_ = kOperatorToken;
      op_ = r.value.op;
      return true;
    }
    if (r.kind == Recipe::kConstant && r.value.kind != kNumber) return false;
    kind_ = kOperand;
    token_ = &r;
    return true;
  }

  // The token after an operand; the end of the tokens ends the expression.
  bool Advance() {
    if (next_ >= recipes_.size()) {
      kind_ = kOperand;
      ended_ = true;
      return true;
    }
    return Next();
  }

  bool IsOp(std::initializer_list<std::uint16_t> ops) const {
    if (ended_ || kind_ != kOperatorToken) return false;
    for (std::uint16_t op : ops)
      if (op_ == op) return true;
    return false;
  }

  template <class Operand>
  bool Level(std::initializer_list<std::uint16_t> ops, Operand operand) {
    if (!(this->*operand)()) return false;
    while (IsOp(ops)) {
      std::uint16_t op = op_;
      if (!Next() || !(this->*operand)()) return false;
      Push(Operation(Operation::kBinary, CodeOf(op)));
    }
    return true;
  }

  bool Logical() { return Level({Op("&&"), Op("||")}, &Compiler::Comparison); }
  bool Comparison() {
    return Level({Op("="), Op("<>"), Op("><"), Op("<"), Op(">"), Op(">="), Op("=>"), Op("<="), Op("=<"), Op("==")},
                 &Compiler::Additive);
  }
  bool Additive() { return Level({Op("+"), Op("-")}, &Compiler::Multiplicative); }
  bool Multiplicative() {
    if (!Level({Op("*"), Op("/"), Op("%")}, &Compiler::Operand)) return false;
    return !IsOp({Op("^")});  // powers: the general reading knows their errors
  }

  bool Operand() {
    if (ended_ || kind_ != kOperand) return false;
    if (!Emit(token_)) return false;
    return Advance();
  }

  // The operations that leave the operand's number on the stack.
  bool Emit(const Recipe* r) {
    if (!r) {
      Push(Operation(Operation::kFirst));
      return true;
    }
    switch (r->kind) {
      case Recipe::kConstant: {
        Operation o(Operation::kConstant);
        o.value = ValueOfText(r->value.text);
        Push(std::move(o));
        return true;
      }
      case Recipe::kVariable:
      case Recipe::kNegatedVariable: {
        Operation o(r->kind == Recipe::kVariable ? Operation::kVariable : Operation::kNegatedVariable);
        o.name = r->name;
        o.argument_head = r->argument_head;
        Push(std::move(o));
        return true;
      }
      case Recipe::kGroup: {
        Compiler group(*r->group, out_, producers_);
        group.max_depth_ = max_depth_;
        if (!group.Whole(false)) return false;
        max_depth_ = group.max_depth_;
        return true;
      }
      default:
        return false;
    }
  }

  // Who made each number on the stack: the index of a variable's (or the first
  // operand's) operation, or -1 for anything computed.
  void Push(Operation o) {
    switch (o.kind) {
      case Operation::kVariable:
      case Operation::kFirst:
        producers_.push_back(static_cast<int>(out_.size()));
        break;
      case Operation::kBinary: {
        int right = producers_.back();
        producers_.pop_back();
        int left = producers_.back();
        // A comparison with a text on its right compares the texts themselves.
        bool comparison = IsComparison(o.op);
        if (left >= 0) out_[static_cast<std::size_t>(left)].text_allowed = true;
        if (right >= 0) out_[static_cast<std::size_t>(right)].text_allowed = !comparison || o.op == kNumericEqual;
        producers_.back() = -1;
        if (!out_.empty() && out_.back().kind == Operation::kConstant) {
          // An operation on a constant takes it from the operation itself.
          out_.back().kind = Operation::kBinaryConstant;
          out_.back().op = o.op;
          return;
        }
        break;
      }
      case Operation::kDiscard:
        if (producers_.back() >= 0) out_[static_cast<std::size_t>(producers_.back())].text_allowed = true;
        producers_.pop_back();
        break;
      default:
        producers_.push_back(-1);
        break;
    }
    if (static_cast<int>(producers_.size()) > max_depth_) max_depth_ = static_cast<int>(producers_.size());
    out_.push_back(std::move(o));
  }

  const Recipes& recipes_;
  std::vector<Operation>& out_;
  std::size_t next_ = 0;
  Kind kind_ = kOperand;
  std::uint16_t op_ = 0;
  const Recipe* token_ = nullptr;  // null: the operand given before the tokens
  bool ended_ = false;
  std::vector<int>& producers_;
  int max_depth_ = 0;
};

NumericProgram NumericProgram::Compile(const Recipes& recipes, bool first_given) {
  NumericProgram program;
  std::vector<int> producers;
  Compiler compiler(recipes, program.operations_, producers);
  program.usable_ = compiler.Whole(first_given) && compiler.MaxDepth() <= kMaxDepth;
  if (!program.usable_) program.operations_.clear();
  return program;
}

bool NumericProgram::ReadVariable(const THashNode* w, const Operation& v, bool negated, NumericValue& out) {
  if (!w || w->Kind != kVariable || w->Dict) return false;
  if (negated) {
    // "-" is joined to the text before it is read: only a text that begins with a digit
    // reads as the negated number.
    if (!IsMark(w->Mark, 'e') || !w->TextBeginsWithDigit()) return false;
    out = ValueOfWord(*w);
    if (out.is_integer)
      out.integer = -out.integer;
    else
      out.number = -out.number;
    return true;
  }
  // As an argument's first value, a text when so marked or empty; a number otherwise,
  // which the general reading reads again as text unless it is a plain number.
  bool is_text = v.argument_head ? (IsMark(w->Mark, 's') || w->TextIsEmpty()) : !IsMark(w->Mark, 'e');
  if (is_text ? !v.text_allowed : (v.argument_head && !w->IsPlainNumberValue())) return false;
  out = ValueOfWord(*w);
  return true;
}

namespace {

// Integer operands: the integer result where that is exactly the numbers' result;
// false where it would not be an integer (or leaves the range), for the numbers to decide.
bool ApplyIntegers(std::uint16_t op, std::int64_t& left, std::int64_t right) {
  std::int64_t result;
  switch (op) {
    case kAnd: left = left > 0 && right > 0; return true;
    case kOr: left = left > 0 || right > 0; return true;
    case kEqual:
    case kNumericEqual: left = left == right; return true;
    case kNotEqual: left = left != right; return true;
    case kLess: left = left < right; return true;
    case kGreater: left = left > right; return true;
    case kGreaterOrEqual: left = left >= right; return true;
    case kLessOrEqual: left = left <= right; return true;
    case kAdd:
      if (__builtin_add_overflow(left, right, &result)) return false;
      left = result;
      return true;
    case kSubtract:
      if (__builtin_sub_overflow(left, right, &result)) return false;
      left = result;
      return true;
    case kMultiply:
      if (__builtin_mul_overflow(left, right, &result)) return false;
      left = result;
      return true;
    case kDivide:
      if (right == 0) {
        left = 0;
        return true;
      }
      if (right == -1 || left % right != 0) return false;
      left /= right;
      return true;
    case kRemainder: {
      constexpr std::int64_t kLimit = 9'200'000'000'000'000'000;  // as the numbers' own rule
      if (left <= -kLimit || left >= kLimit || right <= -kLimit || right >= kLimit) return false;
      left = (right == 0 || right == -1) ? 0 : left % right;
      return true;
    }
    default: return false;
  }
}

bool Apply(std::uint16_t op, Number& left, Number right) {
  switch (op) {
    case kAnd: left = (left > 0 && right > 0) ? 1 : 0; return true;
    case kOr: left = (left > 0 || right > 0) ? 1 : 0; return true;
    case kEqual:
    case kNumericEqual: left = left == right ? 1 : 0; return true;
    case kNotEqual: left = left != right ? 1 : 0; return true;
    case kLess: left = left < right ? 1 : 0; return true;
    case kGreater: left = left > right ? 1 : 0; return true;
    case kGreaterOrEqual: left = left >= right ? 1 : 0; return true;
    case kLessOrEqual: left = left <= right ? 1 : 0; return true;
    case kAdd: left = left + right; break;
    case kSubtract: left = left - right; break;
    case kMultiply: left = left * right; break;
    case kDivide: left = right == 0 ? 0 : left / right; break;
    case kRemainder: {
      if (!(std::fabs(left) < 9.2e18L && std::fabs(right) < 9.2e18L)) return false;
      std::int64_t a = static_cast<std::int64_t>(std::trunc(left)), b = static_cast<std::int64_t>(std::trunc(right));
      left = (b == 0 || b == -1) ? 0 : static_cast<Number>(a % b);  // -1 also keeps the smallest integer from overflowing
      break;
    }
    default: return false;
  }
  return std::isfinite(left);
}

bool Apply(std::uint16_t op, NumericValue& left, const NumericValue& right) {
  if (left.is_integer && right.is_integer && ApplyIntegers(op, left.integer, right.integer)) return true;
  Number l = left.AsNumber();
  if (!Apply(op, l, right.AsNumber())) return false;
  left.is_integer = false;
  left.number = l;
  return true;
}

}  // namespace

bool NumericProgram::Run(TPiruBase& state, const TStrNum* first, NumericValue& out) const {
  if (!usable_) return false;
  NumericValue stack[kMaxDepth];
  int top = 0;
  for (const Operation& o : operations_) {
    switch (o.kind) {
      case Operation::kConstant:
        stack[top++] = o.value;
        break;
      case Operation::kFirst:
        if (!first || (first->kind != kNumber && !(first->kind == kText && o.text_allowed))) return false;
        stack[top++] = ValueOfText(first->text);
        break;
      case Operation::kVariable: {
        // Mostly a number variable holding an integer, which every reading takes as such.
        const THashNode* w = o.lookup.Find(state.Words, o.name, false);
        NumericValue& slot = stack[top];
        if (w && w->Kind == kVariable && !w->Dict && IsMark(w->Mark, 'e') && w->IntegerValue(slot.integer)) {
          slot.is_integer = true;
        } else if (!ReadVariable(w, o, false, slot)) {
          return false;
        }
        ++top;
        break;
      }
      case Operation::kNegatedVariable:
        if (!ReadVariable(o.lookup.Find(state.Words, o.name, false), o, true, stack[top])) return false;
        ++top;
        break;
      case Operation::kBinary:
        --top;
        if (!Apply(o.op, stack[top - 1], stack[top])) return false;
        break;
      case Operation::kBinaryConstant:
        if (!Apply(o.op, stack[top - 1], o.value)) return false;
        break;
      case Operation::kDiscard:
        --top;
        break;
    }
  }
  // Field by field: the slot was written that way, and a whole copy would wait for it.
  out.is_integer = stack[0].is_integer;
  if (out.is_integer)
    out.integer = stack[0].integer;
  else
    out.number = stack[0].number;
  return true;
}

}  // namespace pirune
