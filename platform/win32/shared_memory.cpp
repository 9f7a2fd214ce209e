#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

#include "platform/shared_memory.h"
#include "platform/win32/wide.h"

namespace pirune::platform {
namespace {
// A mapping lives while a handle to it is open: the blocks this program wrote are kept
// open until it ends.
std::map<std::wstring, HANDLE>& Kept() {
  static std::map<std::wstring, HANDLE> kept;
  return kept;
}

std::string& Space() {
  static std::string space;
  return space;
}

std::wstring MappingName(const std::string& name) { return win32::Widen(Space() + name); }
}  // namespace

void SetSharedBlockSpace(std::string space) { Space() = std::move(space); }

void ReleaseOwnSharedBlocks() {
  for (const auto& [name, mapping] : Kept()) CloseHandle(mapping);
  Kept().clear();
}

bool WriteSharedBlock(const std::string& name, const std::string& text) {
  const std::wstring wide = MappingName(name);
  HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSharedBlockSize, wide.c_str());
  if (mapping == nullptr) return false;
  void* block = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, kSharedBlockSize);
  if (block == nullptr) {
    CloseHandle(mapping);
    return false;
  }
  const std::size_t length = std::min(text.size(), kSharedBlockSize);
  std::memcpy(block, text.data(), length);
  if (length < kSharedBlockSize) static_cast<char*>(block)[length] = '\0';
  UnmapViewOfFile(block);
  if (!Kept().emplace(wide, mapping).second) CloseHandle(mapping);
  return true;
}

std::optional<std::string> ReadSharedBlock(const std::string& name) {
  HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, MappingName(name).c_str());
  if (mapping == nullptr) return std::nullopt;
  std::optional<std::string> text;
  if (const void* block = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0)) {
    // Another program's block may be smaller than ours.
    MEMORY_BASIC_INFORMATION info;
    std::size_t size = kSharedBlockSize;
    if (VirtualQuery(block, &info, sizeof info) != 0) size = std::min(size, static_cast<std::size_t>(info.RegionSize));
    const char* bytes = static_cast<const char*>(block);
    text.emplace(bytes, std::find(bytes, bytes + size, '\0'));
    UnmapViewOfFile(block);
  }
  CloseHandle(mapping);
  return text;
}

}  // namespace pirune::platform
