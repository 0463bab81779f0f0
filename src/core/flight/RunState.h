// What one run of a mission changes, created for that run and for no other: the state handed from
// phase to phase, the store its samples go to, what it remembers of parachute flips, and the
// messages it showed while it went on; with the front end that watches it (a progress display,
// message boxes and questions), if any. The mission and the environment a run flies are never
// changed by it, so runs of copies of one mission through one environment may go on at once on
// as many threads, each with a RunState of its own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/ProgressSink.h"
#include "core/common/Prompter.h"
#include "core/flight/HandOverState.h"
#include "core/flight/TrajectoryStore.h"
#include "core/mission/Mission.h"

namespace plumora {

// How a computed phase ended normally, its final state handed on.
enum class PhaseEnd {
  kGround,         // the payload (or the canopy) reached the ground
  kStopCondition,  // its own time or height stop held
  kDeclined,       // the user declined to fly on after a parachute flip
};

// A message the run showed while it went on (the failure that ends a run is its outcome's).
struct Notice {
  std::string text;
  std::string_view caption;
};

// How much integration work a phase may spend before it counts as a crawl: evaluations of the
// equations of motion, a head start granted whatever the pace plus so many per second of flight.
// The bundled examples and the dispersion studies spend at most about 3000 per second; a mission
// of sound but stiff records built from the desktop's defaults spends 3.8 million in its first
// twentieth of a second while its lines settle, then little.
struct WorkBudget {
  double headStart = 2.0e7;   // evaluations
  double perSecond = 1.0e5;   // evaluations per second of flight
};

class RunState {
 public:
  // A run of mission, its samples going to results (which it does not clear), its hand-over
  // record set from the mission's initial state and its flip memory from the mission's records.
  RunState(const Mission& mission, CTrajectoryStore& results);
  RunState(const RunState&) = delete;
  RunState& operator=(const RunState&) = delete;

  CHandOverState handOver;    // the state handed from phase to phase
  CTrajectoryStore& results;  // where the samples go
  // What each phase of the mission (by its place in the list) remembers of a parachute flip.
  std::vector<FlipMemory> flips;
  std::vector<Notice> notices;  // what the run showed while it went on, in order
  WorkBudget workBudget;        // past it a phase is ended as a crawl

  // The front end: who shows progress, messages and questions while the run goes on. Without
  // one nothing is shown and a question is answered by flying on.
  void SetProgressSink(ProgressSink* sink) { progress_ = sink ? sink : &noProgress_; }
  ProgressSink& progress() const { return *progress_; }
  void SetPrompter(Prompter* prompter) { prompter_ = prompter; }

  // Shows a message that does not end the run, and notes it.
  void Notify(std::string_view text, std::string_view caption);
  // Shows an error that ends the run (if it has a message and there is a front end).
  void Show(const Error& error) const;
  // Asks the front end an OK/Cancel question; true (OK) without a front end.
  bool AskOkCancel(std::string_view text, std::string_view caption) const;

 private:
  NullProgressSink noProgress_;
  ProgressSink* progress_ = &noProgress_;
  Prompter* prompter_ = nullptr;
};

}  // namespace plumora
