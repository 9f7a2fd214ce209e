// Shared blocks: what one write leaves another read finds, and letting go of the blocks
// a program made removes those and no others.
#include "platform/shared_memory.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

using pirune::platform::ReadSharedBlock;
using pirune::platform::ReleaseOwnSharedBlocks;
using pirune::platform::WriteSharedBlock;

std::string Unique(const char* what) { return std::string("pirune-test-") + what + "-" + std::to_string(::getpid()); }

TEST(SharedBlock, ReleasingRemovesTheProgramsOwnBlocksOnly) {
  const std::string own = Unique("own"), foreign = Unique("foreign");
  // Another program's block: made outside the runtime, written through it.
  const int fd = shm_open(("/" + foreign).c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
  ASSERT_GE(fd, 0);
  ::close(fd);
  ASSERT_TRUE(WriteSharedBlock(foreign, "theirs"));
  ASSERT_TRUE(WriteSharedBlock(own, "ours"));
  ASSERT_TRUE(WriteSharedBlock(own, "again"));
  EXPECT_EQ(ReadSharedBlock(own), "again");
  EXPECT_EQ(ReadSharedBlock(foreign), "theirs");

  ReleaseOwnSharedBlocks();
  EXPECT_EQ(ReadSharedBlock(own), std::nullopt);
  EXPECT_EQ(ReadSharedBlock(foreign), "theirs");
  // Made again after the release, it is the program's own once more.
  ASSERT_TRUE(WriteSharedBlock(own, "new"));
  EXPECT_EQ(ReadSharedBlock(own), "new");
  ReleaseOwnSharedBlocks();
  EXPECT_EQ(ReadSharedBlock(own), std::nullopt);
  shm_unlink(("/" + foreign).c_str());
}

TEST(SharedBlock, TheProgramsOwnBlocksGoWhenItEnds) {
  const std::string name = Unique("at-exit");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) std::exit(WriteSharedBlock(name, "gone at the end") ? 0 : 1);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(ReadSharedBlock(name), std::nullopt);
  shm_unlink(("/" + name).c_str());
}

}  // namespace
