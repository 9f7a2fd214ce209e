// The loading rule for script files: UTF-8 from today's editors is converted, Shift_JIS
// is kept as it is, and no real Shift_JIS text may be mistaken for UTF-8.
#include "startup/script_encoding.h"

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/cp932.h"

namespace {

using pirune::DecodeScriptText;
using pirune::LooksLikeUtf8;

std::string Utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

std::string Bytes(unsigned code) {
  if (code > 0xFF) return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
  return std::string(1, static_cast<char>(code));
}

bool IsMapped(unsigned code) {
  const std::u16string u = pirune::cp932::ToUtf16(Bytes(code));
  return u.size() == 1 && u[0] != 0xFFFD;
}

// Every double-byte code that has a character.
std::vector<unsigned> DoubleByteCodes() {
  std::vector<unsigned> codes;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (!pirune::cp932::IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
      if (IsMapped(lead << 8 | trail)) codes.push_back(lead << 8 | trail);
  }
  return codes;
}

std::string Range(unsigned first, unsigned last) {
  std::string s;
  for (unsigned c = first; c <= last; ++c)
    if (IsMapped(c)) s += Bytes(c);
  return s;
}

void ExpectKeptAsShiftJis(const std::string& text, const std::string& what) {
  EXPECT_FALSE(LooksLikeUtf8(text)) << what;
  const auto d = DecodeScriptText(text);
  EXPECT_TRUE(d.ok) << what;
  EXPECT_TRUE(d.text == text) << what;
  EXPECT_EQ(d.bad_line, 0) << what;
}

TEST(ScriptEncoding, Utf8WithByteOrderMarkIsConverted) {
  struct Case {
    std::string file;
    std::string want;
  } cases[] = {
      {"\xEF\xBB\xBF" + Utf8(u8"「こんにちは」と表示する。\r\n"), "「こんにちは」と表示する。\r\n"},
      {"\xEF\xBB\xBF" "A=1\nA\x5C" "B\n", "A=1\nA\\B\n"},  // only ASCII: the mark still counts
      {"\xEF\xBB\xBF", ""},
      {"\xEF\xBB\xBF" + Utf8(u8"ｶﾅ〜"), "ｶﾅ\x81\x60"},
  };
  for (const Case& k : cases) {
    EXPECT_TRUE(LooksLikeUtf8(k.file));
    const auto d = DecodeScriptText(k.file);
    EXPECT_TRUE(d.ok);
    EXPECT_EQ(d.text, k.want);
    EXPECT_EQ(d.bad_line, 0);
  }
}

TEST(ScriptEncoding, Utf8WithoutMarkIsConvertedWhenItHasMultiByteCharacters) {
  struct Case {
    std::string file;
    std::string want;
  } cases[] = {
      {Utf8(u8"もし、A>5ならば\r\n  「大きい」と表示\r\n"), "もし、A>5ならば\r\n  「大きい」と表示\r\n"},
      {Utf8(u8"x=表"), "x=表"},
      {Utf8(u8"ﾃｽﾄ"), "ﾃｽﾄ"},
      {"\xC2\x80", "\x80"},
  };
  for (const Case& k : cases) {
    EXPECT_TRUE(LooksLikeUtf8(k.file));
    const auto d = DecodeScriptText(k.file);
    EXPECT_TRUE(d.ok);
    EXPECT_EQ(d.text, k.want);
  }
}

TEST(ScriptEncoding, AsciiAndNonUtf8AreUnchanged) {
  const std::string cases[] = {
      "",
      "A=10\r\nA\x5C" "B\r\n~\t\x7F",
      std::string("\0\x01\x1B", 3),
      "\xEF\xBB",                      // a cut-off mark is no mark
      "\xC3\xA9\xFF",                  // UTF-8 until one bad byte
      "\xE3\x81\x82\xC0\x80",          // an overlong form
      "\xED\xA0\x80",                  // an encoded surrogate
  };
  for (const std::string& file : cases) ExpectKeptAsShiftJis(file, testing::PrintToString(file));
}

TEST(ScriptEncoding, UnconvertibleCharacterNamesItsLine) {
  const std::string emoji = "\xF0\x9F\x98\x80";
  const std::string jp = Utf8(u8"表示");
  struct Case {
    std::string file;
    int line;
  } cases[] = {
      {emoji, 1},
      {jp + emoji + "\n", 1},
      {"a\n" + jp + "\n" + emoji, 3},
      {"a\r\n" + jp + "\r\n" + emoji + "\r\n", 3},
      {"a\r" + jp + "\r" + emoji + "\r", 3},
      {"a\r\r\n\n" + jp + emoji, 4},              // CR, CR LF, LF
      {"\n\n\n\n" + jp + "\n" + emoji + jp, 6},
      {"\xEF\xBB\xBF" "a\n" + jp + "\n" + emoji, 3},
      {jp + "\n" + Utf8(u8"é") + "\n" + emoji, 2},  // the first of several
      {"\xEF\xBB\xBF" "a\nb\xFF\n", 2},          // mark then invalid UTF-8
      {"\xEF\xBB\xBF" "a\r\nb\r\n\xE3\x81", 3},   // cut off at the end
      {"\xEF\xBB\xBF\xC0\xAF", 1},               // overlong right after the mark
      {"\xEF\xBB\xBF" "\n\xED\xB0\x80", 2},       // surrogate
  };
  for (const Case& k : cases) {
    EXPECT_TRUE(LooksLikeUtf8(k.file)) << testing::PrintToString(k.file);
    const auto d = DecodeScriptText(k.file);
    EXPECT_FALSE(d.ok) << testing::PrintToString(k.file);
    EXPECT_EQ(d.bad_line, k.line) << testing::PrintToString(k.file);
    EXPECT_EQ(d.text, "");
  }
}

// Texts as people write them, in Shift_JIS; none may be taken for UTF-8.
TEST(ScriptEncoding, ShiftJisCorpusIsNeverTakenForUtf8) {
  std::vector<std::pair<std::string, std::string>> corpus = {
      {"hiragana", Range(0x829F, 0x82F1)},
      {"katakana", Range(0x8340, 0x8396)},
      {"symbols", Range(0x8140, 0x81FC)},
      {"half-width kana", Range(0xA1, 0xDF)},
      {"half-width line", "ｱｲｳｴｵ ｶｷｸｹｺ ｻｼｽｾｿ\r\nﾀﾁﾂﾃﾄ ﾅﾆﾇﾈﾉ ﾊﾋﾌﾍﾎ\r\n"},
      {"half-width words", "ﾃｽﾄ ﾌﾟﾛｸﾞﾗﾑ ｺﾝﾋﾟｭｰﾀ\r\n"},
      {"sentence", "「こんにちは」と表示する。\r\n"},
      {"script", "A=10\r\nもし、A>5ならば\r\n  「大きい」と表示\r\n違えば\r\n  「小さい」と表示\r\nここまで\r\n"},
      {"mixed", "Windows で動く ｿﾌﾄ を作る。ABC 123 漢字\\n\r\n"},
      {"kanji only", "日本語表示漢字変換"},
  };
  const char* shorts[] = {"あ", "ア", "ｱ", "日", "表", "。", "はい", "日本", "表示", "漢字", "ﾃｽﾄ", "、", "ー", "凜"};
  for (const char* s : shorts) corpus.push_back({"short", s});

  // Kanji of every lead byte: the first, a middle and the last mapped trail.
  std::vector<unsigned> leads;
  for (unsigned lead = 0x88; lead <= 0x9F; ++lead) leads.push_back(lead);
  for (unsigned lead = 0xE0; lead <= 0xEA; ++lead) leads.push_back(lead);
  for (unsigned lead : leads) {
    std::vector<unsigned> codes;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
      if (IsMapped(lead << 8 | trail)) codes.push_back(lead << 8 | trail);
    ASSERT_FALSE(codes.empty()) << std::hex << lead;
    std::string picked = Bytes(codes.front()) + Bytes(codes[codes.size() / 2]) + Bytes(codes.back());
    corpus.push_back({"kanji of one lead byte", picked});
    corpus.push_back({"kanji in a sentence", "これは" + picked + "です。\r\n"});
  }

  for (unsigned b = 0x80; b <= 0xFF; ++b) {
    if (pirune::cp932::IsLeadByte(static_cast<unsigned char>(b))) continue;
    corpus.push_back({"one single-byte character", Bytes(b)});
    corpus.push_back({"one single-byte character in a line", "A" + Bytes(b) + "\r\n"});
  }
  std::string each_on_its_line;
  for (unsigned code : DoubleByteCodes()) {
    each_on_its_line += Bytes(code) + "\r\n";
    corpus.push_back({"one character", Bytes(code)});
    corpus.push_back({"one character and a line end", Bytes(code) + "\n"});
  }
  corpus.push_back({"every character on its own line", each_on_its_line});

  for (const auto& [what, text] : corpus) ExpectKeptAsShiftJis(text, what + ": " + testing::PrintToString(text));
}

// Which pairs of Shift_JIS characters read as UTF-8, in Shift_JIS terms; the header lists
// the same kinds. Each side is a single byte (one element) or a lead and trail byte.
bool PairIsUtf8(const std::string& x, const std::string& y) {
  auto byte = [](const std::string& s, std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(s[i])); };
  const bool y_single_continuation = y.size() == 1 && (byte(y, 0) == 0x80 || (byte(y, 0) >= 0xA0 && byte(y, 0) <= 0xBF));
  const bool y_low_lead = y.size() == 2 && byte(y, 0) >= 0x81 && byte(y, 0) <= 0x9F;
  const bool y_low_lead_ascii_trail = y_low_lead && byte(y, 1) <= 0x7E;
  if (x.size() == 1) return byte(x, 0) >= 0xC2 && byte(x, 0) <= 0xDF && (y_single_continuation || y_low_lead_ascii_trail);
  const unsigned lead = byte(x, 0), trail = byte(x, 1);
  if (lead >= 0xE0 && lead <= 0xEF) {
    const unsigned low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
    return trail >= low && trail <= high && (y_single_continuation || y_low_lead_ascii_trail);
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    const unsigned low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
    return trail >= low && trail <= high && y_low_lead && byte(y, 1) >= 0x80 && byte(y, 1) <= 0xBF;
  }
  return false;
}

// The classes of bytes between which UTF-8 does not distinguish anywhere in a sequence.
int Utf8ByteClass(unsigned char b) {
  static constexpr unsigned char kClassStarts[] = {0x00, 0x80, 0x90, 0xA0, 0xC0, 0xC2, 0xE0, 0xE1,
                                                   0xED, 0xEE, 0xF0, 0xF1, 0xF4, 0xF5};
  int c = 0;
  while (c + 1 < static_cast<int>(std::size(kClassStarts)) && b >= kClassStarts[c + 1]) ++c;
  return c;
}

// The honest limit: two characters can spell valid UTF-8. Every non-ASCII character is
// tried before and after one character of each kind of byte pattern (trying all 93.5
// million pairs one by one would only repeat these), and the pairs taken for UTF-8 must
// be exactly the documented kinds.
TEST(ScriptEncoding, AmbiguousPairsAreExactlyTheDocumentedOnes) {
  std::vector<std::string> chars;
  for (unsigned b = 0x80; b <= 0xFF; ++b)
    if (!pirune::cp932::IsLeadByte(static_cast<unsigned char>(b))) chars.push_back(Bytes(b));
  for (unsigned code : DoubleByteCodes()) chars.push_back(Bytes(code));
  ASSERT_EQ(chars.size(), 9672u);

  std::map<std::vector<int>, std::vector<std::string>> kinds;
  for (const std::string& c : chars) {
    std::vector<int> pattern;
    for (char b : c) pattern.push_back(Utf8ByteClass(static_cast<unsigned char>(b)));
    kinds[pattern].push_back(c);
  }

  int wrong = 0;
  auto check = [&](const std::string& x, const std::string& y) {
    const std::string pair = x + y;
    if (LooksLikeUtf8(pair) != PairIsUtf8(x, y) && ++wrong <= 5) ADD_FAILURE() << testing::PrintToString(pair);
  };
  for (const std::string& c : chars) {
    for (const auto& [pattern, members] : kinds) {
      check(c, members[members.size() / 2]);
      check(members[members.size() / 2], c);
    }
  }
  EXPECT_EQ(wrong, 0);

  long long taken = 0, total = 0;
  for (const auto& [px, xs] : kinds) {
    for (const auto& [py, ys] : kinds) {
      const long long n = static_cast<long long>(xs.size()) * static_cast<long long>(ys.size());
      total += n;
      if (LooksLikeUtf8(xs.front() + ys.front())) taken += n;
    }
  }
  EXPECT_EQ(total, 9672LL * 9672LL);
  EXPECT_EQ(taken, 1775442);

  // One example of each kind, decoded as the rule does.
  struct Case {
    std::string sjis;
    bool ok;
    std::string text;
  } examples[] = {
      {"ﾃｽ", false, ""},                          // C3 BD: U+00FD, no Shift_JIS code
      {"ﾑア", true, "\x84\x85" "A"},              // D1 83 41: Cyrillic U+0443 and "A"
      {"\xE3\x82\xA0", false, ""},                // kanji E382, half-width A0: U+30A0
      {"窶拭", true, "\x81\x5D" "@"},               // E2 80 90 40: U+2010 and "@"
      {"\xF0\x90\x81\x80", false, ""},            // user-defined F090, then 8180: U+10040
  };
  for (const Case& k : examples) {
    EXPECT_TRUE(LooksLikeUtf8(k.sjis));
    const auto d = DecodeScriptText(k.sjis);
    EXPECT_EQ(d.ok, k.ok) << testing::PrintToString(k.sjis);
    EXPECT_EQ(d.text, k.text);
    EXPECT_EQ(d.bad_line, k.ok ? 0 : 1);
  }
}

}  // namespace
