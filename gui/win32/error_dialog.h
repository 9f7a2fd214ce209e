// The error dialog: the whole error log in a read-only box, and the user's answer —
// go on with the script, end it, or (under -debug) debug it. Modal over the main window.
#pragma once
#include <windows.h>

#include <string>

#include "gui/host.h"

namespace pirune {

class TfrmError {
 public:
  // The layout in pixels at 96 dpi (scaled with the screen's dpi otherwise). The Wine
  // GUI test clicks and looks at these places, so keep tests/wine/error_dialog_test.sh
  // in step when they move.
  static constexpr int kClientWidth = 480;
  static constexpr int kClientHeight = 300;
  static constexpr int kMargin = 8;
  static constexpr int kButtonWidth = 112;
  static constexpr int kButtonHeight = 26;
  static constexpr int kButtonGap = 8;

  // Shows the dialog centred on OWNER (null once the main window is gone) and waits for
  // the user's choice. LOG is Shift_JIS. Closing the dialog by its frame or with Escape
  // answers Quit: a user who just dismisses an error should not see the script run on.
  static ErrorChoice Show(HWND owner, const std::string& log, bool debug_button);

 private:
  TfrmError(HWND owner, const std::string& log, bool debug_button);
  ~TfrmError();
  TfrmError(const TfrmError&) = delete;
  TfrmError& operator=(const TfrmError&) = delete;

  ErrorChoice Run();
  bool Create();
  void Initialise(HWND hwnd);
  void PlaceOverOwner();
  HWND AddControl(const wchar_t* window_class, const std::wstring& text, DWORD style, DWORD ex_style, int id,
                  int x, int y, int width, int height);
  void End(ErrorChoice choice);
  int Scaled(int pixels) const;

  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  HWND owner_;
  std::wstring text_;
  bool debug_button_;
  HWND hwnd_ = nullptr;
  HWND continue_button_ = nullptr;
  HFONT font_ = nullptr;
  int dpi_ = 96;
  bool done_ = false;
  ErrorChoice choice_ = ErrorChoice::Quit;
};

}  // namespace pirune
