#include "OglFileWriter.h"

#include <cstdio>

#include "DataFileOutput.h"

namespace plumora::tools {

namespace {

// Six significant digits: what a single-precision reader keeps, and the same on every machine.
void Real(std::string& out, double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g\n", value == 0.0 ? 0.0 : value);  // no "-0"
  out += text;
}

void Label(std::string& out, const char* label) {
  out.append(label).push_back('\n');
}

void Colour(std::string& out, const char* label, const Point3& rgb) {
  Label(out, label);
  for (double c : rgb) Real(out, c);
}

}  // namespace

std::string OglText(const MeshPart& part) {
  std::string out;
  const auto count = [&out](const char* label, std::size_t n) {
    Label(out, label);
    out.append(std::to_string(n)).push_back('\n');
  };
  count("vertices", part.vertices.size());
  count("texture coordinates", part.texCoords.size());
  count("normals", part.normals.size());
  count("triangles", part.triangles.size());
  Label(out, "triangle corners: vertex 1 to 3, normal 1 to 3, texture coordinate 1 to 3");
  for (const MeshPart::Triangle& t : part.triangles) {
    for (const auto* indices : {&t.vertex, &t.normal, &t.texCoord}) {
      for (int i : *indices) out.append(std::to_string(i)).push_back('\n');
    }
  }
  Label(out, "vertices: x, y, z");
  for (const Point3& v : part.vertices) {
    for (double c : v) Real(out, c);
  }
  Label(out, "normals: x, y, z");
  for (const Point3& n : part.normals) {
    for (double c : n) Real(out, c);
  }
  Label(out, "texture coordinates: s, t");
  for (const Point2& st : part.texCoords) {
    for (double c : st) Real(out, c);
  }
  const MeshMaterial& m = part.material;
  Colour(out, "ambient: red, green, blue", m.ambient);
  Colour(out, "diffuse: red, green, blue", m.diffuse);
  Colour(out, "specular: red, green, blue", m.specular);
  Colour(out, "emission: red, green, blue", m.emission);
  Label(out, "alpha");
  Real(out, m.alpha);
  Label(out, "shininess");
  Real(out, m.shininess);
  out.append(part.texture).push_back('\n');
  return out;
}

bool WriteOglFile(const std::string& path, const std::vector<MeshPart>& parts) {
  std::string text;
  for (const MeshPart& part : parts) text += OglText(part);
  return WriteDataFile(path, "", [&text](std::FILE* f) { std::fputs(text.c_str(), f); });
}

}  // namespace plumora::tools
