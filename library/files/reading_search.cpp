#include "library/files/reading_search.h"

#include "library/files/file_names.h"
#include "platform/files.h"
#include "platform/platform.h"

namespace pirune::files {
namespace {

PackedLookup packed_lookup = nullptr;

}  // namespace

void SetPackedLookup(PackedLookup lookup) { packed_lookup = lookup; }

std::string SearchFolders(const std::string& name, const std::vector<std::string>& folders) {
  if (name.find(':') != std::string::npos || (SlashSeparates() && !name.empty() && name[0] == '/')) return name;
  for (const std::string& folder : folders) {
    if (folder.empty()) continue;
    const std::string path = Join(folder, name);
    if (platform::FileExists(path)) return path;
  }
  return name;
}

std::string FindForReading(const TCommand& c, const std::string& name) {
  if (packed_lookup)
    if (auto extracted = packed_lookup(name)) return *extracted;
  return SearchFolders(name, {platform::CurrentFolder(), c.ProgramFolder(), FolderOf(platform::RuntimePath()),
                              platform::KnownFolder(platform::Folder::Windows),
                              platform::KnownFolder(platform::Folder::System), FolderOf(c.ProgramFile())});
}

std::string InProgramFolder(const TCommand& c, const std::string& path) {
  if (IsAbsolute(path)) return path;
  return c.ProgramFolder() + path;
}

}  // namespace pirune::files
