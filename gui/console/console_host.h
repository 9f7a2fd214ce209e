// The console runtime's host: text goes to the terminal as UTF-8, dialogs are answered
// on the terminal, and there is no window to keep the program alive.
#pragma once
#include <cstdio>

#include "gui/host.h"

namespace pirune {

class ConsoleHost : public Host {
 public:
  void Say(const std::string& text) override;
  void ShowText(const std::string& text, int x, int& y) override;
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void Warn(const std::string& text) override;
  ErrorChoice ShowErrorDialog(const std::string& log, bool debug_button) override;
  void ShowMainWindow() override {}
  void CloseMainWindow() override {}
  void ProcessMessages() override {}
};

// Shift_JIS text as UTF-8 lines for a terminal: CR LF becomes LF.
std::string TerminalText(const std::string& sjis);

}  // namespace pirune
