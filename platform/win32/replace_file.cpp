#include <windows.h>

#include "platform/replace_file.h"
#include "platform/win32/wide.h"

namespace pirune::platform {

bool ReplaceFileContent(const std::string& path, const std::string& bytes) {
  const std::wstring target = win32::Widen(path);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;

  const std::size_t slash = target.find_last_of(L"\\/:");
  const std::wstring folder = slash == std::wstring::npos ? L"." : target.substr(0, slash + 1);
  wchar_t temp[MAX_PATH];
  if (!GetTempFileNameW(folder.c_str(), L"prn", 0, temp)) return false;

  bool ok = false;
  HANDLE file = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    ok = true;
    for (std::size_t done = 0; ok && done < bytes.size();) {
      const DWORD chunk = bytes.size() - done > 0x1000000 ? 0x1000000 : static_cast<DWORD>(bytes.size() - done);
      DWORD wrote = 0;
      ok = WriteFile(file, bytes.data() + done, chunk, &wrote, nullptr) && wrote == chunk;
      done += wrote;
    }
    ok = ok && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
  }
  ok = ok && MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) {
    DeleteFileW(temp);
    return false;
  }
  if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(target.c_str(), attributes);
  return true;
}

}  // namespace pirune::platform
