// gen-atmosphere: writes the bundled atmosphere tables.
//   gen-atmosphere earth-us1976 OUT.atm
#include <cstdio>
#include <cstring>
#include <string>

#include "AtmFileWriter.h"
#include "Ussa1976.h"

namespace {

using plumora::tools::AtmFile;

// Earth: radius (WGS 84 equatorial), standard gravity, dry air, sidereal rotation rate.
constexpr plumora::tools::AtmConstants kEarthConstants = {6378137.0, 9.80665, 287.053, 1.4,
                                                          7.292115e-5};

AtmFile EarthUs1976() {
  AtmFile file;
  file.keyword = "EARTH";
  file.title = "U.S. Standard Atmosphere 1976";
  file.source = "Written by tools/gen-atmosphere from the defining equations of the standard";
  file.description = "U.S. Standard Atmosphere 1976, 0 to 150 km, no wind";
  // 250 m spacing through the dense air, 500 m above 100 km.
  for (int z = 0; z <= 150000; z += (z < 100000 ? 250 : 500)) {
    const auto air = plumora::tools::Ussa1976(z);
    file.points.push_back({static_cast<double>(z), air.density, air.temperature, 0.0, 0.0});
  }
  file.constants = kEarthConstants;
  return file;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || std::strcmp(argv[1], "earth-us1976") != 0) {
    std::fprintf(stderr, "usage: gen-atmosphere earth-us1976 OUT.atm\n");
    return 2;
  }
  return plumora::tools::WriteAtmFile(argv[2], EarthUs1976()) ? 0 : 1;
}
