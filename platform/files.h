// Files and folders at the system's level: the calls behind the file commands. Names are
// Shift_JIS; each side converts them at the boundary (POSIX: UTF-8 with "\" turned into
// "/", a name holding a zero byte names nothing; Windows: the wide calls).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace pirune::platform {

// Attribute bits as scripts see them.
enum : unsigned {
  kAttributeReadOnly = 1,
  kAttributeHidden = 2,
  kAttributeFolder = 16,
  kAttributeArchive = 32,
  kAttributeNormal = 128,
};

struct FileStatus {
  bool folder = false;
  bool link = false;  // the name itself is a symbolic link (a reparse point on Windows)
  std::uint64_t size = 0;
  unsigned attributes = 0;
  LocalTime modified{};  // last write, local time
};
// What the path names (a link followed); nothing when nothing is there.
std::optional<FileStatus> Status(const std::string& path);

struct FolderEntry {
  std::string name;  // a character Shift_JIS lacks shows as "?"
  bool folder = false;  // a link counts as what it leads to
  bool link = false;
};
// A folder's entries without "." and "..", in the system's order; nothing when the
// folder cannot be read.
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder);

// An open file; closed when it goes.
class File {
 public:
  enum class Access { Read, Write, ReadWrite };
  // What others may do meanwhile (Windows; POSIX has no mandatory sharing).
  enum class Share { All, Exclusive, DenyWrite, DenyRead };

  File() = default;
  ~File() { Close(); }
  File(File&& other) noexcept : handle_(other.handle_) { other.handle_ = -1; }
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens an existing file, or with `create` makes it when missing; `truncate` empties it.
  bool Open(const std::string& path, Access access, bool create, bool truncate, Share share = Share::All);
  // Makes a new file for writing; fails when the name is taken.
  bool CreateNew(const std::string& path);
  bool IsOpen() const { return handle_ != -1; }
  // Up to `size` bytes from the file position; the count read (0 at the end), -1 on failure.
  std::int64_t Read(char* into, std::size_t size);
  // All of the bytes at the file position.
  bool Write(std::string_view bytes);
  bool Seek(std::int64_t offset);
  bool SeekEnd();
  std::int64_t Size();
  // Down to the disk, so a rename that follows cannot expose an unwritten file.
  bool Flush();
  bool Truncate(std::int64_t size);
  void Close();

 private:
  std::intptr_t handle_ = -1;
};

// Puts `from` in the place of `to` in one step, replacing it.
bool ReplaceWith(const std::string& from, const std::string& to);
// Renames; fails when `to` exists.
bool RenameNew(const std::string& from, const std::string& to);
bool RemoveFile(const std::string& path);
// To the desktop's trash where there is one on the same disk, else deleted.
bool MoveToTrash(const std::string& path);
bool MakeFolder(const std::string& path);
// Only an empty folder.
bool RemoveFolder(const std::string& path);
// The bits of the attribute value that this system can set.
bool SetAttributeBits(const std::string& path, unsigned attributes);
// Gives `to` the access rights and attributes of `from` (a replaced file keeps them),
// and on POSIX its owner where the process may give it.
bool CopyAttributes(const std::string& from, const std::string& to);
// A shortcut at `link` to `target`, starting in `folder` (POSIX: a symbolic link).
bool MakeShortcut(const std::string& link, const std::string& target, const std::string& folder);
// The absolute path with every link and "." or ".." resolved, as far as it exists; the
// rest is appended as written.
std::string ResolvedPath(const std::string& path);
// The name the system stores for the last component, or nothing (long names).
std::optional<std::string> StoredName(const std::string& path);
// The system's short (8.3) form, or the path itself where there is none.
std::string ShortPath(const std::string& path);

enum class DriveKind { Missing, Removable, Fixed, Remote, CdRom, RamDisk, Unknown };
DriveKind DriveType(const std::string& root);

// The system's message for the last failed call.
std::string LastErrorText();

}  // namespace pirune::platform
