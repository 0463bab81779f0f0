// Every command of the desktop program is one row of one table: its id, where it stands (menu
// and group), its text with the mnemonic, its shortcut, its toolbar picture, its status-bar
// prompt and the rule that enables and checks it. The menu bar, the toolbar, the pane's popup and
// the bar buttons are all built from these rows and refreshed by their rules; the Qt side only
// binds a handler to each id.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "gui/logic/commands/ArtworkId.h"
#include "gui/logic/results/ResultsViewState.h"

namespace plumora::gui {

// Where a command is offered. kPopup is a pane's right-button menu, kBar a button of a docked bar
// (the mission plan bar); neither is in the menu bar. kNone: nowhere, reached by its id only (the
// direct print, which prints without asking).
enum class CommandMenu {
  kFile,
  kEdit,
  kView,
  kSimulation,
  kShow,
  kTools,
  kWindow,
  kHelp,
  kPopup,
  kBar,
  kNone
};

struct MenuTitle {
  CommandMenu menu;
  std::string_view title;  // with '&' before the mnemonic letter
};
// The menu bar, left to right.
extern const std::array<MenuTitle, 8> kMenuBar;

// What the rules look at: the main window, its active document and that document's active pane.
struct CommandState {
  bool document = false;                  // a document window is open
  bool running = false;                   // a run is on
  bool hasResults = false;                // the active document's results hold at least one sample
  bool hasStudy = false;                  // the active document holds a flown dispersion study
  bool pane = false;                      // the active document window has an active pane
  DisplayMode mode = DisplayMode::kNone;  // that pane's display mode
  bool trackLine = false;                 // that pane's ground track draws the line
  bool canCopy = false;                   // that pane has something chosen to copy (table rows)
  bool trackEllipses = false;             // that pane's ground track draws the study's landings
  bool toolBar = false;                   // shown
  bool statusBar = false;
  bool planBar = false;
  bool animationBar = false;
  int recentFiles = 0;  // entries in the recent-file list
  // The active mission's edit that Undo would take back, and the one Redo would do again; empty
  // where there is none.
  std::string undoStep;
  std::string redoStep;
};

using CommandRule = MenuItemState (*)(const CommandState& state, int commandId);

struct CommandRow {
  int id;
  CommandMenu menu;
  int group;  // a separator stands between two groups of a menu
  std::string_view text;
  std::string_view shortcut;  // "Ctrl+P", or empty
  Artwork picture;            // the toolbar button's picture; kNone: not on the toolbar
  std::string_view prompt;    // shown in the status bar while the item is highlighted
  bool checkable;
  CommandRule rule;
};

// All rows, menus in bar order and each menu's items in their order.
std::span<const CommandRow> CommandTable();
// The row of a command, or null.
const CommandRow* FindCommand(int commandId);
// The row's state now.
MenuItemState Evaluate(const CommandRow& row, const CommandState& state);
// The item's text now when it follows the state ("&Undo Payload data"); none: the row's text.
std::optional<std::string> CurrentText(const CommandRow& row, const CommandState& state);

// The mnemonic letter of a text ("S&how": 'h'), lower case, or 0 when it has none.
char Mnemonic(std::string_view text);
// The text without its mnemonic mark and trailing dots, for tool tips ("&Open..." → "Open").
std::string ToolTipText(std::string_view text);

}  // namespace plumora::gui
