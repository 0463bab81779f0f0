#include "gui/logic/editing/PhaseListEditor.h"

#include "core/app/PlumoraDoc.h"
#include "gui/logic/editing/RecordLists.h"

namespace plumora::gui {

MissionDescription MissionDescription::Of(const CPlumoraDoc& doc) {
  return {doc.mission.missionName, doc.mission.missionType, doc.mission.missionComments};
}

bool MissionDescription::WriteTo(CPlumoraDoc& doc) const {
  if (Of(doc) == *this) return false;
  doc.mission.missionName = name;
  doc.mission.missionType = type;
  doc.mission.missionComments = comments;
  return true;
}

bool PhaseListEditor::Selected(ListSelection selection) const {
  return selection >= 0 && static_cast<std::size_t>(selection) < doc_.mission.phases.size();
}

bool PhaseListEditor::Acceptable(const PhaseDefinition& definition) {
  if (definition.name.empty() || definition.type < 0) return false;
  if (definition.type != kPhaseBallisticEntry && definition.type != kPhaseFinalDescent) {
    prompter_.Message(kMsgPhaseTypeNotImplemented, kCaptionNotImplemented);
    return false;
  }
  return true;
}

bool PhaseListEditor::Add(const PhaseDefinition& definition) {
  if (!Acceptable(definition)) return false;
  CMissionPhase& phase = doc_.mission.AddPhase(definition.type);
  phase.name = definition.name;
  phase.comments = definition.comments;
  return true;
}

bool PhaseListEditor::Insert(ListSelection selection, const PhaseDefinition& definition) {
  if (!Selected(selection) || !Acceptable(definition)) return false;
  CMissionPhase& phase =
      doc_.mission.InsertPhase(static_cast<std::size_t>(selection), definition.type);
  phase.name = definition.name;
  phase.comments = definition.comments;
  return true;
}

bool PhaseListEditor::Replace(ListSelection selection, const PhaseDefinition& definition) {
  if (!Selected(selection) || !Acceptable(definition)) return false;
  CMissionPhase& phase = *doc_.mission.phases[static_cast<std::size_t>(selection)];
  if (definition.type != phase.type()) {
    if (!prompter_.AskYesNo(kMsgDataWillBeLost, kCaptionDataWillBeLost)) return false;
    phase.SetType(definition.type);
  }
  phase.name = definition.name;
  phase.comments = definition.comments;
  return true;
}

bool PhaseListEditor::Delete(ListSelection selection) {
  if (!Selected(selection)) return false;
  if (!prompter_.AskYesNo(kMsgDataWillBeLost, kCaptionDataWillBeLost)) return false;
  doc_.mission.DeletePhase(static_cast<std::size_t>(selection));
  return true;
}

bool PhaseListEditor::ToggleActive(ListSelection selection) {
  if (!Selected(selection)) return false;
  CMissionPhase& phase = *doc_.mission.phases[static_cast<std::size_t>(selection)];
  phase.active = phase.active ? 0 : 1;
  return true;
}

bool PhaseListEditor::SetComments(ListSelection selection, const std::string& comments) {
  if (!Selected(selection)) return false;
  std::string& stored = doc_.mission.phases[static_cast<std::size_t>(selection)]->comments;
  if (stored == comments) return false;
  stored = comments;
  return true;
}

}  // namespace plumora::gui
