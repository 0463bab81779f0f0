#include "gui/logic/editing/SetupForms.h"

#include <cmath>

#include <algorithm>
#include <fstream>

#include "core/app/PlumoraDoc.h"
#include "core/common/Messages.h"
#include "core/environment/Atmosphere.h"
#include "gui/logic/commands/ControlIds.h"

namespace plumora::gui {

namespace {

using S = InitialState;
constexpr const char* kDegrees = "\xC2\xB0";             // °
constexpr const char* kDegreesPerSecond = "\xC2\xB0/s";  // °/s

// No flight lasts longer (s): a longer step leaves a phase a single sample.
constexpr double kLongestStep = 1.0e6;
constexpr double kLargestLatitude = 90.0;  // °

std::string MustBePositive(const char* label) {
  return std::string("\"") + label + "\" must be a number greater than 0.";
}

}  // namespace

// clang-format off
const std::array<StateField, 6> kPositionFields = {{
    {kCtlVelocity, "Velocity", "m/s", &S::payloadVelocity},
    {kCtlHeight, "Height", "m", &S::height},
    {kCtlPathAngle, "Path angle", kDegrees, &S::payloadPathAngle},
    {kCtlLatitude, "Latitude", kDegrees, &S::latitude},
    {kCtlLongitude, "Longitude", kDegrees, &S::longitude},
    {kCtlHeading, "Heading", kDegrees, &S::heading},
}};

const std::array<StateField, 6> kAttitudeFields = {{
    {kCtlRoll, "Roll", kDegrees, &S::payloadRoll},
    {kCtlPitch, "Pitch", kDegrees, &S::payloadPitch},
    {kCtlYaw, "Yaw", kDegrees, &S::payloadYaw},
    {kCtlRateX, "Angular velocity x", kDegreesPerSecond, &S::payloadRateX},
    {kCtlRateY, "Angular velocity y", kDegreesPerSecond, &S::payloadRateY},
    {kCtlRateZ, "Angular velocity z", kDegreesPerSecond, &S::payloadRateZ},
}};

const std::array<StateFieldGroup, 3> kParachuteStateGroups = {{
    {"Offset", {{{kCtlOffsetX, "x", "m", &S::parachuteOffsetX},
                 {kCtlOffsetY, "y", "m", &S::parachuteOffsetY},
                 {kCtlOffsetZ, "z", "m", &S::parachuteOffsetZ}}}},
    {"Angles", {{{kCtlParachuteRoll, "roll", kDegrees, &S::parachuteRoll},
                 {kCtlParachutePitch, "pitch", kDegrees, &S::parachutePitch},
                 {kCtlParachuteYaw, "yaw", kDegrees, &S::parachuteYaw}}}},
    {"Angular velocity", {{{kCtlParachuteRateX, "x", kDegreesPerSecond, &S::parachuteRateX},
                           {kCtlParachuteRateY, "y", kDegreesPerSecond, &S::parachuteRateY},
                           {kCtlParachuteRateZ, "z", kDegreesPerSecond, &S::parachuteRateZ}}}},
}};

const std::array<NumberFieldRow<SolverEdit>, 4> kSolverFields = {{
    {kCtlTimeStep, "Time step", "s", &SolverEdit::timeStep},
    {kCtlOutputTimeStep, "Output time step", "s", &SolverEdit::outputTimeStep},
    {kCtlAbsoluteError, "Absolute", "", &SolverEdit::absoluteError},
    {kCtlRelativeError, "Relative", "", &SolverEdit::relativeError},
}};

const std::array<IntegratorButton, 5> kIntegratorButtons = {{
    {kCtlRungeKuttaFehlberg, "Runge-Kutta-Felhberg"},
    {kCtlAdamsBashforthMoulton, "Adams-Bashforth-Moulton"},
    {kCtlHighStiffness, "High stiffness"},
    {kCtlEuler, "Euler"},
    {kCtlEulerTrapezoidal, "Euler Trapezoidal"},
}};

// The file holds altitudes in km and speeds in km/s; the import scales them to m and m/s.
const std::array<ImportColumnRow, 7> kImportColumnRows = {{
    {kCtlImportTime, "Time (s)", &ImportColumns::time},
    {kCtlImportLatitude, "Latitude (\xC2\xB0)", &ImportColumns::latitude},
    {kCtlImportLongitude, "Longitude (\xC2\xB0)", &ImportColumns::longitude},
    {kCtlImportHeading, "Heading (\xC2\xB0)", &ImportColumns::heading},
    {kCtlImportAltitude, "Altitude (km)", &ImportColumns::altitude},
    {kCtlImportPathAngle, "Path angle (\xC2\xB0)", &ImportColumns::pathAngle},
    {kCtlImportSpeed, "Speed (km/s)", &ImportColumns::speed},
}};
// clang-format on

SolverEdit SolverEditOf(const CPlumoraDoc& doc) {
  return doc.mission.solver;
}

std::optional<FieldRefusal> CheckInitialState(const InitialState& state) {
  for (const auto* fields : {&kPositionFields, &kAttitudeFields}) {
    for (const StateField& field : *fields) {
      if (!std::isfinite(field.value.Value(state))) {
        return FieldRefusal{field.id,
                            std::string("\"") + field.label + "\" must be a finite number."};
      }
    }
  }
  if (std::fabs(state.latitude) > kLargestLatitude) {
    return FieldRefusal{kCtlLatitude, "\"Latitude\" must be from -90 to 90 degrees."};
  }
  return std::nullopt;
}

std::optional<FieldRefusal> CheckSolver(const SolverEdit& edit) {
  for (const auto& field : kSolverFields) {
    // Written so that a value that is not a number is refused too.
    const double value = field.value.Value(edit);
    if (!(value > 0.0)) return FieldRefusal{field.id, MustBePositive(field.label)};
    if (!std::isfinite(value)) {
      return FieldRefusal{field.id,
                          std::string("\"") + field.label + "\" must be a finite number."};
    }
  }
  // Tolerances are shares of the state; steps longer than any flight leave a single sample.
  for (const auto& field : kSolverFields) {
    const double value = field.value.Value(edit);
    const bool tolerance = field.id == kCtlAbsoluteError || field.id == kCtlRelativeError;
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
  CopyFields<SolverSettings>(kSolverFields, edit, s);
  s.outputTimeStep = std::max(edit.outputTimeStep, edit.timeStep);
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
