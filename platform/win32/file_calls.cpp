// The Win32 side of the file calls, through the wide API.
#include <windows.h>

#include <shellapi.h>

#include "platform/files.h"
#include "platform/win32/wide.h"

namespace pirune::platform {
namespace {

// A name holding a zero byte would reach the system cut short and name another file:
// it becomes the empty name, which names nothing.
std::wstring Name(const std::string& path) {
  if (path.find('\0') != std::string::npos) return std::wstring();
  return win32::Widen(path);
}

HANDLE Handle(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

unsigned Bits(DWORD attributes) {
  unsigned bits = 0;
  if (attributes & FILE_ATTRIBUTE_READONLY) bits |= kAttributeReadOnly;
  if (attributes & FILE_ATTRIBUTE_HIDDEN) bits |= kAttributeHidden;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) bits |= kAttributeFolder;
  if (attributes & FILE_ATTRIBUTE_ARCHIVE) bits |= kAttributeArchive;
  if (attributes & FILE_ATTRIBUTE_NORMAL) bits |= kAttributeNormal;
  return bits | (attributes & 4);  // system
}

LocalTime ToLocal(const FILETIME& utc) {
  FILETIME local;
  SYSTEMTIME t{};
  FileTimeToLocalFileTime(&utc, &local);
  FileTimeToSystemTime(&local, &t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

std::wstring FullPath(const std::wstring& name) {
  const DWORD needed = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return name;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(name.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return name;
  full.resize(length);
  return full;
}

}  // namespace

std::optional<FileStatus> Status(const std::string& path) {
  const std::wstring name = Name(path);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (name.empty() || !GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  FileStatus status;
  status.folder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
  status.link = data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
  status.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  status.attributes = Bits(data.dwFileAttributes);
  status.modified = ToLocal(data.ftLastWriteTime);
  return status;
}

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) {
  std::wstring pattern = Name(folder);
  if (pattern.empty() && !folder.empty()) return std::nullopt;
  if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/' && pattern.back() != L':') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return std::vector<FolderEntry>();
    return std::nullopt;
  }
  std::vector<FolderEntry> entries;
  do {
    const std::wstring_view name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    FolderEntry entry;
    entry.name = win32::Narrow(name);
    entry.folder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    entry.link = data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
    entries.push_back(std::move(entry));
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return entries;
}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.handle_;
    other.handle_ = -1;
  }
  return *this;
}

bool File::Open(const std::string& path, Access access, bool create, bool truncate, Share share) {
  Close();
  const DWORD rights = access == Access::Read ? GENERIC_READ : access == Access::Write ? GENERIC_WRITE
                                                                                     : GENERIC_READ | GENERIC_WRITE;
  DWORD sharing = FILE_SHARE_READ | FILE_SHARE_WRITE;
  if (share == Share::Exclusive) sharing = 0;
  if (share == Share::DenyWrite) sharing = FILE_SHARE_READ;
  if (share == Share::DenyRead) sharing = FILE_SHARE_WRITE;
  const DWORD disposition = create ? (truncate ? CREATE_ALWAYS : OPEN_ALWAYS) : (truncate ? TRUNCATE_EXISTING : OPEN_EXISTING);
  const std::wstring name = Name(path);
  if (name.empty()) return false;
  HANDLE h = CreateFileW(name.c_str(), rights, sharing, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  handle_ = reinterpret_cast<std::intptr_t>(h);
  return true;
}

bool File::CreateNew(const std::string& path) {
  Close();
  const std::wstring name = Name(path);
  if (name.empty()) return false;
  HANDLE h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  handle_ = reinterpret_cast<std::intptr_t>(h);
  return true;
}

std::int64_t File::Read(char* into, std::size_t size) {
  DWORD got = 0;
  const DWORD want = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
  if (!ReadFile(Handle(handle_), into, want, &got, nullptr)) return -1;
  return got;
}

bool File::Write(std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t rest = bytes.size() - done;
    const DWORD want = rest > (1u << 30) ? (1u << 30) : static_cast<DWORD>(rest);
    DWORD wrote = 0;
    if (!WriteFile(Handle(handle_), bytes.data() + done, want, &wrote, nullptr) || wrote == 0) return false;
    done += wrote;
  }
  return true;
}

bool File::Seek(std::int64_t offset) {
  LARGE_INTEGER to;
  to.QuadPart = offset;
  return SetFilePointerEx(Handle(handle_), to, nullptr, FILE_BEGIN);
}

bool File::SeekEnd() {
  LARGE_INTEGER to;
  to.QuadPart = 0;
  return SetFilePointerEx(Handle(handle_), to, nullptr, FILE_END);
}

std::int64_t File::Size() {
  LARGE_INTEGER size;
  return GetFileSizeEx(Handle(handle_), &size) ? size.QuadPart : -1;
}

bool File::Flush() { return FlushFileBuffers(Handle(handle_)); }

bool File::Truncate(std::int64_t size) { return Seek(size) && SetEndOfFile(Handle(handle_)); }

void File::Close() {
  if (handle_ != -1) CloseHandle(Handle(handle_));
  handle_ = -1;
}

bool ReplaceWith(const std::string& from, const std::string& to) {
  return MoveFileExW(Name(from).c_str(), Name(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH);
}

bool RenameNew(const std::string& from, const std::string& to) { return MoveFileW(Name(from).c_str(), Name(to).c_str()); }

bool RemoveFile(const std::string& path) { return DeleteFileW(Name(path).c_str()); }

bool MoveToTrash(const std::string& path) {
  // The shell wants a full path, ended by two zero characters.
  std::wstring from = FullPath(Name(path));
  if (from.empty()) return false;
  from.push_back(L'\0');
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  return SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted;
}

bool MakeFolder(const std::string& path) { return CreateDirectoryW(Name(path).c_str(), nullptr); }

bool RemoveFolder(const std::string& path) { return RemoveDirectoryW(Name(path).c_str()); }

bool SetAttributeBits(const std::string& path, unsigned attributes) {
  const DWORD settable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                         FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL;
  return SetFileAttributesW(Name(path).c_str(), attributes & settable);
}

bool CopyAttributes(const std::string& from, const std::string& to) {
  const DWORD attributes = GetFileAttributesW(Name(from).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && SetFileAttributesW(Name(to).c_str(), attributes);
}

std::string ResolvedPath(const std::string& path) {
  std::wstring full = FullPath(Name(path.empty() ? std::string(".") : path));
  // The long form names the file however it was written (8.3 names included), as far
  // as it exists.
  const DWORD needed = GetLongPathNameW(full.c_str(), nullptr, 0);
  if (needed != 0) {
    std::wstring long_path(needed, L'\0');
    const DWORD length = GetLongPathNameW(full.c_str(), long_path.data(), needed);
    if (length != 0 && length < needed) {
      long_path.resize(length);
      full = long_path;
    }
  }
  return win32::Narrow(full);
}

std::optional<std::string> StoredName(const std::string& path) {
  WIN32_FIND_DATAW data;
  const std::wstring name = Name(path);
  if (name.empty()) return std::nullopt;
  HANDLE find = FindFirstFileW(name.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(find);
  return win32::Narrow(data.cFileName);
}

std::string ShortPath(const std::string& path) {
  const std::wstring name = Name(path);
  const DWORD needed = GetShortPathNameW(name.c_str(), nullptr, 0);
  if (needed == 0) return path;
  std::wstring short_path(needed, L'\0');
  const DWORD length = GetShortPathNameW(name.c_str(), short_path.data(), needed);
  if (length == 0 || length >= needed) return path;
  short_path.resize(length);
  return win32::Narrow(short_path);
}

DriveKind DriveType(const std::string& root) {
  switch (GetDriveTypeW(Name(root).c_str())) {
    case DRIVE_NO_ROOT_DIR: return DriveKind::Missing;
    case DRIVE_REMOVABLE: return DriveKind::Removable;
    case DRIVE_FIXED: return DriveKind::Fixed;
    case DRIVE_REMOTE: return DriveKind::Remote;
    case DRIVE_CDROM: return DriveKind::CdRom;
    case DRIVE_RAMDISK: return DriveKind::RamDisk;
    default: return DriveKind::Unknown;
  }
}

std::string LastErrorText() {
  const DWORD code = GetLastError();
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length && text ? std::wstring(text, length) : std::wstring();
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) message.pop_back();
  return win32::Narrow(message);
}

}  // namespace pirune::platform
