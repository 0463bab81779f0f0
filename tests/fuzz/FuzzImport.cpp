// Trajectory import files, with every choice of columns (taken from the input's length).
#include <memory>

#include "FuzzSupport.h"
#include "core/app/DataImport.h"
#include "core/app/PlumoraDoc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace plumora;
  static const bool atmospheres = [] {
    for (const char* planet : {"EARTH", "MARS", "TITAN"}) {
      test::WriteFile(fuzz::Scratch() / "atm" / (std::string(planet) + ".atm"),
                      test::SimpleAtmosphere(4, planet).Text());
    }
    return true;
  }();
  (void)atmospheres;
  const auto path = fuzz::WriteInput("flight.txt", data, size);
  auto doc = std::make_unique<CPlumoraDoc>();
  doc->baseFolder = fuzz::Scratch();
  ImportColumns columns;
  const unsigned choice = static_cast<unsigned>(size % 128);
  bool* flags[] = {&columns.time,     &columns.latitude,  &columns.longitude, &columns.heading,
                   &columns.altitude, &columns.pathAngle, &columns.speed};
  for (unsigned k = 0; k < 7; ++k) *flags[k] = (choice >> k) & 1u;
  (void)ImportTrajectory(*doc, path, columns);
  return 0;
}
