#include "gui/win32/test_log.h"

#include <windows.h>

#include "platform/cp932.h"

namespace pirune {

namespace {

std::string UnixLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

}  // namespace

TestLog::TestLog() {
  const DWORD needed = GetEnvironmentVariableW(L"PIRUNE_TEST_LOG", nullptr, 0);
  if (needed <= 1) return;
  std::wstring path(needed, L'\0');
  const DWORD length = GetEnvironmentVariableW(L"PIRUNE_TEST_LOG", path.data(), needed);
  if (length == 0 || length >= needed) return;
  path.resize(length);
  path_ = std::move(path);
}

void TestLog::Append(std::string_view sjis) const {
  if (!Active()) return;
  const std::string entry = cp932::ToUtf8(UnixLineBreaks(sjis)) + "\n";
  // Opened per entry so the file is complete even when the harness has to kill us.
  HANDLE file = CreateFileW(path_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, entry.data(), static_cast<DWORD>(entry.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace pirune
