// "表示" and "言う": text for the user, on the main window, in a file, or in a box.
#include "engine/errors.h"
#include "engine/piru_base.h"
#include "engine/registry.h"
#include "gui/host.h"
#include "platform/platform.h"

namespace pirune {
namespace {

void Show(TPiruBase& state) {
  std::string text = PopText(state);
  std::string target = state.OutputFile ? state.OutputFile->GetValue() : std::string();
  if (!target.empty()) {
    if (!platform::AppendToFile(target, text + "\r\n"))
      throw Exception("ファイル\"" + target + "\"に書き込めません。");
    return;
  }
  if (state.host) state.host->ShowText(text, state.TextX, state.TextY);
}

void Say(TPiruBase& state) {
  std::string text = PopText(state);
  if (state.host) state.host->Say(text);
}

}  // namespace

void AddOutputHandlers(HandlerTable& table) {
  table[0] = Show;
  table[12] = Say;
}

}  // namespace pirune
