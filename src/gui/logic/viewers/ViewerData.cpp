#include "gui/logic/viewers/ViewerData.h"

#include <optional>

#include "core/common/Messages.h"
#include "core/common/TextScanner.h"
#include "core/environment/DataFolders.h"
#include "gui/logic/editing/SetupForms.h"

namespace plumora::gui {

namespace {

// Line 1 of an aerodynamic file, trailing blanks removed; false when it cannot be opened.
bool ReadComment(const std::filesystem::path& path, std::string& comment) {
  std::optional<TextScanner> in = TextScanner::Open(path);
  if (!in) return false;
  in->ReadLine(comment);
  comment.erase(comment.find_last_not_of(" \t\r\n\v\f") + 1);
  return true;
}

}  // namespace

// --- The atmospheric viewer ------------------------------------------------------------------

AtmosphereViewerData::AtmosphereViewerData(std::filesystem::path base)
    : base_(std::move(base)), table_(std::make_unique<AtmosphereTable>()) {}

void AtmosphereViewerData::Init(Prompter& prompter) {
  planet_ = 0;
  List(planet_, kMsgAtmFileNotOpenedDuringInit, prompter);
  LoadDataset(prompter);
}

void AtmosphereViewerData::SelectPlanet(int planet, Prompter& prompter) {
  planet_ = planet;
  List(planet_, kMsgAtmNotOpenedDuringPlanetChange, prompter);
  LoadDataset(prompter);
}

void AtmosphereViewerData::SelectDataset(int index, Prompter& prompter) {
  if (index >= 0 && index < static_cast<int>(datasets_.size())) dataset_ = index;
  LoadDataset(prompter);
}

void AtmosphereViewerData::List(int planet, std::string_view unreadableMessage,
                                Prompter& prompter) {
  AtmosphereListing listing = ListPlanetAtmospheres(base_, planet);
  if (listing.unreadable) prompter.Message(unreadableMessage, kCaptionError);
  datasets_ = std::move(listing.files);
  for (AtmosphereFileEntry& d : datasets_) {
    if (d.description.empty()) d.description = d.path.filename().string();
  }
  dataset_ = datasets_.empty() ? -1 : 0;
}

int AtmosphereViewerData::LoadDataset(Prompter& prompter) {
  table_->pointCount = 0;
  ranges_ = AtmRanges();
  // A planet without a file of its own shows nothing, never another planet's air.
  if (dataset_ < 0) {
    prompter.Message(kMsgAtmFileNotOpened, kCaptionError);
    return 0;
  }
  PlanetConstants constants;
  const Result<> read = ReadAtmosphereFile(datasets_[dataset_].path, true, *table_, constants);
  if (!read) {
    ShowError(prompter, read.error());
    return 0;
  }
  ranges_ = ComputeAtmRanges(*table_);
  return 1;
}

// --- The aerodynamic viewer ------------------------------------------------------------------

AeroViewerData::AeroViewerData(std::filesystem::path base)
    : base_(std::move(base)), database_(std::make_unique<AeroDatabase>()) {}

void AeroViewerData::Init(Prompter& prompter) {
  files_.clear();
  for (const std::filesystem::path& file : ListDataFiles(AeroFolder(base_), "adf")) {
    files_.push_back(file.filename().string());
  }
  file_ = files_.empty() ? -1 : 0;
  Load(kMsgAeroNotOpenedDuringInit, prompter);
}

void AeroViewerData::SelectFile(int index, Prompter& prompter) {
  if (index >= 0 && index < static_cast<int>(files_.size())) file_ = index;
  Load(kMsgAeroNotOpened, prompter);
}

void AeroViewerData::Load(std::string_view notOpened, Prompter& prompter) {
  database_->machCount = 0;
  database_->angleCount = 0;
  comment_.clear();
  if (file_ < 0) {
    prompter.Message(notOpened, kCaptionError);
    return;
  }
  const std::string& name = files_[file_];
  if (!ReadComment(AeroFilePath(base_, name), comment_)) {
    prompter.Message(notOpened, kCaptionError);
    return;
  }
  // A refused file leaves the database as it was, that is empty.
  LoadAeroDatabase(*database_, name, base_, prompter);
}

}  // namespace plumora::gui
