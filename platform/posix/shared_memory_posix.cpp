#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>

#include "platform/cp932.h"
#include "platform/shared_memory.h"

namespace pirune::platform {
namespace {

std::string& Space() {
  static std::string space;
  return space;
}

// Object names are one path component after "/": a "/" inside the name is escaped, and
// so is the escape character itself, so different names stay different.
std::string ObjectName(const std::string& name) {
  std::string object = "/";
  for (char c : cp932::ToUtf8(Space() + name)) {
    if (c == '/') object += "%2F";
    else if (c == '%') object += "%25";
    else object += c;
  }
  return object;
}

// The blocks this program made disappear with it, as the system's do on Windows.
std::set<std::string>& Made() {
  static std::set<std::string> made;
  return made;
}

void RemoveMade() {
  for (const auto& object : Made()) shm_unlink(object.c_str());
}

}  // namespace

void ReleaseOwnSharedBlocks() {
  RemoveMade();
  Made().clear();
}

void SetSharedBlockSpace(std::string space) { Space() = std::move(space); }

bool WriteSharedBlock(const std::string& name, const std::string& text) {
  const std::string object = ObjectName(name);
  bool made = false;
  int fd = shm_open(object.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd >= 0) made = true;
  else fd = shm_open(object.c_str(), O_RDWR | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  struct stat st;
  bool ok = fstat(fd, &st) == 0 && (st.st_size >= static_cast<off_t>(kSharedBlockSize) ||
                                    ftruncate(fd, kSharedBlockSize) == 0);
  void* block = ok ? mmap(nullptr, kSharedBlockSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0) : MAP_FAILED;
  close(fd);
  if (block == MAP_FAILED) {
    if (made) shm_unlink(object.c_str());
    return false;
  }
  const std::size_t length = std::min(text.size(), kSharedBlockSize);
  std::memcpy(block, text.data(), length);
  if (length < kSharedBlockSize) static_cast<char*>(block)[length] = '\0';
  munmap(block, kSharedBlockSize);
  if (made) {
    Made().insert(object);
    // Registered once the list exists: handlers and destructors run in the reverse order
    // of their registration, so the list is still there when the handler reads it.
    static const bool removed_at_exit = std::atexit(RemoveMade) == 0;
    (void)removed_at_exit;
  }
  return true;
}

std::optional<std::string> ReadSharedBlock(const std::string& name) {
  const int fd = shm_open(ObjectName(name).c_str(), O_RDONLY | O_CLOEXEC, 0);
  if (fd < 0) return std::nullopt;
  struct stat st;
  const std::size_t size = fstat(fd, &st) == 0 && st.st_size > 0
                               ? std::min(static_cast<std::size_t>(st.st_size), kSharedBlockSize)
                               : 0;
  void* block = size > 0 ? mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0) : MAP_FAILED;
  close(fd);
  if (block == MAP_FAILED) return std::nullopt;
  const char* bytes = static_cast<const char*>(block);
  std::string text(bytes, std::find(bytes, bytes + size, '\0'));
  munmap(block, size);
  return text;
}

}  // namespace pirune::platform
