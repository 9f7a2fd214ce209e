// Reading the written forms of an expression: m/pattern/options, s/pattern/replacement/
// options and tr/from/to/options. Any character may stand for "/" (the one right after
// the form's letters); a backslash keeps the next character from closing a part, and a
// two-byte Shift_JIS character is never split.
#pragma once
#include <string>
#include <string_view>

namespace bregexp {

struct Form {
  enum Kind { Match, Substitute, Translate } kind = Match;
  std::string pattern;      // as written, escapes of the delimiter kept for the engine
  std::string replacement;  // s and tr only
  std::string options;
};

// Throws std::invalid_argument with a short message on a malformed form.
Form ReadForm(std::string_view text);

}  // namespace bregexp
