// The POSIX side of the file calls.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <vector>

#include "platform/cp932.h"
#include "platform/files.h"
#include "platform/posix/names.h"

namespace pirune::platform {

namespace posix {

std::string SystemName(const std::string& sjis) {
  if (sjis.find('\0') != std::string::npos) return std::string();
  std::string name = cp932::ToUtf8(sjis);
  for (char& c : name)
    if (c == '\\') c = '/';
  return name;
}

std::string RuntimeName(const std::string& utf8) { return cp932::FromUtf8Replacing(utf8); }

}  // namespace posix

namespace {

using posix::RuntimeName;
using posix::SystemName;

int OpenName(const std::string& name, int flags, mode_t mode = 0666) {
  int fd;
  do fd = open(name.c_str(), flags | O_CLOEXEC, mode);
  while (fd < 0 && errno == EINTR);
  return fd;
}

LocalTime ToLocal(time_t t) {
  struct tm parts{};
  localtime_r(&t, &parts);
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec, 0};
}

std::string LastComponent(const std::string& name) {
  std::size_t end = name.size();
  while (end > 1 && name[end - 1] == '/') --end;
  std::size_t slash = name.rfind('/', end - 1);
  return name.substr(slash == std::string::npos ? 0 : slash + 1, end - (slash == std::string::npos ? 0 : slash + 1));
}

unsigned Attributes(const std::string& name, const struct stat& st) {
  unsigned bits = S_ISDIR(st.st_mode) ? kAttributeFolder : kAttributeArchive;
  if (!(st.st_mode & S_IWUSR)) bits |= kAttributeReadOnly;
  std::string last = LastComponent(name);
  if (last.size() > 1 && last[0] == '.' && last != "..") bits |= kAttributeHidden;
  return bits;
}

std::string Absolute(const std::string& name) {
  if (!name.empty() && name[0] == '/') return name;
  char* here = getcwd(nullptr, 0);
  std::string base = here ? here : "/";
  std::free(here);
  if (base.back() != '/') base += '/';
  return base + name;
}

// The trash of the desktop specification, when it lies on the file's own disk (moving a
// file there must not copy it).
bool Trash(const std::string& name) {
  const char* data = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  std::string trash;
  if (data && *data) trash = std::string(data) + "/Trash";
  else if (home && *home) trash = std::string(home) + "/.local/share/Trash";
  else return false;
  mkdir((trash.substr(0, trash.rfind('/'))).c_str(), 0700);
  mkdir(trash.c_str(), 0700);
  mkdir((trash + "/files").c_str(), 0700);
  mkdir((trash + "/info").c_str(), 0700);
  struct stat file_st, trash_st;
  if (lstat(name.c_str(), &file_st) != 0 || stat((trash + "/files").c_str(), &trash_st) != 0) return false;
  if (file_st.st_dev != trash_st.st_dev) return false;

  const std::string base = LastComponent(name);
  for (int n = 0; n < 1000; ++n) {
    const std::string entry = n == 0 ? base : base + "." + std::to_string(n);
    const std::string info_name = trash + "/info/" + entry + ".trashinfo";
    int fd = OpenName(info_name, O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return false;
    }
    std::string path;
    for (unsigned char c : Absolute(name)) {
      if (std::isalnum(c) || std::strchr("/-_.~", c)) path += static_cast<char>(c);
      else {
        static const char hex[] = "0123456789ABCDEF";
        path += '%';
        path += hex[c >> 4];
        path += hex[c & 15];
      }
    }
    char when[32];
    time_t now = time(nullptr);
    struct tm parts{};
    localtime_r(&now, &parts);
    strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%S", &parts);
    const std::string info = "[Trash Info]\nPath=" + path + "\nDeletionDate=" + when + "\n";
    const bool written = write(fd, info.data(), info.size()) == static_cast<ssize_t>(info.size());
    close(fd);
    if (written && rename(name.c_str(), (trash + "/files/" + entry).c_str()) == 0) return true;
    unlink(info_name.c_str());
    return false;
  }
  return false;
}

}  // namespace

std::optional<FileStatus> Status(const std::string& path) {
  const std::string name = SystemName(path);
  struct stat st, link_st;
  if (lstat(name.c_str(), &link_st) != 0) return std::nullopt;
  FileStatus status;
  status.link = S_ISLNK(link_st.st_mode);
  if (!status.link) st = link_st;
  else if (stat(name.c_str(), &st) != 0) st = link_st;  // a dangling link is still a name
  status.folder = S_ISDIR(st.st_mode);
  status.size = static_cast<std::uint64_t>(st.st_size);
  status.attributes = Attributes(name, st);
  status.modified = ToLocal(st.st_mtime);
  return status;
}

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) {
  std::string name = SystemName(folder);
  if (name.empty()) {
    if (!folder.empty()) return std::nullopt;
    name = ".";
  }
  DIR* dir = opendir(name.c_str());
  if (!dir) return std::nullopt;
  if (name.back() != '/') name += '/';
  std::vector<FolderEntry> entries;
  while (struct dirent* e = readdir(dir)) {
    if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
    FolderEntry entry;
    entry.name = RuntimeName(e->d_name);
    unsigned char type = e->d_type;
    if (type == DT_LNK || type == DT_UNKNOWN) {
      struct stat st;
      const std::string full = name + e->d_name;
      if (type == DT_UNKNOWN && lstat(full.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) type = DT_LNK;
      entry.link = type == DT_LNK;
      entry.folder = stat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    } else {
      entry.folder = type == DT_DIR;
    }
    entries.push_back(std::move(entry));
  }
  closedir(dir);
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

bool File::Open(const std::string& path, Access access, bool create, bool truncate, Share) {
  Close();
  int flags = access == Access::Read ? O_RDONLY : access == Access::Write ? O_WRONLY : O_RDWR;
  if (create) flags |= O_CREAT;
  if (truncate) flags |= O_TRUNC;
  const int fd = OpenName(SystemName(path), flags);
  if (fd < 0) return false;
  // A folder opens for reading here, unlike on Windows; it is still no file.
  struct stat st;
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    close(fd);
    errno = EISDIR;
    return false;
  }
  handle_ = fd;
  return true;
}

bool File::CreateNew(const std::string& path) {
  Close();
  const int fd = OpenName(SystemName(path), O_WRONLY | O_CREAT | O_EXCL, 0666);
  if (fd < 0) return false;
  handle_ = fd;
  return true;
}

std::int64_t File::Read(char* into, std::size_t size) {
  for (;;) {
    const ssize_t got = read(static_cast<int>(handle_), into, size);
    if (got < 0 && errno == EINTR) continue;
    return got;
  }
}

bool File::Write(std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = write(static_cast<int>(handle_), bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<std::size_t>(wrote);
  }
  return true;
}

bool File::Seek(std::int64_t offset) { return lseek(static_cast<int>(handle_), offset, SEEK_SET) >= 0; }

bool File::SeekEnd() { return lseek(static_cast<int>(handle_), 0, SEEK_END) >= 0; }

std::int64_t File::Size() {
  struct stat st;
  return fstat(static_cast<int>(handle_), &st) == 0 ? st.st_size : -1;
}

bool File::Flush() { return fsync(static_cast<int>(handle_)) == 0 || errno == EINVAL; }

bool File::Truncate(std::int64_t size) { return ftruncate(static_cast<int>(handle_), size) == 0; }

void File::Close() {
  if (handle_ != -1) close(static_cast<int>(handle_));
  handle_ = -1;
}

bool ReplaceWith(const std::string& from, const std::string& to) {
  return rename(SystemName(from).c_str(), SystemName(to).c_str()) == 0;
}

bool RenameNew(const std::string& from, const std::string& to) {
  // link + unlink refuses an existing target where rename would replace it; a file
  // system without hard links (or a folder) takes the check and the rename apart.
  const std::string a = SystemName(from), b = SystemName(to);
  struct stat st;
  if (a.empty() || b.empty() || lstat(b.c_str(), &st) == 0) {
    errno = EEXIST;
    return false;
  }
  if (link(a.c_str(), b.c_str()) == 0) return unlink(a.c_str()) == 0 || (unlink(b.c_str()), false);
  return rename(a.c_str(), b.c_str()) == 0;
}

bool RemoveFile(const std::string& path) { return unlink(SystemName(path).c_str()) == 0; }

bool MoveToTrash(const std::string& path) {
  const std::string name = SystemName(path);
  if (Trash(name)) return true;
  return unlink(name.c_str()) == 0;
}

bool MakeFolder(const std::string& path) { return mkdir(SystemName(path).c_str(), 0777) == 0; }

bool RemoveFolder(const std::string& path) { return rmdir(SystemName(path).c_str()) == 0; }

bool SetAttributeBits(const std::string& path, unsigned attributes) {
  const std::string name = SystemName(path);
  struct stat st;
  if (stat(name.c_str(), &st) != 0) return false;
  mode_t mode = st.st_mode & 07777;
  if (attributes & kAttributeReadOnly) mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
  else mode |= S_IWUSR;
  return chmod(name.c_str(), mode) == 0;
}

bool CopyAttributes(const std::string& from, const std::string& to) {
  struct stat st;
  if (stat(SystemName(from).c_str(), &st) != 0) return false;
  // Another owner's file keeps its owner where we may give it (before the mode, as a
  // change of owner clears the set-id bits); where we may not, the content still changes.
  if (st.st_uid != geteuid() || st.st_gid != getegid()) (void)!chown(SystemName(to).c_str(), st.st_uid, st.st_gid);
  return chmod(SystemName(to).c_str(), st.st_mode & 07777) == 0;
}

bool MakeShortcut(const std::string& link, const std::string& target, const std::string&) {
  const std::string name = SystemName(link);
  std::string to = SystemName(target);
  if (name.empty() || to.empty()) return false;
  to = Absolute(to);
  struct stat st;
  if (lstat(name.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) unlink(name.c_str());
  return symlink(to.c_str(), name.c_str()) == 0;
}

std::string ResolvedPath(const std::string& path) {
  std::string name = SystemName(path);
  if (name.empty()) return path;
  name = Absolute(name);
  // Resolve the longest leading part that exists; the rest is appended as written. A
  // part resolves only when every part before it does, so the longest is found by
  // halving, in a few calls however many components a path has; a part as long as the
  // system's limit on names never resolves.
  std::vector<std::size_t> ends;  // where each leading part ends
  for (std::size_t i = 1; i < name.size() && i < PATH_MAX; ++i)
    if (name[i] == '/' && name[i - 1] != '/') ends.push_back(i);
  if (name.size() < PATH_MAX && name.back() != '/') ends.push_back(name.size());
  const auto resolve = [&name](std::size_t end) -> std::optional<std::string> {
    char* real = realpath(name.substr(0, end).c_str(), nullptr);
    if (!real) return std::nullopt;
    std::string result = real;
    std::free(real);
    return result;
  };
  std::optional<std::string> head = resolve(1);  // the root
  std::size_t resolved = 1, low = 0, high = ends.size();
  while (head && low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (std::optional<std::string> real = resolve(ends[middle])) {
      head = std::move(real);
      resolved = ends[middle];
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  if (!head) return RuntimeName(name);
  std::string result = std::move(*head);
  for (std::size_t i = resolved; i < name.size();) {
    const std::size_t next = std::min(name.find('/', i), name.size());
    if (next > i) {
      if (result.back() != '/') result += '/';
      result.append(name, i, next - i);
    }
    i = next + 1;
  }
  return RuntimeName(result);
}

std::optional<std::string> StoredName(const std::string& path) {
  const std::string name = SystemName(path);
  struct stat st;
  if (name.empty() || lstat(name.c_str(), &st) != 0) return std::nullopt;
  return RuntimeName(LastComponent(name));
}

std::string ShortPath(const std::string& path) { return path; }

DriveKind DriveType(const std::string& root) {
  struct statfs fs;
  const std::string name = SystemName(root);
  if (name.empty() || statfs(name.c_str(), &fs) != 0) return DriveKind::Missing;
  switch (static_cast<unsigned long>(fs.f_type)) {
    case 0x6969:      // NFS
    case 0xFF534D42:  // CIFS
    case 0xFE534D42:  // SMB2
    case 0x517B:      // SMB
      return DriveKind::Remote;
    case 0x01021994:  // tmpfs
    case 0x858458F6:  // ramfs
      return DriveKind::RamDisk;
    case 0x9660:      // ISO 9660
    case 0x15013346:  // UDF
      return DriveKind::CdRom;
    default:
      return DriveKind::Fixed;
  }
}

std::string LastErrorText() { return RuntimeName(std::strerror(errno)); }

}  // namespace pirune::platform
