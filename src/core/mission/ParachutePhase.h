// The module object of a final descent phase: its stored settings and the two flip flags, which
// live as long as the record (a new run does not clear them) but are never written to a file.
#pragma once

#include <cstdint>

#include "core/mission/StopKinds.h"

namespace plumora {

class CParachutePhase {
 public:
  // Stored fields, in file order.
  std::int32_t parachuteNumber = -1;       // parachute flown; -1 none
  std::int32_t payloadNumber = -1;         // payload flown; -1 none
  std::int32_t reserved = 1;               // stored and loaded, not used
  std::int32_t generalSolver = 1;          // the document's solver settings apply in any case
  double stopHeight = 0.0;                 // m
  double stopTime = 100.0;                 // s, counted from the start of the phase
  std::int32_t stopKind = kStopOnHeight;   // kStopOnTime or kStopOnHeight
  std::int32_t massPointAtConfluence = 0;  // 1: the confluence point carries mass

  // Set when the air meets the canopy from behind; cleared when the user lets the run go on.
  bool flipDetected = false;
  // Once the user has let a flipped parachute go on, the question is not asked again.
  bool flipAccepted = false;
};

}  // namespace plumora
