// The system clipboard, as Unicode text converted through our code page 932 table, so
// other programs see the same characters whatever the system's ANSI code page is.
#include <windows.h>

#include <cstring>

#include "platform/clipboard.h"
#include "platform/win32/wide.h"

namespace pirune::platform {
namespace {

// Emptying the clipboard makes the opening window its owner, and with no window at all
// setting data fails: a hidden message-only window stands in for owner.
HWND Owner() {
  static HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  return window;
}

// Another program may hold the clipboard for a moment.
bool Open() {
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (OpenClipboard(Owner())) return true;
    Sleep(10);
  }
  return false;
}

}  // namespace

std::string ClipboardText() {
  if (!Open()) return {};
  std::string text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
      // The size bounds the text when a program left it without its terminating zero.
      const std::size_t limit = GlobalSize(data) / sizeof(wchar_t);
      std::size_t length = 0;
      while (length < limit && wide[length] != 0) ++length;
      text = win32::Narrow(std::wstring_view(wide, length));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool SetClipboardText(const std::string& text) {
  const std::wstring wide = win32::Widen(text.substr(0, text.find('\0')));
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
  if (memory == nullptr) return false;
  if (void* target = GlobalLock(memory)) {
    std::memcpy(target, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
  }
  if (!Open()) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  // Once set, the memory is the system's.
  const bool ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  if (!ok) GlobalFree(memory);
  CloseClipboard();
  return ok;
}

}  // namespace pirune::platform
