#include "gui/logic/editing/RecordLists.h"

#include "core/app/PlumoraDoc.h"

namespace plumora::gui {

namespace {

// Put together piece by piece: a name is text, never a format.
std::string Numbered(int number) {
  return "  " + std::to_string(number) + '\t';
}

template <typename Record, typename TypeText>
std::vector<std::string> ManagerLines(const std::vector<std::shared_ptr<Record>>& records,
                                      TypeText typeText) {
  std::vector<std::string> lines;
  for (std::size_t k = 0; k < records.size(); ++k) {
    lines.push_back(ManagerLine(static_cast<int>(k) + 1, records[k]->name, typeText(*records[k])));
  }
  return lines;
}

}  // namespace

std::string PhaseTypeName(std::int32_t type) {
  if (type < 0 || type >= static_cast<std::int32_t>(kPhaseTypeNames.size())) return {};
  return kPhaseTypeNames[static_cast<std::size_t>(type)];
}

std::string PhaseEditorLine(int entryNumber, const CMissionPhase& phase) {
  std::string line = Numbered(entryNumber);
  line += phase.active ? "yes\t" : "no \t";
  line += phase.name;
  line += '\t';
  line += PhaseTypeName(phase.type());
  return line;
}

std::vector<std::string> PhaseEditorLines(const CPlumoraDoc& doc) {
  std::vector<std::string> lines;
  for (std::size_t k = 0; k < doc.mission.phases.size(); ++k) {
    lines.push_back(PhaseEditorLine(static_cast<int>(k) + 1, *doc.mission.phases[k]));
  }
  return lines;
}

std::string ManagerLine(int position, std::string_view name, std::string_view type) {
  std::string line = Numbered(position);
  line += name;
  line += '\t';
  line += type;
  return line;
}

std::vector<std::string> PayloadManagerLines(const CPlumoraDoc& doc) {
  return ManagerLines(doc.mission.payloads, [](const CPayload& p) { return p.typeKeyword; });
}

std::vector<std::string> ParachuteManagerLines(const CPlumoraDoc& doc) {
  return ManagerLines(doc.mission.parachutes, [](const CParachute& p) { return p.type; });
}

}  // namespace plumora::gui
