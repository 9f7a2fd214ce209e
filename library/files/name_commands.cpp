// Taking file names apart, and the system's short and long forms of a path.
#include "engine/command_api.h"
#include "library/files/file_names.h"
#include "library/files/reading_search.h"
#include "platform/files.h"
#include "platform/platform.h"

namespace pirune {
namespace {

void FolderPart(TCommand& c) { c.Result(files::FolderOf(c.Text(0))); }
void NamePart(TCommand& c) { c.Result(files::NameOf(c.Text(0))); }
void ExtensionPart(TCommand& c) { c.Result(files::ExtensionOf(c.Text(0))); }

void ChangeExtension(TCommand& c) {
  const std::string path = c.Text(0);
  c.Result(files::WithExtension(path, c.Text(1)));
}

void ShortName(TCommand& c) {
  std::string path = platform::ShortPath(files::FindForReading(c, c.Text(0)));
  if (path.size() > 255) path.resize(255);
  c.Result(std::move(path));
}

// Each component by the name the system stores for it, from the last back to the root.
void LongName(TCommand& c) {
  std::string path = files::FindForReading(c, c.Text(0));
  if (!files::IsAbsolute(path)) path = files::Join(platform::CurrentFolder(), path);
  std::string result;
  for (;;) {
    const std::size_t start = files::NameStart(path);
    if (start < 3) break;
    const std::string name = platform::StoredName(path).value_or(path.substr(start));
    result = path[start - 1] + name + result;
    path.resize(start - 1);
  }
  c.Result(path + result);
}

void Expand(TCommand& c) {
  const std::string relative = c.Text(0);
  c.Result(files::ExpandRelative(relative, c.Text(1)));
}

}  // namespace

std::span<const CommandBinding> FileNameCommands() {
  static const CommandBinding commands[] = {
      {"パスを切り出す", FolderPart},        {"ファイル名を切り出す", NamePart},
      {"拡張子を切り出す", ExtensionPart},   {"拡張子変更", ChangeExtension},
      {"短いファイル名取得", ShortName},     {"長いファイル名取得", LongName},
      {"絶対パス展開", Expand},
  };
  return commands;
}

}  // namespace pirune
