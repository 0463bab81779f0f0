#include "gui/logic/scene/SceneInputs.h"

#include "core/common/Messages.h"

namespace plumora::gui {

namespace {

SceneInputs Vehicle(const VehicleScene& scene) {
  SceneInputs inputs;
  inputs.kind = SceneKind::kVehicle;
  inputs.vehicle = scene;
  return inputs;
}

SceneInputs System(const SystemScene& scene, const CTrajectorySample& state) {
  SceneInputs inputs;
  inputs.kind = SceneKind::kSystem;
  inputs.system = scene;
  inputs.state = &state;
  return inputs;
}

SceneInputs Globe(const GlobeScene& scene) {
  SceneInputs inputs;
  inputs.kind = SceneKind::kGlobe;
  inputs.globe = scene;
  return inputs;
}

Vec3 Negated(double vx, double vy, double vz) {
  return {-vx, -vy, -vz};
}

SceneInputs PayloadScene(const CTrajectoryStore& store, int index, VehicleScene scene) {
  const CTrajectorySample& s = store.SampleAt(index);
  const CPayload& payload = PayloadOrDefault(s.payload.get());
  scene.yaw = static_cast<float>(s.payloadYaw);
  scene.pitch = static_cast<float>(s.payloadPitch);
  scene.roll = static_cast<float>(s.payloadRoll);
  scene.air.wind = Negated(s.payloadVx, s.payloadVy, s.payloadVz);
  scene.air.on = !(scene.air.wind == Vec3{});
  scene.selector = SelectorOfPayloadType(payload.typeIndex);
  return Vehicle(scene);
}

SceneInputs ParachuteScene(const CTrajectoryStore& store, int index, VehicleScene scene) {
  const CTrajectorySample& s = store.SampleAt(index);
  // Before the canopy opens there is none to draw.
  if (s.phaseType != kSampleFinalDescent) {
    SceneInputs none;
    none.notice = kMsgNoParachuteInPhase;
    return none;
  }
  scene.yaw = static_cast<float>(s.parachuteYaw);
  scene.pitch = static_cast<float>(s.parachutePitch);
  scene.roll = static_cast<float>(s.parachuteRoll);
  scene.air = {Negated(s.parachuteVx, s.parachuteVy, s.parachuteVz), true};
  scene.selector = kSelectParachute;
  scene.parachute = s.parachute.get();
  return Vehicle(scene);
}

SceneInputs SystemSceneOf(const CTrajectoryStore& store, int index, SystemScene scene) {
  const CTrajectorySample& s = store.SampleAt(index);
  scene.air = {Negated(s.payloadVx, s.payloadVy, s.payloadVz), true};
  return System(scene, s);
}

SceneInputs GlobeSceneOf(const CPlumoraDoc& doc, int index, GlobeScene scene,
                         std::vector<Vec3>& track) {
  const CTrajectoryStore& store = doc.results;
  const double radius = PositionRadius(doc);
  scene.planet = doc.mission.environment.planet;
  // The globe starts turned to where the flight begins (a flight on the far side of the planet
  // would show nothing of itself); a drag turns it from there.
  if (store.LastIndex() >= 0) scene.view.turn += static_cast<float>(store.SampleAt(0).longitude);
  track.clear();
  if (index >= 0 && index <= store.LastIndex()) {
    for (int i = 0; i <= index; ++i) {
      const CTrajectorySample& s = store.SampleAt(i);
      track.push_back(PlanetCentredPosition(s.latitude, s.longitude, s.payloadHeight, radius));
    }
    scene.position = track.back();
    scene.heading = store.SampleAt(index).heading;
  }
  scene.track = track;
  return Globe(scene);
}

}  // namespace

double PositionRadius(const CPlumoraDoc& doc) {
  const double radius = doc.planetConstants().radius;
  return radius > 0.0 ? radius : PlanetModelRadius(doc.mission.environment.planet);
}

SceneInputs ResultsScene(DisplayMode mode, const CPlumoraDoc& doc, int index,
                         const ViewAngles& view, const LightPosition& light,
                         std::vector<Vec3>& track, float zoom) {
  if (mode == DisplayMode::k3DTrajectory) {
    GlobeScene globe;
    globe.view = view;
    globe.zoom = zoom;
    return GlobeSceneOf(doc, index, globe, track);
  }
  const CTrajectoryStore& store = doc.results;
  if (index < 0 || index > store.LastIndex()) return {};
  VehicleScene vehicle;
  vehicle.view = view;
  vehicle.light = light;
  vehicle.zoom = zoom;
  SystemScene system;
  system.view = view;
  system.light = light;
  system.zoom = zoom;
  switch (mode) {
    case DisplayMode::k3DPayload:
      return PayloadScene(store, index, vehicle);
    case DisplayMode::k3DParachute:
      return ParachuteScene(store, index, vehicle);
    case DisplayMode::k3DSystem:
      return SystemSceneOf(store, index, system);
    default:
      return {};
  }
}

SceneInputs PreviewScene(const PreviewState& preview) {
  const ViewAngles view{preview.tilt(), preview.turn()};
  if (preview.mode >= kPreviewEarth && preview.mode <= kPreviewTitan) {
    GlobeScene globe;
    globe.planet = preview.mode - kPreviewEarth;
    globe.view = view;
    globe.view.turn += static_cast<float>(preview.longitude);  // the entry point faces the eye
    globe.position = PlanetCentredPosition(preview.latitude, preview.longitude, preview.altitude,
                                           PlanetModelRadius(globe.planet));
    globe.heading = preview.heading;
    globe.zoom = preview.zoom();
    return Globe(globe);
  }
  if (preview.mode == kPreviewSystem) {
    SystemScene system;
    system.view = view;
    system.light = preview.light;
    system.zoom = preview.zoom();
    return System(system, preview.system);
  }
  VehicleScene vehicle;
  vehicle.view = view;
  vehicle.light = preview.light;
  vehicle.yaw = preview.yaw;
  vehicle.pitch = preview.pitch;
  vehicle.roll = preview.roll;
  vehicle.zoom = preview.zoom();
  vehicle.selector = preview.Selector();
  vehicle.parachute = preview.canopy.get();
  vehicle.linesOn = preview.linesOn && vehicle.selector != kSelectParachute;
  vehicle.lineCount = preview.lineCount;
  vehicle.points = preview.linePoints;
  vehicle.triadOn = preview.triadOn;
  vehicle.triadAngle = preview.triadAngle;
  return Vehicle(vehicle);
}

std::vector<SceneLabel> DrawSceneInputs(const SceneFrame& frame, const SceneInputs& inputs,
                                        CAirStreaks* streaks) {
  switch (inputs.kind) {
    case SceneKind::kVehicle:
      return DrawVehicleScene(frame, inputs.vehicle, streaks);
    case SceneKind::kSystem:
      if (!inputs.state) break;
      return DrawSystemScene(frame, *inputs.state, inputs.system, streaks);
    case SceneKind::kGlobe:
      DrawGlobeScene(frame, inputs.globe);
      return {};
    case SceneKind::kNone:
      if (!inputs.notice.empty()) return DrawNoticeScene(frame, inputs.notice);
      break;
  }
  DrawEmptyScene(frame);
  return {};
}

}  // namespace plumora::gui
