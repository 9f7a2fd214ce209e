// Checks the code page 932 conversions against glibc's converter, which was built from
// the same Microsoft table independently of ours, and against the choices Windows makes
// when one character has several codes.
#include "platform/cp932.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using pirune::cp932::FromUtf16;
using pirune::cp932::FromUtf8;
using pirune::cp932::IsLeadByte;
using pirune::cp932::ToUtf16;
using pirune::cp932::ToUtf8;

std::string Bytes(unsigned code) {
  if (code > 0xFF) return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
  return std::string(1, static_cast<char>(code));
}

std::string Utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

std::vector<unsigned> AllLeadBytes() {
  std::vector<unsigned> leads;
  for (unsigned b = 0; b < 256; ++b)
    if (IsLeadByte(static_cast<unsigned char>(b))) leads.push_back(b);
  return leads;
}

// Every code with a character, each with that character, as our decoder tells.
std::map<unsigned, char16_t> DecodedCodes() {
  std::map<unsigned, char16_t> codes;
  for (unsigned b = 0; b < 256; ++b) {
    if (IsLeadByte(static_cast<unsigned char>(b))) continue;
    const std::u16string u = ToUtf16(Bytes(b));
    EXPECT_EQ(u.size(), 1u) << std::hex << b;
    if (u.size() == 1) codes[b] = u[0];
  }
  for (unsigned lead : AllLeadBytes()) {
    for (unsigned trail = 0; trail < 256; ++trail) {
      const std::u16string u = ToUtf16(Bytes(lead << 8 | trail));
      if (u.size() == 1 && u[0] != 0xFFFD) codes[lead << 8 | trail] = u[0];
    }
  }
  return codes;
}

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // The whole input converted, or nothing when any of it is rejected or left over.
  std::optional<std::string> Convert(const std::string& in) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string copy = in;
    char out[64];
    char* ip = copy.data();
    char* op = out;
    std::size_t il = copy.size(), ol = sizeof out;
    if (iconv(cd_, &ip, &il, &op, &ol) == static_cast<std::size_t>(-1) || il != 0) return std::nullopt;
    return std::string(out, op);
  }

 private:
  iconv_t cd_;
};

std::u16string FromUtf16Le(const std::string& bytes) {
  std::u16string u;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    u.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8));
  return u;
}

// glibc rejects these single bytes; Windows decodes them, and so do we. No double-byte
// code differs: the user-defined area F040-F9FC (U+E000-E757) and every NEC and IBM
// extension decode alike in both.
const std::map<unsigned, char16_t> kWindowsOnlyBytes = {
    {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}};

TEST(Cp932, DecodingAgreesWithGlibcForEveryCode) {
  Iconv cd("UTF-16LE", "CP932");
  ASSERT_TRUE(cd.ok());
  std::map<unsigned, char16_t> glibc_rejects_we_map;
  int mapped_double = 0;

  for (unsigned b = 0; b < 256; ++b) {
    const std::u16string ours = ToUtf16(Bytes(b));
    const auto theirs = cd.Convert(Bytes(b));
    if (IsLeadByte(static_cast<unsigned char>(b))) {
      EXPECT_FALSE(theirs.has_value()) << "lone lead byte " << std::hex << b;
      EXPECT_EQ(ours, u"\uFFFD") << std::hex << b;
    } else if (!theirs) {
      ASSERT_EQ(ours.size(), 1u);
      glibc_rejects_we_map[b] = ours[0];
    } else {
      EXPECT_EQ(ours, FromUtf16Le(*theirs)) << "byte " << std::hex << b;
    }
  }
  EXPECT_EQ(glibc_rejects_we_map, kWindowsOnlyBytes);

  for (unsigned lead : AllLeadBytes()) {
    for (unsigned trail = 0; trail < 256; ++trail) {
      const unsigned code = lead << 8 | trail;
      const std::u16string ours = ToUtf16(Bytes(code));
      const auto theirs = cd.Convert(Bytes(code));
      const std::u16string theirs16 = theirs ? FromUtf16Le(*theirs) : u"";
      if (theirs16.size() == 1) {
        ++mapped_double;
        EXPECT_EQ(ours, theirs16) << "code " << std::hex << code;
        EXPECT_NE(ours[0], 0xFFFD) << std::hex << code;
      } else {
        // Where glibc does not see one character, we must not either.
        ASSERT_FALSE(ours.empty());
        EXPECT_EQ(ours[0], 0xFFFD) << "code " << std::hex << code << " decodes only here";
      }
    }
  }
  EXPECT_EQ(mapped_double, 9604);
}

// glibc's encoder differs from Windows only here: it accepts three look-alikes that
// Windows leaves to its best-fit fallback, and it lacks the five characters of the
// Windows-only bytes above.
TEST(Cp932, EncodingAgreesWithGlibcForEveryBmpCharacter) {
  Iconv cd("CP932", "UTF-16LE");
  ASSERT_TRUE(cd.ok());
  const std::map<char16_t, std::string> glibc_only = {{0x00A5, "\x5C"}, {0x203E, "\x7E"}, {0x2014, "\x81\x5C"}};
  std::set<char16_t> ours_only, expected_ours_only;
  for (const auto& [byte, c] : kWindowsOnlyBytes) expected_ours_only.insert(c);
  std::map<char16_t, std::string> theirs_only;

  for (unsigned c = 0; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::u16string one(1, static_cast<char16_t>(c));
    bool lossless = false;
    const std::string ours = FromUtf16(one, &lossless);
    const std::string le = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    const auto theirs = cd.Convert(le);
    if (lossless && theirs) {
      EXPECT_EQ(ours, *theirs) << "U+" << std::hex << c;
    } else if (lossless) {
      ours_only.insert(static_cast<char16_t>(c));
    } else if (theirs) {
      EXPECT_EQ(ours, "?");
      theirs_only[static_cast<char16_t>(c)] = *theirs;
    } else {
      EXPECT_EQ(ours, "?") << "U+" << std::hex << c;
    }
  }
  EXPECT_EQ(ours_only, expected_ours_only);
  EXPECT_EQ(theirs_only, glibc_only);
}

// Windows' preference among codes of one character: the JIS X 0208 rows, then NEC row 13
// (87xx), then the IBM extensions (FA-FC), and never the NEC-selected IBM extensions
// (ED/EE). Ascending order puts the first three right; only ED/EE has to move last.
unsigned PreferredCode(const std::vector<unsigned>& codes) {
  return *std::min_element(codes.begin(), codes.end(), [](unsigned a, unsigned b) {
    const bool a_nec_ibm = a >= 0xED40 && a <= 0xEEFC, b_nec_ibm = b >= 0xED40 && b <= 0xEEFC;
    return a_nec_ibm != b_nec_ibm ? b_nec_ibm : a < b;
  });
}

TEST(Cp932, EveryCodeRoundTripsExceptDuplicatesWhichTakeTheWindowsChoice) {
  const auto decoded = DecodedCodes();
  ASSERT_EQ(decoded.size(), 196u + 9604u);
  std::map<char16_t, std::vector<unsigned>> codes_of;
  for (const auto& [code, c] : decoded) codes_of[c].push_back(code);

  int moved = 0;
  std::string all_sjis, all_expected;
  for (const auto& [code, c] : decoded) {
    const unsigned want = PreferredCode(codes_of[c]);
    bool lossless = false;
    EXPECT_EQ(FromUtf16(std::u16string(1, c), &lossless), Bytes(want)) << std::hex << code;
    EXPECT_TRUE(lossless);
    EXPECT_FALSE(want >= 0xED40 && want <= 0xEEFC);
    if (want != code) ++moved;
    all_sjis += Bytes(code);
    all_expected += Bytes(want);
  }
  EXPECT_EQ(moved, 398);

  // The same through UTF-8, all characters in one text.
  std::size_t bad = 12345;
  const auto back = FromUtf8(ToUtf8(all_sjis), &bad);
  ASSERT_TRUE(back.has_value()) << "first bad byte at " << bad;
  EXPECT_TRUE(*back == all_expected);
  EXPECT_EQ(FromUtf16(ToUtf16(all_sjis)), all_expected);
}

TEST(Cp932, DuplicatesEncodeAsOnWindows) {
  struct Case {
    char16_t c;
    unsigned want;
    unsigned other;  // a code that also decodes to c
  } cases[] = {
      {0x2252, 0x81E0, 0x8790},  // row 2 over NEC row 13
      {0x2235, 0x81E6, 0x879A},  // three codes: row 2 wins over NEC row 13 ...
      {0x2235, 0x81E6, 0xFA5B},  // ... and over the IBM extensions
      {0xFFE2, 0x81CA, 0xEEF9},  // row 2 over NEC-selected IBM
      {0xFFE2, 0x81CA, 0xFA54},
      {0x2160, 0x8754, 0xFA4A},  // NEC row 13 over IBM
      {0x3231, 0x878A, 0xFA58},
      {0x2116, 0x8782, 0xFA59},
      {0x2170, 0xFA40, 0xEEEF},  // IBM over NEC-selected IBM
      {0x7E8A, 0xFA5C, 0xED40},
      {0x9ED1, 0xFC4B, 0xEEEC},
      {0xFF07, 0xFA56, 0xEEFB},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(ToUtf16(Bytes(k.want)), std::u16string(1, k.c));
    EXPECT_EQ(ToUtf16(Bytes(k.other)), std::u16string(1, k.c));
    EXPECT_EQ(FromUtf16(std::u16string(1, k.c)), Bytes(k.want)) << std::hex << unsigned{k.c};
  }
}

TEST(Cp932, LookAlikesFromOtherSystemsEncodeToTheirRowOneSymbols) {
  // No code decodes to these, but files written elsewhere carry them where Windows text
  // has the full-width forms.
  struct Case {
    char16_t c;
    unsigned code;
    char16_t decodes_to;
  } cases[] = {
      {0x301C, 0x8160, 0xFF5E}, {0x2212, 0x817C, 0xFF0D}, {0x2016, 0x8161, 0x2225},
      {0x00A2, 0x8191, 0xFFE0}, {0x00A3, 0x8192, 0xFFE1}, {0x00AC, 0x81CA, 0xFFE2},
  };
  for (const Case& k : cases) {
    bool lossless = false;
    EXPECT_EQ(FromUtf16(std::u16string(1, k.c), &lossless), Bytes(k.code)) << std::hex << unsigned{k.c};
    EXPECT_TRUE(lossless);
    EXPECT_EQ(ToUtf16(Bytes(k.code)), std::u16string(1, k.decodes_to));
  }
}

TEST(Cp932, ToUtf16SpecialBytesAndDamagedPairs) {
  struct Case {
    std::string sjis;
    std::u16string want;
  } cases[] = {
      {"\x5C\x7E", u"\\~"},                        // backslash and tilde, not yen and overline
      {"\x95\x5C\x8E\xA6", u"表示"},                // 5C as a trail byte is part of the kanji
      {"\xA1\xB1\xDF", u"\uFF61\uFF71\uFF9F"},      // half-width kana
      {"\x80\xA0\xFD\xFE\xFF", u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3"},
      {"\xF0\x40\xF9\xFC", u"\uE000\uE757"},        // user-defined area
      {"a\x82", u"a\uFFFD"},                         // lead byte at the end
      {"\x81\x0A" "b", u"\uFFFD\nb"},                // follower is no trail byte: kept
      {"\x81\x7F", u"\uFFFD\u007F"},
      {"\x85\x40" "c", u"\uFFFDc"},                  // unmapped pair: one replacement
      {"\x81\xAD\x81\x40", u"\uFFFD\u3000"},
      {std::string("\0a", 2), std::u16string(u"\0a", 2)},
      {"", u""},
  };
  for (const Case& k : cases) EXPECT_EQ(ToUtf16(k.sjis), k.want) << testing::PrintToString(k.sjis);
}

TEST(Cp932, FromUtf16UnmappedAndSurrogatesBecomeQuestionMarks) {
  struct Case {
    std::u16string text;
    std::string want;
    bool lossless;
  } cases[] = {
      {u"a\U0001F600b", "a?b", false},            // a pair is one character
      {std::u16string(u"x\xD800y", 3), "x?y", false},
      {std::u16string(u"x\xDC00", 2), "x?", false},
      {std::u16string(u"\xD83D", 1), "?", false},
      {std::u16string(u"\xDE00\xD83D", 2), "??", false},  // reversed order is two strays
      {std::u16string(u"\xDC00\xDC00", 2), "??", false},
      {std::u16string(u"\xD800\xD800", 2), "??", false},
      {u"é¥한", "???", false},
      {u"\uFFFD", "?", false},
      {u"漢字とｶﾅ\\", "漢字とｶﾅ\\", true},
      {std::u16string(u"\0", 1), std::string(1, '\0'), true},
      {u"", "", true},
  };
  for (const Case& k : cases) {
    bool lossless = !k.lossless;
    EXPECT_EQ(FromUtf16(k.text, &lossless), k.want);
    EXPECT_EQ(lossless, k.lossless) << k.want;
    EXPECT_EQ(FromUtf16(k.text), k.want);
  }
}

TEST(Cp932, ToUtf8OfMixedText) {
  struct Case {
    std::string sjis;
    std::string utf8;
  } cases[] = {
      {"Print 表示", Utf8(u8"Print 表示")},
      {"ABCあいう漢字ｱｲｳﾞ", Utf8(u8"ABCあいう漢字ｱｲｳﾞ")},
      {"\\n~", "\\n~"},
      {"ｶﾀｶﾅ と カタカナ。\r\n", Utf8(u8"ｶﾀｶﾅ と カタカナ。\r\n")},
      {"\x81\x60\x81\x7C", "\xEF\xBD\x9E\xEF\xBC\x8D"},  // U+FF5E, U+FF0D
      {"\x80\xA0", "\xC2\x80\xEF\xA3\xB0"},
      {"\x82", "\xEF\xBF\xBD"},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(ToUtf8(k.sjis), k.utf8);
    if (k.sjis != "\x82") {
      EXPECT_EQ(FromUtf8(k.utf8), std::optional<std::string>(k.sjis));
    }
  }
}

TEST(Cp932, FromUtf8ConvertsWhatShiftJisHolds) {
  struct Case {
    std::string utf8;
    std::string sjis;
  } cases[] = {
      {Utf8(u8"表示する"), "表示する"},
      {Utf8(u8"ﾃｽﾄ123"), "ﾃｽﾄ123"},
      {"\xE3\x80\x9C", "\x81\x60"},        // U+301C wave dash
      {"\xEF\xBD\x9E", "\x81\x60"},        // U+FF5E
      {"\xE2\x85\xB0", "\xFA\x40"},        // U+2170
      {"\xEE\x80\x80", "\xF0\x40"},        // U+E000
      {"\x5C", "\x5C"},
      {std::string(1, '\0'), std::string(1, '\0')},
      {"", ""},
  };
  for (const Case& k : cases) EXPECT_EQ(FromUtf8(k.utf8), std::optional<std::string>(k.sjis)) << k.sjis;
}

TEST(Cp932, FromUtf8RejectsBadOrUnmappableTextAtItsOffset) {
  const std::string a = Utf8(u8"あ");  // three bytes before each bad part
  struct Case {
    std::string utf8;
    std::size_t offset;
  } cases[] = {
      {a + "\xC0\x80", 3},              // overlong NUL
      {a + "\xC1\xBF", 3},              // overlong 7F
      {a + "\xE0\x80\xAF", 3},          // overlong three-byte
      {a + "\xE0\x9F\xBF", 3},
      {a + "\xF0\x80\x80\x80", 3},      // overlong four-byte
      {a + "\xF0\x8F\xBF\xBF", 3},
      {a + "\xED\xA0\x80", 3},          // high surrogate
      {a + "\xED\xBF\xBF", 3},          // low surrogate
      {a + "\xED\xA0\xBD\xED\xB8\x80", 3},  // surrogate pair spelled as two characters
      {a + "\xE3\x81", 3},              // cut off at the end
      {a + "\xE3\x81" "A", 3},          // cut off by ASCII
      {a + "\xC3", 3},
      {a + "\xF0\x9F\x98", 3},
      {a + "\x80", 3},                  // continuation without a start
      {a + "\xBF" "b", 3},
      {a + "\xF5\x80\x80\x80", 3},      // beyond U+10FFFF
      {a + "\xF4\x90\x80\x80", 3},
      {a + "\xFE", 3},
      {a + "\xFF", 3},
      {a + "\xF0\x9F\x98\x80", 3},      // emoji: valid, no code
      {a + "\xF0\x90\x81\x81", 3},      // U+10041, whose low half is "A"
      {a + "\xC3\xA9", 3},              // e with acute
      {a + "\xC2\xA5", 3},              // yen sign
      {a + "\xED\x95\x9C", 3},          // hangul
      {a + "\xEF\xBF\xBD", 3},          // replacement character
      {"abc" + a + a + "\xC3\xA9" + a, 9},
      {"\xC3\xA9", 0},
  };
  for (const Case& k : cases) {
    std::size_t bad = 9999;
    EXPECT_EQ(FromUtf8(k.utf8, &bad), std::nullopt) << testing::PrintToString(k.utf8);
    EXPECT_EQ(bad, k.offset) << testing::PrintToString(k.utf8);
  }
  EXPECT_EQ(FromUtf8("\xC3\xA9"), std::nullopt);  // offset is optional
}

TEST(Cp932, LargeTextRoundTrips) {
  std::string line = "漢字とかなとｶﾀｶﾅ, ASCII 123 \\ ~ 表示\r\n";
  std::string big;
  while (big.size() < (1u << 20)) big += line;
  const std::string utf8 = ToUtf8(big);
  EXPECT_GT(utf8.size(), big.size());
  EXPECT_TRUE(FromUtf8(utf8) == big);
  EXPECT_TRUE(FromUtf16(ToUtf16(big)) == big);
}

}  // namespace
