// The encodings of Japanese text: telling them apart, and converting between Shift_JIS,
// EUC-JP and ISO-2022-JP.
#pragma once
#include <string>
#include <string_view>

namespace pirune::japanese {

enum Encoding : int {
  kAscii = 0,   // 7-bit bytes without escape sequences
  kBinary = 1,  // a byte below 8, or 0xFF
  kJis = 2,     // ISO-2022-JP, announced by ESC $ B
  kOldJis = 3,  // announced by ESC $ @
  kEuc = 4,
  kSjis = 5,
  kEucOrSjis = 6,  // undecided
};

Encoding DetectEncoding(std::string_view s);

// From `from` to `to`. Text whose encoding is plain, binary or undecided, or already the
// target, comes back unchanged. JIS is written with ESC $ B before a run of two-byte
// characters and ESC ( J after it.
std::string ConvertEncoding(std::string_view s, Encoding from, Encoding to);

// "JIS" is JIS, "EUC" is EUC, any other name is Shift_JIS (compared in upper case).
Encoding EncodingNamed(std::string_view name);

}  // namespace pirune::japanese
