#include "cli/VerifyCases.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "cli/VerifyEngine.h"
#include "core/common/Constants.h"
#include "verify/ClosedForms.h"
#include "verify/MarsGramFit.h"
#include "verify/PointMassEntry.h"
#include "verify/Ussa1976.h"

namespace plumora::cli {

namespace {

// --- The air the flown cases go through ---------------------------------------------------------

constexpr double kSeaLevelDensity = 1.225;      // kg/m³
constexpr double kScaleHeight = 7000.0;         // m
constexpr double kAirTemperature = 250.0;       // K; the sphere's drag does not depend on Mach
constexpr double kEarthRadius = 6378137.0;      // m
constexpr double kEarthGravity = 9.80665;       // m/s²
constexpr double kEarthRotation = 7.292115e-5;  // rad/s
constexpr double kEntryHeight = 120000.0;       // m

double ExponentialDensity(double h) {
  return kSeaLevelDensity * std::exp(-h / kScaleHeight);
}

// Still exponential air around a planet of that radius (m), surface gravity (m/s²) and rotation
// rate (rad/s).
ReferenceAir ExponentialAir(double radius, double g0, double omega) {
  ReferenceAir air;
  air.density = ExponentialDensity;
  air.temperature = [](double) { return kAirTemperature; };
  air.windEast = air.windNorth = [](double) { return 0.0; };
  air.radius = radius;
  air.g0 = g0;
  air.omega = omega;
  return air;
}

// Above the table the engine's air is gone.
double TopOf(const ReferenceAir& air) {
  return air.spacing * (air.rows - 1);
}

// An entry from kEntryHeight at `speed` (m/s) along a path `pathAngle` (°) below the horizon:
// a sphere of 1000 kg and 1 m² of drag coefficient 1 (β = 1000 kg/m²), heat shield first.
ReferenceFlight EntryFlight(const ReferenceAir& air, double speed, double pathAngle) {
  ReferenceFlight f;
  f.air = air;
  f.aero.dragCoefficient = 1.0;
  f.payload.mass = 1000.0;
  f.payload.referenceArea = 1.0;
  InitialState& s = f.start;
  s.height = kEntryHeight;
  s.payloadVelocity = s.parachuteVelocity = speed;
  s.payloadPathAngle = s.parachutePathAngle = pathAngle;
  s.payloadPitch = -pathAngle;  // the body's x axis along the path
  return f;
}

// --- Allen and Eggers' steep entry ---------------------------------------------------------------

// A flat planet without gravity: a sphere so large that the path stays straight in the frame of
// the flight (its local horizon turns by under 10 µrad from the top of the air to the peak).
constexpr double kFlatRadius = 1e10;         // m
constexpr double kSteepEntrySpeed = 7000.0;  // m/s
constexpr double kSteepPathAngle = -60.0;    // °
constexpr double kSteepSampleStep = 0.01;    // s
// The sampled peak lies some 8e-6 below the closed form: half of it is the central difference's
// error over the 0.01 s between samples, half the planet's curvature that remains.
constexpr double kPeakDecelerationTolerance = 5e-5;  // of the peak

// The peak of a sampled curve: the top of the parabola through the largest sample and its
// neighbours.
double ParabolaPeak(double before, double at, double after) {
  const double curvature = before - 2.0 * at + after;
  if (!(curvature < 0.0)) return at;
  const double offset = 0.5 * (before - after) / curvature;
  return at - 0.25 * (before - after) * offset;
}

VerifyCase AllenEggersCase(const VerifyOptions& options) {
  VerifyCase c{
      "Allen-Eggers steep ballistic entry (flat, no gravity), against the closed form", {}, {}};
  ReferenceFlight f =
      EntryFlight(ExponentialAir(kFlatRadius, 0.0, 0.0), kSteepEntrySpeed, kSteepPathAngle);
  f.stopHeight = 5000.0;
  f.timeStep = kSteepSampleStep;
  const FlownReference flown = FlyThroughEngine(f, options.areaSkew);
  if (!flown.problem.empty()) {
    c.problem = flown.problem;
    return c;
  }
  // The program's deceleration: the speed lost between a sample's neighbours.
  const auto& s = flown.samples;
  if (s.size() < 3) {
    c.problem = "The entry stored too few samples\n";
    return c;
  }
  std::vector<double> deceleration(s.size(), 0.0);
  for (std::size_t i = 1; i + 1 < s.size(); ++i) {
    deceleration[i] =
        (s[i - 1].payloadSpeed - s[i + 1].payloadSpeed) / (s[i + 1].time - s[i - 1].time);
  }
  const std::size_t top =
      std::max_element(deceleration.begin() + 1, deceleration.end() - 1) - deceleration.begin();
  const double peak = ParabolaPeak(deceleration[top - 1], deceleration[top], deceleration[top + 1]);
  const double reference = verify::AllenEggersPeakDeceleration(
      kSteepEntrySpeed, kSteepPathAngle * kDegToRad, kScaleHeight);
  c.rows.push_back(
      {"peak deceleration (m/s^2)", peak, reference, kPeakDecelerationTolerance * reference});
  return c;
}

// --- A point mass around the turning Earth
// ---------------------------------------------------------

constexpr double kRotatingEntrySpeed = 7500.0;  // m/s relative to the planet
constexpr double kRotatingPathAngle = -3.0;     // °
constexpr double kRotatingHeading = 60.0;       // °
constexpr double kRotatingLatitude = 30.0;      // °
constexpr double kRotatingLongitude = -60.0;    // °
constexpr double kRotatingDuration = 200.0;     // s
// The reference integration has converged when halving its step moves the end by less than this.
constexpr double kReferenceEndChange = 1e-3;        // m
constexpr double kRotatingPositionTolerance = 0.5;  // m
constexpr double kRotatingSpeedTolerance = 5e-3;    // m/s
constexpr double kRotatingAngleTolerance = 1e-5;    // °

VerifyCase RotatingEntryCase(const VerifyOptions& options) {
  VerifyCase c{
      "Point-mass entry around the rotating Earth, against an independent integration", {}, {}};
  ReferenceFlight f = EntryFlight(ExponentialAir(kEarthRadius, kEarthGravity, kEarthRotation),
                                  kRotatingEntrySpeed, kRotatingPathAngle);
  InitialState& s = f.start;
  s.heading = kRotatingHeading;
  s.latitude = kRotatingLatitude;
  s.longitude = kRotatingLongitude;
  f.stopKind = kStopOnTime;
  f.stopTime = kRotatingDuration;
  f.timeStep = 1.0;
  const FlownReference flown = FlyThroughEngine(f, options.areaSkew);
  if (!flown.problem.empty()) {
    c.problem = flown.problem;
    return c;
  }
  // The air of the table ends at its last angle of attack; beyond it the lookup holds the last
  // column, no longer a sphere.
  for (const CTrajectorySample& sample : flown.samples) {
    if (sample.payloadAngleOfAttack > f.aero.angleStep * (kMaxAngles - 1)) {
      c.problem = "The angle of attack left the aerodynamic table\n";
      return c;
    }
  }
  const CTrajectorySample& end = flown.samples.back();
  if (std::fabs(end.time - kRotatingDuration) > 1e-9) {
    c.problem = "The flight ended before its time\n";
    return c;
  }

  const double top = TopOf(f.air);
  verify::PointMassEntry entry{
      {kEarthRadius, kEarthRadius * kEarthRadius * kEarthGravity, kEarthRotation},
      [top](double h) { return h > top ? 0.0 : ExponentialDensity(std::max(h, 0.0)); },
      f.payload.mass / (f.aero.dragCoefficient * f.payload.referenceArea),
      {kRotatingLatitude * kDegToRad, kRotatingLongitude * kDegToRad, kEntryHeight,
       kRotatingEntrySpeed, kRotatingPathAngle * kDegToRad, kRotatingHeading * kDegToRad},
      kRotatingDuration};
  const verify::PointMassFlight ref = verify::FlyPointMass(entry, 1.0, kReferenceEndChange);
  if (!ref.converged) {
    c.problem = "The reference integration did not converge\n";
    return c;
  }
  // Half a metre on the ground as an angle at the centre.
  const double groundAngle = kRotatingPositionTolerance / kEarthRadius * kRadToDeg;  // °
  c.rows.push_back({"height (m)", end.payloadHeight, ref.end.height, kRotatingPositionTolerance});
  c.rows.push_back({"latitude (deg)", end.latitude, ref.end.latitude * kRadToDeg, groundAngle});
  c.rows.push_back({"longitude (deg)", end.longitude, ref.end.longitude * kRadToDeg,
                    groundAngle / std::cos(ref.end.latitude)});
  c.rows.push_back({"speed (m/s)", end.payloadSpeed, ref.end.speed, kRotatingSpeedTolerance});
  c.rows.push_back({"path angle (deg)", end.payloadPathAngle, ref.end.pathAngle * kRadToDeg,
                    kRotatingAngleTolerance});
  c.rows.push_back(
      {"heading (deg)", end.heading, ref.end.heading * kRadToDeg, kRotatingAngleTolerance});
  return c;
}

// --- The bundled atmosphere tables
// ------------------------------------------------------------------

// Heights the tables are compared at (m): on the rows of the table, one in each layer of the
// standard, and between two rows where the air is smooth. The Mars heights keep clear of the
// two bands where the table passes from one fit to the other (13 to 17 km, 73.86 to 75 km).
constexpr double kUs1976Heights[] = {0.0,     11000.0, 20000.0, 25125.0, 32000.0,
                                     47000.0, 51000.0, 71000.0, 86000.0};
constexpr double kMarsHeights[] = {0.0,     5125.0,   30000.0,  50000.0, 70000.0,
                                   90000.0, 120000.0, 150000.0, 170000.0};
// Read as single-precision numbers, the rows keep 7 digits; the spline between them is far
// closer to the smooth air than that.
constexpr double kTableDensityTolerance = 1e-6;      // of the density
constexpr double kTableTemperatureTolerance = 1e-4;  // K

void AddAirRows(VerifyCase& c, double h, const AtmosphereSample& air, double density,
                double temperature) {
  char label[64];
  std::snprintf(label, sizeof label, "density at %g km (kg/m^3)", h / 1000.0);
  c.rows.push_back({label, air.density, density, kTableDensityTolerance * density});
  std::snprintf(label, sizeof label, "temperature at %g km (K)", h / 1000.0);
  c.rows.push_back({label, air.temperature, temperature, kTableTemperatureTolerance});
}

VerifyCase Us1976Case(const VerifyOptions& options) {
  VerifyCase c{
      "U.S. Standard Atmosphere 1976 (atm/earth_us1976.atm) against its defining layers", {}, {}};
  const BundledTable table = ReadBundledTable(options.base, "earth_us1976.atm");
  if (!table.problem.empty()) {
    c.problem = table.problem;
    return c;
  }
  for (double h : kUs1976Heights) {
    const verify::AirState ref = verify::Ussa1976(h);
    AddAirRows(c, h, QueryAtmosphere(table.atmosphere, h), ref.density, ref.temperature);
  }
  return c;
}

VerifyCase MarsCase(const VerifyOptions& options) {
  VerifyCase c{"Mars table (atm/mars_mean.atm) against the Mars-GRAM fit it was made from", {}, {}};
  const BundledTable table = ReadBundledTable(options.base, "mars_mean.atm");
  if (!table.problem.empty()) {
    c.problem = table.problem;
    return c;
  }
  for (double h : kMarsHeights) {
    AddAirRows(c, h, QueryAtmosphere(table.atmosphere, h), verify::MarsGramDensity(h),
               verify::MarsGramTemperature(h));
  }
  return c;
}

// --- Under a canopy
// ------------------------------------------------------------------------------------

constexpr double kCanopyAxialCoefficient = 0.75;  // the canopy's drag coefficient on its area
constexpr double kPayloadMass = 100.0;            // kg
constexpr double kCanopyMass = 10.0;              // kg
constexpr double kCanopyArea = 50.0;              // m²
constexpr double kDescentHeight = 3000.0;         // m
// A system hanging straight down sits where the Euler angles are singular; tighter than this,
// the integrator crawls through roll and yaw that turn about nothing.
constexpr double kDescentTolerance = 1e-7;
constexpr double kDescentRateTolerance = 1e-6;  // of the rate
constexpr double kLineForceTolerance = 1e-3;    // N
constexpr double kDriftTolerance = 0.01;        // m

// Still air of sea-level density at every height, so that the steady state is the same all the
// way down.
ReferenceAir UniformAir() {
  ReferenceAir air;
  air.density = [](double) { return kSeaLevelDensity; };
  air.temperature = [](double) { return 288.15; };
  air.windEast = air.windNorth = [](double) { return 0.0; };
  air.spacing = 10.0;
  air.radius = kEarthRadius;
  air.g0 = kEarthGravity;
  return air;
}

// A payload without drag hanging vertically under the canopy by a single strope, both falling
// at `speed` along a path `pathAngle` (°) below the horizon; the strope just taut or, `inBalance`,
// stretched so that it carries the payload's weight.
ReferenceFlight HangingSystem(double speed, double pathAngle, bool inBalance) {
  ReferenceFlight f;
  f.phaseType = kPhaseFinalDescent;
  f.air = UniformAir();
  f.aero.dragCoefficient = 0.0;
  f.payload.mass = kPayloadMass;
  f.payload.referenceArea = 1.0;
  f.parachute.mass = kCanopyMass;
  f.parachute.referenceArea = kCanopyArea;
  InitialState& s = f.start;
  s.height = kDescentHeight;
  s.payloadVelocity = s.parachuteVelocity = speed;
  s.payloadPathAngle = s.parachutePathAngle = pathAngle;
  s.payloadPitch = 90.0;  // x down: the canopy above, along −x
  // The strope runs from 1 m above the payload's centre to 14 m below the canopy's.
  const double stretch = inBalance ? kPayloadMass * kEarthGravity / f.parachute.stiffness : 0.0;
  const double strope = f.parachute.lineLength + stretch;
  s.parachuteOffsetX = f.payload.stropeLink.x - f.parachute.link.x - strope;
  f.stopHeight = 0.0;
  f.timeStep = 0.1;
  f.tolerance = kDescentTolerance;
  return f;
}

double SteadyRate() {
  return verify::SteadyDescentRate(kPayloadMass + kCanopyMass, kEarthGravity, kSeaLevelDensity,
                                   kCanopyAxialCoefficient, kCanopyArea);
}

VerifyCase SteadyDescentCase(const VerifyOptions& options) {
  VerifyCase c{
      "Steady descent under a canopy, against sqrt(2mg/(rho Cd S)) and the weight hung", {}, {}};
  // Let go at twice the steady rate with the strope just taut: the system has to find the
  // balance by itself.
  const ReferenceFlight f = HangingSystem(2.0 * SteadyRate(), -90.0, false);
  const FlownReference flown = FlyThroughEngine(f, options.areaSkew);
  if (!flown.problem.empty()) {
    c.problem = flown.problem;
    return c;
  }
  const auto& s = flown.samples;
  const CTrajectorySample& end = s[s.size() - 2];  // the last sample above the ground
  c.rows.push_back(
      {"descent rate (m/s)", -end.payloadVz, SteadyRate(), kDescentRateTolerance * SteadyRate()});
  c.rows.push_back(
      {"line force (N)", end.connectionForce, kPayloadMass * kEarthGravity, kLineForceTolerance});
  return c;
}

// --- Drifting with the wind
// --------------------------------------------------------------------------

constexpr double kWindSpeed = 10.0;    // m/s, the same at every height
constexpr double kWindBearing = 60.0;  // °, the way the wind blows, from north towards east

VerifyCase WindDriftCase(const VerifyOptions& options) {
  VerifyCase c{"Drift of a descent in a steady wind, against the wind's integral", {}, {}};
  const double rate = SteadyRate();
  const double bearing = kWindBearing * kDegToRad;
  // Already in balance and moving with the air; the descent frame's x axis points downwind.
  ReferenceFlight f =
      HangingSystem(std::hypot(rate, kWindSpeed), -std::atan2(rate, kWindSpeed) * kRadToDeg, true);
  f.wind = true;
  f.air.windEast = [bearing](double) { return kWindSpeed * std::sin(bearing); };
  f.air.windNorth = [bearing](double) { return kWindSpeed * std::cos(bearing); };
  f.start.heading = kWindBearing;
  const FlownReference flown = FlyThroughEngine(f, options.areaSkew);
  if (!flown.problem.empty()) {
    c.problem = flown.problem;
    return c;
  }
  // Where the payload touches the ground, between the last sample above it and the one below;
  // the descent starts on the equator, where a degree is as long east as north.
  const auto& s = flown.samples;
  const CTrajectorySample& a = s[s.size() - 2];
  const CTrajectorySample& b = s.back();
  const double w = a.payloadHeight / (a.payloadHeight - b.payloadHeight);
  const double north = (a.latitude + w * (b.latitude - a.latitude)) * kDegToRad * kEarthRadius;
  const double east = (a.longitude + w * (b.longitude - a.longitude)) * kDegToRad * kEarthRadius;
  const double drift =
      verify::DriftInSteadyDescent([](double) { return kWindSpeed; }, kDescentHeight, rate, 2);
  c.rows.push_back({"drift east (m)", east, drift * std::sin(bearing), kDriftTolerance});
  c.rows.push_back({"drift north (m)", north, drift * std::cos(bearing), kDriftTolerance});
  return c;
}

}  // namespace

bool VerifyCase::Passed() const {
  return problem.empty() && !rows.empty() &&
         std::all_of(rows.begin(), rows.end(), [](const VerifyRow& r) { return r.Within(); });
}

std::vector<VerifyCase> RunVerifyCases(const VerifyOptions& options) {
  return {AllenEggersCase(options), RotatingEntryCase(options), Us1976Case(options),
          MarsCase(options),        SteadyDescentCase(options), WindDriftCase(options)};
}

}  // namespace plumora::cli
