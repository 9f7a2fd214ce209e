// Settings files: reading as the system's profile reader does, writing one line, and
// replacing the file only when the new content is whole.
#include "library/ini_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace {

using pirune::ini::Lookup;
using pirune::ini::ReadValue;
using pirune::ini::WithValue;
using pirune::ini::WriteValue;

struct LookupCase {
  const char* text;
  const char* section;
  const char* key;
  std::optional<std::string> expected;
};

TEST(IniLookup, ReadsAsTheProfileReader) {
  const LookupCase cases[] = {
      {"[a]\r\nk=v\r\n", "a", "k", "v"},
      {"[A]\nK=v\n", "a", "k", "v"},                          // ASCII case ignored
      {"  [ a b ]  \n  k  =   v w  \n", "a b", "k", "v w"},   // blanks around names and value
      {"[a]\nk=v\n", " a ", " k ", "v"},                      // the names asked for are trimmed too
      {"[a]\nk=\"quoted \"\n", "a", "k", "quoted "},          // one pair of enclosing quotes
      {"[a]\nk='x'\n", "a", "k", "x"},
      {"[a]\nk=\"x'\n", "a", "k", "\"x'"},                    // unmatched quotes stay
      {"[a]\nk=\"\n", "a", "k", "\""},
      {"[a]\nk=1\nk=2\n[a]\nk=3\n", "a", "k", "1"},           // the first duplicate wins
      {"[a]\n[b]\nk=2\n[a]\nk=3\n", "a", "k", std::nullopt},  // ...also among sections
      {"[a]\nk\n", "a", "k", ""},                             // a key without "=" is empty
      {"[a]\n;k=v\nk2=v\n", "a", ";k", std::nullopt},         // comments are no keys
      {"[a]\nx=1\n", "a", "k", std::nullopt},
      {"[a]\nk=1\n", "b", "k", std::nullopt},
      {"k=top\n[a]\nk=1\n", "", "k", "top"},                  // before any section: the nameless one
      {"[a\nk=1\n", "", "k", "1"},                            // a "[" without "]" opens nothing
      {"[a]\nk=a=b\n", "a", "k", "a=b"},
      {"[a]\nk=v", "a", "k", "v"},                            // no line end at the end
      {"[ア]\nア=1\n", "ヂ", "ア", std::nullopt},            // second bytes are no letters
      {"[ア]\nヂ=1\nア=2\n", "ア", "ア", "2"},
      {"[ゾ]\nk=1\n", "ゾ", "k", "1"},                        // a second byte 0x5D is no "]"
      {"[ゼ]\nゼ=1\n", "ゼ", "ゼ", "1"},
      {"", "a", "k", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Lookup(c.text, c.section, c.key), c.expected) << c.text << " [" << c.section << "] " << c.key;
  }
}

TEST(IniLookup, BinaryTextReadsWithoutFault) {
  std::string text;
  for (int i = 0; i < 4096; ++i) text += static_cast<char>((i * 7919) & 0xFF);
  text += std::string("\0[a]\n\x81", 7) + "k=v\n[b\x81]\n=\x81";
  for (const char* section : {"a", "b", "", "\x81\x40"}) {
    (void)Lookup(text, section, "k");
    const auto changed = WithValue(text, section, "k", "new");
    ASSERT_TRUE(changed);
    EXPECT_EQ(Lookup(*changed, section, "k"), "new") << section;
  }
}

struct WriteCase {
  const char* before;
  const char* section;
  const char* key;
  const char* value;
  const char* after;
};

TEST(IniWrite, ChangesOnlyItsKeysLine) {
  const WriteCase cases[] = {
      {"", "a", "k", "v", "[a]\r\nk=v\r\n"},
      {"; note\r\n[a]\r\nk=old\r\nz=1\r\n", "a", "k", "new", "; note\r\n[a]\r\nk=new\r\nz=1\r\n"},
      {"[a]\nK = old \n", "a", "k", "new", "[a]\nK = new\n"},  // the line's own name and blanks stay
      {"[a]\nk\n", "a", "k", "v", "[a]\nk=v\n"},
      {"[a]\r\nk\r\n", "a", "k", "v", "[a]\r\nk=v\r\n"},
      {"[a]\nk=1\nk=2\n", "a", "k", "3", "[a]\nk=3\nk=2\n"},   // the one a read finds
      {"[a]\nx=1\n\n[b]\ny=2\n", "a", "k", "v", "[a]\nx=1\nk=v\n\n[b]\ny=2\n"},
      {"[a]\nx=1", "a", "k", "v", "[a]\nx=1\nk=v\n"},
      {"[a]\nx=1", "b", "k", "v", "[a]\nx=1\n[b]\nk=v\n"},
      {"[a]\n", "b", " k ", "v", "[a]\n[b]\nk=v\n"},
      {"[a]\nx=1\n", "", "k", "v", "k=v\n[a]\nx=1\n"},
      {"[ゾ]\nア=1\n", "ゾ", "ヂ", "2", "[ゾ]\nア=1\nヂ=2\n"},
      {"[a]\nk=1\n", "a", "k", "", "[a]\nk=\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WithValue(c.before, c.section, c.key, c.value), std::string(c.after)) << c.before;
  }
}

TEST(IniWrite, RefusesWhatWouldNotReadBack) {
  const char* bad[][3] = {
      {"a\r", "k", "v"}, {"a", "k\n", "v"}, {"a", "k", "v\r\nz=1"}, {"a]", "k", "v"},
      {"a", "k=x", "v"}, {"a", "[k", "v"}, {"a", ";k", "v"}, {"a\x81", "k", "v"}, {"a", "k\x81", "v"},
  };
  for (const auto& b : bad) EXPECT_FALSE(WithValue("[a]\nk=1\n", b[0], b[1], b[2])) << b[0] << b[1] << b[2];
  // A second byte equal to "]" is no bracket.
  EXPECT_TRUE(WithValue("", "ゾ", "k", "v"));
}

class IniFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/pirune-ini-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    path_ = folder_ + "/s.ini";
  }
  void TearDown() override {
    chmod(folder_.c_str(), 0700);
    std::filesystem::remove_all(folder_);
  }
  static std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void Put(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
  int Entries() const {
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder_)) ++n;
    return n;
  }
  std::string folder_, path_;
};

TEST_F(IniFile, WritesCreateAndReadBack) {
  EXPECT_EQ(ReadValue(path_, "a", "k"), std::nullopt);
  ASSERT_TRUE(WriteValue(path_, "a", "k", "1"));
  ASSERT_TRUE(WriteValue(path_, "a", "k2", "2"));
  EXPECT_EQ(Content(path_), "[a]\r\nk=1\r\nk2=2\r\n");
  EXPECT_EQ(ReadValue(path_, "A", "K2"), "2");
  EXPECT_EQ(Entries(), 1);
}

TEST_F(IniFile, KeepsModeAndLinks) {
  Put(path_, "[a]\nk=1\n");
  chmod(path_.c_str(), 0640);
  const std::string link = folder_ + "/link.ini";
  ASSERT_EQ(symlink("s.ini", link.c_str()), 0);
  ASSERT_TRUE(WriteValue(link, "a", "k", "2"));
  struct stat st;
  ASSERT_EQ(lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  ASSERT_EQ(stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(Content(path_), "[a]\nk=2\n");
}

TEST_F(IniFile, FailedWritesLoseNothing) {
  const std::string old = "[a]\nk=" + std::string(10000, 'x') + "\n";
  Put(path_, old);
  // Writes that fail after some bytes: a file size limit cuts the temporary file short.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  for (rlim_t limit : {0, 1, 4096, 10005}) {
    rlimit cut = saved;
    cut.rlim_cur = limit;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &cut), 0);
    const bool wrote = WriteValue(path_, "a", "k2", "v");
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(wrote) << limit;
    EXPECT_EQ(Content(path_), old) << limit;
    EXPECT_EQ(Entries(), 1) << limit;
  }
  std::signal(SIGXFSZ, SIG_DFL);
  // A folder in the file's place is not replaced.
  const std::string sub = folder_ + "/sub.ini";
  std::filesystem::create_directory(sub);
  EXPECT_FALSE(WriteValue(sub, "a", "k", "v"));
  EXPECT_EQ(Entries(), 2);
  // No room for a temporary file beside it (root may write anyway).
  if (geteuid() != 0) {
    chmod(folder_.c_str(), 0500);
    EXPECT_FALSE(WriteValue(path_, "a", "k", "v"));
    EXPECT_EQ(Content(path_), old);
  }
}

TEST_F(IniFile, AFailingLastStepKeepsTheOldFile) {
  Put(path_, "[a]\nk=1\n");
  const auto fails = [](const std::string&, const std::string&) { return false; };
  EXPECT_FALSE(pirune::ini::WriteValues(path_, "a", {{"k", "2"}, {"k2", "3"}}, fails));
  EXPECT_EQ(Content(path_), "[a]\nk=1\n");
  EXPECT_EQ(Entries(), 1);
  // A missing file stays missing.
  const std::string fresh = folder_ + "/fresh.ini";
  EXPECT_FALSE(pirune::ini::WriteValues(fresh, "a", {{"k", "1"}}, fails));
  EXPECT_FALSE(std::filesystem::exists(fresh));
  EXPECT_EQ(Entries(), 1);
}

TEST_F(IniFile, AReadOnlyFileIsNotReplaced) {
  Put(path_, "[a]\nk=1\n");
  chmod(path_.c_str(), 0444);
  EXPECT_FALSE(WriteValue(path_, "a", "k", "2"));
  EXPECT_EQ(Content(path_), "[a]\nk=1\n");
  EXPECT_EQ(Entries(), 1);
}

TEST_F(IniFile, AnUnreadableFileIsNotReplaced) {
  Put(path_, "[a]\nk=1\n");
  chmod(path_.c_str(), 0200);
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  EXPECT_FALSE(WriteValue(path_, "a", "k2", "2"));
  chmod(path_.c_str(), 0600);
  EXPECT_EQ(Content(path_), "[a]\nk=1\n");
}

TEST_F(IniFile, LongPathsFailCleanly) {
  const std::string long_path = folder_ + "/" + std::string(100 * 1024, 'a') + ".ini";
  EXPECT_FALSE(WriteValue(long_path, "a", "k", "v"));
  EXPECT_EQ(ReadValue(long_path, "a", "k"), std::nullopt);
  EXPECT_EQ(Entries(), 0);
}

}  // namespace
