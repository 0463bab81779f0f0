// When a computed phase ends by its own condition, and how far along that condition it is.
// Both phase modules stop by these rules; the ground is each module's own affair.
#pragma once

#include <cstdint>
#include <optional>

#include "core/mission/StopKinds.h"

namespace plumora {

struct StopRule {
  std::int32_t kind = kStopOnHeight;  // kStopOnTime, kStopOnHeight; any other: no stop of its own
  double stopTime = 0.0;              // s, phase time
  double stopHeight = 0.0;            // m
  double timeStep = 0.0;              // s, the integration step

  // True once the condition holds, with TOUT already advanced past the step just taken.
  bool Reached(double tout, double height) const;
  // Share done in percent: a time stop measures tout against progressTime, a height stop the
  // way down from startHeight. Nothing for other kinds.
  std::optional<double> Progress(double tout, double progressTime, double height,
                                 double startHeight) const;
};

// A time stop holds once TOUT reaches the stop time plus half a step.
bool TimeStopReached(double stopTime, double timeStep, double tout);
// The share of the way down from the starting height, 0 while above it.
double HeightProgress(double height, double startHeight, double stopHeight);

}  // namespace plumora
