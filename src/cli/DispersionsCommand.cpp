// plumora-cli dispersions: a mission flown many times with scattered inputs, on every core, one
// CSV line per run and a summary with the landing ellipse. plumora-cli dispersions-summary: the
// same summary from the CSV files of one or more shards.
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <mutex>
#include <string>
#include <thread>
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
#include "core/dispersion/DispersionSummary.h"
#include "core/flight/ProgressMeter.h"
#include "core/mission/RecordChecks.h"

namespace plumora::cli {

namespace {

struct DispersionOptions {
  std::string base;
  std::int64_t runs = 0;
  std::string seed = "0";
  int threads = 0;  // 0: one per core
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

constexpr auto kProgressInterval = std::chrono::milliseconds(100);
constexpr double kMsPerSecond = 1000.0;

int DefaultThreads() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores > 0 ? static_cast<int>(cores) : 1;
}

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
  const Result<DispersionSummary> summary = SummariseDispersion(inputNames, records);
  if (!summary) {
    prompter.Message("No summary: " + summary.message() + "\n", kCaptionError);
    return false;
  }
  const std::string json = DispersionSummaryJson(summary.value());
  if (!path.empty()) return WriteOrReport(path, json, "The summary", prompter);
  if (!stdoutTaken) return WriteStandardOutput(json, "The summary");
  std::fwrite(json.data(), 1, json.size(), stderr);
  return true;
}

// "runs 120/1000  12.3 runs/s  elapsed 10 s  left 72 s"
std::string ProgressLine(std::int64_t done, std::int64_t total, double elapsedSeconds) {
  const double rate = elapsedSeconds > 0.0 ? static_cast<double>(done) / elapsedSeconds : 0.0;
  char line[160];
  if (rate > 0.0) {
    std::snprintf(line, sizeof line, "runs %lld/%lld  %.1f runs/s  elapsed %.0f s  left %.0f s",
                  static_cast<long long>(done), static_cast<long long>(total), rate, elapsedSeconds,
                  static_cast<double>(total - done) / rate);
  } else {
    std::snprintf(line, sizeof line, "runs %lld/%lld  elapsed %.0f s", static_cast<long long>(done),
                  static_cast<long long>(total), elapsedSeconds);
  }
  return line;
}

// Flies the study on a thread of its own while this one shows the progress and watches Ctrl-C.
std::vector<RunRecord> FlyWatched(const DispersionSetup& setup, const DispersionOptions& options,
                                  const Shard& shard, bool& interrupted) {
  const bool draw = !options.quiet && isatty(STDERR_FILENO);
  const std::int64_t total = ShardRunCount(options.runs, shard);
  const int threads = options.threads > 0 ? options.threads : DefaultThreads();
  DispersionControl control;
  InterruptWatch interrupt;
  std::mutex mutex;
  std::condition_variable finishedSignal;
  bool finished = false;
  std::vector<RunRecord> records;
  std::thread flying([&] {
    records = FlyDispersion(setup, options.runs, shard, threads, control);
    const std::lock_guard<std::mutex> lock(mutex);
    finished = true;
    finishedSignal.notify_all();
  });

  const double startMs = SteadyMilliseconds();
  {
    std::unique_lock<std::mutex> lock(mutex);
    while (!finishedSignal.wait_for(lock, kProgressInterval, [&] { return finished; })) {
      if (interrupt.Interrupted() && !control.stop.load()) {
        control.stop = true;
        std::fprintf(stderr, "\nStopping after the runs in flight (Ctrl-C again ends at once)\n");
      }
      if (draw) {
        const double seconds = (SteadyMilliseconds() - startMs) / kMsPerSecond;
        std::fprintf(stderr, "\r%s \033[K", ProgressLine(control.done, total, seconds).c_str());
        std::fflush(stderr);
      }
    }
  }
  flying.join();
  if (draw) std::fprintf(stderr, "\r\033[K");
  interrupted = control.stop.load();
  if (interrupted) {
    std::fprintf(stderr, "Interrupted: %zu of %lld runs were flown\n", records.size(),
                 static_cast<long long>(total));
  }
  return records;
}

int RunDispersions(const DispersionOptions& options) {
  ConsolePrompter prompter(stderr);
  CPlumoraDoc doc;
  doc.SetPrompter(&prompter);
  if (!options.base.empty()) doc.baseFolder = options.base;
  if (!OutputsAreSafe(options.csv, options.summary, RunInputs(options.mission, doc.baseFolder),
                      prompter)) {
    return kExitFailure;
  }
  if (!LoadMissionOrWarn(doc, options.mission)) return kExitUsage;
  // Said once for the whole study; a mission with errors flies no run.
  const MissionFindings findings = CheckMission(doc.mission);
  if (!findings.warnings.empty()) prompter.Message(findings.WarningText(), kCaptionWarning);
  if (findings.HasErrors()) {
    prompter.Message(findings.ErrorText(), kCaptionError);
    return kExitFailure;
  }

  std::vector<Variation> variations;
  for (const std::string& text : options.vary) {
    Result<Variation> v = ParseVariation(text);
    if (!v) break;  // the validator has seen them all
    variations.push_back(std::move(v).value());
  }
  // What the command line says cannot be: bad usage.
  const auto usage = [&](const Error& error) {
    prompter.Message(error.message + "\n", kCaptionError);
    return kExitUsage;
  };
  const Result<Shard> shard = ParseShard(options.shard);
  if (!shard) return usage(shard.error());
  const Result<std::uint64_t> seed = ParseSeed(options.seed);
  if (!seed) return usage(seed.error());
  Result<DispersionSetup> prepared =
      PrepareDispersion(doc.mission, std::move(variations), seed.value());
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

  bool interrupted = false;
  const std::vector<RunRecord> records = FlyWatched(setup, options, shard.value(), interrupted);
  for (const RunRecord& r : records) {
    if (r.end == RunEnd::kFailed) {
      std::fprintf(stderr, "run %lld failed: %s\n", static_cast<long long>(r.run),
                   r.message.c_str());
    }
  }
  std::vector<std::string> names;
  for (const Variation& v : setup.variations) names.push_back(v.name);
  bool written = true;
  if (!options.csv.empty()) {
    written = WriteOrReport(options.csv, DispersionCsvText(names, records), "The CSV", prompter);
  }
  const bool csvOnStdout = !options.csv.empty() && IsStandardOutput(options.csv);
  written = WriteSummary(options.summary, names, records, prompter, csvOnStdout) && written;
  return written && !interrupted ? kExitOk : kExitFailure;
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
  cmd->add_option("--runs", options->runs, "Number of runs of the whole study")
      ->required()
      ->check(ParsedBy(ParseRunCount, "N"));
  cmd->add_option("--seed", options->seed, "Seed of the random stream (default 0)")
      ->check(ParsedBy(ParseSeed, "S"));
  cmd->add_option("--threads", options->threads, "Runs flown at once (default: one per core)")
      ->check(CLI::Range(1, 4096));
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
