// Events and the end of the program: the script timer, the end handler, and the close
// request from any source (おわり, the window's close box, an interrupt, the error dialog's
// quit button). Hosts call in here when an event arrives; the commands live in
// program_end.cpp.
#pragma once
#include <cstddef>

#include "engine/program_text.h"

namespace pirune {

class TPiruBase;
class THashNode;

struct TEventState {
  static constexpr std::size_t kNoFrame = static_cast<std::size_t>(-1);

  // Where the script timer jumps; none when no timer label is set. Kept with its text, as
  // the timer fires long after the statement that set it.
  KeptPosition timer_label;
  // The word whose code runs when the program is about to end (at most once per
  // "終了処理設定"); null when there is none.
  THashNode* end_handler = nullptr;
  // The run-control frame that "待機" (or "おわり") emptied last: a handler spliced into a
  // running program that ends so takes the interrupted program's run down with it.
  std::size_t abandoned_frame = kNoFrame;
};

// Ends the current run where it stands: its run-control frame is emptied and the cursor
// cleared, so the program waits for events ("待機", and "おわり" before it asks to close).
void AbandonRun(TPiruBase& state);

// The close request: runs the end handler if one is set, then answers whether the program
// may end. When it may, the run stops and the program ends with `exit_code`; when
// "終了不可能" refuses, whatever was running goes on.
bool CloseRequested(TPiruBase& state, int exit_code = 0);

// The error dialog's quit: no further statement of the run runs, then the close request.
void QuitAfterError(TPiruBase& state);

// The script timer fired (once per "タイマー設定"): its label runs as a handler.
void ScriptTimerFired(TPiruBase& state);

}  // namespace pirune
