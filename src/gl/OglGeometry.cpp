#include "gl/OglGeometry.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include "core/common/Messages.h"

namespace plumora {

namespace {

// Every number of the file stands on a line of its own; line receives its number.
bool ReadIntLine(TextScanner& in, std::int32_t& value, int& line) {
  int v = 0;
  if (!in.ReadInt(v)) return false;
  value = v;
  line = in.Line();
  in.SkipLine(kModelLineReadLimit);
  return true;
}

bool ReadFloatLine(TextScanner& in, float& value) {
  double v = 0.0;
  if (!in.ReadFloat(v) || !std::isfinite(v)) return false;
  value = static_cast<float>(v);
  in.SkipLine(kModelLineReadLimit);
  return true;
}

// A label line, then n reals.
template <std::size_t N>
bool ReadFloatBlock(TextScanner& in, std::array<float, N>& values, std::size_t n = N) {
  in.SkipLine(kModelLineReadLimit);
  for (std::size_t k = 0; k < n; ++k) {
    if (!ReadFloatLine(in, values[k])) return false;
  }
  return true;
}

}  // namespace

std::string ModelNotOpenedMessage(const std::filesystem::path& path) {
  std::string text(kMsgModelFile);
  return text.append(path.string()).append(kMsgModelNotOpened);
}

Result<> ReadOglGeometry(TextScanner& in, const std::filesystem::path& path, OglGeometry& out) {
  const auto fail = [&](std::string_view what, int line) {
    return DataFileError("model", path, what, line);
  };
  const auto early = [&] { return fail(kMsgFileEndsEarly, in.Line()); };
  int line = 0;
  // Header: vertex, texture-coordinate, normal and triangle counts.
  std::int32_t vertexCount = 0, texCoordCount = 0, normalCount = 0, triangleCount = 0;
  for (std::int32_t* count : {&vertexCount, &texCoordCount, &normalCount, &triangleCount}) {
    in.SkipLine(kModelLineReadLimit);
    if (!ReadIntLine(in, *count, line)) return early();
    if (*count < 0) return fail(kMsgModelNegativeCount, line);
  }
  // Each number takes a character and a line end at least: a count the rest of the file cannot
  // hold is refused before anything is allocated for it.
  const std::int64_t numbers = 9 * std::int64_t{triangleCount} + 3 * std::int64_t{vertexCount} +
                               3 * std::int64_t{normalCount} + 2 * std::int64_t{texCoordCount};
  if (2 * numbers > static_cast<std::int64_t>(in.Remaining()) + 1) {
    return fail(kMsgModelCountTooLarge, line);
  }

  OglGeometry g;
  g.triangles.resize(static_cast<std::size_t>(triangleCount));
  g.vertices.resize(static_cast<std::size_t>(vertexCount));
  g.normals.resize(static_cast<std::size_t>(normalCount));
  g.texCoords.resize(static_cast<std::size_t>(texCoordCount > 0 ? texCoordCount : 1));

  in.SkipLine(kModelLineReadLimit);
  for (OglTriangle& t : g.triangles) {
    const std::pair<std::array<std::int32_t, 3>*, std::size_t> blocks[] = {
        {&t.vertex, g.vertices.size()},
        {&t.normal, g.normals.size()},
        {&t.texCoord, g.texCoords.size()}};
    for (const auto& [indices, size] : blocks) {
      for (std::int32_t& i : *indices) {
        if (!ReadIntLine(in, i, line)) return early();
        if (i < 0 || static_cast<std::size_t>(i) >= size) return fail(kMsgModelBadIndex, line);
      }
    }
  }
  in.SkipLine(kModelLineReadLimit);
  for (Vec3f& v : g.vertices) {
    for (float& c : v) {
      if (!ReadFloatLine(in, c)) return early();
    }
  }
  in.SkipLine(kModelLineReadLimit);
  for (Vec3f& n : g.normals) {
    for (float& c : n) {
      if (!ReadFloatLine(in, c)) return early();
    }
  }
  in.SkipLine(kModelLineReadLimit);
  for (std::int32_t k = 0; k < texCoordCount; ++k) {
    for (float& c : g.texCoords[static_cast<std::size_t>(k)]) {
      if (!ReadFloatLine(in, c)) return early();
    }
  }
  OglMaterial& m = g.material;
  std::array<float, 1> alpha{}, shininess{};
  if (!ReadFloatBlock(in, m.ambient, 3) || !ReadFloatBlock(in, m.diffuse, 3) ||
      !ReadFloatBlock(in, m.specular, 3) || !ReadFloatBlock(in, m.emission, 3) ||
      !ReadFloatBlock(in, alpha) || !ReadFloatBlock(in, shininess)) {
    return early();
  }
  for (auto* colour : {&m.ambient, &m.diffuse, &m.specular, &m.emission}) (*colour)[3] = alpha[0];
  m.shininess = shininess[0];
  if (!in.ReadToken(g.textureName)) return early();
  in.SkipLine(kModelLineReadLimit);
  out = std::move(g);
  return {};
}

void ApplyMaterial(const GlFunctions& gl, const OglMaterial& material) {
  gl.Materialfv(kGlFrontAndBack, kGlAmbient, material.ambient.data());
  gl.Materialfv(kGlFrontAndBack, kGlDiffuse, material.diffuse.data());
  gl.Materialfv(kGlFrontAndBack, kGlSpecular, material.specular.data());
  gl.Materialfv(kGlFrontAndBack, kGlEmission, material.emission.data());
  gl.Materialf(kGlFrontAndBack, kGlShininess, material.shininess);
}

void EmitTriangles(const GlFunctions& gl, const OglGeometry& geometry, bool withTexCoords) {
  for (const OglTriangle& t : geometry.triangles) {
    for (int corner = 0; corner < 3; ++corner) {
      gl.Normal3fv(geometry.normals[static_cast<std::size_t>(t.normal[corner])].data());
      if (withTexCoords) {
        gl.TexCoord2fv(geometry.texCoords[static_cast<std::size_t>(t.texCoord[corner])].data());
      }
      gl.Vertex3fv(geometry.vertices[static_cast<std::size_t>(t.vertex[corner])].data());
    }
  }
}

}  // namespace plumora
