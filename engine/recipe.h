// An expression read once and kept as its tokens, for expressions whose reading has no
// effect beyond reading (numbers, plain texts, variables and groups of such) or whose
// effects are calls written in a program's text. Replaying
// the tokens through the same grammar gives what reading the text would give.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/expression.h"
#include "engine/words.h"

namespace pirune {

enum TokenKind : std::uint8_t { kText = 0, kNumber = 1, kNothing = 2, kOperator = 3 };

// One token or operand. Its number is read from its text only when first needed, and
// a computed number is written as text only when that text is needed, so a chain of
// arithmetic converts between the two once at its ends.
struct TStrNum {
  std::string text;
  Number number = 0;
  std::uint8_t kind = kNothing;
  bool has_number = false;
  bool has_text = true;
  std::uint16_t op = 0;  // an operator's characters, packed: compared far more often than read
};

constexpr std::uint16_t Op(const char* s) {
  return static_cast<std::uint16_t>((static_cast<unsigned char>(s[0]) << 8) | static_cast<unsigned char>(s[0] ? s[1] : 0));
}

struct Recipe {
  enum Kind : std::uint8_t { kConstant, kOperatorToken, kVariable, kNegatedVariable, kGroup, kCall } kind;
  TStrNum value;                         // constants and operators
  std::string name;                      // variables and called names
  TWordLookup lookup;                    // … and the word that name finds
  std::size_t offset = 0;                // where the token begins in the text it was read from
  std::size_t bracket = 0;               // calls: where their argument list begins there
  std::shared_ptr<std::vector<Recipe>> group;
  // The first operand of an argument: a number-marked value that is not a plain number
  // is read again as text there, which only the ordinary reading does.
  bool argument_head = false;
};
using Recipes = std::vector<Recipe>;

}  // namespace pirune
