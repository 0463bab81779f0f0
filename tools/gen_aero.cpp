// gen-aero: writes the bundled aerodynamic coefficient files.
//   gen-aero ld600 OUT.adf
#include <cstdio>
#include <cstring>

#include "AdfFileWriter.h"
#include "DefaultAero.h"

int main(int argc, char** argv) {
  if (argc != 3 || std::strcmp(argv[1], "ld600") != 0) {
    std::fprintf(stderr, "usage: gen-aero ld600 OUT.adf\n");
    return 2;
  }
  return plumora::tools::WriteAdfFile(argv[2], plumora::tools::Ld600()) ? 0 : 1;
}
