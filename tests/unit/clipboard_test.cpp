// The console runtime's clipboard: private to the run, keeping text as the system's
// clipboard does (up to a zero byte).
#include "platform/clipboard.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using pirune::platform::ClipboardText;
using pirune::platform::SetClipboardText;

TEST(Clipboard, KeepsTheLastTextUpToAZeroByte) {
  const std::string cases[][2] = {
      {"表示\r\nabc", "表示\r\nabc"},
      {std::string("ab\0cd", 5), "ab"},
      {"", ""},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(SetClipboardText(c[0]));
    EXPECT_EQ(ClipboardText(), c[1]);
  }
}

}  // namespace
