// Aerodynamic files: the reader, and both lookups on whatever table it accepts.
#include <memory>

#include "FuzzSupport.h"
#include "core/common/Prompter.h"
#include "core/environment/Aerodynamics.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace plumora;
  fuzz::WriteInput("adf/fuzz.adf", data, size);
  auto db = std::make_unique<AeroDatabase>();
  SilentPrompter prompter;
  if (LoadAeroDatabase(*db, "fuzz.adf", fuzz::Scratch(), prompter)) {
    for (double mach : {-1.0, 0.0, 0.7, 3.0, 1e6}) {
      for (double alpha : {-0.5, 0.0, 0.3, 1.5707963, 4.0}) {
        AeroCoefficients(*db, mach, alpha);
        AeroCoefficientsSpline(*db, mach, alpha);
      }
    }
  }
  return 0;
}
