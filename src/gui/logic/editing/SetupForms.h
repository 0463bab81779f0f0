// What the setup dialogs of a mission show and what they write back on OK: the initial state,
// the solver, the environment and the columns of an imported trajectory. The dialogs build their
// fields from the tables here and store through the functions here, so every rule is tested
// without a window.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/DataImport.h"
#include "core/mission/Records.h"
#include "core/mission/SolverSettings.h"
#include "gui/logic/editing/FieldTable.h"

namespace plumora {
class CPlumoraDoc;
}

namespace plumora::gui {

// A field the dialog will not store, and why; the dialog stays open with that field focused.
struct FieldRefusal {
  int id;
  std::string message;
};

// --- "System Initial State" ----------------------------------------------------------------
using StateField = NumberFieldRow<InitialState>;
// Page "Position".
extern const std::array<StateField, 6> kPositionFields;
// Page "Attitude".
extern const std::array<StateField, 6> kAttitudeFields;
// "Parachute Initial State": three groups of three fields.
struct StateFieldGroup {
  const char* title;
  std::array<StateField, 3> fields;
};
extern const std::array<StateFieldGroup, 3> kParachuteStateGroups;

// A latitude beyond the poles, or a field that is not a finite number, would fly nonsense: refused,
// the field named.
std::optional<FieldRefusal> CheckInitialState(const InitialState& state);

// --- "Integrator data" ---------------------------------------------------------------------
// The dialog edits a copy of the mission's settings: the fields of the table and the integrator.
using SolverEdit = SolverSettings;
SolverEdit SolverEditOf(const CPlumoraDoc& doc);
extern const std::array<NumberFieldRow<SolverEdit>, 4> kSolverFields;
// The radio buttons of the integrators, by integrator index.
struct IntegratorButton {
  int id;
  const char* label;
};
extern const std::array<IntegratorButton, 5> kIntegratorButtons;
// A step or tolerance of 0 or less would make a run that cannot go on: refused, the first such
// field named.
std::optional<FieldRefusal> CheckSolver(const SolverEdit& edit);
// Stores accepted values (the fields and the integrator); an output step shorter than the time
// step becomes the time step.
void StoreSolver(CPlumoraDoc& doc, const SolverEdit& edit);

// --- "Environment data" --------------------------------------------------------------------
inline constexpr int kPlanetCount = 3;  // EARTH, MARS, TITAN
// An atmosphere file could not be opened while the description list was filled when the
// dialog opened, or after another planet was chosen.
inline constexpr std::string_view kMsgAtmFileNotOpenedDuringInit =
    "Atmospheric file not opened during init\n";
inline constexpr std::string_view kMsgAtmFileNotOpenedDuringPlanetChange =
    "Atmospheric file not opened during OnSelchangePlanet\n";
// The description list of a planet: line 6 of each of its atmosphere files, in the order the
// atmosphere index counts them. `complete` is false when a file could not be opened: the list
// holds the lines before it.
struct DescriptionList {
  std::vector<std::string> lines;
  bool complete = true;
};
DescriptionList AtmosphereDescriptions(const std::filesystem::path& base, std::int32_t planet);
// The line selected when the dialog opens: the mission's atmosphere index, or, when the index
// lies outside the list, the last line (the file a run reads then); -1 for an empty list.
int OpeningSelection(std::int32_t atmosphere, int count);
// Nothing when the choice can be stored; otherwise why not (no planet, or no description,
// naming the missing file when the planet has none).
std::optional<std::string> CheckEnvironment(const std::filesystem::path& base, std::int32_t planet,
                                            int selection, int count);

// --- "Import data..." ----------------------------------------------------------------------
struct ImportColumnRow {
  int id;
  const char* label;
  bool ImportColumns::*column;
};
extern const std::array<ImportColumnRow, 7> kImportColumnRows;
// Nothing when the file can be read with these columns; otherwise the message to show.
std::optional<std::string> CheckImport(const std::filesystem::path& file,
                                       const ImportColumns& columns);

}  // namespace plumora::gui
