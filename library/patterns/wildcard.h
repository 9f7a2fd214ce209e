// The runtime's own wildcard language: "?" any character, "#" a digit, "*" the shortest
// stretch after which the rest fits, "[...]" classes (ranges, "!" negation, "*" / "+"
// repetition, "=" alternative texts), "(" ")" captures and "\" escapes. Patterns and
// texts are walked as Shift_JIS characters; matches are anchored at the start.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/command_api.h"

namespace pirune::wildcard {

class TWString;

// One element of a pattern, or one character of a subject.
class TWSeq {
 public:
  explicit TWSeq(TWString& owner) : owner_(owner) {}
  virtual ~TWSeq() = default;
  // Tries the element at the subject's position and moves it on by what it consumed.
  virtual bool Matches(TWString& subject) = 0;
  virtual std::string AsText() const = 0;

 protected:
  TWString& owner_;
};

// A text or pattern read into elements, with the capture state a pattern keeps while it
// is matched (positions there are positions in the subject).
class TWString {
 public:
  // A pattern, with its wildcard elements; a bad escape in a class throws.
  static std::unique_ptr<TWString> Pattern(std::string_view pattern);
  // A subject: every character a plain one.
  static std::unique_ptr<TWString> Subject(std::string_view text);

  std::vector<std::unique_ptr<TWSeq>> elements;
  // A subject's characters, each by its code: a character is a plain one in a subject,
  // and an object for each would make a 100 MB text take gigabytes.
  std::vector<std::uint16_t> characters;
  std::int32_t position = 0;
  std::vector<std::string> captures;
  bool capturing = true;
  std::int32_t last_capture_end = -1;
  std::int32_t capture_start = 0;

  std::int32_t Size() const { return static_cast<std::int32_t>(elements.size()); }
  std::int32_t Length() const { return static_cast<std::int32_t>(characters.size()); }
  // The subject's character at `p`, or -1 past its ends.
  int CodeAt(std::int32_t p) const { return p >= 0 && p < Length() ? characters[p] : -1; }
  // The subject's characters from `from` up to `to` (clipped to the text), joined.
  std::string Slice(std::int32_t from, std::int32_t to) const;
  // Matches the elements from the position on; false at the first that fails.
  bool MatchRest(TWString& subject);
  // Counts one element tried; past the budget the match ends with an error.
  void Step();
  std::int64_t budget = 0;

 private:
  explicit TWString(std::string_view text) : text_(text) {}
  std::string text_;  // for the budget's message
  std::int64_t steps_ = 0;
};

// Matching work allowed for one match: an asterisk retries the rest of the pattern from
// every later start, and nested asterisks multiply that, so a crafted pattern could run
// for ever. Far beyond what any real pattern on a real text takes.
constexpr std::int64_t kStepBudget = 200'000'000;

// Whether the whole text matches the pattern.
bool MatchesWhole(std::string_view pattern, std::string_view text, std::int64_t budget = kStepBudget);

struct PrefixMatch {
  bool success = false;
  std::string matched;
  std::string rest;
  std::vector<std::string> captures;
};
// Which leading part of the text the pattern matches; on failure the rest is the text.
PrefixMatch MatchPrefix(std::string_view pattern, std::string_view text, std::int64_t budget = kStepBudget);

}  // namespace pirune::wildcard
