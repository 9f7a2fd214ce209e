// The progress window's bar counts in ints, while a transfer counts its bytes in 64
// bits: a size past what the bar holds is shown in proportion.
#pragma once
#include <cstdint>

namespace pirune {

struct ProgressSteps {
  int maximum = 1;
  int position = 0;
  bool operator==(const ProgressSteps&) const = default;
};

// MAXIMUM: the expected size (none known when not positive: the bar stays empty);
// POSITION: the count so far, kept within 0 and MAXIMUM.
ProgressSteps ScaleProgress(std::int64_t maximum, std::int64_t position);

}  // namespace pirune
