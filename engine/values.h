// Turning argument fragments into values: literals, numbers, words, "&" chains,
// expressions and calls written with bracketed arguments.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "engine/text_pos.h"

namespace pirune {

class TPiruBase;
class THashNode;

// `text` with every back quote doubled, between back quotes: survives a second reading.
std::string Quote(std::string_view text);

// Whether reading a literal has no effect beyond giving its text: back-quoted texts,
// and double-quoted or here-texts without {…}.
bool IsPlainLiteral(const std::string& literal);

// The text of a quoted form (enclosing back quotes removed, doubled ones undoubled).
std::string Unquote(std::string_view quoted);

// One value at the cursor; `limit` bounds only the length of a text literal.
std::string ReadValue(TPiruBase& state, TextPos& c, std::size_t limit = std::string::npos);

// The digits a fragment begins with when it reads as that number alone, or 0.
std::size_t PlainNumberLength(std::string_view fragment);

// The value of a whole argument fragment.
// `written_at`, when given, is where the same bytes lie in a program text (up to the end
// of its walk): read there, what is kept at positions of that text is found.
std::string ArgumentValue(TPiruBase& state, const std::string& fragment, const TextPos* written_at = nullptr);

// The value of an argument whose first operand was read as `first` (its mark in LastMark),
// the cursor after it: with the operators and joins that follow.
std::string ValueGoingOn(TPiruBase& state, std::string first, TextPos c);

// Whether a value just computed (its mark in LastMark) must be quoted to be read back
// as itself from a fragment: a text always, a number when written in exponent form.
bool NeedsQuoting(const TPiruBase& state, const std::string& value);

// The expanded text of one or more literals (escapes, interpolation in braces).
std::string ExpandLiteral(TPiruBase& state, const std::string& literal);

// A call written as a name followed by its arguments in brackets; the cursor stands
// on the "(". With `push`, the result is also pushed on the word stack.
std::string CallWithBrackets(TPiruBase& state, const std::string& name, TextPos& c, bool push);
// The same for the word the name was found to be (null: none).
std::string CallWithBrackets(TPiruBase& state, THashNode* word, const std::string& name, TextPos& c, bool push);
// A call with brackets where a statement begins: the callee is a command, label or DLL
// function, `c` the program cursor on its "(". When the call moves the cursor, or the
// statement ends behind the brackets, the call is the whole statement and nothing is
// answered: "それ" holds the call's result (after a move, what it held before). Otherwise
// "それ" is put back and the result answered, for the statement to go on with.
std::optional<std::string> CallStatement(TPiruBase& state, const THashNode& callee, const std::string& name, TextPos& c);

// Whether the text denotes a word (or something reached through "の"); gives its value.
bool ReferenceValue(TPiruBase& state, const std::string& text, std::string& value);

// Runs a label's body in a nested run and gives what it left in "それ".
std::string RunLabelForValue(TPiruBase& state, const THashNode& label);

}  // namespace pirune
