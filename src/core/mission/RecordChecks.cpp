#include "core/mission/RecordChecks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>

#include "core/common/CodePage.h"
#include "core/common/Constants.h"

namespace plumora {

namespace {

using Field = std::pair<std::string_view, double>;  // name as the user knows it, value

// The first field that is not a positive finite number, then the first that is not finite.
std::optional<std::string> FieldProblem(std::initializer_list<Field> positive,
                                        std::initializer_list<Field> finite) {
  for (const auto& [name, value] : positive) {
    if (!std::isfinite(value)) return std::string(name) + " must be a finite number";
    if (!(value > 0.0)) return std::string(name) + " must be positive";
  }
  for (const auto& [name, value] : finite) {
    if (!std::isfinite(value)) return std::string(name) + " must be a finite number";
  }
  return std::nullopt;
}

Result<> Named(std::string_view kind, std::int32_t number, const std::string& name,
               const std::optional<std::string>& problem) {
  if (!problem) return {};
  return Fail(ErrorCode::kInvalid, std::string(kind) + " " + std::to_string(number) + " \"" +
                                       Windows1252ToUtf8(name) + "\": " + *problem + "\n");
}

}  // namespace

Result<> CheckPayloadCanFly(const CPayload& p) {
  return Named(
      "Payload", p.number, p.name,
      FieldProblem({{"mass", p.mass},
                    {"inertia Ixx", p.ixx},
                    {"inertia Iyy", p.iyy},
                    {"inertia Izz", p.izz},
                    {"reference area", p.referenceArea}},
                   {{"inertia Ixy", p.ixy}, {"inertia Ixz", p.ixz}, {"inertia Iyz", p.iyz}}));
}

Result<> CheckParachuteCanFly(const CParachute& c, bool massPointAtConfluence) {
  std::optional<std::string> problem = FieldProblem({{"mass", c.mass},
                                                     {"inertia Ixx", c.ixx},
                                                     {"inertia Iyy", c.iyy},
                                                     {"inertia Izz", c.izz},
                                                     {"reference area", c.referenceArea},
                                                     {"stiffness", c.stiffness}},
                                                    {});
  // The confluence point's mass is flown only by the mass-point model.
  if (!problem && massPointAtConfluence) {
    problem = FieldProblem({{"confluence point mass", c.confluenceMass}}, {});
  }
  return Named("Parachute", c.number, c.name, problem);
}

Result<> CheckFlownRecords(const Mission& mission) {
  for (const auto& phase : mission.phases) {
    std::shared_ptr<CPayload> payload;
    if (const CBallisticEntryPhase* entry = phase->ballistic()) {
      payload = mission.FindPayload(entry->payloadNumber);
    } else if (const CParachutePhase* descent = phase->parachute()) {
      payload = mission.FindPayload(descent->payloadNumber);
      if (auto parachute = mission.FindParachute(descent->parachuteNumber)) {
        if (auto check = CheckParachuteCanFly(*parachute, descent->massPointAtConfluence != 0);
            !check) {
          return check;
        }
      }
    }
    if (payload) {
      if (auto check = CheckPayloadCanFly(*payload); !check) return check;
    }
  }
  return {};
}

}  // namespace plumora

namespace plumora {

namespace {

// A canopy whose smallest moment of inertia is below a twentieth of its shell's is implausible.
constexpr double kLeastShellInertiaShare = 0.05;
// No flight lasts longer (s): an output step beyond it leaves a phase a single sample.
constexpr double kLongestFlight = 1.0e6;
constexpr double kLargestLatitude = 90.0;  // °
// Longer lines than this are no parachute's: the canopy would never pull.
constexpr double kLongestLine = 10000.0;  // m

std::string Line(std::string_view what, const std::string& problem) {
  return std::string(what) + ": " + problem + "\n";
}

std::string RecordName(std::string_view kind, std::int32_t number, const std::string& name) {
  return std::string(kind) + " " + std::to_string(number) + " \"" + Windows1252ToUtf8(name) + "\"";
}

void AddProblem(std::vector<std::string>& list, const std::string& what,
                const std::optional<std::string>& problem) {
  if (problem) list.push_back(Line(what, *problem));
}

std::optional<std::string> NotFinite(std::initializer_list<Field> fields) {
  return FieldProblem({}, fields);
}

std::optional<std::string> NotFiniteVector(std::string_view name, const Vec3& v) {
  return NotFinite({{name, v.x}, {name, v.y}, {name, v.z}});
}

void CheckPayloadFields(const CPayload& p, MissionFindings& found) {
  const std::string what = RecordName("Payload", p.number, p.name);
  if (auto check = CheckPayloadCanFly(p); !check) {
    found.errors.push_back(check.message());
    return;
  }
  std::optional<std::string> problem = NotFinite({{"reference length", p.referenceLength},
                                                  {"COG distance", p.cogDistance},
                                                  {"leg radius", p.legRadius}});
  if (!problem) problem = NotFiniteVector("strope link", p.stropeLink);
  if (!problem && p.connectionKind != kSingleStrope) {
    problem = FieldProblem({{"leg length", p.legLength}}, {});
  }
  AddProblem(found.errors, what, problem);
}

void CheckParachuteFields(const CParachute& c, bool massPoint, MissionFindings& found) {
  const std::string what = RecordName("Parachute", c.number, c.name);
  if (auto check = CheckParachuteCanFly(c, massPoint); !check) {
    found.errors.push_back(check.message());
    return;
  }
  std::optional<std::string> problem =
      FieldProblem({{"line length", c.lineLength}},
                   {{"damping", c.damping}, {"centre of pressure", c.centreOfPressure}});
  if (!problem) problem = NotFiniteVector("link", c.link);
  if (!problem && c.lineLength > kLongestLine) problem = "line length must be at most 10000 m";
  AddProblem(found.errors, what, problem);
  if (!problem) {
    for (std::string& warning : ParachuteWarnings(c)) found.warnings.push_back(std::move(warning));
  }
}

template <typename Module>
void CheckStop(const Module& m, const std::string& what, const SolverSettings& solver,
               MissionFindings& found) {
  if (m.stopKind == kStopOnTime) {
    if (auto problem = FieldProblem({{"stop time", m.stopTime}}, {})) {
      found.errors.push_back(Line(what, *problem));
    } else if (std::isfinite(solver.outputTimeStep) && solver.outputTimeStep > m.stopTime) {
      found.errors.push_back(
          Line(what, "the output time step is longer than the stop time: fewer than 2 samples"));
    }
    return;
  }
  if (auto problem = NotFinite({{"stop height", m.stopHeight}})) {
    found.errors.push_back(Line(what, *problem));
  } else if (m.stopHeight < 0.0) {
    found.warnings.push_back(Line(what, "the stop height is below the ground"));
  }
}

void CheckInitialState(const InitialState& s, MissionFindings& found) {
  static const char* const kNames[] = {"payload rate x",
                                       "parachute rate x",
                                       "payload rate y",
                                       "parachute rate y",
                                       "payload rate z",
                                       "parachute rate z",
                                       "height",
                                       "payload path angle",
                                       "parachute path angle",
                                       "payload pitch",
                                       "payload roll",
                                       "payload velocity",
                                       "parachute velocity",
                                       "payload yaw",
                                       "latitude",
                                       "longitude",
                                       "heading",
                                       "parachute offset x",
                                       "parachute offset y",
                                       "parachute offset z",
                                       "parachute roll",
                                       "parachute pitch",
                                       "parachute yaw"};
  static_assert(std::size(kNames) == InitialState::kFieldOrder.size());
  for (std::size_t k = 0; k < std::size(kNames); ++k) {
    if (!std::isfinite(s.*InitialState::kFieldOrder[k])) {
      found.errors.push_back(
          Line("Initial state", std::string(kNames[k]) + " must be a finite number"));
    }
  }
  if (std::isfinite(s.latitude) && std::fabs(s.latitude) > kLargestLatitude) {
    found.errors.push_back(Line("Initial state", "latitude must be from -90 to 90 degrees"));
  }
}

void CheckSolver(const SolverSettings& s, MissionFindings& found) {
  for (const auto& [name, value] :
       {Field{"absolute error", s.absoluteError}, Field{"relative error", s.relativeError}}) {
    if (!(value > 0.0 && value < 1.0)) {
      found.errors.push_back(
          Line("Solver", std::string(name) + " must be greater than 0 and less than 1"));
    }
  }
  AddProblem(found.errors, "Solver",
             FieldProblem({{"time step", s.timeStep}, {"output time step", s.outputTimeStep}},
                          {{"final time", s.finalTime}}));
  if (std::isfinite(s.outputTimeStep) && s.outputTimeStep > kLongestFlight) {
    found.errors.push_back(
        Line("Solver", "the output time step is longer than any flight: fewer than 2 samples"));
  }
  if (s.timeStep > s.outputTimeStep && std::isfinite(s.timeStep)) {
    found.warnings.push_back(Line("Solver", "the time step is longer than the output time step"));
  }
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line;
  return text;
}

}  // namespace

std::string MissionFindings::ErrorText() const {
  return Joined(errors);
}

std::string MissionFindings::WarningText() const {
  return Joined(warnings);
}

double CanopyShellInertia(double mass, double referenceArea) {
  // A hemisphere of radius r over an opening of area π·r²; about its axis a thin shell has
  // I = 2/3·m·r².
  const double radiusSquared = referenceArea / kPi;
  return 2.0 / 3.0 * mass * radiusSquared;
}

std::vector<std::string> ParachuteWarnings(const CParachute& c) {
  std::vector<std::string> warnings;
  const std::string what = RecordName("Parachute", c.number, c.name);
  const double shell = CanopyShellInertia(c.mass, c.referenceArea);
  const double least = std::min({c.ixx, c.iyy, c.izz});
  if (least < kLeastShellInertiaShare * shell) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "inertia %.6g kg*m2 is far below the %.6g kg*m2 of a shell of its mass and "
                  "reference area",
                  least, shell);
    warnings.push_back(Line(what, text));
  }
  if (c.damping < 0.0) warnings.push_back(Line(what, "the line damping is negative"));
  return warnings;
}

MissionFindings CheckMission(const Mission& mission) {
  MissionFindings found;
  if (mission.ModuleCount() == 0) return found;
  CheckSolver(mission.solver, found);
  CheckInitialState(mission.initialState, found);
  int position = 0;
  for (const auto& phase : mission.phases) {
    ++position;
    const std::string what = RecordName("Phase", position, phase->name);
    if (const CBallisticEntryPhase* entry = phase->ballistic()) {
      CheckStop(*entry, what, mission.solver, found);
      if (auto payload = mission.FindPayload(entry->payloadNumber)) {
        CheckPayloadFields(*payload, found);
      }
    } else if (const CParachutePhase* descent = phase->parachute()) {
      CheckStop(*descent, what, mission.solver, found);
      if (auto payload = mission.FindPayload(descent->payloadNumber)) {
        CheckPayloadFields(*payload, found);
      }
      if (auto parachute = mission.FindParachute(descent->parachuteNumber)) {
        CheckParachuteFields(*parachute, descent->massPointAtConfluence != 0, found);
      }
    }
  }
  // A record flown by two phases is said once.
  for (auto* list : {&found.errors, &found.warnings}) {
    std::vector<std::string> once;
    for (std::string& line : *list) {
      if (std::find(once.begin(), once.end(), line) == once.end()) once.push_back(std::move(line));
    }
    *list = std::move(once);
  }
  return found;
}

}  // namespace plumora
