#include <gtest/gtest.h>

#include <string>

#include "library/japanese/base64.h"
#include "library/japanese/encodings.h"
#include "library/strings/line_wrap.h"
#include "library/strings/number_format.h"
#include "library/strings/text_model.h"

namespace pirune {
namespace {

TEST(TextModel, SearchMatchesOnlyAtCharacterStarts) {
  struct Case {
    std::string text, needle;
    std::size_t from, expected;
  } cases[] = {
      {"ソ表", "\\", 0, text::npos},  // 0x5C is the trail byte of both
      {"ソ表\\", "\\", 0, 4},
      {"abcabc", "c", 3, 5},
      {"あいう", "い", 1, 2},  // a start inside あ moves on to い
      {"abc", "", 0, text::npos},
      {"ab\x82", "\x82", 0, 2},  // a lone lead byte at the end is a character
  };
  for (const Case& c : cases) EXPECT_EQ(text::FindAligned(c.text, c.needle, c.from), c.expected) << c.text;
}

TEST(TextModel, ReplacingNeverRescansAndKeepsZeroBytes) {
  EXPECT_EQ(text::ReplaceAll("aaa", "a", "aa"), "aaaaaa");
  EXPECT_EQ(text::ReplaceAll(std::string("a\0a", 3), "a", "b"), std::string("b\0b", 3));
  EXPECT_EQ(text::ReplaceAll("ソソ", "\\", "x"), "ソソ");
  EXPECT_EQ(text::ReplaceNth("abab", 2, "ab", "X"), "abX");
  EXPECT_EQ(text::ReplaceNth("abab", 0, "ab", "X"), "abab");
  EXPECT_EQ(text::CountOccurrences("aaaa", "aa"), 2);
}

TEST(TextModel, CountsAndReadings) {
  EXPECT_EQ(text::CharCount("漢字三ab"), 5u);
  EXPECT_EQ(text::CharCount(std::string("ab\0cd", 5)), 2u);
  EXPECT_EQ(text::CharCount("a\x82"), 2u);
  struct Reading {
    const char* text;
    std::int32_t expected;
  } readings[] = {{"  -12", -12}, {"$1F", 31}, {"0x10", 16}, {"x10", 16}, {"12a", 7},
                  {"", 7},        {"2147483648", 7}, {"-2147483648", -2147483648}, {"１２", 7}};
  for (const Reading& r : readings) EXPECT_EQ(text::PlainInteger(r.text, 7), r.expected) << r.text;
  EXPECT_EQ(text::LineCount("a\r\nb\n\nc\r"), 4);
  EXPECT_EQ(text::LineCount(""), 0);
  EXPECT_EQ(text::Paragraph("A\r\n\r\nB", 1), "A\r\n\r\n");
  EXPECT_EQ(text::Paragraph("A\r\n\r\nB", 2), "B");
  EXPECT_EQ(text::Paragraph("A\n\nB", 2), "");
}

TEST(LineWrap, WidthTabsAndHangingCharacters) {
  EXPECT_EQ(WrapLines("abcd\r\ne", 4, 8, ""), "abcd\r\n\r\ne");
  EXPECT_EQ(WrapLines("あ、い", 2, 8, "、"), "あ、\r\nい");
  EXPECT_EQ(WrapLines("a\tb", 4, 8, ""), "a\t\r\nb");
  EXPECT_EQ(WrapLines("a\n\nb", 10, 8, ""), "a\r\nb");
}

TEST(NumberFormat, DirectivesAndCurrency) {
  struct Case {
    const char* format;
    FormatValue value;
    const char* expected;  // null: the format fails
  } cases[] = {
      {"%.2f", Number(2.675L), "2.68"},
      {"[%6.1f]", Number(-0.04L), "[   0.0]"},
      {"%e", Number(1234.5L), "1.23450000000000E+003"},
      {"%g", Number(0.0001L), "0.0001"},
      {"%g", Number(1e20L), "1E+20"},
      {"%n", Number(1234567.891L), "1,234,567.89"},
      {"%.4d", std::int64_t{-12}, "-0012"},
      {"%x", std::int64_t{-1}, "FFFFFFFFFFFFFFFF"},
      {"%-4s|", std::string("ab"), "ab  |"},
      {"100%%", std::string(), "100%"},
      {"%d", std::string("x"), nullptr},
      {"%s %s", std::string("x"), nullptr},
      {"%1:s", std::string("x"), nullptr},
      {"%", std::string("x"), nullptr},
      {"%p", std::int64_t{1}, nullptr},
  };
  for (const Case& c : cases) {
    std::optional<std::string> out = FormatWithDirectives(c.format, c.value);
    if (c.expected) EXPECT_EQ(out.value_or("(failed)"), c.expected) << c.format;
    else EXPECT_FALSE(out) << c.format;
  }
  EXPECT_EQ(CurrencyForm(1234.005L, 2).value_or(""), "1,234.01");
  EXPECT_EQ(CurrencyForm(-999.5L, 0).value_or(""), "-1,000");
  EXPECT_FALSE(CurrencyForm(1e16L, 0));
}

TEST(Base64, RoundTripAndBadInput) {
  EXPECT_EQ(Base64Encode("abcd"), "YWJjZA==");
  EXPECT_EQ(Base64Encode(""), "");
  EXPECT_EQ(Base64Decode("YWJj\r\nZA==").value_or("?"), "abcd");
  for (const char* bad : {"YWJ", "YW=j", "YWJjZA==YWJj", "YW*j"}) EXPECT_FALSE(Base64Decode(bad)) << bad;
}

TEST(Encodings, Detection) {
  using namespace japanese;
  struct Case {
    std::string text;
    Encoding expected;
  } cases[] = {
      {"plain", kAscii},
      {std::string("a\x01z", 3), kBinary},
      {"\x1B$B4A;z\x1B(J", kJis},
      {"\x1B$@4A\x1B(J", kOldJis},
      {"漢字", kSjis},
      {"\xB4\xC1\xB4\xC1", kEucOrSjis},
      {"\xA4\xA2\xF0\xA1", kEuc},
      {"\xE0\xFD", kEuc},
      {"\xB1\xB2", kEucOrSjis},
      {"\xB1 ", kSjis},
  };
  for (const Case& c : cases) EXPECT_EQ(DetectEncoding(c.text), c.expected) << c.text;
}

TEST(Encodings, JisEscapesAndHalfWidthKana) {
  using namespace japanese;
  EXPECT_EQ(ConvertEncoding("漢字", kSjis, kJis), "\x1B$B4A;z\x1B(J");
  EXPECT_EQ(ConvertEncoding("a漢\r\nb", kSjis, kJis), "a\x1B$B4A\x1B(J\r\nb");
  // ｶﾞ becomes one full-width ガ (JIS 252C).
  EXPECT_EQ(ConvertEncoding("\xB6\xDE", kSjis, kJis), "\x1B$B%,\x1B(J");
  EXPECT_EQ(ConvertEncoding("\xB1", kSjis, kEuc), "\x8E\xB1");
  EXPECT_EQ(ConvertEncoding("\x8E\xB1", kEuc, kSjis), "\xB1");
  EXPECT_EQ(ConvertEncoding("abc", kAscii, kEuc), "abc");
  EXPECT_EQ(EncodingNamed("jis"), kJis);
  EXPECT_EQ(EncodingNamed("euc"), kEuc);
  EXPECT_EQ(EncodingNamed("UTF8"), kSjis);
}

}  // namespace
}  // namespace pirune
