#include "core/flight/ProgressMeter.h"

#include <chrono>
#include <cstdio>
#include <limits>

namespace plumora {

double SteadyMilliseconds() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

std::string FormatPhaseText(int position, int count) {
  char text[48];
  std::snprintf(text, sizeof text, "    %d/%d", position, count);
  return text;
}

ProgressMeter::ProgressMeter(Clock clock) : clock_(std::move(clock)), startMs_(clock_()) {}

void ProgressMeter::ShowProgress(double percentage) {
  const double elapsed = (clock_() - startMs_) * 0.001;  // s
  // Nothing done yet means no estimate: infinitely long, even in the very first millisecond.
  const double left = percentage > 0.0 ? (100.0 / percentage - 1.0) * elapsed
                                       : std::numeric_limits<double>::infinity();
  char text[64];
  std::snprintf(text, sizeof text, "%10.2f s", elapsed);
  elapsedText_ = text;
  std::snprintf(text, sizeof text, "%10.2f s", left);
  leftText_ = text;
  // The bar's range is 0 to 100; anything else (or not a number) never reaches the conversion.
  barPosition_ = percentage >= 0.0 ? static_cast<int>(percentage < 100.0 ? percentage : 100.0) : 0;
}

}  // namespace plumora
