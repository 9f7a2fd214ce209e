// Arithmetic on numbers alone: an expression's tokens compiled once into operations on
// a stack of numbers, run without texts. Only expressions whose tokens are numbers,
// variables and groups joined by arithmetic, comparison and logic compile; a run answers
// false (having changed nothing) when a value met on the way is not a plain number or a
// result leaves the range, and the general reading then decides.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/recipe.h"

namespace pirune {

class TPiruBase;

class NumericProgram {
 public:
  // `first_given`: the expression's first operand was read before these tokens.
  static NumericProgram Compile(const Recipes& recipes, bool first_given);

  bool Run(TPiruBase& state, const TStrNum* first, Number& out) const;

 private:
  struct Operation {
    enum Kind : std::uint8_t { kConstant, kFirst, kVariable, kNegatedVariable, kBinary, kDiscard };
    explicit Operation(Kind k, std::uint16_t o = 0) : kind(k), op(o) {}
    Kind kind;
    std::uint16_t op;
    Number value = 0;
    std::string name;
    bool argument_head = false;
    TWordLookup lookup;
  };
  class Compiler;

  static constexpr int kMaxDepth = 64;
  std::vector<Operation> operations_;
  bool usable_ = false;
};

}  // namespace pirune
