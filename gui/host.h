// The host: what the interpreter asks of the user interface. The Win32 GUI runtime
// and the console runtime each implement it; the engine sees only this interface.
// All text is Shift_JIS.
#pragma once
#include <string>

namespace pirune {

enum class ErrorChoice { Continue, Quit, Debug };

class Host {
 public:
  virtual ~Host() = default;

  // "言う": shows the text and waits until the user has seen it.
  virtual void Say(const std::string& text) = 0;

  // "表示" on the main window: draws the text at (x, y), a line at a time, and
  // advances y past the lines drawn.
  virtual void ShowText(const std::string& text, int x, int& y) = 0;

  // A plain message box with a caption (start-up failures and the like).
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;

  // A warning appended to the error log; shown only where the host wants it.
  virtual void Warn(const std::string& text) = 0;

  // The error dialog, showing the whole error log; answers the button chosen.
  virtual ErrorChoice ShowErrorDialog(const std::string& log, bool debug_button) = 0;

  // Shows the main window (the start shows it unless the script does so itself).
  virtual void ShowMainWindow() = 0;

  // Asks the main window to close, which ends the program once the run returns.
  virtual void CloseMainWindow() = 0;

  // Lets pending window messages run.
  virtual void ProcessMessages() = 0;
};

}  // namespace pirune
