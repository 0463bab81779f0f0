#include <gtest/gtest.h>

#include <map>
#include <set>

#include "gui/logic/commands/CommandIds.h"
#include "gui/logic/commands/CommandTable.h"

namespace plumora::gui {
namespace {

MenuItemState Look(int id, const CommandState& state) {
  const CommandRow* row = FindCommand(id);
  EXPECT_NE(row, nullptr) << id;
  return row ? Evaluate(*row, state) : MenuItemState{};
}

CommandState OpenDocument(bool results, DisplayMode mode = DisplayMode::kNone) {
  CommandState s;
  s.document = true;
  s.pane = true;
  s.hasResults = results;
  s.mode = mode;
  return s;
}

TEST(CommandTableTest, RowsAreUniqueAndMnemonicsNeverClash) {
  std::set<int> ids;
  std::set<char> bar;
  for (const MenuTitle& m : kMenuBar) {
    EXPECT_TRUE(bar.insert(Mnemonic(m.title)).second) << m.title;
  }
  std::map<CommandMenu, std::set<char>> letters;
  std::set<std::string_view> shortcuts;
  for (const CommandRow& row : CommandTable()) {
    EXPECT_TRUE(ids.insert(row.id).second) << row.id;
    const char letter = Mnemonic(row.text);
    // Every item of a menu can be reached from the keyboard by its letter.
    const bool inMenu =
        row.menu != CommandMenu::kBar && row.menu != CommandMenu::kNone && !row.text.empty();
    EXPECT_TRUE(letter != 0 || !inMenu) << row.text << " has no access key";
    if (letter != 0) {
      EXPECT_TRUE(letters[row.menu].insert(letter).second) << row.text;
    }
    if (!row.shortcut.empty()) {
      EXPECT_TRUE(shortcuts.insert(row.shortcut).second) << row.shortcut;
    }
  }
  EXPECT_EQ(FindCommand(kCmdRun)->shortcut, "F5");
  EXPECT_EQ(Mnemonic("S&how"), 'h');
  EXPECT_EQ(Mnemonic("Fish && &Chips"), 'c');
  EXPECT_EQ(Mnemonic("Table"), 0);
  EXPECT_EQ(ToolTipText("&Open..."), "Open");
  EXPECT_EQ(ToolTipText("&About plumora..."), "About plumora");
}

TEST(CommandTableTest, ShowMenuNeedsResultsForThePicturesButThePopupOnlyForTheObjects) {
  for (const ModeCommand& c : kModeCommands) {
    if (ShowsStudy(c.mode)) continue;  // they need a flown study instead (below)
    const bool tableOrChart = c.mode == DisplayMode::kTable || c.mode == DisplayMode::kChart;
    const bool object = c.mode == DisplayMode::k3DPayload || c.mode == DisplayMode::k3DParachute ||
                        c.mode == DisplayMode::k3DSystem;
    EXPECT_EQ(Look(c.showId, OpenDocument(false)).enabled, tableOrChart) << c.text;
    EXPECT_EQ(Look(c.popupId, OpenDocument(false)).enabled, !object) << c.text;
    EXPECT_TRUE(Look(c.showId, OpenDocument(true)).enabled) << c.text;
    EXPECT_TRUE(Look(c.popupId, OpenDocument(true)).enabled) << c.text;
    // Only the mode that is on carries the check mark, in both menus.
    const CommandState trajectory = OpenDocument(true, DisplayMode::k2DTrajectory);
    const bool on = c.mode == DisplayMode::k2DTrajectory;
    EXPECT_EQ(Look(c.showId, trajectory).checked, on) << c.text;
    EXPECT_EQ(Look(c.popupId, trajectory).checked, on) << c.text;
  }
  EXPECT_TRUE(Look(kCmdShowOptions, OpenDocument(false)).enabled);
  EXPECT_TRUE(Look(kCmdPopupOptions, OpenDocument(false)).enabled);
  // Table, Chart and Options stay on offer without a pane and during a run; the pictures of the
  // flight need a pane with results, and none is made while a run writes them.
  CommandState running = OpenDocument(true);
  running.running = true;
  for (const CommandState& state : {CommandState{}, running}) {
    EXPECT_TRUE(Look(kCmdShowTable, state).enabled);
    EXPECT_TRUE(Look(kCmdShowChart, state).enabled);
    EXPECT_TRUE(Look(kCmdShowOptions, state).enabled);
    EXPECT_FALSE(Look(kCmdShow2DTrajectory, state).enabled);
  }
  CommandState noPane = OpenDocument(true);
  noPane.pane = false;
  EXPECT_FALSE(Look(kCmdShow3DTrajectory, noPane).enabled);
}

TEST(CommandTableTest, DocumentCommandsNeedADocumentAndExportNeedsResults) {
  CommandState none;
  EXPECT_TRUE(Look(kCmdFileNew, none).enabled);
  EXPECT_FALSE(Look(kCmdRun, none).enabled);
  EXPECT_FALSE(Look(kCmdInitialState, none).enabled);
  EXPECT_FALSE(Look(kCmdExportResults, none).enabled);
  EXPECT_TRUE(Look(kCmdRun, OpenDocument(false)).enabled);
  EXPECT_FALSE(Look(kCmdExportResults, OpenDocument(false)).enabled);
  EXPECT_TRUE(Look(kCmdExportResults, OpenDocument(true)).enabled);
  CommandState running = OpenDocument(true);
  running.running = true;
  EXPECT_FALSE(Look(kCmdExportResults, running).enabled);
  EXPECT_FALSE(Look(kCmdAtmosphereViewer, running).enabled);
  // The direct print and both phase buttons of the plan bar act on the active mission.
  for (int id : {kCmdFilePrintDirect, kCtlEditPhase, kCtlViewPhase}) {
    EXPECT_FALSE(Look(id, CommandState{}).enabled) << id;
    EXPECT_TRUE(Look(id, OpenDocument(false)).enabled) << id;
    EXPECT_FALSE(Look(id, running).enabled) << id;
  }

  // The recent files show as many entries as the list holds.
  none.recentFiles = 2;
  EXPECT_TRUE(Look(kCmdFileMru1 + 1, none).visible);
  EXPECT_FALSE(Look(kCmdFileMru1 + 2, none).visible);
  none.planBar = true;
  EXPECT_TRUE(Look(kCmdMainControl, none).checked);
  EXPECT_FALSE(Look(kCmdAnimationControl, none).checked);
}

TEST(CommandTableTest, TheTrackLineSwitchIsOfferedOnAGroundTrackOnly) {
  CommandState track = OpenDocument(true, DisplayMode::k2DTrajectory);
  track.trackLine = true;
  EXPECT_TRUE(Look(kCmdPopupTrackLine, track).visible);
  EXPECT_TRUE(Look(kCmdPopupTrackLine, track).checked);
  EXPECT_FALSE(Look(kCmdPopupTrackLine, OpenDocument(true, DisplayMode::kChart)).visible);
}

TEST(CommandTableTest, TheStudyModesNeedAFlownStudyNotResults) {
  CommandState studied = OpenDocument(false);
  studied.hasStudy = true;
  CommandState running = studied;
  running.running = true;
  for (const ModeCommand& c : kModeCommands) {
    if (!ShowsStudy(c.mode)) continue;
    EXPECT_FALSE(Look(c.showId, OpenDocument(true)).enabled) << c.text;
    EXPECT_FALSE(Look(c.popupId, OpenDocument(true)).enabled) << c.text;
    EXPECT_TRUE(Look(c.showId, studied).enabled) << c.text;
    EXPECT_TRUE(Look(c.popupId, studied).enabled) << c.text;
    EXPECT_FALSE(Look(c.showId, running).enabled) << c.text;
    // A pane left showing the mode without a study (a study set up anew) can still switch it off.
    const CommandState on = OpenDocument(true, c.mode);
    EXPECT_TRUE(Look(c.showId, on).enabled && Look(c.showId, on).checked) << c.text;
    EXPECT_TRUE(Look(c.popupId, on).enabled && Look(c.popupId, on).checked) << c.text;
  }
  // The landings on the map: offered on a ground track, enabled with a study, checked when on.
  CommandState track = OpenDocument(true, DisplayMode::k2DTrajectory);
  track.trackEllipses = true;
  EXPECT_TRUE(Look(kCmdPopupTrackEllipses, track).visible);
  EXPECT_FALSE(Look(kCmdPopupTrackEllipses, track).enabled);
  track.hasStudy = true;
  EXPECT_TRUE(Look(kCmdPopupTrackEllipses, track).enabled);
  EXPECT_TRUE(Look(kCmdPopupTrackEllipses, track).checked);
  EXPECT_FALSE(Look(kCmdPopupTrackEllipses, studied).visible);
}

TEST(CommandTableTest, StatusPromptsAreTheProgramsOwn) {
  const auto prompt = [](int id) { return FindCommand(id)->prompt; };
  EXPECT_EQ(prompt(kCmdShowTable), "Show numerical output");
  EXPECT_EQ(prompt(kCmdShowOptions), "Graphical options");
  EXPECT_EQ(prompt(kCmdPopup3DPayload), prompt(kCmdShow3DPayload));
  EXPECT_EQ(prompt(kCmdShow3DSystem), "Show 3D system: capsule plus parachute");
  EXPECT_EQ(prompt(kCmdPopup2DTrajectory), "Show 2D trajectory on global map");
  EXPECT_EQ(prompt(kCmdPopup3DTrajectory), "Shows 3D position around planet");
  EXPECT_EQ(prompt(kCmdShow3DTrajectory), "");
  EXPECT_EQ(prompt(kCmdRun), "Start simulation");
}

TEST(CommandTableTest, CopyNeedsSelectedRowsAndGoToTimeNeedsResults) {
  CommandState table = OpenDocument(true, DisplayMode::kTable);
  EXPECT_TRUE(Look(kCmdEditSelectAll, table).enabled);
  EXPECT_FALSE(Look(kCmdEditSelectAll, OpenDocument(false, DisplayMode::kTable)).enabled);
  EXPECT_FALSE(Look(kCmdEditSelectAll, OpenDocument(true, DisplayMode::kChart)).enabled);
  EXPECT_FALSE(Look(kCmdEditCopy, table).enabled);
  table.canCopy = true;
  EXPECT_TRUE(Look(kCmdEditCopy, table).enabled);
  table.running = true;
  EXPECT_FALSE(Look(kCmdEditCopy, table).enabled);
  EXPECT_FALSE(Look(kCmdEditSelectAll, table).enabled);
  EXPECT_FALSE(Look(kCmdGoToTime, table).enabled);
  EXPECT_FALSE(Look(kCmdGoToTime, OpenDocument(false)).enabled);
  EXPECT_TRUE(Look(kCmdGoToTime, OpenDocument(true)).enabled);
  // Their shortcuts, which no other row shares (every shortcut is unique, above).
  EXPECT_EQ(FindCommand(kCmdGoToTime)->shortcut, "Ctrl+G");
  EXPECT_EQ(FindCommand(kCmdEditCopy)->shortcut, "Ctrl+C");
  EXPECT_EQ(FindCommand(kCmdEditSelectAll)->shortcut, "Ctrl+A");
}

}  // namespace
}  // namespace plumora::gui
