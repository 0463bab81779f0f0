// Where the 3D scenes put things, as plain numbers: the matrices they load (built here the way
// OpenGL's own translate, rotate and scale calls would build them, each multiplying on the
// right), the cameras of the three scenes, the planets' model scales, positions around a planet
// and the axis triad's placement with its label positions. The scenes load these matrices
// rather than asking OpenGL to multiply, so every placement can be checked without a context.
#pragma once

#include <array>
#include <cstdint>

#include "core/common/Vec3.h"
#include "gl/CGLScene.h"
#include "gl/ViewProjection.h"

namespace plumora {

class CPayload;
struct CTrajectorySample;

// --- Matrices (column-major, as OpenGL keeps them) ---------------------------------------------

GlMatrix IdentityMatrix();
// a · b: b acts first.
GlMatrix Multiply(const GlMatrix& a, const GlMatrix& b);
// m · T(v), m · R(angle about axis), m · S(s): what glTranslate, glRotate and glScale do to m.
GlMatrix Translated(const GlMatrix& m, const Vec3& v);
GlMatrix Rotated(const GlMatrix& m, double angleDeg, const Vec3& axis);
GlMatrix Scaled(const GlMatrix& m, double s);
// The matrix applied to a point (w = 1) and to a direction (w = 0).
Vec3 TransformPoint(const GlMatrix& m, const Vec3& p);
Vec3 TransformDirection(const GlMatrix& m, const Vec3& d);

inline constexpr Vec3 kAxisX{1.0, 0.0, 0.0};
inline constexpr Vec3 kAxisY{0.0, 1.0, 0.0};
inline constexpr Vec3 kAxisZ{0.0, 0.0, 1.0};

// Yaw about z, then pitch about y, then roll about x, all in degrees: how the scenes turn a
// body to its attitude.
GlMatrix Attitude(const GlMatrix& m, double yawDeg, double pitchDeg, double rollDeg);

// --- Cameras -------------------------------------------------------------------------------

// Distances from the eye to the middle of the vehicle and system scenes (model units, metres).
inline constexpr double kVehicleDistance = 28.0;
inline constexpr double kSystemDistance = 210.0;
inline constexpr double kGlobeDistance = 110.0;
// The globe is drawn this many times larger than its model (radius 2) at zoom 1.
inline constexpr double kGlobeMagnification = 5.0;

// The vehicle and system scenes look at the body from `distance`, with its x axis to the left,
// y towards the eye and z up before the view is turned: turn (deg) about the body's z axis,
// tilt (deg) about its x axis.
GlMatrix VehicleCamera(double distance, double tiltDeg, double turnDeg);
// The globe scene: north up, longitude 0 facing the eye at tilt and turn 0; zoom scales it.
GlMatrix GlobeCamera(double tiltDeg, double turnDeg, double zoom);

// --- Planets -------------------------------------------------------------------------------

// The planet models have radius 2; a planet index other than Mars (1) or Titan (2) is Earth.
SceneModel PlanetModel(std::int32_t planet);
// Metres to model units: 2 over the planet's radius (6378165 m, 3389900 m, 2575000 m).
double PlanetModelScale(std::int32_t planet);
// The radius the model stands for, m.
double PlanetModelRadius(std::int32_t planet);

// Planet-centred, planet-fixed position (m) of a point at latitude and longitude (deg) and
// altitude (m) above a sphere of radius (m).
Vec3 PlanetCentredPosition(double latitudeDeg, double longitudeDeg, double altitudeM,
                           double radiusM);
// Latitude and longitude (deg) of a planet-centred position.
struct LatLon {
  double latitude = 0.0;   // deg
  double longitude = 0.0;  // deg
};
LatLon LatitudeLongitude(const Vec3& position);

// The frame of the heading arrow at a point p (model units) of latitude and longitude: x north,
// y east, z down, then turned by the heading (deg, 0 north, 90 east) about z, so the arrow drawn
// along x points along the heading in the local horizontal plane.
GlMatrix HeadingFrame(const GlMatrix& m, const Vec3& p, const LatLon& where, double headingDeg);

// The length (planet model units) a quarter of a pixel stands for at the globe's centre, in a view
// of the projection's height at zoom: steps of the track shorter than this are not seen.
double GlobeTrackStep(const ViewProjection& projection, double zoom);

// --- The axis triad ------------------------------------------------------------------------

// A rectangle of device pixels from the view's top left corner (left and top inside, right and
// bottom just outside).
struct PixelBox {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The small triad in the lower right corner of the vehicle and system scenes: its model-view
// matrix (the x arrow's frame), its arrow length, and for each axis x, y, z the centre of its
// label (device pixels from the top left corner), just beyond the tip along the arrow as the
// view shows it, and whether the tip points away from the eye; and the box that holds the
// triad with its labels, which the scenes keep clear of streaks.
struct AxisGizmoLayout {
  GlMatrix modelView{};
  double arrowLength = 0.0;  // model units
  std::array<int, 3> labelX{};
  std::array<int, 3> labelY{};
  std::array<bool, 3> behind{};
  PixelBox box;
};
// Pixels between an arrow's tip and the centre of its label: half a label's height and a little.
inline constexpr double kTriadLabelGap = 9.0;
// Half the size of a one-letter label, pixels, as the box around the triad allows for it.
inline constexpr double kTriadLabelHalf = 8.0;
AxisGizmoLayout LayOutAxisGizmo(const ViewProjection& projection, double tiltDeg, double turnDeg);

// --- What a sample shows ---------------------------------------------------------------------

// A payload record that is gone (or never was) is drawn as the defaults of a new payload: the
// capsule at scale 1 with a single strope at its default link.
const CPayload& PayloadOrDefault(const CPayload* payload);
// The geometry a payload type selects: 1 to 4 the payload meshes, anything else the capsule (0).
std::int32_t SelectorOfPayloadType(std::int32_t typeIndex);

// Where the canopy model's suspension lines meet, m in parachute body axes.
inline constexpr Vec3 kCanopyLinesMeet{14.0, 0.0, 0.0};

// The two ends of the riser in the system scene: P in the payload's frame, Q in the
// parachute's. Without a parachute record, (-1, 0, 0) and (14, 0, 0); with one, its link and
// either the confluence point (bridle legs) or the payload's strope link.
struct RiserEnds {
  Vec3 payloadEnd;    // m, payload body axes
  Vec3 parachuteEnd;  // m, parachute body axes
};
RiserEnds SystemRiserEnds(const CTrajectorySample& sample);
// Whether the payload hangs from bridle legs, and how many it has (never more than its table
// holds).
bool HasBridleLegs(const CPayload& payload);
int BridleLegCount(const CPayload& payload);

}  // namespace plumora
