// The module object of a final descent phase: its stored settings and what its runs remember of a
// parachute flip.
#pragma once

#include <cstdint>

#include "core/mission/StopKinds.h"

namespace plumora {

// What the runs of a final descent phase remember of a parachute flip. It lives as long as the
// phase record (a new run does not clear it) but is never written to a file and is no part of the
// mission's value: missions that differ only in it are equal. A run works on its own copy
// (RunState) and the document keeps what the run ended with.
struct FlipMemory {
  // Set when the air meets the canopy from behind; cleared when the user lets the run go on.
  bool detected = false;
  // Once the user has let a flipped parachute go on, the question is not asked again.
  bool accepted = false;
};

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

  FlipMemory flip;  // not stored
};

}  // namespace plumora
