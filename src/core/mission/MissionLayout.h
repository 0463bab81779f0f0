// The persistent content of a mission, in the order the mission file stores it, described once
// and walked by every reader and writer (binary .psd and JSON). Each item carries the key it has
// in JSON; the binary form ignores the keys and the groups and keeps only the order.
//
// A visitor provides:
//   Int(key, std::int32_t&)      Flag(key, std::int32_t&)   (a 0/1 switch stored as int32)
//   Real(key, double&)           Text(key, std::string&)
//   Vector(key, Vec3&)           Reals(key, std::array<double, N>&)
//   LegPoints(key, payload)      (the payload's leg count of leg points)
//   Unstored(key)                (a key a record may carry that is not stored for it)
//   Group(key, visit)            Records(key, list, visit)
// Writers take the same calls on a const mission; the values then only flow out.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/mission/Mission.h"

namespace plumora {

// The format version written first in every mission file; files of other versions open as a
// new mission.
inline constexpr std::int32_t kMissionFileVersion = 6;

// The first payload whose bridle legs cannot be stored (leg count outside the 50-slot table),
// or null. Such a mission is refused by every writer rather than stored unreadably.
inline const CPayload* FindUnstorablePayload(const Mission& mission) {
  for (const auto& p : mission.payloads) {
    if (p->connectionKind != kSingleStrope && (p->legCount < 0 || p->legCount > kMaxLegs)) {
      return p.get();
    }
  }
  return nullptr;
}

// JSON keys of the 23 initial state values, in stored order (InitialState::kFieldOrder).
inline constexpr std::array<std::string_view, 23> kInitialStateKeys = {
    "payload_angular_velocity_x",
    "parachute_angular_velocity_x",
    "payload_angular_velocity_y",
    "parachute_angular_velocity_y",
    "payload_angular_velocity_z",
    "parachute_angular_velocity_z",
    "height",
    "payload_path_angle",
    "parachute_path_angle",
    "payload_pitch",
    "payload_roll",
    "payload_velocity",
    "parachute_velocity",
    "payload_yaw",
    "latitude",
    "longitude",
    "heading",
    "parachute_offset_x",
    "parachute_offset_y",
    "parachute_offset_z",
    "parachute_roll",
    "parachute_pitch",
    "parachute_yaw",
};

// Moments and products of inertia (kg·m²), stored alike for payloads and parachutes.
template <typename V, typename Record>
void VisitInertia(V& v, Record& r) {
  v.Real("ixx", r.ixx);
  v.Real("iyy", r.iyy);
  v.Real("izz", r.izz);
  v.Real("ixy", r.ixy);
  v.Real("ixz", r.ixz);
  v.Real("iyz", r.iyz);
}

template <typename V, typename Payload>
void VisitPayload(V& v, Payload& p) {
  v.Text("comments", p.comments);
  v.Text("name", p.name);
  v.Text("type_keyword", p.typeKeyword);
  v.Int("number", p.number);
  VisitInertia(v, p);
  v.Real("reference_area", p.referenceArea);
  v.Real("reference_length", p.referenceLength);
  v.Real("mass", p.mass);
  v.Vector("strope_link", p.stropeLink);
  v.Int("connection_kind", p.connectionKind);
  v.Int("leg_count", p.legCount);
  v.Real("leg_length", p.legLength);
  // Single-strope payloads store no leg points; a text form may still carry them.
  if (p.connectionKind != kSingleStrope) {
    v.LegPoints("leg_points", p);
  } else {
    v.Unstored("leg_points");
  }
  v.Real("cog_distance", p.cogDistance);
  v.Real("leg_radius", p.legRadius);
  v.Int("type_index", p.typeIndex);
}

template <typename V, typename Parachute>
void VisitParachute(V& v, Parachute& c) {
  v.Text("comments", c.comments);
  v.Text("name", c.name);
  v.Text("type", c.type);
  v.Int("number", c.number);
  VisitInertia(v, c);
  v.Real("reference_area", c.referenceArea);
  v.Real("reserved_1", c.reserved1);
  v.Real("mass", c.mass);
  v.Vector("link", c.link);
  v.Real("line_length", c.lineLength);
  v.Real("stiffness", c.stiffness);
  v.Real("damping", c.damping);
  v.Reals("reserved_2_to_8", c.reserved2to8);
  v.Real("centre_of_pressure", c.centreOfPressure);
  v.Real("confluence_mass", c.confluenceMass);
}

template <typename V, typename Module>
void VisitBallisticEntry(V& v, Module& m) {
  v.Int("payload_number", m.payloadNumber);
  v.Int("reserved", m.reserved);
  v.Flag("general_solver", m.generalSolver);
  v.Real("stop_height", m.stopHeight);
  v.Real("stop_time", m.stopTime);
  v.Int("stop_kind", m.stopKind);
}

// The final descent record is the ballistic one between a parachute number and the mass point
// switch: the same fields under the same names.
template <typename V, typename Module>
void VisitFinalDescent(V& v, Module& m) {
  v.Int("parachute_number", m.parachuteNumber);
  VisitBallisticEntry(v, m);
  v.Flag("mass_point_at_confluence", m.massPointAtConfluence);
}

// A phase entry, directly followed by its module's record for the computed types.
template <typename V, typename Phase>
void VisitPhase(V& v, Phase& phase) {
  v.Text("name", phase.name);
  v.Flag("active", phase.active);
  v.Text("comments", phase.comments);
  std::int32_t type = phase.type();
  v.Int("type", type);
  // A reader learns the type here and creates the module whose record follows.
  if constexpr (!std::is_const_v<Phase>) {
    if (type != phase.type()) phase.SetType(type);
  }
  if (auto* module = phase.ballistic()) {
    v.Group("ballistic_entry", [&] { VisitBallisticEntry(v, *module); });
  }
  if (auto* module = phase.parachute()) {
    v.Group("final_descent", [&] { VisitFinalDescent(v, *module); });
  }
}

template <typename V, typename State>
void VisitInitialState(V& v, State& s) {
  for (std::size_t i = 0; i < kInitialStateKeys.size(); ++i) {
    v.Real(kInitialStateKeys[i], s.*InitialState::kFieldOrder[i]);
  }
}

// Everything after the format version.
template <typename V, typename M>
void VisitMission(V& v, M& m) {
  v.Records("payloads", m.payloads, [&](auto& p) { VisitPayload(v, p); });
  v.Records("parachutes", m.parachutes, [&](auto& c) { VisitParachute(v, c); });
  v.Int("next_payload_number", m.nextPayloadNumber);
  v.Int("next_parachute_number", m.nextParachuteNumber);
  v.Records("phases", m.phases, [&](auto& phase) { VisitPhase(v, phase); });
  v.Int("mission_type", m.missionType);
  v.Text("mission_name", m.missionName);
  v.Text("mission_comments", m.missionComments);
  v.Group("initial_state", [&] { VisitInitialState(v, m.initialState); });
  v.Group("solver", [&] {
    v.Real("absolute_error", m.solver.absoluteError);
    v.Real("relative_error", m.solver.relativeError);
    v.Real("final_time", m.solver.finalTime);
    v.Real("output_time_step", m.solver.outputTimeStep);
    v.Real("time_step", m.solver.timeStep);
    v.Int("integrator", m.solver.integrator);
  });
  // The atmosphere index is stored before the planet index.
  v.Group("environment", [&] {
    v.Int("atmosphere", m.environment.atmosphere);
    v.Int("planet", m.environment.planet);
    v.Flag("wind", m.environment.wind);
  });
}

}  // namespace plumora
