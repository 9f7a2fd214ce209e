#include "engine/handler_run.h"

#include "engine/errors.h"
#include "engine/piru_base.h"
#include "engine/statement.h"

namespace pirune {

void RunHandler(TPiruBase& state, TextPos handler) {
  if (handler.None() || state.Ended) return;
  std::string mark = state.LastMark;
  try {
    RunNestedRun(state, [&] {
      // The record's empty start ends the nested run when the handler returns.
      TRunControl& r = state.RunControl.Emplace();
      r.kind = kEvent;
      r.return_position = handler;
      r.file_name = state.InternedFileName();
      state.Words.PushScope();
      state.Cur = handler;
    });
  } catch (const Exception& e) {
    // Errors inside the handler are its run's; this is one of starting it (nested too
    // deeply), and the host that called must not see it.
    DispatchError(state, e);
  }
  state.SetLastMark(mark);
}

}  // namespace pirune
