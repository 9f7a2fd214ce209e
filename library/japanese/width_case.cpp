#include "library/japanese/width_case.h"

#include <algorithm>

#include "platform/sjis_walk.h"

namespace pirune::japanese {
namespace {

struct HalfForm {
  std::uint16_t code;
  std::uint8_t first, second;  // second is 0 for a one-byte form
};
struct JoinedForm {
  std::uint8_t kana, mark;
  std::uint16_t code;
};
struct CodePair {
  std::uint16_t code, to;
};

#include "library/japanese/char_tables.inc"

// The entry for `code` in a table sorted by code, or null.
template <class Entry, std::size_t N>
const Entry* Lookup(const Entry (&table)[N], std::uint16_t code) {
  const Entry* end = table + N;
  const Entry* found =
      std::lower_bound(table, end, code, [](const Entry& e, std::uint16_t c) { return e.code < c; });
  return found != end && found->code == code ? found : nullptr;
}

std::uint16_t CodeAt(std::string_view s, std::size_t i) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(s[i]) << 8 | static_cast<unsigned char>(s[i + 1]));
}

void AppendCode(std::string& out, std::uint16_t code) {
  out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
}

// Walks the characters of s, giving each two-byte character's code to `two` and each
// one-byte character's position to `one`, which tells how many bytes it took.
template <class Two, class One>
std::string Map(std::string_view s, Two two, One one) {
  std::string out;
  out.reserve(s.size() + s.size() / 2);
  for (std::size_t i = 0; i < s.size();) {
    if (CharLength(s, i) == 2) {
      two(out, CodeAt(s, i));
      i += 2;
    } else {
      i += one(out, i);
    }
  }
  return out;
}

std::size_t CopyByte(std::string& out, std::string_view s, std::size_t i) {
  out += s[i];
  return 1;
}

template <std::size_t N>
std::string MapCodes(std::string_view s, const CodePair (&table)[N]) {
  return Map(
      s,
      [&](std::string& out, std::uint16_t code) {
        const CodePair* pair = Lookup(table, code);
        AppendCode(out, pair ? pair->to : code);
      },
      [&](std::string& out, std::size_t i) { return CopyByte(out, s, i); });
}

bool IsHalfKana(unsigned char b) { return b >= 0xA1 && b <= 0xDF; }

}  // namespace

std::uint16_t FullKana(std::string_view s, std::size_t i, std::size_t* length) {
  const auto b = static_cast<unsigned char>(s[i]);
  *length = 1;
  if (!IsHalfKana(b)) return 0;
  if (i + 1 < s.size()) {
    const auto mark = static_cast<unsigned char>(s[i + 1]);
    for (const JoinedForm& j : kFullOfJoined)
      if (j.kana == b && j.mark == mark) {
        *length = 2;
        return j.code;
      }
  }
  return kFullOfSingle[b];
}

std::string HalfWidth(std::string_view s) {
  return Map(
      s,
      [](std::string& out, std::uint16_t code) {
        const HalfForm* half = Lookup(kHalfOfFull, code);
        if (!half) return AppendCode(out, code);
        out += static_cast<char>(half->first);
        if (half->second) out += static_cast<char>(half->second);
      },
      [&](std::string& out, std::size_t i) { return CopyByte(out, s, i); });
}

std::string FullWidth(std::string_view s) {
  return Map(
      s, [](std::string& out, std::uint16_t code) { AppendCode(out, code); },
      [&](std::string& out, std::size_t i) -> std::size_t {
        std::size_t length;
        std::uint16_t code = FullKana(s, i, &length);
        if (!code) code = kFullOfSingle[static_cast<unsigned char>(s[i])];
        if (!code) return CopyByte(out, s, i);
        AppendCode(out, code);
        return length;
      });
}

std::string AlphanumericHalfWidth(std::string_view s) {
  static const std::string_view list =
      "０１２３４５６７８９ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ"
      "！”＃＄％＆’（）＝－￥［］｛｝＿／＞＜，．＠‘　";
  return Map(
      s,
      [](std::string& out, std::uint16_t code) {
        for (std::size_t k = 0; k + 1 < list.size(); k += 2)
          if (CodeAt(list, k) == code) {
            out += static_cast<char>(Lookup(kHalfOfFull, code)->first);
            return;
          }
        AppendCode(out, code);
      },
      [&](std::string& out, std::size_t i) -> std::size_t {
        const auto b = static_cast<unsigned char>(s[i]);
        if (IsHalfKana(b) && kFullOfSingle[b]) AppendCode(out, kFullOfSingle[b]);
        else out += s[i];
        return 1;
      });
}

std::string UpperCase(std::string_view s) {
  std::string out = MapCodes(s, kUpperOf);
  // One-byte letters are where they were: only those, never a trail byte, change.
  for (std::size_t i = 0; i < out.size(); i += CharLength(out, i))
    if (out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
  return out;
}

std::string LowerCase(std::string_view s) {
  std::string out = MapCodes(s, kLowerOf);
  for (std::size_t i = 0; i < out.size(); i += CharLength(out, i))
    if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
  return out;
}

std::string Hiragana(std::string_view s) { return MapCodes(s, kHiraganaOf); }
std::string Katakana(std::string_view s) { return MapCodes(s, kKatakanaOf); }

}  // namespace pirune::japanese
