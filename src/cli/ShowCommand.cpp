// plumora-cli show: a mission file as JSON on stdout.
#include <string>

#include "cli/Commands.h"
#include "cli/MissionPaths.h"
#include "cli/Output.h"
#include "core/app/MissionFiles.h"
#include "core/app/MissionJson.h"
#include "core/app/PlumoraDoc.h"
#include "core/common/Messages.h"

namespace plumora::cli {

namespace {

int RunShow(const std::string& mission) {
  ConsolePrompter prompter;
  CPlumoraDoc doc;
  doc.SetPrompter(&prompter);
  if (!LoadMissionOrWarn(doc, mission)) return kExitFailure;
  const Result<std::string> text = WriteMissionJson(doc.mission);
  if (!text) {
    ShowError(prompter, text.error());
    return kExitFailure;
  }
  return WriteStandardOutput(text.value()) ? kExitOk : kExitFailure;
}

}  // namespace

void AddShowCommand(CLI::App& app, int& status) {
  auto mission = std::make_shared<std::string>();
  CLI::App* cmd = app.add_subcommand("show", "Print a mission (.psd or .json) as JSON");
  cmd->add_option("MISSION", *mission, "The mission file")->required()->check(MissionFileName());
  cmd->callback([mission, &status] { status = RunShow(*mission); });
}

}  // namespace plumora::cli
