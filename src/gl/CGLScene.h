// The renderer's shared resources: the light and material constants every scene uses and the
// display lists of the five built-in meshes and the seven models. The lists are compiled once,
// into whatever context the caller has made current; every context that shares lists with it
// can then draw them. State that is not shared (texture parameters, lights, projection) each
// context sets for itself with InitContextState and a ViewProjection.
#pragma once

#include <array>
#include <filesystem>
#include <string_view>
#include <vector>

#include "core/common/Prompter.h"
#include "gl/BuiltinMeshes.h"
#include "gl/COglModel.h"
#include "gl/GlFunctions.h"

namespace plumora {

// The seven models, in loading order.
enum class SceneModel {
  kCapsuleTop1,
  kCapsuleTop2,
  kCapsuleBody,
  kCapsuleShield,
  kEarth,
  kMars,
  kTitan
};
inline constexpr int kSceneModelCount = 7;
inline constexpr std::array<std::string_view, kSceneModelCount> kSceneModelFiles = {
    "zel_top1.ogl", "zel_top2.ogl", "zel_body.ogl", "zel_shield.ogl",
    "earth.ogl",    "mars.ogl",     "titan.ogl"};
// Models and mesh files lie here under the base folder; model textures are named relative to
// the base folder itself.
inline constexpr std::string_view kModelsFolder = "3dmodels";

// Light 0 and the material settings the vehicle and system scenes apply (red, green, blue,
// alpha). The globe scene's light shines along -z from far away.
inline constexpr std::array<float, 4> kLightAmbient = {0.4f, 0.4f, 0.4f, 1.0f};
inline constexpr std::array<float, 4> kLightDiffuse = {0.7f, 0.7f, 0.7f, 1.0f};
inline constexpr std::array<float, 4> kLightSpecular = {0.1f, 0.1f, 0.1f, 1.0f};
inline constexpr std::array<float, 4> kGlobeLightPosition = {0.0f, 0.0f, 60.0f, 0.0f};
inline constexpr std::array<float, 4> kSceneEmission = {0.0f, 0.0f, 0.0f, 1.0f};
inline constexpr float kSceneShininess = 0.0f;
// What a context clears to until a scene says otherwise.
inline constexpr std::array<float, 4> kDefaultClearColour = {1.0f, 1.0f, 1.0f, 1.0f};

// How far the shapes reach, measured from their vertices when they are read, so that the scenes
// can frame them whatever file stands in for a model. Model units, in the body axes.
struct ShapeExtents {
  // The farthest vertex from the origin: the capsule (0) and payload meshes 1 to 4.
  std::array<double, 5> payload{};
  // The canopy (the parachute mesh) is round about its x axis: each distinct meridian point
  // (axial position, distance from the axis) of its vertices, and its widest ring, the skirt.
  std::vector<std::array<double, 2>> canopyProfile;
  double skirtX = 0.0;
  double skirtRadius = 0.0;
};

class CGLScene {
 public:
  CGLScene() = default;
  CGLScene(const CGLScene&) = delete;
  CGLScene& operator=(const CGLScene&) = delete;

  // The state every context that draws scenes starts with: textures clamped at their edges,
  // nearest-texel filtering, texture colours modulating the lit colour, 2D texturing on,
  // normals normalised, both faces lit, a white clear colour.
  static void InitContextState(const GlFunctions& gl);

  // Sets up the context the caller has made current: its state (as InitContextState), then the
  // lists of the built-in meshes (parachute, payload 1 to 4) and of the models, from
  // base/3dmodels, in that order. A file that cannot be read shows its message through prompter
  // and compiles to a list that draws nothing; the others are still built. Fails, doing
  // nothing, when no context is current or the lists were built already.
  Result<> CreateContext(const GlFunctions& gl, const std::filesystem::path& base,
                         Prompter& prompter);
  bool IsReady() const { return ready_; }

  GlList MeshList(BuiltinMesh mesh) const { return meshLists_[static_cast<std::size_t>(mesh)]; }
  const BuiltinMeshData& Mesh(BuiltinMesh mesh) const {
    return meshes_[static_cast<std::size_t>(mesh)];
  }
  const COglModel& Model(SceneModel model) const {
    return models_[static_cast<std::size_t>(model)];
  }
  const ShapeExtents& Extents() const { return extents_; }
  // Calls a mesh's or a model's list.
  void DrawMesh(const GlFunctions& gl, BuiltinMesh mesh) const;
  void DrawModel(const GlFunctions& gl, SceneModel model) const;

  // Frees every list. A context that shares them must be current; the scene is not ready after.
  void DeleteLists(const GlFunctions& gl);

 private:
  void MeasureShapes();

  std::array<BuiltinMeshData, kBuiltinMeshCount> meshes_;
  std::array<GlList, kBuiltinMeshCount> meshLists_{};
  std::array<COglModel, kSceneModelCount> models_;
  ShapeExtents extents_;
  bool ready_ = false;
};

}  // namespace plumora
