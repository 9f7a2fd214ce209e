#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/decode_cache.h"
#include "engine/fast_paths.h"
#include "engine/program_text.h"
#include "tests/unit/reused_address.h"

namespace pirune {
namespace {

TEST(DecodeCache, FindsWhatWasStoredAtTheSamePosition) {
  DecodeCache<int> cache;
  ProgramText text = MakeProgramText("A=1\r\nB=(2)\r\n");
  const std::string* t = text.get();
  std::size_t stop = 0;
  EXPECT_EQ(cache.Find(TextPos{t, 0}, stop), nullptr);
  cache.Store(TextPos{t, 0}, 3, 7);
  cache.Store(TextPos{t, 5}, 8, 8);
  cache.Store(TextPos{t, 8, 9}, 9, 9);  // the block "(2)": a view that ends at its ")"
  struct Case { TextPos at; int value; std::size_t stop; } cases[] = {
      {TextPos{t, 0}, 7, 3}, {TextPos{t, 5}, 8, 8}, {TextPos{t, 8, 9}, 9, 9},
  };
  for (const Case& c : cases) {
    const int* found = cache.Find(c.at, stop);
    ASSERT_NE(found, nullptr) << c.at.offset;
    EXPECT_EQ(*found, c.value);
    EXPECT_EQ(stop, c.stop);
  }
  // Another offset, the same offset walked to another end, no text at all.
  for (const TextPos& other : {TextPos{t, 1}, TextPos{t, 8}, TextPos{t, 5, 9}, TextPos{nullptr, 0}})
    EXPECT_EQ(cache.Find(other, stop), nullptr) << other.offset << " " << other.end;
  cache.Store(TextPos{t, 0}, 3, 10);  // the same position decoded again
  EXPECT_EQ(*cache.Find(TextPos{t, 0}, stop), 10);
}

TEST(DecodeCache, KeepsNothingForTextsThatAreNoProgramTexts) {
  DecodeCache<int> cache;
  std::string plain = "A=1";
  cache.Store(TextPos{&plain, 0}, 3, 1);
  std::size_t stop = 0;
  EXPECT_EQ(cache.Find(TextPos{&plain, 0}, stop), nullptr);
}

TEST(DecodeCache, FindsNothingWithTheFastPathsOff) {
  DecodeCache<int> cache;
  ProgramText text = MakeProgramText("A=1");
  std::size_t stop = 0;
  cache.Store(TextPos{text.get(), 0}, 3, 1);
  SetFastPaths(false);
  EXPECT_EQ(cache.Find(TextPos{text.get(), 0}, stop), nullptr);
  cache.Store(TextPos{text.get(), 1}, 3, 2);
  SetFastPaths(true);
  EXPECT_NE(cache.Find(TextPos{text.get(), 0}, stop), nullptr);
  EXPECT_EQ(cache.Find(TextPos{text.get(), 1}, stop), nullptr);  // nothing was stored meanwhile
}

TEST(DecodeCache, KeepsManyEntriesAndForgetsPastItsLimit) {
  DecodeCache<std::size_t> cache;
  std::vector<ProgramText> texts;
  for (std::size_t i = 0; i < 3000; ++i) {
    texts.push_back(MakeProgramText("X=" + std::to_string(i)));
    cache.Store(TextPos{texts.back().get(), 0}, texts.back()->size(), i);
  }
  std::size_t stop = 0;
  for (std::size_t i = 0; i < 3000; ++i) {
    const std::size_t* found = cache.Find(TextPos{texts[i].get(), 0}, stop);
    ASSERT_NE(found, nullptr) << i;
    EXPECT_EQ(*found, i);
  }
  for (std::size_t i = 3000; i < 5000; ++i) {
    texts.push_back(MakeProgramText("X=" + std::to_string(i)));
    cache.Store(TextPos{texts.back().get(), 0}, texts.back()->size(), i);
  }
  std::size_t kept = 0;
  for (std::size_t i = 0; i < 5000; ++i)
    if (const std::size_t* found = cache.Find(TextPos{texts[i].get(), 0}, stop)) {
      EXPECT_EQ(*found, i);
      ++kept;
    }
  EXPECT_GT(kept, 0u);
  EXPECT_LE(kept, 4096u);
  EXPECT_NE(cache.Find(TextPos{texts.back().get(), 0}, stop), nullptr);
}

TEST(ProgramText, IsKeptOnlyWhileAlive) {
  std::string plain = "A=1";
  EXPECT_EQ(KeepText(&plain), nullptr);
  EXPECT_EQ(KeepText(nullptr), nullptr);
  ProgramText text = MakeProgramText("A=1");
  const std::string* address = text.get();
  EXPECT_EQ(KeepText(address), text);
  KeptPosition kept(TextPos{address, 2});
  text.reset();
  // The kept position holds the text: it is still there, with its bytes.
  ProgramText again = KeepText(address);
  ASSERT_EQ(again.get(), address);
  EXPECT_EQ(*again, "A=1");
  EXPECT_EQ(static_cast<const TextPos&>(kept).At(), '1');
}

// An entry holds its text: while it lasts, no other text is made at that address, so
// what it answers is always the decoding of the bytes there.
TEST(DecodeCache, AnEntryKeepsItsTextAlive) {
  DecodeCache<int> cache;
  std::size_t stop = 0;
  ProgramText first = MakeProgramText("A=1\r\n");
  const std::string* address = first.get();
  cache.Store(TextPos{address, 0}, 3, 1);
  first.reset();
  for (int i = 0; i < 64; ++i) {
    ProgramText other = MakeProgramText("C=3\r\n");
    ASSERT_NE(other.get(), address);
  }
  ASSERT_NE(cache.Find(TextPos{address, 0}, stop), nullptr);
  EXPECT_EQ(*KeepText(address), "A=1\r\n");
}

// Once the cache has let a text go, its address may be taken by another text (texts run
// as programs come and go): that one is decoded for itself. (ReusedAddress: run where
// freed memory is given out again, tests/CMakeLists.txt.)
TEST(ReusedAddress, ATextMadeWhereAForgottenOneWasIsDecodedForItself) {
  DecodeCache<int> cache;
  std::size_t stop = 0;
  ProgramText first = MakeProgramText("A=1\r\n");
  const std::string* address = first.get();
  cache.Store(TextPos{address, 0}, 3, 1);
  first.reset();
  cache.Clear();
  EXPECT_EQ(KeepText(address), nullptr);  // freed with the last entry that held it
  ProgramText second = testing::MakeTextAt(address, "C=3\r\n");
  ASSERT_NE(second, nullptr) << "freed memory was not given out again";
  EXPECT_EQ(cache.Find(TextPos{address, 0}, stop), nullptr);
  cache.Store(TextPos{address, 0}, 3, 3);
  ASSERT_NE(cache.Find(TextPos{address, 0}, stop), nullptr);
  EXPECT_EQ(*cache.Find(TextPos{address, 0}, stop), 3);
}

}  // namespace
}  // namespace pirune
