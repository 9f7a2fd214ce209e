// The statement reader and the run loop: the program counter is a cursor into the
// program text, and statements are read afresh each time they run.
#pragma once
#include <string>

#include "engine/text_pos.h"

namespace pirune {

class TPiruBase;
class Exception;

// One step of the statement reader at the program position.
void Step(TPiruBase& state);

// Ends the statement: invokes the command on top of the word stack.
void ExecutePending(TPiruBase& state);

// Runs statements from the program position until the text ends (or the run stops).
void RunLoop(TPiruBase& state);

// Runs from `start` in a fresh run-control frame and comes back to where it was.
void RunNested(TPiruBase& state, TextPos start);

// The same, with `enter(context)` putting the cursor where the nested run begins.
void RunNestedRun(TPiruBase& state, void (*enter)(const void* context), const void* context);
// A label's call runs this way for every call: `enter` is a lambda called in place, not
// a std::function made and destroyed each time.
template <class Enter>
void RunNestedRun(TPiruBase& state, const Enter& enter) {
  RunNestedRun(state, [](const void* e) { (*static_cast<const Enter*>(e))(); }, &enter);
}

// The particle after a value, or the "&" chain that continues it.
std::string ReadParticle(TPiruBase& state, TextPos& c);

// What happens to an error that escaped a statement: the error label, the error
// dialog, or nothing, as the script chose.
void DispatchError(TPiruBase& state, const Exception& error);

// Ends the program: the run stops and the main window closes.
void EndProgram(TPiruBase& state, int exit_code);

}  // namespace pirune
