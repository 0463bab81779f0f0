// gen-atmosphere: writes the bundled atmosphere tables.
//   gen-atmosphere earth-us1976|earth-us1976-wind|mars-mean|titan-huygens OUT.atm
#include <cstdio>
#include <string_view>

#include "AtmFileWriter.h"
#include "PlanetAtmospheres.h"

namespace {

struct Table {
  std::string_view name;
  plumora::tools::AtmFile (*build)();
};

constexpr Table kTables[] = {{"earth-us1976", plumora::tools::EarthUs1976},
                             {"earth-us1976-wind", plumora::tools::EarthUs1976Wind},
                             {"mars-mean", plumora::tools::MarsMean},
                             {"titan-huygens", plumora::tools::TitanHuygens}};

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3) {
    for (const Table& table : kTables) {
      if (table.name == argv[1])
        return plumora::tools::WriteAtmFile(argv[2], table.build()) ? 0 : 1;
    }
  }
  std::fprintf(stderr,
               "usage: gen-atmosphere earth-us1976|earth-us1976-wind|mars-mean|titan-huygens "
               "OUT.atm\n");
  return 2;
}
