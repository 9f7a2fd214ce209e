#include "gui/progress_steps.h"

#include <algorithm>
#include <limits>

namespace pirune {

ProgressSteps ScaleProgress(std::int64_t maximum, std::int64_t position) {
  if (maximum <= 0) return {};
  position = std::clamp<std::int64_t>(position, 0, maximum);
  constexpr std::int64_t kLargest = std::numeric_limits<int>::max();
  // The smallest divisor that brings the maximum within the bar's range.
  const std::int64_t divisor = maximum / kLargest + (maximum % kLargest != 0 ? 1 : 0);
  return {static_cast<int>(maximum / divisor), static_cast<int>(position / divisor)};
}

}  // namespace pirune
