// plumora-cli show: a mission file as JSON on stdout.
#include <string>

#include "cli/Commands.h"
#include "cli/MissionPaths.h"
#include "cli/Output.h"
#include "core/app/MissionFiles.h"
#include "core/app/MissionJson.h"
#include "core/common/Messages.h"

namespace plumora::cli {

namespace {

int RunShow(const std::string& mission) {
  ConsolePrompter prompter;
  CPlumoraDoc doc;
  doc.SetPrompter(&prompter);
  if (!LoadMissionOrWarn(doc, mission)) return kExitFailure;
  std::string text, problem;
  if (!WriteMissionJson(doc, text, problem)) {
    prompter.Message(problem, kCaptionError);
    return kExitFailure;
  }
  return WriteStandardOutput(text) ? kExitOk : kExitFailure;
}

}  // namespace

void AddShowCommand(CLI::App& app, int& status) {
  auto mission = std::make_shared<std::string>();
  CLI::App* cmd = app.add_subcommand("show", "Print a mission (.psd or .json) as JSON");
  cmd->add_option("MISSION", *mission, "The mission file")->required()->check(MissionFileName());
  cmd->callback([mission, &status] { status = RunShow(*mission); });
}

}  // namespace plumora::cli
