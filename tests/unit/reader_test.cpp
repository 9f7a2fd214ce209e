#include <gtest/gtest.h>

#include "engine/piru_base.h"
#include "engine/program_text.h"
#include "engine/reader.h"
#include "tests/unit/reused_address.h"

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

// A character is a lead byte and the byte after it, except where that byte ends a line:
// a broken character at a line's end leaves the line end to end the line.
TEST(StepChar, NeverTakesALineEndAsASecondByte) {
  struct Case { const char* text; std::size_t after; } cases[] = {
      {"\x88\xa0", 2}, {"\x88\r\n", 1}, {"\x88\n", 1}, {"\x88", 1}, {"a\x88", 1}, {"\x88" "A", 2},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    TextPos at{&text, 0};
    StepChar(at);
    EXPECT_EQ(at.offset, c.after) << c.text;
  }
}

// A line end taken again is answered from what was seen, which holds its text: no other
// text can be made at that address meanwhile. Once other line ends have taken its place,
// the text goes, and a text made at its address is read for itself. (ReusedAddress: run
// where freed memory is given out again, tests/CMakeLists.txt.)
TEST(ReusedAddress, ALineEndOfATextMadeWhereAFreedOneWasIsReadAgain) {
  TPiruBase state;
  ProgramText first = MakeProgramText("\r\n2:A");
  const std::string* address = first.get();
  TextPos at{address, 0};
  TakeLineNumber(state, at);
  first.reset();
  ASSERT_NE(KeepText(address), nullptr);  // held by what was seen
  at = TextPos{address, 0};
  TakeLineNumber(state, at);
  EXPECT_EQ(state.Line, 2);
  std::string many;
  for (int i = 0; i < 40000; ++i) many += "\r\n1:";
  ProgramText elsewhere = MakeProgramText(many);
  for (std::size_t k = 0; k < many.size(); k += 4) {
    TextPos other{elsewhere.get(), k};
    TakeLineNumber(state, other);
  }
  ASSERT_EQ(KeepText(address), nullptr);  // every slot was taken by another line end
  ProgramText second = testing::MakeTextAt(address, "\r\n9:A");
  ASSERT_NE(second, nullptr) << "freed memory was not given out again";
  at = TextPos{address, 0};
  TakeLineNumber(state, at);
  EXPECT_EQ(state.Line, 9);
  EXPECT_EQ(at.offset, 4u);
}

// The reader takes the end of the walked part for the end of the text.
TEST(TakeLineNumber, StopsAtTheEndOfTheWalkedPart) {
  TPiruBase state;
  ProgramText text = MakeProgramText("(\r\n12)");
  TextPos at{text.get(), 1, 4};
  TakeLineNumber(state, at);
  EXPECT_EQ(at.offset, 4u);
  EXPECT_EQ(state.Line, 1);
}

}  // namespace
}  // namespace pirune
