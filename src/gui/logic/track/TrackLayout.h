// The ground track map without a device: where a sample lies on the equirectangular map of the
// planet (longitude −180° at the left edge, 0° in the middle, the north pole at the top), the
// box of the marker, the track line of the flight so far, and the part of the map an animation
// step changes. The pane draws what this says, on the screen in pixels and on paper in its own
// units.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/flight/TrajectoryStore.h"
#include "gui/logic/draw/Drawing.h"

namespace plumora::gui {

// The map a mission shows: the planet of its environment (0 Earth, 1 Mars, anything else Titan).
enum class PlanetMap { kEarth, kMars, kTitan };
PlanetMap MapOfPlanet(std::int32_t planet);

// Where latitude and longitude (degrees) lie on a map of width × height:
// x = trunc(λ / 360 · W + W / 2), y = trunc(H / 2 − φ / 180 · H), with integer halves. A
// longitude beyond ±180° is brought back into that range and a latitude beyond ±90° stops at the
// pole, so no sample lands off the map; a position that is not a number lands nowhere.
std::optional<Point> ProjectToMap(double latitude, double longitude, int width, int height);

// The marker is the circle inscribed in the box 4 pixels around its centre: an ellipse in a
// rectangle of 8 × 8 from 4 up and left of it, whose one-pixel outline reaches the pixel past
// its right and bottom edges.
inline constexpr int kTrackMarkerRadius = 4;
Rect MarkerBox(Point centre);
// The marker of the sample at index, or none when the index lies outside the results.
std::optional<Rect> TrackMarker(const CTrajectoryStore& store, int index, int width, int height);

// The ground track of samples first … last: one polyline per stretch that stays on the map. Where
// the flight crosses the ±180° meridian the stretch ends at that edge of the map and the next
// begins at the other, at the latitude of the crossing. A sample that projects onto the pixel of
// the one before adds no point, so a long flight gives a short line; a sample that is not a
// number ends the stretch. Indices outside the results are left out. The line is cyan: it
// stands out on all three maps.
inline constexpr Colour kTrackLineColour{0, 255, 255};
std::vector<Polyline> TrackLine(const CTrajectoryStore& store, int first, int last, int width,
                                int height);

// What an animation step from one sample to another changes on the map: both markers and, with
// the line, the stretch of track between them, one pixel wider all round. None when neither
// sample is on the map.
std::optional<Rect> StepArea(const CTrajectoryStore& store, int from, int to, bool withLine,
                             int width, int height);

}  // namespace plumora::gui
