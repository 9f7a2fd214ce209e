// "取り込む": a file's text joins the program; its statements run once, at the point of
// inclusion, and its labels stay for the rest of the run.
#include "engine/errors.h"
#include "engine/piru_base.h"
#include "engine/preprocess.h"
#include "engine/registry.h"
#include "engine/script_file.h"
#include "engine/sjis.h"
#include "engine/statement.h"
#include "platform/platform.h"

namespace pirune {
namespace {

bool IsAbsolute(const std::string& path) {
  return (!path.empty() && (path[0] == '\\' || path[0] == '/')) || path.find(':') != std::string::npos;
}

// A relative name that is not found in the working folder is looked for beside the script.
std::string ResolveFileName(TPiruBase& state, const std::string& name) {
  if (IsAbsolute(name) || platform::FileExists(name) || state.MainPath.empty()) return name;
  std::string beside = state.MainPath + name;
  return platform::FileExists(beside) ? beside : name;
}

void Include(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  std::string name = ResolveFileName(state, Trim(c.Text(0)));
  ScriptFile file = ReadScriptFile(name);
  if (file.status == ScriptFile::kUnreadable) RaiseScriptError(state, "ファイル\"" + name + "\"が、ありません。");
  if (file.status == ScriptFile::kNotShiftJis) RaiseScriptError(state, NotShiftJisMessage(name, file.bad_line));
  if (state.Texts.size() >= static_cast<std::size_t>(kMaxTexts))
    RaiseScriptError(state, "ファイル\"" + name + "\"を取り込めません。取り込めるファイルは" + std::to_string(kMaxTexts) + "個までです。");
  const std::string* saved_name = state.InternedFileName();
  TextPos saved_cursor = state.Cur;
  state.SetFileName(name);
  try {
    const std::string* text = state.AddText(Preprocess(state, file.text));
    ScanLabels(state, *text, name);
    RunNested(state, TextPos{text, 0});
  } catch (...) {
    state.RestoreFileName(saved_name);
    state.Cur = saved_cursor;
    throw;
  }
  state.RestoreFileName(saved_name);
}

}  // namespace

std::span<const CommandBinding> ProgramTextCommands() {
  static const CommandBinding commands[] = {{"取り込む", Include}};
  return commands;
}

}  // namespace pirune
