#include "core/app/PlumoraDoc.h"

#include <algorithm>

#include "core/common/DataFolder.h"

namespace plumora {

CPlumoraDoc::CPlumoraDoc() : baseFolder(DefaultDataFolder()) {}

CPlumoraDoc::~CPlumoraDoc() = default;

void CPlumoraDoc::ApplyEnvironment(const EnvironmentChoice& choice) {
  results.Clear();
  NotifyResultsChanged();
  mission.environment = choice;
  NotifyViewsNeedUpdate();
}

void CPlumoraDoc::Destroy() {
  mission.phases.clear();
  mission.payloads.clear();
  mission.parachutes.clear();
}

void CPlumoraDoc::AdoptMission(Mission&& source) {
  mission = std::move(source);
  results = CTrajectoryStore();
  environment_ = Environment();
  NotifyMissionPlanChanged();
  NotifyResultsChanged();
  NotifyViewsNeedUpdate();
}

Result<> CPlumoraDoc::ReadAtmosphere() {
  Result<LoadedAtmosphere> loaded = LoadAtmosphere(baseFolder, mission.environment);
  if (!loaded) return std::move(loaded).error();
  environment_ = Environment(std::move(loaded).value());
  return {};
}

int CPlumoraDoc::readatmosphere() {
  const Result<> read = ReadAtmosphere();
  if (read) return 1;
  ShowError(prompter(), read.error());
  return 0;
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

void CPlumoraDoc::NotifyStudyChanged() const {
  for (DocumentObserver* o : observers_) o->StudyChanged(*this);
}

}  // namespace plumora
