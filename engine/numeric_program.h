// Arithmetic on numbers: an expression's tokens compiled once into operations on a
// stack of numbers, run without texts. Only expressions whose tokens are numbers,
// variables and groups joined by arithmetic, comparison and logic compile; a run answers
// false (having changed nothing) when a value met on the way is not what the numbers-only
// reading takes (a text where the text itself would count, a word that is no plain
// variable) or a result leaves the range, and the general reading then decides.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/recipe.h"

namespace pirune {

class TPiruBase;

// A number as a run computes it: an integer for as long as every operand was one, as
// integer arithmetic is exact where the numbers' own is, and much cheaper.
// (Left uninitialised by default: a run's stack is made on every run.)
struct NumericValue {
  bool is_integer;
  std::int64_t integer;
  Number number;  // when not an integer
  Number AsNumber() const { return is_integer ? static_cast<Number>(integer) : number; }
};

class NumericProgram {
 public:
  // `first_given`: the expression's first operand was read before these tokens.
  static NumericProgram Compile(const Recipes& recipes, bool first_given);

  bool Run(TPiruBase& state, const TStrNum* first, NumericValue& out) const;

 private:
  struct Operation {
    enum Kind : std::uint8_t { kConstant, kFirst, kVariable, kNegatedVariable, kBinary, kBinaryConstant, kDiscard };
    explicit Operation(Kind k, std::uint16_t o = 0) : kind(k), op(o) {}
    Kind kind;
    std::uint16_t op;
    NumericValue value{};  // constants
    std::string name;
    bool argument_head = false;
    // A variable (or the given first operand) whose value only feeds arithmetic, or the
    // left side of a comparison, may be a text: its number is read from it there too.
    bool text_allowed = false;
    TWordLookup lookup;
  };
  class Compiler;
  // The number of the variable operation `v`, whose word was found to be `w`.
  static bool ReadVariable(const THashNode* w, const Operation& v, bool negated, NumericValue& out);

  static constexpr int kMaxDepth = 64;
  std::vector<Operation> operations_;
  bool usable_ = false;
};

}  // namespace pirune
