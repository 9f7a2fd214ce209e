#include "gui/win32/own_dialog.h"

#include <imm.h>

#include "gui/dialog_placement.h"
#include "gui/win32/dialog_frame.h"

namespace pirune {

OwnDialog::OwnDialog(HWND owner, const wchar_t* class_name)
    : owner_(owner && IsWindow(owner) ? owner : nullptr), class_name_(class_name) {}

OwnDialog::~OwnDialog() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool OwnDialog::RunModal(DWORD style, const std::wstring& caption) {
  CreateDialogWindow(owner_, class_name_, style, caption, &OwnDialog::DialogProc, reinterpret_cast<LPARAM>(this));
  if (!hwnd_) return false;
  {
    ModalShowing showing(hwnd_, owner_);
    if (initial_focus_) {
      // Through the dialog manager, so the default button follows the focus; it selects
      // the whole text of a field it gives the focus to.
      SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(initial_focus_), TRUE);
      if (!select_initial_text_) SendMessageW(initial_focus_, EM_SETSEL, 0, 0);
    }
    RunDialogMessages(hwnd_, [this] { return done_; });
  }
  hwnd_ = nullptr;
  return true;
}

INT_PTR OwnDialog::OnMessage(UINT, WPARAM, LPARAM) { return FALSE; }

HWND OwnDialog::AddControl(const wchar_t* window_class, const std::wstring& text, DWORD style, DWORD ex_style,
                           int id, int x, int y, int width, int height, HFONT font) {
  HWND control = CreateWindowExW(ex_style, window_class, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width,
                                 height, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  if (control && font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void OwnDialog::SetClientSize(int width, int height) {
  RECT window, client;
  GetWindowRect(hwnd_, &window);
  GetClientRect(hwnd_, &client);
  // The frame as it really is, which AdjustWindowRectEx only predicts.
  const int frame_width = (window.right - window.left) - (client.right - client.left);
  const int frame_height = (window.bottom - window.top) - (client.bottom - client.top);
  SetWindowPos(hwnd_, nullptr, 0, 0, frame_width + width, frame_height + height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int OwnDialog::WindowWidth() const {
  RECT window;
  GetWindowRect(hwnd_, &window);
  return window.right - window.left;
}

int OwnDialog::WindowHeight() const {
  RECT window;
  GetWindowRect(hwnd_, &window);
  return window.bottom - window.top;
}

void OwnDialog::MoveWindowTo(int left, int top) {
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OwnDialog::PlaceOnScreen(const DialogRect& rect, bool keep_top) {
  const int screen_width = GetSystemMetrics(SM_CXSCREEN);
  const int screen_height = GetSystemMetrics(SM_CYSCREEN);
  WindowBox box{0, 0, WindowWidth(), WindowHeight()};
  box.left = (screen_width - box.width) / 2;
  box.top = (screen_height - box.height) / 2;
  if (keep_top && box.top < 0) box.top = 0;
  box = PlaceDialog(box, rect, screen_width, screen_height);
  SetWindowPos(hwnd_, nullptr, box.left, box.top, box.width, box.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void OwnDialog::SetImeMode(HWND field, int mode) {
  HIMC context = ImmGetContext(field);
  if (!context) return;
  ImmSetOpenStatus(context, mode >= 1 && mode <= 4);
  DWORD conversion = 0, sentence = 0;
  ImmGetConversionStatus(context, &conversion, &sentence);
  switch (mode) {
    case 2: conversion = IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE; break;
    case 3: conversion = IME_CMODE_NATIVE | IME_CMODE_KATAKANA | IME_CMODE_FULLSHAPE; break;
    case 4: conversion = IME_CMODE_NATIVE | IME_CMODE_KATAKANA; break;
    default: break;
  }
  if (mode >= 2 && mode <= 4) ImmSetConversionStatus(context, conversion, sentence);
  ImmReleaseContext(field, context);
}

INT_PTR CALLBACK OwnDialog::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<OwnDialog*>(lparam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
    self->hwnd_ = hwnd;
    self->Build();
    return FALSE;  // the focus is set once the dialog is shown
  }
  auto* self = reinterpret_cast<OwnDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  return self->Handle(message, wparam, lparam);
}

INT_PTR OwnDialog::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      return OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam)) ? TRUE : FALSE;
    case WM_CLOSE:
      OnClose();
      return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      if (const INT_PTR own = OnMessage(message, wparam, lparam)) return own;
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, text_colour_);
      const int background = message == WM_CTLCOLORSTATIC ? COLOR_BTNFACE : COLOR_WINDOW;
      SetBkColor(dc, GetSysColor(background));
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(background));
    }
    default:
      return OnMessage(message, wparam, lparam);
  }
}

int OwnerWidth(HWND owner) {
  RECT window;
  if (owner && GetWindowRect(owner, &window)) return window.right - window.left;
  return GetSystemMetrics(SM_CXSCREEN);
}

SIZE TextLineSize(HFONT font, const std::wstring& text) {
  SIZE size{0, 0};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size;
}

SIZE TextBlockSize(HFONT font, const std::wstring& text) {
  RECT box{0, 0, 0, 0};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return SIZE{box.right - box.left, box.bottom - box.top};
}

}  // namespace pirune
