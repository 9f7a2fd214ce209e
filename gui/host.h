// The host: what the interpreter asks of the user interface. The Win32 GUI runtime
// and the console runtime each implement it; the engine sees only this interface.
// All text is Shift_JIS.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

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

  // "ボタンで選択" and the security question: the index of the button pressed, or -1 when the dialog was closed without one.
  virtual int SelectButton(const std::string& message, const std::vector<std::string>& choices) = 0;

  // The main window's placement, kept by the window-position record: its state (0
  // normal, 1 minimized, 2 maximized) and its bounds in the normal state, in pixels.
  struct WindowPlacement {
    int state = 0, top = 0, left = 0, height = 0, width = 0;
  };
  virtual WindowPlacement MainWindowPlacement() = 0;
  virtual void PlaceMainWindow(const WindowPlacement& placement) = 0;

  // Shows the main window (the start shows it unless the script does so itself).
  virtual void ShowMainWindow() = 0;

  // Asks the main window to close, which ends the program once the run returns.
  virtual void CloseMainWindow() = 0;

  // Lets pending window messages run.
  virtual void ProcessMessages() = 0;

  // The script timer ("タイマー設定"): fires once, `ms` milliseconds from now, in place of
  // any earlier setting; 0 stops it. A host without events never fires it.
  virtual void SetScriptTimer(std::uint32_t ms) { (void)ms; }

  // "待つ": lets events run for `ms` milliseconds, or until the program has ended.
  virtual void Wait(std::uint32_t ms) { (void)ms; }
};

}  // namespace pirune
