// Where the run-time data (atm/, adf/, 3dmodels/, graphics/) is read from. The working folder
// wins when it holds the data, as it always has; an installed program started anywhere else
// reads the data installed with it.
#pragma once

#include <filesystem>

namespace plumora {

// The folder, under the prefix the programs are installed in, that holds the installed data
// ("share/plumora" beside "bin"): found from the running program's own path, so an installed
// tree may be moved as a whole. Empty when the program's path cannot be learnt.
std::filesystem::path InstalledDataFolder();

// working when it holds atm/; otherwise installed when that holds atm/; otherwise working, whose
// messages then name what is missing there.
std::filesystem::path ChooseDataFolder(const std::filesystem::path& working,
                                       const std::filesystem::path& installed);

// ChooseDataFolder for the working folder of this moment and InstalledDataFolder().
std::filesystem::path DefaultDataFolder();

}  // namespace plumora
