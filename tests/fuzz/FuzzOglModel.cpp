// 3D model files: the loader with whatever texture name it finds (a small bitmap lies in the
// scratch folder for it to find), and the same bytes read as a built-in mesh file.
#include "FuzzSupport.h"
#include "core/common/Prompter.h"
#include "gl/BuiltinMeshes.h"
#include "gl/COglModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace plumora;
  static const bool texture = [] {
    // A 1 × 1 24-bit bitmap: the file and information headers, then one padded row.
    std::string bmp(58, '\0');
    const unsigned char header[] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  40,
                                    0,   0,   0,  1, 0, 0, 0, 1, 0, 0, 0,  1, 0, 24, 0};
    std::copy(std::begin(header), std::end(header), bmp.begin());
    test::WriteFile(fuzz::Scratch() / "t.bmp", bmp);
    return true;
  }();
  (void)texture;
  const auto path = fuzz::WriteInput("3dmodels/fuzz.ogl", data, size);
  SilentPrompter prompter;
  COglModel model;
  model.Load(path, prompter, fuzz::Scratch());
  BuiltinMeshData mesh;
  (void)ReadBuiltinMesh(path, mesh);
  return 0;
}
