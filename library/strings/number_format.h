// Numbers written for people: the one-value format directives of "指定形式に変換" and
// the currency form of "通貨形式に変換".
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "engine/command_api.h"

namespace pirune {

// The value a format is applied to: a floating-point number, an integer or a text.
using FormatValue = std::variant<Number, std::int64_t, std::string>;

// `format` applied to the one value; nothing when the format is malformed or one of its
// directives does not fit the value.
std::optional<std::string> FormatWithDirectives(std::string_view format, const FormatValue& value);

// The value held to four decimal places and written with thousands separators and
// `decimals` (0 or 2) decimals; nothing when it is beyond what four decimals can hold.
std::optional<std::string> CurrencyForm(Number value, int decimals);

}  // namespace pirune
