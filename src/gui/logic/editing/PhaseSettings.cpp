#include "gui/logic/editing/PhaseSettings.h"

#include "gui/logic/commands/ControlIds.h"

namespace plumora::gui {

namespace {

template <typename Phase>
StopCondition StopOf(const Phase& phase) {
  return {phase.stopHeight, phase.stopTime, phase.stopKind};
}

template <typename Phase>
void WriteCommon(const PhaseSettings& s, Phase& phase) {
  phase.payloadNumber = s.payloadNumber;
  phase.generalSolver = s.generalSolver;
  phase.stopHeight = s.stop.height;
  phase.stopTime = s.stop.time;
  phase.stopKind = s.stop.kind;
}

}  // namespace

const std::array<NumberFieldRow<StopCondition>, 2> kStopFields = {{
    {kCtlStopTime, "Time", "s", &StopCondition::time},
    {kCtlStopHeight, "Height", "m", &StopCondition::height},
}};

PhaseSettings PhaseSettings::Of(const CBallisticEntryPhase& phase) {
  PhaseSettings s;
  s.payloadNumber = phase.payloadNumber;
  s.generalSolver = phase.generalSolver;
  s.stop = StopOf(phase);
  return s;
}

PhaseSettings PhaseSettings::Of(const CParachutePhase& phase) {
  PhaseSettings s;
  s.payloadNumber = phase.payloadNumber;
  s.parachuteNumber = phase.parachuteNumber;
  s.generalSolver = phase.generalSolver;
  s.massPointAtConfluence = phase.massPointAtConfluence;
  s.stop = StopOf(phase);
  return s;
}

bool PhaseSettings::WriteTo(CBallisticEntryPhase& phase) const {
  const PhaseSettings before = Of(phase);
  WriteCommon(*this, phase);
  return !(Of(phase) == before);
}

bool PhaseSettings::WriteTo(CParachutePhase& phase) const {
  const PhaseSettings before = Of(phase);
  WriteCommon(*this, phase);
  phase.parachuteNumber = parachuteNumber;
  phase.massPointAtConfluence = massPointAtConfluence;
  return !(Of(phase) == before);
}

}  // namespace plumora::gui
