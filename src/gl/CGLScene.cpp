#include "gl/CGLScene.h"

#include <algorithm>
#include <cmath>

#include "core/common/Messages.h"

namespace plumora {

namespace {

double FarthestVertex(const OglGeometry& geometry) {
  double farthest = 0.0;
  for (const Vec3f& v : geometry.vertices) {
    farthest = std::max(farthest, std::hypot<double>(v[0], v[1], v[2]));
  }
  return farthest;
}

double FarthestVertex(const BuiltinMeshData& mesh) {
  double farthest = 0.0;
  for (const OglGeometry& run : mesh.runs) farthest = std::max(farthest, FarthestVertex(run));
  return farthest;
}

void MeasureCanopy(const BuiltinMeshData& mesh, ShapeExtents& extents) {
  std::vector<std::array<double, 2>>& profile = extents.canopyProfile;
  for (const OglGeometry& run : mesh.runs) {
    for (const Vec3f& v : run.vertices) profile.push_back({v[0], std::hypot<double>(v[1], v[2])});
  }
  // A ring of vertices is one meridian point however many gores share it.
  constexpr double kSame = 1e-6;  // model units
  std::sort(profile.begin(), profile.end());
  profile.erase(std::unique(profile.begin(), profile.end(),
                            [](const auto& a, const auto& b) {
                              return std::fabs(a[0] - b[0]) < kSame &&
                                     std::fabs(a[1] - b[1]) < kSame;
                            }),
                profile.end());
  for (const auto& [x, r] : profile) {
    if (r > extents.skirtRadius + kSame) {
      extents.skirtRadius = r;
      extents.skirtX = x;
    } else if (r > extents.skirtRadius - kSame) {
      extents.skirtX = std::max(extents.skirtX, x);  // of a wide band, the edge at the mouth
    }
  }
}

}  // namespace

void CGLScene::InitContextState(const GlFunctions& gl) {
  SetTextureClampNearest(gl);
  gl.TexEnvi(kGlTextureEnv, kGlTextureEnvMode, static_cast<GlInt>(kGlModulate));
  gl.Enable(kGlTexture2D);
  gl.Enable(kGlNormalize);
  gl.LightModeli(kGlLightModelTwoSide, 1);
  const auto& c = kDefaultClearColour;
  gl.ClearColor(c[0], c[1], c[2], c[3]);
}

Result<> CGLScene::CreateContext(const GlFunctions& gl, const std::filesystem::path& base,
                                 Prompter& prompter) {
  if (!gl.HasCurrentContext())
    return Fail(ErrorCode::kUnavailable, std::string(kMsgNoCurrentContext));
  if (ready_) return Fail(ErrorCode::kUnavailable, "the scene's display lists are built already");
  InitContextState(gl);
  const std::filesystem::path folder = base / kModelsFolder;
  for (int k = 0; k < kBuiltinMeshCount; ++k) {
    const auto index = static_cast<std::size_t>(k);
    const Result<> read = ReadBuiltinMesh(folder / kBuiltinMeshFiles[index], meshes_[index]);
    if (!read) ShowError(prompter, read.error());
    meshLists_[index] = CompileBuiltinMesh(gl, meshes_[index],
                                           static_cast<BuiltinMesh>(k) == BuiltinMesh::kParachute);
  }
  for (std::size_t k = 0; k < models_.size(); ++k) {
    (void)models_[k].Load(folder / kSceneModelFiles[k], prompter, base);
    models_[k].BuildList(gl);
  }
  MeasureShapes();
  ready_ = true;
  return {};
}

void CGLScene::MeasureShapes() {
  extents_ = {};
  for (SceneModel part : {SceneModel::kCapsuleTop1, SceneModel::kCapsuleTop2,
                          SceneModel::kCapsuleBody, SceneModel::kCapsuleShield}) {
    extents_.payload[0] = std::max(extents_.payload[0], FarthestVertex(Model(part).geometry()));
  }
  for (int k = 1; k < static_cast<int>(extents_.payload.size()); ++k) {
    extents_.payload[static_cast<std::size_t>(k)] =
        FarthestVertex(Mesh(static_cast<BuiltinMesh>(k)));
  }
  MeasureCanopy(Mesh(BuiltinMesh::kParachute), extents_);
}

void CGLScene::DrawMesh(const GlFunctions& gl, BuiltinMesh mesh) const {
  const GlList list = MeshList(mesh);
  if (list != 0) gl.CallList(list);
}

void CGLScene::DrawModel(const GlFunctions& gl, SceneModel model) const {
  Model(model).Draw(gl);
}

void CGLScene::DeleteLists(const GlFunctions& gl) {
  for (GlList& list : meshLists_) {
    if (list != 0) gl.DeleteLists(list, 1);
    list = 0;
  }
  for (COglModel& model : models_) model.DeleteList(gl);
  ready_ = false;
}

}  // namespace plumora
