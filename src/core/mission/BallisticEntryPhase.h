// The module object of a ballistic re-entry phase: its stored settings. The flight itself is run
// by RunBallisticEntry with working state of its own, so the record stays a plain value.
#pragma once

#include <cstdint>

#include "core/mission/StopKinds.h"

namespace plumora {

class CBallisticEntryPhase {
 public:
  std::int32_t payloadNumber = -1;        // payload flown; -1 none
  std::int32_t reserved = 1;              // stored and loaded, not used
  std::int32_t generalSolver = 1;         // the document's solver settings apply in any case
  double stopHeight = 0.0;                // m
  double stopTime = 100.0;                // s, counted from the start of the phase
  std::int32_t stopKind = kStopOnHeight;  // kStopOnTime or kStopOnHeight
};

}  // namespace plumora
