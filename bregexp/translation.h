// The character table of tr/from/to/: lists of characters and ranges (a-z, あ-ん) in
// Shift_JIS, each character of `from` becoming the one at its place in `to`.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace bregexp {

class Translation {
 public:
  Translation() = default;
  // A `to` shorter than `from` repeats its last character, or, with `remove`, the
  // characters past its end are deleted; an empty `to` leaves them as they are.
  Translation(std::string_view from, std::string_view to, bool remove);
  // Appends the translated text to `out` (after clearing it); the number of
  // characters found in `from`.
  int Apply(const char* text, const char* end, std::string& out) const;

 private:
  static constexpr std::int32_t kRemove = -1;
  std::unordered_map<std::uint32_t, std::int32_t> table_;
};

}  // namespace bregexp
