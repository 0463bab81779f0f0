#include "gui/logic/draw/RoundTicks.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace plumora::gui {

namespace {
// A hair of rounding in a division must not add or drop a tick: 0.3 / 0.1 is
// 2.9999999999999996.
constexpr double kSlack = 1e-9;
}  // namespace

std::optional<RoundTicks> RoundTicksFor(double minimum, double maximum, int maxIntervals) {
  if (!std::isfinite(minimum) || !std::isfinite(maximum)) return std::nullopt;
  maxIntervals = std::max(1, maxIntervals);
  if (maximum < minimum) std::swap(minimum, maximum);
  if (!(maximum > minimum)) {
    maximum = minimum + 10.0;
    // Past 2^53 ten units vanish: a thousandth of the value then.
    if (!(maximum > minimum)) maximum = minimum + std::fabs(minimum) * 1e-3;
  }
  const double span = maximum - minimum;
  if (!std::isfinite(span)) return std::nullopt;
  const double least = span / maxIntervals;
  int exponent = static_cast<int>(std::floor(std::log10(least)));
  for (int attempt = 0; attempt < 4; ++attempt, ++exponent) {
    const double magnitude = std::pow(10.0, exponent);
    for (double multiple : {1.0, 2.0, 5.0}) {
      const double step = multiple * magnitude;
      if (!(step > 0.0) || !std::isfinite(step) || step < least * (1.0 - kSlack)) continue;
      const double low = std::floor(minimum / step + kSlack) * step;
      const double high = std::ceil(maximum / step - kSlack) * step;
      const double intervals = std::round((high - low) / step);
      if (!std::isfinite(high - low) || intervals > maxIntervals) continue;
      return RoundTicks{low, high, step, std::max(1, static_cast<int>(intervals)),
                        std::max(0, -exponent)};
    }
  }
  return std::nullopt;
}

TicksWithin RoundTicksWithin(double low, double high, int maxCount) {
  TicksWithin ticks;
  if (!std::isfinite(low) || !std::isfinite(high)) return ticks;
  if (!(high > low)) {
    ticks.values.push_back(low);
    return ticks;
  }
  const std::optional<RoundTicks> round = RoundTicksFor(low, high, std::max(2, maxCount) - 1);
  if (!round) return ticks;
  ticks.step = round->step;
  ticks.decimals = round->decimals;
  // Whole multiples of the step, so that no rounding piles up from tick to tick.
  const double first = std::ceil(low / ticks.step - kSlack);
  const double last = std::floor(high / ticks.step + kSlack);
  for (double k = first; k <= last; ++k) ticks.values.push_back(k * ticks.step);
  return ticks;
}

}  // namespace plumora::gui
