// The dispersion study the desktop program keeps with a mission document: the study set up for
// the mission (from NAME.dispersions.json beside it, or as the user last set it) and the study
// flown last, kept until the document closes. The study panes draw the flown one.
#pragma once

#include <filesystem>
#include <memory>

#include "core/app/PlumoraDoc.h"
#include "core/dispersion/MissionStudy.h"

namespace plumora::gui {

struct DocumentStudy : DocumentAttachment {
  DispersionStudy setup;
  // The setup belongs with the mission file: it was read from one beside it or set up by the
  // user, so saving the mission writes it beside the file saved.
  bool keep = false;
  // The study file the setup was last read from or written to; empty when it is in none.
  std::filesystem::path sidecar;
  std::shared_ptr<const FlownStudy> flown;  // null until a study has flown
};

// The document's study, made (empty) on first asking.
DocumentStudy& StudyOf(CPlumoraDoc& doc);
// The study flown last for the document, or null.
const FlownStudy* FlownStudyOf(const CPlumoraDoc& doc);

}  // namespace plumora::gui
