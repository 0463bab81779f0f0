// plumora-cli aero: an aerodynamic file, looked up at given Mach numbers and angles of attack.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/Output.h"
#include "core/common/Constants.h"
#include "core/common/DataFolder.h"
#include "core/common/Prompter.h"
#include "core/environment/Aerodynamics.h"

namespace plumora::cli {

namespace {

struct AeroOptions {
  std::string base;
  std::string file;
  bool spline = false;
  std::vector<double> mach;
  std::vector<double> alphaDegrees;
};

int RunAero(const AeroOptions& options) {
  ConsolePrompter prompter;
  AeroDatabase aero;
  const std::filesystem::path base =
      options.base.empty() ? DefaultDataFolder() : std::filesystem::path(options.base);
  if (!LoadAeroDatabase(aero, options.file, base, prompter)) return kExitFailure;
  std::printf("mach,alpha,cx,cy,cz,cl,cm,cn\n");
  for (double mach : options.mach) {
    for (double degrees : options.alphaDegrees) {
      const double alpha = degrees * kDegToRad;
      const AeroCoefficientSet c = options.spline ? AeroCoefficientsSpline(aero, mach, alpha)
                                                  : AeroCoefficients(aero, mach, alpha);
      PrintCsvRow(stdout, {mach, degrees, c[kCx], c[kCy], c[kCz], c[kCl], c[kCm], c[kCn]});
    }
  }
  return kExitOk;
}

}  // namespace

void AddAeroCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<AeroOptions>();
  CLI::App* cmd = app.add_subcommand(
      "aero", "Read an aerodynamic file and print its six coefficients at the given points");
  cmd->add_option("--base", options->base, std::string("Folder holding adf/") + kBaseDefault);
  cmd->add_option("--file", options->file, "File in adf/ (default: ld600.adf)");
  cmd->add_flag("--spline", options->spline, "Splines along the angle instead of straight lines");
  cmd->add_option("--mach", options->mach, "Mach numbers, separated by commas")
      ->delimiter(',')
      ->required();
  cmd->add_option("--alpha", options->alphaDegrees,
                  "Angles of attack in degrees, separated by commas")
      ->delimiter(',')
      ->required();
  cmd->callback([options, &status] { status = RunAero(*options); });
}

}  // namespace plumora::cli
