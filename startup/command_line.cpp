#include "startup/command_line.h"

#include "engine/errors.h"
#include "engine/piru_base.h"
#include "engine/sjis.h"
#include "gui/host.h"
#include "platform/platform.h"

namespace pirune {
namespace {

std::string AsciiLower(std::string s) {
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i))
    if (s[i] >= 'A' && s[i] <= 'Z') s[i] = static_cast<char>(s[i] - 'A' + 'a');
  return s;
}

// The packed script of an executable. Executables carry no packed script yet, so the
// answer is always no.
bool LoadPackedScript(TPiruBase&, const std::string&) { return false; }

}  // namespace

std::string DefaultScriptPath() {
  std::string path = platform::RuntimePath();
  std::size_t name_start = 0, dot = std::string::npos;
  for (std::size_t i = 0; i < path.size(); i += CharLength(path, i)) {
    if (path[i] == '\\' || path[i] == '/') name_start = i + 1, dot = std::string::npos;
    if (path[i] == '.' && i >= name_start) dot = i;
  }
  return (dot == std::string::npos ? path : path.substr(0, dot)) + ".prw";
}

bool ReadOptions(TPiruBase& state, Host& host, const std::vector<std::string>& arguments, std::string& start_file) {
  auto value_after = [&](std::size_t& i) { return ++i < arguments.size() ? arguments[i] : std::string(); };
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (a.empty() || a[0] != '-') {
      if (start_file.empty()) start_file = a;
    } else if (a == "-debug") {
      state.DebugMode = true;
    } else if (a == "-linestop") {
      state.LineStop = true;
    } else if (a == "-runtime") {
      start_file = value_after(i);
      state.RuntimeMode = true;
      if (!LoadPackedScript(state, start_file)) {
        host.ShowMessage("指定されたプログラムファイルは壊れています。", "プログラムの実行エラー");
        host.CloseMainWindow();
        return false;
      }
    } else if (a == "-resource") {
      value_after(i);
      // Reading containers is not part of this runtime yet, so no resource file loads.
      RaiseScriptError(state, "リソースファイルの取り込みに失敗しました。");
    } else if (a == "-security") {
      std::string level = AsciiLower(value_after(i));
      if (level == "low") state.SecurityLevel = 0;
      if (level == "mid") state.SecurityLevel = 1;
      if (level == "high") state.SecurityLevel = 2;
    }
  }
  if (start_file.empty()) {
    std::string default_file = DefaultScriptPath();
    if (platform::FileExists(default_file)) {
      start_file = default_file;
      state.DefaultFileMode = true;
    }
  }
  return true;
}

}  // namespace pirune
