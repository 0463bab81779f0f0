// A mission's study kept in its study file beside it (NAME.dispersions.json beside NAME.psd):
// read when the mission opens, written when the user accepts a setup for a mission that has a
// file, and otherwise when the mission is first saved.
#pragma once

#include <filesystem>
#include <string>

#include "core/common/Result.h"
#include "core/dispersion/DispersionStudy.h"
#include "gui/logic/study/DocumentStudy.h"

namespace plumora::gui {

// The study kept beside a mission file: the one in its study file, the default study when there
// is none, or a warning naming the file (with the default study) when it cannot be read.
struct SidecarStudy {
  DispersionStudy study;
  bool found = false;   // read from the file
  std::string warning;  // why the file was not used; empty when it was, or when there is none
};
SidecarStudy ReadSidecarStudy(const std::filesystem::path& mission);

// The study read beside a mission that has just opened becomes the document's.
void AdoptSidecarStudy(DocumentStudy& document, const SidecarStudy& sidecar,
                       const std::filesystem::path& mission);

// The user accepted a setup: it is the document's from now on, and written beside the mission
// when it has a file (mission empty: it has none yet). The error names the file not written.
Result<> AcceptStudySetup(DocumentStudy& document, const DispersionStudy& setup,
                          const std::filesystem::path& mission);

// The setup belongs with the mission but is in no study file: the mission has not been saved yet,
// or writing the file failed. Saving the mission writes it.
bool StudyAwaitsSave(const DocumentStudy& document);

// The mission was saved to `mission`: a setup that belongs with it and is not in the study file
// beside it yet is written there.
Result<> KeepStudyBeside(DocumentStudy& document, const std::filesystem::path& mission);

}  // namespace plumora::gui
