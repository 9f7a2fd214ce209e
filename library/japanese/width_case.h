// Width, case and kana conversions of Shift_JIS text, from the runtime's own tables, so
// that results never depend on the system's locale.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pirune::japanese {

// Every character that has a half-width form replaced by it (ガ becomes ｶﾞ).
std::string HalfWidth(std::string_view s);
// Every character that has a full-width form replaced by it, a half-width katakana
// joined with a following voiced or semi-voiced mark where a combined character exists;
// "\" becomes "￥".
std::string FullWidth(std::string_view s);
// Full-width letters, digits and the signs ！”＃＄％＆’（）＝－￥［］｛｝＿／＞＜，．＠‘ and
// the full-width space made half-width; half-width katakana made full-width one byte at
// a time.
std::string AlphanumericHalfWidth(std::string_view s);
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
std::string Hiragana(std::string_view s);
std::string Katakana(std::string_view s);

// The full-width code of the half-width katakana at s[i], joined with a voiced or
// semi-voiced mark after it where a combined character exists (*length tells the bytes
// taken: 1 or 2); 0 when s[i] is no half-width katakana.
std::uint16_t FullKana(std::string_view s, std::size_t i, std::size_t* length);

}  // namespace pirune::japanese
