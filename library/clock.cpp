#include "library/clock.h"

namespace pirune {
namespace {

struct TStopped {
  platform::LocalTime moment;
  unsigned counter;
};
std::optional<TStopped> stopped;

}  // namespace

platform::LocalTime ClockNow() { return stopped ? stopped->moment : platform::CurrentLocalTime(); }
unsigned ClockMilliseconds() { return stopped ? stopped->counter : platform::MillisecondCounter(); }
void StopClock(const platform::LocalTime& moment, unsigned counter) { stopped = TStopped{moment, counter}; }

}  // namespace pirune
