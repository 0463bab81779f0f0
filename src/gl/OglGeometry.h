// The contents of a 3D model file (.ogl): triangles indexing into vertex, normal and
// texture-coordinate arrays, one material and the name of a texture picture. The reader treats
// the file as untrusted: counts are checked against what the file can hold before anything is
// allocated, and every index against its array, so nothing is ever read outside them.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/DataFileErrors.h"
#include "core/common/TextScanner.h"
#include "gl/GlFunctions.h"

namespace plumora {

// Label lines of model files are read whole, up to this many characters.
inline constexpr std::size_t kModelLineReadLimit = 254;
// The texture name that stands for no texture.
inline constexpr std::string_view kNoTexture = "nobitmap";

// Colours are red, green, blue, alpha from 0 to 1; the file gives one alpha for all four.
struct OglMaterial {
  std::array<float, 4> ambient{0.0f, 0.0f, 0.0f, 1.0f};
  std::array<float, 4> diffuse{0.0f, 0.0f, 0.0f, 1.0f};
  std::array<float, 4> specular{0.0f, 0.0f, 0.0f, 1.0f};
  std::array<float, 4> emission{0.0f, 0.0f, 0.0f, 1.0f};
  float shininess = 0.0f;  // specular exponent
};

// Indices are 0-based, corners 1 to 3 in order.
struct OglTriangle {
  std::array<std::int32_t, 3> vertex{};
  std::array<std::int32_t, 3> normal{};
  std::array<std::int32_t, 3> texCoord{};
};

using Vec3f = std::array<float, 3>;
using Vec2f = std::array<float, 2>;

struct OglGeometry {
  std::vector<OglTriangle> triangles;
  std::vector<Vec3f> vertices;   // model units
  std::vector<Vec3f> normals;    // need not be unit length: OpenGL normalises them
  std::vector<Vec2f> texCoords;  // s, t; a file without any still gets one pair (0, 0)
  OglMaterial material;
  std::string textureName{kNoTexture};
};

// "File PATH was not opened\n": a model or mesh file that cannot be read.
std::string ModelNotOpenedMessage(const std::filesystem::path& path);

// Reads one model from in, which stands at the model's first line; path names the file in the
// messages. On success in stands after the line of the texture name. On failure out is
// unchanged and the message names the file and the line.
Result<> ReadOglGeometry(TextScanner& in, const std::filesystem::path& path, OglGeometry& out);

// The material for front and back faces, as the model lists set it.
void ApplyMaterial(const GlFunctions& gl, const OglMaterial& material);

// The triangles, each corner as normal, texture coordinate (when withTexCoords) and vertex.
void EmitTriangles(const GlFunctions& gl, const OglGeometry& geometry, bool withTexCoords);

}  // namespace plumora
