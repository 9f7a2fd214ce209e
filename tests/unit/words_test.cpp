#include <gtest/gtest.h>

#include "engine/errors.h"
#include "engine/words.h"

namespace pirune {
namespace {

TEST(Normalise, DropsOkuriganaAfterKanji) {
  struct Case { const char* name; const char* expected; } cases[] = {
      {"読み込む", "読込"}, {"読込む", "読込"}, {"読込", "読込"}, {"書き込みます", "書込"},
      {"おわり", "おわり"}, {"表示", "表示"}, {"abc", "abc"}, {"数値として扱う", "数値扱"},
  };
  for (const auto& c : cases) EXPECT_EQ(Normalise(c.name), c.expected) << c.name;
}

TEST(THash, FindsCommandsWhateverTheirOkurigana) {
  THash h;
  h.Add(std::make_unique<THashNode>(Normalise("読み込む"), "?を", "", "", 37, kCommand, TextPos{}, true));
  for (const char* spelling : {"読み込む", "読込む", "読込"}) {
    THashNode* w = h.Find(spelling, true);
    ASSERT_NE(w, nullptr) << spelling;
    EXPECT_EQ(w->Id, 37);
  }
  EXPECT_EQ(h.Find("よみこむ", true), nullptr);
  EXPECT_EQ(h.Find("読み込む", false), nullptr);  // exact lookup only finds the stored name
}

TEST(THash, ReservedWordsCannotBeReplacedButVariablesAre) {
  THash h;
  h.Add(std::make_unique<THashNode>("表示", "?と", "", "", 0, kCommand, TextPos{}, true));
  EXPECT_THROW(h.Add(std::make_unique<THashNode>("表示", "x", 0)), Exception);
  h.Add(std::make_unique<THashNode>("A", "1", 0));
  h.Add(std::make_unique<THashNode>("A", "2", 0));
  EXPECT_EQ(h.Count(), 2);
  EXPECT_EQ(h.Find("A", false)->GetValue(), "2");
  try {
    h.Add(std::make_unique<THashNode>("表示", "x", 0));
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "\"表示\"は予約語なので、登録できません。");
  }
}

TEST(THash, LoadsDictionaryLines) {
  THash h;
  h.LoadFromText("a=1\r\nb = 2\r\nc\r\n\r\na=3");
  EXPECT_EQ(h.Find("a", false)->GetValue(), "3");
  EXPECT_EQ(h.Find("b", false)->GetValue(), " 2");
  EXPECT_EQ(h.Find("c", false)->GetValue(), "");
  EXPECT_EQ(h.Find("", false), nullptr);
  EXPECT_EQ(h.Count(), 4);  // a, b, c and the empty name
}

TEST(THash, EnumeratesByByteSumThenInsertionOrder) {
  THash h;
  for (const char* n : {"ba", "c", "ab", "B"}) h.Add(std::make_unique<THashNode>(n, "", 0));
  std::vector<std::string> order;
  h.Enumerate([&](THashNode& w) { order.push_back(w.Name); });
  // "B" (66) < "c" (99) < "ba" = "ab" (195), the last two in the order they were added.
  EXPECT_EQ(order, (std::vector<std::string>{"B", "c", "ba", "ab"}));
  EXPECT_EQ(h.LineForm(), "B=\r\nc=\r\nba=\r\nab=");
}

TEST(THash, RemovesNormalisedAndExactNames) {
  THash h;
  h.Add(std::make_unique<THashNode>("読込", "", 0));
  h.Add(std::make_unique<THashNode>("読み込む", "", 0));
  EXPECT_EQ(h.Remove("読み込む", true), 0);
  EXPECT_EQ(h.Remove("読み込む", true), -1);
}

TEST(THash, HugeNamesHashIntoRange) {
  THash h;
  std::string name(2'000'000, '\xFF');
  h.Add(std::make_unique<THashNode>(name, "v", 0));
  ASSERT_NE(h.Find(name, false), nullptr);
}

TEST(THashPi, ScopesAreSearchedInnermostFirst) {
  THashPi d;
  d.Add(std::make_unique<THashNode>("x", "global", 0));
  d.PushScope();
  d.AddLocal(std::make_unique<THashNode>("x", "outer", 0));
  d.PushScope();
  d.AddLocal(std::make_unique<THashNode>("x", "inner", 0));
  EXPECT_EQ(d.Find("x", false)->GetValue(), "inner");
  d.PopScope();
  EXPECT_EQ(d.Find("x", false)->GetValue(), "outer");
  d.PopScope();
  EXPECT_EQ(d.Find("x", false)->GetValue(), "global");
  EXPECT_EQ(d.Count(), 1);
}

TEST(TStack, PopsAndGetsSafelyWhenEmpty) {
  TStack s;
  EXPECT_EQ(s.Pop(), "");
  EXPECT_EQ(s.PopFirst(), "");
  EXPECT_EQ(s.Get(5), "");
  s.Push("a");
  s.Push("b");
  s.Insert(0, "z");
  EXPECT_EQ(s.AsText(), "z\r\na\r\nb\r\n");
  EXPECT_EQ(s.PopFirst(), "z");
  EXPECT_EQ(s.Pop(), "b");
}

TEST(THashNode, AssignCopiesDictionaryWithoutSharing) {
  THashNode a("a", "", 0), b("b", "", 0);
  a.Dict = std::make_unique<THash>();
  a.Dict->LoadFromText("k=v");
  a.Kind = kDictionary;
  b.Assign(a);
  a.Dict->Find("k", false)->SetValue("changed");
  EXPECT_EQ(b.Dict->Find("k", false)->GetValue(), "v");
  EXPECT_EQ(b.Name, "b");
  EXPECT_EQ(b.GetValue(), "k=v");
}

// A value's number is read from its text once; every way of changing the value makes
// the next read see the new text, and an integer stored as a number reads as its digits.
TEST(THashNode, NumberAndTextAlwaysAgree) {
  THashNode w("W", "12", 0);
  EXPECT_EQ(w.NumberValue(), 12);
  w.SetValue("3.5");
  EXPECT_EQ(w.NumberValue(), 3.5L);
  EXPECT_TRUE(w.IsPlainNumberValue());
  w.SetInteger(-42);
  EXPECT_EQ(w.NumberValue(), -42);
  EXPECT_FALSE(w.TextBeginsWithDigit());
  EXPECT_FALSE(w.TextIsEmpty());
  EXPECT_EQ(w.GetValue(), "-42");
  w.SetInteger(7);
  w.AppendValue("x");
  EXPECT_EQ(w.GetValue(), "7x");
  EXPECT_EQ(w.NumberValue(), 7);
  EXPECT_FALSE(w.IsPlainNumberValue());
  w.SetInteger(0);
  THashNode copy("C", "", 0);
  copy.Assign(w);
  EXPECT_EQ(copy.GetValue(), "0");
  EXPECT_TRUE(copy.IsPlainNumberValue());
  w.SetValue("0005");
  EXPECT_EQ(w.NumberValue(), 5);
  EXPECT_TRUE(w.IsPlainNumberValue());
  w.SetValue("");
  EXPECT_TRUE(w.TextIsEmpty());
  EXPECT_EQ(w.NumberValue(), 0);
}

}  // namespace
}  // namespace pirune
