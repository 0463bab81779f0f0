#include "gui/logic/app/StartupCommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace plumora::gui {

namespace {

// Qt's own options, which QApplication takes out of the command line itself: those followed by
// a value, and the flags.
constexpr std::array<std::string_view, 11> kQtValueOptions = {
    "-platform",        "-platformpluginpath", "-platformtheme", "-plugin",
    "-qwindowgeometry", "-qwindowicon",        "-qwindowtitle",  "-session",
    "-style",           "-stylesheet",         "-display"};
constexpr std::array<std::string_view, 2> kQtFlags = {"-reverse", "-widgetcount"};

// Qt reads "--style" as "-style".
std::string_view QtName(std::string_view argument) {
  if (argument.rfind("--", 0) == 0) argument.remove_prefix(1);
  return argument.substr(0, argument.find('='));
}

bool IsAmong(std::string_view name, auto const& names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

StartupCommandLine Exit(int status, std::string text) {
  StartupCommandLine line;
  line.exitStatus = status;
  line.text = std::move(text);
  return line;
}

StartupCommandLine BadUsage(const std::string& problem) {
  return Exit(kSnapshotUsage, "error: " + problem + "\n\n" + UsageText());
}

StartupCommandLine SnapshotLine(const std::vector<std::string>& arguments) {
  SnapshotCommandLine snapshot = ParseSnapshotCommandLine(arguments);
  if (!snapshot.options) return Exit(snapshot.status, std::move(snapshot.text));
  StartupCommandLine line;
  line.snapshot = std::move(snapshot.options);
  return line;
}

}  // namespace

std::string VersionText() {
  return "plumora " PLUMORA_VERSION "\n";
}

std::string UsageText() {
  return "Usage: plumora [--base DIR] [MISSION ...]\n"
         "  or:  plumora --snapshot FILE.png [SNAPSHOT OPTIONS] [MISSION]\n"
         "\n"
         "The desktop simulator of planetary entry and parachute descent. Opens each MISSION (a\n"
         ".psd or .json mission file) in a window of its own, or a new mission when none is\n"
         "named.\n"
         "\n"
         "Options:\n"
         "  -h, --help      Print this help and end\n"
         "  --version       Print the version and end\n"
         "  --base DIR      Read atm/, adf/, 3dmodels/ and graphics/ under DIR (default: the\n"
         "                  working folder when it holds atm/, else the installed data)\n"
         "  --              Every argument after it is a mission, even one that begins with -\n"
         "\n"
         "Qt's own options (-style NAME, -platform NAME, -display DISPLAY, ...) are passed to\n"
         "Qt.\n"
         "\n"
         "Headless pictures: with --snapshot FILE.png the program draws a results pane, or the\n"
         "dialog a command opens, into the PNG file without a display, and ends.\n" +
         ParseSnapshotCommandLine({"--help"}).text;
}

StartupCommandLine ParseStartupCommandLine(const std::vector<std::string>& arguments) {
  const auto end = std::find(arguments.begin(), arguments.end(), "--");
  // Help and the version come first, wherever they stand among the options.
  for (auto it = arguments.begin(); it != end; ++it) {
    if (*it == "-h" || *it == "--help") return Exit(0, UsageText());
    if (*it == "--version") return Exit(0, VersionText());
  }
  if (WantsSnapshot({arguments.begin(), end})) return SnapshotLine(arguments);

  StartupCommandLine line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasNext = i + 1 < arguments.size() && !LooksLikeOption(arguments[i + 1]);
    if (argument == "--") {
      line.missions.insert(line.missions.end(), arguments.begin() + i + 1, arguments.end());
      break;
    }
    if (argument == "--base" || argument.rfind("--base=", 0) == 0) {
      if (argument == "--base" && !hasNext) return BadUsage("--base needs a folder");
      line.base = argument == "--base" ? arguments[++i] : argument.substr(7);
      if (line.base.empty()) return BadUsage("--base needs a folder");
    } else if (IsAmong(QtName(argument), kQtFlags)) {
      line.qtArguments.push_back(argument);
    } else if (IsAmong(QtName(argument), kQtValueOptions)) {
      line.qtArguments.push_back(argument);
      if (argument.find('=') != std::string::npos) continue;
      if (!hasNext) return BadUsage(argument + " needs a value");
      line.qtArguments.push_back(arguments[++i]);
    } else if (LooksLikeOption(argument)) {
      return BadUsage("unknown option " + argument);
    } else {
      line.missions.push_back(argument);
    }
  }
  return line;
}

}  // namespace plumora::gui
