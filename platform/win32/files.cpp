// Whole-file reading and appending through the wide API, so that Japanese file names
// work whatever the system's ANSI code page is.
#include <windows.h>

#include <algorithm>

#include "platform/platform.h"
#include "platform/win32/wide.h"

namespace pirune::platform {

namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (IsOpen()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path) {
  // Others may keep the file open for writing (an editor, a log being written); the
  // script still gets what is there now.
  FileHandle file(CreateFileW(win32::Widen(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return std::nullopt;

  std::string bytes;
  LARGE_INTEGER size;
  if (GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0 && size.QuadPart < 0x40000000)
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));

  // Read to the end rather than trusting the size: the file may grow meanwhile, and
  // some files (devices, pipes) report none.
  char chunk[64 * 1024];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), chunk, sizeof chunk, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    bytes.append(chunk, got);
  }
  return bytes;
}

bool AppendToFile(const std::string& path, const std::string& bytes) {
  // FILE_APPEND_DATA without FILE_WRITE_DATA makes every write go to the current end,
  // even when another process appends to the same file.
  FileHandle file(CreateFileW(win32::Widen(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD wrote = 0;
    if (!WriteFile(file.Get(), bytes.data() + done, want, &wrote, nullptr) || wrote == 0) return false;
    done += wrote;
  }
  return true;
}

bool FileExists(const std::string& path) {
  // A folder is not a file: scripts ask this before reading.
  const DWORD attributes = GetFileAttributesW(win32::Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace pirune::platform
