#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "bregexp/forms.h"
#include "bregexp/translation.h"

namespace bregexp {
namespace {

TEST(RegexForms, ReadsEachForm) {
  struct Case {
    std::string text;
    Form::Kind kind;
    std::string pattern, replacement, options;
  } cases[] = {
      {"m/b(.)/", Form::Match, "b(.)", "", ""},
      {"m/a/gi", Form::Match, "a", "", "gi"},
      {"m#a/b#", Form::Match, "a/b", "", ""},
      {"m/a\\/b/", Form::Match, "a/b", "", ""},     // an escaped delimiter loses its backslash
      {"m|a\\|b|", Form::Match, "a\\|b", "", ""},   // unless the delimiter is a metacharacter
      {"m/\\d+/", Form::Match, "\\d+", "", ""},
      {"m/表/", Form::Match, "表", "", ""},          // its trail byte is no backslash
      {"m/ソ\\//", Form::Match, "ソ/", "", ""},
      {"s/cat/dog/g", Form::Substitute, "cat", "dog", "g"},
      {"s/(a)/\\/$1/", Form::Substitute, "(a)", "\\/$1", ""},
      {"s/x//", Form::Substitute, "x", "", ""},
      {"s{a{b{", Form::Substitute, "a", "b", ""},
      {"tr/a-z/A-Z/", Form::Translate, "a-z", "A-Z", ""},
      {"tr/-//d", Form::Translate, "-", "", "d"},
  };
  for (const Case& c : cases) {
    Form f = ReadForm(c.text);
    EXPECT_EQ(f.kind, c.kind) << c.text;
    EXPECT_EQ(f.pattern, c.pattern) << c.text;
    EXPECT_EQ(f.replacement, c.replacement) << c.text;
    EXPECT_EQ(f.options, c.options) << c.text;
  }
}

TEST(RegexForms, RefusesMalformedForms) {
  for (const char* text : {"", "x/a/", "m", "m/a", "s/a/b", "tr/a/", "m/a/q", "tr/a/b/g", "maba", "m\\a\\",
                           "m/a\\/"})
    EXPECT_THROW(ReadForm(text), std::invalid_argument) << text;
}

TEST(RegexForms, Translation) {
  struct Case {
    std::string from, to;
    bool remove;
    std::string text, expected;
    int count;
  } cases[] = {
      {"a-z", "A-Z", false, "hello, world", "HELLO, WORLD", 10},
      {"a-c", "x", false, "abcd", "xxxd", 3},      // a short list repeats its last character
      {"a-c", "x", true, "abcd", "xd", 3},         // or deletes, with d
      {"a-c", "", false, "abcd", "abcd", 3},       // an empty list only counts
      {"あ-う", "ア-ウ", false, "いぬ", "イぬ", 1},
      {"\\-", "+", false, "a-b", "a+b", 1},
  };
  for (const Case& c : cases) {
    std::string out;
    EXPECT_EQ(Translation(c.from, c.to, c.remove).Apply(c.text.data(), c.text.data() + c.text.size(), out), c.count)
        << c.from;
    EXPECT_EQ(out, c.expected) << c.from;
  }
  EXPECT_THROW(Translation("z-a", "", false), std::invalid_argument);
}

}  // namespace
}  // namespace bregexp
