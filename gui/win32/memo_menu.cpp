#include "gui/win32/memo_menu.h"

#include <commctrl.h>

#include "platform/win32/wide.h"

namespace pirune {

namespace {

constexpr UINT_PTR kSubclassId = 1;

enum Item : UINT { kUndo = 1, kCopy, kCut, kPaste, kSelectAll };

void Append(HMENU menu, UINT id, const char* text, bool enabled) {
  AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, win32::Widen(text).c_str());
}

void SelectAll(HWND edit) { SendMessageW(edit, EM_SETSEL, 0, -1); }

// The menu at AT (screen coordinates), or below the caret when it was asked for from the
// keyboard (AT is then (-1, -1)); the chosen item is done on the text.
void ShowMenu(HWND edit, POINT at) {
  if (at.x == -1 && at.y == -1) {
    if (!GetCaretPos(&at)) at = POINT{0, 0};
    at.y += 16;
    ClientToScreen(edit, &at);
  }
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool selected = start != end;
  const bool writable = !(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
  const bool pastable = IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  // The tab puts the shortcut in the column the menu keeps for them.
  Append(menu, kUndo, "元に戻す\tCtrl+Z", writable && SendMessageW(edit, EM_CANUNDO, 0, 0));
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  Append(menu, kCopy, "コピー\tCtrl+C", selected);
  Append(menu, kCut, "切り取り\tCtrl+X", selected && writable);
  Append(menu, kPaste, "貼り付け\tCtrl+V", pastable && writable);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  Append(menu, kSelectAll, "全て選択\tCtrl+A", GetWindowTextLengthW(edit) > 0);
  const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, edit, nullptr);
  DestroyMenu(menu);
  switch (chosen) {
    case kUndo: SendMessageW(edit, WM_UNDO, 0, 0); break;
    case kCopy: SendMessageW(edit, WM_COPY, 0, 0); break;
    case kCut: SendMessageW(edit, WM_CUT, 0, 0); break;
    case kPaste: SendMessageW(edit, WM_PASTE, 0, 0); break;
    case kSelectAll: SelectAll(edit); break;
    default: break;
  }
}

LRESULT CALLBACK MemoProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_CONTEXTMENU:
      ShowMenu(edit, POINT{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))});
      return 0;
    case WM_KEYDOWN:
      if (wparam == 'A' && (GetKeyState(VK_CONTROL) & 0x8000) && !(GetKeyState(VK_MENU) & 0x8000)) {
        SelectAll(edit);
        return 0;
      }
      break;
    case WM_CHAR:
      // Ctrl+A's character would otherwise reach the control, which beeps at it.
      if (wparam == 1) return 0;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, MemoProc, kSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(edit, message, wparam, lparam);
}

}  // namespace

void UseMemoMenu(HWND edit) { SetWindowSubclass(edit, MemoProc, kSubclassId, 0); }

}  // namespace pirune
