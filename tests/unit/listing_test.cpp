#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "library/files/handle_stream.h"
#include "library/files/listing.h"

namespace pirune::files {
namespace {

namespace fs = std::filesystem;

TEST(NamePattern, StarAndQuestionWithAsciiCaseIgnored) {
  struct Case {
    std::string pattern, name;
    bool expected;
  } cases[] = {
      {"*.txt", "a.TXT", true},   {"*.txt", "a.txt.bak", false}, {"a?c", "ABC", true},
      {"a?c", "ac", false},       {"*.*", "noext", true},        {"#1", "#1", true},  // only * and ? are wild
      {"#1", "11", false},        {"[a]", "[a]", true},          {"[a]", "a", false},
      {"(x)", "(x)", true},       {"ｱ*", "ｱｲ", true},            {"表*", "表示", true},
  };
  for (const auto& c : cases) EXPECT_EQ(TNamePattern(c.pattern).Matches(c.name), c.expected) << c.pattern << " " << c.name;
}

TEST(NamePattern, OrderIsOrdinalWithAsciiCaseIgnored) {
  EXPECT_TRUE(NameBefore("a", "B"));
  EXPECT_TRUE(NameBefore("B", "c"));
  EXPECT_TRUE(NameBefore("a", "ab"));
  EXPECT_FALSE(NameBefore("b", "A"));
}

class Tree : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("pirune-tree-" + std::to_string(::getpid()));
    fs::remove_all(root_);
    for (const char* file : {"b.txt", "A.txt", "c.csv", "sub/z.txt", "sub/deep/y.txt", "Sub2/x.txt", ".hidden/h.txt"}) {
      fs::create_directories((root_ / file).parent_path());
      std::ofstream(root_ / file) << file;
    }
    fs::create_directory_symlink(root_ / "sub", root_ / "loop");  // a link back into the tree
    fs::create_directory_symlink(root_, root_ / "sub" / "up");    // and a link loop
  }
  void TearDown() override { fs::remove_all(root_); }
  std::string Root() const { return root_.string() + "/"; }
  fs::path root_;
};

TEST_F(Tree, OnePatternListsSortedNamesWithoutDotFolders) {
  TListing listing = ListPattern(Root());
  EXPECT_EQ(listing.files, (std::vector<std::string>{"A.txt", "b.txt", "c.csv"}));
  EXPECT_EQ(listing.folders, (std::vector<std::string>{"loop", "sub", "Sub2"}));
  EXPECT_EQ(ListPattern(Root() + "*.TXT").files, (std::vector<std::string>{"A.txt", "b.txt"}));
}

TEST_F(Tree, RecursiveListingsGoDepthFirstAndNeverThroughLinks) {
  const std::string r = Root();
  EXPECT_EQ(ListTree(r + "*.txt", false), r + "A.txt\r\n" + r + "b.txt\r\n" + r + "sub/z.txt\r\n" + r +
                                              "sub/deep/y.txt\r\n" + r + "Sub2/x.txt\r\n");
  EXPECT_EQ(ListTree(r + "*", true),
            r + "loop\r\n" + r + "sub\r\n" + r + "Sub2\r\n" + r + "sub/deep\r\n" + r + "sub/up\r\n");
}

TEST_F(Tree, DeletingAFolderRemovesItsTreeButNotWhatLinksLeadTo) {
  const std::string outside = (root_.parent_path() / ("pirune-outside-" + std::to_string(::getpid()))).string();
  fs::create_directories(outside);
  std::ofstream(outside + "/keep.txt") << "keep";
  fs::create_directory_symlink(outside, root_ / "sub" / "out");
  DeleteByPattern(Root() + "sub/");
  EXPECT_FALSE(fs::exists(root_ / "sub"));
  EXPECT_TRUE(fs::exists(outside + "/keep.txt"));
  EXPECT_TRUE(fs::exists(root_ / "A.txt"));
  fs::remove_all(outside);
}

TEST_F(Tree, DeletingByPatternRemovesTheMatchesThenTheFolderOnlyWhenEmpty) {
  DeleteByPattern(Root() + "*.txt");
  EXPECT_FALSE(fs::exists(root_ / "A.txt"));
  EXPECT_TRUE(fs::exists(root_ / "c.csv"));
  EXPECT_TRUE(fs::exists(root_));
}

TEST_F(Tree, MakingFoldersMakesEveryMissingOne) {
  EXPECT_TRUE(MakeFolders(Root() + "n1/n2/n3"));
  EXPECT_TRUE(fs::is_directory(root_ / "n1" / "n2" / "n3"));
  EXPECT_TRUE(MakeFolders(Root() + "n1"));
  EXPECT_FALSE(MakeFolders(Root() + "A.txt/n"));
}

TEST_F(Tree, AFolderDeeperThanAnyPathIsWalkedWithoutRecursion) {
  // Deeper than any path the system takes whole: the walk goes as far as it can reach.
  const fs::path here = fs::current_path();
  fs::path deep = root_ / "deep";
  fs::create_directories(deep);
  fs::current_path(deep);
  for (int i = 0; i < 2100; ++i) {
    fs::create_directory("d");
    fs::current_path("d");
  }
  fs::current_path(root_);
  EXPECT_NO_THROW(ListTree("deep/*", true));
  DeleteByPattern("deep/");
  EXPECT_TRUE(fs::exists(root_ / "A.txt"));
  fs::current_path(here);
}

std::string FileWith(const std::string& content) {
  const std::string path = (fs::temp_directory_path() / ("pirune-handle-" + std::to_string(::getpid()))).string();
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

THandleStream Opened(const std::string& path) {
  platform::File file;
  EXPECT_TRUE(file.Open(path, platform::File::Access::ReadWrite, false, false));
  return THandleStream(std::move(file));
}

TEST(HandleStream, ReadsLinesByEveryEndAndKnowsTheEnd) {
  const std::string path = FileWith(std::string("a\r\nb\nc\rd\0e\x95\x0a" "f", 13));
  THandleStream s = Opened(path);
  EXPECT_FALSE(s.AtEnd());
  for (std::string expected : {"a", "b", "c", "d", "e\x95\x0a" "f"}) EXPECT_EQ(s.ReadLine(), expected);
  EXPECT_TRUE(s.AtEnd());
  EXPECT_EQ(s.ReadLine(), "");
  fs::remove(path);
}

TEST(HandleStream, ACarriageReturnEndingABlockTakesTheLineFeedOfTheNext) {
  std::string content(4095, 'x');
  content += "\r\nnext";
  const std::string path = FileWith(content);
  THandleStream s = Opened(path);
  EXPECT_EQ(s.ReadLine().size(), 4095u);
  EXPECT_EQ(s.ReadLine(), "next");
  fs::remove(path);
}

TEST(HandleStream, WritingALineContinuesBehindTheLastLineRead) {
  const std::string path = FileWith("a\r\nb\r\nc\r\n");
  THandleStream s = Opened(path);
  EXPECT_EQ(s.ReadLine(), "a");
  EXPECT_TRUE(s.WriteLine("X"));
  EXPECT_EQ(s.ReadLine(), "c");
  EXPECT_TRUE(s.AtEnd());
  s.Seek(0);
  EXPECT_EQ(s.ReadLine(), "a");
  EXPECT_EQ(s.ReadLine(), "X");
  fs::remove(path);
}

TEST(HandleStream, BytesAreCutOrFilledToTheCount) {
  const std::string path = FileWith("");
  THandleStream s = Opened(path);
  EXPECT_TRUE(s.WriteBytes("ABCDEF", 2));
  EXPECT_TRUE(s.WriteBytes("AB", 4));
  s.Seek(0);
  EXPECT_EQ(s.ReadBytes(8), std::string("ABAB\0\0\0\0", 8));
  fs::remove(path);
}

}  // namespace
}  // namespace pirune::files
