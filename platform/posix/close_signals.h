// Interrupts (SIGINT) and SIGTERM as close requests for the console runtime, and a wait
// that such a signal cuts short. A second signal within a second of the one before ends
// the process at once, with status 128 + the signal's number, whatever is running; so
// does one that arrives while the close request is still being decided (an end handler
// that never returns).
#pragma once
#include <cstdint>

namespace pirune::platform {

void CatchCloseSignals();

// True once for each close signal that arrived since the last call.
bool TakeCloseSignal();

// Whether a close request is being decided just now.
void SetDecidingClose(bool deciding);

// Milliseconds on a clock that only goes forward.
std::int64_t SteadyMilliseconds();

// Sleeps for up to `ms` milliseconds, less if a close signal arrives meanwhile.
void SleepUntilSignal(std::int64_t ms);

}  // namespace pirune::platform
