#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "engine/values.h"
#include "platform/platform.h"
#include "script_runner.h"

namespace pirune {
namespace {

using testing::Script;

TEST(Registry, RegistersEveryCommandAndSystemVariable) {
  Script s("");
  int commands = 0, variables = 0;
  std::set<int> ids;
  s.state.Words.Enumerate([&](THashNode& w) {
    if (w.Kind == kCommand) ++commands, ids.insert(w.Id);
    if (w.Kind == kVariable && w.Id == -1) ++variables;
  });
  EXPECT_EQ(commands, 581);
  EXPECT_EQ(ids.size(), 549u);
  EXPECT_EQ(variables, 138);
  struct Case { const char* name; int id; const char* pattern; } cases[] = {
      {"表示", 0, "?と"}, {"終わる", 2, ""}, {"作成", 7, "?に,?を,?として"}, {"MID", 48, "?の中で,?から,?つ"},
      {"確保", 73, "?に,?バイトを"}, {"今", 34, ""}, {"取り込む", 55, "?を"}, {"窓ハンドル親取得", 563, nullptr},
  };
  for (const auto& c : cases) {
    THashNode* w = s.state.Words.Find(c.name, true);
    ASSERT_NE(w, nullptr) << c.name;
    EXPECT_EQ(w->Id, c.id) << c.name;
    EXPECT_TRUE(w->Reserved);
    if (c.pattern) {
      EXPECT_EQ(w->Pattern, c.pattern) << c.name;
    }
  }
  THashNode* kaisuu = s.state.Words.Find("回数", false);
  ASSERT_NE(kaisuu, nullptr);
  EXPECT_TRUE(kaisuu->Reserved);
  EXPECT_EQ(s.state.Words.Find("改行", false)->GetValue(), "\r\n");
  EXPECT_EQ(s.state.Words.Find("母艦", false)->Kind, kPart);
}

TEST(Bind, ParticlesAndTheirEquivalents) {
  // 置換 has ?の,?を,?に; the handler pops the に argument first.
  struct Case { std::vector<std::string> fragments; std::vector<std::string> bound; } cases[] = {
      {{"Aの", "Bを", "Cに"}, {"A", "B", "C"}},
      {{"Cに", "Aの", "Bを"}, {"A", "B", "C"}},
      {{"Bを", "Cへ", "Aの"}, {"A", "B", "C"}},
      {{"Aを", "Bを", "Cに"}, {"A", "B", "C"}},  // the を slot takes the top one, の the other
      {{"Bを", "Cに"}, {"それ", "B", "C"}},
  };
  for (const auto& c : cases) {
    Script s("");
    for (const auto& f : c.fragments) s.state.Stack.Push(f);
    Bind(s.state, *s.state.Words.Find("置換", true));
    ASSERT_EQ(s.state.Stack.Count(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(s.state.Stack.Get(i), c.bound[i]) << c.fragments[0];
  }
}

TEST(Bind, DefaultsOnlyOneMissingArgument) {
  Script s("");
  s.state.Stack.Push("Cに");
  EXPECT_THROW(Bind(s.state, *s.state.Words.Find("置換", true)), EPiru);
  EXPECT_NE(ErrorLog().find("引数が少ないです。"), std::string::npos);
}

TEST(Bind, PositionalBindingIgnoresParticles) {
  Script s("");
  s.state.PositionalArgs = true;
  for (const char* f : {"x", "yを", "z"}) s.state.Stack.Push(f);
  Bind(s.state, *s.state.Words.Find("置換", true));
  EXPECT_EQ(s.state.Stack.AsText(), "x\r\ny\r\nz\r\n");
}

TEST(Bind, AWordEndingLikeAParticleBinds) {
  Script s("赤を、言う");
  s.Run();
  EXPECT_EQ(s.host.shown, std::vector<std::string>{"赤"});
}

TEST(WordCommands, ListVariablesByLevel) {
  Script s("Xを、数値として扱う\r\n-1以上の、変数名列挙\r\nそれを、表示");
  s.Run();
  ASSERT_EQ(s.host.shown.size(), 1u);
  const std::string& listed = s.host.shown[0];
  EXPECT_NE(listed.find("タブ文字の個数\r\n"), std::string::npos);
  EXPECT_NE(listed.find("それ\r\n"), std::string::npos);
  EXPECT_NE(listed.find("X\r\n"), std::string::npos);
  EXPECT_EQ(listed.find("回数\r\n"), std::string::npos);
}

TEST(WordCommands, TypesOfWords) {
  Script s("新しいを、数値として扱う\r\n辞書を、辞書として扱う\r\n「表示」から「見せる」へ、単語コピー\r\n「ok」と、見せる\r\n表示を、数値として扱う");
  s.Run();
  THashNode* n = s.state.Words.Find("新しい", false);
  ASSERT_NE(n, nullptr);
  EXPECT_EQ(n->GetValue(), "0");
  EXPECT_EQ(n->Mark, "e");
  EXPECT_EQ(s.state.Words.Find("辞書", false)->Kind, kDictionary);
  EXPECT_EQ(s.host.shown, std::vector<std::string>{"ok"});
  EXPECT_NE(s.FirstError().find("部品\"表示\"は、既に存在するので、作成できません。"), std::string::npos) << s.FirstError();
}

TEST(WordCommands, DictionaryKeys) {
  Script t("Dを、辞書として扱う\r\nDの、ハッシュキー列挙\r\nそれを、表示");
  t.state.Words.Add(std::make_unique<THashNode>("D", "a=1\r\nb = 2\r\nc", 0));
  t.Run();
  EXPECT_EQ(t.FirstError(), "");
  ASSERT_EQ(t.host.shown.size(), 1u);
  EXPECT_EQ(t.host.shown[0], "a\r\nb\r\nc\r\n");
}

TEST(WordCommands, RenameGivesACommandANewForm) {
  Script s("表示を、`?を 見せて;`に、名義変更\r\n「x」を、見せて");
  s.Run();
  EXPECT_EQ(s.FirstError(), "");
  EXPECT_EQ(s.host.shown, std::vector<std::string>{"x"});
  EXPECT_EQ(s.state.Words.Find("表示", false), nullptr);
}

TEST(Output, ShowWritesToTheOutputFileWhenOneIsNamed) {
  std::string path = platform::TempFolder() + "pirune_output_test.txt";
  std::remove(path.c_str());
  Script s("「一」と、表示\r\n「二」と、表示");
  s.state.Words.Find("表示出力先", false)->SetValue(path);
  s.state.SecurityLevel = 0;  // the temporary folder lies outside the program's
  s.Run();
  EXPECT_TRUE(s.host.shown.empty());
  EXPECT_EQ(platform::ReadFileBytes(path).value_or(""), "一\r\n二\r\n");
  std::remove(path.c_str());
}

TEST(Output, TheOutputFileOutsideTheProgramsFolderIsAskedFor) {
  std::string path = platform::TempFolder() + "pirune_output_asked.txt";
  std::remove(path.c_str());
  Script s("「一」と、表示");
  s.state.Words.Find("表示出力先", false)->SetValue(path);
  s.host.button = 1;  // いいえ
  s.Run();
  ASSERT_EQ(s.host.offered.size(), 1u);
  EXPECT_EQ(s.host.messages[0], "\"" + path + "\"へ書き込みます。");
  EXPECT_FALSE(platform::ReadFileBytes(path));
  EXPECT_TRUE(s.host.shown.empty());
}

}  // namespace
}  // namespace pirune
