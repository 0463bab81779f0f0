// plumora-cli check: what stands in the way of a mission's run (errors) and what looks unlike the
// bodies and settings it describes (warnings), each naming its record and field.
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "cli/MissionPaths.h"
#include "core/app/PlumoraDoc.h"
#include "core/app/RunMission.h"
#include "core/common/Messages.h"
#include "core/mission/RecordChecks.h"

namespace plumora::cli {

namespace {

struct CheckOptions {
  std::string base;
  std::string mission;
};

void PrintLines(const std::vector<std::string>& lines, const char* kind) {
  for (const std::string& line : lines) std::printf("%s: %s", kind, line.c_str());
}

int RunCheck(const CheckOptions& options) {
  ConsolePrompter prompter(stderr);
  CPlumoraDoc doc;
  doc.SetPrompter(&prompter);
  if (!options.base.empty()) doc.baseFolder = options.base;
  if (!LoadMissionOrWarn(doc, options.mission)) return kExitUsage;
  const MissionFindings findings = CheckMission(doc.mission);
  PrintLines(findings.errors, "error");
  PrintLines(findings.warnings, "warning");
  bool tablesRead = true;
  if (doc.mission.ModuleCount() > 0) {
    // The tables the run would read, checked as the run reads them.
    const Result<Environment> environment = LoadRunEnvironment(doc.baseFolder, doc.mission);
    if (!environment) {
      std::printf("error: %s", environment.message().c_str());
      if (environment.message().empty() || environment.message().back() != '\n') std::printf("\n");
      tablesRead = false;
    }
  }
  if (!findings.HasErrors() && tablesRead && findings.warnings.empty()) {
    std::printf("%s: no problems found\n", options.mission.c_str());
  }
  return findings.HasErrors() || !tablesRead ? kExitFailure : kExitOk;
}

}  // namespace

void AddCheckCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<CheckOptions>();
  CLI::App* cmd = app.add_subcommand(
      "check", "Check a mission before a run: errors (exit 1) and warnings, naming each field");
  cmd->add_option("--base", options->base,
                  "Folder holding atm/ and adf/ (default: the working folder)");
  cmd->add_option("MISSION", options->mission, "The mission, .psd or .json")
      ->required()
      ->check(MissionFileName());
  cmd->callback([options, &status] { status = RunCheck(*options); });
}

}  // namespace plumora::cli
