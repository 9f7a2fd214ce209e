// Conversion between the runtime's Shift_JIS text (code page 932) and Unicode.
// Used only at the seams: file names, console output, Win32 wide-character calls,
// and scripts saved as UTF-8 by today's editors.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pirune::cp932 {

// True for a byte that starts a double-byte character (81-9F, E0-FC).
inline bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Shift_JIS to UTF-16. A byte pair without a mapping, or a lone lead byte, becomes U+FFFD.
std::u16string ToUtf16(std::string_view sjis);

// UTF-16 to Shift_JIS. A character without a mapping becomes "?" and clears *lossless.
std::string FromUtf16(std::u16string_view text, bool* lossless = nullptr);

// Shift_JIS to UTF-8 (for terminals and POSIX file names).
std::string ToUtf8(std::string_view sjis);

// UTF-8 to Shift_JIS. Gives nothing when the text is not valid UTF-8 or holds a
// character Shift_JIS cannot represent; *bad_offset then tells the byte offset of the
// first such character.
std::optional<std::string> FromUtf8(std::string_view utf8, std::size_t* bad_offset = nullptr);

// UTF-8 to Shift_JIS, as the system converts it: every byte that starts no well-formed
// UTF-8 character, and every character Shift_JIS cannot represent, becomes "?".
std::string FromUtf8Replacing(std::string_view utf8);

}  // namespace pirune::cp932
