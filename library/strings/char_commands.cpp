// Character tests and codes, HTML tags and digests: "大文字か", "数字か", "数列か",
// "全角か", "ひらがなか", "カタカナか", "文字", "キーコード", "タグ削除", "タグ切り出し",
// "MD5取得", "CRC16取得", "CRC32取得".
#include "engine/command_api.h"
#include "library/japanese/width_case.h"
#include "library/strings/digests.h"
#include "library/strings/tags.h"
#include "library/strings/text_model.h"
#include "library/strings/whole_number.h"

namespace pirune {
namespace {

// The first character of the text in its half-width form.
std::string FirstCharHalf(std::string_view s) {
  s = text::Characters(s);
  return s.empty() ? std::string() : japanese::HalfWidth(s.substr(0, CharLength(s, 0)));
}

bool StartsWithin(std::string_view s, char low, char high) { return !s.empty() && s[0] >= low && s[0] <= high; }

void IsUpper(TCommand& c) { c.ResultFlag(StartsWithin(FirstCharHalf(c.Text(0)), 'A', 'Z')); }
void IsDigit(TCommand& c) { c.ResultFlag(StartsWithin(FirstCharHalf(c.Text(0)), '0', '9')); }

void IsNumeral(TCommand& c) {
  std::string s = c.Text(0);
  bool ok = StartsWithin(s, '0', '9');
  for (std::size_t i = 1; ok && i < s.size(); ++i)
    ok = (s[i] >= '0' && s[i] <= '9') || s[i] == '+' || s[i] == '-' || s[i] == '.' || s[i] == 'E' || s[i] == 'e';
  c.ResultFlag(ok);
}

void IsFullWidth(TCommand& c) {
  std::string s = c.Text(0);
  c.ResultFlag(!s.empty() && IsLeadByte(static_cast<unsigned char>(s[0])));
}

void IsHiragana(TCommand& c) { c.ResultFlag(text::InRange(c.Text(0), text::kHiraganaFirst, text::kHiraganaLast)); }
void IsKatakana(TCommand& c) { c.ResultFlag(text::InRange(c.Text(0), text::kKatakanaFirst, text::kKatakanaLast)); }

void Character(TCommand& c) {
  std::int32_t code = text::PlainInteger(c.Text(0), -1);
  if (code < 0) c.ArgumentError();
  if (code > 0xFFFF) RangeError();
  std::string out;
  if (code > 0xFF) out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
  c.Result(std::move(out));
}

void KeyCode(TCommand& c) {
  std::string s = c.Text(0);
  if (s.empty()) c.ArgumentError();
  const auto first = static_cast<unsigned char>(s[0]);
  if (!IsLeadByte(first)) return c.ResultInteger(first);
  if (s.size() < 2) RangeError();
  c.ResultInteger(first * 256 + static_cast<unsigned char>(s[1]));
}

void RemoveTags(TCommand& c) { c.Result(WithoutTags(c.Text(0))); }

void CutTags(TCommand& c) {
  std::string s = c.Text(0);
  c.Result(ElementsOfTag(s, c.Text(1)));
}

void Md5(TCommand& c) { c.Result(Md5Hex(c.Text(0))); }
void Crc16Of(TCommand& c) { c.ResultInteger(Crc16(c.Text(0))); }
void Crc32Of(TCommand& c) { c.ResultInteger(Crc32(c.Text(0))); }

}  // namespace

std::span<const CommandBinding> CharacterCommands() {
  static const CommandBinding commands[] = {
      {"大文字か", IsUpper},     {"数字か", IsDigit},        {"数列か", IsNumeral},   {"全角か", IsFullWidth},
      {"ひらがなか", IsHiragana}, {"カタカナか", IsKatakana}, {"文字", Character},     {"キーコード", KeyCode},
      {"タグ削除", RemoveTags},   {"タグ切り出し", CutTags},   {"MD5取得", Md5},        {"CRC16取得", Crc16Of},
      {"CRC32取得", Crc32Of},
  };
  return commands;
}

}  // namespace pirune
