// A 3D model read from an .ogl file and compiled into one display list: the capsule's parts
// and the planets. A model whose file cannot be read stays empty and its list draws nothing.
#pragma once

#include <filesystem>
#include <optional>

#include "core/common/Prompter.h"
#include "gl/CTexture.h"
#include "gl/GlFunctions.h"
#include "gl/OglGeometry.h"

namespace plumora {

// The bound 2D texture clamped at its edges and sampled at the nearest texel, as every model
// texture and the contexts' default texture are.
void SetTextureClampNearest(const GlFunctions& gl);

class COglModel {
 public:
  // Reads the model at path. Texture names other than "nobitmap" are paths of 24-bit bitmaps,
  // relative to textureFolder unless absolute ("\" separators are taken as "/"). 1 on success;
  // 0 when the file cannot be opened ("File PATH was not opened\n"), when it is refused (a
  // message naming the file and line; the model keeps what it had, empty for a new one), or when
  // its texture cannot be used (the texture reader's message, then "Error opening file NAME";
  // the geometry is kept and compiles untextured).
  int Load(const std::filesystem::path& path, Prompter& prompter,
           const std::filesystem::path& textureFolder = {});

  // Compiles the model into its display list (compile only) and returns the list's name; 0 when
  // no context is current. Drawing the list sets the material for both faces, draws the
  // triangles (textured when the model has a texture) and leaves 2D texturing disabled. The
  // texture's image goes to OpenGL once, into a texture object of its own that the list binds,
  // rather than into the list, which would hand the whole image over again at every call.
  GlList BuildList(const GlFunctions& gl);
  // Calls the list, if there is one.
  void Draw(const GlFunctions& gl) const;
  // Frees the list and the texture object; a context that shares them must be current.
  void DeleteList(const GlFunctions& gl);

  const OglGeometry& geometry() const { return geometry_; }
  bool HasTexture() const { return texture_.has_value(); }
  const CTexture* texture() const { return texture_ ? &*texture_ : nullptr; }
  GlList list() const { return list_; }

 private:
  void UploadTexture(const GlFunctions& gl);

  OglGeometry geometry_;
  std::optional<CTexture> texture_;
  GlList list_ = 0;
  GlUint textureObject_ = 0;  // 0: none
};

}  // namespace plumora
