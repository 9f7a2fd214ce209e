// Infix expressions: arithmetic, joining, comparison and logic, read straight from text.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/number.h"

namespace pirune {

class TPiruBase;

// Evaluates the whole text as an expression; sets LastMark ("e" for a number).
std::string EvaluateExpression(TPiruBase& state, const std::string& text);

// Evaluates fragment[offset...] as the rest of an expression whose first operand has
// already been read as `first`.
std::string EvaluateAfterFirst(TPiruBase& state, std::string first, bool first_is_text, const std::string& fragment,
                               std::size_t offset);

// Digits with an optional sign and fraction: written back and read again, the same number.
bool IsPlainNumber(std::string_view s);

// Expressions kept as tokens are made only where the shortcuts are taken (ShortcutsHere,
// nesting.h: null elsewhere) and used only where a kept statement or "もし" chain is.

// An argument of the shape "operand operator …" (a variable or a number first), kept as
// tokens; what ArgumentValue gives for it, without reading its text again.
struct CompiledArgument;
std::shared_ptr<const CompiledArgument> CompileArgument(TPiruBase& state, const std::string& text);
// Answers false when the argument must be read the ordinary way (nothing has happened).
// `integer`, when given, receives the value instead of `out` when it is an integer that
// its text would give back exactly (the text is then not written).
bool EvaluateCompiledArgument(TPiruBase& state, const CompiledArgument& argument, std::string& out,
                              std::optional<std::int64_t>* integer = nullptr);

// A whole expression kept as tokens (null when its reading has effects), and its truth as
// a condition: a text holds when not empty, a number when its integer part is not 0.
struct CompiledExpression;
std::shared_ptr<const CompiledExpression> CompileExpression(TPiruBase& state, const std::string& text);
// Answers false when the expression must be read the ordinary way (nothing has happened).
bool ConditionHolds(TPiruBase& state, const CompiledExpression& expression, bool& holds);
// The same truth for a value just computed (LastMark tells text from number).
bool ValueHolds(const TPiruBase& state, const std::string& value);

// The numeric reading of a text: its longest numeric prefix, 0 when there is none.
Number StrToValue(std::string_view text);
// Plain digits after an optional minus, as most numbers arrive: read without the
// general machinery. False for anything else.
bool StrToInteger(std::string_view text, std::int64_t& out);

// A number as text: 15 significant digits, exponent form when fixed notation won't do.
std::string FormatNumber(Number n);
// Whether FormatNumber writes n with all its digits, as an integer.
bool WrittenAsInteger(Number n);
inline bool IntegerWrittenAsInteger(std::int64_t n) {
  constexpr std::int64_t kLimit = 1'000'000'000'000'000;  // 1e15, as above
  return n > -kLimit && n < kLimit;
}

}  // namespace pirune
