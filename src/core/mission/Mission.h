// A mission as a value: everything a mission file holds (the payload and parachute databases,
// the phases with their module records, the counters, names, initial state, solver settings and
// the choice of environment), and nothing else: no tables read for it, no results, no run state,
// no front end. Copies are deep and independent, so a run (or each run of a dispersion study) can
// fly a copy of its own and change it; two missions are equal when every stored field is equal to
// the bit, as the file would store them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/environment/Environment.h"
#include "core/mission/Records.h"
#include "core/mission/SolverSettings.h"

namespace plumora {

class Mission {
 public:
  Mission() = default;
  Mission(const Mission& other);
  Mission& operator=(const Mission& other);
  Mission(Mission&&) noexcept = default;
  Mission& operator=(Mission&&) noexcept = default;
  ~Mission() = default;

  // --- Stored, in the order of meaning --------------------------------------------------------
  std::vector<std::shared_ptr<CPayload>> payloads;
  std::vector<std::shared_ptr<CParachute>> parachutes;
  std::int32_t nextPayloadNumber = 0;    // number of the next payload created
  std::int32_t nextParachuteNumber = 0;  // number of the next parachute created
  // The phases in execution order; each computed phase owns its module record.
  std::vector<std::unique_ptr<CMissionPhase>> phases;
  std::int32_t missionType = 0;  // 0 "Other", 1 "Booster recovery"
  std::string missionName = "Default";
  std::string missionComments;
  InitialState initialState;
  SolverSettings solver;
  EnvironmentChoice environment;

  // --- Records --------------------------------------------------------------------------------
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

  // "System Initial State" accepted: the parachute's path angle and velocity follow the payload's.
  void ApplyInitialState(const InitialState& edited);

  // The names of the aerodynamic tables the computed phases fly with (each once), for the
  // environment of a run to load.
  std::vector<std::string> FlownAeroTables() const;

  // Forgets what earlier runs remembered of parachute flips.
  void ForgetFlips();

  friend bool operator==(const Mission& a, const Mission& b);
};

}  // namespace plumora
