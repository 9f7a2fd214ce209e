// What the dialog settings say about the next dialog, read by the dialog commands when
// they run and handed to the host.
#pragma once
#include <cstdint>
#include <string>

#include "gui/dialog_placement.h"
#include "gui/font_spec.h"

namespace pirune {

struct DialogLook {
  // "ダイアログタイトル"; empty: the main window's caption.
  std::string caption;
  DialogRect rect;
  // The text font: "文字書体" read as a specification, its size falling back to
  // "文字サイズ", and "文字色" (0x00BBGGRR).
  FontSpec font{FaceKey("ＭＳ ゴシック"), false, false, false, 12};
  std::uint32_t colour = 0;
  // "ダイアログIMEの状態": 1 open, 2 hiragana, 3 katakana, 4 half-width katakana, else closed.
  int ime = 0;
  // "タブ文字の個数": the tab width of "言う"'s message box.
  long long tab_width = 8;
};

}  // namespace pirune
