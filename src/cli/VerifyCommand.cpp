// plumora-cli verify: the reference cases, each number of the program beside its reference.
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "cli/Output.h"
#include "cli/VerifyCases.h"
#include "core/common/DataFolder.h"

namespace plumora::cli {

namespace {

struct VerifyCommandOptions {
  std::string base;
  double areaSkew = 1.0;
};

std::string Row(const char* format, const std::string& quantity, double program, double reference,
                double difference, double tolerance, const char* verdict) {
  char line[256];
  std::snprintf(line, sizeof line, format, quantity.c_str(), program, reference, difference,
                tolerance, verdict);
  return line;
}

// The table as it is printed.
std::string VerifyTable(const std::vector<VerifyCase>& cases) {
  constexpr const char* kNumbers = "  %-34s %16.9g %16.9g %11.3g %10.3g  %s\n";
  char heading[256];
  std::snprintf(heading, sizeof heading, "  %-34s %16s %16s %11s %10s\n", "quantity", "program",
                "reference", "difference", "tolerance");
  std::string text = heading;
  int passed = 0;
  int number = 0;
  for (const VerifyCase& c : cases) {
    text += "\n" + std::to_string(++number) + ". " + c.title + "\n";
    for (const VerifyRow& r : c.rows) {
      text += Row(kNumbers, r.quantity, r.program, r.reference, r.Difference(), r.tolerance,
                  r.Within() ? "ok" : "OUT OF TOLERANCE");
    }
    if (!c.problem.empty()) text += "  not computed: " + c.problem;
    if (c.Passed()) ++passed;
  }
  char summary[96];
  std::snprintf(summary, sizeof summary, "\n%d of %zu cases within tolerance\n", passed,
                cases.size());
  return text + summary;
}

int RunVerify(const VerifyCommandOptions& options) {
  VerifyOptions verify;
  verify.base = options.base.empty() ? DefaultDataFolder() : std::filesystem::path(options.base);
  verify.areaSkew = options.areaSkew;
  const std::vector<VerifyCase> cases = RunVerifyCases(verify);
  if (!WriteStandardOutput(VerifyTable(cases))) return kExitFailure;
  for (const VerifyCase& c : cases) {
    if (!c.Passed()) return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

void AddVerifyCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<VerifyCommandOptions>();
  CLI::App* cmd = app.add_subcommand(
      "verify", "Fly the reference cases and compare each with its independent reference");
  cmd->add_option("--base", options->base,
                  std::string("Folder holding atm/ with the bundled tables") + kBaseDefault);
  // Plants a fault in the flights (not in their references), to see the command fail.
  cmd->add_option("--skew-area", options->areaSkew)->group("");
  cmd->callback([options, &status] { status = RunVerify(*options); });
}

}  // namespace plumora::cli
