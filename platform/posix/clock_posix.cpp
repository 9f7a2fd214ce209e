// The clock: local time through the C library, so TZ counts; the counter from the
// monotonic clock.
#include <time.h>

#include <cstdint>

#include "platform/platform.h"

namespace pirune::platform {

LocalTime CurrentLocalTime() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
          local.tm_min,         local.tm_sec > 59 ? 59 : local.tm_sec,  // a leap second is the last one
          static_cast<int>(now.tv_nsec / 1000000)};
}

unsigned MillisecondCounter() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::uint64_t ms = static_cast<std::uint64_t>(now.tv_sec) * 1000 + static_cast<std::uint64_t>(now.tv_nsec) / 1000000;
  return static_cast<std::uint32_t>(ms);
}

}  // namespace pirune::platform
