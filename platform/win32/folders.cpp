// Where things are: the executable, the current folder and the temporary folder.
#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/wide.h"

namespace pirune::platform {

std::string RuntimePath() {
  // GetModuleFileNameW gives no size up front and truncates silently: grow until the
  // whole name fits.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size()) {
      buffer.resize(length);
      return win32::NarrowPath(buffer);
    }
    if (buffer.size() >= 32768) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

std::string CurrentFolder() {
  const DWORD needed = GetCurrentDirectoryW(0, nullptr);
  if (needed == 0) return std::string();
  std::wstring buffer(needed, L'\0');
  const DWORD length = GetCurrentDirectoryW(needed, buffer.data());
  if (length == 0 || length >= needed) return std::string();
  buffer.resize(length);
  return win32::NarrowPath(buffer);
}

bool SetCurrentFolder(const std::string& path) { return SetCurrentDirectoryW(win32::Widen(path).c_str()) != 0; }

std::string TempFolder() {
  wchar_t buffer[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  std::wstring folder = (length == 0 || length > MAX_PATH) ? std::wstring(L".\\") : std::wstring(buffer, length);
  if (folder.back() != L'\\') folder += L'\\';
  return win32::NarrowPath(folder);
}

char PathSeparator() { return '\\'; }

}  // namespace pirune::platform
