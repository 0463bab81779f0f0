#include "core/app/PlumoraDoc.h"

#include <algorithm>

#include "core/common/Messages.h"
#include "core/environment/DataFolders.h"

namespace plumora {

namespace {

std::filesystem::path WorkingFolder() {
  std::error_code ec;
  auto folder = std::filesystem::current_path(ec);
  return ec ? std::filesystem::path(".") : folder;
}

}  // namespace

CPlumoraDoc::CPlumoraDoc() : baseFolder(WorkingFolder()) {}

CPlumoraDoc::~CPlumoraDoc() = default;

CPayload& CPlumoraDoc::CreatePayload() {
  auto payload = std::make_shared<CPayload>();
  payload->number = nextPayloadNumber++;
  payload->DeriveLegPoints();
  payloads.push_back(payload);
  return *payload;
}

CParachute& CPlumoraDoc::CreateParachute() {
  auto parachute = std::make_shared<CParachute>();
  parachute->number = nextParachuteNumber++;
  parachutes.push_back(parachute);
  return *parachute;
}

std::shared_ptr<CPayload> CPlumoraDoc::FindPayload(std::int32_t number) const {
  return FindByNumber(payloads, number);
}

std::shared_ptr<CParachute> CPlumoraDoc::FindParachute(std::int32_t number) const {
  return FindByNumber(parachutes, number);
}

CMissionPhase& CPlumoraDoc::AddPhase(std::int32_t type) {
  return InsertPhase(phases.size(), type);
}

CMissionPhase& CPlumoraDoc::InsertPhase(std::size_t index, std::int32_t type) {
  index = std::min(index, phases.size());
  auto it = phases.insert(phases.begin() + static_cast<std::ptrdiff_t>(index),
                          std::make_unique<CMissionPhase>(type));
  return **it;
}

void CPlumoraDoc::DeletePhase(std::size_t index) {
  if (index < phases.size()) phases.erase(phases.begin() + static_cast<std::ptrdiff_t>(index));
}

int CPlumoraDoc::ModuleCount() const {
  return static_cast<int>(std::count_if(phases.begin(), phases.end(),
                                        [](const auto& phase) { return phase->IsComputed(); }));
}

int CPlumoraDoc::ModulePosition(const CMissionPhase& phase) const {
  int position = 0;
  for (const auto& p : phases) {
    if (p->IsComputed()) ++position;
    if (p.get() == &phase) return phase.IsComputed() ? position : 0;
  }
  return 0;
}

void CPlumoraDoc::ApplyInitialState(const InitialState& edited) {
  initialState = edited;
  initialState.parachutePathAngle = edited.payloadPathAngle;
  initialState.parachuteVelocity = edited.payloadVelocity;
}

void CPlumoraDoc::ApplyEnvironment(std::int32_t newPlanet, std::int32_t newAtmosphere,
                                   std::int32_t newWind) {
  results.Clear();
  NotifyResultsChanged();
  planet = newPlanet;
  atmosphere = newAtmosphere;
  wind = newWind;
  NotifyViewsNeedUpdate();
}

void CPlumoraDoc::Destroy() {
  phases.clear();
  payloads.clear();
  parachutes.clear();
}

void CPlumoraDoc::AdoptMission(CPlumoraDoc&& source) {
  phases = std::move(source.phases);
  payloads = std::move(source.payloads);
  parachutes = std::move(source.parachutes);
  results = CTrajectoryStore();
  nextPayloadNumber = source.nextPayloadNumber;
  nextParachuteNumber = source.nextParachuteNumber;
  missionType = source.missionType;
  missionName = std::move(source.missionName);
  missionComments = std::move(source.missionComments);
  initialState = source.initialState;
  handOver = CHandOverState();
  absoluteError = source.absoluteError;
  relativeError = source.relativeError;
  finalTime = source.finalTime;
  outputTimeStep = source.outputTimeStep;
  timeStep = source.timeStep;
  integrator = source.integrator;
  planet = source.planet;
  atmosphere = source.atmosphere;
  wind = source.wind;
  atmosphereTable = AtmosphereTable();
  planetConstants = PlanetConstants();
  NotifyMissionPlanChanged();
  NotifyResultsChanged();
  NotifyViewsNeedUpdate();
}

int CPlumoraDoc::readatmosphere() {
  // The atmosphere index counts the files of this planet in listing order; when there are
  // fewer, the planet's last file is used. Another planet's air is never used.
  const AtmosphereListing listing = ListPlanetAtmospheres(baseFolder, planet, atmosphere);
  if (!listing.folderListed) {
    prompter().Message(kMsgAtmFolderNotFound, kCaptionError);
    return 0;
  }
  if (listing.unreadable) {
    prompter().Message(kMsgAtmFileNotOpenedDuringList, kCaptionError);
    return 0;
  }
  if (listing.files.empty()) {
    prompter().Message(NoAtmosphereFileMessage(baseFolder, planet), kCaptionError);
    return 0;
  }
  const std::filesystem::path& chosen = listing.files.back().path;
  const AtmosphereReadResult result =
      ReadAtmosphereFile(chosen, wind != 0, atmosphereTable, planetConstants);
  if (!result.ok) {
    prompter().Message(result.message, kCaptionError);
    return 0;
  }
  return 1;
}

void CPlumoraDoc::AddObserver(DocumentObserver* observer) {
  if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
    observers_.push_back(observer);
  }
}

void CPlumoraDoc::RemoveObserver(DocumentObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void CPlumoraDoc::NotifyChartZoomCleared() const {
  for (DocumentObserver* o : observers_) o->ChartZoomCleared(*this);
}

void CPlumoraDoc::NotifyResultsChanged() const {
  for (DocumentObserver* o : observers_) o->ResultsChanged(*this);
}

void CPlumoraDoc::NotifyViewsNeedUpdate() const {
  for (DocumentObserver* o : observers_) o->ViewsNeedUpdate(*this);
}

void CPlumoraDoc::NotifyMissionPlanChanged() const {
  for (DocumentObserver* o : observers_) o->MissionPlanChanged(*this);
}

}  // namespace plumora
