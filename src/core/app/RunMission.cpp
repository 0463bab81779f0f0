#include "core/app/RunMission.h"

#include "core/app/PlumoraDoc.h"
#include "core/ballistic/BallisticEntry.h"
#include "core/common/VectorState.h"
#include "core/mission/RecordChecks.h"
#include "core/parachute/FinalDescent.h"

namespace plumora {

namespace {

// Step 4: the computed phases in list order, until one of them stops the mission.
void FlyComputedPhases(const Mission& mission, const Environment& environment,
                       const AtmosphereScaling& air, RunState& state, PhaseModules& modules,
                       std::vector<PhaseOutcome>& outcomes) {
  for (std::size_t k = 0; k < mission.phases.size(); ++k) {
    const CMissionPhase& phase = *mission.phases[k];
    if (!phase.IsComputed()) continue;  // deployment and inflation are not computed
    FlightContext flight = FlightContextFor(mission, environment, air, state, k);
    // Every flight passes here, on whatever thread it was given; the desktop program's front end
    // may have run Qt's code on it since the last phase.
    ClearUpperVectorState();
    const int before = state.results.LastIndex();
    Result<PhaseEnd> end = phase.type() == kPhaseBallisticEntry
                               ? modules.FlyBallisticEntry(flight, phase, state.handOver)
                               : modules.FlyFinalDescent(flight, phase, state.handOver);
    const bool goOn = end.ok();
    outcomes.push_back({k, std::move(end), before + 1, state.results.LastIndex()});
    if (!goOn) return;
  }
}

// The mission's errors as one refusal, each line naming its record and field.
Result<> ErrorsOf(const MissionFindings& findings) {
  if (!findings.HasErrors()) return {};
  return Fail(ErrorCode::kInvalid, findings.ErrorText());
}

Result<> MissionErrors(const Mission& mission) {
  return ErrorsOf(CheckMission(mission));
}

}  // namespace

Result<PhaseEnd> EngineModules::FlyBallisticEntry(FlightContext& flight, const CMissionPhase& phase,
                                                  CHandOverState& r) {
  return plumora::FlyBallisticEntry(flight, phase, r);
}

Result<PhaseEnd> EngineModules::FlyFinalDescent(FlightContext& flight, const CMissionPhase& phase,
                                                CHandOverState& r) {
  return plumora::FlyFinalDescent(flight, phase, r);
}

FlightEnd RunOutcome::End() const {
  if (start == RunStart::kNothingToRun) return FlightEnd::kNotFlown;
  if (start != RunStart::kRan || phases.empty()) return FlightEnd::kFailed;
  const Result<PhaseEnd>& last = phases.back().end;
  if (!last) {
    return last.code() == ErrorCode::kStopped ? FlightEnd::kStoppedByUser : FlightEnd::kFailed;
  }
  switch (last.value()) {
    case PhaseEnd::kGround:
      return FlightEnd::kLanded;
    case PhaseEnd::kStopCondition:
      return FlightEnd::kStopCondition;
    case PhaseEnd::kDeclined:
      return FlightEnd::kDeclined;
  }
  return FlightEnd::kFailed;
}

const Error* RunOutcome::Failure() const {
  if (!refusal) return &refusal.error();
  if (!phases.empty() && !phases.back().end) return &phases.back().end.error();
  return nullptr;
}

RunOutcome FlyMission(const Mission& mission, const Environment& environment,
                      const AtmosphereFactors& air, RunState& state, PhaseModules& modules) {
  RunOutcome outcome;
  if (mission.ModuleCount() == 0) return outcome;
  if (Result<> check = MissionErrors(mission); !check) {
    outcome.start = RunStart::kRecordRefused;
    outcome.refusal = std::move(check);
    return outcome;
  }
  state.results.Clear();
  outcome.start = RunStart::kRan;
  FlyComputedPhases(mission, environment, AtmosphereScaling::Of(air), state, modules,
                    outcome.phases);
  state.results.ComputeRanges();
  return outcome;
}

RunOutcome FlyMission(const Mission& mission, const Environment& environment,
                      const AtmosphereFactors& air, RunState& state) {
  EngineModules modules;
  return FlyMission(mission, environment, air, state, modules);
}

Result<Environment> LoadRunEnvironment(const std::filesystem::path& base, const Mission& mission) {
  return Environment::Load(base, mission.environment, mission.FlownAeroTables());
}

RunOutcome RunMission(CPlumoraDoc& doc, PhaseModules& modules) {
  const Mission& mission = doc.mission;
  doc.NotifyChartZoomCleared();
  RunOutcome outcome;
  if (mission.ModuleCount() == 0) return outcome;
  const MissionFindings findings = CheckMission(mission);
  if (!findings.warnings.empty()) doc.prompter().Message(findings.WarningText(), kCaptionWarning);
  if (Result<> check = ErrorsOf(findings); !check) {
    ShowError(doc.prompter(), check.error());
    outcome.start = RunStart::kRecordRefused;
    outcome.refusal = std::move(check);
    return outcome;
  }
  doc.results.Clear();
  Result<Environment> environment = LoadRunEnvironment(doc.baseFolder, mission);
  if (!environment) {
    ShowError(doc.prompter(), environment.error());
    outcome.start = RunStart::kAtmosphereUnread;
    outcome.refusal = std::move(environment).error();
    return outcome;
  }
  doc.SetEnvironment(std::move(environment).value());

  RunState state(mission, doc.results);
  state.SetPrompter(&doc.prompter());
  state.SetProgressSink(&doc.progress());
  outcome = FlyMission(mission, doc.environment(), AtmosphereFactors{}, state, modules);
  if (const Error* failure = outcome.Failure()) ShowError(doc.prompter(), *failure);
  // The flip memory belongs to the phase records: the next run starts from what this one ended
  // with.
  for (std::size_t k = 0; k < mission.phases.size(); ++k) {
    if (CParachutePhase* descent = doc.mission.phases[k]->parachute()) {
      descent->flip = state.flips[k];
    }
  }
  doc.NotifyResultsChanged();
  doc.NotifyViewsNeedUpdate();
  return outcome;
}

RunOutcome RunMission(CPlumoraDoc& doc) {
  EngineModules modules;
  return RunMission(doc, modules);
}

}  // namespace plumora
