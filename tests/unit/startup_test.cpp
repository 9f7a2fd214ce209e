#include <gtest/gtest.h>

#include "platform/platform.h"
#include "script_runner.h"
#include "startup/command_line.h"

namespace pirune {
namespace {

using testing::RecordingHost;

struct Options {
  std::vector<std::string> arguments;
  std::string start_file;
  int security;
  bool debug;
};

TEST(CommandLine, Options) {
  const Options cases[] = {
      {{"a.prw", "b.prw"}, "a.prw", -1, false},
      {{"-debug", "a.prw"}, "a.prw", -1, true},
      {{"-security", "HIGH", "a.prw"}, "a.prw", 2, false},
      {{"-security", "max", "a.prw"}, "a.prw", -1, false},
      {{"-security", "mid"}, "", 1, false},
      {{"-Debug", "-unknown", "x.prw"}, "x.prw", -1, false},
      {{"-security"}, "", -1, false},
  };
  for (const auto& c : cases) {
    TPiruBase state;
    RecordingHost host;
    std::string start;
    EXPECT_TRUE(ReadOptions(state, host, c.arguments, start));
    EXPECT_EQ(start, c.start_file) << c.arguments[0];
    EXPECT_EQ(state.SecurityLevel, c.security) << c.arguments[0];
    EXPECT_EQ(state.DebugMode, c.debug) << c.arguments[0];
  }
}

TEST(CommandLine, RuntimeWithoutPackedScriptIsBroken) {
  TPiruBase state;
  RecordingHost host;
  std::string start;
  EXPECT_FALSE(ReadOptions(state, host, {"-runtime", "x.exe"}, start));
  EXPECT_TRUE(state.RuntimeMode);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], "指定されたプログラムファイルは壊れています。");
  EXPECT_TRUE(host.closed);
}

struct View {
  std::vector<std::string> arguments;
  const char* listed;
  const char* main_path;
};

TEST(CommandLine, TheScriptSeesItsArgumentsFromItsOwnName) {
  const View cases[] = {
      {{"a.prw", "b.prw"}, "a.prw\r\nb.prw", ""},
      {{"-debug", "dir/a.prw"}, "-debug\r\ndir/a.prw", ""},
      {{"dir/a.prw", "x"}, "dir/a.prw\r\nx", "dir/"},
  };
  for (const auto& c : cases) {
    platform::SetCommandLineArguments(c.arguments);
    testing::Script s("");
    EXPECT_EQ(s.state.Words.Find("コマンドライン引数", false)->GetValue(), c.listed);
    EXPECT_EQ(s.state.Words.Find("母艦のパス", false)->GetValue(), c.main_path);
    EXPECT_EQ(s.state.MainPath, c.main_path);
  }
  platform::SetCommandLineArguments({});
}

}  // namespace
}  // namespace pirune
