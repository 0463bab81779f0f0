#include "core/app/RunMission.h"

#include "core/app/PlumoraDoc.h"
#include "core/ballistic/BallisticEntry.h"
#include "core/parachute/FinalDescent.h"

namespace plumora {

namespace {

class EngineModules final : public PhaseModules {
 public:
  int RunBallisticEntry(CPlumoraDoc& doc, CMissionPhase& phase, CHandOverState& r) override {
    return plumora::RunBallisticEntry(doc, phase, r);
  }
  int RunParachutePhase(CPlumoraDoc& doc, CMissionPhase& phase, CHandOverState& r) override {
    return plumora::RunParachutePhase(doc, phase, r);
  }
};

// Step 6: the computed phases in list order, until one of them stops the mission.
void RunComputedPhases(CPlumoraDoc& doc, PhaseModules& modules) {
  for (std::size_t k = 0; k < doc.phases.size(); ++k) {
    CMissionPhase& phase = *doc.phases[k];
    int goOn = 1;
    switch (phase.type()) {
      case kPhaseBallisticEntry:
        goOn = modules.RunBallisticEntry(doc, phase, doc.handOver);
        break;
      case kPhaseFinalDescent:
        goOn = modules.RunParachutePhase(doc, phase, doc.handOver);
        break;
      default:
        break;  // deployment and inflation are not computed
    }
    if (goOn == 0) return;
  }
}

}  // namespace

void RunMission(CPlumoraDoc& doc, PhaseModules& modules) {
  doc.NotifyChartZoomCleared();
  if (doc.ModuleCount() == 0) return;
  doc.results.Clear();
  doc.handOver = CHandOverState::FromInitialState(doc.initialState);
  if (!doc.readatmosphere()) return;
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
