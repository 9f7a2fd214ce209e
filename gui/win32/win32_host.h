// The Win32 GUI host: the interpreter's requests carried out with the main window and
// standard message boxes.
#pragma once
#include <windows.h>

#include <string>

#include "gui/host.h"
#include "gui/win32/main_window.h"
#include "gui/win32/test_log.h"

namespace pirune {

class TPiruBase;

class Win32Host final : public Host {
 public:
  // The state is read, never changed: Warn needs to know whether debugging is on.
  Win32Host(TfrmPiru& form, const TPiruBase& state);

  void Say(const std::string& text) override;
  void ShowText(const std::string& text, int x, int& y) override;
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void Warn(const std::string& text) override;
  ErrorChoice ShowErrorDialog(const std::string& log, bool debug_button) override;
  void ShowMainWindow() override;
  void CloseMainWindow() override;
  void ProcessMessages() override;

  // True under the PIRUNE_TEST_LOG switch (see test_log.h).
  bool Testing() const { return test_log_.Active(); }

  // The process's exit code: the engine's, except that a run the error dialog ended
  // exits with 1 when the engine set none, so callers can tell it failed.
  int ProcessExitCode(int engine_exit_code) const;

 private:
  // Shows a modal box owned by the main window, or logs it when testing.
  void Box(const std::string& text, const std::wstring& caption, UINT flags);
  void ErrorBox(const std::string& log);
  HWND Owner() const;

  TfrmPiru& form_;
  const TPiruBase& state_;
  TestLog test_log_;
  bool quit_from_error_dialog_ = false;
};

}  // namespace pirune
