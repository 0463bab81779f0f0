#include "core/flight/TrajectoryStore.h"

#include <cmath>

#include "core/common/Constants.h"

namespace plumora {

namespace {
// Angles and rates below this (rad, rad/s) are stored as 0 in the samples.
constexpr double kSampleAngleFloor = 1e-5;
}  // namespace

double SampleDegrees(double radians) {
  return std::fabs(radians) < kSampleAngleFloor ? 0.0 : radians * kRadToDeg;
}

const SampleBodyFields kPayloadSampleFields = {
    &CTrajectorySample::payloadHeight,
    &CTrajectorySample::payloadPathAngle,
    &CTrajectorySample::payloadSpeed,
    {&CTrajectorySample::payloadVx, &CTrajectorySample::payloadVy, &CTrajectorySample::payloadVz},
    {&CTrajectorySample::payloadRoll, &CTrajectorySample::payloadPitch,
     &CTrajectorySample::payloadYaw},
    {&CTrajectorySample::payloadWx, &CTrajectorySample::payloadWy, &CTrajectorySample::payloadWz},
    &CTrajectorySample::payloadX,
    &CTrajectorySample::payloadY};

const SampleBodyFields kParachuteSampleFields = {
    &CTrajectorySample::parachuteHeight,
    &CTrajectorySample::parachutePathAngle,
    &CTrajectorySample::parachuteSpeed,
    {&CTrajectorySample::parachuteVx, &CTrajectorySample::parachuteVy,
     &CTrajectorySample::parachuteVz},
    {&CTrajectorySample::parachuteRoll, &CTrajectorySample::parachutePitch,
     &CTrajectorySample::parachuteYaw},
    {&CTrajectorySample::parachuteWx, &CTrajectorySample::parachuteWy,
     &CTrajectorySample::parachuteWz},
    &CTrajectorySample::parachuteX,
    &CTrajectorySample::parachuteY};

void WriteBodySample(CTrajectorySample& s, const SampleBodyFields& f, const BodySample& body) {
  s.*f.height = body.height;
  s.*f.pathAngle = body.pathAngle;
  s.*f.speed = body.speed;
  const auto write = [&s](const std::array<SampleBodyFields::Field, 3>& fields, const Vec3& v) {
    s.*fields[0] = v.x;
    s.*fields[1] = v.y;
    s.*fields[2] = v.z;
  };
  write(f.velocity, body.velocity);
  write(f.attitude, body.attitude);
  write(f.rates, body.rates);
  s.*f.x = body.x;
  s.*f.y = body.y;
}

using S = CTrajectorySample;

const std::array<SampleFieldInfo, kSampleFieldCount> kSampleFields = {{
    {1, "time", "s", &S::time},
    {2, "payload_height", "m", &S::payloadHeight},
    {3, "payload_path_angle", "deg", &S::payloadPathAngle},
    {4, "payload_speed", "m/s", &S::payloadSpeed},
    {5, "payload_vx", "m/s", &S::payloadVx},
    {6, "payload_vy", "m/s", &S::payloadVy},
    {7, "payload_vz", "m/s", &S::payloadVz},
    {8, "payload_roll", "deg", &S::payloadRoll},
    {9, "payload_pitch", "deg", &S::payloadPitch},
    {10, "payload_yaw", "deg", &S::payloadYaw},
    {11, "payload_planet_roll", "deg", &S::payloadPlanetRoll},
    {12, "payload_planet_pitch", "deg", &S::payloadPlanetPitch},
    {13, "payload_planet_yaw", "deg", &S::payloadPlanetYaw},
    {14, "payload_wx", "deg/s", &S::payloadWx},
    {15, "payload_wy", "deg/s", &S::payloadWy},
    {16, "payload_wz", "deg/s", &S::payloadWz},
    {17, "payload_x", "m", &S::payloadX},
    {18, "payload_y", "m", &S::payloadY},
    {19, "payload_angle_of_attack", "deg", &S::payloadAngleOfAttack},
    {20, "parachute_height", "m", &S::parachuteHeight},
    {21, "parachute_path_angle", "deg", &S::parachutePathAngle},
    {22, "parachute_speed", "m/s", &S::parachuteSpeed},
    {23, "parachute_vx", "m/s", &S::parachuteVx},
    {24, "parachute_vy", "m/s", &S::parachuteVy},
    {25, "parachute_vz", "m/s", &S::parachuteVz},
    {26, "parachute_roll", "deg", &S::parachuteRoll},
    {27, "parachute_pitch", "deg", &S::parachutePitch},
    {28, "parachute_yaw", "deg", &S::parachuteYaw},
    {29, "parachute_wx", "deg/s", &S::parachuteWx},
    {30, "parachute_wy", "deg/s", &S::parachuteWy},
    {31, "parachute_wz", "deg/s", &S::parachuteWz},
    {32, "parachute_x", "m", &S::parachuteX},
    {33, "parachute_y", "m", &S::parachuteY},
    {34, "parachute_offset_x", "m", &S::parachuteOffsetX},
    {35, "parachute_offset_y", "m", &S::parachuteOffsetY},
    {36, "parachute_offset_z", "m", &S::parachuteOffsetZ},
    {37, "parachute_rel_roll", "deg", &S::parachuteRelRoll},
    {38, "parachute_rel_pitch", "deg", &S::parachuteRelPitch},
    {39, "parachute_rel_yaw", "deg", &S::parachuteRelYaw},
    {40, "confluence_x", "m", &S::confluenceX},
    {41, "confluence_y", "m", &S::confluenceY},
    {42, "confluence_z", "m", &S::confluenceZ},
    {43, "latitude", "deg", &S::latitude},
    {44, "longitude", "deg", &S::longitude},
    {45, "heading", "deg", &S::heading},
    {46, "connection_force", "N", &S::connectionForce},
}};

double SampleField(const CTrajectorySample& sample, int number) {
  return sample.*(kSampleFields[static_cast<std::size_t>(number - 1)].member);
}

double& SampleField(CTrajectorySample& sample, int number) {
  return sample.*(kSampleFields[static_cast<std::size_t>(number - 1)].member);
}

void CTrajectoryStore::Clear() {
  samples_.clear();
  endTime_ = 0.0;
}

void CTrajectoryStore::ComputeRanges() {
  if (samples_.empty()) return;
  ranges_.fill(ValueRange{});
  for (const CTrajectorySample& sample : samples_) {
    for (int k = 0; k < kRangeCount; ++k) {
      const double v = SampleField(sample, kRangedFields[static_cast<std::size_t>(k)]);
      ValueRange& range = ranges_[static_cast<std::size_t>(k)];
      if (v <= range.minimum) range.minimum = v;
      if (v >= range.maximum) range.maximum = v;
    }
  }
}

}  // namespace plumora
