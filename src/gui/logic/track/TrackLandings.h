// The flown dispersion study on the ground track's map: every landing point, the nominal
// landing's cross and the 1σ and 3σ ellipses around the landings' mean, at the map's own scale
// (on a whole planet a landing ellipse is often a few pixels across: it is drawn as it is, not
// magnified). Where an ellipse crosses the ±180° meridian it leaves one edge of the map and goes
// on from the other.
#pragma once

#include <optional>
#include <vector>

#include "gui/logic/draw/Drawing.h"
#include "gui/logic/study/LandingScatter.h"

namespace plumora::gui {

// Colours that stand out on all three maps and beside the cyan track line.
inline constexpr Colour kMapLandings{255, 255, 255};
inline constexpr Colour kMapNominal{255, 0, 0};
inline constexpr Colour kMapOneSigma{255, 255, 0};
inline constexpr Colour kMapThreeSigma{255, 0, 255};

struct TrackLandings {
  Dots points;
  std::vector<Segment> nominalCross;  // two strokes, or none
  std::vector<Polyline> oneSigma;     // one piece per stretch on the map
  std::vector<Polyline> threeSigma;
};

TrackLandings LayoutTrackLandings(const LandingCloud& cloud,
                                  const std::optional<LandingPoint>& nominal, int width,
                                  int height);

// The ellipse of those axes around a mean point in degrees, as latitude and longitude pairs on
// a sphere of radius (m), traced on a map of width × height; pieces split at the ±180° meridian.
std::vector<Polyline> EllipseOnMap(const EllipseAxes& axes, double meanLatitude,
                                   double meanLongitude, double radius, int width, int height,
                                   Colour colour);

}  // namespace plumora::gui
