// The security check against a table of cases, with a host that answers the question
// as scripted.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "startup/security.h"
#include "tests/unit/script_runner.h"

namespace pirune {
namespace {

namespace fs = std::filesystem;

class Security : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = (fs::temp_directory_path() / ("pirune-security-" + std::to_string(::getpid()))).string() + "/";
    fs::remove_all(root_);
    fs::create_directories(root_ + "prog/sub");
    fs::create_directories(root_ + "out");
    std::ofstream(root_ + "prog/security.ini") << "";
    fs::create_directory_symlink(root_ + "out", root_ + "prog/escape");
    fs::create_symlink(root_ + "prog/security.ini", root_ + "prog/settings.txt");
    // Relative paths are taken from the current folder, as the commands take them.
    old_folder_ = fs::current_path();
    fs::current_path(root_ + "out");
  }
  void TearDown() override {
    fs::current_path(old_folder_);
    fs::remove_all(root_);
  }

  std::string root_;
  fs::path old_folder_;
};

TEST_F(Security, TableOfCases) {
  // 100 KB of folders that are not there: the parts that exist are still resolved.
  std::string deep;
  while (deep.size() < 100 * 1024) deep += "d/";
  struct Case {
    std::string what;
    std::int32_t level;
    std::vector<std::string> paths;  // "@" stands for the test's root folder
    int answer;                      // the button the user presses; -1 closes the dialog
    bool allowed, asked, warned;
    std::int32_t level_after;
  } cases[] = {
      {"inside at middle", 1, {"@prog/x.txt"}, 1, true, false, false, 1},
      {"outside, yes", 1, {"@out/x.txt"}, 0, true, true, false, 1},
      {"outside, no", 1, {"@out/x.txt"}, 1, false, true, false, 1},
      {"outside, closed", 1, {"@out/x.txt"}, -1, false, true, false, 1},
      {"outside, yes to all", 1, {"@out/x.txt"}, 2, true, true, false, 0},
      {"outside, no to all", 1, {"@out/x.txt"}, 3, false, true, false, 2},
      {"outside at low", 0, {"@out/x.txt"}, 1, true, false, false, 0},
      {"inside at high", 2, {"@prog/x.txt"}, 0, false, false, false, 2},
      {"relative, from the current folder", 1, {"x.txt"}, 1, false, true, false, 1},
      {"out through ..", 1, {"@prog/../out/x.txt"}, 1, false, true, false, 1},
      {"in through ..", 1, {"@prog/sub/../x.txt"}, 1, true, false, false, 1},
      {"out through a link", 1, {"@prog/escape/x.txt"}, 1, false, true, false, 1},
      {"a name that only begins like the folder", 1, {"@prog-other/x.txt"}, 1, false, true, false, 1},
      {"no file at all", 1, {"*"}, 1, false, true, false, 1},
      {"100 KB inside", 1, {"@prog/sub/" + deep + "x.txt"}, 1, true, false, false, 1},
      {"100 KB out through ..", 1, {"@prog/sub/../../out/" + deep + "x.txt"}, 1, false, true, false, 1},
      {"100 KB out through a link", 1, {"@prog/escape/" + deep + "x.txt"}, 1, false, true, false, 1},
      {"a move from inside to outside", 1, {"@prog/a", "@out/b"}, 1, false, true, false, 1},
      {"a move within", 1, {"@prog/a", "@prog/sub/b"}, 1, true, false, false, 1},
      {"security.ini at low", 0, {"@prog/security.ini"}, 0, false, false, true, 0},
      {"SECURITY.INI elsewhere", 0, {"@out/SECURITY.INI"}, 0, false, false, true, 0},
      {"Security.Ini", 1, {"@prog/Security.Ini"}, 0, false, false, true, 1},
      {"a link to security.ini", 0, {"@prog/settings.txt"}, 0, false, false, true, 0},
      {"security.ini as a move's target", 0, {"@prog/a", "@prog/security.ini"}, 0, false, false, true, 0},
      {"security.ini at high", 2, {"@prog/security.ini"}, 0, false, false, false, 2},
  };
  for (const auto& c : cases) {
    testing::RecordingHost host;
    host.button = c.answer;
    std::int32_t level = c.level;
    std::vector<std::string> paths;
    for (std::string p : c.paths) {
      if (!p.empty() && p[0] == '@') p = root_ + p.substr(1);
      paths.push_back(p);
    }
    TSecurityContext context{level, root_ + "prog/", root_ + "prog/main.prw", &host};
    const bool allowed = CheckSecurity(context, paths, "question?");
    EXPECT_EQ(allowed, c.allowed) << c.what;
    EXPECT_EQ(host.offered.size(), c.asked ? 1u : 0u) << c.what;
    if (c.asked && !host.offered.empty()) {
      EXPECT_EQ(host.offered[0], (std::vector<std::string>{"はい", "いいえ", "全てはい", "全ていいえ"}));
      EXPECT_EQ(host.messages[0], "question?");
    }
    const bool warned = std::find(host.messages.begin(), host.messages.end(),
                                  "このプログラムは、\"security.ini\"を、操作出来ません！") != host.messages.end();
    EXPECT_EQ(warned, c.warned) << c.what;
    EXPECT_EQ(level, c.level_after) << c.what;
  }
}

TEST_F(Security, TheLevelIsReadFromTheSettingsBesideTheProgram) {
  struct Case {
    std::string settings;
    std::int32_t level;
  } cases[] = {
      {"[main.prw]\r\nsecurity=low\r\n", 0},
      {"[MAIN.PRW]\r\nsecurity = High\r\n", 2},
      {"[main.prw]\r\nsecurity=mid\r\n", 1},
      {"[main.prw]\r\nsecurity=\r\n", 1},
      {"[other.prw]\r\nsecurity=low\r\n", 1},
  };
  for (const auto& c : cases) {
    std::ofstream(root_ + "prog/security.ini", std::ios::binary) << c.settings;
    testing::RecordingHost host;
    std::int32_t level = -1;
    CheckSecurity({level, root_ + "prog/", root_ + "prog/main.prw", &host}, {root_ + "prog/x"}, "q");
    EXPECT_EQ(level, c.level) << c.settings;
  }
}

}  // namespace
}  // namespace pirune
