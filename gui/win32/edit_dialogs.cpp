#include "gui/win32/edit_dialogs.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "gui/win32/japanese_font.h"
#include "gui/win32/memo_menu.h"
#include "platform/platform.h"
#include "platform/win32/wide.h"

namespace pirune {

namespace {

constexpr DWORD kResizableStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | DS_3DLOOK;
constexpr int kOkId = IDOK;
constexpr int kCancelId = IDCANCEL;

RECT ClientRect(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client;
}

void Move(HWND window, int id, int left, int top, int width, int height) {
  SetWindowPos(GetDlgItem(window, id), nullptr, left, top, std::max(width, 0), std::max(height, 0),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// --- TfrmMemoDialog

std::optional<std::wstring> TfrmMemoDialog::Show(const DialogSetup& setup, const std::wstring& text) {
  TfrmMemoDialog dialog(setup, text);
  if (!dialog.RunModal(kResizableStyle, setup.caption)) return std::nullopt;
  return dialog.answer_;
}

TfrmMemoDialog::TfrmMemoDialog(const DialogSetup& setup, const std::wstring& text)
    : OwnDialog(setup.owner, L"TfrmMemoDialog"), setup_(setup), text_(text) {}

void TfrmMemoDialog::Build() {
  SetTextColour(setup_.look->colour);
  HWND memo = AddControl(L"EDIT", L"", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                         WS_EX_CLIENTEDGE, kMemoId, 0, 0, 10, 10, setup_.font);
  SendMessageW(memo, EM_SETLIMITTEXT, 0, 0);
  UseMemoMenu(memo);
  // A multi-line edit breaks lines at CR LF only.
  std::wstring text;
  for (std::size_t i = 0; i < text_.size(); ++i) {
    if (text_[i] == L'\n' && (i == 0 || text_[i - 1] != L'\r')) text += L'\r';
    text += text_[i];
  }
  SetWindowTextW(memo, text.c_str());
  SetImeMode(memo, setup_.look->ime);
  AddControl(L"BUTTON", win32::Widen("読込"), WS_TABSTOP | BS_PUSHBUTTON, 0, kLoadId, 0, 0, 10, 10, FormFont());
  AddControl(L"BUTTON", win32::Widen("保存"), WS_TABSTOP | BS_PUSHBUTTON, 0, kSaveId, 0, 0, 10, 10, FormFont());
  AddControl(L"BUTTON", L"&OK", WS_TABSTOP | BS_PUSHBUTTON, 0, kOkId, 0, 0, 10, 10, FormFont());
  AddControl(L"BUTTON", win32::Widen("キャンセル(&C)"), WS_TABSTOP | BS_PUSHBUTTON, 0, kCancelId, 0, 0, 10, 10,
             FormFont());
  // The caret at the start of the text, none of it selected: typing must not replace it.
  SetInitialFocus(memo, false);
  SetWindowPos(Window(), nullptr, 0, 0, 420, 342, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceOnScreen(setup_.look->rect);
  Arrange();
}

void TfrmMemoDialog::Arrange() {
  const RECT client = ClientRect(Window());
  const int width = client.right, height = client.bottom;
  const int panel_top = height - 41;
  Move(Window(), kMemoId, 0, 0, width, panel_top);
  Move(Window(), kLoadId, 8, panel_top + 8, 41, 25);
  Move(Window(), kSaveId, 53, panel_top + 8, 41, 25);
  Move(Window(), kCancelId, width - 8 - 81, panel_top + 8, 81, 25);
  Move(Window(), kOkId, width - 8 - 81 - 8 - 113, panel_top + 8, 113, 25);
}

void TfrmMemoDialog::LoadOrSave(bool save) {
  wchar_t name[MAX_PATH] = L"";
  const std::wstring folder = win32::Widen(platform::CurrentFolder());
  const std::wstring filter = win32::Widen("*.txt") + L'\0' + L"*.txt" + L'\0' + win32::Widen("すべてのファイル") + L'\0' +
                              L"*.*" + L'\0';
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Window();
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = name;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrDefExt = L"txt";
  dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return;
  const std::string path = win32::NarrowPath(name);
  HWND memo = GetDlgItem(Window(), kMemoId);
  if (save) {
    const std::string bytes = win32::Narrow(WindowText(memo));
    HANDLE file = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (!ok)
      MessageBoxW(Window(), win32::Widen("ファイル\"" + path + "\"に書き込めません。").c_str(), nullptr, MB_OK | MB_ICONERROR);
  } else if (std::optional<std::string> bytes = platform::ReadFileBytes(path)) {
    SetWindowTextW(memo, win32::Widen(*bytes).c_str());
  } else {
    MessageBoxW(Window(), win32::Widen("ファイル\"" + path + "\"が読めません。").c_str(), nullptr, MB_OK | MB_ICONERROR);
  }
}

bool TfrmMemoDialog::OnCommand(int id, int, HWND) {
  switch (id) {
    case kOkId:
      OnClose();
      return true;
    case kCancelId:
      End();
      return true;
    case kLoadId:
    case kSaveId:
      LoadOrSave(id == kSaveId);
      return true;
    default:
      return false;
  }
}

void TfrmMemoDialog::OnClose() {
  // The close box confirms, as OK does.
  answer_ = WindowText(GetDlgItem(Window(), kMemoId));
  End();
}

INT_PTR TfrmMemoDialog::OnMessage(UINT message, WPARAM, LPARAM) {
  if (message == WM_SIZE) Arrange();
  return FALSE;
}

// --- TfrmInputList

bool TfrmInputList::Show(const DialogSetup& setup, InputList& list) {
  TfrmInputList dialog(setup, list);
  if (!dialog.RunModal(kResizableStyle, setup.caption)) return false;
  return dialog.confirmed_;
}

TfrmInputList::TfrmInputList(const DialogSetup& setup, InputList& list)
    : OwnDialog(setup.owner, L"TfrmInputList"), setup_(setup), list_(list) {}

void TfrmInputList::Build() {
  SetTextColour(setup_.look->colour);
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  HWND grid = AddControl(WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                         WS_EX_CLIENTEDGE, kGridId, 0, 0, 10, 10, setup_.font);
  ListView_SetExtendedListViewStyle(grid, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  ListView_SetTextColor(grid, setup_.look->colour);
  // A list view makes its rows as high as its small images: an image list of no width
  // gives them the height of "A" and 6 pixels.
  rows_image_ = ImageList_Create(1, TextLineSize(setup_.font, L"A").cy + 6, ILC_COLOR, 1, 0);
  if (rows_image_) ListView_SetImageList(grid, rows_image_, LVSIL_SMALL);
  // The key column fits the widest key (or its title) and 8 pixels. The title stands in
  // the header, which keeps margins of its own around it.
  const std::wstring key_title = win32::Widen(list_.key_title), value_title = win32::Widen(list_.value_title);
  int key_width = TextLineSize(setup_.font, key_title).cx;
  for (const InputRow& row : list_.rows)
    key_width = std::max<int>(key_width, TextLineSize(setup_.font, win32::Widen(row.key)).cx);
  key_width = std::max<int>(key_width + 8, TextLineSize(setup_.font, key_title).cx + 6 * GetSystemMetrics(SM_CXEDGE));
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = std::min(key_width, 2000);
  column.pszText = const_cast<wchar_t*>(key_title.c_str());
  ListView_InsertColumn(grid, 0, &column);
  column.cx = 212;
  column.pszText = const_cast<wchar_t*>(value_title.c_str());
  ListView_InsertColumn(grid, 1, &column);
  SendMessageW(grid, WM_SETREDRAW, FALSE, 0);
  for (std::size_t i = 0; i < list_.rows.size(); ++i) {
    const std::wstring key = win32::Widen(list_.rows[i].key), value = win32::Widen(list_.rows[i].value);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<wchar_t*>(key.c_str());
    ListView_InsertItem(grid, &item);
    ListView_SetItemText(grid, static_cast<int>(i), 1, const_cast<wchar_t*>(value.c_str()));
  }
  SendMessageW(grid, WM_SETREDRAW, TRUE, 0);
  // The first row is the current one, so the keys reach a row before any click.
  if (!list_.rows.empty())
    ListView_SetItemState(grid, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  AddControl(L"BUTTON", win32::Widen("決定(&O)"), WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, 0, 0, 105, 25, FormFont());
  AddControl(L"BUTTON", win32::Widen("取消(&C)"), WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, 0, 0, 59, 25, FormFont());
  SetInitialFocus(grid);
  SetWindowPos(Window(), nullptr, 0, 0, 346, 316, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceOnScreen(setup_.look->rect);
  Arrange();
}

TfrmInputList::~TfrmInputList() {
  // The list view, gone with the window, leaves its image list to us.
  if (rows_image_) ImageList_Destroy(rows_image_);
}

void TfrmInputList::Arrange() {
  const RECT client = ClientRect(Window());
  const int panel_top = client.bottom - 38;
  Move(Window(), kGridId, 0, 0, client.right, panel_top);
  // The values take the width the keys leave.
  HWND grid = GetDlgItem(Window(), kGridId);
  const RECT inside = ClientRect(grid);
  ListView_SetColumnWidth(grid, 1, std::max<int>(inside.right - ListView_GetColumnWidth(grid, 0), 40));
  // The buttons stay centred in the panel however the window is sized.
  const int left = (client.right - (105 + 8 + 59)) / 2;
  Move(Window(), IDOK, left, panel_top + 6, 105, 25);
  Move(Window(), IDCANCEL, left + 105 + 8, panel_top + 6, 59, 25);
}

// The key cells are painted here: the current row in the active caption's colours, the
// others in the buttons' face, the key 4 pixels from the left and 1 from the top.
LRESULT TfrmInputList::PaintKeyCell(NMLVCUSTOMDRAW& draw) {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
      break;
    default:
      return CDRF_DODEFAULT;
  }
  if (draw.iSubItem != 0) return CDRF_DODEFAULT;
  HWND grid = draw.nmcd.hdr.hwndFrom;
  const int row = static_cast<int>(draw.nmcd.dwItemSpec);
  RECT cell{};
  ListView_GetItemRect(grid, row, &cell, LVIR_BOUNDS);
  cell.right = cell.left + ListView_GetColumnWidth(grid, 0);
  const bool current = ListView_GetNextItem(grid, -1, LVNI_FOCUSED) == row;
  HDC dc = draw.nmcd.hdc;
  FillRect(dc, &cell, GetSysColorBrush(current ? COLOR_ACTIVECAPTION : COLOR_BTNFACE));
  const std::wstring key = win32::Widen(list_.rows[static_cast<std::size_t>(row)].key);
  HGDIOBJ old_font = SelectObject(dc, setup_.font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(current ? COLOR_CAPTIONTEXT : COLOR_BTNTEXT));
  RECT text = cell;
  text.left += 4;
  text.top += 1;
  DrawTextW(dc, key.c_str(), static_cast<int>(key.size()), &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old_font);
  return CDRF_SKIPDEFAULT;
}

void TfrmInputList::StartEditing(int row) {
  FinishEditing();
  if (row < 0 || static_cast<std::size_t>(row) >= list_.rows.size()) return;
  HWND grid = GetDlgItem(Window(), kGridId);
  RECT cell{};
  ListView_GetSubItemRect(grid, row, 1, LVIR_BOUNDS, &cell);
  const InputRow& data = list_.rows[static_cast<std::size_t>(row)];
  const std::wstring value = win32::Widen(data.value);
  if (data.picks.empty()) {
    editor_ = CreateWindowExW(0, L"EDIT", value.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, cell.left,
                              cell.top, cell.right - cell.left, cell.bottom - cell.top, grid,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditorId)), GetModuleHandleW(nullptr),
                              nullptr);
    if (editor_) SendMessageW(editor_, EM_SETSEL, 0, -1);
  } else {
    editor_ = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                              cell.left, cell.top, cell.right - cell.left, 200, grid,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditorId)), GetModuleHandleW(nullptr),
                              nullptr);
    for (const std::string& pick : data.picks)
      SendMessageW(editor_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Widen(pick).c_str()));
    if (editor_) SetWindowTextW(editor_, value.c_str());
  }
  if (!editor_) return;
  SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(setup_.font), TRUE);
  editing_ = row;
  SetFocus(editor_);
}

void TfrmInputList::FinishEditing() {
  if (!editor_) return;
  HWND editor = editor_;
  editor_ = nullptr;
  const std::wstring value = WindowText(editor);
  list_.rows[static_cast<std::size_t>(editing_)].value = win32::Narrow(value);
  ListView_SetItemText(GetDlgItem(Window(), kGridId), editing_, 1, const_cast<wchar_t*>(value.c_str()));
  editing_ = -1;
  DestroyWindow(editor);
}

bool TfrmInputList::OnCommand(int id, int, HWND) {
  if (id == IDOK) {
    // Enter while a value is being edited ends the editing; the next one confirms.
    if (editor_ && (GetFocus() == editor_ || IsChild(editor_, GetFocus()))) {
      const int row = editing_;
      FinishEditing();
      SetFocus(GetDlgItem(Window(), kGridId));
      ListView_SetItemState(GetDlgItem(Window(), kGridId), row, LVIS_SELECTED | LVIS_FOCUSED,
                            LVIS_SELECTED | LVIS_FOCUSED);
      return true;
    }
    FinishEditing();
    confirmed_ = true;
    End();
    return true;
  }
  if (id == IDCANCEL) {
    if (editor_) {
      DestroyWindow(editor_);
      editor_ = nullptr;
      editing_ = -1;
      return true;
    }
    End();
    return true;
  }
  return false;
}

INT_PTR TfrmInputList::OnMessage(UINT message, WPARAM, LPARAM lparam) {
  if (message == WM_SIZE) {
    FinishEditing();
    Arrange();
    return FALSE;
  }
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lparam);
    if (header->idFrom == kGridId && (header->code == NM_CLICK || header->code == NM_DBLCLK)) {
      StartEditing(reinterpret_cast<const NMITEMACTIVATE*>(lparam)->iItem);
      return TRUE;
    }
    if (header->idFrom == kGridId && header->code == LVN_BEGINSCROLL) FinishEditing();
    if (header->idFrom == kGridId && header->code == NM_CUSTOMDRAW) {
      SetWindowLongPtrW(Window(), DWLP_MSGRESULT, PaintKeyCell(*reinterpret_cast<NMLVCUSTOMDRAW*>(lparam)));
      return TRUE;
    }
    // F2 edits the current row's value, as a click on it does.
    if (header->idFrom == kGridId && header->code == LVN_KEYDOWN &&
        reinterpret_cast<const NMLVKEYDOWN*>(lparam)->wVKey == VK_F2) {
      StartEditing(ListView_GetNextItem(GetDlgItem(Window(), kGridId), -1, LVNI_FOCUSED));
      return TRUE;
    }
  }
  return FALSE;
}

}  // namespace pirune
