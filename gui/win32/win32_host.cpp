#include "gui/win32/win32_host.h"

#include "gui/win32/error_dialog.h"
#include "gui/win32/text_lines.h"
#include "platform/win32/wide.h"

namespace pirune {

Win32Host::Win32Host(TfrmPiru& form) : form_(form) {}

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
  // A user sees warnings only in the error dialog, which the engine opens itself when
  // debugging. Under test they are logged, as the console runtime prints them.
  test_log_.Append(text);
}

ErrorChoice Win32Host::ShowErrorDialog(const std::string& log, bool debug_button) {
  if (test_log_.Active()) {
    // Nobody is there to click: the log is recorded and the run ends, as the quit
    // button would. Its closing line break is left out: the entry gets its own.
    std::string text = log;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    test_log_.Append(text);
    return ErrorChoice::Quit;
  }
  return TfrmError::Show(Owner(), log, debug_button);
}

Host::WindowPlacement Win32Host::MainWindowPlacement() {
  const HWND window = form_.Handle();
  WINDOWPLACEMENT now{};
  now.length = sizeof now;
  GetWindowPlacement(window, &now);
  const RECT& r = now.rcNormalPosition;
  return {IsIconic(window) ? 1 : IsZoomed(window) ? 2 : 0, r.top, r.left, r.bottom - r.top, r.right - r.left};
}

void Win32Host::PlaceMainWindow(const WindowPlacement& placement) {
  const HWND window = form_.Handle();
  WINDOWPLACEMENT next{};
  next.length = sizeof next;
  GetWindowPlacement(window, &next);
  next.rcNormalPosition = {placement.left, placement.top, placement.left + placement.width,
                           placement.top + placement.height};
  // A window not shown yet takes its bounds only: the start shows it later.
  next.showCmd = !IsWindowVisible(window) ? SW_HIDE
                 : placement.state == 2   ? SW_SHOWMAXIMIZED
                 : placement.state == 1   ? SW_SHOWMINIMIZED
                                          : SW_SHOWNORMAL;
  SetWindowPlacement(window, &next);
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
    if (progress_ && progress_->TakeMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Win32Host::ShowProgress(const std::string& message, std::function<void()> stop) {
  progress_.reset();
  progress_ = std::make_unique<TfrmProg>(Owner(), win32::Widen(message), std::move(stop));
  if (!progress_->Shown()) progress_.reset();
}

void Win32Host::SetProgress(std::int64_t maximum, std::int64_t position) {
  if (progress_) progress_->SetBar(ScaleProgress(maximum, position));
  ProcessMessages();
}

void Win32Host::SetProgressMessage(const std::string& message) {
  if (progress_) progress_->SetMessage(win32::Widen(message));
}

void Win32Host::CloseProgress() { progress_.reset(); }

void Win32Host::SetScriptTimer(std::uint32_t ms) { form_.SetScriptTimer(ms); }

void Win32Host::Wait(std::uint32_t ms) {
  const DWORD start = GetTickCount();
  while (form_.IsOpen()) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= ms) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
    ProcessMessages();
  }
}

}  // namespace pirune
