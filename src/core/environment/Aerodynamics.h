// The payload's aerodynamic coefficients: reading an aerodynamic file (.adf) into an
// AeroDatabase, and looking the six coefficients up at a Mach number and angle of attack.
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "core/common/Result.h"
#include "core/environment/AeroDatabase.h"

namespace plumora {

class Prompter;

using AeroCoefficientSet = std::array<double, kCoefficientCount>;  // indexed by kCx ... kCn

// The default file every phase flies with, under <base>/adf/.
inline constexpr const char* kDefaultAeroFile = "ld600.adf";

// Bilinear lookup at Mach number `mach` and angle of attack `alphaRad` (rad): linear along the
// angle within the Mach rows on either side, then linear between the rows. Below the first Mach
// value or angle the first interval is continued (extrapolation); at or beyond the last one the
// last row or column is used as it stands. An empty database gives zeros.
AeroCoefficientSet AeroCoefficients(const AeroDatabase& db, double mach, double alphaRad);
// The same with the cubic spline of each row along the angle instead of straight lines. Beyond
// the last angle both rows use their last column, as the bilinear lookup does.
AeroCoefficientSet AeroCoefficientsSpline(const AeroDatabase& db, double mach, double alphaRad);

// <base>/adf/<name>, or the default file when name is empty. The name is appended as it stands,
// so it may name a file in a subfolder of adf/.
std::filesystem::path AeroFilePath(const std::filesystem::path& baseFolder,
                                   const std::string& name);

// Reads the file at path into db and prepares the splines. `name` is the name the messages
// quote (empty for the default file). On failure returns why and leaves db exactly as it was.
Result<> ReadAeroFile(const std::filesystem::path& path, const std::string& name, AeroDatabase& db);

// Loads <base>/adf/<name> (the default file when name is empty) into db: 1 on success, 0 on
// failure after showing the message (caption "error"), db unchanged.
int LoadAeroDatabase(AeroDatabase& db, const std::string& name,
                     const std::filesystem::path& baseFolder, Prompter& prompter);

}  // namespace plumora
