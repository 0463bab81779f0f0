#include "gui/logic/editing/FormColumns.h"

#include <algorithm>

namespace plumora::gui {

namespace {
// Room for a title bar's icon and its three buttons, and the margins around them (pixels).
constexpr int kTitleBarControls = 130;
}  // namespace

std::vector<int> AlignedLabelColumns(std::span<const int> fieldLefts,
                                     std::span<const int> labelColumns) {
  std::vector<int> columns(labelColumns.begin(), labelColumns.end());
  if (fieldLefts.empty()) return columns;
  const int right = *std::max_element(fieldLefts.begin(), fieldLefts.end());
  for (std::size_t k = 0; k < columns.size() && k < fieldLefts.size(); ++k) {
    columns[k] += right - fieldLefts[k];
  }
  return columns;
}

std::vector<int> FittedTabStops(std::span<const int> stops,
                                const std::vector<std::vector<int>>& fieldWidths, int gap) {
  std::vector<int> fitted(stops.begin(), stops.end());
  for (std::size_t k = 0; k < fitted.size(); ++k) {
    const int start = k == 0 ? 0 : fitted[k - 1];
    int widest = 0;
    for (const std::vector<int>& line : fieldWidths) {
      if (k < line.size()) widest = std::max(widest, line[k]);
    }
    fitted[k] = std::max(fitted[k], start + widest + gap);
  }
  return fitted;
}

int LineWidth(std::span<const int> stops, const std::vector<int>& fieldWidths) {
  int width = 0;
  for (std::size_t k = 0; k < fieldWidths.size(); ++k) {
    // Past the last stop a field follows the one before it.
    const int start = k == 0 ? 0 : (k - 1 < stops.size() ? std::max(stops[k - 1], width) : width);
    width = start + fieldWidths[k];
  }
  return width;
}

int TitleFitWidth(int titleTextWidth) {
  return titleTextWidth + kTitleBarControls;
}

}  // namespace plumora::gui
