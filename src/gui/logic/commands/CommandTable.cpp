#include "gui/logic/commands/CommandTable.h"

#include <cctype>

#include "gui/logic/commands/CommandIds.h"

namespace plumora::gui {

const std::array<MenuTitle, 8> kMenuBar = {{
    {CommandMenu::kFile, "&File"},
    {CommandMenu::kEdit, "&Edit"},
    {CommandMenu::kView, "&View"},
    {CommandMenu::kSimulation, "S&imulation"},
    {CommandMenu::kShow, "Sh&ow"},
    {CommandMenu::kTools, "&Tools"},
    {CommandMenu::kWindow, "&Window"},
    {CommandMenu::kHelp, "&Help"},
}};

namespace {

MenuItemState Always(const CommandState&, int) {
  return {};
}

// Commands on the active document; a run takes no other input.
MenuItemState OnDocument(const CommandState& s, int) {
  return {s.document && !s.running};
}

// A command on the active pane's picture: it shows something.
MenuItemState OnShownPane(const CommandState& s, int) {
  return {s.document && s.pane && s.mode != DisplayMode::kNone && !s.running};
}

MenuItemState OnResults(const CommandState& s, int) {
  return {s.document && s.hasResults && !s.running};
}

// Nothing is undone or redone while a run is on.
MenuItemState UndoStep(const CommandState& s, int) {
  return {s.document && !s.undoStep.empty() && !s.running};
}

MenuItemState RedoStep(const CommandState& s, int) {
  return {s.document && !s.redoStep.empty() && !s.running};
}

MenuItemState OnFlownStudy(const CommandState& s, int) {
  return {s.document && s.hasStudy && !s.running};
}

MenuItemState OnWindows(const CommandState& s, int) {
  return {s.document};
}

MenuItemState NotRunning(const CommandState& s, int) {
  return {!s.running};
}

MenuItemState RecentFile(const CommandState& s, int id) {
  const bool used = id - kCmdFileMru1 < s.recentFiles;
  return {used && !s.running, false, used};
}

MenuItemState BarShown(const CommandState& s, int id) {
  switch (id) {
    case kCmdViewToolbar:
      return {true, s.toolBar};
    case kCmdViewStatusBar:
      return {true, s.statusBar};
    case kCmdMainControl:
      return {true, s.planBar};
    default:
      return {true, s.animationBar};
  }
}

bool NeedsResultsInShowMenu(DisplayMode mode) {
  return mode != DisplayMode::kTable && mode != DisplayMode::kChart && !ShowsStudy(mode);
}

// The popup leaves both trajectory items enabled without results; the Show menu does not.
bool NeedsResultsInPopup(DisplayMode mode) {
  return mode == DisplayMode::k3DPayload || mode == DisplayMode::k3DParachute ||
         mode == DisplayMode::k3DSystem;
}

// Table and Chart are always on offer (with no pane they have nothing to act on); the pictures
// of the flight need a pane with results, and none is made while a run writes them.
MenuItemState ShowMode(const CommandState& s, int id) {
  const DisplayMode mode = *ModeOfCommand(id);
  if (!NeedsResultsInShowMenu(mode)) return {true, s.mode == mode};
  return {s.pane && s.hasResults && !s.running, s.mode == mode};
}

// The study's modes need a flown study (and stay on offer to a pane that shows one, to be
// switched off); they show no results, so they do not need them.
MenuItemState ShowStudyMode(const CommandState& s, int id) {
  const DisplayMode mode = *ModeOfCommand(id);
  const bool on = s.mode == mode;
  return {s.pane && (s.hasStudy || on) && !s.running, on};
}

MenuItemState PopupStudyMode(const CommandState& s, int id) {
  const DisplayMode mode = *ModeOfCommand(id);
  const bool on = s.mode == mode;
  return {s.hasStudy || on, on};
}

MenuItemState PopupMode(const CommandState& s, int id) {
  const DisplayMode mode = *ModeOfCommand(id);
  return {!NeedsResultsInPopup(mode) || s.hasResults, s.mode == mode};
}

// Copy takes what the active pane has chosen (rows of a table); the results are not read while
// a run writes them.
MenuItemState CanCopy(const CommandState& s, int) {
  return {s.canCopy && !s.running};
}

MenuItemState CanSelectAll(const CommandState& s, int) {
  return {s.mode == DisplayMode::kTable && s.hasResults && !s.running};
}

// Offered only on a ground track.
MenuItemState TrackLineShown(const CommandState& s, int) {
  return {true, s.trackLine, s.mode == DisplayMode::k2DTrajectory};
}

// Offered on a ground track, enabled once a study has flown.
MenuItemState TrackEllipsesShown(const CommandState& s, int) {
  return {s.hasStudy, s.trackEllipses && s.hasStudy, s.mode == DisplayMode::k2DTrajectory};
}

using M = CommandMenu;
using A = Artwork;

// clang-format off
const CommandRow kRows[] = {
    {kCmdFileNew, M::kFile, 0, "&New", "Ctrl+N", A::kNew, "", false, Always},
    {kCmdFileOpen, M::kFile, 0, "&Open...", "Ctrl+O", A::kOpen, "", false, Always},
    {kCmdFileClose, M::kFile, 0, "&Close", "", A::kNone, "", false, OnDocument},
    {kCmdFileSave, M::kFile, 0, "&Save", "Ctrl+S", A::kSave, "", false, OnDocument},
    {kCmdFileSaveAs, M::kFile, 0, "Save &As...", "", A::kNone, "", false, OnDocument},
    {kCmdExportResults, M::kFile, 1, "&Export results...", "", A::kNone,
     "Write the results to a CSV file", false, OnResults},
    {kCmdExportPicture, M::kFile, 1, "Export p&icture...", "", A::kNone,
     "Write the active pane as a PNG or SVG picture", false, OnShownPane},
    {kCmdExportStudy, M::kFile, 1, "Export s&tudy...", "", A::kNone,
     "Write the dispersion study's runs and summary", false, OnFlownStudy},
    {kCmdFilePrint, M::kFile, 2, "&Print...", "Ctrl+P", A::kPrint, "", false, OnDocument},
    {kCmdFilePrintPreview, M::kFile, 2, "Print Pre&view", "", A::kNone, "", false, OnDocument},
    {kCmdFilePrintSetup, M::kFile, 2, "P&rint Setup...", "", A::kNone, "", false, Always},
    {kCmdFileMru1, M::kFile, 3, "", "", A::kNone, "", false, RecentFile},
    {kCmdFileMru1 + 1, M::kFile, 3, "", "", A::kNone, "", false, RecentFile},
    {kCmdFileMru1 + 2, M::kFile, 3, "", "", A::kNone, "", false, RecentFile},
    {kCmdFileMru1 + 3, M::kFile, 3, "", "", A::kNone, "", false, RecentFile},
    {kCmdAppExit, M::kFile, 4, "E&xit", "", A::kNone, "", false, Always},

    {kCmdEditUndo, M::kEdit, 0, "&Undo", "Ctrl+Z", A::kNone, "", false, UndoStep},
    {kCmdEditRedo, M::kEdit, 0, "&Redo", "Ctrl+Shift+Z", A::kNone, "", false, RedoStep},
    {kCmdEditCopy, M::kEdit, 1, "&Copy", "Ctrl+C", A::kNone,
     "Copy the selected rows of the table as text", false, CanCopy},
    {kCmdEditSelectAll, M::kEdit, 1, "Select &All", "Ctrl+A", A::kNone,
     "Select every row of the table", false, CanSelectAll},

    {kCmdViewToolbar, M::kView, 0, "&Toolbar", "", A::kNone, "", true, BarShown},
    {kCmdViewStatusBar, M::kView, 0, "&Status Bar", "", A::kNone, "", true, BarShown},
    {kCmdMainControl, M::kView, 0, "&Main control", "", A::kNone, "", true, BarShown},
    {kCmdAnimationControl, M::kView, 0, "&Animation control", "", A::kNone, "", true, BarShown},
    {kCmdGoToTime, M::kView, 1, "&Go to time...", "Ctrl+G", A::kNone,
     "Move the animation to a time of the flight", false, OnResults},

    {kCmdPayloadManager, M::kSimulation, 0, "&Payload manager", "", A::kNone, "", false, OnDocument},
    {kCmdParachuteManager, M::kSimulation, 0, "Pa&rachute manager", "", A::kNone, "", false,
     OnDocument},
    {kCmdInitialState, M::kSimulation, 1, "&Initial state", "", A::kNone, "", false, OnDocument},
    {kCmdSolver, M::kSimulation, 1, "&Solver", "", A::kNone, "", false, OnDocument},
    {kCmdEnvironment, M::kSimulation, 1, "&Environment", "", A::kNone, "", false, OnDocument},
    {kCmdCheckMission, M::kSimulation, 2, "&Check mission", "", A::kNone,
     "Check the mission before a run", false, OnDocument},
    {kCmdRun, M::kSimulation, 2, "R&un", "F5", A::kRun, "Start simulation", false, OnDocument},
    {kCmdImportData, M::kSimulation, 2, "I&mport data...", "", A::kNone, "Import data tables", false,
     OnDocument},
    {kCmdDispersions, M::kSimulation, 2, "&Dispersions...", "", A::kNone,
     "Set up and fly a dispersion study of the mission", false, OnDocument},

    {kCmdShowTable, M::kShow, 0, "&Table", "", A::kNone, "Show numerical output", true, ShowMode},
    {kCmdShowChart, M::kShow, 0, "&Chart", "", A::kNone, "Show graphical output", true, ShowMode},
    {kCmdShow3DPayload, M::kShow, 0, "3D &payload", "", A::kNone, "Show 3D payload", true,
     ShowMode},
    {kCmdShow3DParachute, M::kShow, 0, "3D p&arachute", "", A::kNone, "Show 3D parachute", true,
     ShowMode},
    {kCmdShow3DSystem, M::kShow, 0, "3D S&ystem", "", A::kNone,
     "Show 3D system: capsule plus parachute", true, ShowMode},
    {kCmdShow2DTrajectory, M::kShow, 0, "&2D Trajectory", "", A::kNone,
     "Show 2D trajectory on global map", true, ShowMode},
    {kCmdShow3DTrajectory, M::kShow, 0, "3&D Trajectory", "", A::kNone, "", true, ShowMode},
    {kCmdShowLandingScatter, M::kShow, 0, "Landing &scatter", "", A::kNone,
     "Show where the dispersion study's runs landed", true, ShowStudyMode},
    {kCmdShowStudyHistograms, M::kShow, 0, "Study &histograms", "", A::kNone,
     "Show how an output of the dispersion study is spread", true, ShowStudyMode},
    {kCmdShowOptions, M::kShow, 1, "&Options", "", A::kNone, "Graphical options", false, Always},

    {kCmdAtmosphereViewer, M::kTools, 0, "&Atmospheric data viewer", "", A::kNone, "", false,
     NotRunning},
    {kCmdAeroViewer, M::kTools, 0, "Ae&rodynamic data viewer", "", A::kNone, "", false, NotRunning},

    {kCmdWindowCascade, M::kWindow, 0, "&Cascade", "", A::kNone, "", false, OnWindows},
    {kCmdWindowTile, M::kWindow, 0, "&Tile", "", A::kNone, "", false, OnWindows},

    {kCmdHelpManual, M::kHelp, 0, "&User manual", "F1", A::kNone, "Read the user manual", false,
     Always},
    {kCmdAppAbout, M::kHelp, 0, "&About plumora...", "", A::kAbout, "", false, Always},

    {kCmdPopupTable, M::kPopup, 0, "&Table", "", A::kNone, "", true, PopupMode},
    {kCmdPopupChart, M::kPopup, 0, "&Chart", "", A::kNone, "", true, PopupMode},
    {kCmdPopup3DPayload, M::kPopup, 0, "3D &payload", "", A::kNone, "Show 3D payload", true,
     PopupMode},
    {kCmdPopup3DParachute, M::kPopup, 0, "3D p&arachute", "", A::kNone, "Show 3D parachute", true,
     PopupMode},
    {kCmdPopup3DSystem, M::kPopup, 0, "3D S&ystem", "", A::kNone,
     "Show 3D system: capsule plus parachute", true, PopupMode},
    {kCmdPopup2DTrajectory, M::kPopup, 0, "&2D Trajectory", "", A::kNone,
     "Show 2D trajectory on global map", true, PopupMode},
    {kCmdPopup3DTrajectory, M::kPopup, 0, "3&D Trajectory", "", A::kNone,
     "Shows 3D position around planet", true, PopupMode},
    {kCmdPopupLandingScatter, M::kPopup, 0, "Landing &scatter", "", A::kNone,
     "Show where the dispersion study's runs landed", true, PopupStudyMode},
    {kCmdPopupStudyHistograms, M::kPopup, 0, "Study &histograms", "", A::kNone,
     "Show how an output of the dispersion study is spread", true, PopupStudyMode},
    {kCmdPopupOptions, M::kPopup, 1, "&Options", "", A::kNone, "", false, Always},
    {kCmdPopupTrackLine, M::kPopup, 1, "Show track &line", "", A::kNone,
     "Draw the ground track of the flight so far", true, TrackLineShown},
    {kCmdPopupTrackEllipses, M::kPopup, 1, "Show landing &ellipses", "", A::kNone,
     "Draw the dispersion study's landing points and ellipses on the map", true,
     TrackEllipsesShown},

    {kCtlEditMission, M::kBar, 0, "Edit mission", "", A::kNone, "", false, OnDocument},
    {kCtlEditPhase, M::kBar, 0, "Edit phase", "", A::kNone, "", false, OnDocument},
    {kCtlViewPhase, M::kBar, 0, "View phase", "", A::kNone, "", false, OnDocument},

    {kCmdFilePrintDirect, M::kNone, 0, "", "", A::kNone, "", false, OnDocument},
};
// clang-format on

}  // namespace

std::span<const CommandRow> CommandTable() {
  return kRows;
}

const CommandRow* FindCommand(int commandId) {
  for (const CommandRow& row : kRows) {
    if (row.id == commandId) return &row;
  }
  return nullptr;
}

std::optional<std::string> CurrentText(const CommandRow& row, const CommandState& state) {
  // Undo and Redo name the edit they act on.
  const std::string* step = row.id == kCmdEditUndo   ? &state.undoStep
                            : row.id == kCmdEditRedo ? &state.redoStep
                                                     : nullptr;
  if (!step) return std::nullopt;
  std::string text(row.text);
  if (state.document && !step->empty()) text += " " + *step;
  return text;
}

MenuItemState Evaluate(const CommandRow& row, const CommandState& state) {
  return row.rule(state, row.id);
}

char Mnemonic(std::string_view text) {
  for (std::size_t k = 0; k + 1 < text.size(); ++k) {
    if (text[k] != '&') continue;
    if (text[k + 1] != '&') return static_cast<char>(std::tolower(text[k + 1]));
    ++k;  // "&&" is a literal ampersand
  }
  return 0;
}

std::string ToolTipText(std::string_view text) {
  std::string tip;
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] == '&' && k + 1 < text.size()) ++k;
    tip += text[k];
  }
  while (!tip.empty() && tip.back() == '.') tip.pop_back();
  return tip;
}

}  // namespace plumora::gui
