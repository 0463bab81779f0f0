#include "gl/COglModel.h"

#include <algorithm>
#include <string>

#include "core/common/Messages.h"

namespace plumora {

namespace {

constexpr GlInt kTextureComponents = 3;  // red, green, blue
constexpr GlInt kRowAlignment = 4;       // bitmap rows are padded to four bytes

std::filesystem::path TexturePath(std::string name, const std::filesystem::path& folder) {
  std::replace(name.begin(), name.end(), '\\', '/');
  const std::filesystem::path path(name);
  return path.is_absolute() || folder.empty() ? path : folder / path;
}

}  // namespace

void SetTextureClampNearest(const GlFunctions& gl) {
  gl.TexParameteri(kGlTexture2D, kGlTextureWrapS, static_cast<GlInt>(kGlClamp));
  gl.TexParameteri(kGlTexture2D, kGlTextureWrapT, static_cast<GlInt>(kGlClamp));
  gl.TexParameteri(kGlTexture2D, kGlTextureMagFilter, static_cast<GlInt>(kGlNearest));
  gl.TexParameteri(kGlTexture2D, kGlTextureMinFilter, static_cast<GlInt>(kGlNearest));
}

int COglModel::Load(const std::filesystem::path& path, Prompter& prompter,
                    const std::filesystem::path& textureFolder) {
  auto in = TextScanner::Open(path);
  if (!in) {
    prompter.Message(ModelNotOpenedMessage(path), kCaptionError);
    return 0;
  }
  OglGeometry geometry;
  const Result<> read = ReadOglGeometry(*in, path, geometry);
  if (!read) {
    ShowError(prompter, read.error());
    return 0;
  }
  geometry_ = std::move(geometry);
  texture_.reset();
  if (geometry_.textureName == kNoTexture) return 1;
  CTexture texture;
  if (!texture.Load(TexturePath(geometry_.textureName, textureFolder), prompter)) {
    std::string text(kMsgErrorOpeningFile);
    prompter.Message(text.append(geometry_.textureName), kCaptionError);
    return 0;
  }
  texture_ = std::move(texture);
  return 1;
}

GlList COglModel::BuildList(const GlFunctions& gl) {
  if (!gl.HasCurrentContext()) return 0;
  if (list_ == 0) list_ = gl.GenLists(1);
  if (list_ == 0) return 0;
  if (texture_) {
    UploadTexture(gl);
  } else if (textureObject_ != 0) {
    gl.DeleteTextures(1, &textureObject_);  // loaded again, without a texture this time
    textureObject_ = 0;
  }
  gl.NewList(list_, kGlCompile);
  ApplyMaterial(gl, geometry_.material);
  gl.Disable(kGlTexture2D);
  if (textureObject_ != 0) {
    gl.Enable(kGlTexture2D);
    gl.BindTexture(kGlTexture2D, textureObject_);
  }
  gl.Begin(kGlTriangles);
  EmitTriangles(gl, geometry_, true);
  gl.End();
  gl.Disable(kGlTexture2D);
  if (textureObject_ != 0) gl.BindTexture(kGlTexture2D, 0);
  gl.EndList();
  return list_;
}

void COglModel::UploadTexture(const GlFunctions& gl) {
  if (textureObject_ == 0) gl.GenTextures(1, &textureObject_);
  if (textureObject_ == 0) return;
  gl.BindTexture(kGlTexture2D, textureObject_);
  SetTextureClampNearest(gl);  // a texture object keeps its own parameters
  gl.PixelStorei(kGlUnpackAlignment, kRowAlignment);
  gl.TexImage2D(kGlTexture2D, 0, kTextureComponents, texture_->Width(), texture_->Height(), 0,
                kGlBgrExt, kGlUnsignedByte, texture_->Pixels());
  gl.BindTexture(kGlTexture2D, 0);
}

void COglModel::Draw(const GlFunctions& gl) const {
  if (list_ != 0) gl.CallList(list_);
}

void COglModel::DeleteList(const GlFunctions& gl) {
  if (list_ != 0) gl.DeleteLists(list_, 1);
  list_ = 0;
  if (textureObject_ != 0) gl.DeleteTextures(1, &textureObject_);
  textureObject_ = 0;
}

}  // namespace plumora
