#include <gtest/gtest.h>

#include <map>
#include <random>

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

// Locals given up by a closed scope are reused for the next ones: a reused word must be
// the plain empty variable a new one would be, whatever the old one held.
TEST(THashPi, ReusedLocalsStartEmpty) {
  THashPi d;
  d.PushScope();
  THashNode& old = d.AddLocal(d.NewVariable("x", 2));
  old.SetValue("a,b\r\nc,d");
  old.Table();
  old.Dict = std::make_unique<THash>();
  old.Dict->Add(std::make_unique<THashNode>("k", "v", 0));
  old.Pattern = "AをBに";
  old.Mark = "hs";
  old.Kind = kDictionary;
  old.Ref = TextPos{&old.Name, 0};
  old.Reserved = true;
  d.PopScope();
  EXPECT_EQ(d.Find("x", false), nullptr);

  d.PushScope();
  THashNode& reused = d.AddLocal(d.NewVariable("y", 4));
  EXPECT_EQ(&reused, &old);  // the same storage, so everything below was cleared
  EXPECT_EQ(d.Find("y", false), &reused);
  EXPECT_EQ(reused.Name, "y");
  EXPECT_EQ(reused.Id, 4);
  EXPECT_EQ(reused.Kind, kVariable);
  EXPECT_EQ(reused.GetValue(), "");
  EXPECT_TRUE(reused.Pattern.empty());
  EXPECT_TRUE(reused.Mark.empty());
  EXPECT_EQ(reused.Dict, nullptr);
  EXPECT_EQ(reused.TableView(), nullptr);
  EXPECT_TRUE(reused.Ref.None());
  EXPECT_FALSE(reused.Reserved);
  EXPECT_EQ(reused.NumberValue(), 0);
  reused.SetValue("7");
  EXPECT_EQ(reused.NumberValue(), 7);
  d.PopScope();
}

// What a name finds, and what lookups kept across all changes find, agree with a plain
// search of the scopes from the innermost outwards (okurigana removed first within a
// scope), through random declarations, global changes and closed scopes.
TEST(THashPi, LookupsAgreeWithSearchingEveryScope) {
  THashPi d;
  std::vector<std::map<std::string, THashNode*>> model(1);  // [0] global, then the open scopes
  const std::vector<std::string> names = {"x", "y", "読込", "読み込む", "読み"};
  auto search = [&](const std::string& name, bool normalise) -> THashNode* {
    std::string shortened = Normalise(name);
    for (auto scope = model.rbegin(); scope != model.rend(); ++scope) {
      if (normalise && scope->count(shortened)) return scope->at(shortened);
      if (scope->count(name)) return scope->at(name);
    }
    return nullptr;
  };
  std::vector<TWordLookup> kept(names.size() * 2);
  std::mt19937 random(7);
  for (int step = 0; step < 4000; ++step) {
    const std::string& name = names[random() % names.size()];
    switch (random() % 6) {
      case 0:
        model[0][name] = &d.Add(std::make_unique<THashNode>(name, "g", 0));
        break;
      case 1:
        d.Remove(name, false);
        model[0].erase(name);
        break;
      case 2:
      case 3:
        model.back()[name] = &d.AddLocal(std::make_unique<THashNode>(name, "l", 0));
        break;
      case 4:
        if (model.size() < 6) d.PushScope(), model.emplace_back();
        break;
      case 5:
        if (model.size() > 1) d.PopScope(), model.pop_back();
        break;
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
      const std::string& looked = names[i / 2];
      bool normalise = i % 2 == 1;
      ASSERT_EQ(d.Find(looked, normalise), search(looked, normalise)) << "step " << step << ": " << looked;
      ASSERT_EQ(kept[i].Find(d, looked, normalise), search(looked, normalise)) << "step " << step << ": " << looked;
    }
  }
}

// A kept lookup belongs to one dictionary: in another one it looks again.
TEST(THashPi, KeptLookupsTellDictionariesApart) {
  TWordLookup kept;
  auto first = std::make_unique<THashPi>();
  THashNode& x = first->Add(std::make_unique<THashNode>("x", "1", 0));
  EXPECT_EQ(kept.Find(*first, "x", false), &x);
  first.reset();
  THashPi second;
  EXPECT_EQ(kept.Find(second, "x", false), nullptr);
}

// Replacing a word's meaning keeps the word: whatever holds it (the state's cached
// words, a loop's counter, a kept lookup) sees the new meaning, never freed memory.
TEST(THash, ReplacingAWordKeepsItsIdentity) {
  THashPi d;
  THashNode& first = d.Add(std::make_unique<THashNode>("x", "1", 0));
  TWordLookup kept;
  EXPECT_EQ(kept.Find(d, "x", false), &first);
  THashNode& again = d.Add(std::make_unique<THashNode>("x", "", "k=v", "hs", 3, kDictionary, TextPos{}, false));
  EXPECT_EQ(&again, &first);
  EXPECT_EQ(kept.Find(d, "x", false), &first);
  EXPECT_EQ(first.Kind, kDictionary);
  EXPECT_EQ(first.Mark, "hs");
  EXPECT_EQ(first.Id, 3);
  EXPECT_EQ(first.GetValue(), "k=v");
  EXPECT_EQ(d.Find("x", false), &first);
  // At top level a local declaration is such a replacement too.
  first.SetInteger(5);
  EXPECT_EQ(&d.AddLocal(std::make_unique<THashNode>("x", "", 0)), &first);
  EXPECT_EQ(first.GetValue(), "");
  EXPECT_EQ(first.Kind, kVariable);
  EXPECT_EQ(d.Count(), 1);
}

// A word removed by name may still be the command being run or a word the state keeps:
// it stays readable until the table is cleared.
TEST(THash, RemovedWordsStayUntilCleared) {
  THashPi d;
  THashNode& word = d.Add(std::make_unique<THashNode>("表示", "?を", "", "", 7, kCommand, TextPos{}, true));
  TWordLookup kept;
  EXPECT_EQ(kept.Find(d, "表示", false), &word);
  EXPECT_EQ(d.Remove("表示", false), 0);
  EXPECT_EQ(kept.Find(d, "表示", false), nullptr);
  EXPECT_EQ(d.Find("表示", false), nullptr);
  EXPECT_EQ(word.Name, "表示");
  EXPECT_EQ(word.Id, 7);
  THashNode& fresh = d.Add(std::make_unique<THashNode>("表示", "x", 0));
  EXPECT_NE(&fresh, &word);
  EXPECT_EQ(kept.Find(d, "表示", false), &fresh);
  EXPECT_EQ(word.Kind, kCommand);
  d.Clear();
  EXPECT_EQ(d.Count(), 0);
}

// The listing order depends on nothing but the byte sums and the order of adding: a
// replaced word keeps its place, a removed one leaves it, and a word added again after
// its removal comes last in its bucket.
TEST(THash, ListingOrderSurvivesReplacingAndRemoving) {
  struct Step { char op; const char* name; const char* value; };
  const Step steps[] = {
      {'+', "ba", "1"}, {'+', "c", "2"},  {'+', "ab", "3"}, {'+', "B", "4"}, {'+', "!a", "5"},
      {'+', "ba", "6"}, {'-', "c", ""},   {'+', "c", "7"},  {'+', "a!", "8"}, {'-', "ab", ""},
      {'+', "ab", "9"}, {'+', "B", "10"}, {'+', "", "11"},
  };
  THash h;
  for (const Step& s : steps) {
    if (s.op == '+')
      h.Add(std::make_unique<THashNode>(s.name, s.value, 0));
    else
      h.Remove(s.name, false);
  }
  // "" (sum 0) < "B" (66) < "c" (99) < "!a" = "a!" (130) < "ba" = "ab" (195).
  EXPECT_EQ(h.LineForm(), "=11\r\nB=10\r\nc=7\r\n!a=5\r\na!=8\r\nba=6\r\nab=9");
  EXPECT_EQ(h.Count(), 7);
  EXPECT_EQ(h.Copy()->LineForm(), h.LineForm());
}

// Names whose byte sums crowd into a few buckets are all found, in a table and its copy.
TEST(THash, FindsEveryNameOfAManyKeyTable) {
  THash h;
  const int n = 20000;
  for (int i = 0; i < n; ++i) h.Add(std::make_unique<THashNode>("key" + std::to_string(i), std::to_string(i), 0));
  for (int i = 0; i < n; ++i) h.Add(std::make_unique<THashNode>("key" + std::to_string(i), std::to_string(-i), 0));
  auto copy = h.Copy();
  for (int i = 0; i < n; i += 97) {
    std::string name = "key" + std::to_string(i);
    ASSERT_NE(h.Find(name, false), nullptr) << name;
    EXPECT_EQ(h.Find(name, false)->GetValue(), std::to_string(-i));
    EXPECT_EQ(copy->Find(name, false)->GetValue(), std::to_string(-i));
  }
  EXPECT_EQ(h.Find("key" + std::to_string(n), false), nullptr);
  EXPECT_EQ(h.Count(), n);
  EXPECT_EQ(copy->Count(), n);
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
