// The mission document: one mission, the tables last read for it, the results computed from it,
// and the front ends that watch it. Dialogs edit its mission in place, a run computes into its
// results, the views only read it. What a run changes while it goes on lives in the run's own
// RunState, so the document holds nothing of a run but its results.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "core/app/DocumentObserver.h"
#include "core/common/ProgressSink.h"
#include "core/common/Prompter.h"
#include "core/common/Result.h"
#include "core/environment/Environment.h"
#include "core/flight/TrajectoryStore.h"
#include "core/mission/Mission.h"

namespace plumora {

// What a front end keeps with a document besides its mission and results, for as long as the
// document lives (the desktop program's dispersion study). The document only owns it.
class DocumentAttachment {
 public:
  virtual ~DocumentAttachment() = default;
};

class CPlumoraDoc {
 public:
  // A new document: a new mission, no tables, no results, base folder = the current working
  // folder.
  CPlumoraDoc();
  ~CPlumoraDoc();
  CPlumoraDoc(const CPlumoraDoc&) = delete;
  CPlumoraDoc& operator=(const CPlumoraDoc&) = delete;

  Mission mission;
  CTrajectoryStore results;
  // Folder under which atm/ and adf/ are looked up: the working folder when it holds them,
  // otherwise the installed data (DefaultDataFolder).
  std::filesystem::path baseFolder;
  // Null until a front end attaches something; kept when another mission is adopted.
  std::unique_ptr<DocumentAttachment> attachment;

  // --- Commands that need no window ------------------------------------------------------
  // "Environment data" accepted: results emptied, settings stored, observers told.
  void ApplyEnvironment(const EnvironmentChoice& choice);
  // Deletes every module, phase, payload and parachute.
  void Destroy();
  // Takes over a freshly read mission. This document keeps its prompter, progress sink, observers
  // and base folder; its results and tables start empty, as in a new document. Observers hear
  // MissionPlanChanged, ResultsChanged and ViewsNeedUpdate.
  void AdoptMission(Mission&& source);

  // --- Environment -----------------------------------------------------------------------
  // The tables read for the mission last (by readatmosphere, a run or an import): empty in a new
  // document and after a new mission is adopted.
  const Environment& environment() const { return environment_; }
  void SetEnvironment(Environment environment) { environment_ = std::move(environment); }
  const AtmosphereTable& atmosphereTable() const { return environment_.atmosphere(); }
  const PlanetConstants& planetConstants() const { return environment_.planet(); }
  // Reads the atmosphere file the environment settings select into the document's environment.
  // On failure the error says why and the tables read before are kept; nothing is shown.
  Result<> ReadAtmosphere();
  // The same as the program's 1/0: on failure the message has been shown through the prompter.
  int readatmosphere();
  AtmosphereSample QueryAtmosphere(double h) const {
    return plumora::QueryAtmosphere(atmosphereTable(), h);
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
  void NotifyStudyChanged() const;

 private:
  Environment environment_;
  SilentPrompter silent_;
  Prompter* prompter_ = &silent_;
  NullProgressSink noProgress_;
  ProgressSink* progress_ = &noProgress_;
  std::vector<DocumentObserver*> observers_;
};

}  // namespace plumora
