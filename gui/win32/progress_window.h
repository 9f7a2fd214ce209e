// TfrmProg: the progress window of long transfers. It is not modal: the transfer goes on
// while it is up and reports to it, letting window messages run between its steps, and
// the stop button calls the transfer's stop action.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "gui/progress_steps.h"

namespace pirune {

class TfrmProg {
 public:
  // Shows the window centred on the screen with MESSAGE under an empty bar; "中止" is
  // enabled exactly when STOP is given. Check Shown(): the window may fail to be made.
  TfrmProg(HWND owner, const std::wstring& message, std::function<void()> stop);
  ~TfrmProg();
  TfrmProg(const TfrmProg&) = delete;
  TfrmProg& operator=(const TfrmProg&) = delete;

  bool Shown() const { return hwnd_ != nullptr; }
  void SetBar(const ProgressSteps& steps);
  void SetMessage(const std::wstring& message);
  // Gives the window its keys (Tab, Space, Escape on the stop button) when MESSAGE is one
  // of them; true when it was.
  bool TakeMessage(MSG& message);

  // Layout in pixels.
  static constexpr int kClientWidth = 318;
  static constexpr int kClientHeight = 47;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void Build();

  std::wstring message_;
  std::function<void()> stop_;
  HWND hwnd_ = nullptr;
};

}  // namespace pirune
