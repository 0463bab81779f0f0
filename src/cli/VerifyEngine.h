// What `plumora-cli verify` asks of the engine, all in one place: to fly a reference mission (built
// here, with its own air and aerodynamic tables) and to read a bundled atmosphere table.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/environment/Atmosphere.h"
#include "core/flight/TrajectoryStore.h"
#include "core/mission/Records.h"

namespace plumora::cli {

// The air of a reference flight, from the ground up in even steps, with the constants of its
// planet: tabulated for the engine as an atmosphere file of the planet EARTH.
struct ReferenceAir {
  std::function<double(double)> density;      // kg/m³ at a height (m)
  std::function<double(double)> temperature;  // K
  std::function<double(double)> windEast;     // m/s towards east
  std::function<double(double)> windNorth;    // m/s towards north
  double spacing = 250.0;                     // m between rows
  int rows = 600;                             // from height 0
  double radius = 0.0;                        // m
  double g0 = 0.0;                            // m/s², GM = radius²·g0
  double gasConstant = 287.053;               // J/(kg·K)
  double gamma = 1.4;                         // ratio of specific heats
  double omega = 0.0;                         // rad/s
};

// The aerodynamic table every payload flies with: a sphere whose drag, `dragCoefficient` on the
// reference area, acts along the flow at every Mach number; angles of attack are tabulated every
// `angleStep` degrees from 0 (100 angles at most), so that the lookup's straight lines between
// them stay close to the cosine and sine they sample.
struct ReferenceAero {
  double dragCoefficient = 0.0;
  double angleStep = 0.2;  // °
};

// One phase of one payload (and, in a final descent, one parachute) through that air.
struct ReferenceFlight {
  ReferenceAir air;
  ReferenceAero aero;
  CPayload payload;
  CParachute parachute;  // flown by a final descent only
  InitialState start;
  std::int32_t phaseType = kPhaseBallisticEntry;
  std::int32_t stopKind = kStopOnHeight;
  double stopTime = 0.0;     // s
  double stopHeight = 0.0;   // m
  double timeStep = 0.1;     // s, also the spacing of the samples
  double tolerance = 1e-10;  // the integrator's relative and absolute error
  bool wind = false;
};

struct FlownReference {
  std::vector<CTrajectorySample> samples;
  std::string problem;  // why the flight failed; empty when it flew to its stop
};

// Flies the flight through the engine as a run of the mission would, in a folder of its own
// under the system's temporary folder that is removed afterwards. `areaSkew` multiplies every
// reference area flown (1 leaves them as they are).
FlownReference FlyThroughEngine(const ReferenceFlight& flight, double areaSkew);

// A bundled atmosphere table, <base>/atm/<name>, read as a run reads it (winds left out).
struct BundledTable {
  AtmosphereTable atmosphere;
  PlanetConstants constants;
  std::string problem;  // why it could not be read; empty when it was
};
BundledTable ReadBundledTable(const std::filesystem::path& base, const std::string& name);

}  // namespace plumora::cli
