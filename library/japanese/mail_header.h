// Encoded words of mail headers (RFC 2047): ISO-2022-JP text in the B encoding.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace pirune {

// Every run of two-byte characters of the Shift_JIS header replaced by one encoded word,
// however long; one-byte characters (half-width katakana too) stay as they are.
std::string EncodeMailHeader(std::string_view header);
// Every ISO-2022-JP B encoded word decoded, the whole made Shift_JIS and cut before its
// first byte that is neither text nor TAB, CR or LF; nothing when a word's Base64 is bad.
std::optional<std::string> DecodeMailHeader(std::string_view header);

}  // namespace pirune
