// The clock the date commands read: the system's, or one stopped at a fixed moment, for
// harnesses whose runs must show the same (a fuzzing run compares two runs of a script).
#pragma once
#include <optional>

#include "platform/platform.h"

namespace pirune {

platform::LocalTime ClockNow();
unsigned ClockMilliseconds();
// Stops the clock at `moment` with the counter at `counter`; nothing starts it again.
void StopClock(const platform::LocalTime& moment, unsigned counter);

}  // namespace pirune
