#include "gui/logic/editing/SetupForms.h"

#include <cmath>

#include <algorithm>
#include <fstream>

#include "core/app/PlumoraDoc.h"
#include "core/common/Messages.h"
#include "core/environment/Atmosphere.h"

namespace plumora::gui {

namespace {

using S = InitialState;
constexpr const char* kDegrees = "\xC2\xB0";             // °
constexpr const char* kDegreesPerSecond = "\xC2\xB0/s";  // °/s

// No flight lasts longer (s): a longer step leaves a phase a single sample.
constexpr double kLongestStep = 1.0e6;
constexpr double kLargestLatitude = 90.0;  // °
constexpr int kLatitudeField = 1129;

std::string MustBePositive(const char* label) {
  return std::string("\"") + label + "\" must be a number greater than 0.";
}

}  // namespace

// clang-format off
const std::array<StateField, 6> kPositionFields = {{
    {1082, "Velocity", "m/s", &S::payloadVelocity},
    {1083, "Height", "m", &S::height},
    {1084, "Path angle", kDegrees, &S::payloadPathAngle},
    {1129, "Latitude", kDegrees, &S::latitude},
    {1130, "Longitude", kDegrees, &S::longitude},
    {1131, "Heading", kDegrees, &S::heading},
}};

const std::array<StateField, 6> kAttitudeFields = {{
    {1085, "Roll", kDegrees, &S::payloadRoll},
    {1086, "Pitch", kDegrees, &S::payloadPitch},
    {1087, "Yaw", kDegrees, &S::payloadYaw},
    {1088, "Angular velocity x", kDegreesPerSecond, &S::payloadRateX},
    {1089, "Angular velocity y", kDegreesPerSecond, &S::payloadRateY},
    {1090, "Angular velocity z", kDegreesPerSecond, &S::payloadRateZ},
}};

const std::array<StateFieldGroup, 3> kParachuteStateGroups = {{
    {"Offset", {{{1136, "x", "m", &S::parachuteOffsetX},
                 {1137, "y", "m", &S::parachuteOffsetY},
                 {1138, "z", "m", &S::parachuteOffsetZ}}}},
    {"Angles", {{{1018, "roll", kDegrees, &S::parachuteRoll},
                 {1019, "pitch", kDegrees, &S::parachutePitch},
                 {1020, "yaw", kDegrees, &S::parachuteYaw}}}},
    {"Angular velocity", {{{1139, "x", kDegreesPerSecond, &S::parachuteRateX},
                           {1140, "y", kDegreesPerSecond, &S::parachuteRateY},
                           {1141, "z", kDegreesPerSecond, &S::parachuteRateZ}}}},
}};

const std::array<NumberFieldRow<SolverEdit>, 4> kSolverFields = {{
    {1004, "Time step", "s", &SolverEdit::timeStep},
    {1005, "Output time step", "s", &SolverEdit::outputTimeStep},
    {1007, "Absolute", "", &SolverEdit::absoluteError},
    {1008, "Relative", "", &SolverEdit::relativeError},
}};

const std::array<IntegratorButton, 5> kIntegratorButtons = {{
    {1009, "Runge-Kutta-Felhberg"},
    {1010, "Adams-Bashforth-Moulton"},
    {1011, "High stiffness"},
    {1012, "Euler"},
    {1017, "Euler Trapezoidal"},
}};

// The file holds altitudes in km and speeds in km/s; the import scales them to m and m/s.
const std::array<ImportColumnRow, 7> kImportColumnRows = {{
    {1030, "Time (s)", &ImportColumns::time},
    {1129, "Latitude (\xC2\xB0)", &ImportColumns::latitude},
    {1130, "Longitude (\xC2\xB0)", &ImportColumns::longitude},
    {1131, "Heading (\xC2\xB0)", &ImportColumns::heading},
    {1034, "Altitude (km)", &ImportColumns::altitude},
    {1002, "Path angle (\xC2\xB0)", &ImportColumns::pathAngle},
    {1036, "Speed (km/s)", &ImportColumns::speed},
}};
// clang-format on

SolverEdit SolverEditOf(const CPlumoraDoc& doc) {
  const SolverSettings& s = doc.mission.solver;
  return {s.timeStep, s.outputTimeStep, s.absoluteError, s.relativeError, s.integrator};
}

std::optional<FieldRefusal> CheckInitialState(const InitialState& state) {
  for (const auto* fields : {&kPositionFields, &kAttitudeFields}) {
    for (const StateField& field : *fields) {
      if (!std::isfinite(state.*field.value)) {
        return FieldRefusal{field.id,
                            std::string("\"") + field.label + "\" must be a finite number."};
      }
    }
  }
  if (std::fabs(state.latitude) > kLargestLatitude) {
    return FieldRefusal{kLatitudeField, "\"Latitude\" must be from -90 to 90 degrees."};
  }
  return std::nullopt;
}

std::optional<FieldRefusal> CheckSolver(const SolverEdit& edit) {
  for (const auto& field : kSolverFields) {
    // Written so that a value that is not a number is refused too.
    const double value = edit.*field.value;
    if (!(value > 0.0)) return FieldRefusal{field.id, MustBePositive(field.label)};
    if (!std::isfinite(value)) {
      return FieldRefusal{field.id,
                          std::string("\"") + field.label + "\" must be a finite number."};
    }
  }
  // Tolerances are shares of the state; steps longer than any flight leave a single sample.
  for (const auto& field : kSolverFields) {
    const double value = edit.*field.value;
    const bool tolerance =
        field.value == &SolverEdit::absoluteError || field.value == &SolverEdit::relativeError;
    if (tolerance && value >= 1.0) {
      return FieldRefusal{field.id, std::string("\"") + field.label + "\" must be less than 1."};
    }
    if (!tolerance && value > kLongestStep) {
      return FieldRefusal{field.id, std::string("\"") + field.label +
                                        "\" must be at most 1000000 s: no flight lasts longer."};
    }
  }
  return std::nullopt;
}

void StoreSolver(CPlumoraDoc& doc, const SolverEdit& edit) {
  SolverSettings& s = doc.mission.solver;
  s.timeStep = edit.timeStep;
  s.outputTimeStep = std::max(edit.outputTimeStep, edit.timeStep);
  s.absoluteError = edit.absoluteError;
  s.relativeError = edit.relativeError;
  s.integrator = edit.integrator;
}

DescriptionList AtmosphereDescriptions(const std::filesystem::path& base, std::int32_t planet) {
  const AtmosphereListing listing = ListPlanetAtmospheres(base, planet);
  DescriptionList list;
  for (const AtmosphereFileEntry& file : listing.files) list.lines.push_back(file.description);
  list.complete = !listing.unreadable;
  return list;
}

int OpeningSelection(std::int32_t atmosphere, int count) {
  if (count <= 0) return -1;
  return atmosphere >= 0 && atmosphere < count ? atmosphere : count - 1;
}

std::optional<std::string> CheckEnvironment(const std::filesystem::path& base, std::int32_t planet,
                                            int selection, int count) {
  if (planet < 0 || planet >= kPlanetCount) return std::string("Select a planet.\n");
  if (count <= 0) return NoAtmosphereFileMessage(base, planet);
  if (selection < 0 || selection >= count) {
    return std::string("Select an atmosphere description.\n");
  }
  return std::nullopt;
}

std::optional<std::string> CheckImport(const std::filesystem::path& file,
                                       const ImportColumns& columns) {
  const bool anyColumn =
      std::any_of(kImportColumnRows.begin(), kImportColumnRows.end(),
                  [&](const ImportColumnRow& row) { return columns.*row.column; });
  if (!anyColumn) return std::string(kMsgImportNeedsAColumn);
  std::error_code error;
  if (file.empty() || std::filesystem::is_directory(file, error) ||
      !std::ifstream(file, std::ios::binary)) {
    return std::string(kMsgCouldNotOpenFile);
  }
  return std::nullopt;
}

}  // namespace plumora::gui
