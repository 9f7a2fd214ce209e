#include "gui/win32/progress_window.h"

#include <commctrl.h>

#include "gui/win32/dialog_frame.h"
#include "gui/win32/japanese_font.h"
#include "platform/win32/wide.h"

namespace pirune {

namespace {

constexpr int kBarId = 100;
constexpr int kMessageId = 101;
// The stop button takes the cancel identity, so Escape presses it too.
constexpr int kStopId = IDCANCEL;

HWND AddControl(HWND parent, const wchar_t* window_class, const std::wstring& text, DWORD style, int id, int x, int y,
                int width, int height) {
  HWND control = CreateWindowExW(0, window_class, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                 nullptr);
  if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FormFont()), FALSE);
  return control;
}

}  // namespace

TfrmProg::TfrmProg(HWND owner, const std::wstring& message, std::function<void()> stop)
    : message_(message), stop_(std::move(stop)) {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&classes);
  // A dialog border without a close box: the window goes when the transfer ends.
  CreateDialogWindow(owner && IsWindow(owner) ? owner : nullptr, L"TfrmProg", WS_POPUP | WS_CAPTION | DS_MODALFRAME,
                     win32::Widen("進行度表示"), &TfrmProg::DialogProc, reinterpret_cast<LPARAM>(this));
  if (!hwnd_) return;
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd_);
}

TfrmProg::~TfrmProg() {
  if (!hwnd_) return;
  // The messages of its destruction find no window object any more.
  SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
  DestroyWindow(hwnd_);
}

void TfrmProg::Build() {
  AddControl(hwnd_, PROGRESS_CLASSW, L"", 0, kBarId, 8, 8, 257, 17);
  AddControl(hwnd_, L"BUTTON", win32::Widen("中止"), WS_TABSTOP | BS_PUSHBUTTON | (stop_ ? 0 : WS_DISABLED), kStopId,
             272, 8, 41, 17);
  AddControl(hwnd_, L"STATIC", message_, SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kMessageId, 8, 32,
             kClientWidth - 16, kClientHeight - 32);
  SetBar({});

  // The client area as laid out, the frame as the system really makes it; centred.
  RECT window, client;
  GetWindowRect(hwnd_, &window);
  GetClientRect(hwnd_, &client);
  const int width = (window.right - window.left) - (client.right - client.left) + kClientWidth;
  const int height = (window.bottom - window.top) - (client.bottom - client.top) + kClientHeight;
  SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
               width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmProg::SetBar(const ProgressSteps& steps) {
  HWND bar = GetDlgItem(hwnd_, kBarId);
  SendMessageW(bar, PBM_SETRANGE32, 0, steps.maximum);
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(steps.position), 0);
}

void TfrmProg::SetMessage(const std::wstring& message) {
  message_ = message;
  SetDlgItemTextW(hwnd_, kMessageId, message_.c_str());
}

bool TfrmProg::TakeMessage(MSG& message) {
  return hwnd_ && (message.hwnd == hwnd_ || IsChild(hwnd_, message.hwnd)) && IsDialogMessageW(hwnd_, &message);
}

INT_PTR CALLBACK TfrmProg::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TfrmProg*>(lparam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
    self->hwnd_ = hwnd;
    self->Build();
    return FALSE;
  }
  auto* self = reinterpret_cast<TfrmProg*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  if (message == WM_COMMAND && LOWORD(wparam) == kStopId && HIWORD(wparam) == BN_CLICKED) {
    // Escape reaches here even with the button disabled: only an attached action stops.
    // The action may close this very window, so it runs from a copy and nothing of the
    // window is touched after it.
    if (const std::function<void()> stop = self->stop_) stop();
    return TRUE;
  }
  return FALSE;
}

}  // namespace pirune
