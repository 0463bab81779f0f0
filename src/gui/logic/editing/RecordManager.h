// The payload and parachute managers: records are added under a name, deleted after a question,
// and listed by position. Every change acts on the document at once. A deleted record lives on
// in results that were computed with it; phases keep its number, and a run says it is missing.
#pragma once

#include <string>
#include <vector>

#include "core/common/Prompter.h"
#include "gui/logic/editing/PhaseListEditor.h"

namespace plumora {
class CPlumoraDoc;
}

namespace plumora::gui {

enum class RecordKind { kPayload, kParachute };

class RecordManager {
 public:
  RecordManager(CPlumoraDoc& doc, RecordKind kind, Prompter& prompter)
      : doc_(doc), kind_(kind), prompter_(prompter) {}

  // A record with every default and the next number, named and commented as given (stored
  // bytes); nothing without a name. True when one was added.
  bool Add(const std::string& name, const std::string& comments);
  // Asks first; true when the record was deleted.
  bool Delete(ListSelection selection);
  int Count() const;
  std::vector<std::string> Lines() const;

 private:
  CPlumoraDoc& doc_;
  RecordKind kind_;
  Prompter& prompter_;
};

}  // namespace plumora::gui
