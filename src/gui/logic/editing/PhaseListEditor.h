// The mission editor's phase list: adding, inserting, replacing and deleting phases and turning
// them on and off. Every edit acts on the document at once; the caller refills its list and marks
// the mission modified when an edit reports a change. Only ballistic re-entry and final descent
// phases can be made here; the other types are refused with a word.
#pragma once

#include <cstdint>
#include <string>

#include "core/common/Prompter.h"

namespace plumora {
class CPlumoraDoc;
}

namespace plumora::gui {

// The "Phase Definition" fields: name and comments as stored (Windows-1252 bytes), the chosen
// type (-1 when none is chosen).
struct PhaseDefinition {
  std::string name;
  std::int32_t type = -1;
  std::string comments;
};

// The mission editor's "General Description": written back whenever the editor closes.
struct MissionDescription {
  std::string name;  // stored bytes
  std::int32_t type = 0;
  std::string comments;

  static MissionDescription Of(const CPlumoraDoc& doc);
  // True when the document changed.
  bool WriteTo(CPlumoraDoc& doc) const;
  friend bool operator==(const MissionDescription&, const MissionDescription&) = default;
};

// A list position, -1 for no selection.
using ListSelection = int;

class PhaseListEditor {
 public:
  PhaseListEditor(CPlumoraDoc& doc, Prompter& prompter) : doc_(doc), prompter_(prompter) {}

  // Each returns true when the phase list changed.
  bool Add(const PhaseDefinition& definition);
  // Before the selected entry.
  bool Insert(ListSelection selection, const PhaseDefinition& definition);
  // The selected entry takes the definition. A new type asks first and replaces the phase's
  // settings by the defaults of that type; the same type keeps them.
  bool Replace(ListSelection selection, const PhaseDefinition& definition);
  // Asks first.
  bool Delete(ListSelection selection);
  bool ToggleActive(ListSelection selection);
  // The comments of the selected entry, as typed.
  bool SetComments(ListSelection selection, const std::string& comments);

 private:
  bool Selected(ListSelection selection) const;
  // A definition that may become a phase: a name and a type; a type that cannot be computed is
  // refused with a message.
  bool Acceptable(const PhaseDefinition& definition);

  CPlumoraDoc& doc_;
  Prompter& prompter_;
};

}  // namespace plumora::gui
