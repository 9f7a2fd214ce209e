#include "gui/font_spec.h"

#include <algorithm>
#include <cmath>

#include "engine/number.h"
#include "library/japanese/width_case.h"
#include "library/strings/text_model.h"

namespace pirune {

namespace {
std::string Normalised(std::string_view text) { return japanese::FullWidth(japanese::UpperCase(text)); }

bool Has(std::string_view text, std::string_view word) {
  return text::FindAligned(text, Normalised(word)) != text::npos;
}
}  // namespace

std::string FaceKey(std::string_view face) { return text::ReplaceAll(Normalised(face), "　", ""); }

FontSpec ParseFontSpec(std::string_view text) {
  const std::string all = Normalised(text);
  const std::string_view rest_all = all;
  const std::size_t bar = text::FindAligned(rest_all, "｜");
  FontSpec spec;
  spec.face_key = FaceKey(rest_all.substr(0, bar));
  if (bar == text::npos) return spec;
  const std::string_view rest = rest_all.substr(bar + 2);
  const std::size_t second = text::FindAligned(rest, "｜");
  const std::string_view style = rest.substr(0, second);
  spec.bold = Has(style, "ボールド") || Has(style, "太字");
  spec.italic = Has(style, "イタリック") || Has(style, "傾斜") || Has(style, "斜体");
  spec.underline = Has(style, "罫線") || Has(style, "下線") || Has(style, "アンダーライン");
  if (second == text::npos) return spec;
  const std::string size = text::TrimBlanks(japanese::HalfWidth(rest.substr(second + 2)));
  if (!size.empty()) {
    // A size no font could have is kept within bounds rather than overflowing.
    const Number points = StrToValue(size);
    if (std::isfinite(points)) spec.size = static_cast<int>(std::clamp<Number>(std::trunc(points), -1000, 1000));
  }
  return spec;
}

std::string FontSpecText(const std::string& face, bool bold, bool italic, bool underline, int size) {
  std::string styles;
  if (bold) styles += "太字";
  if (italic) styles += "傾斜";
  if (underline) styles += "下線";
  std::string text = face;
  if (!styles.empty()) text += "|" + styles;
  if (size > 0) text += (styles.empty() ? "||" : "|") + std::to_string(size);
  return text;
}

}  // namespace pirune
