// The text font of the dialogs: a font specification matched against the installed
// faces, as "文字書体" names them.
#pragma once
#include <windows.h>

#include "gui/font_spec.h"

namespace pirune {

// A face not installed falls back to "ＭＳ ゴシック". The caller deletes the font.
HFONT CreateSpecifiedFont(const FontSpec& spec);

}  // namespace pirune
