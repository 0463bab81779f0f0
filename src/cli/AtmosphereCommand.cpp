// plumora-cli atmosphere: the selected atmosphere file, queried at given heights.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/Output.h"
#include "core/app/PlumoraDoc.h"

namespace plumora::cli {

namespace {

struct AtmosphereOptions {
  std::string base;
  int planet = kEarth;
  int index = 0;
  bool wind = false;
  bool constants = false;
  std::vector<double> heights;
};

int RunAtmosphere(const AtmosphereOptions& options) {
  ConsolePrompter prompter;
  CPlumoraDoc doc;
  doc.SetPrompter(&prompter);
  if (!options.base.empty()) doc.baseFolder = options.base;
  doc.mission.environment = {options.planet, options.index, options.wind ? 1 : 0};
  if (!doc.readatmosphere()) return kExitFailure;

  if (options.constants) {
    const PlanetConstants& c = doc.planetConstants();
    std::printf("radius,g0,c1,c2,omega,gm\n");
    PrintCsvRow(stdout, {c.radius, c.g0, c.c1, c.c2, c.omega, c.gm});
    return kExitOk;
  }
  // Without heights, the profile at the table's own heights.
  std::vector<double> heights = options.heights;
  if (heights.empty()) {
    const AtmosphereTable& t = doc.atmosphereTable();
    heights.assign(t.height.begin(), t.height.begin() + t.pointCount);
  }
  std::printf("height,density,temperature,wind_we,wind_sn\n");
  for (double h : heights) {
    const AtmosphereSample s = doc.QueryAtmosphere(h);
    PrintCsvRow(stdout, {h, s.density, s.temperature, s.windWE, s.windSN});
  }
  return kExitOk;
}

}  // namespace

void AddAtmosphereCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<AtmosphereOptions>();
  CLI::App* cmd = app.add_subcommand(
      "atmosphere", "Read the selected atmosphere file and print it at the given heights");
  cmd->add_option("--base", options->base, std::string("Folder holding atm/") + kBaseDefault);
  const std::map<std::string, int> planets{{"earth", kEarth}, {"mars", kMars}, {"titan", kTitan},
                                           {"0", kEarth},     {"1", kMars},    {"2", kTitan}};
  cmd->add_option("--planet", options->planet, "earth, mars or titan (or 0, 1, 2)")
      ->transform(CLI::CheckedTransformer(planets, CLI::ignore_case));
  cmd->add_option("--index", options->index, "Which atmosphere file of the planet, from 0");
  cmd->add_flag("--wind", options->wind, "Use the winds of the file");
  cmd->add_flag("--constants", options->constants, "Print the planet constants instead");
  cmd->add_option("HEIGHT", options->heights, "Heights in metres (default: the table's own)");
  cmd->callback([options, &status] { status = RunAtmosphere(*options); });
}

}  // namespace plumora::cli
