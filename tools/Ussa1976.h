// The U.S. Standard Atmosphere 1976, from its defining equations.
#pragma once

#include "Hydrostatic.h"

namespace plumora::tools {

// The standard atmosphere at geometric height z (m), 0 to 1000 km. Up to 86 km the defining
// equations are exact; above, the pressure is integrated hydrostatically with the standard's
// temperature profile and its tabulated mean molar mass.
AirState Ussa1976(double z);

}  // namespace plumora::tools
