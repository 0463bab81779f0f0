#include "gl/CGLScene.h"

#include "core/common/Messages.h"

namespace plumora {

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
  ready_ = true;
  return {};
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
