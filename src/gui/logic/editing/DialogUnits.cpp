#include "gui/logic/editing/DialogUnits.h"

#include <algorithm>

namespace plumora::gui {

namespace {
// a × b / c rounded to the nearest whole number, halves away from zero.
int ScaleRounded(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  const long long half = c / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}
}  // namespace

DialogUnits::DialogUnits(int sampleWidth, int height)
    // The mean of the 52 letters, rounded: (w / 26 + 1) / 2.
    : averageCharWidth_(std::max(1, (sampleWidth / 26 + 1) / 2)), height_(std::max(1, height)) {}

int DialogUnits::ToPixelsX(int units) const {
  return ScaleRounded(units, averageCharWidth_, 4);
}

int DialogUnits::ToPixelsY(int units) const {
  return ScaleRounded(units, height_, 8);
}

std::vector<int> DialogUnits::TabStops(std::span<const int> units) const {
  std::vector<int> stops;
  for (int u : units) stops.push_back(ToPixelsX(u));
  return stops;
}

}  // namespace plumora::gui
