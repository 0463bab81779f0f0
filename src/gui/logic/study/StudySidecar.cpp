#include "gui/logic/study/StudySidecar.h"

#include "gui/logic/study/StudySetup.h"

namespace plumora::gui {

SidecarStudy ReadSidecarStudy(const std::filesystem::path& mission) {
  SidecarStudy sidecar;
  sidecar.study = DefaultStudy();
  const std::filesystem::path path = DispersionStudyPath(mission);
  std::error_code error;
  const auto status = std::filesystem::symlink_status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return sidecar;
  Result<DispersionStudy> loaded = LoadDispersionStudy(path);
  if (!loaded) {
    sidecar.warning = loaded.message() +
                      ". The mission opens with the default study: 200 runs, seed 1, nothing "
                      "scattered.";
    return sidecar;
  }
  sidecar.study = std::move(loaded).value();
  sidecar.found = true;
  return sidecar;
}

void AdoptSidecarStudy(DocumentStudy& document, const SidecarStudy& sidecar,
                       const std::filesystem::path& mission) {
  document.setup = sidecar.study;
  document.keep = sidecar.found;
  document.sidecar = sidecar.found ? DispersionStudyPath(mission) : std::filesystem::path();
}

Result<> AcceptStudySetup(DocumentStudy& document, const DispersionStudy& setup,
                          const std::filesystem::path& mission) {
  document.setup = setup;
  document.keep = true;
  document.sidecar.clear();
  if (mission.empty()) return {};
  return KeepStudyBeside(document, mission);
}

bool StudyAwaitsSave(const DocumentStudy& document) {
  return document.keep && document.sidecar.empty();
}

Result<> KeepStudyBeside(DocumentStudy& document, const std::filesystem::path& mission) {
  if (!document.keep) return {};
  const std::filesystem::path path = DispersionStudyPath(mission);
  if (path == document.sidecar) return {};
  Result<> saved = SaveDispersionStudy(path, document.setup);
  if (saved) document.sidecar = path;
  return saved;
}

}  // namespace plumora::gui
