#include "engine/handler_run.h"

#include "engine/errors.h"
#include "engine/events.h"
#include "engine/piru_base.h"
#include "engine/statement.h"

namespace pirune {

void RunHandler(TPiruBase& state, TextPos handler) {
  if (handler.None() || state.Ended) return;
  std::string mark = state.LastMark;
  const bool spliced = !state.Cur.None();
  // A handler runs even while the runs are stopping (the end handler after the error
  // dialog's quit); the stop holds again once it is done.
  const bool stopping = state.Stop;
  state.Stop = false;
  const std::size_t own_frame = state.RunControl.Depth() + 1;
  const std::size_t abandoned = state.Events.abandoned_frame;
  state.Events.abandoned_frame = TEventState::kNoFrame;
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
  const bool waits = state.Events.abandoned_frame == own_frame;
  state.Events.abandoned_frame = abandoned;
  if (stopping) state.Stop = true;
  // "待機" in a handler that interrupted a run ends that run too: the program waits.
  if (waits && spliced && !state.Ended) AbandonRun(state);
  state.SetLastMark(mark);
}

}  // namespace pirune
