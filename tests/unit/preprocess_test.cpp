#include <gtest/gtest.h>

#include "engine/errors.h"
#include "engine/piru_base.h"
#include "engine/preprocess.h"
#include "engine/registry.h"

namespace pirune {
namespace {

std::string Pre(const std::string& source) {
  TPiruBase state;
  return Preprocess(state, source);
}

TEST(Preprocess, Table) {
  struct Case { const char* source; const char* expected; } cases[] = {
      {"A\r\nB\r\nC", "A\r\n1:B\r\n2:C"},
      {"A\r\nB\r\nC\r\n", "A\r\n1:B\r\n2:C\r\n3:"},
      {"１２＋３", "12+3"},
      {"「１２＋３」", "\"１２＋３\""},
      {"「abc」", "\"abc\""},
      {"\"abc\"", "\"abc\""},
      {"『abc』", "`abc`"},
      {"「abc\"", "\"abc\""},
      {"\"a\\\"b\"", "\"a\\\"b\""},
      {"A'comment\r\nB", "A\r\n1:B"},
      {"A//comment\r\nB", "A\r\n1:B"},
      {"A※comment\r\nB", "A\r\n1:B"},
      {"A/*x\r\ny*/B\r\nC", "A\r\n1:B\r\n2:C"},
      {"A{x\r\ny}B\r\nC", "A\r\n1:B\r\n2:C"},
      {"\"*/\"", "\"*/\""},
      {"`{`", "`{`"},
      {"@@#abc#", "@@#abc#"},
      {"@@#a\r\nb#\r\nC", "@@#a\r\nb#\r\n2:C"},
      {"a、b。c", "a,b;c"},
      {"A≠B≦C≧D×E÷F", "A<>B<=C>=D*E/F"},
      {"``", "``"},
      {"`a``b`", "`a``b`"},
      {"/* never closed", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Pre(c.source), c.expected) << c.source;
}

TEST(Preprocess, UnbalancedBracketsNameTheirLine) {
  struct Case { const char* source; const char* message; } cases[] = {
      {"A\r\n{abc", "[エラー] t.prw(2行目): { }が対応していません。『{abc』の近く\r\n"},
      {"A\r\nB\r\n「abc", "[エラー] t.prw(3行目): 「」または\"\"が対応していません。『「abc』の近く\r\n"},
      {"『abc", "[エラー] t.prw(1行目): 『』または''''が対応していません。『『abc』の近く\r\n"},
      {"@@#abc", "[エラー] t.prw(1行目): @@#...#が対応していません。『@@#abc』の近く\r\n"},
  };
  for (const auto& c : cases) {
    TPiruBase state;
    RegisterAll(state);
    state.SetFileName("dir/t.prw");
    ErrorLog().clear();
    EXPECT_THROW(Preprocess(state, c.source), EPiru) << c.source;
    EXPECT_EQ(ErrorLog(), c.message);
  }
}

TEST(Preprocess, ExcerptIsTwentyBytesOfWholeCharacters) {
  TPiruBase state;
  ErrorLog().clear();
  EXPECT_THROW(Preprocess(state, "「あいうえおかきくけこさしすせそ"), EPiru);
  EXPECT_NE(ErrorLog().find("『「あいうえおかきくけ』の近く"), std::string::npos) << ErrorLog();
}

TEST(ScanLabels, FindsLabelsAtLineStartsOnly) {
  TPiruBase state;
  RegisterAll(state);
  std::string text = Preprocess(state, "*最初\r\nA\r\n  *二番目(x, y)\r\n3*4\r\n\"\r\n*not\"\r\n＊全角ラベル");
  ScanLabels(state, text, "f.prw");
  THashNode* first = state.Words.Find("最初", false);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Kind, kLabel);
  EXPECT_EQ(text.substr(first->Ref.offset, 1), "A");
  EXPECT_EQ(first->Mark, "f.prw");
  THashNode* second = state.Words.Find("二番目", false);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->Pattern, "x, y");
  EXPECT_EQ(state.Words.Find("not\"", false), nullptr);
  EXPECT_NE(state.Words.Find("全角ラベル", false), nullptr);
}

TEST(ScanLabels, LabelsWithoutANameAreIgnored) {
  TPiruBase state;
  RegisterAll(state);
  std::string text = Preprocess(state, "*\r\nA\r\n*  \r\nB");
  EXPECT_NO_THROW(ScanLabels(state, text, "f.prw"));
}

TEST(ScanLabels, OnTheFirstLineOnlyTheFirstByteCounts) {
  TPiruBase state;
  RegisterAll(state);
  std::string text = Preprocess(state, " *x");
  ScanLabels(state, text, "f.prw");
  EXPECT_EQ(state.Words.Find("x", false), nullptr);
}

TEST(ScanLabels, LabelNamedLikeACommandFails) {
  TPiruBase state;
  RegisterAll(state);
  state.SetFileName("f.prw");
  ErrorLog().clear();
  std::string text = Preprocess(state, "A\r\n*計算(x)\r\nB");
  EXPECT_THROW(ScanLabels(state, text, "f.prw"), EPiru);
  EXPECT_EQ(ErrorLog(), "[エラー] f.prw(2行目): ラベル\"計算\"の定義に失敗しました。既に単語として使われています。\r\n");
}

}  // namespace
}  // namespace pirune
