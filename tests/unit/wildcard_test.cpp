#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/patterns/wildcard.h"

namespace pirune {
namespace {

TEST(Wildcard, WholeTextMatch) {
  struct Case {
    std::string pattern, text;
    bool expected;
  } cases[] = {
      {"*a", "aba", false},  // the first fit of a is at the start, and * never goes back
      {"*a", "ba", true},
      {"*a*", "bab", true},
      {"*", "", true},
      {"", "", true},
      {"", "a", false},
      {"ab?", "ab", false},  // ? passes the end, which is no whole match
      {"#", "7", true},
      {"#", "７", false},
      {"[!a]", "", false},
      {"[!a]", "b", true},
      {"[a-c]", "b", true},
      {"[c-a]", "b", true},
      {"[c-a]", "d", false},
      {"[あ-ん]", "か", true},
      {"[あ-ん]", "ア", false},
      {"[*0-9]x", "12x", true},
      {"[*0-9]x", "x", true},
      {"[*0-9]x", "1ax", false},
      {"[+0-9]x", "x", false},
      {"[+0-9]x", "9x", true},
      {"[=ab|a]", "ab", true},
      {"[=a|ab]", "ab", false},  // a is shorter, so it is tried first and takes only a
      {"\\n", "\r\n", true},
      {"[\\n]", "\x0b", true},
      {"[\\n]", "\t", false},
      {"[\\t]", "\t", true},
      {"\\[x]", "[x]", true},
      {"\\*", "*", true},
      {"\\*", "a", false},
      {"\\\\", "\\", true},
      {"ソ", "ソ", true},  // a trail byte 0x5C is no escape
      {"表*", "表示", true},
      {"a\\", "a\\", true},  // a backslash that ends the pattern stands for itself
      {"[a", "a", true},     // an unterminated class takes the rest of the pattern
      {"[a-", "a", true},
      {"a", "a\x82", false},
      {"a?", "a\x82", true},  // a lone lead byte at the end is a character of its own
      {"A", "a", false},
  };
  for (const Case& c : cases) EXPECT_EQ(wildcard::MatchesWhole(c.pattern, c.text), c.expected) << c.pattern << " / " << c.text;
}

TEST(Wildcard, AlternativesAreTriedShortestLaterFirst) {
  // a|bb|ccc is tried as a, ccc, bb; any two pieces keep their written order.
  struct Case {
    std::string pattern, text;
    bool success;
    std::string matched;
  } cases[] = {
      {"[=a|bb|ccc]", "bbx", true, "bb"},
      {"[=a|bb|ccc]", "cccx", true, "ccc"},
      {"[=bb|b|ccc]", "bx", true, "b"},  // tried as bb, ccc, b
      {"[=bb|b]", "bbx", true, "bb"},
      {"[=|a]", "ax", true, ""},  // the empty piece always fits
      {"[=a|]x", "x", false, ""},  // a trailing | gives no piece
      {"[=表|示]", "示す", true, "示"},
      {"[=ab]", "a", false, ""},  // the subject ends first
  };
  for (const Case& c : cases) {
    wildcard::PrefixMatch m = wildcard::MatchPrefix(c.pattern, c.text);
    EXPECT_EQ(m.success, c.success) << c.pattern;
    EXPECT_EQ(m.matched, c.matched) << c.pattern;
  }
}

TEST(Wildcard, PrefixMatchGivesMatchedPartRestAndCaptures) {
  struct Case {
    std::string pattern, text;
    bool success;
    std::string matched, rest;
    std::vector<std::string> captures;
  } cases[] = {
      {"(*)-(*)", "ab-cd", true, "ab-cd", "", {"ab", "cd"}},
      {"ab?", "ab", true, "ab", "", {}},
      {"a", "abc", true, "a", "bc", {}},
      {"x", "abc", false, "", "abc", {}},
      {"(#)(#)", "12z", true, "12", "z", {"1", "2"}},
      {"a)", "ab", true, "a", "b", {"a"}},          // ")" with no "(" captures from the start
      {"(a)()", "ab", true, "a", "b", {"a"}},       // one end is captured once
      {"*(b)c", "abc", true, "abc", "", {"b"}},     // the trial records nothing
      {"(*b)*(d)e", "abcde", true, "abcde", "", {"ab", "d"}},
      {"(*)", "xyz", true, "xyz", "", {"xyz"}},
  };
  for (const Case& c : cases) {
    wildcard::PrefixMatch m = wildcard::MatchPrefix(c.pattern, c.text);
    EXPECT_EQ(m.success, c.success) << c.pattern;
    EXPECT_EQ(m.matched, c.matched) << c.pattern;
    EXPECT_EQ(m.rest, c.rest) << c.pattern;
    EXPECT_EQ(m.captures, c.captures) << c.pattern;
  }
}

TEST(Wildcard, PatternErrors) {
  EXPECT_THROW(wildcard::MatchesWhole("[\\q]", "q"), Exception);
  EXPECT_THROW(wildcard::MatchesWhole("[*a]?", "aa"), Exception);
  EXPECT_THROW(wildcard::MatchesWhole("[*a](*", "aa"), Exception);
  // Raised only when the match reaches the class.
  EXPECT_FALSE(wildcard::MatchesWhole("b[*a]?", "aa"));
  EXPECT_TRUE(wildcard::MatchesWhole("[*a](b", "aab"));
}

TEST(Wildcard, ExplodingPatternEndsInAnErrorNamingIt) {
  std::string pattern = "*a*a*a*a*a*a*a*a*a*a*a*a*b";
  std::string text(200, 'a');
  try {
    wildcard::MatchesWhole(pattern, text, 1'000'000);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find(pattern), std::string::npos) << e.Message();
  }
}

}  // namespace
}  // namespace pirune
