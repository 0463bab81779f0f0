#include "core/app/RunMission.h"

#include "core/app/PlumoraDoc.h"
#include "core/ballistic/BallisticEntry.h"
#include "core/parachute/FinalDescent.h"

namespace plumora {

namespace {

class EngineModules final : public PhaseModules {
 public:
  int RunBallisticEntry(FlightContext& flight, CMissionPhase& phase, CHandOverState& r) override {
    return plumora::RunBallisticEntry(flight, phase, r);
  }
  int RunParachutePhase(FlightContext& flight, CMissionPhase& phase, CHandOverState& r) override {
    return plumora::RunParachutePhase(flight, phase, r);
  }
};

// Step 6: the computed phases in list order, until one of them stops the mission.
void RunComputedPhases(CPlumoraDoc& doc, PhaseModules& modules) {
  for (std::size_t k = 0; k < doc.phases.size(); ++k) {
    CMissionPhase& phase = *doc.phases[k];
    FlightContext flight = FlightContextFor(doc, phase);
    int goOn = 1;
    switch (phase.type()) {
      case kPhaseBallisticEntry:
        goOn = modules.RunBallisticEntry(flight, phase, doc.handOver);
        break;
      case kPhaseFinalDescent:
        goOn = modules.RunParachutePhase(flight, phase, doc.handOver);
        break;
      default:
        break;  // deployment and inflation are not computed
    }
    if (goOn == 0) return;
  }
}

}  // namespace

FlightContext FlightContextFor(CPlumoraDoc& doc, const CMissionPhase& phase) {
  return {doc.payloads,        doc.parachutes,
          doc.atmosphereTable, doc.planetConstants,
          doc.baseFolder,      doc.Solver(),
          doc.results,         doc.prompter(),
          doc.progress(),      doc.ModulePosition(phase),
          doc.ModuleCount()};
}

int RecordingModules::RunBallisticEntry(FlightContext& flight, CMissionPhase& phase,
                                        CHandOverState& r) {
  return Note(flight, phase, plumora::RunBallisticEntry(flight, phase, r));
}

int RecordingModules::RunParachutePhase(FlightContext& flight, CMissionPhase& phase,
                                        CHandOverState& r) {
  return Note(flight, phase, plumora::RunParachutePhase(flight, phase, r));
}

int RecordingModules::Note(const FlightContext& flight, const CMissionPhase& phase, int result) {
  outcomes.push_back({&phase, result, flight.results.LastIndex()});
  return result;
}

void RunMission(CPlumoraDoc& doc, PhaseModules& modules, const AtmosphereFactors& air) {
  doc.NotifyChartZoomCleared();
  if (doc.ModuleCount() == 0) return;
  doc.results.Clear();
  doc.handOver = CHandOverState::FromInitialState(doc.initialState);
  if (!doc.readatmosphere()) return;
  // The factors scale this run's copy of the table; the next read starts from the file again.
  ScaleAtmosphere(doc.atmosphereTable, air);
  RunComputedPhases(doc, modules);
  doc.results.ComputeRanges();
  doc.NotifyResultsChanged();
  doc.NotifyViewsNeedUpdate();
}

void RunMission(CPlumoraDoc& doc) {
  EngineModules modules;
  RunMission(doc, modules);
}

}  // namespace plumora
