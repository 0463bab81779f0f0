// plumora-cli new: a new mission with every default.
#include <string>

#include "cli/Commands.h"
#include "cli/MissionPaths.h"
#include "core/app/MissionFiles.h"
#include "core/common/Prompter.h"

namespace plumora::cli {

void AddNewCommand(CLI::App& app, int& status) {
  auto output = std::make_shared<std::string>();
  CLI::App* cmd = app.add_subcommand("new", "Write a new default mission (.psd or .json)");
  cmd->add_option("OUT", *output, "The file to write (replaced if it exists)")
      ->required()
      ->check(MissionFileName());
  cmd->callback([output, &status] {
    const Result<> saved = SaveMission(Mission(), *output);
    if (!saved) {
      ConsolePrompter prompter;
      ShowError(prompter, saved.error());
    }
    status = saved ? kExitOk : kExitFailure;
  });
}

}  // namespace plumora::cli
