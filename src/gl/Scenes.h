// The three 3D scenes: a vehicle alone at close range in its airflow, payload and parachute
// together with their lines, and the planet with the vehicle's position and heading. Each draws
// one whole frame into the current context through a SceneFrame and gives back the axis labels
// to write over it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/common/Vec3.h"
#include "gl/CAirStreaks.h"
#include "gl/SceneFrame.h"
#include "gl/SceneFraming.h"
#include "gl/SceneTransforms.h"

namespace plumora {

class CParachute;
struct CTrajectorySample;

// Geometry selectors of the vehicle scene.
inline constexpr std::int32_t kSelectCapsule = 0;  // 1 to 4: payload meshes 1 to 4
inline constexpr std::int32_t kSelectParachute = 5;

// A direction of light 0 from the eye's side (w = 0), in eye coordinates.
using LightPosition = std::array<float, 4>;

// The view angles every scene is turned by, degrees: tilt by vertical mouse motion, turn by
// horizontal.
struct ViewAngles {
  float tilt = 0.0f;
  float turn = 0.0f;
};

// The air moving past the vehicle: its direction, and its speed, which the streaks' length
// shows. Streaks are drawn only when on.
struct Airflow {
  Vec3 wind;  // m/s: the negated velocity of the body
  bool on = false;
};

struct VehicleScene {
  ViewAngles view;
  float yaw = 0.0f, pitch = 0.0f, roll = 0.0f;  // deg, attitude of the body
  // 1: a canopy fills the view, a payload has its size in metres unless that would not fit with
  // its lines and arrow; 2 draws either twice as large.
  float zoom = 1.0f;
  Airflow air;
  std::int32_t selector = kSelectCapsule;  // any value but 1 to 5 draws the capsule
  // The canopy's record (selector 5): its size and where its lines meet. Null: the model as
  // made, its lines meeting at kCanopyLinesMeet.
  const CParachute* parachute = nullptr;
  // Attachment lines: from points[0] to each of points[1] … points[lineCount] (m, body axes).
  bool linesOn = false;
  int lineCount = 0;  // at most kMaxLegs are drawn
  const std::array<double, 3>* points = nullptr;
  // The flight path's direction: a blue arrow at triadAngle (deg) about the body's y axis.
  bool triadOn = false;
  double triadAngle = 0.0;  // deg
  LightPosition light{0.0f, 0.0f, 1.0f, 0.0f};
};

struct SystemScene {
  ViewAngles view;
  Airflow air;
  LightPosition light{0.0f, 0.0f, 1000.0f, 0.0f};
  float zoom = 1.0f;                       // 1 frames both bodies with their lines
  std::int32_t selector = kSelectCapsule;  // replaced by the record's type when there is one
};

struct GlobeScene {
  std::int32_t planet = 0;  // 0 Earth, 1 Mars, 2 Titan; others are Earth
  ViewAngles view;
  Vec3 position;                // m, planet-centred and planet-fixed
  double heading = 0.0;         // deg, 0 north, 90 east
  float zoom = 1.0f;            // 1: the planet fills two thirds of the view's height
  std::span<const Vec3> track;  // m, planet-centred: the flight so far, drawn as a line
};

// The scenes. Vehicle and system scenes advance and draw the streaks when their airflow is on
// (streaks may be null: then there are none), never over the axis triad, which they draw last.
std::vector<SceneLabel> DrawVehicleScene(const SceneFrame& frame, const VehicleScene& scene,
                                         CAirStreaks* streaks);
std::vector<SceneLabel> DrawSystemScene(const SceneFrame& frame, const CTrajectorySample& state,
                                        const SystemScene& scene, CAirStreaks* streaks);
void DrawGlobeScene(const SceneFrame& frame, const GlobeScene& scene);

// The background of the vehicle and system scenes, with nothing in front of it (a view that has
// no sample to show).
void DrawEmptyScene(const SceneFrame& frame);

// The background with one line of text in its middle (a view with nothing of its kind to show).
std::vector<SceneLabel> DrawNoticeScene(const SceneFrame& frame, std::string_view notice);

// The axis triad in the lower right corner; its labels "x", "y", "z". The scenes draw it last,
// their corner of the depth buffer cleared, so that it shows over whatever is drawn there.
std::vector<SceneLabel> DrawAxisGizmo(const SceneFrame& frame, const AxisGizmoLayout& layout);
// An arrow of length L along x from the origin: a line with two crossed triangles at its tip.
void DrawArrow(const GlFunctions& gl, double length);
// A one-pixel rectangle along the view's edges (red, 0 to 255).
void DrawViewBorder(const SceneFrame& frame, const std::array<std::uint8_t, 3>& colour);

}  // namespace plumora
