// PIRUNE_TEST_LOG — a switch for automated tests only, not a user feature.
//
// When the environment variable PIRUNE_TEST_LOG names a file, every text that a message
// box, the error dialog or "表示" would show is appended to that file as UTF-8, each
// entry followed by "\n", and message boxes and the error dialog are not shown at all
// but answered at once (OK; the error dialog: quit). A GUI program has no stdout a test
// could read, and a modal box would wait forever for a click under Xvfb; with the switch
// the test harness can compare the file with what the console runtime prints.
#pragma once
#include <string>
#include <string_view>

namespace pirune {

class TestLog {
 public:
  // Reads the environment once; the switch holds for the whole run.
  TestLog();

  bool Active() const { return !path_.empty(); }

  // Appends the Shift_JIS text, converted to UTF-8, and "\n". Does nothing when the
  // switch is off.
  void Append(std::string_view sjis) const;

 private:
  std::wstring path_;
};

// CR LF turned into LF, the line break the console runtime's output has on Linux.
std::string UnixLineBreaks(std::string_view text);

}  // namespace pirune
