// Atmosphere files: the reader, and the queries of whatever table it accepts.
#include <memory>

#include "FuzzSupport.h"
#include "core/app/PlumoraDoc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace plumora;
  const auto path = fuzz::WriteInput("atm/fuzz.atm", data, size);
  auto doc = std::make_unique<CPlumoraDoc>();
  doc->baseFolder = fuzz::Scratch();
  doc->mission.environment.wind = size % 2;
  // Through the document as a run reads it, whatever the planet keyword says.
  for (int planet : {kEarth, kMars, kTitan}) {
    doc->mission.environment.planet = planet;
    doc->readatmosphere();
  }
  auto table = std::make_unique<AtmosphereTable>();
  PlanetConstants constants;
  if (ReadAtmosphereFile(path, true, *table, constants)) {
    // Plain, and as a run scaled by its factors sees it.
    const AtmosphereScaling scaling = AtmosphereScaling::Of({1.3, -0.7});
    int hint = 0;
    for (double h : {-1e9, -1.0, 0.0, 1234.5, 5e4, 1e5, 3e5, 1e12}) {
      QueryAtmosphere(*table, h);
      QueryAtmosphere(*table, h, hint, scaling);
    }
  }
  return 0;
}
