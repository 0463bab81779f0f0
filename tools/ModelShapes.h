// The bundled 3D models and built-in meshes, in the model units of the 3D views: metres in the
// body axes of the payload or parachute (+x forward, origin at the centre of gravity), except
// payload mesh 4, which is drawn at 1/40 scale and so is modelled at 40 units per metre.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "MeshBuilder.h"

namespace plumora::tools {

struct BundledModel {
  std::string file;                             // name under data/3dmodels
  std::function<std::vector<MeshPart>()> make;  // the model's parts, one per material run
};

// The seven models (capsule parts and planets) and the five built-in meshes.
const std::vector<BundledModel>& BundledModels();

// Number of sides of the planet spheres around the equator, and of rings pole to pole.
inline constexpr int kPlanetSegments = 48;
inline constexpr int kPlanetRings = 24;
inline constexpr double kPlanetRadius = 2.0;  // model units

}  // namespace plumora::tools
