// Infix expressions: arithmetic, joining, comparison and logic, read straight from text.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/number.h"
#include "engine/text_pos.h"

namespace pirune {

class TPiruBase;

// Evaluates the whole text as an expression; sets LastMark ("e" for a number).
std::string EvaluateExpression(TPiruBase& state, const std::string& text);

// Evaluates the text from `rest` to the end of its walk as the rest of an expression
// whose first operand has already been read as `first`.
std::string EvaluateAfterFirst(TPiruBase& state, std::string first, bool first_is_text, const TextPos& rest);

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
// What EvaluateExpression gives for it; false when it must be read the ordinary way
// (nothing has happened).
bool ExpressionValue(TPiruBase& state, const CompiledExpression& expression, std::string& out);
// The same truth for a value just computed (LastMark tells text from number).
bool ValueHolds(const TPiruBase& state, const std::string& value);

}  // namespace pirune
