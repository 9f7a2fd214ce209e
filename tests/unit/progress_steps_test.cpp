// The progress bar's steps for a transfer's counts.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "gui/progress_steps.h"

namespace pirune {
namespace {

TEST(ProgressSteps, ScalesCountsIntoTheBar) {
  constexpr std::int64_t kInt = std::numeric_limits<int>::max();
  constexpr std::int64_t kHuge = std::numeric_limits<std::int64_t>::max();
  struct Case {
    std::int64_t maximum, position;
    ProgressSteps expected;
  } cases[] = {
      {100, 40, {100, 40}},
      {100, 100, {100, 100}},
      {100, 150, {100, 100}},  // a count past the expected size fills the bar, no more
      {100, -3, {100, 0}},
      {0, 5, {1, 0}},  // no size known: the bar stays empty
      {-1, 5, {1, 0}},
      {kInt, kInt - 1, {static_cast<int>(kInt), static_cast<int>(kInt - 1)}},
      {kInt + 1, kInt + 1, {static_cast<int>((kInt + 1) / 2), static_cast<int>((kInt + 1) / 2)}},
      {5'000'000'000, 2'500'000'000, {1'666'666'666, 833'333'333}},  // 5 GB, half of it
      {kHuge, kHuge, {static_cast<int>(kHuge / (kHuge / kInt + 1)), static_cast<int>(kHuge / (kHuge / kInt + 1))}},
  };
  for (const Case& c : cases) {
    const ProgressSteps steps = ScaleProgress(c.maximum, c.position);
    EXPECT_EQ(steps, c.expected) << c.maximum << " " << c.position;
    EXPECT_GT(steps.maximum, 0);
    EXPECT_LE(steps.position, steps.maximum);
  }
}

TEST(ProgressSteps, KeepsTheShareOfLargeTransfers) {
  // Past the bar's range the share shown stays within one step of the true share.
  for (std::int64_t maximum : {std::int64_t{3'000'000'000}, std::int64_t{1} << 40, std::int64_t{1} << 62}) {
    for (int percent : {0, 1, 33, 50, 99, 100}) {
      const std::int64_t position = maximum / 100 * percent;
      const ProgressSteps steps = ScaleProgress(maximum, position);
      const double shown = static_cast<double>(steps.position) / steps.maximum;
      const double exact = static_cast<double>(position) / static_cast<double>(maximum);
      EXPECT_NEAR(shown, exact, 1.0 / steps.maximum + 1e-12) << maximum << " " << percent;
    }
  }
}

}  // namespace
}  // namespace pirune
