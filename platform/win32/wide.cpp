#include "platform/win32/wide.h"

#include <windows.h>

#include "platform/cp932.h"

namespace pirune::win32 {

// MinGW's wchar_t is the UTF-16 code unit, so the two string types convert unit by unit.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring Widen(std::string_view sjis) {
  const std::u16string utf16 = cp932::ToUtf16(sjis);
  return std::wstring(utf16.begin(), utf16.end());
}

std::string Narrow(std::wstring_view wide, bool* lossless) {
  const std::u16string utf16(wide.begin(), wide.end());
  return cp932::FromUtf16(utf16, lossless);
}

std::string NarrowPath(const std::wstring& path) {
  bool lossless = true;
  std::string narrow = Narrow(path, &lossless);
  if (lossless) return narrow;
  const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (needed == 0) return narrow;
  std::wstring short_path(needed, L'\0');
  const DWORD written = GetShortPathNameW(path.c_str(), short_path.data(), needed);
  if (written == 0 || written >= needed) return narrow;
  short_path.resize(written);
  bool short_lossless = true;
  std::string short_narrow = Narrow(short_path, &short_lossless);
  return short_lossless ? short_narrow : narrow;
}

}  // namespace pirune::win32
