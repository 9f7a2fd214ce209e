// Infix expressions: arithmetic, joining, comparison and logic, read straight from text.
#pragma once
#include <string>
#include <string_view>

namespace pirune {

class TPiruBase;

using Number = long double;

// Evaluates the whole text as an expression; sets LastMark ("e" for a number).
std::string EvaluateExpression(TPiruBase& state, const std::string& text);

// Evaluates fragment[offset...] as the rest of an expression whose first operand has
// already been read as `first`.
std::string EvaluateAfterFirst(TPiruBase& state, std::string first, bool first_is_text, const std::string& fragment,
                               std::size_t offset);

// The numeric reading of a text: its longest numeric prefix, 0 when there is none.
Number StrToValue(std::string_view text);

// A number as text: 15 significant digits, exponent form when fixed notation won't do.
std::string FormatNumber(Number n);

}  // namespace pirune
