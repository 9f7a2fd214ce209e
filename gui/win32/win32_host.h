// The Win32 GUI host: the interpreter's requests carried out with the main window,
// standard message boxes and the error dialog.
#pragma once
#include <windows.h>

#include <string>

#include "gui/host.h"
#include "gui/win32/main_window.h"
#include "gui/win32/test_log.h"

namespace pirune {

class Win32Host final : public Host {
 public:
  explicit Win32Host(TfrmPiru& form);

  void Say(const std::string& text) override;
  void ShowText(const std::string& text, int x, int& y) override;
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void Warn(const std::string& text) override;
  ErrorChoice ShowErrorDialog(const std::string& log, bool debug_button) override;
  int SelectButton(const std::string& message, const std::vector<std::string>& choices) override;
  WindowPlacement MainWindowPlacement() override;
  void PlaceMainWindow(const WindowPlacement& placement) override;
  void ShowMainWindow() override;
  void CloseMainWindow() override;
  void ProcessMessages() override;

  // True under the PIRUNE_TEST_LOG switch (see test_log.h).
  bool Testing() const { return test_log_.Active(); }

 private:
  // A modal box owned by the main window; under test, only its text is logged.
  void Box(const std::string& text, const std::wstring& caption, UINT flags);
  HWND Owner() const;

  TfrmPiru& form_;
  TestLog test_log_;
};

}  // namespace pirune
