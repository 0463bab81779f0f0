// gen-models: writes one of the bundled 3D models or built-in meshes.
//   gen-models NAME OUT      NAME as under data/3dmodels, e.g. zel_body.ogl or payload1.mesh
#include <cstdio>
#include <string>

#include "ModelShapes.h"
#include "OglFileWriter.h"

int main(int argc, char** argv) {
  using namespace plumora::tools;
  if (argc == 3) {
    for (const BundledModel& model : BundledModels()) {
      if (model.file == argv[1]) return WriteOglFile(argv[2], model.make()) ? 0 : 1;
    }
  }
  std::fprintf(stderr, "usage: gen-models NAME OUT, NAME one of:");
  for (const BundledModel& model : BundledModels()) std::fprintf(stderr, " %s", model.file.c_str());
  std::fprintf(stderr, "\n");
  return 2;
}
