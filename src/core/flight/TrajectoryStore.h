// The computed (or imported) flight: an ordered list of samples, the time at which the last phase
// ended, and the range of 27 quantities over all samples. Every presentation reads it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "core/common/Vec3.h"

namespace plumora {

class CPayload;
class CParachute;

// Phase types written into samples.
inline constexpr std::int32_t kSampleBallistic = 1;  // ballistic and imported samples
inline constexpr std::int32_t kSampleFinalDescent = 3;

// One sample of the flight. Angles are degrees, angular velocities degrees per second.
struct CTrajectorySample {
  double time = 0.0;                  // 1  s, mission time
  double payloadHeight = 0.0;         // 2  m above the surface
  double payloadPathAngle = 0.0;      // 3  °, negative when descending
  double payloadSpeed = 0.0;          // 4  m/s
  double payloadVx = 0.0;             // 5  m/s, local frame of the writing module
  double payloadVy = 0.0;             // 6  m/s
  double payloadVz = 0.0;             // 7  m/s
  double payloadRoll = 0.0;           // 8  ° relative to the local frame
  double payloadPitch = 0.0;          // 9  °
  double payloadYaw = 0.0;            // 10 °
  double payloadPlanetRoll = 0.0;     // 11 ° relative to the planet frame (ballistic only)
  double payloadPlanetPitch = 0.0;    // 12 °
  double payloadPlanetYaw = 0.0;      // 13 °
  double payloadWx = 0.0;             // 14 °/s, body axes
  double payloadWy = 0.0;             // 15 °/s
  double payloadWz = 0.0;             // 16 °/s
  double payloadX = 0.0;              // 17 m, frame of the writing module
  double payloadY = 0.0;              // 18 m
  double payloadAngleOfAttack = 0.0;  // 19 °, total (ballistic only)
  double parachuteHeight = 0.0;       // 20 m
  double parachutePathAngle = 0.0;    // 21 °
  double parachuteSpeed = 0.0;        // 22 m/s
  double parachuteVx = 0.0;           // 23 m/s
  double parachuteVy = 0.0;           // 24 m/s
  double parachuteVz = 0.0;           // 25 m/s
  double parachuteRoll = 0.0;         // 26 °
  double parachutePitch = 0.0;        // 27 °
  double parachuteYaw = 0.0;          // 28 °
  double parachuteWx = 0.0;           // 29 °/s
  double parachuteWy = 0.0;           // 30 °/s
  double parachuteWz = 0.0;           // 31 °/s
  double parachuteX = 0.0;            // 32 m
  double parachuteY = 0.0;            // 33 m
  double parachuteOffsetX = 0.0;      // 34 m, payload body axes (final descent)
  double parachuteOffsetY = 0.0;      // 35 m
  double parachuteOffsetZ = 0.0;      // 36 m
  double parachuteRelRoll = 0.0;      // 37 ° relative to the payload (final descent)
  double parachuteRelPitch = 0.0;     // 38 °
  double parachuteRelYaw = 0.0;       // 39 °
  double confluenceX = 0.0;           // 40 m, payload body axes (final descent)
  double confluenceY = 0.0;           // 41 m
  double confluenceZ = 0.0;           // 42 m
  double latitude = 0.0;              // 43 °
  double longitude = 0.0;             // 44 °
  double heading = 0.0;               // 45 °, from north towards east
  double connectionForce = 0.0;       // 46 N, line force on the parachute (final descent)

  // The records the sample belongs to; kept alive by the sample, never owned by it in meaning.
  std::shared_ptr<const CPayload> payload;
  std::shared_ptr<const CParachute> parachute;  // none in ballistic samples
  std::int32_t phaseType = 0;                   // kSampleBallistic or kSampleFinalDescent
};

// One body's flight as a sample stores it: angles in degrees, rates in degrees per second.
struct BodySample {
  double height = 0.0;     // m
  double pathAngle = 0.0;  // °
  double speed = 0.0;      // m/s
  Vec3 velocity;           // m/s
  Vec3 attitude;           // roll, pitch, yaw, °
  Vec3 rates;              // x, y, z, °/s
  double x = 0.0;          // m
  double y = 0.0;          // m
};
// Where a sample keeps the payload's flight and where the parachute's.
struct SampleBodyFields {
  using Field = double CTrajectorySample::*;
  Field height, pathAngle, speed;
  std::array<Field, 3> velocity, attitude, rates;
  Field x, y;
};
extern const SampleBodyFields kPayloadSampleFields;
extern const SampleBodyFields kParachuteSampleFields;
void WriteBodySample(CTrajectorySample& sample, const SampleBodyFields& fields,
                     const BodySample& body);

// An angle (rad) or rate (rad/s) as a sample stores it: in degrees, and 0 when its magnitude is
// below 1e-5 so that rounding noise does not show as a tiny angle.
double SampleDegrees(double radians);

// The 46 values by number (1 to 46): one definition for the table, the chart and the CSV.
inline constexpr int kSampleFieldCount = 46;
struct SampleFieldInfo {
  int number;                // 1 to 46
  std::string_view csvName;  // column name in CSV output
  std::string_view unit;     // SI unit, or "deg" and "deg/s" for angles and rates
  double CTrajectorySample::*member;
};
extern const std::array<SampleFieldInfo, kSampleFieldCount> kSampleFields;

// The field with the given number (1 to 46); the caller keeps the number in range.
double SampleField(const CTrajectorySample& sample, int number);
double& SampleField(CTrajectorySample& sample, int number);

// The 27 ranged quantities as sample field numbers, in the order of the range table.
inline constexpr int kRangeCount = 27;
inline constexpr std::array<int, kRangeCount> kRangedFields = {1,  2,  3,  4,  5,  6,  7,  14, 15,
                                                               16, 8,  9,  10, 19, 20, 21, 22, 23,
                                                               24, 25, 29, 30, 31, 26, 27, 28, 46};

struct ValueRange {
  double minimum = 0.0;
  double maximum = 0.0;
};

class CTrajectoryStore {
 public:
  // Deletes every sample and sets the end time to 0; the ranges stay as they were.
  void Clear();
  // Number of samples − 1 (−1 when empty).
  int LastIndex() const { return static_cast<int>(samples_.size()) - 1; }
  // The i-th sample, 0-based; the caller keeps i within 0 … LastIndex().
  const CTrajectorySample& SampleAt(int i) const { return samples_[static_cast<std::size_t>(i)]; }
  void Append(CTrajectorySample sample) { samples_.push_back(std::move(sample)); }
  void SetEndTime(double t) { endTime_ = t; }
  double EndTime() const { return endTime_; }  // s
  // Minimum and maximum of the 27 ranged quantities; every range includes 0. An empty store
  // leaves the ranges untouched.
  void ComputeRanges();
  const std::array<ValueRange, kRangeCount>& Ranges() const { return ranges_; }

  const std::vector<CTrajectorySample>& Samples() const { return samples_; }

 private:
  std::vector<CTrajectorySample> samples_;
  double endTime_ = 0.0;  // s
  std::array<ValueRange, kRangeCount> ranges_{};
};

}  // namespace plumora
