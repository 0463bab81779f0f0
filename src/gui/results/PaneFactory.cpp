#include "gui/results/PaneFactory.h"

#include <array>

#include "gui/results/ChartPane.h"
#include "gui/results/PlaceholderPane.h"
#include "gui/results/TablePane.h"
#include "gui/results/TrackPane.h"

namespace plumora::gui {

namespace {

using PaneMaker = std::unique_ptr<ResultsPane> (*)(PaneHost&);

template <class Pane>
std::unique_ptr<ResultsPane> Make(PaneHost& host) {
  return std::make_unique<Pane>(host);
}

// One line per display mode, in mode order; null: the mode is not built yet.
constexpr std::array<PaneMaker, kDisplayModeCount> kPaneMakers = {
    Make<TablePane>,  // Table
    Make<ChartPane>,  // Chart
    nullptr,          // 3D payload
    nullptr,          // 3D parachute
    nullptr,          // 3D System
    Make<TrackPane>,  // 2D Trajectory
    nullptr,          // 3D Trajectory
};

}  // namespace

std::unique_ptr<ResultsPane> MakePane(DisplayMode mode, PaneHost& host) {
  const PaneMaker make = kPaneMakers.at(static_cast<std::size_t>(mode));
  if (make) return make(host);
  return std::make_unique<PlaceholderPane>(host, mode);
}

}  // namespace plumora::gui
