// The safe writer under faults: whatever step fails, the old file keeps its bytes and no
// temporary file is left beside it.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "library/file_writer.h"
#include "platform/platform.h"

namespace pirune {
namespace {

namespace fs = std::filesystem;

class FileWriter : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("pirune-writer-" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    target_ = (folder_ / "data.txt").string();
    ASSERT_TRUE(WriteFileSafely(target_, "old content"));
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::size_t Entries() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), {})); }
  std::string Content() const { return platform::ReadFileBytes(target_).value_or("<missing>"); }

  fs::path folder_;
  std::string target_;
};

TEST_F(FileWriter, ReplacesTheContentAndLeavesNothingElse) {
  ASSERT_TRUE(WriteFileSafely(target_, std::string("new\0bytes", 9)));
  EXPECT_EQ(Content(), std::string("new\0bytes", 9));
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(FileWriter, AWriteFailingAfterSomeBytesKeepsTheOldFile) {
  for (std::size_t k : {0, 1, 5, 4096}) {
    const bool ok = WriteFileSafely(target_, [k](platform::File& file) {
      return file.Write(std::string(k, 'x')) && false;  // the device fails after k bytes
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(Content(), "old content") << k;
    EXPECT_EQ(Entries(), 1u) << k;
  }
}

TEST_F(FileWriter, AFileSizeLimitStopsTheSystemWriteAndKeepsTheOldFile) {
  // The system itself refuses bytes past the limit: the real write path fails midway.
  struct rlimit old_limit;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = old_limit;
  limit.rlim_cur = 6;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  const bool ok = WriteFileSafely(target_, "a much longer content than six bytes");
  setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(ok);
  EXPECT_EQ(Content(), "old content");
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(FileWriter, AFailingRenameKeepsTheOldFile) {
  const bool ok = WriteFileSafely(target_, [](platform::File& file) { return file.Write("new content"); },
                                  [](const std::string&, const std::string&) { return false; });
  EXPECT_FALSE(ok);
  EXPECT_EQ(Content(), "old content");
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(FileWriter, AReadOnlyTargetIsRefused) {
  fs::permissions(target_, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_FALSE(WriteFileSafely(target_, "new"));
  EXPECT_EQ(Content(), "old content");
  fs::permissions(target_, fs::perms::owner_all);
}

TEST_F(FileWriter, TheReplacedFileKeepsItsAccessRights) {
  fs::permissions(target_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  ASSERT_TRUE(WriteFileSafely(target_, "new"));
  EXPECT_EQ(fs::status(target_).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
}

TEST_F(FileWriter, TheReplacedFileKeepsItsOwner) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root gives files to others";
  ASSERT_EQ(::chown(target_.c_str(), 12345, 23456), 0);
  ASSERT_TRUE(WriteFileSafely(target_, "new"));
  struct stat st;
  ASSERT_EQ(::stat(target_.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 12345u);
  EXPECT_EQ(st.st_gid, 23456u);
  EXPECT_EQ(Content(), "new");
}

TEST_F(FileWriter, WritingThroughALinkReplacesTheFileItLeadsTo) {
  const std::string link = (folder_ / "link.txt").string();
  fs::create_symlink(target_, link);
  ASSERT_TRUE(WriteFileSafely(link, "through"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Content(), "through");
}

TEST_F(FileWriter, AFailedAppendCutsTheFileBack) {
  struct rlimit old_limit;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = old_limit;
  limit.rlim_cur = 15;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  const bool ok = AppendToExistingFile(target_, " and a tail too long for the limit");
  setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(ok);
  EXPECT_EQ(Content(), "old content");
  EXPECT_TRUE(AppendToExistingFile(target_, "!"));
  EXPECT_EQ(Content(), "old content!");
  EXPECT_FALSE(AppendToExistingFile((folder_ / "missing").string(), "x"));
}

}  // namespace
}  // namespace pirune
