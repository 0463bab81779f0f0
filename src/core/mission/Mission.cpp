#include "core/mission/Mission.h"

#include <algorithm>
#include <utility>

#include "core/mission/MissionBytes.h"

namespace plumora {

namespace {

template <typename Record>
std::vector<std::shared_ptr<Record>> DeepCopy(const std::vector<std::shared_ptr<Record>>& list) {
  std::vector<std::shared_ptr<Record>> copy;
  copy.reserve(list.size());
  for (const auto& record : list) copy.push_back(std::make_shared<Record>(*record));
  return copy;
}

}  // namespace

Mission::Mission(const Mission& other)
    : payloads(DeepCopy(other.payloads)),
      parachutes(DeepCopy(other.parachutes)),
      nextPayloadNumber(other.nextPayloadNumber),
      nextParachuteNumber(other.nextParachuteNumber),
      missionType(other.missionType),
      missionName(other.missionName),
      missionComments(other.missionComments),
      initialState(other.initialState),
      solver(other.solver),
      environment(other.environment) {
  phases.reserve(other.phases.size());
  for (const auto& phase : other.phases) phases.push_back(std::make_unique<CMissionPhase>(*phase));
}

Mission& Mission::operator=(const Mission& other) {
  if (this != &other) *this = Mission(other);
  return *this;
}

CPayload& Mission::CreatePayload() {
  auto payload = std::make_shared<CPayload>();
  payload->number = nextPayloadNumber++;
  payload->DeriveLegPoints();
  payloads.push_back(payload);
  return *payload;
}

CParachute& Mission::CreateParachute() {
  auto parachute = std::make_shared<CParachute>();
  parachute->number = nextParachuteNumber++;
  parachutes.push_back(parachute);
  return *parachute;
}

std::shared_ptr<CPayload> Mission::FindPayload(std::int32_t number) const {
  return FindByNumber(payloads, number);
}

std::shared_ptr<CParachute> Mission::FindParachute(std::int32_t number) const {
  return FindByNumber(parachutes, number);
}

CMissionPhase& Mission::AddPhase(std::int32_t type) {
  return InsertPhase(phases.size(), type);
}

CMissionPhase& Mission::InsertPhase(std::size_t index, std::int32_t type) {
  index = std::min(index, phases.size());
  auto it = phases.insert(phases.begin() + static_cast<std::ptrdiff_t>(index),
                          std::make_unique<CMissionPhase>(type));
  return **it;
}

void Mission::DeletePhase(std::size_t index) {
  if (index < phases.size()) phases.erase(phases.begin() + static_cast<std::ptrdiff_t>(index));
}

int Mission::ModuleCount() const {
  return static_cast<int>(std::count_if(phases.begin(), phases.end(),
                                        [](const auto& phase) { return phase->IsComputed(); }));
}

int Mission::ModulePosition(const CMissionPhase& phase) const {
  int position = 0;
  for (const auto& p : phases) {
    if (p->IsComputed()) ++position;
    if (p.get() == &phase) return phase.IsComputed() ? position : 0;
  }
  return 0;
}

void Mission::ApplyInitialState(const InitialState& edited) {
  initialState = edited;
  initialState.parachutePathAngle = edited.payloadPathAngle;
  initialState.parachuteVelocity = edited.payloadVelocity;
}

std::vector<std::string> Mission::FlownAeroTables() const {
  std::vector<std::string> names;
  const auto add = [&](std::int32_t payloadNumber) {
    const auto payload = FindPayload(payloadNumber);
    if (!payload) return;
    std::string name = AeroTableOf(*payload);
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  };
  for (const auto& phase : phases) {
    if (const CBallisticEntryPhase* entry = phase->ballistic()) add(entry->payloadNumber);
    if (const CParachutePhase* descent = phase->parachute()) add(descent->payloadNumber);
  }
  return names;
}

void Mission::ForgetFlips() {
  for (const auto& phase : phases) {
    if (CParachutePhase* descent = phase->parachute()) descent->flip = {};
  }
}

std::string StoredBytes(const Mission& mission) {
  ArchiveWriter out;
  VisitMission(out, mission);
  return std::move(out.bytes);
}

// The bytes walk the same layout as the file readers and writers, so a field added there is
// compared without a word more here.
bool operator==(const Mission& a, const Mission& b) {
  return StoredBytes(a) == StoredBytes(b);
}

}  // namespace plumora
