// Listing folders and asking about paths.
#include <cstdio>

#include "engine/command_api.h"
#include "library/files/file_names.h"
#include "library/files/listing.h"
#include "library/files/reading_search.h"
#include "library/strings/text_model.h"
#include "platform/files.h"

namespace pirune {
namespace {

// The ";"-separated patterns of an argument.
std::vector<std::string> Patterns(const std::string& argument) {
  std::vector<std::string> patterns;
  std::size_t start = 0;
  for (;;) {
    const std::size_t semicolon = argument.find(';', start);
    std::string pattern = argument.substr(start, semicolon - start);
    if (!pattern.empty()) patterns.push_back(std::move(pattern));
    if (semicolon == std::string::npos) return patterns;
    start = semicolon + 1;
  }
}

void ListNames(TCommand& c, bool folders) {
  const std::string argument = c.Text(0);
  if (argument.empty()) return;
  std::string out;
  for (const auto& pattern : Patterns(argument)) {
    const files::TListing listing = files::ListPattern(pattern);
    for (const auto& name : folders ? listing.folders : listing.files) out += name + "\r\n";
  }
  c.ResultKeepingMark(std::move(out));
}

void ListFiles(TCommand& c) { ListNames(c, false); }
void ListFolders(TCommand& c) { ListNames(c, true); }

void ListTrees(TCommand& c, bool folders) {
  const std::string argument = text::TrimBlanks(c.Text(0));
  if (argument.empty()) return;
  std::string out;
  for (const auto& pattern : Patterns(argument)) out += files::ListTree(pattern, folders);
  c.Result(std::move(out));
}

void ListAllFiles(TCommand& c) { ListTrees(c, false); }
void ListAllFolders(TCommand& c) { ListTrees(c, true); }

// A path that does not exist answers as a folder would: every bit set.
bool FolderBit(const std::string& path) {
  const auto status = platform::Status(path);
  return !status || status->folder;
}

void IsFolder(TCommand& c) { c.ResultFlag(FolderBit(text::TrimBlanks(c.Text(0)))); }
void IsFile(TCommand& c) { c.ResultFlag(!FolderBit(text::TrimBlanks(c.Text(0)))); }

void Exists(TCommand& c) {
  const std::string path = text::TrimBlanks(c.Text(0));
  const auto status = platform::Status(path);
  c.ResultFlag(status && status->folder == files::EndsWithSeparator(path));
}

void Attributes(TCommand& c) {
  const std::string path = files::FindForReading(c, c.Text(0));
  const auto status = platform::Status(path);
  if (!status) c.Fail("ファイル『" + path + "』が見つかりません。");
  c.ResultInteger(status->attributes);
}

std::optional<platform::FileStatus> Found(TCommand& c) {
  const std::string name = c.Text(0);
  auto status = platform::Status(files::FindForReading(c, name));
  if (!status) c.Fail("ファイル\"" + name + "\"の、読み込みか書き込みに、失敗しました。");
  return status;
}

void Time(TCommand& c) {
  const platform::LocalTime t = Found(c)->modified;
  char text[32];
  // The two-second steps of the date stamp the command has always reported.
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second & ~1);
  c.Result(text);
}

void Size(TCommand& c) { c.Result(std::to_string(Found(c)->size)); }

void DriveType(TCommand& c) {
  std::string root = text::TrimBlanks(c.Text(0));
  if (root.size() == 1) root += ":\\";
  static const char* const kinds[] = {"存在しない", "リムーバブルディスク", "固定", "リモート", "CD-ROM", "RAMディスク", "判別不能"};
  c.Result(kinds[static_cast<int>(platform::DriveType(root))]);
}

}  // namespace

std::span<const CommandBinding> ListingCommands() {
  static const CommandBinding commands[] = {
      {"ファイル列挙", ListFiles},     {"フォルダ列挙", ListFolders},   {"全ファイル列挙", ListAllFiles},
      {"全フォルダ列挙", ListAllFolders}, {"フォルダか", IsFolder},       {"ファイルか", IsFile},
      {"存在するか", Exists},          {"ファイル属性取得", Attributes}, {"ファイル日時", Time},
      {"ファイルサイズ", Size},        {"ドライブ種類判定", DriveType},
  };
  return commands;
}

}  // namespace pirune
