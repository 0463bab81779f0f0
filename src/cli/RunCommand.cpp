// plumora-cli run: a whole mission, its summary on stdout and, on request, every sample as CSV.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "cli/ConsoleProgress.h"
#include "cli/MissionPaths.h"
#include "cli/Output.h"
#include "core/app/MissionFiles.h"
#include "core/app/PlumoraDoc.h"
#include "core/app/RunMission.h"
#include "core/common/CodePage.h"

namespace plumora::cli {

namespace {

struct RunOptions {
  std::string base;
  std::string csv;
  std::string onFlip;  // ask, continue, stop; empty: ask on a terminal, else continue
  bool quiet = false;
  bool derived = false;  // the derived quantities as more CSV columns
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

const char* HowItEnded(const PhaseOutcome& o) {
  if (!o.end) return "ended with an error or was stopped";
  return o.end.value() == PhaseEnd::kDeclined
             ? "ended normally where the parachute flip question was declined"
             : "ended normally";
}

void PrintSummary(std::FILE* out, const CPlumoraDoc& doc, const RunOutcome& outcome) {
  const Mission& mission = doc.mission;
  const int computed = mission.ModuleCount();
  std::fprintf(out, "Mission \"%s\": %d computed phase%s\n",
               Windows1252ToUtf8(mission.missionName).c_str(), computed, computed == 1 ? "" : "s");
  if (outcome.start == RunStart::kAtmosphereUnread) {
    std::fprintf(out, "  The atmosphere could not be read.\n");
  } else if (outcome.start == RunStart::kRecordRefused) {
    std::fprintf(out, "  Nothing was run: a record the phases fly cannot fly.\n");
  }
  for (const PhaseOutcome& o : outcome.phases) {
    const CMissionPhase& phase = *mission.phases[o.phase];
    std::fprintf(out, "  %d/%d \"%s\" (%s): %s\n", mission.ModulePosition(phase), computed,
                 Windows1252ToUtf8(phase.name).c_str(), TypeName(phase.type()), HowItEnded(o));
    if (o.lastSample < o.firstSample) {
      std::fprintf(out, "      no samples\n");
      continue;
    }
    const CTrajectorySample& s = doc.results.SampleAt(o.lastSample);
    std::fprintf(out, "      time %.10g s, height %.10g m, speed %.10g m/s\n", s.time,
                 s.payloadHeight, s.payloadSpeed);
    std::fprintf(out, "      latitude %.10g deg, longitude %.10g deg, heading %.10g deg\n",
                 s.latitude, s.longitude, s.heading);
  }
  if (computed < 1) return;
  std::fprintf(out, "Total: %d samples", doc.results.LastIndex() + 1);
  if (doc.results.LastIndex() >= 0) {
    std::fprintf(out, " over %.10g s", doc.results.SampleAt(doc.results.LastIndex()).time);
  }
  std::fprintf(out, "\n");
}

int RunRun(const RunOptions& options) {
  ConsolePrompter prompter(stderr, FlipPolicy(options.onFlip));
  const bool csvWanted = !options.csv.empty();
  CPlumoraDoc doc;
  doc.SetPrompter(&prompter);
  if (!options.base.empty()) doc.baseFolder = options.base;
  if (csvWanted &&
      !CheckOutputOrReport(prompter, options.csv, RunInputs(options.mission, doc.baseFolder))) {
    return kExitFailure;
  }
  if (!LoadMissionOrWarn(doc, options.mission)) return kExitUsage;

  ConsoleProgress progress(!options.quiet && isatty(STDERR_FILENO));
  doc.SetProgressSink(&progress);
  const RunOutcome outcome = RunMission(doc);
  // With the samples on standard output, the summary goes to stderr.
  const bool csvOnStdout = csvWanted && IsStandardOutput(options.csv);
  PrintSummary(csvOnStdout ? stderr : stdout, doc, outcome);

  const int status = outcome.Failure() ? kExitFailure : kExitOk;
  if (csvWanted && !WriteCsvOrReport(doc, options.csv, options.derived)) return kExitFailure;
  return status;
}

}  // namespace

void AddRunCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<RunOptions>();
  CLI::App* cmd = app.add_subcommand("run", "Run a mission and summarise its flight");
  cmd->add_option("--base", options->base,
                  std::string("Folder holding atm/ and adf/") + kBaseDefault);
  CLI::Option* csv = cmd->add_option(
      "--csv", options->csv,
      "Write every sample to this CSV file (-: standard output, the summary then going to "
      "stderr)");
  cmd->add_flag("--derived", options->derived,
                "Add the derived quantities to the CSV: Mach number, dynamic pressure (Pa), "
                "deceleration (g, speed lost per second over the step to the sample), descent "
                "rate (m/s, positive down), line force (kN, empty without a parachute)")
      ->needs(csv);
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
