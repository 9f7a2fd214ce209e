// The script's choice of what happens to errors: the dialog, silence, or a label.
#include "engine/errors.h"
#include "engine/piru_base.h"
#include "engine/registry.h"

namespace pirune {
namespace {

void IgnoreErrors(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  state.WarnOnError = false;
  state.ErrorLabel = nullptr;
}

void WarnOfErrors(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  state.WarnOnError = true;
  state.ErrorLabel = nullptr;
}

void SetErrorLabel(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  const std::string& name = c.Raw(0);
  THashNode* label = state.Words.Find(name, false);
  if (!label || label->Kind != kLabel) {
    state.ErrorLabel = nullptr;
    RaiseScriptError(state, "未定義のラベル\"" + name + "\"に、ジャンプしようとしました。");
  }
  state.ErrorLabel = label;
}

void ResumeAfterError(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  if (!state.ResumePosition.None()) state.MoveCursor(state.ResumePosition);
}

}  // namespace

std::span<const CommandBinding> ErrorCommands() {
  static const CommandBinding commands[] = {
      {"エラーを無視", IgnoreErrors},
      {"エラー処理設定", SetErrorLabel},
      {"エラーを警告", WarnOfErrors},
      {"エラーから復帰", ResumeAfterError},
  };
  return commands;
}

}  // namespace pirune
