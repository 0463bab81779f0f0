// The built-in meshes: the parachute canopy and the four payload shapes other than the capsule.
// Each is made of material runs (a material and the consecutive triangles drawn with it) and
// is read at start-up from a mesh file in the models folder: one .ogl model per run, back to
// back, in drawing order (blank lines may separate them).
#pragma once

#include <array>
#include <filesystem>
#include <string_view>
#include <vector>

#include "core/common/DataFileErrors.h"
#include "gl/GlFunctions.h"
#include "gl/OglGeometry.h"

namespace plumora {

enum class BuiltinMesh { kParachute, kPayload1, kPayload2, kPayload3, kPayload4 };
inline constexpr int kBuiltinMeshCount = 5;

// File names under the models folder, in the order of BuiltinMesh.
inline constexpr std::array<std::string_view, kBuiltinMeshCount> kBuiltinMeshFiles = {
    "parachute.mesh", "payload1.mesh", "payload2.mesh", "payload3.mesh", "payload4.mesh"};

struct MeshRun {
  int material = 0;   // index into the mesh's materials
  int triangles = 0;  // consecutive triangles drawn with it
};

struct BuiltinMeshData {
  std::vector<OglGeometry> runs;  // one per material run, in drawing order

  std::vector<MeshRun> Runs() const;
  std::vector<OglMaterial> Materials() const;
  int TriangleCount() const;
};

// Reads a mesh file. Fails with "File PATH was not opened\n" or with the message of the first
// run that is refused; out is unchanged then.
Result<> ReadBuiltinMesh(const std::filesystem::path& path, BuiltinMeshData& out);

// Compiles a mesh into a new display list and returns its name (0 without a current context):
// the runs in order, each selecting its material for both faces; the parachute's triangles
// also carry texture coordinates.
GlList CompileBuiltinMesh(const GlFunctions& gl, const BuiltinMeshData& mesh, bool withTexCoords);

}  // namespace plumora
