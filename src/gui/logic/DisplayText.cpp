#include "gui/logic/DisplayText.h"

#include <cstdio>

#include "core/common/CodePage.h"
#include "core/flight/TrajectoryStore.h"

namespace plumora::gui {

std::string DisplayText(std::string_view bytes) {
  return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

std::string RunDoneText(const CTrajectoryStore& results) {
  const int count = results.LastIndex() + 1;
  if (count <= 0) return "Done: no samples";
  char text[96];
  std::snprintf(text, sizeof text, "Done: %d sample%s, %.10g s", count, count == 1 ? "" : "s",
                results.SampleAt(results.LastIndex()).time);
  return text;
}

}  // namespace plumora::gui
