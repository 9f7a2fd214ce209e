#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/cp932.h"
#include "platform/replace_file.h"

namespace pirune::platform {
namespace {

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<std::size_t>(wrote);
  }
  return true;
}

// The mode a new file gets: the process's umask is only readable by setting it.
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool ReplaceFileContent(const std::string& path, const std::string& bytes) {
  std::string target = cp932::ToUtf8(path);
  // Through a symbolic link the file it names changes; replacing the link itself would
  // cut it off from that file.
  struct stat st;
  if (lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char* real = realpath(target.c_str(), nullptr);
    if (real != nullptr) {
      target = real;
      std::free(real);
    }
  }
  const bool existed = stat(target.c_str(), &st) == 0;
  if (existed && !S_ISREG(st.st_mode)) return false;

  const std::size_t slash = target.rfind('/');
  std::string temp = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + ".pirune-XXXXXX";
  const int fd = mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fchmod(fd, existed ? st.st_mode & 07777 : NewFileMode()) == 0;
  // Another owner's file keeps its owner where we may give it; where we may not, the
  // content still changes as the user asked.
  if (ok && existed && (st.st_uid != geteuid() || st.st_gid != getegid())) (void)!fchown(fd, st.st_uid, st.st_gid);
  ok = ok && WriteAll(fd, bytes) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) unlink(temp.c_str());
  return ok;
}

}  // namespace pirune::platform
