// The portable arithmetic and text handling behind the standard dialogs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/choice_answer.h"
#include "gui/choice_lists.h"
#include "gui/dialog_layout.h"
#include "gui/dialog_placement.h"
#include "gui/file_filter.h"
#include "gui/font_spec.h"
#include "gui/input_list.h"
#include "gui/say_text.h"
#include "gui/select_button_layout.h"

namespace pirune {
namespace {

using Lines = std::vector<std::string>;

TEST(SayText, ExpandsTabsAndBreaks) {
  struct Case {
    const char* text;
    long long width;
    std::string expected;
  } cases[] = {
      {"a\tb", 8, "a       b"},
      {"abc\td", 4, "abc d"},
      {"漢\tx", 4, "漢  x"},  // a double-byte character counts two columns
      {"a\r\nb\tc", 4, "a\r\nb   c"},
      {"a\nb", 8, "a\r\nb"},
      {"a\n\rb", 8, "a\r\nb"},  // LF CR is one break
      {"a\n\nb", 8, "a\r\n\r\nb"},  // an empty line stays
      {"a\r\rb", 8, "a\r\n\r\nb"},
      {"\tx", 0, " x"},  // a width below 1 counts as 1
      {"\tx", 1000000000000LL, std::string(256, ' ').append("x")},
  };
  for (const Case& c : cases) EXPECT_EQ(SayText(c.text, c.width), c.expected) << c.text;
}

TEST(SayText, CutsLongTextsAtACharacter) {
  const std::string said = SayText(std::string(5000, 'a'), 8);
  EXPECT_EQ(said, std::string(4095, 'a') + "...");
  // 4094 single bytes then a double-byte character that would end past 4095.
  const std::string mixed = SayText(std::string(4094, 'a') + "漢字", 8);
  EXPECT_EQ(mixed, std::string(4094, 'a') + "...");
  EXPECT_EQ(SayText(std::string(1 << 20, 'x'), 8).size(), 4098u);
}

TEST(SayText, FitsLinesIntoTheHeight) {
  EXPECT_EQ(FitSayLines("a\r\nb\r\nc", 100, 10), "a\r\nb\r\nc");
  EXPECT_EQ(FitSayLines("a\r\nb\r\nc\r\nd", 25, 10), "a\r\nb\r\n...");
  EXPECT_EQ(FitSayLines("a\r\nb", 5, 10), "...");
}

TEST(DialogPlacement, FollowsTheRectangle) {
  const WindowBox centred{100, 200, 300, 150};
  struct Case {
    DialogRect rect;
    WindowBox expected;
  } cases[] = {
      {{0, 0, 0, 0}, centred},
      {{0, 0, 0, 5}, centred},  // Bottom alone changes nothing
      {{10, 20, 0, 0}, {10, 20, 300, 150}},
      {{10, 20, 409, 119}, {10, 20, 400, 100}},
      {{10, 20, 409, 0}, {10, 20, 300, 150}},  // no size without a positive Bottom
      // Off the screen or larger than it: kept on it.
      {{-500, -500, 0, 0}, {0, 0, 300, 150}},
      {{5000, 5000, 0, 0}, {1024 - 300, 768 - 150, 300, 150}},
      {{-10, -10, 100000, 100000}, {0, 0, 1024, 768}},
      {{0, 0, 1LL << 40, 1LL << 40}, {0, 0, 1024, 768}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlaceDialog(centred, c.rect, 1024, 768), c.expected)
        << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom;
}

TEST(DialogPlacement, CutsRectangleLists) {
  struct Case {
    const char* list;
    Lines expected;
  } cases[] = {
      {"(10,20)", {"10", "20"}},
      {"10,20,30,40", {"10", "20", "30", "40"}},
      {" (A+1, B) ", {"A+1", " B"}},
      {"(F(1,2),3)", {"F(1,2)", "3"}},
      {"「a,b」,1", {"「a,b」", "1"}},
      {"", {}},
      {"()", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(RectListItems(c.list), c.expected) << c.list;
}

TEST(FileFilter, BuildsFiltersAndDefaultExtensions) {
  EXPECT_EQ(FileFilter("txt"), "txt 形式(*.txt)|*.txt|全て(*.*)|*.*");
  EXPECT_EQ(FileFilter(".txt"), "txt 形式(*.txt)|*.txt|全て(*.*)|*.*");
  EXPECT_EQ(FileFilter("テキスト|*.txt"), "テキスト|*.txt");
  // ポ ends in the byte of "|": no filter of its own.
  EXPECT_EQ(FileFilter("ポ"), "ポ 形式(*.ポ)|*.ポ|全て(*.*)|*.*");
  struct Case {
    const char* filter;
    const char* extension;
  } cases[] = {{"テキスト|*.txt", "txt"}, {"a|*.csv|b|*.*", "csv"}, {"a|txt", "txt"}, {"a", ""}, {"a|**.x", "*.x"}};
  for (const Case& c : cases) EXPECT_EQ(DefaultExtension(c.filter), c.extension) << c.filter;
}

TEST(ChoiceLists, CutsListAndButtonChoices) {
  EXPECT_EQ(ListChoices("赤｜青|黄"), (Lines{"赤", "青", "黄"}));
  EXPECT_EQ(ListChoices("a\r\nb|c"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(ListChoices("ポ|ソ"), (Lines{"ポ", "ソ"}));
  EXPECT_EQ(ListChoices(""), Lines{});
  EXPECT_EQ(ListChoices("||"), (Lines{"", ""}));
  EXPECT_EQ(ButtonChoices("  はい\r\nいいえ\r\n "), (Lines{"はい", "いいえ"}));
  std::string sixty;
  for (int i = 0; i < 60; ++i) sixty += std::to_string(i) + "\r\n";
  EXPECT_EQ(ButtonChoices(sixty).size(), 50u);
  EXPECT_EQ(ButtonChoices(" \r\n \r\n"), Lines{});
}

TEST(ChoiceAnswer, TakesANumberOrAText) {
  const Lines choices{"赤", "青", "2"};
  struct Case {
    const char* answer;
    int index;
  } cases[] = {{"1", 0}, {" 2 ", 1}, {"青", 1}, {"3", 2}, {"4", -1}, {"0", -1}, {"", -1}, {"緑", -1},
               {"99999999999999", -1}};
  for (const Case& c : cases) EXPECT_EQ(ChoiceFromAnswer(c.answer, choices), c.index) << c.answer;
}

TEST(InputList, ReadsRowsTitlesAndPickLists) {
  const InputList list = ParseInputList(";名前=内容\r\n色=?(赤|青)青\r\n名= 太郎 \r\n鍵だけ\r\n式=a=b");
  EXPECT_EQ(list.key_title, "名前");
  EXPECT_EQ(list.value_title, "内容");
  const std::vector<InputRow> expected{
      {"色", "青", {"赤", "青"}}, {"名", "太郎", {}}, {"鍵だけ", "", {}}, {"式", "a=b", {}}};
  EXPECT_EQ(list.rows, expected);
  const InputList plain = ParseInputList("a=1");
  EXPECT_EQ(plain.key_title, "項目");
  EXPECT_EQ(plain.value_title, "値");
  EXPECT_EQ(InputListResult(list.rows), "色=青\r\n名=太郎\r\n鍵だけ=\r\n式=a=b\r\n");
}

TEST(FontSpec, ReadsFacesStylesAndSizes) {
  struct Case {
    const char* text;
    FontSpec expected;
  } cases[] = {
      {"ＭＳ 明朝|太字|20", {FaceKey("ＭＳ 明朝"), true, false, false, 20}},
      {"ＭＳ　明朝｜太字｜２０", {FaceKey("ＭＳ 明朝"), true, false, false, 20}},
      {"arial", {FaceKey("ARIAL"), false, false, false, 0}},
      {"x|斜体", {FaceKey("x"), false, true, false, 0}},
      {"x|イタリック下線ボールド|9.7", {FaceKey("x"), true, true, true, 9}},
      {"x||12", {FaceKey("x"), false, false, false, 12}},
      {"x||1e300", {FaceKey("x"), false, false, false, 1000}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseFontSpec(c.text), c.expected) << c.text;
  EXPECT_EQ(FaceKey("ＭＳ ゴシック"), FaceKey("ｍｓ　ゴシック"));
}

TEST(FontSpec, WritesChosenFontsThatReadBack) {
  struct Case {
    bool bold, italic, underline;
    int size;
    const char* expected;
  } cases[] = {{false, false, false, 12, "Arial||12"},
               {true, true, false, 12, "Arial|太字傾斜|12"},
               {false, false, true, 0, "Arial|下線"},
               {false, false, false, 0, "Arial"}};
  for (const Case& c : cases) {
    const std::string text = FontSpecText("Arial", c.bold, c.italic, c.underline, c.size);
    EXPECT_EQ(text, c.expected);
    EXPECT_EQ(ParseFontSpec(text), (FontSpec{FaceKey("Arial"), c.bold, c.italic, c.underline, c.size}));
  }
}

TEST(DialogLayout, PlacesTheControls) {
  const MsgBoxLayout say = LayOutMsgBox(40, 12, 500);
  EXPECT_EQ(say.client_width, 100);
  EXPECT_EQ(say.ok, (ButtonBox{12, 28, 75, 25}));
  EXPECT_EQ(say.client_height, 61);
  EXPECT_EQ(LayOutMsgBox(400, 2000, 700).ok.top, 700);  // never below the limit

  const InputBoxLayout ask = LayOutInputBox(100, 12, 21);
  EXPECT_EQ(ask.client_width, 300);
  EXPECT_EQ(ask.edit, (ButtonBox{8, 28, 284, 21}));
  EXPECT_EQ(ask.ok, (ButtonBox{65, 57, 81, 25}));
  EXPECT_EQ(ask.cancel, (ButtonBox{153, 57, 81, 25}));
  EXPECT_EQ(ask.client_height, 90);

  const SelectDialogLayout pick = LayOutSelectDialog(500, 12, 21);
  EXPECT_EQ(pick.client_width, 516);
  EXPECT_EQ(pick.list, (ButtonBox{8, 28, 500, 169}));
  EXPECT_EQ(pick.field, (ButtonBox{8, 205, 500, 21}));
  EXPECT_EQ(pick.ok, (ButtonBox{169, 234, 81, 25}));
  EXPECT_EQ(pick.cancel, (ButtonBox{265, 234, 81, 25}));
  EXPECT_EQ(pick.client_height, 267);
}

TEST(SelectButtonLayout, RowsAndColumns) {
  SelectButtonMeasures m;
  m.label_width = 50;
  m.label_height = 12;
  m.z_height = 12;
  m.main_window_width = 646;
  m.choice_widths = {20, 40};  // B = trunc(40 × 1.3) = 52
  SelectButtonLayout row = LayOutSelectButtons(m);
  EXPECT_FALSE(row.column);
  EXPECT_EQ(row.buttons, (std::vector<ButtonBox>{{8, 28, 52, 19}, {65, 28, 52, 19}}));
  EXPECT_EQ(row.client_width, 130);  // trunc(2 × 52 × 1.1 + 16)
  EXPECT_EQ(row.client_height, 52);   // U + 2 × 8 + 12

  m.choice_widths = {10};  // B = trunc(30 × 1.3) = 39; the label is wider
  row = LayOutSelectButtons(m);
  EXPECT_EQ(row.client_width, 66);  // widened to 8 + 50 + 8

  m.choice_widths.assign(20, 40);  // 20 × 52 × 1.1 > 646 × 0.8: a column
  const SelectButtonLayout column = LayOutSelectButtons(m);
  EXPECT_TRUE(column.column);
  ASSERT_EQ(column.buttons.size(), 20u);
  EXPECT_EQ(column.buttons[0], (ButtonBox{8, 28, 52, 19}));
  EXPECT_EQ(column.buttons[3], (ButtonBox{8, 28 + 3 * 24, 52, 19}));
  EXPECT_EQ(column.client_width, 68);
  EXPECT_EQ(column.client_height, 20 * 24 + 12 + 16);

  m.label_width = 200;  // the label is wider than a button: the column is centred
  EXPECT_EQ(LayOutSelectButtons(m).buttons[0].left, (216 - 52) / 2);

  m.choice_widths.assign(10000, 40);  // only the first 50 get buttons
  EXPECT_EQ(LayOutSelectButtons(m).buttons.size(), kMaxChoiceButtons);
}

}  // namespace
}  // namespace pirune
