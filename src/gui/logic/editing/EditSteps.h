// The names the mission's edits go by in the Edit menu ("Undo Payload data"): the editor each
// one was made in.
#pragma once

#include <string>

#include "gui/logic/app/MissionHistory.h"
#include "gui/logic/editing/RecordManager.h"

namespace plumora::gui {

inline EditStep ManagerStep(RecordKind kind) {
  return {kind == RecordKind::kPayload ? "Payload manager" : "Parachute manager", {}};
}
inline EditStep RecordDataStep(RecordKind kind) {
  return {kind == RecordKind::kPayload ? "Payload data" : "Parachute data", {}};
}
inline EditStep MissionEditorStep() {
  return {"Mission editor", {}};
}
// The comments of one phase, typed a key at a time, are one step.
inline EditStep PhaseCommentsStep(int phase) {
  return {"Phase comments", "phase comments " + std::to_string(phase)};
}
inline EditStep PhaseDataStep() {
  return {"Phase data", {}};
}
inline EditStep InitialStateStep() {
  return {"Initial state", {}};
}
inline EditStep SolverStep() {
  return {"Solver", {}};
}
inline EditStep EnvironmentStep() {
  return {"Environment", {}};
}
inline EditStep ImportStep() {
  return {"Import data", {}};
}

}  // namespace plumora::gui
