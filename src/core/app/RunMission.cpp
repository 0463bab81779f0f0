#include "core/app/RunMission.h"

#include "core/app/PlumoraDoc.h"
#include "core/ballistic/BallisticEntry.h"
#include "core/common/Messages.h"
#include "core/mission/RecordChecks.h"
#include "core/parachute/FinalDescent.h"

namespace plumora {

namespace {

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

// The first record a computed phase would fly that cannot fly, as its message; empty when all
// can. Records that do not exist are left to the modules, which say so in their own words.
std::string FlownRecordProblem(const CPlumoraDoc& doc) {
  for (const auto& phase : doc.phases) {
    std::shared_ptr<CPayload> payload;
    std::string problem;
    if (const CBallisticEntryPhase* entry = phase->ballistic()) {
      payload = FindByNumber(doc.payloads, entry->payloadNumber);
    } else if (const CParachutePhase* descent = phase->parachute()) {
      payload = FindByNumber(doc.payloads, descent->payloadNumber);
      if (auto parachute = FindByNumber(doc.parachutes, descent->parachuteNumber)) {
        problem = ParachuteFlightProblem(*parachute, descent->massPointAtConfluence != 0);
      }
    }
    if (problem.empty() && payload) problem = PayloadFlightProblem(*payload);
    if (!problem.empty()) return problem;
  }
  return {};
}

}  // namespace

int CountingModules::RunBallisticEntry(FlightContext& flight, CMissionPhase& phase,
                                       CHandOverState& r) {
  return Count(plumora::RunBallisticEntry(flight, phase, r));
}

int CountingModules::RunParachutePhase(FlightContext& flight, CMissionPhase& phase,
                                       CHandOverState& r) {
  return Count(plumora::RunParachutePhase(flight, phase, r));
}

int CountingModules::Count(int result) {
  ++phases;
  failures += result == 0;
  return result;
}

FlightContext FlightContextFor(CPlumoraDoc& doc, const CMissionPhase& phase) {
  return {doc.payloads,        doc.parachutes,
          doc.atmosphereTable, doc.planetConstants,
          doc.baseFolder,      doc.Solver(),
          doc.results,         doc.prompter(),
          doc.progress(),      doc.ModulePosition(phase),
          doc.ModuleCount()};
}

RunStart RunMission(CPlumoraDoc& doc, PhaseModules& modules, const AtmosphereFactors& air) {
  doc.NotifyChartZoomCleared();
  if (doc.ModuleCount() == 0) return RunStart::kNothingToRun;
  if (const std::string problem = FlownRecordProblem(doc); !problem.empty()) {
    doc.prompter().Message(problem, kCaptionError);
    return RunStart::kRecordRefused;
  }
  doc.results.Clear();
  doc.handOver = CHandOverState::FromInitialState(doc.initialState);
  if (!doc.readatmosphere()) return RunStart::kAtmosphereUnread;
  // The factors scale this run's copy of the table; the next read starts from the file again.
  ScaleAtmosphere(doc.atmosphereTable, air);
  RunComputedPhases(doc, modules);
  doc.results.ComputeRanges();
  doc.NotifyResultsChanged();
  doc.NotifyViewsNeedUpdate();
  return RunStart::kRan;
}

RunStart RunMission(CPlumoraDoc& doc) {
  CountingModules modules;
  return RunMission(doc, modules);
}

}  // namespace plumora
