// What the two data viewers read and keep, without a window: the atmosphere files of a planet
// by their dataset names, the aerodynamic files by name, the tables read from them by the
// engine's own readers, and the messages a missing or refused file brings.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/Prompter.h"
#include "core/environment/AeroDatabase.h"
#include "core/environment/Atmosphere.h"
#include "gui/logic/viewers/AeroPlot.h"
#include "gui/logic/viewers/AtmospherePlot.h"

namespace plumora::gui {

// Messages of the viewers themselves (caption "error"); the readers' own come from the engine.
// An atmosphere file that cannot be opened while the viewer opens brings the environment
// dialog's kMsgAtmFileNotOpenedDuringInit.
inline constexpr std::string_view kMsgAtmNotOpenedDuringPlanetChange =
    "Atmospheric file not opened during OnSelchangeAtmosphere\n";
inline constexpr std::string_view kMsgAeroNotOpenedDuringInit =
    "Aerodynamic file not opened during init\n";
inline constexpr std::string_view kMsgAeroNotOpened = "Aerodynamic file not opened\n";

// The atmospheric viewer's data: the planet, its atmosphere files by dataset name (line 6 of
// each, or the file's name where that is blank), the one chosen and its table. A dataset that
// cannot be read leaves the table empty, so the plot never shows one dataset's air under
// another's name.
class AtmosphereViewerData {
 public:
  explicit AtmosphereViewerData(std::filesystem::path base);

  // Earth's datasets, the first one read.
  void Init(Prompter& prompter);
  // Another planet's datasets, the first one read.
  void SelectPlanet(int planet, Prompter& prompter);
  void SelectDataset(int index, Prompter& prompter);

  int planet() const { return planet_; }
  const std::vector<AtmosphereFileEntry>& datasets() const { return datasets_; }
  int dataset() const { return dataset_; }
  // Empty (no points) when nothing is plotted.
  const AtmosphereTable& table() const { return *table_; }
  const AtmRanges& ranges() const { return ranges_; }

 private:
  void List(int planet, std::string_view unreadableMessage, Prompter& prompter);
  // Reads the chosen dataset; 1 on success, 0 after showing why not.
  int LoadDataset(Prompter& prompter);

  std::filesystem::path base_;
  int planet_ = 0;
  std::vector<AtmosphereFileEntry> datasets_;
  int dataset_ = -1;
  std::unique_ptr<AtmosphereTable> table_;
  AtmRanges ranges_;
};

// The aerodynamic viewer's data: the files of <base>/adf, the one chosen, its comment (line 1)
// and its database, and the settings of the plot. A file that cannot be read leaves the
// database empty.
class AeroViewerData {
 public:
  explicit AeroViewerData(std::filesystem::path base);

  // Lists the files and reads the first.
  void Init(Prompter& prompter);
  void SelectFile(int index, Prompter& prompter);

  const std::vector<std::string>& files() const { return files_; }
  int file() const { return file_; }
  const std::string& comment() const { return comment_; }
  const AeroDatabase& database() const { return *database_; }

  AeroViewSettings settings;

 private:
  // Reads the chosen file; `notOpened` is the message when it cannot be opened at all.
  void Load(std::string_view notOpened, Prompter& prompter);

  std::filesystem::path base_;
  std::vector<std::string> files_;
  int file_ = -1;
  std::string comment_;
  std::unique_ptr<AeroDatabase> database_;
};

}  // namespace plumora::gui
