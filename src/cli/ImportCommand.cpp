// plumora-cli import: a trajectory text file read into the results, as the desktop program's
// "Import data..." does, then summarised and optionally written as CSV.
#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/MissionPaths.h"
#include "cli/Output.h"
#include "core/app/DataImport.h"
#include "core/app/PlumoraDoc.h"
#include "core/common/Messages.h"
#include "core/environment/Atmosphere.h"

namespace plumora::cli {

namespace {

struct ImportOptions {
  std::string base;
  std::vector<std::string> columns;  // empty: all seven
  std::string csv;
  std::string trajectory;
};

// The columns by name, in the order a trajectory file holds them.
struct ColumnName {
  const char* name;
  bool ImportColumns::*member;
};
constexpr std::array<ColumnName, 7> kColumnNames = {{{"time", &ImportColumns::time},
                                                     {"latitude", &ImportColumns::latitude},
                                                     {"longitude", &ImportColumns::longitude},
                                                     {"heading", &ImportColumns::heading},
                                                     {"altitude", &ImportColumns::altitude},
                                                     {"path_angle", &ImportColumns::pathAngle},
                                                     {"speed", &ImportColumns::speed}}};

std::string ColumnList() {
  std::string list;
  for (const ColumnName& c : kColumnNames) list += (list.empty() ? "" : ",") + std::string(c.name);
  return list;
}

// Column files always hold their columns in one order; a list in another order would put
// values into the wrong fields, so it is refused rather than silently reordered.
std::string CheckColumnOrder(const std::vector<std::string>& columns) {
  std::size_t next = 0;  // first position the next name may take
  for (const std::string& name : columns) {
    const auto it = std::find_if(kColumnNames.begin() + next, kColumnNames.end(),
                                 [&](const ColumnName& c) { return name == c.name; });
    if (it == kColumnNames.end()) {
      return "--columns must name each column once, in the order the file holds them (" +
             ColumnList() + "): " + name;
    }
    next = static_cast<std::size_t>(it - kColumnNames.begin()) + 1;
  }
  return {};
}

int RunImport(const ImportOptions& options) {
  ConsolePrompter prompter;
  CPlumoraDoc doc;
  doc.SetPrompter(&prompter);
  if (!options.base.empty()) doc.baseFolder = options.base;

  ImportColumns columns;
  if (!options.columns.empty()) {
    for (const ColumnName& c : kColumnNames) {
      columns.*c.member = std::find(options.columns.begin(), options.columns.end(), c.name) !=
                          options.columns.end();
    }
  }
  const bool csvWanted = !options.csv.empty();
  if (csvWanted &&
      !CheckOutputOrReport(prompter, options.csv, RunInputs(options.trajectory, doc.baseFolder))) {
    return kExitFailure;
  }
  const Result<> imported = ImportTrajectory(doc, options.trajectory, columns);
  if (!imported) ShowError(prompter, imported.error());
  const bool csvOnStdout = csvWanted && IsStandardOutput(options.csv);
  // A file that could not be read has imported nothing worth a summary.
  if (!imported && imported.code() == ErrorCode::kCannotOpen) return kExitFailure;
  std::fprintf(csvOnStdout ? stderr : stdout, "Imported %d samples on %s from %s\n",
               doc.results.LastIndex() + 1,
               std::string(PlanetKeyword(doc.mission.environment.planet)).c_str(),
               options.trajectory.c_str());
  if (csvWanted && !WriteCsvOrReport(doc, options.csv)) return kExitFailure;
  return imported ? kExitOk : kExitFailure;
}

}  // namespace

void AddImportCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<ImportOptions>();
  CLI::App* cmd = app.add_subcommand("import", "Read a trajectory text file into the results");
  cmd->add_option("--base", options->base, std::string("Folder holding atm/") + kBaseDefault);
  std::vector<std::string> names;
  for (const ColumnName& c : kColumnNames) names.push_back(c.name);
  cmd->add_option(
         "--columns", options->columns,
         "The columns the file holds, in the file's order: " + ColumnList() + " (default: all)")
      ->delimiter(',')
      ->check(CLI::IsMember(names));
  cmd->add_option("--csv", options->csv,
                  "Write the imported samples to this CSV file (-: standard output, the summary "
                  "then going to stderr)");
  cmd->add_option("TRAJECTORY", options->trajectory, "The trajectory text file")->required();
  cmd->callback([options, &status] {
    if (const std::string problem = CheckColumnOrder(options->columns); !problem.empty()) {
      throw CLI::ValidationError(problem);
    }
    status = RunImport(*options);
  });
}

}  // namespace plumora::cli
