// Ticks at round values, one rule for every plot: a step of 1, 2 or 5 times a power of ten.
#pragma once

#include <optional>
#include <vector>

namespace plumora::gui {

// Round ticks over a span: the fewest ticks that cover minimum to maximum in at most
// maxIntervals steps, from the multiple of the step at or below the minimum to the one at or
// above the maximum, and the decimals a label needs to show the step. A span of nothing gets ten
// units. None for values that are not finite or a span too large for a double.
struct RoundTicks {
  double low = 0.0;
  double high = 0.0;
  double step = 1.0;
  int intervals = 1;
  int decimals = 0;
};
inline constexpr int kRoundTickIntervals = 10;
std::optional<RoundTicks> RoundTicksFor(double minimum, double maximum,
                                        int maxIntervals = kRoundTickIntervals);

// The same rule's ticks that lie within [low, high] (for an axis that keeps its own ends), at
// most maxCount of them (at least 2). A span of nothing gives its one value.
struct TicksWithin {
  double step = 0.0;
  int decimals = 0;
  std::vector<double> values;
};
TicksWithin RoundTicksWithin(double low, double high, int maxCount);

}  // namespace plumora::gui
