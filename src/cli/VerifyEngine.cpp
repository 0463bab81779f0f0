#include "cli/VerifyEngine.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

#include "core/app/PlumoraDoc.h"
#include "core/app/RunMission.h"
#include "core/common/Constants.h"
#include "core/common/FileIO.h"
#include "core/environment/Aerodynamics.h"

namespace plumora::cli {

namespace {

// Lines of free text an aerodynamic file begins with, before its Mach count.
constexpr int kAeroFreeLines = 17;

// A folder of its own under the system's temporary folder, removed with what it holds.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::error_code error;
    std::string pattern =
        (std::filesystem::temp_directory_path(error) / "plumora-verify-XXXXXX").string();
    if (error) {
      problem_ = "There is no temporary folder (" + error.message() + ")\n";
      return;
    }
    if (!::mkdtemp(pattern.data())) {
      problem_ = "No folder could be made in the temporary folder (" +
                 std::string(std::strerror(errno)) + ")\n";
      return;
    }
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  const std::string& problem() const { return problem_; }

 private:
  std::filesystem::path path_;
  std::string problem_;
};

// Keeps what the engine says; a question (only a parachute flip asks one) is answered with
// Cancel, since a reference flight never flips.
class NotingPrompter final : public Prompter {
 public:
  void Message(std::string_view text, std::string_view caption) override { Note(text, caption); }
  bool AskOkCancel(std::string_view text, std::string_view caption) override {
    Note(text, caption);
    return false;
  }
  bool AskYesNo(std::string_view text, std::string_view caption) override {
    Note(text, caption);
    return false;
  }
  const std::string& said() const { return said_; }

 private:
  void Note(std::string_view text, std::string_view caption) {
    said_ += std::string(caption) + ": " + std::string(text);
  }
  std::string said_;
};

std::string Formatted(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// The air as an atmosphere file. Nine significant digits identify the single-precision value
// the reader keeps.
std::string AtmosphereText(const ReferenceAir& air, bool wind) {
  std::string text = "verify\nEARTH reference air\nverify\nPOINTS " + std::to_string(air.rows) +
                     "\nDescription:\nreference air\nColumns:\nrow height density temperature "
                     "wind_WE wind_SN\n---\n";
  for (int i = 0; i < air.rows; ++i) {
    const double h = air.spacing * i;
    text += std::to_string(i + 1);
    for (double value : {h, air.density(h), air.temperature(h), wind ? air.windEast(h) : 0.0,
                         wind ? air.windNorth(h) : 0.0}) {
      text += Formatted(" %.9g", value);
    }
    text += '\n';
  }
  text += "PLANET CONSTANTS\n";
  text += "RADIUS" + Formatted(" %.9g\n", air.radius);
  text += "GRAVITY" + Formatted(" %.9g\n", air.g0);
  text += "GAS_CONSTANT" + Formatted(" %.9g\n", air.gasConstant);
  text += "GAMMA" + Formatted(" %.9g\n", air.gamma);
  text += "ROTATION" + Formatted(" %.9g\n", air.omega);
  return text;
}

// The sphere as an aerodynamic file: Cx = −Cd·cos α and Cz = −Cd·sin α make a drag of Cd along
// the flow; the two Mach rows hold the same values.
std::string AeroText(const ReferenceAero& aero) {
  std::string text;
  for (int i = 0; i < kAeroFreeLines; ++i) text += "sphere of constant drag\n";
  text += "2 Mach numbers\n" + std::to_string(kMaxAngles) +
          " angles\n0 symmetry\n0 reserved\nangle Cx Cz Cm\n";
  for (double mach : {0.1, 30.0}) {
    text += Formatted("%g Mach\n", mach);
    for (int j = 0; j < kMaxAngles; ++j) {
      const double angle = aero.angleStep * j;  // °
      const double cd = aero.dragCoefficient;
      text += Formatted("%.9g", angle) + Formatted(" %.9g", -cd * std::cos(angle * kDegToRad)) +
              Formatted(" %.9g 0\n", -cd * std::sin(angle * kDegToRad));
    }
  }
  return text;
}

std::string WriteTables(const std::filesystem::path& base, const ReferenceFlight& flight) {
  std::error_code error;
  std::filesystem::create_directory(base / "atm", error);
  if (!error) std::filesystem::create_directory(base / "adf", error);
  if (error) return "The reference tables have no folder (" + error.message() + ")\n";
  for (const auto& [path, text] :
       {std::pair{base / "atm" / "reference.atm", AtmosphereText(flight.air, flight.wind)},
        std::pair{base / "adf" / kDefaultAeroFile, AeroText(flight.aero)}}) {
    if (const Result<> written = WriteOutputFile(path, text); !written) {
      return "The reference tables could not be written (" + written.message() + ")\n";
    }
  }
  return {};
}

}  // namespace

FlownReference FlyThroughEngine(const ReferenceFlight& flight, double areaSkew) {
  FlownReference flown;
  ScratchFolder scratch;
  if (!scratch.problem().empty()) {
    flown.problem = scratch.problem();
    return flown;
  }
  flown.problem = WriteTables(scratch.path(), flight);
  if (!flown.problem.empty()) return flown;

  NotingPrompter prompter;
  CPlumoraDoc doc;
  doc.SetPrompter(&prompter);
  doc.baseFolder = scratch.path();
  Mission& mission = doc.mission;
  mission.environment.wind = flight.wind ? 1 : 0;
  mission.initialState = flight.start;
  mission.solver.timeStep = mission.solver.outputTimeStep = flight.timeStep;
  mission.solver.absoluteError = mission.solver.relativeError = flight.tolerance;
  mission.solver.finalTime = flight.stopTime;

  CPayload& payload = mission.CreatePayload();
  const std::int32_t payloadNumber = payload.number;
  payload = flight.payload;
  payload.number = payloadNumber;
  payload.referenceArea *= areaSkew;
  CParachute& parachute = mission.CreateParachute();
  const std::int32_t parachuteNumber = parachute.number;
  parachute = flight.parachute;
  parachute.number = parachuteNumber;
  parachute.referenceArea *= areaSkew;

  CMissionPhase& phase = mission.AddPhase(flight.phaseType);
  if (CBallisticEntryPhase* entry = phase.ballistic()) {
    entry->payloadNumber = payloadNumber;
    entry->stopKind = flight.stopKind;
    entry->stopTime = flight.stopTime;
    entry->stopHeight = flight.stopHeight;
  } else if (CParachutePhase* descent = phase.parachute()) {
    descent->payloadNumber = payloadNumber;
    descent->parachuteNumber = parachuteNumber;
    descent->stopKind = flight.stopKind;
    descent->stopTime = flight.stopTime;
    descent->stopHeight = flight.stopHeight;
  }

  const RunOutcome outcome = RunMission(doc);
  if (outcome.start != RunStart::kRan || outcome.Failure() || !prompter.said().empty()) {
    flown.problem = "The engine did not fly the reference mission to its end:\n" + prompter.said();
    return flown;
  }
  flown.samples = doc.results.Samples();
  // Every case reads at least a start and an end.
  if (flown.samples.size() < 2) flown.problem = "The engine stored fewer than two samples\n";
  return flown;
}

BundledTable ReadBundledTable(const std::filesystem::path& base, const std::string& name) {
  BundledTable table;
  const std::filesystem::path path = base / "atm" / name;
  const Result<> read = ReadAtmosphereFile(path, false, table.atmosphere, table.constants);
  if (!read) {
    // Some of the reader's messages name the file, not all.
    const bool named = read.message().find(path.string()) != std::string::npos;
    table.problem = named ? read.message() : path.string() + ": " + read.message();
  }
  return table;
}

}  // namespace plumora::cli
