#include "gui/win32/error_dialog.h"

#include <algorithm>

#include "gui/win32/dialog_frame.h"
#include "gui/win32/japanese_font.h"
#include "gui/win32/text_lines.h"
#include "platform/win32/wide.h"

namespace pirune {

namespace {

constexpr wchar_t kClassName[] = L"TfrmError";
constexpr int kLogId = 100;
constexpr int kDebugId = 101;
// Continue and quit take the standard identities, so that the dialog manager's Enter
// (the default button) and Escape (cancel) land on them without further code.
constexpr int kContinueId = IDOK;
constexpr int kQuitId = IDCANCEL;

// The log with every line break as CR LF, which is what a multi-line edit breaks on, and
// without the closing one, which would only add an empty last line.
std::wstring LogText(const std::string& log) {
  std::string text;
  text.reserve(log.size() + log.size() / 16);
  for (std::string_view line : SplitLines(log)) {
    if (!text.empty()) text += "\r\n";
    text += line;
  }
  return win32::Widen(text);
}

}  // namespace

ErrorChoice TfrmError::Show(HWND owner, const std::string& log, bool debug_button) {
  TfrmError dialog(owner, log, debug_button);
  return dialog.Run();
}

TfrmError::TfrmError(HWND owner, const std::string& log, bool debug_button)
    : owner_(owner && IsWindow(owner) ? owner : nullptr), text_(LogText(log)), debug_button_(debug_button) {}

TfrmError::~TfrmError() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (font_) DeleteObject(font_);
}

int TfrmError::Scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }

bool TfrmError::Create() {
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
  CreateDialogWindow(owner_, kClassName, style, win32::Widen("実行中にエラーが発生しました。"), &TfrmError::DialogProc,
                     reinterpret_cast<LPARAM>(this));
  return hwnd_ != nullptr;
}

HWND TfrmError::AddControl(const wchar_t* window_class, const std::wstring& text, DWORD style, DWORD ex_style,
                           int id, int x, int y, int width, int height) {
  HWND control = CreateWindowExW(ex_style, window_class, text.c_str(), WS_CHILD | WS_VISIBLE | style, Scaled(x),
                                 Scaled(y), Scaled(width), Scaled(height), hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                 nullptr);
  if (control && font_) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

void TfrmError::Initialise(HWND hwnd) {
  hwnd_ = hwnd;
  HDC dc = GetDC(hwnd);
  dpi_ = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(hwnd, dc);
  if (dpi_ <= 0) dpi_ = 96;
  // The dialog and its controls: a Japanese proportional gothic at 9 points.
  font_ = CreateJapaneseFont("ＭＳ Ｐゴシック", 9, dpi_, VARIABLE_PITCH | FF_SWISS);
  if (font_) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  PlaceOverOwner();

  // The log fills the top; the buttons sit in a row at the bottom right, the debug
  // button's place left empty without -debug so the others never move. Creation order
  // is the Tab order: left to right.
  const int button_top = kClientHeight - kMargin - kButtonHeight;
  const int quit_left = kClientWidth - kMargin - kButtonWidth;
  const int continue_left = quit_left - kButtonGap - kButtonWidth;
  const int debug_left = continue_left - kButtonGap - kButtonWidth;

  HWND log = AddControl(L"EDIT", L"",
                        WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, WS_EX_CLIENTEDGE,
                        kLogId, kMargin, kMargin, kClientWidth - 2 * kMargin, button_top - 2 * kMargin);
  if (log) {
    // The log can outgrow an edit control's default limit.
    SendMessageW(log, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextW(log, text_.c_str());
    // The newest error, the one that stopped the run, is at the end.
    const auto length = static_cast<WPARAM>(GetWindowTextLengthW(log));
    SendMessageW(log, EM_SETSEL, length, static_cast<LPARAM>(length));
    SendMessageW(log, EM_SCROLLCARET, 0, 0);
  }
  if (debug_button_)
    AddControl(L"BUTTON", win32::Widen("デバッグする(&D)"), WS_TABSTOP | BS_PUSHBUTTON, 0, kDebugId, debug_left,
               button_top, kButtonWidth, kButtonHeight);
  continue_button_ = AddControl(L"BUTTON", win32::Widen("実行を続ける(&O)"), WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
                                kContinueId, continue_left, button_top, kButtonWidth, kButtonHeight);
  AddControl(L"BUTTON", win32::Widen("終了(&C)"), WS_TABSTOP | BS_PUSHBUTTON, 0, kQuitId, quit_left, button_top,
             kButtonWidth, kButtonHeight);
}

void TfrmError::PlaceOverOwner() {
  const int client_width = Scaled(kClientWidth);
  const int client_height = Scaled(kClientHeight);
  RECT frame{0, 0, client_width, client_height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;

  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (GetMonitorInfoW(MonitorFromWindow(owner_ ? owner_ : hwnd_, MONITOR_DEFAULTTONEAREST), &monitor))
    work = monitor.rcWork;
  RECT around = work;
  if (owner_ && IsWindowVisible(owner_) && !IsIconic(owner_)) GetWindowRect(owner_, &around);
  int left = around.left + ((around.right - around.left) - width) / 2;
  int top = around.top + ((around.bottom - around.top) - height) / 2;
  // Wholly on the screen even when the owner hangs off an edge; the top-left corner
  // (and with it the caption) wins when the dialog is larger than the work area.
  left = std::max(static_cast<int>(work.left), std::min(left, static_cast<int>(work.right) - width));
  top = std::max(static_cast<int>(work.top), std::min(top, static_cast<int>(work.bottom) - height));
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

  // The real frame may differ from what AdjustWindowRectEx predicted; set the client
  // area itself, which the layout depends on.
  RECT window, client;
  GetWindowRect(hwnd_, &window);
  GetClientRect(hwnd_, &client);
  width = (window.right - window.left) - (client.right - client.left) + client_width;
  height = (window.bottom - window.top) - (client.bottom - client.top) + client_height;
  SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmError::End(ErrorChoice choice) {
  if (done_) return;
  choice_ = choice;
  done_ = true;
}

ErrorChoice TfrmError::Run() {
  if (!Create()) {
    // Without the dialog the user must still see the error; the run ends, as the
    // quit button would have it.
    MessageBoxW(owner_, text_.c_str(), win32::Widen("実行中にエラーが発生しました。").c_str(),
                MB_OK | MB_ICONERROR);
    return ErrorChoice::Quit;
  }

  {
    // Modal: the owner takes no input until the dialog is answered.
    ModalShowing showing(hwnd_, owner_);
    // Through the dialog manager, so the default button follows the focus.
    if (continue_button_)
      SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(continue_button_), TRUE);

    HWND log = GetDlgItem(hwnd_, kLogId);
    // A multi-line edit keeps Tab for itself; in a read-only log it would do nothing, so
    // it moves on to the buttons as everywhere else in the dialog.
    const auto tab_leaves_log = [this, log](const MSG& message) {
      if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || message.hwnd != log) return false;
      SendMessageW(hwnd_, WM_NEXTDLGCTL, (GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0, FALSE);
      return true;
    };
    // The program being ended answers as the quit button.
    if (!RunDialogMessages(hwnd_, [this] { return done_; }, tab_leaves_log)) End(ErrorChoice::Quit);
  }
  hwnd_ = nullptr;
  return choice_;
}

INT_PTR CALLBACK TfrmError::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TfrmError*>(lparam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
    self->Initialise(hwnd);
    return FALSE;  // the focus is set once the dialog is shown
  }
  auto* self = reinterpret_cast<TfrmError*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  return self->HandleMessage(message, wparam, lparam);
}

INT_PTR TfrmError::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) != BN_CLICKED) return FALSE;
      switch (LOWORD(wparam)) {
        case kContinueId:
          End(ErrorChoice::Continue);
          return TRUE;
        case kQuitId:  // also Escape
          End(ErrorChoice::Quit);
          return TRUE;
        case kDebugId:
          End(ErrorChoice::Debug);
          return TRUE;
        default:
          return FALSE;
      }
    case WM_CLOSE:  // the close box, Alt+F4, the system menu
      End(ErrorChoice::Quit);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      // A read-only edit is painted grey by default; the log reads better as ordinary
      // text on the window colour.
      if (reinterpret_cast<HWND>(lparam) == GetDlgItem(hwnd_, kLogId)) {
        HDC dc = reinterpret_cast<HDC>(wparam);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace pirune
