#include "core/dispersion/ScatteredRun.h"

#include <algorithm>
#include <cmath>

#include "core/app/ResultsCsv.h"
#include "core/app/RunMission.h"
#include "core/dispersion/RandomStream.h"
#include "core/flight/RunState.h"

namespace plumora {

namespace {

// The stored values a variation scatters: the initial speed and path angle are the payload's and
// the parachute's alike, so that they stay together. Empty when the record is missing.
std::vector<double*> StoredValues(Mission& mission, AtmosphereFactors& air, const Variation& v) {
  InitialState& s = mission.initialState;
  switch (v.input) {
    case ScatteredInput::kHeight:
      return {&s.height};
    case ScatteredInput::kSpeed:
      return {&s.payloadVelocity, &s.parachuteVelocity};
    case ScatteredInput::kPathAngle:
      return {&s.payloadPathAngle, &s.parachutePathAngle};
    case ScatteredInput::kHeading:
      return {&s.heading};
    case ScatteredInput::kLatitude:
      return {&s.latitude};
    case ScatteredInput::kLongitude:
      return {&s.longitude};
    case ScatteredInput::kRoll:
      return {&s.payloadRoll};
    case ScatteredInput::kPitch:
      return {&s.payloadPitch};
    case ScatteredInput::kYaw:
      return {&s.payloadYaw};
    case ScatteredInput::kPayloadMass: {
      const auto payload = mission.FindPayload(v.number);
      if (!payload) return {};
      return {&payload->mass};
    }
    case ScatteredInput::kParachuteMass:
    case ScatteredInput::kParachuteArea: {
      const auto parachute = mission.FindParachute(v.number);
      if (!parachute) return {};
      return {v.input == ScatteredInput::kParachuteMass ? &parachute->mass
                                                        : &parachute->referenceArea};
    }
    case ScatteredInput::kDensityFactor:
      return {&air.density};
    case ScatteredInput::kWindFactor:
      return {&air.wind};
  }
  return {};
}

// A message on one line, without its closing line feed.
std::string OneLine(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  std::replace(text.begin(), text.end(), '\n', ' ');
  std::replace(text.begin(), text.end(), '\r', ' ');
  return text;
}

// The first message the run would have shown: one it showed while going on, else the error that
// ended it.
std::string FirstMessage(const RunState& state, const RunOutcome& outcome) {
  if (!state.notices.empty()) {
    const Notice& first = state.notices.front();
    return OneLine(std::string(first.caption) + ": " + first.text);
  }
  const Error* failure = outcome.Failure();
  if (!failure || failure->message.empty()) return {};
  return OneLine(std::string(failure->caption) + ": " + failure->message);
}

// Every phase must have ended normally; then the payload's final height tells a landing from a
// flight that stopped above the ground.
RunEnd EndOf(const RunOutcome& outcome, const RunState& state) {
  if (outcome.start != RunStart::kRan || outcome.Failure()) return RunEnd::kFailed;
  return state.handOver.height <= 0.0 ? RunEnd::kLanded : RunEnd::kAloft;
}

}  // namespace

std::string_view RunEndName(RunEnd end) {
  switch (end) {
    case RunEnd::kLanded:
      return "landed";
    case RunEnd::kAloft:
      return "aloft";
    case RunEnd::kFailed:
      break;
  }
  return "failed";
}

Result<DispersionSetup> PrepareDispersion(const Mission& mission, std::vector<Variation> variations,
                                          std::uint64_t seed) {
  if (mission.ModuleCount() == 0) {
    return Fail(ErrorCode::kInvalid,
                "the mission has no phase to fly (ballistic entry or final descent)");
  }
  DispersionSetup setup;
  setup.mission = mission;
  // Every run starts as a fresh document's first run would.
  setup.mission.ForgetFlips();
  AtmosphereFactors air;
  for (std::size_t i = 0; i < variations.size(); ++i) {
    const Variation& v = variations[i];
    for (std::size_t j = 0; j < i; ++j) {
      if (variations[j].name == v.name) {
        return Fail(ErrorCode::kInvalid, v.name + " is scattered twice");
      }
    }
    if (StoredValues(setup.mission, air, v).empty()) {
      const bool payload = v.input == ScatteredInput::kPayloadMass;
      return Fail(ErrorCode::kInvalid,
                  "the mission has no " + std::string(payload ? "payload" : "parachute") +
                      " number " + std::to_string(v.number) + " (" + v.name + ")");
    }
  }
  setup.seed = seed;
  setup.variations = std::move(variations);
  return setup;
}

ScatteredFlight DrawScatteredFlight(const DispersionSetup& setup, std::int64_t run) {
  ScatteredFlight flight{setup.mission, {}, {}, {}};
  const RunStream stream(setup.seed, static_cast<std::uint64_t>(run));
  for (const Variation& v : setup.variations) {
    const std::uint64_t key = InputKey(v.name);
    const double normal = stream.StandardNormal(key);
    const double unit = stream.Unit(key, 0);
    const std::vector<double*> values = StoredValues(flight.mission, flight.air, v);
    for (double* value : values) *value = ScatterValue(*value, v.distribution, normal, unit);
    const double flown = values.empty() ? FlightOutputs::kNone : *values.front();
    flight.inputs.push_back(flown);
    if (MustBePositive(v.input) && !(flown > 0.0) && flight.flyable) {
      std::string value;
      AppendFullPrecision(value, flown);
      flight.flyable =
          Fail(ErrorCode::kInvalid, "the drawn " + v.name + " is not positive (" + value + ")");
    }
  }
  return flight;
}

RunRecord FlyScatteredRun(const DispersionSetup& setup, std::int64_t run,
                          CTrajectoryStore* scratch) {
  RunRecord record;
  record.run = run;
  ScatteredFlight flight = DrawScatteredFlight(setup, run);
  record.inputs = std::move(flight.inputs);
  if (!flight.flyable) {
    record.message = flight.flyable.message();
    return record;
  }

  CTrajectoryStore own;
  CTrajectoryStore& results = scratch ? *scratch : own;
  results.Clear();  // a run that is refused before it starts would not clear it
  RunState state(flight.mission, results);
  const RunOutcome outcome = FlyMission(flight.mission, setup.environment, flight.air, state);
  record.end = EndOf(outcome, state);
  record.outputs =
      MeasureFlight(results, setup.environment.atmosphere(), AtmosphereScaling::Of(flight.air),
                    setup.environment.planet().radius);
  record.message = FirstMessage(state, outcome);
  return record;
}

}  // namespace plumora
