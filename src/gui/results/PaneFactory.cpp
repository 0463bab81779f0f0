#include "gui/results/PaneFactory.h"

#include <array>

#include "gui/results/ChartPane.h"
#include "gui/results/ScenePane.h"
#include "gui/results/StudyPane.h"
#include "gui/results/TablePane.h"
#include "gui/results/TrackPane.h"

namespace plumora::gui {

namespace {

using PaneMaker = std::unique_ptr<ResultsPane> (*)(PaneHost&);

template <class Pane>
std::unique_ptr<ResultsPane> Make(PaneHost& host) {
  return std::make_unique<Pane>(host);
}

template <DisplayMode kMode>
std::unique_ptr<ResultsPane> MakeScene(PaneHost& host) {
  return std::make_unique<ScenePane>(host, kMode);
}

template <DisplayMode kMode>
std::unique_ptr<ResultsPane> MakeStudy(PaneHost& host) {
  return std::make_unique<StudyPane>(host, kMode);
}

// One line per display mode, in mode order.
constexpr std::array<PaneMaker, kDisplayModeCount> kPaneMakers = {
    Make<TablePane>,  // Table
    Make<ChartPane>,  // Chart
    MakeScene<DisplayMode::k3DPayload>,
    MakeScene<DisplayMode::k3DParachute>,
    MakeScene<DisplayMode::k3DSystem>,
    Make<TrackPane>,  // 2D Trajectory
    MakeScene<DisplayMode::k3DTrajectory>,
    MakeStudy<DisplayMode::kLandingScatter>,
    MakeStudy<DisplayMode::kStudyHistograms>,
};

}  // namespace

std::unique_ptr<ResultsPane> MakePane(DisplayMode mode, PaneHost& host) {
  return kPaneMakers.at(static_cast<std::size_t>(mode))(host);
}

}  // namespace plumora::gui
