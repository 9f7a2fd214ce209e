// The clock: the system's local time and the multimedia millisecond counter.
#include <windows.h>
#include <mmsystem.h>

#include "platform/platform.h"

namespace pirune::platform {

LocalTime CurrentLocalTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

unsigned MillisecondCounter() { return timeGetTime(); }

}  // namespace pirune::platform
