#include "gui/win32/japanese_font.h"

#include <string>

#include "platform/win32/wide.h"

namespace pirune {

HFONT CreateJapaneseFont(const char* face, int points, int dpi, BYTE pitch_and_family) {
  LOGFONTW font{};
  font.lfHeight = -MulDiv(points, dpi, 72);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = pitch_and_family;
  const std::wstring name = win32::Widen(face);
  name.copy(font.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&font);
}

HFONT FormFont() {
  static const HFONT font = [] {
    LOGFONTW face{};
    face.lfHeight = -12;
    face.lfCharSet = SHIFTJIS_CHARSET;
    const std::wstring name = win32::Widen("ＭＳ Ｐゴシック");
    name.copy(face.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&face);
  }();
  return font;
}

}  // namespace pirune
