// What a 3D results pane or a 3D preview hands its scene: which scene it is and every value the
// scene draws with, taken from the sample the animation shows or from the preview's state.
#pragma once

#include <string_view>
#include <vector>

#include "core/app/PlumoraDoc.h"
#include "gl/Scenes.h"
#include "gui/logic/results/ResultsViewState.h"
#include "gui/logic/scene/PreviewState.h"

namespace plumora::gui {

enum class SceneKind { kNone, kVehicle, kSystem, kGlobe };

struct SceneInputs {
  SceneKind kind = SceneKind::kNone;  // kNone: the view has no sample to show
  std::string_view notice;            // what a view with nothing to show says instead, if anything
  VehicleScene vehicle;
  SystemScene system;
  const CTrajectorySample* state = nullptr;  // what the system scene draws
  GlobeScene globe;
};

// The radius positions are measured from: the planet's, as its atmosphere file gives it, or the
// radius its globe is drawn for while no file has been read.
double PositionRadius(const CPlumoraDoc& doc);

// The scene of a 3D display mode for the sample at index, turned by view and lit by light. The
// payload, parachute and system modes show nothing beyond the last sample; the trajectory mode
// then shows the globe with the position at the planet's centre. The parachute mode says so
// when the sample flies no parachute. The globe is turned by the
// longitude of the first sample besides the view's turn, so the flight faces the eye; a
// preview's globe, by the longitude of its entry point. Positions of the samples up to
// index go into track (reused between frames), which the globe scene refers to. zoom is the
// view's wheel zoom (1: the scene frames what it shows).
SceneInputs ResultsScene(DisplayMode mode, const CPlumoraDoc& doc, int index,
                         const ViewAngles& view, const LightPosition& light,
                         std::vector<Vec3>& track, float zoom = 1.0f);

// The scene of a preview window in its mode.
SceneInputs PreviewScene(const PreviewState& preview);

// Draws the scene the inputs name (the vehicle and system scenes with streaks, when given), or
// the empty background with the notice, if any; the labels to write over the frame.
std::vector<SceneLabel> DrawSceneInputs(const SceneFrame& frame, const SceneInputs& inputs,
                                        CAirStreaks* streaks);

}  // namespace plumora::gui
