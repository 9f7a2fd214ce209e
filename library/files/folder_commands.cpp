// The working folder, and making and deleting folders.
#include "engine/command_api.h"
#include "library/files/file_names.h"
#include "library/files/listing.h"
#include "library/strings/text_model.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "startup/security.h"

namespace pirune {
namespace {

void ChangeFolder(TCommand& c, std::size_t slot) {
  const std::string folder = text::TrimBlanks(c.Text(slot));
  if (!platform::SetCurrentFolder(folder))
    c.Fail("\"" + c.Name() + "\"で作業フォルダの変更に失敗。理由は、" + platform::LastErrorText());
}

void ChangeWorkingFolder(TCommand& c) { ChangeFolder(c, 0); }

// "作業フォルダ" changes the folder when given one; left out (or as "作業ディレクトリ",
// which takes none) it tells the folder.
void WorkingFolder(TCommand& c) {
  if (c.Count() > 0 && !c.Defaulted()) return ChangeFolder(c, 0);
  std::string folder = platform::CurrentFolder();
  if (!files::EndsWithSeparator(folder)) folder += files::SeparatorOf(folder);
  c.Result(std::move(folder));
}

void MakeFolder(TCommand& c) {
  const std::string path = text::TrimBlanks(c.Text(0));
  if (path.empty()) c.ArgumentError("引数を指定してください。");
  if (!SecurityAllows(c, {path}, "\"" + path + "\\\" にフォルダを作成します。")) return;
  files::MakeFolders(path);
}

void DeleteFolder(TCommand& c) {
  const std::string pattern = text::TrimBlanks(c.Text(0));
  if (pattern.empty()) return;
  // What goes: the pattern's folder and its matches.
  const files::TListing listing = files::ListPattern(pattern);
  std::vector<std::string> touched{listing.folder.empty() ? pattern : listing.folder};
  for (const auto* names : {&listing.files, &listing.folders})
    for (const auto& name : *names) touched.push_back(listing.folder + name);
  if (!SecurityAllows(c, touched, "フォルダ\"" + pattern + "\"を、削除します。")) return;
  files::DeleteByPattern(pattern);
}

}  // namespace

std::span<const CommandBinding> FolderCommands() {
  static const CommandBinding commands[] = {
      {"作業フォルダ変更", ChangeWorkingFolder},
      {"作業フォルダ", WorkingFolder},
      {"フォルダ作成", MakeFolder},
      {"フォルダ削除", DeleteFolder},
  };
  return commands;
}

}  // namespace pirune
