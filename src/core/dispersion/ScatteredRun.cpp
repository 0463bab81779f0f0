#include "core/dispersion/ScatteredRun.h"

#include <algorithm>
#include <cmath>

#include "core/app/MissionArchive.h"
#include "core/app/PlumoraDoc.h"
#include "core/app/ResultsCsv.h"
#include "core/app/RunMission.h"
#include "core/dispersion/RandomStream.h"

namespace plumora {

namespace {

// The stored values a variation scatters: the initial speed and path angle are the payload's and
// the parachute's alike, so that they stay together. Empty when the record is missing.
std::vector<double*> StoredValues(CPlumoraDoc& doc, AtmosphereFactors& air, const Variation& v) {
  InitialState& s = doc.initialState;
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
      const auto payload = doc.FindPayload(v.number);
      if (!payload) return {};
      return {&payload->mass};
    }
    case ScatteredInput::kParachuteMass:
    case ScatteredInput::kParachuteArea: {
      const auto parachute = doc.FindParachute(v.number);
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

bool ReadCopy(const DispersionSetup& setup, CPlumoraDoc& doc) {
  return ReadMissionArchive(setup.missionBytes, doc).status == MissionReadResult::Status::kRead;
}

// A message on one line, without its closing line feed.
std::string OneLine(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  std::replace(text.begin(), text.end(), '\n', ' ');
  std::replace(text.begin(), text.end(), '\r', ' ');
  return text;
}

std::string FirstMessage(const RecordingPrompter& prompter) {
  for (const RecordingPrompter::Entry& e : prompter.entries()) {
    if (e.kind == RecordingPrompter::Kind::Message) return OneLine(e.caption + ": " + e.text);
  }
  return {};
}

// Draws every scattered input of the run into the copy; false with the record's message when a
// drawn value makes no sense.
bool DrawInputs(const DispersionSetup& setup, std::int64_t run, CPlumoraDoc& doc,
                AtmosphereFactors& air, RunRecord& record) {
  const RunStream stream(setup.seed, static_cast<std::uint64_t>(run));
  for (const Variation& v : setup.variations) {
    const std::uint64_t key = InputKey(v.name);
    const double normal = stream.StandardNormal(key);
    const double unit = stream.Unit(key, 0);
    const std::vector<double*> values = StoredValues(doc, air, v);
    for (double* value : values) *value = ScatterValue(*value, v.distribution, normal, unit);
    const double flown = values.empty() ? FlightOutputs::kNone : *values.front();
    record.inputs.push_back(flown);
    if (MustBePositive(v.input) && !(flown > 0.0) && record.message.empty()) {
      std::string value;
      AppendFullPrecision(value, flown);
      record.message = "the drawn " + v.name + " is not positive (" + value + ")";
    }
  }
  return record.message.empty();
}

RunEnd EndOf(const CPlumoraDoc& doc, RunStart start, const CountingModules& modules) {
  if (start != RunStart::kRan || modules.failures > 0) return RunEnd::kFailed;
  return doc.handOver.height <= 0.0 ? RunEnd::kLanded : RunEnd::kAloft;
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

bool PrepareDispersion(const CPlumoraDoc& mission, std::vector<Variation> variations,
                       std::uint64_t seed, DispersionSetup& setup, std::string& problem) {
  if (mission.ModuleCount() == 0) {
    problem = "the mission has no phase to fly (ballistic entry or final descent)";
    return false;
  }
  DispersionSetup prepared;
  if (!WriteMissionArchive(mission, prepared.missionBytes, problem)) return false;
  CPlumoraDoc copy;
  if (!ReadCopy(prepared, copy)) {
    problem = "the mission does not read back from its own file form";
    return false;
  }
  AtmosphereFactors air;
  for (std::size_t i = 0; i < variations.size(); ++i) {
    const Variation& v = variations[i];
    for (std::size_t j = 0; j < i; ++j) {
      if (variations[j].name == v.name) {
        problem = v.name + " is scattered twice";
        return false;
      }
    }
    if (StoredValues(copy, air, v).empty()) {
      const bool payload = v.input == ScatteredInput::kPayloadMass;
      problem = "the mission has no " + std::string(payload ? "payload" : "parachute") +
                " number " + std::to_string(v.number) + " (" + v.name + ")";
      return false;
    }
  }
  prepared.baseFolder = mission.baseFolder;
  prepared.seed = seed;
  prepared.variations = std::move(variations);
  setup = std::move(prepared);
  return true;
}

RunRecord FlyScatteredRun(const DispersionSetup& setup, std::int64_t run,
                          CTrajectoryStore* scratch) {
  RunRecord record;
  record.run = run;
  CPlumoraDoc doc;
  RecordingPrompter prompter;  // answers every question with OK: the flight goes on
  doc.SetPrompter(&prompter);
  if (!ReadCopy(setup, doc)) {
    record.message = "the mission could not be copied";
    return record;
  }
  doc.baseFolder = setup.baseFolder;
  AtmosphereFactors air;
  if (!DrawInputs(setup, run, doc, air, record)) return record;

  if (scratch) {
    doc.results = std::move(*scratch);
    doc.results.Clear();  // a run that is refused before it starts would not clear it
  }
  CountingModules modules;
  const RunStart start = RunMission(doc, modules, air);
  record.end = EndOf(doc, start, modules);
  record.outputs = MeasureFlight(doc.results, doc.atmosphereTable, doc.planetConstants.radius);
  record.message = FirstMessage(prompter);
  if (scratch) *scratch = std::move(doc.results);
  return record;
}

}  // namespace plumora
