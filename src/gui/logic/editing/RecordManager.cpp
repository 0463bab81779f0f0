#include "gui/logic/editing/RecordManager.h"

#include "core/app/PlumoraDoc.h"
#include "gui/logic/editing/RecordLists.h"

namespace plumora::gui {

namespace {
template <typename Record>
void Name(Record& record, const std::string& name, const std::string& comments) {
  record.name = name;
  record.comments = comments;
}

template <typename List>
bool Erase(List& list, ListSelection selection) {
  if (selection < 0 || static_cast<std::size_t>(selection) >= list.size()) return false;
  list.erase(list.begin() + selection);
  return true;
}
}  // namespace

bool RecordManager::Add(const std::string& name, const std::string& comments) {
  if (name.empty()) return false;
  if (kind_ == RecordKind::kPayload) {
    Name(doc_.mission.CreatePayload(), name, comments);
  } else {
    Name(doc_.mission.CreateParachute(), name, comments);
  }
  return true;
}

bool RecordManager::Delete(ListSelection selection) {
  if (selection < 0 || selection >= Count()) return false;
  if (!prompter_.AskYesNo(kMsgDataWillBeLost, kCaptionDataWillBeLost)) return false;
  return kind_ == RecordKind::kPayload ? Erase(doc_.mission.payloads, selection)
                                       : Erase(doc_.mission.parachutes, selection);
}

int RecordManager::Count() const {
  return static_cast<int>(kind_ == RecordKind::kPayload ? doc_.mission.payloads.size()
                                                        : doc_.mission.parachutes.size());
}

std::vector<std::string> RecordManager::Lines() const {
  return kind_ == RecordKind::kPayload ? PayloadManagerLines(doc_) : ParachuteManagerLines(doc_);
}

}  // namespace plumora::gui
