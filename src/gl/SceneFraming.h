// How large the 3D scenes draw what they show. Each view frames its subject (a payload, a canopy
// with its lines, or the two together) so that it fills the same share of the view at any size
// of window and any turn of the view; a canopy is as large as its reference area makes it and its
// lines meet where the descent's riser pulls on it; and the airflow streaks are as long as the
// air is fast, within bounds, however far apart the samples are.
#pragma once

#include <array>
#include <cstdint>

#include "core/common/Vec3.h"
#include "gl/CGLScene.h"
#include "gl/ViewProjection.h"

namespace plumora {

class CParachute;
struct CTrajectorySample;

// --- Framing ---------------------------------------------------------------------------------

// The share of the view's narrower half-angle that the sphere round a subject fills: turned any
// way, a subject stays clear of the edges.
inline constexpr double kFrameFill = 0.8;

// Model units per metre at which a subject reaching `reach` metres from the point the camera looks
// at, `distance` model units away, fills kFrameFill of the view; times zoom. A subject of no
// measurable reach is drawn at zoom.
double FramingScale(const ViewProjection& projection, double distance, double reach, double zoom);

// --- Payloads --------------------------------------------------------------------------------

// A payload alone is drawn at its size in metres, a model unit each, as a capsule always was, and
// smaller only where it would not fit the view; canopies and the system, whose sizes range over
// orders of magnitude, are always framed. Model units per metre in the vehicle scene.
double PayloadScale(const ViewProjection& projection, double reach, double zoom);

// Payload mesh 4 is modelled at 40 units per metre, every other geometry in metres.
inline constexpr double kMesh4MetresPerUnit = 0.025;
double MetresPerModelUnit(std::int32_t selector);
// How far a payload geometry (0 the capsule, 1 to 4 the payload meshes; anything else the
// capsule) reaches from its centre of gravity, m.
double PayloadReach(const ShapeExtents& extents, std::int32_t selector);

// --- Canopies --------------------------------------------------------------------------------

// One suspension line from each gore seam of the canopy model.
inline constexpr int kSuspensionLines = 20;

// A canopy as the scenes draw it, in metres in the parachute's body axes.
struct CanopyLayout {
  double size = 1.0;                           // metres per model unit of the parachute mesh
  std::array<Vec3, kSuspensionLines> skirt{};  // m, where each line leaves the skirt
  Vec3 linesMeet;                              // m, where the lines meet: the riser's end
  Vec3 centre;         // m, the middle of canopy and lines, where a view of the canopy alone looks
  double reach = 0.0;  // m, how far canopy and lines reach from centre
};

// The canopy of a parachute record: its mouth as wide as the nominal diameter of its reference
// area, sqrt(4 S / pi), and its lines meeting at the record's link. Without a record, or with an
// area that is not a positive number, the mesh at its own size; with a link that is not a number,
// the lines meet at kCanopyLinesMeet.
CanopyLayout LayOutCanopy(const ShapeExtents& extents, const CParachute* parachute);

// --- The system ------------------------------------------------------------------------------

// Lines stretch under load. The system view allows this much more than their rest length, so
// that a steady descent keeps one scale and only the snatch of an opening canopy goes beyond.
inline constexpr double kLineStretchAllowance = 1.1;

// The distance between the two bodies' centres of gravity that the system view frames, m: the
// sample's own, or, with both records, at least the lines' rest length (attachment, bridle leg,
// riser and link) with the allowance for stretch.
double FramedSeparation(const CTrajectorySample& sample);
// How far the system reaches from the point midway between the bodies, m, whatever their
// attitudes: the payload's sphere and, when it is drawn, the canopy's.
double SystemReach(double separation, double payloadReach, const CanopyLayout* canopy);

// --- Streaks ---------------------------------------------------------------------------------

// A streak is this share of the view's height for every m/s of air speed, within the bounds:
// long enough to be seen at a walking pace, short enough at entry speeds to leave the view clear.
inline constexpr double kStreakSharePerMps = 0.0015;
inline constexpr double kStreakShareMin = 0.01;
inline constexpr double kStreakShareMax = 0.12;
// How long a streak is, in model units of a view `distance` units deep, for air passing at
// speed (m/s).
double StreakLength(double speed, double distance);

// --- Lines -----------------------------------------------------------------------------------

// OpenGL lines are as wide as this however far away or small what they belong to is, so no line
// ever breaks into dashes.
inline constexpr float kSuspensionLineWidth = 1.0f;  // pixels
inline constexpr float kBodyLineWidth = 2.0f;        // pixels: riser, bridle legs, attachment lines

}  // namespace plumora
