#include "core/parachute/FinalDescent.h"

#include <array>
#include <cmath>
#include <memory>

#include "core/common/Messages.h"
#include "core/environment/AeroDatabase.h"
#include "core/flight/HandOverState.h"
#include "core/flight/PhaseLoop.h"
#include "core/flight/ProgressMeter.h"
#include "core/flight/StopRules.h"
#include "core/parachute/ConnectionLines.h"
#include "core/parachute/GroundPosition.h"
#include "core/parachute/TwoBodyDynamics.h"

namespace plumora {

namespace {

// The records a final descent flies, resolved from the phase's numbers.
struct PhaseSelection {
  std::shared_ptr<CPayload> payload;
  std::shared_ptr<CParachute> parachute;
};

// Both records must exist; the parachute is looked for first, so a phase missing both says so
// about the parachute.
Result<PhaseSelection> SelectRecords(const FlightContext& flight, const CParachutePhase& phase) {
  PhaseSelection selection;
  selection.parachute = flight.FindParachute(phase.parachuteNumber);
  if (!selection.parachute) {
    return Fail(ErrorCode::kInvalid, std::string(kMsgNoParachuteFinalDescent));
  }
  selection.payload = flight.FindPayload(phase.payloadNumber);
  if (!selection.payload) return Fail(ErrorCode::kInvalid, std::string(kMsgNoPayloadFinalDescent));
  return selection;
}

// How a body moves through the descent frame.
struct Motion {
  Vec3 velocity;     // m/s, descent frame
  double pathAngle;  // rad, positive upwards
  double speed;      // m/s
};
Motion MotionOf(const Vec3& velocity) {
  return {velocity, std::atan2(velocity.z, std::hypot(velocity.x, velocity.y)), Norm(velocity)};
}

// Three angles or rates as samples store them.
Vec3 SampleAngles(const Vec3& radians) {
  return {SampleDegrees(radians.x), SampleDegrees(radians.y), SampleDegrees(radians.z)};
}

class DescentRun final : public PhaseIntegration {
 public:
  DescentRun(FlightContext& flight, const CParachutePhase& record, const PhaseSelection& selection,
             const AeroDatabase& aero, CHandOverState& r)
      : flight_(flight),
        flip_(flight.run.flips.at(flight.phaseIndex)),
        stop_{record.stopKind, record.stopTime, record.stopHeight, flight.solver().timeStep},
        selection_(selection),
        r_(r) {
    model_.payload = selection.payload.get();
    model_.aeroTable = &aero;
    model_.parachute = selection.parachute.get();
    model_.atmosphere = &flight.environment.atmosphere();
    model_.airScaling = flight.air;
    model_.planet = &flight.planet();
    model_.massPoint = record.massPointAtConfluence != 0;
  }

  PhaseProblem Problem() {
    return {EvaluateTwoBodyDerivatives, &model_, y_.data(),
            model_.massPoint ? kMassPointStateSize : kDescentStateSize};
  }

  void Initialise();
  void RecordSample(double tout) override { RecordTwoBodySample(tout); }
  std::optional<PhaseEnd> EndsAt(double tout) override { return ContinueParachutePhase(tout); }
  std::optional<double> Progress(double tout) override { return UpdateParachuteProgress(tout); }
  void HandOver() override { HandOverFinalState(); }
  const Error* Failure() const override { return model_.aborted ? &kConfluenceFailure : nullptr; }

 private:
  void RecordFirstSample();
  void RecordTwoBodySample(double t);
  std::optional<PhaseEnd> ContinueParachutePhase(double tout);
  std::optional<double> UpdateParachuteProgress(double tout) const;
  void HandOverFinalState();

  Vec3 Payload(int offset) const { return StateVec(y_.data(), kPayloadBlock + offset); }
  Vec3 Parachute(int offset) const { return StateVec(y_.data(), kParachuteBlock + offset); }
  double PayloadHeight() const { return y_[kPayloadBlock + kPositionOffset + 2]; }
  double ParachuteHeight() const { return y_[kParachuteBlock + kPositionOffset + 2]; }
  // Frames of the current state, and each body's motion through the descent frame.
  void UpdateFrames();
  BodySample Body(int body) const;
  Motion BodyMotion(int body) const;
  // Where the payload is over the planet now.
  GroundPosition PayloadGroundPosition() const;
  // Tags a sample with its records and phase type and stores it.
  void Store(CTrajectorySample s, double time);

  // The massless confluence point could not be placed: the phase ends with a warning.
  inline static const Error kConfluenceFailure{ErrorCode::kFlightFailed,
                                               std::string(kMsgConfluenceSteps), kCaptionWarning};

  FlightContext& flight_;
  FlipMemory& flip_;  // the run's memory of this phase's parachute flip
  StopRule stop_;
  PhaseSelection selection_;
  CHandOverState& r_;
  DescentModel model_;
  std::array<double, kMassPointStateSize> y_{};
  double t0_ = 0.0;       // s, mission time at the start of the phase
  double h0_ = 0.0;       // m, payload height at the start of the phase
  GroundPosition start_;  // where the descent frame's origin lies on the planet
};

void DescentRun::Initialise() {
  t0_ = flight_.results().EndTime();
  h0_ = r_.height;
  start_ = {r_.latitude, r_.longitude};
  InitialiseTwoBodyState(model_, r_, y_.data());
  if (t0_ <= 0.0) RecordFirstSample();
}

void DescentRun::UpdateFrames() {
  model_.frames.UpdateFrames(kPayloadBody, Payload(kAttitudeOffset));
  model_.frames.UpdateFrames(kParachuteBody, Parachute(kAttitudeOffset));
}

Motion DescentRun::BodyMotion(int body) const {
  const int block = BodyBlock(body);
  return MotionOf(model_.frames.ToInertialAxes(body, StateVec(y_.data(), block + kVelocityOffset)));
}

GroundPosition DescentRun::PayloadGroundPosition() const {
  const Vec3 position = Payload(kPositionOffset);
  return AdvanceGroundPosition(start_, model_.heading, position.x, position.y,
                               flight_.planet().radius);
}

void DescentRun::Store(CTrajectorySample s, double time) {
  s.time = time;
  s.payload = selection_.payload;
  s.parachute = selection_.parachute;
  s.phaseType = kSampleFinalDescent;
  flight_.results().Append(std::move(s));
}

// The starting state as the user gave it, at time 0, before anything has moved.
void DescentRun::RecordFirstSample() {
  BodySample payload;
  payload.height = r_.height;
  payload.pathAngle = r_.payloadPathAngle;
  payload.speed = r_.payloadSpeed;
  payload.velocity = PathVelocity(r_.payloadPathAngle, r_.payloadSpeed);
  payload.attitude = {r_.payloadRoll, r_.payloadPitch, r_.payloadYaw};
  payload.rates = {r_.payloadRateX, r_.payloadRateY, r_.payloadRateZ};
  BodySample chute;
  chute.height = ParachuteHeight();
  chute.pathAngle = r_.parachutePathAngle;
  chute.speed = r_.parachuteSpeed;
  chute.velocity = PathVelocity(r_.parachutePathAngle, r_.parachuteSpeed);
  chute.attitude = Parachute(kAttitudeOffset) * kRadToDeg;
  chute.rates = {r_.parachuteRateX, r_.parachuteRateY, r_.parachuteRateZ};
  chute.x = Parachute(kPositionOffset).x;
  chute.y = Parachute(kPositionOffset).y;

  CTrajectorySample s;
  WriteBodySample(s, kPayloadSampleFields, payload);
  WriteBodySample(s, kParachuteSampleFields, chute);
  s.parachuteOffsetX = r_.parachuteOffsetX;
  s.parachuteOffsetY = r_.parachuteOffsetY;
  s.parachuteOffsetZ = r_.parachuteOffsetZ;
  s.parachuteRelRoll = r_.parachuteRoll;
  s.parachuteRelPitch = r_.parachutePitch;
  s.parachuteRelYaw = r_.parachuteYaw;
  s.confluenceX = selection_.payload->cogDistance;
  s.latitude = r_.latitude;
  s.longitude = r_.longitude;
  s.heading = r_.heading;
  Store(std::move(s), 0.0);  // the end time stays where it was
}

// One body of the integrated state as a sample stores it.
BodySample DescentRun::Body(int body) const {
  const int block = BodyBlock(body);
  const Vec3 position = StateVec(y_.data(), block + kPositionOffset);
  const Motion motion = BodyMotion(body);
  BodySample b;
  b.height = position.z;
  b.pathAngle = motion.pathAngle * kRadToDeg;
  b.speed = motion.speed;
  b.velocity = motion.velocity;
  b.attitude = SampleAngles(StateVec(y_.data(), block + kAttitudeOffset));
  b.rates = SampleAngles(StateVec(y_.data(), block + kRateOffset));
  b.x = position.x;
  b.y = position.y;
  return b;
}

void DescentRun::RecordTwoBodySample(double t) {
  UpdateFrames();
  const TwoBodyFrames& frames = model_.frames;
  // The line loads of this very state (the last evaluation may have been a trial one); if the
  // confluence point cannot be placed here, the last loads computed stand.
  ComputeLineLoads(model_, y_.data());

  CTrajectorySample s;
  WriteBodySample(s, kPayloadSampleFields, Body(kPayloadBody));
  WriteBodySample(s, kParachuteSampleFields, Body(kParachuteBody));

  // Where the parachute and the confluence point are and how the canopy is turned, seen from
  // the payload.
  const Vec3 position = Payload(kPositionOffset);
  const Vec3 offset = frames.ToBodyAxes(kPayloadBody, Parachute(kPositionOffset) - position);
  s.parachuteOffsetX = offset.x;
  s.parachuteOffsetY = offset.y;
  s.parachuteOffsetZ = offset.z;
  const Vec3 relative = SampleAngles(RelativeAttitude(
      Payload(kAttitudeOffset), Parachute(kAttitudeOffset), AttitudeMode::kPayloadRelative));
  s.parachuteRelRoll = relative.x;
  s.parachuteRelPitch = relative.y;
  s.parachuteRelYaw = relative.z;
  const Vec3 confluence =
      frames.ToBodyAxes(kPayloadBody, model_.lines.confluencePosition - position);
  s.confluenceX = confluence.x;
  s.confluenceY = confluence.y;
  s.confluenceZ = confluence.z;

  const GroundPosition ground = PayloadGroundPosition();
  s.latitude = ground.latitude;
  s.longitude = ground.longitude;
  s.heading = (model_.heading - std::atan2(s.parachuteVy, s.parachuteVx)) * kRadToDeg;
  s.connectionForce = Norm(model_.lines.parachuteForce);
  Store(std::move(s), t + t0_);
  flight_.results().SetEndTime(t + t0_);
}

std::optional<PhaseEnd> DescentRun::ContinueParachutePhase(double tout) {
  // Judged on the state the integrator returned, never on its trial evaluations (which depend on
  // the method and on its rejected steps), so that every method asks the same question.
  if (ParachuteFlipped(model_, y_.data())) flip_.detected = true;
  if (PayloadHeight() <= 0.0) return PhaseEnd::kGround;    // the payload is down
  if (ParachuteHeight() <= 0.0) return PhaseEnd::kGround;  // the canopy is down
  if (stop_.Reached(tout, PayloadHeight())) return PhaseEnd::kStopCondition;
  if (!flip_.detected || flip_.accepted) return std::nullopt;
  // The user decides once whether a canopy hit from behind is worth flying on; declining ends
  // the phase normally.
  if (!flight_.run.AskOkCancel(kMsgParachuteFlip, kCaptionError)) return PhaseEnd::kDeclined;
  flip_.detected = false;
  flip_.accepted = true;
  return std::nullopt;
}

std::optional<double> DescentRun::UpdateParachuteProgress(double tout) const {
  // A time stop measures the descent against the solver's reference duration.
  return stop_.Progress(tout, flight_.solver().finalTime, PayloadHeight(), h0_);
}

void DescentRun::HandOverFinalState() {
  UpdateFrames();
  const Motion payload = BodyMotion(kPayloadBody);
  const Motion chute = BodyMotion(kParachuteBody);
  const Vec3 rates = Payload(kRateOffset) * kRadToDeg;
  const Vec3 attitude = Payload(kAttitudeOffset) * kRadToDeg;
  const Vec3 chuteRates = Parachute(kRateOffset) * kRadToDeg;
  r_.payloadRateX = rates.x;
  r_.payloadRateY = rates.y;
  r_.payloadRateZ = rates.z;
  r_.height = PayloadHeight();
  r_.payloadPathAngle = payload.pathAngle * kRadToDeg;
  r_.payloadSpeed = payload.speed;
  r_.payloadPitch = attitude.y;
  r_.payloadRoll = attitude.x;
  r_.payloadYaw = attitude.z;
  r_.parachuteRateX = chuteRates.x;
  r_.parachuteRateY = chuteRates.y;
  r_.parachuteRateZ = chuteRates.z;
  r_.parachutePathAngle = chute.pathAngle * kRadToDeg;
  r_.parachuteSpeed = chute.speed;
  // The next phase starts over the point reached; its heading stays that of this descent frame.
  const GroundPosition ground = PayloadGroundPosition();
  r_.latitude = ground.latitude;
  r_.longitude = ground.longitude;
}

}  // namespace

Result<PhaseEnd> FlyFinalDescent(FlightContext& flight, const CMissionPhase& phase,
                                 CHandOverState& r) {
  const CParachutePhase* record = phase.parachute();
  if (!record) return Fail(ErrorCode::kInvalid, std::string(kMsgNotAPhaseOfTheModule));
  const Result<PhaseSelection> selection = SelectRecords(flight, *record);
  if (!selection) return selection.error();
  const Result<const AeroDatabase*> aero =
      flight.environment.AeroTable(AeroTableOf(*selection->payload));
  if (!aero) return aero.error();

  DescentRun run(flight, *record, *selection, *aero.value(), r);
  run.Initialise();
  return RunPhaseLoop(flight, run, run.Problem());
}

int RunParachutePhase(FlightContext& flight, const CMissionPhase& phase, CHandOverState& r) {
  return GoOnOrShow(flight.run, FlyFinalDescent(flight, phase, r));
}

}  // namespace plumora
