// Copying, moving, renaming and deleting files, attributes and shortcuts.
#include "engine/command_api.h"
#include "library/file_writer.h"
#include "library/files/file_names.h"
#include "library/files/listing.h"
#include "library/files/reading_search.h"
#include "library/strings/text_model.h"
#include "platform/files.h"
#include "startup/security.h"

namespace pirune {
namespace {

bool IsPattern(std::string_view path) { return path.find_first_of("*?") != std::string_view::npos; }

bool IsFolder(const std::string& path) {
  const auto status = platform::Status(path);
  return status && status->folder;
}

// The files a name stands for: the matches of a pattern, or the name itself.
std::vector<std::string> Sources(const std::string& source) {
  if (!IsPattern(source)) return {source};
  const files::TListing listing = files::ListPattern(source);
  std::vector<std::string> paths;
  for (const auto& name : listing.files) paths.push_back(listing.folder + name);
  return paths;
}

// Where a file goes: into the target when it is a folder (or is written as one, or
// several files go there), else to the target itself.
std::string Destination(const std::string& source, const std::string& target, bool several) {
  if (several || files::EndsWithSeparator(target) || IsFolder(target)) return files::Join(target, files::NameOf(source));
  return target;
}

bool CopyOneFile(const std::string& from, const std::string& to) {
  platform::File source;
  if (!source.Open(from, platform::File::Access::Read, false, false)) return false;
  files::MakeFolders(files::FolderOf(to));
  return WriteFileSafely(to, [&source](platform::File& out) {
    char chunk[64 * 1024];
    for (;;) {
      const std::int64_t got = source.Read(chunk, sizeof chunk);
      if (got < 0) return false;
      if (got == 0) return true;
      if (!out.Write(std::string_view(chunk, static_cast<std::size_t>(got)))) return false;
    }
  });
}

void Copy(TCommand& c) {
  const std::string written = text::TrimBlanks(c.Text(0));
  const std::string source = IsPattern(written) ? written : files::FindForReading(c, written);
  const std::string target = text::TrimBlanks(c.Text(1));
  if (!SecurityAllows(c, {target}, "\"" + target + "\"へコピーします。")) return;
  const auto sources = Sources(source);
  bool ok = !sources.empty();
  for (const auto& from : sources) ok = CopyOneFile(from, Destination(from, target, IsPattern(source))) && ok;
  if (!ok)
    c.Fail("ファイルのコピーに失敗しました。\r\nコピー元: " + written + "\r\nコピー先: " + target);
}

void Delete(TCommand& c) {
  const std::string path = files::InProgramFolder(c, text::TrimBlanks(c.Text(0)));
  const auto files = Sources(path);
  if (!SecurityAllows(c, files.empty() ? std::vector<std::string>{path} : files,
                      "ファイル\"" + path + "\"を、削除します。"))
    return;
  for (const auto& file : files) platform::MoveToTrash(file);
}

void DeleteForGood(TCommand& c) {
  const std::string path = files::InProgramFolder(c, files::FindForReading(c, text::TrimBlanks(c.Text(0))));
  if (!SecurityAllows(c, {path}, "ファイル\"" + path + "\"を、完全に削除します。")) return;
  platform::RemoveFile(path);
}

void Rename(TCommand& c) {
  const std::string from = text::TrimBlanks(c.Text(0));
  const std::string to = text::TrimBlanks(c.Text(1));
  if (!SecurityAllows(c, {from, to}, "ファイル名\"" + from + "\"を、\r\n\"" + to + "\"に、改名します。")) return;
  if (!platform::RenameNew(from, to))
    c.Fail("ファイル\"" + from + "\"の、読み込みか書き込みに、失敗しました。ファイル名の変更");
}

// A rename where the disk allows it; across disks a copy and a deletion.
void MoveOne(const std::string& from, const std::string& to) {
  files::MakeFolders(files::FolderOf(to));
  if (platform::ReplaceWith(from, to)) return;
  if (!IsFolder(from) && CopyOneFile(from, to)) platform::RemoveFile(from);
}

void Move(TCommand& c) {
  const std::string written = text::TrimBlanks(c.Text(0));
  const std::string source = IsPattern(written) ? written : files::FindForReading(c, written);
  const std::string target = text::TrimBlanks(c.Text(1));
  std::vector<std::string> touched = Sources(source);
  touched.push_back(target);
  if (!SecurityAllows(c, touched, "\"" + source + "\"を,\"" + target + "\"へ移動しますか？")) return;
  touched.pop_back();
  for (const auto& from : touched) MoveOne(from, Destination(from, target, IsPattern(source)));
}

void Shortcut(TCommand& c) {
  const std::string target = files::FindForReading(c, text::TrimBlanks(c.Text(0)));
  std::string link = text::TrimBlanks(c.Text(1));
  if (files::EndsWithSeparator(link)) link += files::NameOf(target);
  if (files::ExtensionOf(link) != ".lnk") link = files::WithExtension(link, ".lnk");
  if (!SecurityAllows(c, {link}, "ショートカット\"" + link + "\"を作成します。")) return;
  platform::MakeShortcut(link, target, files::FolderOf(target));
}

void SetAttributes(TCommand& c) {
  const std::string path = files::FindForReading(c, text::TrimBlanks(c.Text(0)));
  constexpr std::int32_t kNotANumber = INT32_MIN;
  const std::int32_t attributes = text::PlainInteger(c.Text(1), kNotANumber);
  if (attributes == kNotANumber) return;
  if (!SecurityAllows(c, {path}, "\"" + path + "\"のファイル属性変更をしますか？")) return;
  platform::SetAttributeBits(path, static_cast<unsigned>(attributes));
}

}  // namespace

std::span<const CommandBinding> FileChangeCommands() {
  static const CommandBinding commands[] = {
      {"ファイルコピー", Copy},          {"ファイル削除", Delete},  {"ファイル完全削除", DeleteForGood},
      {"ファイル名変更", Rename},        {"ファイル移動", Move},    {"ショートカット作成", Shortcut},
      {"ファイル属性変更", SetAttributes},
  };
  return commands;
}

}  // namespace pirune
