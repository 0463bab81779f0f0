// The models and meshes under data/3dmodels: their layout, shapes, materials and counts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "CapsuleAero.h"
#include "core/common/Prompter.h"
#include "gl/BuiltinMeshes.h"
#include "gl/CGLScene.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

std::filesystem::path ModelsFolder() {
  return test::DataFolder() / kModelsFolder;
}

// The layout read the plain way, one line at a time: a label line before each block, one number
// on each line, the texture name last. Gives the four counts and the texture name.
struct LineReading {
  long vertices = -1, texCoords = -1, normals = -1, triangles = -1;
  std::string texture;
};
bool ReadLineByLine(const std::filesystem::path& path, LineReading& r) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  const auto integer = [&](long& value) {
    return std::getline(in, line) && std::getline(in, line) &&
           std::sscanf(line.c_str(), "%li", &value) == 1;
  };
  const auto reals = [&](long n) {
    float v = 0;
    if (!std::getline(in, line)) return false;
    for (long k = 0; k < n; ++k) {
      if (!std::getline(in, line) || std::sscanf(line.c_str(), "%f", &v) != 1) return false;
    }
    return true;
  };
  if (!integer(r.vertices) || !integer(r.texCoords) || !integer(r.normals) ||
      !integer(r.triangles)) {
    return false;
  }
  long index = 0;
  std::getline(in, line);
  for (long k = 0; k < 9 * r.triangles; ++k) {
    if (!std::getline(in, line) || std::sscanf(line.c_str(), "%li", &index) != 1) return false;
  }
  if (!reals(3 * r.vertices) || !reals(3 * r.normals) || !reals(2 * r.texCoords)) return false;
  for (long n : {3, 3, 3, 3, 1, 1}) {
    if (!reals(n)) return false;
  }
  return static_cast<bool>(in >> r.texture) && !(in >> line);
}

TEST(BundledModelsTest, TheSevenModelsReadAlikeLineByLineAndByTheLoader) {
  for (std::string_view file : kSceneModelFiles) {
    LineReading lines;
    ASSERT_TRUE(ReadLineByLine(ModelsFolder() / file, lines)) << file;
    // The planets' maps are drawn only by builds with the desktop program.
    const bool planet = file == "earth.ogl" || file == "mars.ogl" || file == "titan.ogl";
    if (planet && PLUMORA_PICTURES_BUILT == 0) continue;
    RecordingPrompter prompter;
    COglModel model;
    ASSERT_EQ(model.Load(ModelsFolder() / file, prompter, test::DataFolder()), 1)
        << prompter.Transcript();
    const OglGeometry& g = model.geometry();
    EXPECT_EQ(lines.vertices, static_cast<long>(g.vertices.size())) << file;
    EXPECT_EQ(lines.normals, static_cast<long>(g.normals.size())) << file;
    EXPECT_EQ(lines.triangles, static_cast<long>(g.triangles.size())) << file;
    EXPECT_EQ(lines.texture, g.textureName) << file;
    // The planets are textured with 24-bit maps that exist; the capsule is painted.
    EXPECT_EQ(model.HasTexture(), planet) << file;
    if (planet) {
      EXPECT_EQ(model.texture()->Width(), 2 * model.texture()->Height()) << file;
      for (const Vec3f& v : g.vertices) {
        ASSERT_NEAR(std::hypot(v[0], v[1], v[2]), 2.0, 1e-5) << file;
      }
    }
  }
}

TEST(BundledModelsTest, TheCapsuleHasTheProportionsOfTheAerodynamicTable) {
  // Nose forward on +x, the centre of gravity at the origin.
  const tools::CapsuleShape& shape = tools::kDefaultCapsule;
  const double length = tools::ProfileLength(tools::CapsuleProfile(shape));
  float front = -1e9f, back = 1e9f, widest = 0.0f;
  for (std::string_view file : {"zel_shield.ogl", "zel_body.ogl"}) {
    SilentPrompter prompter;
    COglModel part;
    ASSERT_EQ(part.Load(ModelsFolder() / file, prompter), 1) << file;
    for (const Vec3f& v : part.geometry().vertices) {
      front = std::max(front, v[0]);
      back = std::min(back, v[0]);
      widest = std::max(widest, std::hypot(v[1], v[2]));
    }
  }
  EXPECT_NEAR(front, shape.cgFromNose, 1e-5);
  EXPECT_NEAR(front - back, length, 1e-5);
  EXPECT_NEAR(widest, shape.diameter / 2, 1e-5);
}

TEST(BundledModelsTest, BuiltInMeshesHaveTheirTriangleCountsRunsAndMaterials) {
  struct Expected {
    int triangles;
    std::vector<int> runs;
  };
  const Expected expected[kBuiltinMeshCount] = {
      {440, {160, 160, 120}},
      {364, {128, 46, 46, 144}},
      {652, {46, 46, 144, 32, 384}},
      {1092, {46, 46, 144, 28, 28, 16, 256, 32, 384, 16, 16, 16, 16, 16, 16, 16}},
      {3937, {3773, 164}},
  };
  const auto grey = [](float v) { return std::array<float, 4>{v, v, v, 1.0f}; };
  const std::array<float, 4> probeDiffuse[] = {{1.0f, 1.0f, 1.0f, 1.0f},
                                               {0.878f, 0.337f, 0.337f, 1.0f},
                                               {0.69f, 0.102f, 0.102f, 1.0f},
                                               grey(0.337f)};
  for (int m = 0; m < kBuiltinMeshCount; ++m) {
    BuiltinMeshData mesh;
    const Result<> read = ReadBuiltinMesh(ModelsFolder() / kBuiltinMeshFiles[m], mesh);
    ASSERT_TRUE(read.ok()) << read.message();
    EXPECT_EQ(mesh.TriangleCount(), expected[m].triangles) << m;
    std::vector<int> runs;
    for (const MeshRun& run : mesh.Runs()) runs.push_back(run.triangles);
    EXPECT_EQ(runs, expected[m].runs) << m;
    for (const OglMaterial& material : mesh.Materials()) {
      EXPECT_EQ(material.emission, (std::array<float, 4>{0, 0, 0, 1})) << m;
      if (m >= 1 && m <= 3) {
        EXPECT_EQ(material.ambient, grey(0.118f));
        EXPECT_EQ(material.specular, grey(0.753f));
        EXPECT_EQ(material.shininess, 8.0f);
        EXPECT_NE(std::find(std::begin(probeDiffuse), std::end(probeDiffuse), material.diffuse),
                  std::end(probeDiffuse))
            << m;
      }
    }
  }
  BuiltinMeshData parachute, rocket;
  ASSERT_TRUE(ReadBuiltinMesh(ModelsFolder() / "parachute.mesh", parachute).ok());
  const auto materials = parachute.Materials();
  EXPECT_EQ(materials[0].diffuse, (std::array<float, 4>{0.9f, 0.1f, 0.1f, 1.0f}));
  EXPECT_EQ(materials[0].shininess, 32.0f);
  EXPECT_EQ(materials[1].specular, grey(0.8f));
  EXPECT_EQ(materials[2].ambient, grey(0.1f));
  EXPECT_EQ(materials[2].shininess, 64.0f);
  ASSERT_TRUE(ReadBuiltinMesh(ModelsFolder() / "payload4.mesh", rocket).ok());
  EXPECT_EQ(rocket.Materials()[0].ambient, grey(0.745f));
  EXPECT_EQ(rocket.Materials()[0].specular, grey(0.0f));
  EXPECT_EQ(rocket.Materials()[1].diffuse, grey(0.098f));
  EXPECT_EQ(rocket.Materials()[1].shininess, 2.144f);
}

}  // namespace
}  // namespace plumora
