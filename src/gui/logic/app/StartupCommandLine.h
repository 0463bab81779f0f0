// The desktop program's command line, read before anything needs a display: help and the version
// are printed on any terminal, bad usage is refused with status 2, and only what is left of it
// once its options (and Qt's own) are taken out names missions.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gui/logic/snapshot/SnapshotOptions.h"

namespace plumora::gui {

struct StartupCommandLine {
  // Set when the program is to print `text` and end with `status` (help and the version on
  // stdout with status 0, bad usage on stderr with status 2).
  std::optional<int> exitStatus;
  std::string text;
  std::optional<SnapshotOptions> snapshot;  // a picture to make headless
  std::vector<std::string> missions;        // otherwise: the missions to open, in order
  std::string base;                         // --base DIR; empty: the default data folder
  // The arguments left for Qt (its own options, such as -style NAME), after the program's name.
  std::vector<std::string> qtArguments;
};

// arguments: the command line without the program's name.
StartupCommandLine ParseStartupCommandLine(const std::vector<std::string>& arguments);

// What --version prints.
std::string VersionText();
// What --help prints: the program's options and those of --snapshot.
std::string UsageText();

}  // namespace plumora::gui
