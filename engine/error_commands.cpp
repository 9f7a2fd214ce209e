// The script's choice of what happens to errors: the dialog, silence, or a label.
#include "engine/errors.h"
#include "engine/piru_base.h"
#include "engine/registry.h"

namespace pirune {
namespace {

void IgnoreErrors(TPiruBase& state) {
  state.WarnOnError = false;
  state.ErrorLabel = nullptr;
}

void WarnOfErrors(TPiruBase& state) {
  state.WarnOnError = true;
  state.ErrorLabel = nullptr;
}

void SetErrorLabel(TPiruBase& state) {
  std::string name = PopRaw(state);
  THashNode* label = state.Words.Find(name, false);
  if (!label || label->Kind != kLabel) {
    state.ErrorLabel = nullptr;
    RaiseScriptError(state, "未定義のラベル\"" + name + "\"に、ジャンプしようとしました。");
  }
  state.ErrorLabel = label;
}

void ResumeAfterError(TPiruBase& state) {
  if (!state.ResumePosition.None()) state.Cur = state.ResumePosition;
}

}  // namespace

void AddErrorCommandHandlers(HandlerTable& table) {
  table[118] = IgnoreErrors;
  table[119] = SetErrorLabel;
  table[120] = WarnOfErrors;
  table[121] = ResumeAfterError;
}

}  // namespace pirune
