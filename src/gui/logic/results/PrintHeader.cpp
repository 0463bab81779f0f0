#include "gui/logic/results/PrintHeader.h"

#include "core/common/CodePage.h"
#include "gui/logic/study/StudyOutput.h"

namespace plumora::gui {

namespace {

std::string AxisLabel(int variable) {
  if (variable < 0 || variable >= kChartVariableCount) return "?";
  return Windows1252ToUtf8(kChartVariables[static_cast<std::size_t>(variable)].axisLabel);
}

}  // namespace

std::string PaneDescription(DisplayMode mode, const ResultsViewState& state) {
  switch (mode) {
    case DisplayMode::kTable:
      return "Table";
    case DisplayMode::kChart: {
      // Every curve drawn, as the legend names them.
      std::string curves;
      for (int variable : ChartCurveVariables(state.chartY, state.chartMoreY)) {
        curves += (curves.empty() ? "" : ", ") + AxisLabel(variable);
      }
      return "Chart: " + curves + (state.chartSwitches.logY ? " (logarithmic)" : "") + " against " +
             AxisLabel(state.chartX) + (state.chartBody == 1 ? ", parachute" : ", payload");
    }
    case DisplayMode::k3DPayload:
      return "3D payload";
    case DisplayMode::k3DParachute:
      return "3D parachute";
    case DisplayMode::k3DSystem:
      return "3D system";
    case DisplayMode::k2DTrajectory:
      return "Ground track";
    case DisplayMode::k3DTrajectory:
      return "3D trajectory";
    case DisplayMode::kLandingScatter:
      return "Landing scatter";
    case DisplayMode::kStudyHistograms:
      return "Study histogram: " + std::string(FieldOf(state.studyOutput).label);
    case DisplayMode::kNone:
      break;
  }
  return "Empty pane";
}

std::string PrintHeaderLine(std::string_view mission, std::string_view shows,
                            std::string_view date) {
  std::string line = mission.empty() ? std::string("Untitled") : std::string(mission);
  line += " \u2014 ";
  line += shows;
  line += " \u2014 ";
  line += date;
  return line;
}

}  // namespace plumora::gui
