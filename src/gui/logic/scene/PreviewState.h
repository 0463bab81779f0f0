// What a 3D preview beside a dialog's fields shows and how the mouse turns and zooms it: the
// left button drags the view round (a degree a pixel), the right button drags the zoom (a tenth
// a pixel, never below 0), and the wheel zooms a tenth a notch. The host dialog sets what is drawn;
// the preview only reads it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "core/flight/TrajectoryStore.h"
#include "gui/logic/scene/ViewRotation.h"

namespace plumora::gui {

// What a preview draws.
enum PreviewMode : std::int32_t {
  kPreviewCapsule = 0,       // the vehicle scene with the capsule
  kPreviewPayloadMesh1 = 1,  // 1 to 4: the payload meshes
  kPreviewPayloadMesh4 = 4,
  kPreviewParachute = 5,  // the vehicle scene with the canopy and its own lines, no others
  kPreviewEarth = 6,      // 6 to 8: the globe of the planet with the entry point
  kPreviewTitan = 8,
  kPreviewSystem = 9,  // payload and canopy as a sample places them
};

// The globe mode of a mission's planet (0 Earth, 1 Mars, 2 Titan; any other shows Earth).
PreviewMode GlobeModeOfPlanet(std::int32_t planet);

class PreviewState {
 public:
  explicit PreviewState(std::int32_t mode);

  // --- What the host sets -----------------------------------------------------------------
  std::int32_t mode = kPreviewCapsule;
  // Attitude of the object in the vehicle scene, degrees.
  float yaw = 0.0f, pitch = 0.0f, roll = 0.0f;
  // Attachment lines from the payload: points in payload body axes, metres. The host keeps the
  // points (one more than the most lines it allows) and sets the count.
  bool linesOn = false;
  int lineCount = 0;
  const std::array<double, 3>* linePoints = nullptr;
  // The blue arrow of the flight path, at `triadAngle` degrees.
  bool triadOn = false;
  double triadAngle = 0.0;
  // The light of the vehicle and system scenes: a direction (w = 0).
  std::array<float, 4> light{0.0f, 0.0f, 1.0f, 0.0f};
  // Where the globe scenes put the entry point: degrees, degrees, metres; heading in degrees.
  double latitude = 0.0, longitude = 0.0, altitude = 0.0, heading = 0.0;
  // What the system scene draws: a final-descent sample with no payload or parachute record.
  CTrajectorySample system;
  // The canopy's record (its size and where its lines meet); null draws the model as made.
  std::shared_ptr<const CParachute> canopy;

  void SetGlobePosition(double latitudeDeg, double longitudeDeg, double headingDeg,
                        double altitudeM);
  // The canopy's offset (m, payload body axes) and its pitch, roll and yaw relative to the
  // payload (degrees), in the order the initial-state fields give them.
  void SetSystemGeometry(double offsetX, double offsetY, double offsetZ, double relPitch,
                         double relRoll, double relYaw);

  // --- The mouse ---------------------------------------------------------------------------
  void LeftDown(int x, int y);
  void RightDown(int x, int y);
  // Pointer moved with these buttons held.
  void Move(int x, int y, bool leftHeld, bool rightHeld);
  // A release ends the drag wherever the pointer is.
  void LeftUp();
  void RightUp();
  // The wheel turned (WheelZoom).
  void Wheel(int angleDelta);

  // --- What the scenes are handed ----------------------------------------------------------
  float tilt() const { return rotation_.tilt(); }
  float turn() const { return rotation_.turn(); }
  // 1: the scenes frame what they show to fit the window.
  float zoom() const { return zoom_; }
  // The mesh selector of the vehicle scene (0 capsule, 1 to 4 payload meshes, 5 canopy); any
  // other mode draws the capsule.
  std::int32_t Selector() const;

 private:
  bool dragging_ = false;
  ViewRotation rotation_;
  int rightX_ = 0, rightY_ = 0;
  float zoom_ = 1.0f, savedZoom_ = 1.0f;
};

}  // namespace plumora::gui
