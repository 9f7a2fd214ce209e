#include <gtest/gtest.h>

#include <string>

#include "library/files/file_names.h"

namespace pirune::files {
namespace {

// Shift_JIS "表" ends in 0x5C, the byte of "\".
const std::string kHyou = "\x95\x5C";

TEST(FileNames, PartsWithBackslashesOnly) {
  struct Case {
    std::string path, folder, name, extension;
  } cases[] = {
      {"C:\\a\\b.txt", "C:\\a\\", "b.txt", ".txt"},
      {"C:b.txt", "C:", "b.txt", ".txt"},
      {"a.b\\c", "a.b\\", "c", ""},
      {"noext", "", "noext", ""},
      {"x\\" + kHyou + ".c", "x\\", kHyou + ".c", ".c"},  // the trail byte is no separator
      {kHyou, "", kHyou, ""},
      {"a/b.txt", "", "a/b.txt", ".txt"},  // "/" does not separate on Windows
      {"dir\\", "dir\\", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FolderOf(c.path, false), c.folder) << c.path;
    EXPECT_EQ(NameOf(c.path, false), c.name) << c.path;
    EXPECT_EQ(ExtensionOf(c.path, false), c.extension) << c.path;
  }
  EXPECT_EQ(FolderOf("a/b.txt", true), "a/");
  EXPECT_EQ(NameOf("/tmp/x.y/z", true), "z");
  EXPECT_EQ(ExtensionOf("/tmp/x.y/z", true), "");
}

TEST(FileNames, ChangingExtensions) {
  EXPECT_EQ(WithExtension("a.b\\c", ".txt", false), "a.b\\c.txt");
  EXPECT_EQ(WithExtension("a\\b.csv", ".txt", false), "a\\b.txt");
  EXPECT_EQ(WithExtension("a\\b.tar.gz", "", false), "a\\b.tar");
}

TEST(FileNames, AbsoluteAndJoined) {
  EXPECT_TRUE(IsAbsolute("C:\\x", false));
  EXPECT_TRUE(IsAbsolute("\\\\server\\share", false));
  EXPECT_FALSE(IsAbsolute("x\\y", false));
  EXPECT_FALSE(IsAbsolute("/tmp/x", false));
  EXPECT_TRUE(IsAbsolute("/tmp/x", true));
  EXPECT_EQ(Join("C:\\d", "x", false), "C:\\d\\x");
  EXPECT_EQ(Join("C:\\d\\", "x", false), "C:\\d\\x");
  EXPECT_EQ(Join("/tmp", "x", true), "/tmp/x");  // the base's own separator
  EXPECT_EQ(Join("", "x", true), "x");
  EXPECT_EQ(Join("C:", "x", false), "C:x");
  // A ":" read as the second byte of a character after a lead byte is no drive's colon:
  // the joined name must be read back as the name.
  for (bool slash : {false, true}) {
    const std::string joined = Join("d\\a\x81:", "x.txt", slash);
    EXPECT_EQ(joined, "d\\a\x81:\\x.txt");
    EXPECT_EQ(NameOf(joined, slash), "x.txt");
  }
  EXPECT_FALSE(EndsWithSeparator(kHyou, false));
}

TEST(FileNames, ExpandingRelativePaths) {
  struct Case {
    std::string relative, base, expected;
    bool slash;
  } cases[] = {
      {"C:\\x.txt", "D:\\any", "C:\\x.txt", false},
      {".\\x.txt", "C:\\d", "C:\\d\\x.txt", false},
      {"..\\c.txt", "C:\\a\\b", "C:\\a\\c.txt", false},
      {"..\\c.txt", "C:\\a\\b\\", "C:\\a\\c.txt", false},
      {"..\\..\\..\\..\\c.txt", "C:\\a\\b", "C:\\c.txt", false},  // surplus steps stop at the root
      {"x\\..\\y", "C:\\a", "C:\\a\\x\\..\\y", false},            // only leading steps count
      {"../c.txt", "/a/b", "/a/c.txt", true},
      {"../../../c", "/a", "/c", true},
      {"..", "/a", "/", true},
      {"/abs", "/a", "/abs", true},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandRelative(c.relative, c.base, c.slash), c.expected) << c.relative << " " << c.base;
}

}  // namespace
}  // namespace pirune::files
