#include "gui/logic/study/DocumentStudy.h"

namespace plumora::gui {

DocumentStudy& StudyOf(CPlumoraDoc& doc) {
  if (auto* study = dynamic_cast<DocumentStudy*>(doc.attachment.get())) return *study;
  doc.attachment = std::make_unique<DocumentStudy>();
  return static_cast<DocumentStudy&>(*doc.attachment);
}

const FlownStudy* FlownStudyOf(const CPlumoraDoc& doc) {
  const auto* study = dynamic_cast<const DocumentStudy*>(doc.attachment.get());
  return study ? study->flown.get() : nullptr;
}

}  // namespace plumora::gui
