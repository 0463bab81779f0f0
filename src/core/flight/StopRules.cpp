#include "core/flight/StopRules.h"

namespace plumora {

bool TimeStopReached(double stopTime, double timeStep, double tout) {
  return stopTime + 0.5 * timeStep <= tout;
}

double HeightProgress(double height, double startHeight, double stopHeight) {
  return height <= startHeight ? (startHeight - height) * 100.0 / (startHeight - stopHeight) : 0.0;
}

bool StopRule::Reached(double tout, double height) const {
  if (kind == kStopOnTime) return TimeStopReached(stopTime, timeStep, tout);
  if (kind == kStopOnHeight) return height <= stopHeight;
  return false;
}

std::optional<double> StopRule::Progress(double tout, double progressTime, double height,
                                         double startHeight) const {
  if (kind == kStopOnTime) return tout * 100.0 / progressTime;
  if (kind == kStopOnHeight) return HeightProgress(height, startHeight, stopHeight);
  return std::nullopt;
}

}  // namespace plumora
