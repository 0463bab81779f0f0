// How a mission is integrated: the method, its tolerances and the time steps. Every computed
// phase of a run uses the same settings.
#pragma once

#include <cstdint>

namespace plumora {

// Integrator choices, by index.
enum Integrator : std::int32_t {
  kRungeKuttaFehlberg = 0,
  kAdamsBashforthMoulton = 1,
  kHighStiffness = 2,
  kEuler = 3,
  kEulerTrapezoidal = 4,
};

struct SolverSettings {
  double absoluteError = 1e-5;  // absolute tolerance
  double relativeError = 1e-5;  // relative tolerance
  double finalTime = 100.0;     // s, reference duration for the final descent's progress
  double outputTimeStep = 0.1;  // s, spacing of stored samples
  double timeStep = 0.1;        // s, integration step
  std::int32_t integrator = kRungeKuttaFehlberg;
};

}  // namespace plumora
