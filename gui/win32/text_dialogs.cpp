#include "gui/win32/text_dialogs.h"

#include "gui/dialog_layout.h"
#include "gui/say_text.h"
#include "gui/win32/japanese_font.h"
#include "platform/win32/wide.h"

namespace pirune {

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;

// The buttons keep the forms' own font (FormFont); the text font is for the message and
// the input.

int FieldHeight(HFONT font) { return TextLineSize(font, L"A").cy + 8; }

}  // namespace

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// --- TfrmMsgBox

void TfrmMsgBox::Show(const DialogSetup& setup, const std::string& text) {
  TfrmMsgBox dialog(setup, text);
  dialog.RunModal(kDialogStyle, setup.caption);
}

TfrmMsgBox::TfrmMsgBox(const DialogSetup& setup, const std::string& text)
    : OwnDialog(setup.owner, L"TfrmMsgBox"), setup_(setup), text_(text) {}

void TfrmMsgBox::Build() {
  SetTextColour(setup_.look->colour);
  const int height_limit = static_cast<int>(GetSystemMetrics(SM_CYSCREEN) * 0.7);
  const int line_height = static_cast<int>(TextLineSize(setup_.font, L"Z").cy * 1.2);
  const std::wstring shown = win32::Widen(FitSayLines(text_, height_limit, line_height));
  const SIZE label = TextBlockSize(setup_.font, shown);
  const MsgBoxLayout layout = LayOutMsgBox(label.cx, label.cy, height_limit);
  AddControl(L"STATIC", shown, SS_LEFT | SS_NOPREFIX, 0, -1, kDialogMargin, kDialogMargin, label.cx, label.cy,
             setup_.font);
  SetInitialFocus(AddControl(L"BUTTON", L"&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, layout.ok.left,
                             layout.ok.top, layout.ok.width, layout.ok.height, FormFont()));
  SetClientSize(layout.client_width, layout.client_height);
  PlaceOnScreen(setup_.look->rect);
}

bool TfrmMsgBox::OnCommand(int id, int, HWND) {
  if (id != IDOK && id != IDCANCEL) return false;
  End();
  return true;
}

// --- TfrmInputBox

std::optional<std::wstring> TfrmInputBox::Show(const DialogSetup& setup, const std::wstring& message,
                                               const std::wstring& initial) {
  TfrmInputBox dialog(setup, message, initial);
  if (!dialog.RunModal(kDialogStyle, setup.caption)) return std::nullopt;
  return dialog.answer_;
}

TfrmInputBox::TfrmInputBox(const DialogSetup& setup, const std::wstring& message, const std::wstring& initial)
    : OwnDialog(setup.owner, L"TfrmInputBox"), setup_(setup), message_(message), initial_(initial) {}

void TfrmInputBox::Build() {
  SetTextColour(setup_.look->colour);
  const SIZE label = TextBlockSize(setup_.font, message_);
  const InputBoxLayout layout = LayOutInputBox(label.cx, label.cy, FieldHeight(setup_.font));
  AddControl(L"STATIC", message_, SS_LEFT | SS_NOPREFIX, 0, -1, kDialogMargin, kDialogMargin, label.cx, label.cy,
             setup_.font);
  HWND edit = AddControl(L"EDIT", initial_, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kEditId, layout.edit.left,
                         layout.edit.top, layout.edit.width, layout.edit.height, setup_.font);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SetImeMode(edit, setup_.look->ime);
  AddControl(L"BUTTON", L"&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, layout.ok.left, layout.ok.top,
             layout.ok.width, layout.ok.height, FormFont());
  AddControl(L"BUTTON", win32::Widen("キャンセル(&C)"), WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, layout.cancel.left,
             layout.cancel.top, layout.cancel.width, layout.cancel.height, FormFont());
  SetInitialFocus(edit);
  SetClientSize(layout.client_width, layout.client_height);
  PlaceOnScreen(setup_.look->rect);
}

bool TfrmInputBox::OnCommand(int id, int, HWND) {
  if (id == IDOK) {
    answer_ = WindowText(GetDlgItem(Window(), kEditId));
  } else if (id != IDCANCEL) {
    return false;
  }
  End();
  return true;
}

// --- TfrmSelectDialog

std::optional<std::wstring> TfrmSelectDialog::Show(const DialogSetup& setup, const std::wstring& message,
                                                   const std::vector<std::wstring>& items,
                                                   const std::wstring& initial, bool free_text) {
  TfrmSelectDialog dialog(setup, message, items, initial, free_text);
  if (!dialog.RunModal(kDialogStyle, setup.caption)) return std::nullopt;
  return dialog.answer_;
}

TfrmSelectDialog::TfrmSelectDialog(const DialogSetup& setup, const std::wstring& message,
                                   const std::vector<std::wstring>& items, const std::wstring& initial,
                                   bool free_text)
    : OwnDialog(setup.owner, L"TfrmSelectDialog"),
      setup_(setup),
      message_(message),
      items_(items),
      initial_(initial),
      free_text_(free_text) {}

void TfrmSelectDialog::Build() {
  SetTextColour(setup_.look->colour);
  const SIZE label = TextBlockSize(setup_.font, message_);
  const SelectDialogLayout layout = LayOutSelectDialog(label.cx, label.cy, FieldHeight(setup_.font));
  AddControl(L"STATIC", message_, SS_LEFT | SS_NOPREFIX, 0, -1, kDialogMargin, kDialogMargin, label.cx, label.cy,
             setup_.font);
  HWND list = AddControl(L"LISTBOX", L"",
                         WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT,
                         WS_EX_CLIENTEDGE, kListId, layout.list.left, layout.list.top, layout.list.width,
                         layout.list.height, setup_.font);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (const std::wstring& item : items_) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  HWND field = AddControl(L"EDIT", initial_, WS_TABSTOP | ES_AUTOHSCROLL | (free_text_ ? 0 : ES_READONLY),
                          WS_EX_CLIENTEDGE, kFieldId, layout.field.left, layout.field.top, layout.field.width,
                          layout.field.height, setup_.font);
  SetImeMode(field, setup_.look->ime);
  AddControl(L"BUTTON", L"&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, layout.ok.left, layout.ok.top,
             layout.ok.width, layout.ok.height, FormFont());
  AddControl(L"BUTTON", win32::Widen("キャンセル(&C)"), WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, layout.cancel.left,
             layout.cancel.top, layout.cancel.width, layout.cancel.height, FormFont());
  SetInitialFocus(free_text_ ? field : list);
  SetClientSize(layout.client_width, layout.client_height);
  PlaceOnScreen(setup_.look->rect);
}

void TfrmSelectDialog::CopySelection() {
  HWND list = GetDlgItem(Window(), kListId);
  const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return;
  SetWindowTextW(GetDlgItem(Window(), kFieldId), items_[static_cast<std::size_t>(index)].c_str());
}

bool TfrmSelectDialog::OnCommand(int id, int code, HWND) {
  switch (id) {
    case kListId:
      if (code == LBN_SELCHANGE) CopySelection();
      if (code == LBN_DBLCLK) {
        CopySelection();
        answer_ = WindowText(GetDlgItem(Window(), kFieldId));
        End();
      }
      return true;
    case IDOK:
      answer_ = WindowText(GetDlgItem(Window(), kFieldId));
      End();
      return true;
    case IDCANCEL:
      End();
      return true;
    default:
      return false;
  }
}

INT_PTR TfrmSelectDialog::OnMessage(UINT message, WPARAM wparam, LPARAM) {
  if (message != WM_CHARTOITEM) return FALSE;
  // A character typed in the list goes to the first item that starts with it, or
  // leaves no item selected.
  const wchar_t typed = static_cast<wchar_t>(LOWORD(wparam));
  if (typed == L'\r' || typed == 27) return -1;
  int found = -1;
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (!items_[i].empty() && items_[i][0] == typed) {
      found = static_cast<int>(i);
      break;
    }
  SendMessageW(GetDlgItem(Window(), kListId), LB_SETCURSEL, static_cast<WPARAM>(found), 0);
  CopySelection();
  return -2;
}

}  // namespace pirune
