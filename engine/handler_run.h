// Running a handler's code now: an event, a timer, the end handler. The host calls this
// from wherever it is, between statements, inside a command that waits (a dialog, "待つ")
// or while the program waits for events.
#pragma once
#include "engine/text_pos.h"

namespace pirune {

class TPiruBase;

// Runs the code at `handler` as a nested run: the run it interrupts (if any) gets back
// every field of its own (cursor, word stack, binding mode, line-end cursor, recording,
// line and file name, the last type mark) and goes on where it was. The handler runs in a
// local scope of its own and ends with "戻る" or at the end of its text. The script's
// state is shared: variables, "それ", the arguments of the latest call. A handler that
// ends with "待機" (or a refused "おわり") ends the run it interrupted as well, which
// stops once the statement in progress is over.
void RunHandler(TPiruBase& state, TextPos handler);

}  // namespace pirune
