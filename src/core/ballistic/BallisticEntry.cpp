#include "core/ballistic/BallisticEntry.h"

#include <array>
#include <cmath>

#include "core/ballistic/BallisticDynamics.h"
#include "core/ballistic/PlanetFrames.h"
#include "core/common/Messages.h"
#include "core/environment/AeroDatabase.h"
#include "core/flight/HandOverState.h"
#include "core/flight/PhaseLoop.h"
#include "core/flight/ProgressMeter.h"
#include "core/flight/StopRules.h"

namespace plumora {

namespace {

// Where the payload is and how it flies, seen from the local horizon.
struct LocalFlight {
  double height;     // m
  double latitude;   // rad
  double longitude;  // rad
  double heading;    // rad, from north towards east
  Vec3 velocity;     // m/s: north, west, up
  double pathAngle;  // rad
  double speed;      // m/s
  Vec3 attitude;     // roll, pitch, yaw relative to the heading frame, rad
};

class BallisticPhase final : public PhaseIntegration {
 public:
  BallisticPhase(FlightContext& flight, const CBallisticEntryPhase& settings,
                 std::shared_ptr<const CPayload> payload, const AeroDatabase& aero,
                 CHandOverState& r)
      : flight_(flight),
        stop_{settings.stopKind, settings.stopTime, settings.stopHeight, flight.solver().timeStep},
        payload_(std::move(payload)),
        r_(r) {
    model_.payload = payload_.get();
    model_.aeroTable = &aero;
    model_.atmosphere = &flight.environment.atmosphere();
    model_.airScaling = flight.air;
    model_.planet = &flight.planet();
    model_.run = &flight.run;
  }

  PhaseProblem Problem() {
    return {EvaluateBallisticDerivatives, &model_, y_.data(), kBallisticStateSize};
  }

  void Initialise();
  void RecordSample(double tout) override;
  std::optional<PhaseEnd> EndsAt(double tout) override;
  std::optional<double> Progress(double tout) override;
  void HandOver() override;

 private:
  Vec3 State(int offset) const { return StateVec(y_.data(), offset); }
  double Height() const { return Norm(State(kPositionOffset)) - flight_.planet().radius; }
  LocalFlight Local();
  void RecordFirstSample();

  FlightContext& flight_;
  StopRule stop_;
  std::shared_ptr<const CPayload> payload_;
  CHandOverState& r_;
  BallisticModel model_;
  std::array<double, kBallisticStateSize> y_{};
  double t0_ = 0.0;  // s, mission time at the start of the phase
  double h0_ = 0.0;  // m, height at the start of the phase
};

void BallisticPhase::Initialise() {
  t0_ = flight_.results().EndTime();
  h0_ = r_.height;
  if (t0_ <= 0.0) RecordFirstSample();

  const double gamma = r_.payloadPathAngle * kDegToRad;
  const double latitude = r_.latitude * kDegToRad;
  const double longitude = r_.longitude * kDegToRad;
  const double heading = r_.heading * kDegToRad;
  const Vec3 attitude = AttitudeToPlanet(
      {r_.payloadRoll * kDegToRad, r_.payloadPitch * kDegToRad, r_.payloadYaw * kDegToRad},
      latitude, longitude, heading);
  model_.frames.Update(attitude.x, attitude.y, attitude.z);

  const Vec3 localVelocity{r_.payloadSpeed * std::cos(gamma), 0.0,
                           r_.payloadSpeed * std::sin(gamma)};
  Vec3 planetVelocity = localVelocity;
  ConvertH2I(localVelocity, latitude, longitude, heading, planetVelocity);
  const Vec3 bodyVelocity = model_.frames.ToBodyAxes(planetVelocity);
  const Vec3 position = PositionFromLatLon(latitude, longitude, r_.height, flight_.planet().radius);

  SetStateVec(y_.data(), kVelocityOffset, bodyVelocity);
  SetStateVec(y_.data(), kPositionOffset, position);
  SetStateVec(y_.data(), kRateOffset,
              Vec3{r_.payloadRateX, r_.payloadRateY, r_.payloadRateZ} * kDegToRad);
  SetStateVec(y_.data(), kAttitudeOffset, attitude);
}

void BallisticPhase::RecordFirstSample() {
  const double gamma = r_.payloadPathAngle * kDegToRad;
  const double speed = r_.payloadSpeed;
  BodySample start;
  start.height = r_.height;
  start.pathAngle = r_.payloadPathAngle;
  start.speed = speed;
  start.velocity = {speed * std::cos(gamma), 0.0, speed * std::sin(gamma)};
  start.attitude = {r_.payloadRoll, r_.payloadPitch, r_.payloadYaw};
  start.rates = {r_.payloadRateX, r_.payloadRateY, r_.payloadRateZ};
  CTrajectorySample s;
  WriteBodySample(s, kPayloadSampleFields, start);
  WriteBodySample(s, kParachuteSampleFields, start);  // packed with the payload
  s.latitude = r_.latitude;
  s.longitude = r_.longitude;
  s.heading = r_.heading;
  s.payload = payload_;
  s.phaseType = kSampleBallistic;
  flight_.results().Append(std::move(s));
}

LocalFlight BallisticPhase::Local() {
  LocalFlight f;
  const Vec3 r = State(kPositionOffset);
  const Vec3 attitude = State(kAttitudeOffset);
  f.height = Norm(r) - flight_.planet().radius;
  model_.frames.Update(attitude.x, attitude.y, attitude.z);
  const Vec3 planetVelocity = model_.frames.ToInertialAxes(State(kVelocityOffset));
  f.latitude = std::atan2(r.z, std::sqrt(r.x * r.x + r.y * r.y));
  f.longitude = std::atan2(r.y, r.x);
  f.velocity = ConvertI2H(planetVelocity, f.latitude, f.longitude, 0.0);
  f.heading = -std::atan2(f.velocity.y, f.velocity.x);
  f.pathAngle = std::atan2(f.velocity.z, std::hypot(f.velocity.x, f.velocity.y));
  f.speed = Norm(f.velocity);
  f.attitude = AttitudeToHeading(attitude, f.latitude, f.longitude, f.heading);
  return f;
}

void BallisticPhase::RecordSample(double tout) {
  const LocalFlight f = Local();
  BodySample payload;
  payload.height = f.height;
  payload.pathAngle = f.pathAngle * kRadToDeg;
  payload.speed = f.speed;
  payload.velocity = f.velocity;
  payload.attitude = {SampleDegrees(f.attitude.x), SampleDegrees(f.attitude.y),
                      SampleDegrees(f.attitude.z)};
  const Vec3 rates = State(kRateOffset);
  const Vec3 position = State(kPositionOffset);
  payload.rates = {SampleDegrees(rates.x), SampleDegrees(rates.y), SampleDegrees(rates.z)};
  payload.x = position.x;
  payload.y = position.y;
  // The parachute travels with the payload, packed.
  BodySample packed = payload;
  packed.attitude = {0.0, payload.pathAngle, 0.0};
  packed.rates = {};

  CTrajectorySample s;
  s.time = tout + t0_;
  WriteBodySample(s, kPayloadSampleFields, payload);
  WriteBodySample(s, kParachuteSampleFields, packed);
  const Vec3 planetAttitude = State(kAttitudeOffset) * kRadToDeg;
  s.payloadPlanetRoll = planetAttitude.x;
  s.payloadPlanetPitch = planetAttitude.y;
  s.payloadPlanetYaw = planetAttitude.z;
  s.payloadAngleOfAttack = model_.aero.angleOfAttack;
  s.latitude = f.latitude * kRadToDeg;
  s.longitude = f.longitude * kRadToDeg;
  s.heading = f.heading * kRadToDeg;
  s.payload = payload_;
  s.phaseType = kSampleBallistic;
  flight_.results().Append(std::move(s));
  flight_.results().SetEndTime(tout + t0_);
}

std::optional<PhaseEnd> BallisticPhase::EndsAt(double tout) {
  const double h = Height();
  if (h <= 0.0) return PhaseEnd::kGround;
  if (stop_.Reached(tout, h)) return PhaseEnd::kStopCondition;
  return std::nullopt;
}

std::optional<double> BallisticPhase::Progress(double tout) {
  // A time stop measures the phase against its own stop time.
  return stop_.Progress(tout, stop_.stopTime, Height(), h0_);
}

void BallisticPhase::HandOver() {
  const LocalFlight f = Local();
  const Vec3 rates = State(kRateOffset) * kRadToDeg;
  r_.payloadRateX = rates.x;
  r_.payloadRateY = rates.y;
  r_.payloadRateZ = rates.z;
  r_.height = f.height;
  r_.payloadPathAngle = f.pathAngle * kRadToDeg;
  r_.payloadSpeed = f.speed;
  r_.payloadRoll = f.attitude.x * kRadToDeg;
  r_.payloadPitch = f.attitude.y * kRadToDeg;
  r_.payloadYaw = f.attitude.z * kRadToDeg;
  r_.parachuteRateX = r_.parachuteRateY = r_.parachuteRateZ = 0.0;
  r_.parachutePathAngle = r_.payloadPathAngle;
  r_.parachuteSpeed = r_.payloadSpeed;
  r_.parachuteOffsetX = r_.parachuteOffsetY = r_.parachuteOffsetZ = 0.0;
  r_.parachuteRoll = r_.parachutePitch = r_.parachuteYaw = 0.0;
  r_.latitude = f.latitude * kRadToDeg;
  r_.longitude = f.longitude * kRadToDeg;
  r_.heading = f.heading * kRadToDeg;
}

}  // namespace

Result<PhaseEnd> FlyBallisticEntry(FlightContext& flight, const CMissionPhase& phase,
                                   CHandOverState& r) {
  const CBallisticEntryPhase* settings = phase.ballistic();
  if (!settings) return Fail(ErrorCode::kInvalid, std::string(kMsgNotAPhaseOfTheModule));
  const std::shared_ptr<CPayload> payload = flight.FindPayload(settings->payloadNumber);
  if (!payload) return Fail(ErrorCode::kInvalid, std::string(kMsgNoPayloadBallistic));
  const Result<const AeroDatabase*> aero = flight.environment.AeroTable(AeroTableOf(*payload));
  if (!aero) return aero.error();

  BallisticPhase running(flight, *settings, payload, *aero.value(), r);
  running.Initialise();
  return RunPhaseLoop(flight, running, running.Problem());
}

int RunBallisticEntry(FlightContext& flight, const CMissionPhase& phase, CHandOverState& r) {
  return GoOnOrShow(flight.run, FlyBallisticEntry(flight, phase, r));
}

}  // namespace plumora
