// The records a mission document owns: payloads, parachutes, the initial state and the phases.
// Angles are degrees and rates degrees per second in every record; models convert to radians.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/common/Constants.h"
#include "core/common/Vec3.h"
#include "core/mission/BallisticEntryPhase.h"
#include "core/mission/ParachutePhase.h"

namespace plumora {

// Payload types, by the index of the "Type" choice, and the keyword stored with each.
inline constexpr int kPayloadTypeCount = 5;
inline constexpr std::array<const char*, kPayloadTypeCount> kPayloadTypeKeywords = {
    "ZEL", "OVMKPHASE0", "OVMKPHASE1", "OVMKPHASE2", "SKORVAN"};

// Connection kinds of a payload.
inline constexpr std::int32_t kSingleStrope = 0;
inline constexpr std::int32_t kBridleLegs = 1;

class CPayload {
 public:
  // Stored fields, in file order. Strings hold the bytes of the files (Windows-1252).
  std::string comments;
  std::string name;
  std::string typeKeyword = kPayloadTypeKeywords[0];
  std::int32_t number = 0;          // identity used by phases
  double ixx = 1000.0;              // kg·m²
  double iyy = 1000.0;              // kg·m²
  double izz = 1000.0;              // kg·m²
  double ixy = 0.0;                 // kg·m², product of inertia
  double ixz = 0.0;                 // kg·m²
  double iyz = 0.0;                 // kg·m²
  double referenceArea = 6.16;      // m²
  double referenceLength = 2.8;     // m, moment reference length of the aerodynamic model
  double mass = 2800.0;             // kg
  Vec3 stropeLink{-1.0, 0.0, 0.0};  // m, single strope attachment, payload body axes
  std::int32_t connectionKind = kSingleStrope;  // 0 single strope, otherwise bridle legs
  std::int32_t legCount = 2;                    // bridle legs, 1 to 50
  double legLength = 3.0;                       // m, every leg
  std::array<Vec3, kMaxLegs> legPoints{};       // m, leg attachments, payload body axes (derived)
  double cogDistance = -1.0;                    // m, leg attachment plane along the body x axis
  double legRadius = 0.35;                      // m, leg attachment circle
  std::int32_t typeIndex = 0;                   // the "Type" choice, 0 to 4

  // Places the legs evenly on the attachment circle; called on creation and when the data
  // dialog is accepted, never after a file load (files bring their own points).
  void DeriveLegPoints();
  // Scale of the 3D model, following the type index.
  double ModelScale() const { return typeIndex == 4 ? 0.025 : 1.0; }
};

class CParachute {
 public:
  // Stored fields, in file order.
  std::string comments;
  std::string name;
  std::string type;
  std::int32_t number = 0;      // identity used by phases
  double ixx = 10.0;            // kg·m²
  double iyy = 10.0;            // kg·m²
  double izz = 10.0;            // kg·m²
  double ixy = 0.0;             // kg·m², stored but not used by the dynamics
  double ixz = 0.0;             // kg·m²
  double iyz = 0.0;             // kg·m²
  double referenceArea = 10.0;  // m²
  double reserved1 = 1.0;       // stored, not edited
  double mass = 10.0;           // kg
  Vec3 link{14.0, 0.0, 0.0};    // m, riser end, parachute body axes
  double lineLength = 20.0;     // m, rest length of the riser and the bridle legs' reference
  double stiffness = 10000.0;   // N/m
  double damping = 10.0;        // N/(m/s)
  std::array<double, 7> reserved2to8{};  // stored, not edited
  double centreOfPressure = 0.5;         // m behind the centre of gravity
  double confluenceMass = 2.0;           // kg, mass point at the confluence
};

// The aerodynamic table a payload flies with, by its file name under adf/ (empty: the default
// file). Mission files name none, so every payload flies with the default table; the tables
// themselves live in the Environment of a run, shared by every payload that names them.
inline std::string AeroTableOf(const CPayload&) {
  return {};
}

// Payloads and parachutes are known by their number, never by list position: the last entry
// with the number is the one meant. Null when there is none.
template <typename Record>
std::shared_ptr<Record> FindByNumber(const std::vector<std::shared_ptr<Record>>& list,
                                     std::int32_t number) {
  const auto it = std::find_if(list.rbegin(), list.rend(),
                               [number](const auto& record) { return record->number == number; });
  return it == list.rend() ? nullptr : *it;
}

// The state at the start of a mission, in stored order.
struct InitialState {
  double payloadRateX = 0.0;           // °/s
  double parachuteRateX = 0.0;         // °/s
  double payloadRateY = 0.0;           // °/s
  double parachuteRateY = 0.0;         // °/s
  double payloadRateZ = 0.0;           // °/s
  double parachuteRateZ = 0.0;         // °/s
  double height = 14000.0;             // m
  double payloadPathAngle = -12.14;    // °
  double parachutePathAngle = -12.14;  // °
  double payloadPitch = 0.0;           // °
  double payloadRoll = 0.0;            // °
  double payloadVelocity = 500.0;      // m/s
  double parachuteVelocity = 500.0;    // m/s
  double payloadYaw = 0.0;             // °
  double latitude = 0.0;               // °
  double longitude = 0.0;              // °
  double heading = 0.0;                // °, from north towards east
  double parachuteOffsetX = -25.0;     // m, payload body axes
  double parachuteOffsetY = 0.0;       // m
  double parachuteOffsetZ = 0.0;       // m
  double parachuteRoll = 0.0;          // °, relative to the payload
  double parachutePitch = 0.0;         // °
  double parachuteYaw = 0.0;           // °

  // The 23 fields in stored order, for readers and writers that walk them.
  static const std::array<double InitialState::*, 23> kFieldOrder;
};

// Phase types.
inline constexpr std::int32_t kPhaseBallisticEntry = 0;
inline constexpr std::int32_t kPhaseDeployment = 1;
inline constexpr std::int32_t kPhaseInflation = 2;
inline constexpr std::int32_t kPhaseFinalDescent = 3;

// One entry of the phase list. A computed phase (type 0 or 3) owns its module object; the
// module travels with the entry, so entries of other types never shift which module is whose.
class CMissionPhase {
 public:
  explicit CMissionPhase(std::int32_t phaseType = kPhaseBallisticEntry);
  // A copy owns a copy of the module record.
  CMissionPhase(const CMissionPhase& other);
  CMissionPhase& operator=(const CMissionPhase& other);
  CMissionPhase(CMissionPhase&&) noexcept = default;
  CMissionPhase& operator=(CMissionPhase&&) noexcept = default;
  ~CMissionPhase() = default;

  std::string name;
  std::int32_t active = 1;  // shown as yes/no; the Run command does not consult it
  std::string comments;

  std::int32_t type() const { return type_; }
  // Changes the type; the module object is replaced by a default one of the new type.
  void SetType(std::int32_t phaseType);

  bool IsComputed() const { return ballistic_ || parachute_; }
  CBallisticEntryPhase* ballistic() { return ballistic_.get(); }
  const CBallisticEntryPhase* ballistic() const { return ballistic_.get(); }
  CParachutePhase* parachute() { return parachute_.get(); }
  const CParachutePhase* parachute() const { return parachute_.get(); }

 private:
  std::int32_t type_ = kPhaseBallisticEntry;
  std::unique_ptr<CBallisticEntryPhase> ballistic_;
  std::unique_ptr<CParachutePhase> parachute_;
};

}  // namespace plumora
