// Font specifications, the texts of "文字書体" and of "フォント選択"'s result: a face,
// then after a bar the style words, then after another bar the size in points
// ("ＭＳ 明朝|太字|20"; bars half- or full-width).
#pragma once
#include <string>
#include <string_view>

namespace pirune {

struct FontSpec {
  // The face as written, upper-cased, full-width and without full-width spaces: the
  // form in which it is compared with the installed faces, treated the same way.
  std::string face_key;
  bool bold = false, italic = false, underline = false;
  // Points; 0 when the specification has none ("文字サイズ" applies).
  int size = 0;
  bool operator==(const FontSpec&) const = default;
};

FontSpec ParseFontSpec(std::string_view text);

// The comparison form of a face name (see face_key).
std::string FaceKey(std::string_view face);

// A chosen font as a specification that reads back to it: face, face|styles|size or
// face||size, the styles as 太字, 傾斜 and 下線 in that order.
std::string FontSpecText(const std::string& face, bool bold, bool italic, bool underline, int size);

}  // namespace pirune
