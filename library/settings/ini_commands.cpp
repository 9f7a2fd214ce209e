// Settings files: one open file, whose values are read and written one at a time.
#include <optional>
#include <string>

#include "engine/command_api.h"
#include "library/ini_file.h"
#include "library/settings/value_mark.h"
#include "platform/platform.h"

namespace pirune {
namespace {

// The open settings file, for the rest of the run.
std::optional<std::string>& OpenFile() {
  static std::optional<std::string> file;
  return file;
}

std::string ReadWriteFailure(const std::string& name) {
  return "ファイル\"" + name + "\"の、読み込みか書き込みに、失敗しました。";
}

std::string InCurrentFolder(const std::string& name) {
  const char separator = platform::PathSeparator();
  if (name.find(":\\") != std::string::npos || name.compare(0, 2, "\\\\") == 0 || (separator == '/' && name[0] == '/'))
    return name;
  std::string folder = platform::CurrentFolder();
  if (!folder.empty() && folder.back() != separator) folder += separator;
  return folder + name;
}

const std::string& RequireOpenFile(const TCommand& c) {
  if (!OpenFile()) c.Fail("\"" + c.Name() + "\"予めINIファイルを開いておく必要があります。");
  return *OpenFile();
}

void Open(TCommand& c) {
  const std::string name = c.Text(0);
  if (name.empty()) c.ArgumentError();
  const std::string path = InCurrentFolder(name);
  if (platform::FileExists(path)) {
    if (!platform::ReadFileBytes(path)) c.Fail(ReadWriteFailure(path));
  }
  OpenFile() = path;
}

void Close(TCommand&) { OpenFile().reset(); }

void Write(TCommand& c) {
  const std::string value = c.Text(0);
  const std::string section = c.Text(1);
  const std::string key = c.Text(2);
  const std::string& file = RequireOpenFile(c);
  if (!ini::WriteValue(file, section, key, value))
    c.Fail("INIファイル書き込みに失敗。ファイル名=" + file + " キー名=" + key + " セクション=" + section);
}

void Read(TCommand& c) {
  const std::string section = c.Text(1);
  const std::string key = c.Text(2);
  const std::string& file = RequireOpenFile(c);
  std::string value = ini::ReadValue(file, section, key).value_or("");
  THashNode& target = c.Word(0, true);
  target.SetMark(settings::MarkOfValue(value));
  target.SetValue(std::move(value));
}

}  // namespace

std::span<const CommandBinding> IniCommands() {
  static const CommandBinding commands[] = {
      {"INIファイル開く", Open}, {"INIファイル閉じる", Close}, {"INIファイル書く", Write}, {"INIファイル読む", Read}};
  return commands;
}

}  // namespace pirune
