// The dialog commands against a host that answers as the test says: what they ask, and
// what "それ" holds afterwards.
#include <gtest/gtest.h>

#include "script_runner.h"

namespace pirune {
namespace {

using testing::Script;

std::string Said(const Script& s) { return s.host.shown.empty() ? std::string("(none)") : s.host.shown.back(); }

TEST(DialogCommands, TheRectangleReachesTheDialogs) {
  struct Case {
    const char* set;
    DialogRect rect;
  } cases[] = {
      {"(10,20)に、ダイアログサイズ設定", {10, 20, 0, 0}},
      {"(1+2, 3*4, 5, 6.9)に、ダイアログサイズ設定", {3, 12, 5, 6}},
      {"A=「7,8」\nAに、ダイアログサイズ設定", {7, 8, 0, 0}},
      {"(10,20)に、ダイアログサイズ設定\n「」に、ダイアログサイズ設定", {0, 0, 0, 0}},
      {"(-99999999999, 99999999999)に、ダイアログサイズ設定", {-1000000000, 1000000000, 0, 0}},
      {"「(5,6,7,8)」に、ダイアログサイズ設定", {5, 6, 7, 8}},
  };
  for (const Case& c : cases) {
    Script s(std::string(c.set) + "\n「x」と、言う");
    s.Run();
    EXPECT_EQ(s.FirstError(), "") << c.set;
    EXPECT_EQ(s.host.look.rect, c.rect) << c.set;
  }
}

TEST(DialogCommands, FiveItemsAreTooMany) {
  Script s("(1,2,3,4,5)に、ダイアログサイズ設定");
  s.Run();
  EXPECT_NE(s.FirstError().find("座標の指定エラー。引数が多すぎます。\"1\"\"2\"\"3\"\"4\"\"5\""), std::string::npos)
      << s.FirstError();
}

TEST(DialogCommands, AnswersAndCancelValues) {
  struct Case {
    const char* script;
    std::optional<std::string> typed;
    const char* expected;
  } cases[] = {
      {"「q」と、尋ねる\n「{それ}」と、言う", "12", "12"},
      {"「q」と、尋ねる\nもし、それが「0012」ならば、「数」と、言う", "0012", "数"},
      {"「q」と、尋ねる\nもし、それが「0012」ならば、「数」と、言う。違えば、「文字」と、言う", "abc", "文字"},
      {"ダイアログキャンセルの値=「キャンセル」\n「q」と、尋ねる\n「{それ}」と、言う", std::nullopt, "キャンセル"},
      {"「q」を「a|b」の、ボタンで選択\n「[{それ}]」と、言う", std::nullopt, "[]"},
      {"「q」を「」の、ボタンで選択\n「[{それ}]」と、言う", std::nullopt, "[]"},
      {"「初め」の、メモ記入\n「{それ}」と、言う", "直した", "直した"},
      {"「a=1」を、項目記入\n「{それ}」と、言う", "", "a=1\r\n"},
      {"「txt」の、読込ファイル選択\n「{それ}」と、言う", "c:\\a.txt", "c:\\a.txt"},
      {"「色は」が「赤｜青|黄」の、どれか尋ねる\n「{それ}」と、言う", "青", "青"},
  };
  for (const Case& c : cases) {
    Script s(c.script);
    s.host.typed = c.typed;
    s.Run();
    EXPECT_EQ(s.FirstError(), "") << c.script;
    EXPECT_EQ(Said(s), c.expected) << c.script;
  }
}

TEST(DialogCommands, WhatTheDialogsAreGiven) {
  Script s("「色は」が「赤｜青|黄」の、どれか尋ねる\n「q」を「 はい\nいいえ 」の、ボタンで選択\n「.txt」の、書込ファイル選択\n"
           "「;名前=内容\n色=?(赤|青)青」を、項目記入\n「ねえ」を「」の、ボタンで選択");
  s.Run();
  EXPECT_EQ(s.FirstError(), "");
  ASSERT_EQ(s.host.offered.size(), 2u);
  EXPECT_EQ(s.host.offered[0], (std::vector<std::string>{"赤", "青", "黄"}));
  EXPECT_EQ(s.host.offered[1], (std::vector<std::string>{"はい", "いいえ"}));
  EXPECT_NE(std::find(s.host.messages.begin(), s.host.messages.end(), "txt 形式(*.txt)|*.txt|全て(*.*)|*.*"),
            s.host.messages.end());
  EXPECT_EQ(s.host.items.key_title, "名前");
  ASSERT_EQ(s.host.items.rows.size(), 1u);
  EXPECT_EQ(s.host.items.rows[0].picks, (std::vector<std::string>{"赤", "青"}));
  EXPECT_EQ(Said(s), "ねえ");  // no choices: shown as 言う shows it
}

TEST(DialogCommands, TheLookFollowsTheSettings) {
  Script s("ダイアログタイトル=「題」\n文字書体=「ＭＳ 明朝|太字」\n文字サイズ=20\n文字色=255\nダイアログIMEの状態=2\n「x」と、言う");
  s.Run();
  EXPECT_EQ(s.host.look.caption, "題");
  EXPECT_EQ(s.host.look.font, (FontSpec{FaceKey("ＭＳ 明朝"), true, false, false, 20}));
  EXPECT_EQ(s.host.look.colour, 255u);
  EXPECT_EQ(s.host.look.ime, 2);
}

}  // namespace
}  // namespace pirune
