// Settings files: one open file, whose values are read and written one at a time; and
// the main window's placement recorded in such a file.
#include <charconv>
#include <memory>
#include <optional>
#include <string>

#include "engine/command_api.h"
#include "gui/host.h"
#include "library/files/file_names.h"
#include "library/ini_file.h"
#include "library/settings/value_mark.h"
#include "platform/platform.h"
#include "startup/security.h"

namespace pirune {
namespace {

// The open settings file, for the rest of the run.
struct OpenSettingsFile : TRunResource {
  std::optional<std::string> file;
};

std::optional<std::string>& OpenFile(const TCommand& c) {
  auto& slot = c.RunResource("settings.file");
  if (!slot) slot = std::make_unique<OpenSettingsFile>();
  return static_cast<OpenSettingsFile&>(*slot).file;
}

std::string ReadWriteFailure(const std::string& name) {
  return "ファイル\"" + name + "\"の、読み込みか書き込みに、失敗しました。";
}

std::string InCurrentFolder(const std::string& name) {
  return files::IsAbsolute(name) ? name : files::Join(platform::CurrentFolder(), name);
}

// At the high level the settings file is neither written nor read, without a question.
bool HighSecurity(const TCommand& c) { return SecurityLevel(c) == 2; }

const std::string& RequireOpenFile(const TCommand& c) {
  if (!OpenFile(c)) c.Fail("\"" + c.Name() + "\"予めINIファイルを開いておく必要があります。");
  return *OpenFile(c);
}

void Open(TCommand& c) {
  const std::string name = c.Text(0);
  if (name.empty()) c.ArgumentError();
  const std::string path = InCurrentFolder(name);
  if (platform::FileExists(path)) {
    if (!platform::ReadFileBytes(path)) c.Fail(ReadWriteFailure(path));
  } else if (!SecurityAllows(c, {path}, "設定ファイル\"" + path + "\"を作成します。")) {
    return;
  }
  OpenFile(c) = path;
}

void Close(TCommand& c) { OpenFile(c).reset(); }

void Write(TCommand& c) {
  const std::string value = c.Text(0);
  const std::string section = c.Text(1);
  const std::string key = c.Text(2);
  if (HighSecurity(c)) return;
  const std::string& file = RequireOpenFile(c);
  if (!SecurityAllows(c, {file}, "設定ファイル\"" + file + "\"にある[" + section + "]の\"" + key + "\"に値を書き込みます。"))
    return;
  if (!ini::WriteValue(file, section, key, value))
    c.Fail("INIファイル書き込みに失敗。ファイル名=" + file + " キー名=" + key + " セクション=" + section);
}

void Read(TCommand& c) {
  const std::string section = c.Text(1);
  const std::string key = c.Text(2);
  if (HighSecurity(c)) {
    c.Result("");
    return;
  }
  const std::string& file = RequireOpenFile(c);
  std::string value = ini::ReadValue(file, section, key).value_or("");
  THashNode& target = c.Word(0, true);
  target.SetMark(settings::MarkOfValue(value));
  target.SetValue(std::move(value));
}

constexpr const char* kFormSection = "frmPiru";

void SaveFormPlacement(TCommand& c) {
  const std::string name = c.Text(0);
  if (name.empty() || c.host() == nullptr) return;
  const std::string path = InCurrentFolder(name);
  if (!SecurityAllows(c, {path}, "INIファイル\"" + path + "\"にフォーム情報を保存します。")) return;
  const Host::WindowPlacement p = c.host()->MainWindowPlacement();
  const std::string state = std::to_string(p.state), top = std::to_string(p.top), left = std::to_string(p.left),
                    height = std::to_string(p.height), width = std::to_string(p.width);
  if (!ini::WriteValues(path, kFormSection,
                        {{"state", state}, {"top", top}, {"left", left}, {"height", height}, {"width", width}}))
    c.Fail(ReadWriteFailure(path));
}

void RestoreFormPlacement(TCommand& c) {
  const std::string name = c.Text(0);
  if (name.empty() || c.host() == nullptr) return;
  const std::string path = InCurrentFolder(name);
  const auto text = platform::ReadFileBytes(path);
  if (!text) {
    if (platform::FileExists(path)) c.Fail(ReadWriteFailure(path));
    return;
  }
  Host::WindowPlacement p = c.host()->MainWindowPlacement();
  // A value missing or not a number leaves what the window has.
  const auto take = [&](const char* key, int& field) {
    const std::string value = ini::Lookup(*text, kFormSection, key).value_or("");
    int number;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error == std::errc() && end == value.data() + value.size() && !value.empty()) field = number;
  };
  take("top", p.top);
  take("left", p.left);
  take("height", p.height);
  take("width", p.width);
  take("state", p.state);
  c.host()->PlaceMainWindow(p);
}

}  // namespace

std::span<const CommandBinding> IniCommands() {
  static const CommandBinding commands[] = {
      {"INIファイル開く", Open},          {"INIファイル閉じる", Close},
      {"INIファイル書く", Write},         {"INIファイル読む", Read},
      {"フォームの位置記録", SaveFormPlacement}, {"フォームの位置復元", RestoreFormPlacement}};
  return commands;
}

}  // namespace pirune
