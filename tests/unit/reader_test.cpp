#include <gtest/gtest.h>

#include "engine/piru_base.h"
#include "engine/program_text.h"
#include "engine/reader.h"

namespace pirune {
namespace {

TEST(TakeLineNumber, StepsOverTheLineEndAndTakesTheNumber) {
  TPiruBase state;
  struct Case { const char* text; std::size_t after; std::int32_t line; } cases[] = {
      {"\r\n12:A", 5, 12}, {"\r\n \t3:A", 6, 3}, {"\r\nA", 2, -1}, {"\r\n", 2, -1}, {"\r\n7", 3, 7},
  };
  for (int round = 0; round < 2; ++round) {  // the second time from what was seen the first
    for (const auto& c : cases) {
      ProgramText text = MakeProgramText(c.text);
      TextPos at{text.get(), 0};
      TakeLineNumber(state, at);
      EXPECT_EQ(at.offset, c.after) << c.text;
      EXPECT_EQ(state.Line, c.line) << c.text;
    }
  }
}

// A line end taken again is answered from what was seen; a text made where a freed one
// was is read for itself.
TEST(TakeLineNumber, ATextMadeWhereAFreedOneWasIsReadAgain) {
  TPiruBase state;
  ProgramText first = MakeProgramText("\r\n2:A");
  const std::string* address = first.get();
  TextPos at{address, 0};
  TakeLineNumber(state, at);
  at = TextPos{address, 0};
  TakeLineNumber(state, at);
  EXPECT_EQ(state.Line, 2);
  first.reset();
  ProgramText second;
  for (int tries = 0; tries < 64 && (!second || second.get() != address); ++tries) second = MakeProgramText("\r\n9:A");
  if (second.get() != address) GTEST_SKIP() << "the allocator never gave the address back";
  at = TextPos{address, 0};
  TakeLineNumber(state, at);
  EXPECT_EQ(state.Line, 9);
  EXPECT_EQ(at.offset, 4u);
}

}  // namespace
}  // namespace pirune
