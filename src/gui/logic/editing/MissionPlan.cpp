#include "gui/logic/editing/MissionPlan.h"

#include "core/app/PlumoraDoc.h"

namespace plumora::gui {

namespace {
constexpr std::size_t kShownNameLength = 8;
}

const char* PhaseTypeCode(int type) {
  switch (type) {
    case 0:
      return "BR";
    case 1:
      return "DP";
    case 2:
      return "IN";
    case 3:
      return "FD";
    default:
      return "";
  }
}

std::string PhaseListLine(int entryNumber, const CMissionPhase& phase) {
  // Put together piece by piece: a name is text, never a format.
  std::string line = std::to_string(entryNumber);
  line += '\t';
  line += phase.active ? 'y' : 'n';
  line += '\t';
  line += phase.name.substr(0, kShownNameLength);
  line += '\t';
  line += PhaseTypeCode(phase.type());
  return line;
}

MissionPlanText MissionPlanFor(const CPlumoraDoc* doc) {
  MissionPlanText text;
  if (!doc) {
    text.missionName = "None";
    return text;
  }
  text.missionName = doc->mission.missionName;
  for (std::size_t k = 0; k < doc->mission.phases.size(); ++k) {
    text.lines.push_back(PhaseListLine(static_cast<int>(k) + 1, *doc->mission.phases[k]));
  }
  return text;
}

}  // namespace plumora::gui
