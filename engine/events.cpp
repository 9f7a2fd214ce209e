#include "engine/events.h"

#include "engine/handler_run.h"
#include "engine/piru_base.h"
#include "engine/statement.h"

namespace pirune {

void AbandonRun(TPiruBase& state) {
  // The records' scopes close when the run they belong to returns (a nested run closes
  // what it opened; the first run's are closed when it ends), not here: the statement
  // that led here may still hold words of them.
  state.RunControl.ClearFrame();
  state.MoveCursor(TextPos{});
  state.Events.abandoned_frame = state.RunControl.Depth();
}

bool CloseRequested(TPiruBase& state, int exit_code) {
  if (state.Ended) return true;
  if (THashNode* handler = state.Events.end_handler) {
    // It runs once per "終了処理設定", and refuses only by setting "終了不可能" itself.
    state.Events.end_handler = nullptr;
    if (state.NoExit) state.NoExit->SetValue("0");
    RunHandler(state, handler->Ref);
    if (state.Ended) return true;  // it said "おわり" itself, and that was allowed
  }
  if (state.NoExit && state.NoExit->GetValue() == "1") return false;
  EndProgram(state, exit_code);
  return true;
}

void QuitAfterError(TPiruBase& state) {
  state.Stop = true;
  state.MoveCursor(TextPos{});
  CloseRequested(state, 1);
}

void ScriptTimerFired(TPiruBase& state) {
  // A copy: the handler may set another timer label and so let go of this one's text.
  KeptPosition label = state.Events.timer_label;
  if (!label.None()) RunHandler(state, label);
}

}  // namespace pirune
