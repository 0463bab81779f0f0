// plumora-cli run: a whole mission, its summary on stdout and, on request, every sample as CSV.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/ConsoleProgress.h"
#include "cli/MissionPaths.h"
#include "cli/Output.h"
#include "core/app/MissionFiles.h"
#include "core/app/PlumoraDoc.h"
#include "core/app/RunMission.h"
#include "core/common/CodePage.h"
#include "core/common/Messages.h"

namespace plumora::cli {

namespace {

struct RunOptions {
  std::string base;
  std::string csv;
  std::string onFlip;  // ask, continue, stop; empty: ask on a terminal, else continue
  bool quiet = false;
  std::string mission;
};

ConsolePrompter::QuestionPolicy FlipPolicy(const std::string& onFlip) {
  if (onFlip == "continue") return ConsolePrompter::QuestionPolicy::AnswerYes;
  if (onFlip == "stop") return ConsolePrompter::QuestionPolicy::AnswerNo;
  if (onFlip == "ask" || isatty(STDIN_FILENO))
    return ConsolePrompter::QuestionPolicy::AskOnTerminal;
  return ConsolePrompter::QuestionPolicy::AnswerYes;
}

const char* TypeName(int type) {
  return type == kPhaseBallisticEntry ? "ballistic re-entry" : "final descent";
}

void PrintSummary(const CPlumoraDoc& doc, const std::vector<PhaseOutcome>& outcomes,
                  bool atmosphereRead) {
  const int computed = doc.ModuleCount();
  std::printf("Mission \"%s\": %d computed phase%s\n", Windows1252ToUtf8(doc.missionName).c_str(),
              computed, computed == 1 ? "" : "s");
  if (computed > 0 && !atmosphereRead) std::printf("  The atmosphere could not be read.\n");
  for (const PhaseOutcome& o : outcomes) {
    std::printf("  %d/%d \"%s\" (%s): %s\n", doc.ModulePosition(*o.phase), computed,
                Windows1252ToUtf8(o.phase->name).c_str(), TypeName(o.phase->type()),
                o.result ? "ended normally" : "ended with an error or was stopped");
    if (o.lastSample < 0) continue;
    const CTrajectorySample& s = doc.results.SampleAt(o.lastSample);
    std::printf("      time %.10g s, height %.10g m, speed %.10g m/s\n", s.time, s.payloadHeight,
                s.payloadSpeed);
    std::printf("      latitude %.10g deg, longitude %.10g deg, heading %.10g deg\n", s.latitude,
                s.longitude, s.heading);
  }
  if (computed < 1) return;
  std::printf("Total: %d samples", doc.results.LastIndex() + 1);
  if (doc.results.LastIndex() >= 0) {
    std::printf(" over %.10g s", doc.results.SampleAt(doc.results.LastIndex()).time);
  }
  std::printf("\n");
}

int RunRun(const RunOptions& options) {
  ConsolePrompter prompter(stderr, FlipPolicy(options.onFlip));
  CPlumoraDoc doc;
  doc.SetPrompter(&prompter);
  if (!LoadMission(doc, options.mission)) return kExitUsage;
  if (!options.base.empty()) doc.baseFolder = options.base;

  ConsoleProgress progress(!options.quiet && isatty(STDERR_FILENO));
  doc.SetProgressSink(&progress);
  RecordingModules modules;
  RunMission(doc, modules);
  // A run with computed phases that ran none of them could not read its atmosphere.
  const bool atmosphereRead = doc.ModuleCount() == 0 || !modules.outcomes.empty();
  PrintSummary(doc, modules.outcomes, atmosphereRead);

  int status = atmosphereRead ? kExitOk : kExitFailure;
  for (const PhaseOutcome& o : modules.outcomes) {
    if (!o.result) status = kExitFailure;
  }
  if (!options.csv.empty() && !WriteCsvOrReport(doc, options.csv)) return kExitFailure;
  return status;
}

}  // namespace

void AddRunCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<RunOptions>();
  CLI::App* cmd = app.add_subcommand("run", "Run a mission and summarise its flight");
  cmd->add_option("--base", options->base,
                  "Folder holding atm/ and adf/ (default: the working folder)");
  cmd->add_option("--csv", options->csv, "Write every sample to this CSV file");
  cmd->add_option("--on-flip", options->onFlip,
                  "Answer to the parachute flip question: ask, continue or stop "
                  "(default: ask on a terminal, otherwise continue)")
      ->check(CLI::IsMember({"ask", "continue", "stop"}));
  cmd->add_flag("--quiet", options->quiet, "No progress line");
  cmd->add_option("MISSION", options->mission, "The mission, .psd or .json")
      ->required()
      ->check(MissionFileName());
  cmd->callback([options, &status] { status = RunRun(*options); });
}

}  // namespace plumora::cli
