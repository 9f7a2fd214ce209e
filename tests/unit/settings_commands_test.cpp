// The settings commands as a script sees them: the type marks of values read back, what
// a write refuses, and the registry's absence in the console runtime.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>
#include <string>

#include "script_runner.h"

namespace {

using pirune::testing::Script;

class SettingsCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/pirune-settings-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }
  std::string folder_;
  std::filesystem::path previous_;
};

TEST_F(SettingsCommands, ValuesReadBackMarkedByWhatTheyBeginWith) {
  Script script(
      "「m.ini」の、INIファイル開く\n"
      "「123」を、「s」の、「n」へ、INIファイル書く\n"
      "「$1F」を、「s」の、「h」へ、INIファイル書く\n"
      "「abc」を、「s」の、「t」へ、INIファイル書く\n"
      "Nに、「s」の、「n」を、INIファイル読む\n"
      "Hに、「s」の、「h」を、INIファイル読む\n"
      "Tに、「s」の、「t」を、INIファイル読む\n"
      "Mに、「s」の、「ない」を、INIファイル読む\n"
      "それ=「42abc」\n"
      "「settings-test-block」へ、共有保存\n"
      "「settings-test-block」を、共有読込\n"
      "Sは、それ\n");
  script.Run();
  EXPECT_EQ(script.FirstError(), "");
  const struct {
    const char* name;
    const char* value;
    const char* mark;
  } expected[] = {{"N", "123", "e"}, {"H", "$1F", "e"}, {"T", "abc", "s"}, {"M", "", "s"}, {"S", "42abc", "e"}};
  for (const auto& e : expected) {
    const pirune::THashNode* word = script.state.Words.Find(e.name, false);
    ASSERT_NE(word, nullptr) << e.name;
    EXPECT_EQ(word->GetValue(), e.value) << e.name;
    EXPECT_EQ(word->Mark, e.mark) << e.name;
  }
}

TEST_F(SettingsCommands, AWriteThatWouldNotReadBackFailsNamingTheFile) {
  Script script(
      "「m.ini」の、INIファイル開く\n"
      "「x」を、「s」の、「改行\nあり」へ、INIファイル書く\n");
  script.Run();
  const std::string expected = "INIファイル書き込みに失敗。ファイル名=" + folder_ + "/m.ini キー名=改行\r\nあり セクション=s";
  EXPECT_NE(script.FirstError().find(expected), std::string::npos) << script.FirstError();
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/m.ini"));
}

TEST_F(SettingsCommands, TheWindowPlacementRecordRoundTrips) {
  {
    std::ofstream("moved.ini", std::ios::binary) << "[other]\r\ntop=1\r\n[frmPiru]\r\ntop=10\r\nleft=20\r\nwidth=x\r\n";
  }
  Script script(
      "「moved.ini」から、フォームの位置復元\n"
      "「saved.ini」へ、フォームの位置記録\n"
      "「」へ、フォームの位置記録\n"
      "「missing.ini」から、フォームの位置復元\n");
  script.host.placement = {2, 1, 2, 300, 400};
  script.Run();
  EXPECT_EQ(script.FirstError(), "");
  // Given values replace the window's, a value that is no number leaves it, and a
  // missing state leaves the window as it is.
  const auto& p = script.host.placement;
  EXPECT_EQ((std::vector<int>{p.state, p.top, p.left, p.height, p.width}), (std::vector<int>{2, 10, 20, 300, 400}));
  std::ifstream saved("saved.ini", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "[frmPiru]\r\nstate=2\r\ntop=10\r\nleft=20\r\nheight=300\r\nwidth=400\r\n");
}

TEST_F(SettingsCommands, TheHighLevelNeitherWritesNorReads) {
  { std::ofstream("h.ini", std::ios::binary) << "[s]\r\nk=old\r\n"; }
  Script script(
      "「h.ini」の、INIファイル開く\n"
      "「new」を、「s」の、「k」へ、INIファイル書く\n"
      "V=「before」\n"
      "それ=「x」\n"
      "Vに、「s」の、「k」を、INIファイル読む\n"
      "R=それ\n");
  script.state.SecurityLevel = 2;
  script.Run();
  EXPECT_EQ(script.FirstError(), "");
  EXPECT_EQ(script.state.Words.Find("V", false)->GetValue(), "before");
  EXPECT_EQ(script.state.Words.Find("R", false)->GetValue(), "");
  std::ifstream file("h.ini", std::ios::binary);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()), "[s]\r\nk=old\r\n");
  EXPECT_TRUE(script.host.messages.empty());
}

TEST_F(SettingsCommands, ChangesOutsideTheProgramFolderAreAskedAbout) {
  char pattern[] = "/tmp/pirune-settings-outside-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string outside = std::string(pattern) + "/o.ini", missing = std::string(pattern) + "/new.ini";
  { std::ofstream(outside, std::ios::binary) << "[s]\r\nk=old\r\n"; }
  Script script("「" + missing + "」の、INIファイル開く\n「" + outside +
                "」の、INIファイル開く\n「1」を、「s」の、「k」へ、INIファイル書く\n「" + outside +
                "」へ、フォームの位置記録\n");
  script.state.SecurityLevel = 1;
  script.state.MainPath = folder_ + "/";
  script.host.button = 1;  // "いいえ"
  script.Run();
  EXPECT_EQ(script.FirstError(), "");
  const std::vector<std::string> asked = {
      "設定ファイル\"" + missing + "\"を作成します。",
      "設定ファイル\"" + outside + "\"にある[s]の\"k\"に値を書き込みます。",
      "INIファイル\"" + outside + "\"にフォーム情報を保存します。",
  };
  EXPECT_EQ(script.host.messages, asked);
  std::ifstream file(outside, std::ios::binary);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()), "[s]\r\nk=old\r\n");
  std::filesystem::remove_all(pattern);
}

TEST_F(SettingsCommands, TheConsoleRuntimeHasNoRegistry) {
  for (const char* statement : {"1の、「Software」を、レジストリ開く", "レジストリ閉じる", "「x」を、レジストリ読む",
                                "「.abc」を、「/bin/sh」に、「x」として、関連付ける", "「abc」の、関連付けを削除"}) {
    Script script(statement);
    script.Run();
    EXPECT_NE(script.FirstError().find("命令は、Windows版(pirune.exe)でしか使えません。"), std::string::npos)
        << statement << ": " << script.FirstError();
  }
}

}  // namespace
