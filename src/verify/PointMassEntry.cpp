#include "verify/PointMassEntry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace plumora::verify {

namespace {

// Position (m) and velocity (m/s) in the planet's frame: x towards latitude 0 and longitude 0,
// y towards longitude 90° east, z towards the north pole.
using State = std::array<double, 6>;

// Halvings before the integration gives up: a step some four thousand times smaller than the
// first.
constexpr int kMostHalvings = 12;

State Derivative(const PointMassEntry& e, const State& s) {
  const double x = s[0], y = s[1], z = s[2], vx = s[3], vy = s[4], vz = s[5];
  const double r = std::sqrt(x * x + y * y + z * z);
  const double omega = e.planet.omega;
  // Newton's gravity of the sphere.
  const double g = -e.planet.gm / (r * r * r);
  // Drag against the velocity relative to the air, which turns with the planet.
  const double speed = std::sqrt(vx * vx + vy * vy + vz * vz);
  const double drag = -0.5 * e.density(r - e.planet.radius) * speed / e.ballisticCoefficient;
  // In the turning frame: the Coriolis acceleration −2Ω×v and the centrifugal −Ω×(Ω×r), with
  // Ω = (0, 0, omega).
  const double ax = g * x + drag * vx + 2.0 * omega * vy + omega * omega * x;
  const double ay = g * y + drag * vy - 2.0 * omega * vx + omega * omega * y;
  const double az = g * z + drag * vz;
  return {vx, vy, vz, ax, ay, az};
}

State Advance(const State& s, const State& rate, double h) {
  State out;
  for (std::size_t i = 0; i < s.size(); ++i) out[i] = s[i] + h * rate[i];
  return out;
}

State Integrate(const PointMassEntry& e, State s, long steps) {
  const double h = e.duration / static_cast<double>(steps);
  for (long n = 0; n < steps; ++n) {
    const State k1 = Derivative(e, s);
    const State k2 = Derivative(e, Advance(s, k1, h / 2));
    const State k3 = Derivative(e, Advance(s, k2, h / 2));
    const State k4 = Derivative(e, Advance(s, k3, h));
    for (std::size_t i = 0; i < s.size(); ++i) {
      s[i] += h / 6.0 * (k1[i] + 2.0 * k2[i] + 2.0 * k3[i] + k4[i]);
    }
  }
  return s;
}

// Local north, east and up at a latitude and longitude, in the planet's frame.
struct Horizon {
  std::array<double, 3> north, east, up;
};
Horizon HorizonAt(double latitude, double longitude) {
  const double sf = std::sin(latitude), cf = std::cos(latitude);
  const double sl = std::sin(longitude), cl = std::cos(longitude);
  return {{-sf * cl, -sf * sl, cf}, {-sl, cl, 0.0}, {cf * cl, cf * sl, sf}};
}

double Dot(const std::array<double, 3>& a, const double* b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

State StateAt(const RotatingPlanet& planet, const FlightPoint& p) {
  const Horizon h = HorizonAt(p.latitude, p.longitude);
  const double r = planet.radius + p.height;
  const double horizontal = p.speed * std::cos(p.pathAngle);
  const double north = horizontal * std::cos(p.heading);
  const double east = horizontal * std::sin(p.heading);
  const double up = p.speed * std::sin(p.pathAngle);
  State s;
  for (int i = 0; i < 3; ++i) {
    s[i] = r * h.up[i];
    s[3 + i] = north * h.north[i] + east * h.east[i] + up * h.up[i];
  }
  return s;
}

FlightPoint PointOf(const RotatingPlanet& planet, const State& s) {
  FlightPoint p;
  const double* r = s.data();
  const double* v = s.data() + 3;
  p.latitude = std::atan2(r[2], std::hypot(r[0], r[1]));
  p.longitude = std::atan2(r[1], r[0]);
  p.height = std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]) - planet.radius;
  const Horizon h = HorizonAt(p.latitude, p.longitude);
  p.speed = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  p.pathAngle = std::asin(Dot(h.up, v) / p.speed);
  p.heading = std::atan2(Dot(h.east, v), Dot(h.north, v));
  return p;
}

double Distance(const State& a, const State& b) {
  return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                   (a[2] - b[2]) * (a[2] - b[2]));
}

}  // namespace

PointMassFlight FlyPointMass(const PointMassEntry& entry, double firstStep, double endTolerance) {
  const State start = StateAt(entry.planet, entry.start);
  long steps = std::max(1L, std::lround(std::ceil(entry.duration / firstStep)));
  State coarse = Integrate(entry, start, steps);
  PointMassFlight flight;
  for (int halving = 0; halving < kMostHalvings; ++halving) {
    steps *= 2;
    const State fine = Integrate(entry, start, steps);
    flight.endChange = Distance(coarse, fine);
    flight.step = entry.duration / static_cast<double>(steps);
    flight.end = PointOf(entry.planet, fine);
    if (flight.endChange < endTolerance) {
      flight.converged = true;
      break;
    }
    coarse = fine;
  }
  return flight;
}

}  // namespace plumora::verify
