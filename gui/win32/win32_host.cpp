#include "gui/win32/win32_host.h"

#include "engine/piru_base.h"
#include "gui/win32/text_lines.h"
#include "platform/win32/wide.h"

namespace pirune {

Win32Host::Win32Host(TfrmPiru& form, const TPiruBase& state) : form_(form), state_(state) {}

HWND Win32Host::Owner() const {
  // Once the window is gone a box must still appear (a message at the very end), so it
  // then has no owner.
  return form_.IsOpen() ? form_.Handle() : nullptr;
}

void Win32Host::Box(const std::string& text, const std::wstring& caption, UINT flags) {
  if (test_log_.Active()) {
    test_log_.Append(text);
    return;
  }
  MessageBoxW(Owner(), win32::Widen(text).c_str(), caption.c_str(), flags);
}

void Win32Host::ErrorBox(const std::string& log) {
  if (test_log_.Active()) {
    test_log_.Append(UnixLineBreaks(log));
    return;
  }
  MessageBoxW(Owner(), win32::Widen(log).c_str(), win32::Widen("実行中にエラーが発生しました。").c_str(),
              MB_OK | MB_ICONERROR);
}

void Win32Host::Say(const std::string& text) { Box(text, form_.Caption(), MB_OK); }

void Win32Host::ShowText(const std::string& text, int x, int& y) {
  test_log_.Append(text);
  const int advance = form_.LineAdvance();
  for (std::string_view line : SplitLines(text)) {
    form_.DrawTextLine(x, y, win32::Widen(line));
    y += advance;
  }
  form_.Invalidate();
}

void Win32Host::ShowMessage(const std::string& text, const std::string& caption) {
  Box(text, win32::Widen(caption), MB_OK);
}

void Win32Host::Warn(const std::string& text) {
  // Warnings only go to the error log unless the author is debugging. The dialog's
  // answer is not acted on: a warning never stops the run.
  if (state_.DebugMode) ErrorBox(text);
}

ErrorChoice Win32Host::ShowErrorDialog(const std::string& log, bool /*debug_button*/) {
  // Until the dialog has its own buttons, its one OK ends the run.
  ErrorBox(log);
  quit_from_error_dialog_ = true;
  return ErrorChoice::Quit;
}

void Win32Host::ShowMainWindow() { form_.Show(); }

void Win32Host::CloseMainWindow() { form_.Close(); }

void Win32Host::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Put it back: the program entry's loop must still see it and end.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

int Win32Host::ProcessExitCode(int engine_exit_code) const {
  if (engine_exit_code == 0 && quit_from_error_dialog_) return 1;
  return engine_exit_code;
}

}  // namespace pirune
