// The main window: the surface that "表示" draws on and the owner of every dialog.
// Created hidden so that the start can load the script (and report a failed start)
// before anything appears.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "gui/win32/back_buffer.h"

namespace pirune {

class TfrmPiru {
 public:
  static constexpr int kClientWidth = 640;
  static constexpr int kClientHeight = 400;

  TfrmPiru();
  ~TfrmPiru();
  TfrmPiru(const TfrmPiru&) = delete;
  TfrmPiru& operator=(const TfrmPiru&) = delete;

  HWND Handle() const { return hwnd_; }

  // False once the window has been destroyed (closed by the user or the script).
  bool IsOpen() const { return hwnd_ != nullptr; }

  // The current title, which dialogs use as their caption.
  std::wstring Caption() const;

  void Show();

  // Asks the window to close, as the user's close button would; the window is
  // destroyed when the message is handled, which ends the message loop.
  void Close();

  // Where the window's events go: the script timer's tick, and the close request (the
  // close box, Alt+F4, Close), which answers whether the window may close.
  void OnEvents(std::function<void()> timer, std::function<bool()> close_request);

  // Decides a close request now: the window is destroyed if the answer allows it.
  // Answers whether it was.
  bool RequestClose();

  // Destroys the window without asking.
  void Destroy();

  // The script timer: fires once, `ms` milliseconds from now; 0 stops it.
  void SetScriptTimer(unsigned ms);
  bool ScriptTimerSet() const { return script_timer_set_; }

  // Draws one line of text with its top-left corner at (x, y) into the back buffer.
  // Call Invalidate once after a batch of lines to get them on screen.
  void DrawTextLine(int x, int y, const std::wstring& text);

  // The distance from one line of text to the next.
  int LineAdvance() const;

  void Invalidate();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void Paint();
  void SetClientSize(int width, int height);

  std::function<void()> on_script_timer_;
  std::function<bool()> on_close_request_;
  bool script_timer_set_ = false;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  HGDIOBJ original_font_ = nullptr;
  BackBuffer buffer_;
};

}  // namespace pirune
