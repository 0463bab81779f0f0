// plumora-cli run: a whole mission, its summary on stdout and, on request, every sample as CSV.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/Commands.h"
#include "cli/ConsoleProgress.h"
#include "cli/MissionPaths.h"
#include "cli/Output.h"
#include "core/app/MissionFiles.h"
#include "core/app/PlumoraDoc.h"
#include "core/app/RunMission.h"
#include "core/ballistic/BallisticEntry.h"
#include "core/common/CodePage.h"
#include "core/common/Messages.h"
#include "core/parachute/FinalDescent.h"

namespace plumora::cli {

namespace {

struct RunOptions {
  std::string base;
  std::string csv;
  std::string onFlip;  // ask, continue, stop; empty: ask on a terminal, else continue
  bool quiet = false;
  std::string mission;
};

// How each computed phase ended, and which samples it stored.
struct PhaseOutcome {
  const CMissionPhase* phase;
  int result;
  int firstSample;    // index of the phase's first sample
  int lastSample;     // index of its last sample; below firstSample when it stored none
  bool flipDeclined;  // it ended because the flip question was declined
};

// The console's prompts, noting a declined flip question.
class FlipNotingPrompter final : public Prompter {
 public:
  explicit FlipNotingPrompter(Prompter& inner) : inner_(inner) {}
  void Message(std::string_view text, std::string_view caption) override {
    inner_.Message(text, caption);
  }
  bool AskOkCancel(std::string_view text, std::string_view caption) override {
    const bool ok = inner_.AskOkCancel(text, caption);
    if (!ok && text == kMsgParachuteFlip) flipDeclined_ = true;
    return ok;
  }
  bool AskYesNo(std::string_view text, std::string_view caption) override {
    return inner_.AskYesNo(text, caption);
  }
  // Whether a flip question was declined since the last call.
  bool TakeFlipDeclined() { return std::exchange(flipDeclined_, false); }

 private:
  Prompter& inner_;
  bool flipDeclined_ = false;
};

// The engine's own modules, with a note of every phase's outcome.
class RecordingModules final : public PhaseModules {
 public:
  explicit RecordingModules(FlipNotingPrompter& prompter) : prompter_(prompter) {}
  int RunBallisticEntry(FlightContext& flight, CMissionPhase& phase, CHandOverState& r) override {
    const int before = flight.results.LastIndex();
    return Note(flight, phase, before, plumora::RunBallisticEntry(flight, phase, r));
  }
  int RunParachutePhase(FlightContext& flight, CMissionPhase& phase, CHandOverState& r) override {
    const int before = flight.results.LastIndex();
    return Note(flight, phase, before, plumora::RunParachutePhase(flight, phase, r));
  }
  std::vector<PhaseOutcome> outcomes;

 private:
  int Note(const FlightContext& flight, const CMissionPhase& phase, int before, int result) {
    outcomes.push_back(
        {&phase, result, before + 1, flight.results.LastIndex(), prompter_.TakeFlipDeclined()});
    return result;
  }
  FlipNotingPrompter& prompter_;
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
  if (!o.result) return "ended with an error or was stopped";
  return o.flipDeclined ? "ended normally where the parachute flip question was declined"
                        : "ended normally";
}

void PrintSummary(std::FILE* out, const CPlumoraDoc& doc, const std::vector<PhaseOutcome>& outcomes,
                  RunStart start) {
  const int computed = doc.ModuleCount();
  std::fprintf(out, "Mission \"%s\": %d computed phase%s\n",
               Windows1252ToUtf8(doc.missionName).c_str(), computed, computed == 1 ? "" : "s");
  if (start == RunStart::kAtmosphereUnread) {
    std::fprintf(out, "  The atmosphere could not be read.\n");
  } else if (start == RunStart::kRecordRefused) {
    std::fprintf(out, "  Nothing was run: a record the phases fly cannot fly.\n");
  }
  for (const PhaseOutcome& o : outcomes) {
    std::fprintf(out, "  %d/%d \"%s\" (%s): %s\n", doc.ModulePosition(*o.phase), computed,
                 Windows1252ToUtf8(o.phase->name).c_str(), TypeName(o.phase->type()),
                 HowItEnded(o));
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
  ConsolePrompter console(stderr, FlipPolicy(options.onFlip));
  FlipNotingPrompter prompter(console);
  const bool csvWanted = !options.csv.empty();
  if (csvWanted && !CheckOutputOrReport(prompter, options.csv, options.mission)) {
    return kExitFailure;
  }
  CPlumoraDoc doc;
  doc.SetPrompter(&prompter);
  if (!LoadMissionOrWarn(doc, options.mission)) return kExitUsage;
  if (!options.base.empty()) doc.baseFolder = options.base;

  ConsoleProgress progress(!options.quiet && isatty(STDERR_FILENO));
  doc.SetProgressSink(&progress);
  RecordingModules modules(prompter);
  const RunStart start = RunMission(doc, modules);
  // With the samples on standard output, the summary goes to stderr.
  const bool csvOnStdout = csvWanted && IsStandardOutput(options.csv);
  PrintSummary(csvOnStdout ? stderr : stdout, doc, modules.outcomes, start);

  int status = start == RunStart::kRan || start == RunStart::kNothingToRun ? kExitOk : kExitFailure;
  for (const PhaseOutcome& o : modules.outcomes) {
    if (!o.result) status = kExitFailure;
  }
  if (csvWanted && !WriteCsvOrReport(doc, options.csv)) return kExitFailure;
  return status;
}

}  // namespace

void AddRunCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<RunOptions>();
  CLI::App* cmd = app.add_subcommand("run", "Run a mission and summarise its flight");
  cmd->add_option("--base", options->base,
                  "Folder holding atm/ and adf/ (default: the working folder)");
  cmd->add_option("--csv", options->csv,
                  "Write every sample to this CSV file (-: standard output, the summary then "
                  "going to stderr)");
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
