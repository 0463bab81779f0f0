#include "gl/BuiltinMeshes.h"

namespace plumora {

std::vector<MeshRun> BuiltinMeshData::Runs() const {
  std::vector<MeshRun> out;
  for (std::size_t k = 0; k < runs.size(); ++k) {
    out.push_back({static_cast<int>(k), static_cast<int>(runs[k].triangles.size())});
  }
  return out;
}

std::vector<OglMaterial> BuiltinMeshData::Materials() const {
  std::vector<OglMaterial> out;
  for (const OglGeometry& run : runs) out.push_back(run.material);
  return out;
}

int BuiltinMeshData::TriangleCount() const {
  std::size_t n = 0;
  for (const OglGeometry& run : runs) n += run.triangles.size();
  return static_cast<int>(n);
}

Result<> ReadBuiltinMesh(const std::filesystem::path& path, BuiltinMeshData& out) {
  auto in = TextScanner::Open(path);
  if (!in) return Fail(ErrorCode::kCannotOpen, ModelNotOpenedMessage(path));
  BuiltinMeshData mesh;
  do {
    OglGeometry run;
    Result<> read = ReadOglGeometry(*in, path, run);
    if (!read) return read;
    mesh.runs.push_back(std::move(run));
  } while (!in->OnlyBlanksLeft());
  out = std::move(mesh);
  return {};
}

GlList CompileBuiltinMesh(const GlFunctions& gl, const BuiltinMeshData& mesh, bool withTexCoords) {
  if (!gl.HasCurrentContext()) return 0;
  const GlList list = gl.GenLists(1);
  if (list == 0) return 0;
  gl.NewList(list, kGlCompile);
  gl.Begin(kGlTriangles);
  for (const OglGeometry& run : mesh.runs) {
    // Materials change outside a batch of triangles.
    gl.End();
    ApplyMaterial(gl, run.material);
    gl.Begin(kGlTriangles);
    EmitTriangles(gl, run, withTexCoords);
  }
  gl.End();
  gl.EndList();
  return list;
}

}  // namespace plumora
