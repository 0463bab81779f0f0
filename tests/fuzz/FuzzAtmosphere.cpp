// Atmosphere files: the reader, and the queries of whatever table it accepts.
#include <memory>

#include "FuzzSupport.h"
#include "core/app/PlumoraDoc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace plumora;
  const auto path = fuzz::WriteInput("atm/fuzz.atm", data, size);
  auto doc = std::make_unique<CPlumoraDoc>();
  doc->baseFolder = fuzz::Scratch();
  doc->wind = size % 2;
  // Through the document as a run reads it, whatever the planet keyword says.
  for (int planet : {kEarth, kMars, kTitan}) {
    doc->planet = planet;
    doc->readatmosphere();
  }
  if (ReadAtmosphereFile(path, true, doc->atmosphereTable, doc->planetConstants).ok) {
    for (double h : {-1e9, -1.0, 0.0, 1234.5, 5e4, 1e5, 3e5, 1e12}) doc->QueryAtmosphere(h);
  }
  return 0;
}
