#include "startup/start.h"

#include "engine/errors.h"
#include "engine/piru_base.h"
#include "engine/preprocess.h"
#include "engine/registry.h"
#include "engine/script_file.h"
#include "engine/sjis.h"
#include "engine/statement.h"
#include "gui/host.h"
#include "platform/platform.h"
#include "startup/command_line.h"

namespace pirune {
namespace {

std::string LowerExtension(const std::string& path) {
  std::size_t dot = std::string::npos;
  for (std::size_t i = 0; i < path.size(); i += CharLength(path, i)) {
    if (path[i] == '\\' || path[i] == '/') dot = std::string::npos;
    if (path[i] == '.') dot = i;
  }
  std::string ext = dot == std::string::npos ? std::string() : path.substr(dot);
  for (char& ch : ext)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return ext;
}

std::string FolderPart(const std::string& path) {
  std::size_t end = 0;
  for (std::size_t i = 0; i < path.size(); i += CharLength(path, i))
    if (path[i] == '\\' || path[i] == '/') end = i + 1;
  return path.substr(0, end);
}

void LoadStartFile(TPiruBase& state, Host& host, const std::string& name) {
  ScriptFile file = ReadScriptFile(name);
  if (file.status == ScriptFile::kNotShiftJis) {
    host.ShowMessage(NotShiftJisMessage(name, file.bad_line), "ぴるね");
    state.ExitCode = 1;
    return;
  }
  std::string folder = FolderPart(name);
  if (file.status != ScriptFile::kOk || (!folder.empty() && !platform::SetCurrentFolder(folder))) {
    host.ShowMessage("起動ファイル「" + name + "」が読込めません。", "ぴるね");
    state.ExitCode = 1;
    return;
  }
  state.Source = std::move(file.text);
  state.SetFileName(name);
}

// Everything before the first statement: a fresh dictionary, the prepared text, the
// main window shown.
void Prepare(TPiruBase& state, Host& host) {
  ErrorLog().clear();
  state.Cur = TextPos{};
  state.Line = 0;
  state.TextX = state.TextY = 10;
  state.CondResult = -1;
  RegisterAll(state);
  PrepareMainProgram(state);
  if (state.Source.find("母艦浮上") == std::string::npos) {
    host.ShowMainWindow();
    host.ProcessMessages();
  }
}

}  // namespace

void PrepareStart(TPiruBase& state, Host& host) {
  std::string start_file;
  const std::vector<std::string>& arguments = platform::CommandLineArguments();
  try {
    if (arguments.empty()) {
      std::string default_file = DefaultScriptPath();
      if (platform::FileExists(default_file)) {
        start_file = default_file;
        state.DefaultFileMode = true;
      }
    } else if (!ReadOptions(state, host, arguments, start_file)) {
      return;
    }
    if (start_file.empty()) return;
    std::string ext = LowerExtension(start_file);
    if (ext == ".exe" || ext == ".scr") {
      if (!arguments.empty()) ReadOptions(state, host, arguments, start_file);
      return;
    }
  } catch (const EPiru&) {
    host.ShowErrorDialog(ErrorLog(), state.DebugMode);
    state.ExitCode = 1;
    return;
  }
  LoadStartFile(state, host, start_file);
}

bool RunStart(TPiruBase& state, Host& host) {
  if (state.FileName().empty()) {
    EndProgram(state, state.ExitCode);
    return false;
  }
  try {
    Prepare(state, host);
  } catch (const Exception&) {
    host.ShowErrorDialog(ErrorLog(), state.DebugMode);
    EndProgram(state, 1);
    return false;
  }
  state.Cur = TextPos{state.Texts.front().get(), 0};
  try {
    RunLoop(state);
  } catch (const std::exception& e) {
    if (Trim(ErrorLog()).empty()) host.ShowMessage(FormatScriptError(state, std::string("システムエラー:") + e.what()), "ぴるね");
    EndProgram(state, 1);
  }
  // The first run has ended, with "待機" perhaps inside a call: what such a run left open
  // closes now, so the handlers that run from here on see only global words.
  while (state.Words.ScopeDepth() > 0) state.Words.PopScope();
  return !state.Ended;
}

}  // namespace pirune
