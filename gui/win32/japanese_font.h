// Fonts for Japanese text. Asking for the Shift_JIS character set makes the font mapper
// fall back to some Japanese face when the one named is missing, rather than to a Latin
// face that would draw boxes.
#pragma once
#include <windows.h>

namespace pirune {

// A face (Shift_JIS name) at a size in points for a screen of `dpi` dots per inch;
// `pitch_and_family` as LOGFONT has it.
HFONT CreateJapaneseFont(const char* face, int points, int dpi, BYTE pitch_and_family);

// The font of our forms' own controls (buttons, fixed captions): "ＭＳ Ｐゴシック" 12 px.
// Made once and kept for the process.
HFONT FormFont();

}  // namespace pirune
