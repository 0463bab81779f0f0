#include "gl/Scenes.h"

#include <algorithm>
#include <cmath>

#include "core/flight/TrajectoryStore.h"
#include "core/mission/Records.h"

namespace plumora {

namespace {

constexpr std::array<float, 4> kBodySceneBackground = {0.7f, 0.9f, 0.9f, 1.0f};
constexpr std::array<float, 4> kGlobeBackground = {0.4f, 0.4f, 0.4f, 1.0f};
constexpr float kGlobeLineWidth = 2.0f;  // pixels
constexpr double kTriadArrow = 3.5;      // m, the flight path's arrow beside a payload
constexpr double kHeadingArrow = 1.0;    // model units, before the globe's magnification
constexpr float kGizmoGrey = 0.5f;       // an axis pointing away from the eye
constexpr std::array<std::uint8_t, 3> kNoticeColour = {0, 0, 0};

void Clear(const GlFunctions& gl, const std::array<float, 4>& colour) {
  gl.ClearColor(colour[0], colour[1], colour[2], colour[3]);
  gl.ShadeModel(kGlSmooth);
  gl.Enable(kGlDepthTest);
  gl.Clear(kGlColorBufferBit | kGlDepthBufferBit);
  // Texturing stays off unless a planet's list turns it on for itself: a map left in this
  // context by an earlier globe must not show on the canopy or the lines.
  gl.Disable(kGlTexture2D);
}

void Load(const GlFunctions& gl, const GlMatrix& m) {
  gl.MatrixMode(kGlModelview);
  gl.LoadMatrixd(m.data());
}

// Light 0 in the scene's colours at a position in eye coordinates (the model-view matrix is
// the identity); lighting on.
void Light(const GlFunctions& gl, const LightPosition& position) {
  gl.Lightfv(kGlLight0, kGlAmbient, kLightAmbient.data());
  gl.Lightfv(kGlLight0, kGlDiffuse, kLightDiffuse.data());
  gl.Lightfv(kGlLight0, kGlSpecular, kLightSpecular.data());
  gl.Lightfv(kGlLight0, kGlPosition, position.data());
  gl.Enable(kGlLighting);
  gl.Enable(kGlLight0);
}

// Light 0 at the caller's position (eye coordinates), the scene's light colours, and the front
// material's emission and shininess; lighting on.
void LightBodies(const GlFunctions& gl, const LightPosition& light) {
  Load(gl, IdentityMatrix());
  gl.Color3f(0.0f, 0.0f, 0.0f);
  gl.Materialfv(kGlFront, kGlEmission, kSceneEmission.data());
  gl.Materialf(kGlFront, kGlShininess, kSceneShininess);
  Light(gl, light);
}

void DrawCapsule(const GlFunctions& gl, const CGLScene& scene) {
  for (SceneModel part : {SceneModel::kCapsuleTop1, SceneModel::kCapsuleTop2,
                          SceneModel::kCapsuleBody, SceneModel::kCapsuleShield}) {
    scene.DrawModel(gl, part);
  }
}

// The payload's geometry in a frame of metres: payload meshes 1 to 4 in their own units, the
// capsule for anything else.
void DrawPayload(const GlFunctions& gl, const CGLScene& scene, const GlMatrix& body,
                 std::int32_t selector) {
  Load(gl, Scaled(body, MetresPerModelUnit(selector)));
  if (selector >= 1 && selector <= 4) {
    scene.DrawMesh(gl, static_cast<BuiltinMesh>(selector));
  } else {
    DrawCapsule(gl, scene);
  }
}

void Line(const GlFunctions& gl, const Vec3& a, const Vec3& b) {
  gl.Vertex3d(a.x, a.y, a.z);
  gl.Vertex3d(b.x, b.y, b.z);
}

Vec3 ToVec3(const std::array<double, 3>& p) {
  return {p[0], p[1], p[2]};
}

// Unlit black lines of a width in pixels, in the frame loaded last.
void BeginLines(const GlFunctions& gl, float width) {
  gl.LineWidth(width);
  gl.Disable(kGlLighting);
  gl.Color3f(0.0f, 0.0f, 0.0f);
  gl.Begin(kGlLines);
}

// The canopy in the parachute's frame (metres): the mesh at its size, lit, and its suspension
// lines from the skirt to where they meet.
void DrawCanopy(const GlFunctions& gl, const CGLScene& scene, const GlMatrix& parachute,
                const CanopyLayout& canopy) {
  Load(gl, Scaled(parachute, canopy.size));
  gl.Enable(kGlLighting);
  scene.DrawMesh(gl, BuiltinMesh::kParachute);
  Load(gl, parachute);
  BeginLines(gl, kSuspensionLineWidth);
  for (const Vec3& seam : canopy.skirt) Line(gl, seam, canopy.linesMeet);
  gl.End();
}

// How far a lone payload reaches with what is drawn beside it (m): its flight path's arrow, and
// the point its attachment lines start from.
double VehicleReach(const ShapeExtents& extents, const VehicleScene& scene) {
  double reach = PayloadReach(extents, scene.selector);
  if (scene.triadOn) reach = std::max(reach, kTriadArrow);
  if (scene.linesOn && scene.points) {
    const double start = Norm(ToVec3(scene.points[0]));
    if (std::isfinite(start)) reach = std::max(reach, start);
  }
  return reach;
}

// Streaks are as long as the air is fast, measured in the view at `distance`.
void DrawStreaks(const GlFunctions& gl, const GlMatrix& camera, double distance, const Airflow& air,
                 CAirStreaks* streaks) {
  if (!air.on || !streaks) return;
  Load(gl, camera);
  streaks->Advance(air.wind, StreakLength(Norm(air.wind), distance));
  streaks->Draw(gl);
}

// Sets the depth buffer in the triad's corner: the nearest depth keeps every streak drawn after
// out of it; the farthest lets the triad be drawn there over anything.
void SetTriadCornerDepth(const SceneFrame& frame, const AxisGizmoLayout& triad, double depth) {
  const GlFunctions& gl = frame.gl;
  const PixelBox& b = triad.box;
  if (b.right <= b.left || b.bottom <= b.top) return;
  gl.Enable(kGlScissorTest);
  // OpenGL counts window rows from the bottom.
  gl.Scissor(b.left, frame.projection.height() - b.bottom, b.right - b.left, b.bottom - b.top);
  gl.ClearDepth(depth);
  gl.Clear(kGlDepthBufferBit);
  gl.ClearDepth(1.0);
  gl.Disable(kGlScissorTest);
}

// What the vehicle and system scenes finish with: streaks clear of the triad's corner, then the
// triad over whatever the corner shows.
std::vector<SceneLabel> FinishBodyScene(const SceneFrame& frame, const AxisGizmoLayout& triad,
                                        const GlMatrix& camera, double distance, const Airflow& air,
                                        CAirStreaks* streaks) {
  SetTriadCornerDepth(frame, triad, 0.0);
  DrawStreaks(frame.gl, camera, distance, air, streaks);
  SetTriadCornerDepth(frame, triad, 1.0);
  std::vector<SceneLabel> labels = DrawAxisGizmo(frame, triad);
  frame.gl.Flush();
  return labels;
}

// The flight as a line through its positions (m, scaled by k to model units), leaving out those
// closer than step (model units) to the last one kept: a long flight has thousands of samples
// within a pixel of each other, each a line the renderer would set up for nothing.
void DrawTrack(const GlFunctions& gl, std::span<const Vec3> track, double k, double step) {
  gl.Begin(kGlLines);
  Vec3 last = k * track.front();
  for (std::size_t i = 1; i < track.size(); ++i) {
    const Vec3 next = k * track[i];
    if (Norm(next - last) < step && i + 1 < track.size()) continue;
    Line(gl, last, next);
    last = next;
  }
  gl.End();
}

}  // namespace

void DrawArrow(const GlFunctions& gl, double length) {
  const double h = 0.2 * length;
  const double s = 0.1 * length;
  gl.Begin(kGlLines);
  Line(gl, {0.0, 0.0, 0.0}, {length, 0.0, 0.0});
  gl.End();
  gl.Begin(kGlTriangles);
  gl.Vertex3d(length, 0.0, 0.0);
  gl.Vertex3d(length - h, 0.0, s);
  gl.Vertex3d(length - h, 0.0, -s);
  gl.Vertex3d(length, 0.0, 0.0);
  gl.Vertex3d(length - h, s, 0.0);
  gl.Vertex3d(length - h, -s, 0.0);
  gl.End();
}

std::vector<SceneLabel> DrawAxisGizmo(const SceneFrame& frame, const AxisGizmoLayout& layout) {
  const GlFunctions& gl = frame.gl;
  gl.Disable(kGlLighting);
  gl.LineWidth(1.0f);
  // Each arrow turned from the one before: x, then y (a quarter turn about z), then z.
  const std::array<GlMatrix, 3> arrows = {
      layout.modelView, Rotated(layout.modelView, 90.0, kAxisZ),
      Rotated(Rotated(layout.modelView, 90.0, kAxisZ), -90.0, kAxisY)};
  std::vector<SceneLabel> labels;
  for (std::size_t i = 0; i < arrows.size(); ++i) {
    const float shade = layout.behind[i] ? kGizmoGrey : 0.0f;
    gl.Color3f(shade, shade, shade);
    Load(gl, arrows[i]);
    DrawArrow(gl, layout.arrowLength);
    labels.push_back({layout.labelX[i], layout.labelY[i], std::string(1, "xyz"[i])});
  }
  return labels;
}

void DrawEmptyScene(const SceneFrame& frame) {
  Clear(frame.gl, kBodySceneBackground);
}

std::vector<SceneLabel> DrawNoticeScene(const SceneFrame& frame, std::string_view notice) {
  DrawEmptyScene(frame);
  return {{frame.projection.width() / 2, frame.projection.height() / 2, std::string(notice),
           kNoticeColour}};
}

std::vector<SceneLabel> DrawVehicleScene(const SceneFrame& frame, const VehicleScene& scene,
                                         CAirStreaks* streaks) {
  const GlFunctions& gl = frame.gl;
  const ShapeExtents& extents = frame.scene.Extents();
  const AxisGizmoLayout triad = LayOutAxisGizmo(frame.projection, scene.view.tilt, scene.view.turn);
  Clear(gl, kBodySceneBackground);
  LightBodies(gl, scene.light);
  gl.LightModeli(kGlLightModelTwoSide, 0);

  const bool canopy = scene.selector == kSelectParachute;
  const CanopyLayout layout = LayOutCanopy(extents, scene.parachute);
  const double reach = canopy ? layout.reach : VehicleReach(extents, scene);
  const GlMatrix camera = VehicleCamera(kVehicleDistance, scene.view.tilt, scene.view.turn);
  const double scale = canopy ? FramingScale(frame.projection, kVehicleDistance, reach, scene.zoom)
                              : PayloadScale(frame.projection, reach, scene.zoom);
  const GlMatrix scaled = Scaled(camera, scale);
  if (scene.triadOn) {
    gl.LineWidth(kBodyLineWidth);
    gl.Disable(kGlLighting);
    gl.Color3f(0.0f, 0.0f, 1.0f);
    Load(gl, Rotated(scaled, -scene.triadAngle, kAxisY));
    DrawArrow(gl, kTriadArrow);
  }
  const GlMatrix body = Attitude(scaled, scene.yaw, scene.pitch, scene.roll);
  gl.Enable(kGlLighting);
  if (canopy) {
    // The canopy alone turns about the middle of its lines, which the view looks at.
    DrawCanopy(gl, frame.scene, Translated(body, -layout.centre), layout);
  } else {
    DrawPayload(gl, frame.scene, body, scene.selector);
  }
  if (scene.linesOn && scene.points && !canopy) {
    Load(gl, body);
    BeginLines(gl, kBodyLineWidth);
    const int count = std::clamp(scene.lineCount, 0, kMaxLegs);
    for (int i = 1; i <= count; ++i) Line(gl, ToVec3(scene.points[0]), ToVec3(scene.points[i]));
    gl.End();
  }
  return FinishBodyScene(frame, triad, camera, kVehicleDistance, scene.air, streaks);
}

std::vector<SceneLabel> DrawSystemScene(const SceneFrame& frame, const CTrajectorySample& state,
                                        const SystemScene& scene, CAirStreaks* streaks) {
  const GlFunctions& gl = frame.gl;
  const ShapeExtents& extents = frame.scene.Extents();
  const CPayload& payload = PayloadOrDefault(state.payload.get());
  const std::int32_t selector =
      state.payload ? SelectorOfPayloadType(payload.typeIndex) : scene.selector;
  const bool descent = state.phaseType == kSampleFinalDescent;
  const CanopyLayout canopy = LayOutCanopy(extents, state.parachute.get());
  // The pair is centred: the payload half the offset one way, the parachute the other.
  const Vec3 offset{state.parachuteOffsetX, state.parachuteOffsetY, state.parachuteOffsetZ};
  const Vec3 centring = -0.5 * offset;
  const double reach = SystemReach(descent ? FramedSeparation(state) : Norm(offset),
                                   PayloadReach(extents, selector), descent ? &canopy : nullptr);
  const AxisGizmoLayout triad = LayOutAxisGizmo(frame.projection, scene.view.tilt, scene.view.turn);

  Clear(gl, kBodySceneBackground);
  LightBodies(gl, scene.light);
  const GlMatrix camera = VehicleCamera(kSystemDistance, scene.view.tilt, scene.view.turn);
  const double scale = FramingScale(frame.projection, kSystemDistance, reach, scene.zoom);
  const GlMatrix body =
      Attitude(Scaled(camera, scale), state.payloadYaw, state.payloadPitch, state.payloadRoll);
  const GlMatrix payloadFrame = Translated(body, centring);
  DrawPayload(gl, frame.scene, payloadFrame, selector);
  if (descent) {
    if (state.parachute && HasBridleLegs(payload)) {
      Load(gl, payloadFrame);
      BeginLines(gl, kBodyLineWidth);
      const Vec3 confluence{state.confluenceX, state.confluenceY, state.confluenceZ};
      const int legs = BridleLegCount(payload);
      for (int k = 0; k < legs; ++k) {
        Line(gl, confluence, payload.legPoints[static_cast<std::size_t>(k)]);
      }
      gl.End();
    }
    const GlMatrix canopyFrame = Attitude(Translated(body, -centring), state.parachuteRelYaw,
                                          state.parachuteRelPitch, state.parachuteRelRoll);
    DrawCanopy(gl, frame.scene, canopyFrame, canopy);
    // The riser joins the two bodies' frames, so it is drawn in eye coordinates, from the
    // payload's end to where the canopy's lines meet.
    const Vec3 payloadEnd = TransformPoint(payloadFrame, SystemRiserEnds(state).payloadEnd);
    const Vec3 parachuteEnd = TransformPoint(canopyFrame, canopy.linesMeet);
    Load(gl, IdentityMatrix());
    BeginLines(gl, kBodyLineWidth);
    Line(gl, payloadEnd, parachuteEnd);
    gl.End();
  }
  gl.Enable(kGlLighting);
  return FinishBodyScene(frame, triad, camera, kSystemDistance, scene.air, streaks);
}

void DrawGlobeScene(const SceneFrame& frame, const GlobeScene& scene) {
  const GlFunctions& gl = frame.gl;
  Clear(gl, kGlobeBackground);
  Load(gl, IdentityMatrix());
  Light(gl, kGlobeLightPosition);

  const GlMatrix camera = GlobeCamera(scene.view.tilt, scene.view.turn, scene.zoom);
  Load(gl, camera);
  frame.scene.DrawModel(gl, PlanetModel(scene.planet));

  const double k = PlanetModelScale(scene.planet);
  const Vec3 p = k * scene.position;
  gl.LineWidth(kGlobeLineWidth);
  gl.Disable(kGlLighting);
  if (scene.track.size() > 1) {
    gl.Color3f(1.0f, 0.85f, 0.0f);
    DrawTrack(gl, scene.track, k, GlobeTrackStep(frame.projection, scene.zoom));
  }
  gl.Color3f(1.0f, 0.0f, 0.0f);
  gl.Begin(kGlLines);
  Line(gl, {0.0, 0.0, 0.0}, p);
  gl.End();
  gl.Color3f(0.0f, 0.0f, 1.0f);
  Load(gl, HeadingFrame(camera, p, LatitudeLongitude(scene.position), scene.heading));
  DrawArrow(gl, kHeadingArrow);
  gl.Flush();
}

void DrawViewBorder(const SceneFrame& frame, const std::array<std::uint8_t, 3>& colour) {
  const GlFunctions& gl = frame.gl;
  const double w = frame.projection.width();
  const double h = frame.projection.height();
  gl.MatrixMode(kGlProjection);
  gl.PushMatrix();
  gl.LoadIdentity();
  gl.Ortho(0.0, w, 0.0, h, -1.0, 1.0);
  Load(gl, IdentityMatrix());
  gl.Disable(kGlLighting);
  gl.Disable(kGlDepthTest);
  gl.LineWidth(1.0f);
  gl.Color3d(colour[0] / 255.0, colour[1] / 255.0, colour[2] / 255.0);
  // Through the middle of the outermost pixels, each from edge to edge so no corner is missed.
  gl.Begin(kGlLines);
  Line(gl, {0.0, 0.5, 0.0}, {w, 0.5, 0.0});
  Line(gl, {0.0, h - 0.5, 0.0}, {w, h - 0.5, 0.0});
  Line(gl, {0.5, 0.0, 0.0}, {0.5, h, 0.0});
  Line(gl, {w - 0.5, 0.0, 0.0}, {w - 0.5, h, 0.0});
  gl.End();
  gl.MatrixMode(kGlProjection);
  gl.PopMatrix();
  gl.MatrixMode(kGlModelview);
  gl.Enable(kGlDepthTest);
}

}  // namespace plumora
