// The registry: one open key, its values and sub-keys; and file-type associations. Only
// Windows has a registry: elsewhere each command fails saying so.
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "engine/command_api.h"
#include "library/settings/value_mark.h"
#include "platform/platform.h"
#include "platform/registry.h"
#include "startup/security.h"

namespace pirune {
namespace {

using platform::RegistryStatus;
using platform::RegistryType;

struct OpenKey {
  std::uint32_t root;
  std::string path;
};

// The open key, for the rest of the run. Opening names it only: the key is created by
// the first write the security check allows.
struct OpenRegistryKey : TRunResource {
  std::optional<OpenKey> key;
};

std::optional<OpenKey>& Open(const TCommand& c) {
  auto& slot = c.RunResource("settings.registry");
  if (!slot) slot = std::make_unique<OpenRegistryKey>();
  return static_cast<OpenRegistryKey&>(*slot).key;
}

constexpr std::uint32_t kClassesRoot = 0;

void RequireRegistry(const TCommand& c) {
  if (!platform::HasRegistry()) c.Fail("\"" + c.Name() + "\"命令は、Windows版(pirune.exe)でしか使えません。");
}

const OpenKey& RequireOpenKey(const TCommand& c) {
  RequireRegistry(c);
  if (!Open(c)) c.Fail("レジストリが開かれていません。");
  return *Open(c);
}

void OpenRegistry(TCommand& c) {
  RequireRegistry(c);
  Open(c).reset();
  const std::string root = c.Text(0);
  const std::string path = c.Text(1);
  if (root.empty() || root.size() > 10 || root.find_first_not_of("0123456789") != std::string::npos) c.ArgumentError();
  const std::uint64_t number = std::stoull(root);
  if (number > 0x7FFFFFFF) c.ArgumentError();
  if (!platform::RegistryKeyUsable(static_cast<std::uint32_t>(number), path)) c.ArgumentError();
  Open(c) = OpenKey{static_cast<std::uint32_t>(number), path};
}

void CloseRegistry(TCommand& c) {
  RequireRegistry(c);
  Open(c).reset();
}

// What the registry says when a value cannot be read as asked.
[[noreturn]] void ReadFailure(const TCommand& c, RegistryStatus status, const std::string& name) {
  if (status == RegistryStatus::WrongType) c.Fail("Invalid data type for '" + name + "'");
  c.Fail("Failed to get data for '" + name + "'");
}

// Registry changes name no file: "*" is asked about at the middle level.
bool AllowWrite(const TCommand& c, const OpenKey& key, const std::string& name, const std::string& shown) {
  return SecurityAllows(c, {"*"},
                        "レジストリ\"" + key.path + "\"の,\"" + name + "\"に,\r\n\"" + shown + "\"が書き込まれます。よろしいですか？");
}

void Write(const TCommand& c, const OpenKey& key, const std::string& name, RegistryType type, const std::string& data) {
  if (!platform::RegistrySetValue(key.root, key.path, name, type, data)) c.Fail("Failed to set data for '" + name + "'");
}

void ReadString(TCommand& c) {
  const OpenKey& key = RequireOpenKey(c);
  const std::string name = c.Text(0);
  std::string value;
  const RegistryStatus status = platform::RegistryGetValue(key.root, key.path, name, RegistryType::String, value);
  if (status == RegistryStatus::WrongType) ReadFailure(c, status, name);
  if (status != RegistryStatus::Ok) value.clear();
  // An empty value keeps the mark "それ" had.
  if (value.empty()) c.ResultKeepingMark("");
  else c.Result(value, settings::MarkOfValue(value));
}

void WriteString(TCommand& c) {
  const OpenKey& key = RequireOpenKey(c);
  const std::string name = c.Text(0);
  const THashNode* result = c.SystemVariable("それ");
  const std::string value = result != nullptr ? result->GetValue() : std::string();
  if (!AllowWrite(c, key, name, value)) return;
  Write(c, key, name, RegistryType::String, value);
}

void ReadDword(TCommand& c) {
  const OpenKey& key = RequireOpenKey(c);
  const std::string name = c.Text(0);
  std::string bytes;
  const RegistryStatus status = platform::RegistryGetValue(key.root, key.path, name, RegistryType::Dword, bytes);
  if (status != RegistryStatus::Ok || bytes.size() != 4) ReadFailure(c, status, name);
  std::int32_t value;
  std::memcpy(&value, bytes.data(), 4);
  c.ResultInteger(value);
}

void WriteDword(TCommand& c) {
  const OpenKey& key = RequireOpenKey(c);
  const std::int64_t value = c.Int(0, INT32_MIN, UINT32_MAX);
  const std::string name = c.Text(1);
  if (!AllowWrite(c, key, name, std::to_string(value))) return;
  const auto dword = static_cast<std::uint32_t>(value);
  const char bytes[4] = {static_cast<char>(dword), static_cast<char>(dword >> 8), static_cast<char>(dword >> 16),
                         static_cast<char>(dword >> 24)};
  Write(c, key, name, RegistryType::Dword, std::string(bytes, 4));
}

void ReadBinary(TCommand& c) {
  const OpenKey& key = RequireOpenKey(c);
  const std::string name = c.Text(0);
  c.Num(1);  // read, but the value's own length rules
  std::string bytes;
  if (platform::RegistryGetValue(key.root, key.path, name, RegistryType::Binary, bytes) != RegistryStatus::Ok) {
    c.Result("");
    return;
  }
  bytes += '\0';
  c.Result(std::move(bytes));
}

void WriteBinary(TCommand& c) {
  const OpenKey& key = RequireOpenKey(c);
  std::string data = c.Text(0);
  const std::string name = c.Text(1);
  const std::int64_t count = c.Int(2, 0, INT64_MAX);
  if (data.empty()) data.assign(1, '\0');
  // Never past the value's end: a larger count writes what there is.
  if (static_cast<std::uint64_t>(count) < data.size()) data.resize(static_cast<std::size_t>(count));
  if (!AllowWrite(c, key, name, data)) return;
  Write(c, key, name, RegistryType::Binary, data);
}

void SubKeys(TCommand& c) {
  const OpenKey& key = RequireOpenKey(c);
  std::string lines;
  for (const std::string& name : platform::RegistrySubKeys(key.root, key.path).value_or(std::vector<std::string>{})) {
    const std::size_t begin = name.find_first_not_of(" \t");
    if (begin == std::string::npos) continue;
    if (!lines.empty()) lines += "\r\n";
    lines += name.substr(begin, name.find_last_not_of(" \t") - begin + 1);
  }
  c.Result(std::move(lines));
}

void DeleteValue(TCommand& c) {
  const OpenKey& key = RequireOpenKey(c);
  const std::string name = c.Text(0);
  if (!SecurityAllows(c, {"*"}, "レジストリ\"" + key.path + "\"の,\"" + name + "\"の値が,削除されます。よろしいですか？"))
    return;
  if (!platform::RegistryDeleteValue(key.root, key.path, name)) c.Fail("\"" + name + "\"が削除できません。");
}

void DeleteKey(TCommand& c) {
  const OpenKey& key = RequireOpenKey(c);
  const std::string name = c.Text(0);
  if (!SecurityAllows(c, {"*"}, "レジストリ\"" + key.path + "\"の,\"" + name + "\"キーが,削除されます。よろしいですか？"))
    return;
  if (!platform::RegistryDeleteKey(key.root, key.path, name)) c.Fail("\"" + name + "\"が削除できません。");
}

std::string Trimmed(const std::string& s) {
  const std::size_t begin = s.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return {};
  return s.substr(begin, s.find_last_not_of(" \t\r\n") - begin + 1);
}

std::string Extension(std::string text) {
  text = Trimmed(text);
  if (!text.empty() && text[0] == '.') text.erase(0, 1);
  return text;
}

void Associate(TCommand& c) {
  RequireRegistry(c);
  const std::string extension = Extension(c.Text(0));
  const std::string application = Trimmed(c.Text(1));
  const std::string description = Trimmed(c.Text(2));
  if (extension.empty() || application.empty()) return;
  if (!platform::FileExists(application)) c.ArgumentError(":\"" + application + "\"が存在しません。");
  const std::string dotted = "." + extension;
  const std::string question =
      platform::RegistryKeyExists(kClassesRoot, dotted)
          ? "既に関連付けされている拡張子\"" + extension + "\"を、\"" + application + "\"へ関連付けを変更します。"
          : "拡張子\"" + extension + "\"を、\"" + application + "\"へ関連付けます。";
  if (!SecurityAllows(c, {"*"}, question)) return;
  const std::string file_class = extension + "File";
  const std::string runtime = platform::RuntimePath();
  const std::string runtime_folder = runtime.substr(0, runtime.find_last_of("\\/") + 1);
  const std::pair<std::string, std::string> defaults[] = {
      {dotted, file_class},
      {file_class, description},
      {file_class + "\\DefaultIcon", "\"" + runtime_folder + "pirune.ico\""},
      {file_class + "\\shell\\open\\command", "\"" + application + "\" \"%1\""},
  };
  for (const auto& [key, value] : defaults)
    if (!platform::RegistrySetValue(kClassesRoot, key, "", RegistryType::String, value))
      c.Fail("Failed to set data for '" + key + "'");
  platform::NotifyAssociationsChanged();
}

void RemoveAssociation(TCommand& c) {
  RequireRegistry(c);
  const std::string extension = Extension(c.Text(0));
  if (extension.empty()) return;
  if (!SecurityAllows(c, {"*"}, "拡張子\"" + extension + "\"の関連付けを削除します。")) return;
  const std::string dotted = "." + extension;
  if (!platform::RegistryKeyExists(kClassesRoot, dotted)) return;
  std::string file_class;
  if (platform::RegistryGetValue(kClassesRoot, dotted, "", RegistryType::String, file_class) != RegistryStatus::Ok)
    file_class.clear();
  platform::RegistryDeleteKey(kClassesRoot, "", dotted);
  if (!file_class.empty() && platform::RegistryKeyExists(kClassesRoot, file_class))
    platform::RegistryDeleteKey(kClassesRoot, "", file_class);
  platform::NotifyAssociationsChanged();
}

}  // namespace

std::span<const CommandBinding> RegistryCommands() {
  static const CommandBinding commands[] = {
      {"レジストリ開く", OpenRegistry},
      {"レジストリ閉じる", CloseRegistry},
      {"レジストリ読む", ReadString},
      {"レジストリ書く", WriteString},
      {"レジストリのDWORDを読む", ReadDword},
      {"レジストリにDWORDを書く", WriteDword},
      {"レジストリのバイナリを読む", ReadBinary},
      {"レジストリにバイナリを書く", WriteBinary},
      {"レジストリサブキー取得", SubKeys},
      {"レジストリ値削除", DeleteValue},
      {"レジストリキー削除", DeleteKey},
      {"関連付ける", Associate},
      {"関連付けを削除", RemoveAssociation},
  };
  return commands;
}

}  // namespace pirune
