// plumora-cli import: a trajectory text file read into the results, as the desktop program's
// "Import data..." does, then summarised and optionally written as CSV.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "core/app/DataImport.h"
#include "core/app/PlumoraDoc.h"
#include "core/app/ResultsCsv.h"
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

const std::map<std::string, bool ImportColumns::*>& ColumnNames() {
  static const std::map<std::string, bool ImportColumns::*> names{
      {"time", &ImportColumns::time},           {"latitude", &ImportColumns::latitude},
      {"longitude", &ImportColumns::longitude}, {"heading", &ImportColumns::heading},
      {"altitude", &ImportColumns::altitude},   {"path_angle", &ImportColumns::pathAngle},
      {"speed", &ImportColumns::speed}};
  return names;
}

int RunImport(const ImportOptions& options) {
  ConsolePrompter prompter;
  CPlumoraDoc doc;
  doc.SetPrompter(&prompter);
  if (!options.base.empty()) doc.baseFolder = options.base;

  ImportColumns columns;
  if (!options.columns.empty()) {
    for (const auto& [name, member] : ColumnNames()) columns.*member = false;
    for (const std::string& name : options.columns) columns.*ColumnNames().at(name) = true;
  }
  const int imported = ImportTrajectory(doc, options.trajectory, columns);
  std::printf("Imported %d samples on %s from %s\n", doc.results.LastIndex() + 1,
              std::string(PlanetKeyword(doc.planet)).c_str(), options.trajectory.c_str());
  if (!options.csv.empty() &&
      !WriteResultsCsvOrReport(doc.results, options.csv, doc.prompter(), options.trajectory))
    return kExitFailure;
  return imported ? kExitOk : kExitFailure;
}

}  // namespace

void AddImportCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<ImportOptions>();
  CLI::App* cmd = app.add_subcommand("import", "Read a trajectory text file into the results");
  cmd->add_option("--base", options->base, "Folder holding atm/ (default: the working folder)");
  std::vector<std::string> names;
  for (const auto& entry : ColumnNames()) names.push_back(entry.first);
  cmd->add_option("--columns", options->columns,
                  "The columns the file holds, in file order: time, latitude, longitude, "
                  "heading, altitude, path_angle, speed (default: all)")
      ->delimiter(',')
      ->check(CLI::IsMember(names));
  cmd->add_option("--csv", options->csv, "Write the imported samples to this CSV file");
  cmd->add_option("TRAJECTORY", options->trajectory, "The trajectory text file")->required();
  cmd->callback([options, &status] { status = RunImport(*options); });
}

}  // namespace plumora::cli
