#include "gui/win32/main_window.h"

#include "gui/win32/japanese_font.h"
#include "platform/win32/wide.h"

namespace pirune {

namespace {

constexpr wchar_t kClassName[] = L"TfrmPiru";
constexpr UINT_PTR kScriptTimer = 1;
// The tray icon's notifications come as this message, once there is a tray icon.
constexpr UINT kTrayNotification = WM_USER + 100;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kExStyle = 0;

// The text font: a Japanese gothic at 12 points.
HFONT CreateTextFont() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return CreateJapaneseFont("ＭＳ ゴシック", 12, dpi, FIXED_PITCH | FF_MODERN);
}

}  // namespace

TfrmPiru::TfrmPiru() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW probe{};
  probe.cbSize = sizeof probe;
  if (!GetClassInfoExW(instance, kClassName, &probe)) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = &TfrmPiru::WindowProc;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    window_class.lpszClassName = kClassName;
    RegisterClassExW(&window_class);
  }

  buffer_.EnsureSize(kClientWidth, kClientHeight);
  font_ = CreateTextFont();
  original_font_ = SelectObject(buffer_.Dc(), font_);

  // Centre on the work area with the size the window has for the wanted client area,
  // then set the client area itself: the frame may turn out different from what
  // AdjustWindowRectEx predicted (a wrapped menu, a window manager's own frame).
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int left = (work.right - width) / 2;
  const int top = (work.bottom - height) / 2;

  CreateWindowExW(kExStyle, kClassName, win32::Widen("ぴるね").c_str(), kStyle, left, top, width, height, nullptr,
                  nullptr, instance, this);
  if (hwnd_) SetClientSize(kClientWidth, kClientHeight);
}

TfrmPiru::~TfrmPiru() {
  if (hwnd_) {
    // Destroying from here is the program ending, not the user closing: keep the
    // window procedure from posting a quit message into a loop that no longer runs.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
  if (original_font_) SelectObject(buffer_.Dc(), original_font_);
  if (font_) DeleteObject(font_);
}

std::wstring TfrmPiru::Caption() const {
  if (!hwnd_) return win32::Widen("ぴるね");
  const int length = GetWindowTextLengthW(hwnd_);
  std::wstring title(static_cast<std::size_t>(length) + 1, L'\0');
  title.resize(static_cast<std::size_t>(GetWindowTextW(hwnd_, title.data(), length + 1)));
  return title;
}

void TfrmPiru::Show() {
  if (!hwnd_) return;
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

void TfrmPiru::Close() {
  if (hwnd_) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void TfrmPiru::OnEvents(std::function<void()> timer, std::function<bool()> close_request) {
  on_script_timer_ = std::move(timer);
  on_close_request_ = std::move(close_request);
}

bool TfrmPiru::RequestClose() {
  if (!hwnd_) return true;
  // The answer may run script code (the end handler), which may itself end the program.
  if (on_close_request_ && !on_close_request_()) return false;
  Destroy();
  return true;
}

void TfrmPiru::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void TfrmPiru::SetScriptTimer(unsigned ms) {
  if (!hwnd_) return;
  // An interval of 0 never fires; beyond USER_TIMER_MAXIMUM the system waits that long.
  script_timer_set_ = ms > 0;
  if (script_timer_set_)
    SetTimer(hwnd_, kScriptTimer, ms, nullptr);
  else
    KillTimer(hwnd_, kScriptTimer);
}

void TfrmPiru::DrawTextLine(int x, int y, const std::wstring& text) {
  HDC dc = buffer_.Dc();
  // Opaque on the window colour, so a line drawn over an older one replaces it.
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(255, 255, 255));
  SetTextColor(dc, RGB(0, 0, 0));
  TextOutW(dc, x, y, text.data(), static_cast<int>(text.size()));
}

int TfrmPiru::LineAdvance() const {
  const std::wstring sample = win32::Widen("あ");
  SIZE size{};
  GetTextExtentPoint32W(buffer_.Dc(), sample.data(), static_cast<int>(sample.size()), &size);
  // trunc(height × 1.2) in integers, so no floating-point rounding can change a line.
  return size.cy * 12 / 10;
}

void TfrmPiru::Invalidate() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void TfrmPiru::SetClientSize(int width, int height) {
  RECT window, client;
  GetWindowRect(hwnd_, &window);
  GetClientRect(hwnd_, &client);
  const int new_width = (window.right - window.left) - (client.right - client.left) + width;
  const int new_height = (window.bottom - window.top) - (client.bottom - client.top) + height;
  SetWindowPos(hwnd_, nullptr, 0, 0, new_width, new_height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmPiru::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  buffer_.PaintTo(dc, paint.rcPaint);
  EndPaint(hwnd_, &paint);
}

LRESULT CALLBACK TfrmPiru::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TfrmPiru*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TfrmPiru*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
  return self->HandleMessage(hwnd, message, wparam, lparam);
}

LRESULT TfrmPiru::HandleMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel; erasing first would only flicker
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SIZE:
      buffer_.EnsureSize(LOWORD(lparam), HIWORD(lparam));
      return 0;
    case WM_CLOSE:
      RequestClose();
      return 0;
    case WM_TIMER:
      if (wparam != kScriptTimer) break;
      KillTimer(hwnd, kScriptTimer);  // once per setting; the handler may set it again
      script_timer_set_ = false;
      if (on_script_timer_) on_script_timer_();
      return 0;
    case kTrayNotification:
      return 0;  // answered once there is a tray icon to click (its menu, "終了しますか？")
    case WM_DESTROY:
      script_timer_set_ = false;
      hwnd_ = nullptr;
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace pirune
