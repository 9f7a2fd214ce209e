#include "startup/security.h"

#include <vector>

#include "engine/command_api.h"
#include "gui/host.h"
#include "library/files/file_names.h"
#include "library/ini_file.h"
#include "platform/files.h"
#include "platform/platform.h"

namespace pirune {
namespace {

constexpr std::int32_t kLow = 0, kMiddle = 1, kHigh = 2;

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

// security.ini beside the program names the program's section by its file name; the
// one beside the runtime, by the program's path as it was given.
std::int32_t DecideLevel(const TSecurityContext& context) {
  std::optional<std::string> value;
  const std::string beside_program = context.program_folder + "security.ini";
  const std::string beside_runtime = files::FolderOf(platform::RuntimePath()) + "security.ini";
  if (platform::FileExists(beside_program))
    value = ini::ReadValue(beside_program, files::NameOf(context.program_file), "security");
  else if (platform::FileExists(beside_runtime))
    value = ini::ReadValue(beside_runtime, context.program_file, "security");
  if (!value || value->empty()) return kMiddle;
  switch (AsciiUpper((*value)[0])) {
    case 'H': return kHigh;
    case 'L': return kLow;
    default: return kMiddle;
  }
}

bool NamesSecuritySettings(const std::string& written, const std::string& resolved) {
  return SameIgnoringCase(files::NameOf(written), "security.ini") ||
         SameIgnoringCase(files::NameOf(resolved), "security.ini");
}

// Inside by whole components: C:\prog does not hold C:\program. Windows compares names
// with case ignored.
bool Inside(const std::string& path, const std::string& folder) {
  std::string base = folder;
  while (files::EndsWithSeparator(base) && base.size() > 1) base.pop_back();
  if (path.size() < base.size()) return false;
  const std::string_view head(path.data(), base.size());
  const bool same = files::SlashSeparates() ? head == base : SameIgnoringCase(head, base);
  if (!same) return false;
  if (path.size() == base.size()) return true;
  return files::EndsWithSeparator(base) || path[base.size()] == '\\' ||
         (files::SlashSeparates() && path[base.size()] == '/');
}

}  // namespace

bool CheckSecurity(TSecurityContext context, const std::vector<std::string>& paths, const std::string& question) {
  if (context.level < 0) context.level = DecideLevel(context);
  if (context.level == kHigh) return false;

  // What each path touches: resolved as the command resolves it (against the current
  // folder), with "..", "." and links followed, so no spelling leads out unseen.
  const std::string folder = platform::ResolvedPath(context.program_folder.empty() ? "." : context.program_folder);
  bool inside = true;
  for (const std::string& path : paths) {
    if (path.find('*') != std::string::npos) {
      inside = false;
      continue;
    }
    const std::string resolved = platform::ResolvedPath(path);
    if (NamesSecuritySettings(path, resolved)) {
      if (context.host) context.host->ShowMessage("このプログラムは、\"security.ini\"を、操作出来ません！", "セキュリティの警告");
      return false;
    }
    if (!Inside(resolved, folder)) inside = false;
  }
  if (context.level == kLow || inside) return true;

  if (!context.host) return false;
  switch (context.host->SelectButton(question, {"はい", "いいえ", "全てはい", "全ていいえ"})) {
    case 0: return true;
    case 2: context.level = kLow; return true;
    case 3: context.level = kHigh; return false;
    default: return false;
  }
}

bool SecurityAllows(const TCommand& c, const std::vector<std::string>& paths, const std::string& question) {
  return CheckSecurity({c.SecurityLevel(), c.ProgramFolder(), c.ProgramFile(), c.host()}, paths, question);
}

std::int32_t SecurityLevel(const TCommand& c) {
  std::int32_t& level = c.SecurityLevel();
  if (level < 0) level = DecideLevel({level, c.ProgramFolder(), c.ProgramFile(), c.host()});
  return level;
}

}  // namespace pirune
