// PIRUNE_TEST_LOG — a switch for automated tests only, not a user feature.
//
// When the environment variable PIRUNE_TEST_LOG names a file, every text that a message
// box, the error dialog or "表示" would show, and every warning, is appended to that
// file as UTF-8 with LF line breaks, each entry followed by "\n"; message boxes and the
// error dialog are not shown at all but answered at once (OK; the error dialog: quit),
// and the program ends when the start's run is over instead of waiting for the user to
// close the window. A GUI program has no stdout a test could read, and a modal box would
// wait forever for a click under Xvfb; with the switch the test harness can compare the
// file with what the console runtime prints.
#pragma once
#include <string>
#include <string_view>

namespace pirune {

class TestLog {
 public:
  // Reads the environment once; the switch holds for the whole run.
  TestLog();

  bool Active() const { return !path_.empty(); }

  // Appends the Shift_JIS text as UTF-8, CR LF turned into LF, then "\n": the form in
  // which the console runtime prints it. Does nothing when the switch is off.
  void Append(std::string_view sjis) const;

 private:
  std::wstring path_;
};

}  // namespace pirune
