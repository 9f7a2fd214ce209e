// Which encoding a script file is in. Scripts are Shift_JIS, but today's editors save
// UTF-8 unless told otherwise, so a file that is evidently UTF-8 is converted on loading
// and anything else is taken as it is.
//
// Why Shift_JIS text practically never passes for UTF-8: in UTF-8 the bytes 80-BF may
// only continue a character begun by C2-F4, and each such start byte must be followed by
// exactly the right number of them. The lead bytes 81-9F of Shift_JIS are continuation
// bytes, so every full-width symbol, kana and first-level kanji starts with a byte that
// UTF-8 allows only inside a sequence; it passes only if the character before it happens
// to end in a start byte E0-F4 or C2-DF that its bytes complete. No Shift_JIS character
// is valid UTF-8 on its own: 81-9F cannot start a sequence, E0-EF and F0-F4 start
// sequences longer than the two bytes of the character, F5-FC never occur in UTF-8, and
// half-width kana are lone continuation (A1-BF) or start (C2-DF) bytes. Real Japanese text, with its hiragana in nearly every phrase,
// breaks such chains within a few characters.
//
// The limit: some texts of two characters are valid UTF-8 (1,775,442 of the about 93.5
// million pairs of non-ASCII characters, all of these kinds):
//   - half-width kana C2-DF (ﾂ to ﾟ) followed by A1-BF (｡ to ｿ) or the bytes 80, A0;
//   - half-width kana C2-DF followed by a double-byte character with lead byte 81-9F and
//     trail byte 40-7E;
//   - a double-byte character with lead byte E0-EF and trail byte 80-BF (A0-BF after E0,
//     80-9F after ED) followed by one of the single bytes 80, A0-BF, or by a double-byte
//     character with lead byte 81-9F and trail byte 40-7E;
//   - a user-defined character with lead byte F0-F4 and trail byte 80-BF (90-BF after F0,
//     80-8F after F4) followed by a double-byte character with lead byte 81-9F and trail
//     byte 80-BF.
// A file made of nothing but such coincidences (say the two half-width kana "ﾃｽ", which
// read as UTF-8 "ý") is taken for UTF-8, and then usually rejected because the character
// it spells has no Shift_JIS code. Saving the file with a byte-order mark, or as UTF-8,
// avoids that.
#pragma once
#include <string>
#include <string_view>

namespace pirune {

struct ScriptDecoding {
  bool ok;
  std::string text;  // the script in Shift_JIS; empty when not ok
  int bad_line;      // 1-based line of the first character that could not be converted; 0 when ok
};

// A file that begins with the UTF-8 byte-order mark, or that is valid UTF-8 as a whole and
// holds at least one multi-byte sequence, is converted from UTF-8 (the mark dropped).
// Anything else is given back unchanged. Line ends are LF, CR LF or a lone CR.
ScriptDecoding DecodeScriptText(std::string_view bytes);

// Whether DecodeScriptText takes these bytes for UTF-8.
bool LooksLikeUtf8(std::string_view bytes);

}  // namespace pirune
