// plumora-cli dispersions: a mission flown many times with scattered inputs, on every core, one
// CSV line per run and a summary with the landing ellipse. plumora-cli dispersions-summary: the
// same summary from the CSV files of one or more shards.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "cli/MissionPaths.h"
#include "cli/Output.h"
#include "core/app/MissionFiles.h"
#include "core/app/PlumoraDoc.h"
#include "core/app/RunMission.h"
#include "core/common/FileIO.h"
#include "core/common/Messages.h"
#include "core/common/WholeText.h"
#include "core/dispersion/DispersionCsv.h"
#include "core/dispersion/DispersionRunner.h"
#include "core/dispersion/DispersionStudy.h"
#include "core/dispersion/DispersionSummary.h"
#include "core/dispersion/StudyRunner.h"
#include "core/mission/RecordChecks.h"

namespace plumora::cli {

namespace {

struct DispersionOptions {
  std::string base;
  std::string study;
  std::int64_t runs = 0;
  std::string seed = "0";
  int threads = 0;  // 0: one per core
  // Which of the study's values the command line gives (and so overrides).
  const CLI::Option* runsGiven = nullptr;
  const CLI::Option* seedGiven = nullptr;
  const CLI::Option* threadsGiven = nullptr;
  std::string shard = "0/1";
  std::vector<std::string> vary;
  std::string csv;
  std::string summary;
  bool quiet = false;
  std::string mission;
};

struct SummaryOptions {
  std::string summary;
  std::vector<std::string> csvs;
};

// A validator from a parser of ours: CLI11 reports its problem as a usage error.
template <typename Parse>
CLI::Validator ParsedBy(Parse parse, const std::string& description) {
  return CLI::Validator(
      [parse](std::string& text) {
        const auto parsed = parse(text);
        return parsed ? std::string() : parsed.message();
      },
      description);
}

// A seed is a whole number from 0 to 2⁶⁴ − 1, written in decimal.
Result<std::uint64_t> ParseSeed(std::string_view text) {
  std::uint64_t seed = 0;
  if (ParseWholeText(text, seed)) return seed;
  return Fail(
      ErrorCode::kInvalid,
      "a seed is a whole number from 0 to 18446744073709551615, not \"" + std::string(text) + "\"");
}

// A run count is a whole number from 1 to 2⁶³ − 1, written in decimal; a larger one is refused,
// not cut down to the largest.
Result<std::int64_t> ParseRunCount(std::string_view text) {
  std::int64_t runs = 0;
  if (ParseWholeText(text, runs) && runs >= 1) return runs;
  return Fail(ErrorCode::kInvalid, "--runs is a whole number from 1 to " +
                                       std::to_string(std::numeric_limits<std::int64_t>::max()) +
                                       ", not \"" + std::string(text) + "\"");
}

// Refuses, before anything runs, outputs that would go over an input or that cannot be written,
// and the CSV and the summary into one file.
bool OutputsAreSafe(const std::string& csv, const std::string& summary,
                    const std::vector<std::filesystem::path>& inputs, Prompter& prompter) {
  for (const std::string& output : {csv, summary}) {
    if (!output.empty() && !CheckOutputOrReport(prompter, output, inputs)) return false;
  }
  if (!csv.empty() && (csv == summary || IsSameFile(csv, summary))) {
    prompter.Message("The CSV and the summary cannot both go to " + csv + "\n", kCaptionError);
    return false;
  }
  return true;
}

// The summary to its file, or without one to stdout (to stderr when the CSV went to stdout).
bool WriteSummary(const std::string& path, const std::vector<std::string>& inputNames,
                  const std::vector<RunRecord>& records, Prompter& prompter,
                  bool stdoutTaken = false) {
  const Result<std::string> summary = DispersionSummaryJson(inputNames, records);
  if (!summary) {
    prompter.Message("No summary: " + summary.message() + "\n", kCaptionError);
    return false;
  }
  const std::string& json = summary.value();
  if (!path.empty()) return WriteOrReport(path, json, "The summary", prompter);
  if (!stdoutTaken) return WriteStandardOutput(json, "The summary");
  std::fwrite(json.data(), 1, json.size(), stderr);
  return true;
}

// "runs 120/1000  12.3 runs/s  elapsed 10 s  left 72 s"
std::string ProgressLine(const StudyProgress& progress) {
  const double rate = progress.RunsPerSecond();
  char line[160];
  if (rate > 0.0) {
    std::snprintf(line, sizeof line, "runs %lld/%lld  %.1f runs/s  elapsed %.0f s  left %.0f s",
                  static_cast<long long>(progress.done), static_cast<long long>(progress.total),
                  rate, progress.elapsedSeconds, progress.SecondsLeft());
  } else {
    std::snprintf(line, sizeof line, "runs %lld/%lld  elapsed %.0f s",
                  static_cast<long long>(progress.done), static_cast<long long>(progress.total),
                  progress.elapsedSeconds);
  }
  return line;
}

// The progress line on a terminal's stderr, and Ctrl-C as the stop.
class ConsoleStudySink final : public StudyProgressSink {
 public:
  explicit ConsoleStudySink(bool draw) : draw_(draw) {}
  void ShowStudyProgress(const StudyProgress& progress) override {
    if (!draw_) return;
    std::fprintf(stderr, "\r%s \033[K", ProgressLine(progress).c_str());
    std::fflush(stderr);
  }
  bool StopRequested() override {
    if (!interrupt_.Interrupted()) return false;
    std::fprintf(stderr, "\nStopping after the runs in flight (Ctrl-C again ends at once)\n");
    return true;
  }

 private:
  bool draw_;
  InterruptWatch interrupt_;
};

// Flies the study while this thread shows the progress and watches Ctrl-C.
StudyOutcome FlyWatched(const DispersionSetup& setup, const StudyPlan& plan, bool quiet) {
  const bool draw = !quiet && isatty(STDERR_FILENO);
  ConsoleStudySink sink(draw);
  StudyOutcome outcome = RunStudy(setup, plan, sink);
  if (draw) std::fprintf(stderr, "\r\033[K");
  if (outcome.stopped) {
    std::fprintf(stderr, "Interrupted: %zu of %lld runs were flown\n", outcome.records.size(),
                 static_cast<long long>(outcome.total));
  }
  return outcome;
}

// The study the command line asks for: the study file's (when there is one) with the values given
// beside it in their place. A --vary replaces the file's scatter of its field where it stands, or
// adds the field after the file's. The texts were all checked when the options were read.
Result<DispersionStudy> StudyOfOptions(const DispersionOptions& options) {
  DispersionStudy study;
  if (!options.study.empty()) {
    Result<DispersionStudy> loaded = LoadDispersionStudy(options.study);
    if (!loaded) return loaded;
    study = std::move(loaded).value();
  } else if (options.runsGiven->count() == 0) {
    return Fail(ErrorCode::kInvalid, "--runs is required without --study");
  }
  if (options.runsGiven->count() > 0) study.runs = options.runs;
  if (options.seedGiven->count() > 0) study.seed = ParseSeed(options.seed).value();
  if (options.threadsGiven->count() > 0) study.threads = options.threads;
  std::vector<Variation> added;
  for (const std::string& text : options.vary) {
    Variation v = ParseVariation(text).value();
    const auto same = [&](const Variation& other) { return other.name == v.name; };
    const auto inFile = std::find_if(study.variations.begin(), study.variations.end(), same);
    if (inFile != study.variations.end()) {
      *inFile = std::move(v);
    } else {
      added.push_back(std::move(v));  // a field given twice is refused with the setup
    }
  }
  study.variations.insert(study.variations.end(), added.begin(), added.end());
  return study;
}

int RunDispersions(const DispersionOptions& options) {
  ConsolePrompter prompter(stderr);
  CPlumoraDoc doc;
  doc.SetPrompter(&prompter);
  if (!options.base.empty()) doc.baseFolder = options.base;
  std::vector<std::filesystem::path> inputs = RunInputs(options.mission, doc.baseFolder);
  if (!options.study.empty()) inputs.emplace_back(options.study);
  if (!OutputsAreSafe(options.csv, options.summary, inputs, prompter)) return kExitFailure;
  // What the command line says cannot be: bad usage.
  const auto usage = [&](const Error& error) {
    prompter.Message(error.message + "\n", kCaptionError);
    return kExitUsage;
  };
  Result<DispersionStudy> study = StudyOfOptions(options);
  if (!study) return usage(study.error());
  if (!LoadMissionOrWarn(doc, options.mission)) return kExitUsage;
  // Said once for the whole study; a mission with errors flies no run.
  const MissionFindings findings = CheckMission(doc.mission);
  if (!findings.warnings.empty()) prompter.Message(findings.WarningText(), kCaptionWarning);
  if (findings.HasErrors()) {
    prompter.Message(findings.ErrorText(), kCaptionError);
    return kExitFailure;
  }

  const Result<Shard> shard = ParseShard(options.shard);
  if (!shard) return usage(shard.error());
  Result<DispersionSetup> prepared = PrepareDispersion(doc.mission, study->variations, study->seed);
  if (!prepared) return usage(prepared.error());
  DispersionSetup& setup = prepared.value();
  // Every run flies through the same tables, read once: a file that cannot be read is said once,
  // here.
  Result<Environment> environment = LoadRunEnvironment(doc.baseFolder, doc.mission);
  if (!environment) {
    ShowError(prompter, environment.error());
    return kExitFailure;
  }
  setup.environment = std::move(environment).value();

  const StudyPlan plan{study->runs, shard.value(), study->threads};
  const StudyOutcome outcome = FlyWatched(setup, plan, options.quiet);
  for (const FailedRun& failure : outcome.Failures()) {
    std::fprintf(stderr, "run %lld failed: %s\n", static_cast<long long>(failure.run),
                 failure.reason.c_str());
  }
  bool written = true;
  if (!options.csv.empty()) {
    written = WriteOrReport(options.csv, outcome.CsvText(), "The CSV", prompter);
  }
  const bool csvOnStdout = !options.csv.empty() && IsStandardOutput(options.csv);
  written =
      WriteSummary(options.summary, outcome.inputNames, outcome.records, prompter, csvOnStdout) &&
      written;
  return written && !outcome.stopped ? kExitOk : kExitFailure;
}

int RunDispersionsSummary(const SummaryOptions& options) {
  ConsolePrompter prompter(stderr);
  const std::vector<std::filesystem::path> inputs(options.csvs.begin(), options.csvs.end());
  if (!OutputsAreSafe({}, options.summary, inputs, prompter)) return kExitFailure;
  DispersionTable table;
  for (const std::string& path : options.csvs) {
    const Result<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
      prompter.Message("The file " + path + " could not be read (" + bytes.message() + ")\n",
                       kCaptionError);
      return kExitUsage;
    }
    if (const Result<> read = ReadDispersionCsv(bytes.value(), table); !read) {
      prompter.Message("The file " + path + " is not a dispersions CSV (" + read.message() + ")\n",
                       kCaptionError);
      return kExitUsage;
    }
  }
  if (const Result<> sorted = SortDispersionRuns(table); !sorted) {
    prompter.Message("The files hold one study's runs only once each: " + sorted.message() + "\n",
                     kCaptionError);
    return kExitUsage;
  }
  return WriteSummary(options.summary, table.inputNames, table.records, prompter) ? kExitOk
                                                                                  : kExitFailure;
}

}  // namespace

void AddDispersionsCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<DispersionOptions>();
  CLI::App* cmd = app.add_subcommand(
      "dispersions", "Fly a mission many times with scattered inputs and summarise the landings");
  cmd->add_option("--base", options->base,
                  std::string("Folder holding atm/ and adf/") + kBaseDefault);
  cmd->add_option("--study", options->study,
                  "Fly the study of this file (NAME.dispersions.json): its runs, seed, threads "
                  "and scattered inputs. --runs, --seed and --threads given beside it replace "
                  "the file's; a --vary replaces the file's scatter of its field, or adds one");
  options->runsGiven =
      cmd->add_option("--runs", options->runs,
                      "Number of runs of the whole study (required without --study)")
          ->check(ParsedBy(ParseRunCount, "N"));
  options->seedGiven =
      cmd->add_option("--seed", options->seed, "Seed of the random stream (default 0)")
          ->check(ParsedBy(ParseSeed, "S"));
  options->threadsGiven =
      cmd->add_option("--threads", options->threads, "Runs flown at once (default: one per core)")
          ->check(CLI::Range(1, kMaxStudyThreads));
  cmd->add_option("--shard", options->shard,
                  "Fly only the runs i with i mod K = I, as I/K (default 0/1: all)")
      ->check(ParsedBy(ParseShard, "I/K"));
  cmd->add_option("--vary", options->vary,
                  "An input and its scatter, FIELD=DIST (repeatable). FIELD is one of " +
                      std::string(ScatterableFields()) +
                      "; DIST is normal(MEAN,SIGMA) or uniform(LOW,HIGH) added to the stored "
                      "value, or scale-normal(MEAN,SIGMA) multiplying it")
      ->check(ParsedBy(ParseVariation, "FIELD=DIST"));
  cmd->add_option("--csv", options->csv,
                  "Write one line per run to this CSV file (-: standard output, the summary then "
                  "going to stderr unless --summary names a file)");
  cmd->add_option("--summary", options->summary,
                  "Write the summary (JSON) to this file instead of stdout");
  cmd->add_flag("--quiet", options->quiet, "No progress line");
  cmd->add_option("MISSION", options->mission, "The mission, .psd or .json")
      ->required()
      ->check(MissionFileName());
  cmd->callback([options, &status] { status = RunDispersions(*options); });
}

void AddDispersionsSummaryCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<SummaryOptions>();
  CLI::App* cmd = app.add_subcommand(
      "dispersions-summary", "Summarise the runs of dispersions CSV files (one or more shards)");
  cmd->add_option("--summary", options->summary,
                  "Write the summary (JSON) to this file instead of stdout");
  cmd->add_option("CSV", options->csvs, "The CSV files written by dispersions --csv")->required();
  cmd->callback([options, &status] { status = RunDispersionsSummary(*options); });
}

}  // namespace plumora::cli
