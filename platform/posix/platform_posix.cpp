// The POSIX side of the platform seam. File names on these systems are UTF-8 by
// convention, so Shift_JIS names are converted on the way in and back on the way out.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

#include "platform/cp932.h"
#include "platform/platform.h"
#include "platform/posix/names.h"

namespace pirune::platform {
namespace {

std::vector<std::string>& Arguments() {
  static std::vector<std::string> arguments;
  return arguments;
}

std::string Native(const std::string& sjis) { return posix::SystemName(sjis); }

// A name that is not UTF-8, or holds what Shift_JIS cannot, is still better passed on
// as it is than lost: it may still reach the system unchanged (ASCII parts at least).
std::string FromNative(const std::string& utf8) {
  auto sjis = cp932::FromUtf8(utf8);
  return sjis ? std::move(*sjis) : utf8;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

int OpenRetrying(const std::string& path, int flags, mode_t mode = 0) {
  int fd;
  do fd = open(path.c_str(), flags | O_CLOEXEC, mode);
  while (fd < 0 && errno == EINTR);
  return fd;
}

}  // namespace

void SetCommandLineArguments(std::vector<std::string> arguments) { Arguments() = std::move(arguments); }

const std::vector<std::string>& CommandLineArguments() { return Arguments(); }

std::optional<std::string> ReadFileBytes(const std::string& path) {
  Descriptor file(OpenRetrying(Native(path), O_RDONLY));
  if (file.get() < 0) return std::nullopt;
  // A folder opens for reading here, unlike on Windows; it is still no file.
  struct stat st;
  if (fstat(file.get(), &st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;

  std::string bytes;
  if (S_ISREG(st.st_mode) && st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));
  // Read to the end rather than trusting the size: the file may grow meanwhile, and
  // pipes and devices report none.
  char chunk[64 * 1024];
  for (;;) {
    const ssize_t got = read(file.get(), chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    bytes.append(chunk, static_cast<std::size_t>(got));
  }
  return bytes;
}

bool AppendToFile(const std::string& path, const std::string& bytes) {
  // O_APPEND puts every write at the current end, even when another process appends
  // to the same file.
  Descriptor file(OpenRetrying(Native(path), O_WRONLY | O_APPEND | O_CREAT, 0666));
  if (file.get() < 0) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = write(file.get(), bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<std::size_t>(wrote);
  }
  return true;
}

bool FileExists(const std::string& path) {
  // A folder is not a file: scripts ask this before reading.
  struct stat st;
  return stat(Native(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string RuntimePath() {
  // readlink tells neither the length nor whether it truncated: grow until the result
  // leaves room to spare.
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0) return std::string();
    if (static_cast<std::size_t>(length) < buffer.size()) {
      buffer.resize(static_cast<std::size_t>(length));
      return FromNative(buffer);
    }
    if (buffer.size() >= (1u << 20)) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

std::string CurrentFolder() {
  std::string buffer(256, '\0');
  for (;;) {
    if (getcwd(buffer.data(), buffer.size()) != nullptr) {
      buffer.resize(buffer.find('\0'));
      return FromNative(buffer);
    }
    if (errno != ERANGE || buffer.size() >= (1u << 20)) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

bool SetCurrentFolder(const std::string& path) { return chdir(Native(path).c_str()) == 0; }

std::string TempFolder() {
  const char* dir = std::getenv("TMPDIR");
  std::string folder = dir != nullptr && *dir != '\0' ? dir : "/tmp";
  if (folder.back() != '/') folder += '/';
  return FromNative(folder);
}

char PathSeparator() { return '/'; }

}  // namespace pirune::platform
