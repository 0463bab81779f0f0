// The default aerodynamic file, ld600.adf, that every phase loads: the default capsule's
// coefficients over the whole flight, from the parachute's subsonic speeds to entry.
#pragma once

#include <vector>

#include "AdfFileWriter.h"

namespace plumora::tools {

std::vector<double> Ld600Mach();
std::vector<double> Ld600Angles();  // deg
AdfFile Ld600();

}  // namespace plumora::tools
