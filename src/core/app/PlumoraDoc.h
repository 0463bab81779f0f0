// The mission document: one mission, everything that describes it, the environment tables read
// for it and the results computed from it. Dialogs edit it in place, a run computes into it, the
// views only read it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/app/DocumentObserver.h"
#include "core/common/ProgressSink.h"
#include "core/common/Prompter.h"
#include "core/environment/Atmosphere.h"
#include "core/flight/HandOverState.h"
#include "core/flight/TrajectoryStore.h"
#include "core/mission/Records.h"
#include "core/mission/SolverSettings.h"

namespace plumora {

// Planets by index.
inline constexpr std::int32_t kEarth = 0;
inline constexpr std::int32_t kMars = 1;
inline constexpr std::int32_t kTitan = 2;

class CPlumoraDoc {
 public:
  // A new document: every default, empty lists, base folder = the current working folder.
  CPlumoraDoc();
  ~CPlumoraDoc();
  CPlumoraDoc(const CPlumoraDoc&) = delete;
  CPlumoraDoc& operator=(const CPlumoraDoc&) = delete;

  // --- Mission data, in stored order of meaning -------------------------------------------
  // The phases in execution order; each computed phase owns its module object.
  std::vector<std::unique_ptr<CMissionPhase>> phases;
  std::vector<std::shared_ptr<CPayload>> payloads;
  std::vector<std::shared_ptr<CParachute>> parachutes;
  CTrajectoryStore results;
  std::int32_t nextPayloadNumber = 0;
  std::int32_t nextParachuteNumber = 0;
  std::int32_t missionType = 0;  // 0 "Other", 1 "Booster recovery"
  std::string missionName = "Default";
  std::string missionComments;
  InitialState initialState;
  CHandOverState handOver;      // working copy passed from phase to phase during a run
  double absoluteError = 1e-5;  // solver absolute tolerance
  double relativeError = 1e-5;  // solver relative tolerance
  double finalTime = 100.0;     // s, reference duration for the final descent's progress
  double outputTimeStep = 0.1;  // s, spacing of stored samples
  double timeStep = 0.1;        // s, integration step
  std::int32_t integrator = kRungeKuttaFehlberg;
  std::int32_t planet = kEarth;
  std::int32_t atmosphere = 0;  // which file of the planet, in listing order
  std::int32_t wind = 0;        // 1: winds from the file; 0: calm
  AtmosphereTable atmosphereTable;
  PlanetConstants planetConstants;

  // Folder under which atm/ and adf/ are looked up.
  std::filesystem::path baseFolder;

  // --- Records -------------------------------------------------------------------------
  // A payload with every default and the next number, appended to the list.
  CPayload& CreatePayload();
  CParachute& CreateParachute();
  // The last entry with that number, or null.
  std::shared_ptr<CPayload> FindPayload(std::int32_t number) const;
  std::shared_ptr<CParachute> FindParachute(std::int32_t number) const;

  // A new phase of the given type (with a default module for types 0 and 3).
  CMissionPhase& AddPhase(std::int32_t type);
  CMissionPhase& InsertPhase(std::size_t index, std::int32_t type);
  void DeletePhase(std::size_t index);
  // Number of computed phases, and the 1-based position of a phase among them (0 if none).
  int ModuleCount() const;
  int ModulePosition(const CMissionPhase& phase) const;

  // The solver fields as one record, as the phase modules take them.
  SolverSettings Solver() const {
    return {absoluteError, relativeError, finalTime, outputTimeStep, timeStep, integrator};
  }

  // --- Commands that need no window ------------------------------------------------------
  // "System Initial State" accepted: the parachute's path angle and velocity follow the payload's.
  void ApplyInitialState(const InitialState& edited);
  // "Environment data" accepted: results emptied, settings stored, observers told.
  void ApplyEnvironment(std::int32_t newPlanet, std::int32_t newAtmosphere, std::int32_t newWind);
  // Deletes every module, phase, payload and parachute.
  void Destroy();
  // Takes over the mission of a freshly read document: its records, phases, counters, names,
  // initial state, solver and environment settings. This document keeps its prompter, progress
  // sink, observers and base folder; its results, hand-over record and environment tables start
  // empty, as in a new document. Observers hear MissionPlanChanged, ResultsChanged and
  // ViewsNeedUpdate.
  void AdoptMission(CPlumoraDoc&& source);

  // --- Environment -----------------------------------------------------------------------
  // Reads the atmosphere file the environment settings select: 1 on success, 0 on failure
  // (the message has been shown and the previous table and constants are kept).
  int readatmosphere();
  AtmosphereSample QueryAtmosphere(double h) const {
    return plumora::QueryAtmosphere(atmosphereTable, h);
  }

  // --- Front ends --------------------------------------------------------------------------
  void SetPrompter(Prompter* prompter) { prompter_ = prompter ? prompter : &silent_; }
  Prompter& prompter() const { return *prompter_; }
  void SetProgressSink(ProgressSink* sink) { progress_ = sink ? sink : &noProgress_; }
  ProgressSink& progress() const { return *progress_; }
  void AddObserver(DocumentObserver* observer);
  void RemoveObserver(DocumentObserver* observer);
  void NotifyChartZoomCleared() const;
  void NotifyResultsChanged() const;
  void NotifyViewsNeedUpdate() const;
  void NotifyMissionPlanChanged() const;

 private:
  SilentPrompter silent_;
  Prompter* prompter_ = &silent_;
  NullProgressSink noProgress_;
  ProgressSink* progress_ = &noProgress_;
  std::vector<DocumentObserver*> observers_;
};

}  // namespace plumora
