// The wide-character seam of the Win32 side: the runtime's Shift_JIS text to and from
// the UTF-16 that the W APIs take. Always through our own code page 932 table, never
// the system's ANSI code page, which differs between Windows installs and is not
// dependable under Wine.
#pragma once
#include <string>
#include <string_view>

namespace pirune::win32 {

std::wstring Widen(std::string_view sjis);

// A character Shift_JIS cannot hold becomes "?" and clears *lossless.
std::string Narrow(std::wstring_view wide, bool* lossless = nullptr);

// For names the system hands us (folders, the executable): when the long name has a
// character Shift_JIS cannot hold, the 8.3 short name still opens the same file, so
// it is preferred over a name full of "?".
std::string NarrowPath(const std::wstring& path);

}  // namespace pirune::win32
