#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/decode_cache.h"
#include "engine/program_text.h"

namespace pirune {
namespace {

TEST(DecodeCache, FindsWhatWasStoredWhileItsBytesStay) {
  DecodeCache<int> cache;
  std::string text = "A=1\r\nB=2\r\n";
  std::size_t end = 0;
  EXPECT_EQ(cache.Find(TextPos{&text, 0}, end), nullptr);
  cache.Store(TextPos{&text, 0}, 3, 7);
  cache.Store(TextPos{&text, 5}, 8, 8);
  ASSERT_NE(cache.Find(TextPos{&text, 0}, end), nullptr);
  EXPECT_EQ(*cache.Find(TextPos{&text, 0}, end), 7);
  EXPECT_EQ(end, 3u);
  EXPECT_EQ(*cache.Find(TextPos{&text, 5}, end), 8);
  EXPECT_EQ(end, 8u);
  EXPECT_EQ(cache.Find(TextPos{&text, 1}, end), nullptr);
  cache.Store(TextPos{&text, 0}, 3, 9);  // the same position decoded again
  EXPECT_EQ(*cache.Find(TextPos{&text, 0}, end), 9);
  // Other bytes at the same address (a freed block's copy replaced) are not the entry.
  text[2] = '5';
  EXPECT_EQ(cache.Find(TextPos{&text, 0}, end), nullptr);
  EXPECT_EQ(cache.Find(TextPos{nullptr, 0}, end), nullptr);
}

TEST(DecodeCache, KeepsManyEntriesAndForgetsPastItsLimit) {
  DecodeCache<std::size_t> cache;
  std::vector<std::unique_ptr<std::string>> texts;
  for (std::size_t i = 0; i < 3000; ++i) {
    texts.push_back(std::make_unique<std::string>("X=" + std::to_string(i)));
    cache.Store(TextPos{texts.back().get(), 0}, texts.back()->size(), i);
  }
  std::size_t end = 0;
  for (std::size_t i = 0; i < 3000; ++i) {
    const std::size_t* found = cache.Find(TextPos{texts[i].get(), 0}, end);
    ASSERT_NE(found, nullptr) << i;
    EXPECT_EQ(*found, i);
  }
  for (std::size_t i = 3000; i < 5000; ++i) {
    texts.push_back(std::make_unique<std::string>("X=" + std::to_string(i)));
    cache.Store(TextPos{texts.back().get(), 0}, texts.back()->size(), i);
  }
  std::size_t kept = 0;
  for (std::size_t i = 0; i < 5000; ++i)
    if (const std::size_t* found = cache.Find(TextPos{texts[i].get(), 0}, end)) {
      EXPECT_EQ(*found, i);
      ++kept;
    }
  EXPECT_GT(kept, 0u);
  EXPECT_LE(kept, 4096u);
  EXPECT_NE(cache.Find(TextPos{texts.back().get(), 0}, end), nullptr);
}

TEST(ProgramText, IsKnownWhileAlive) {
  std::string plain = "A=1";
  EXPECT_FALSE(IsProgramText(&plain));
  ProgramText text = MakeProgramText("A=1");
  const std::string* address = text.get();
  EXPECT_TRUE(IsProgramText(address));
  std::uint64_t freed = ProgramTextsFreed();
  text.reset();
  EXPECT_FALSE(IsProgramText(address));
  EXPECT_EQ(ProgramTextsFreed(), freed + 1);
}

// A program text freed and another made at its address: the entry made for the first is
// not taken for the second.
TEST(DecodeCache, AProgramTextMadeWhereAFreedOneWasIsReadAgain) {
  DecodeCache<int> cache;
  std::size_t end = 0;
  ProgramText first = MakeProgramText("A=1\r\n");
  const std::string* address = first.get();
  cache.Store(TextPos{address, 0}, 3, 1);
  ProgramText other = MakeProgramText("B=2\r\n");
  other.reset();  // another text freed: the entry is compared once more, and still holds
  ASSERT_NE(cache.Find(TextPos{address, 0}, end), nullptr);
  EXPECT_EQ(end, 3u);
  first.reset();
  ProgramText second;
  for (int tries = 0; tries < 64 && (!second || second.get() != address); ++tries) second = MakeProgramText("C=3\r\n");
  if (second.get() != address) GTEST_SKIP() << "the allocator never gave the address back";
  EXPECT_EQ(cache.Find(TextPos{address, 0}, end), nullptr);
}

}  // namespace
}  // namespace pirune
