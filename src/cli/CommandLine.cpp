#include <cstdio>

#include "cli/Commands.h"
#include "cli/Output.h"

namespace plumora::cli {

namespace {

// The help, too, has to reach standard output.
int HelpShown(int status) {
  return FlushStandardOutput("The help") ? status : kExitFailure;
}

}  // namespace

int RunCommandLine(int argc, const char* const* argv) {
  CLI::App app{"plumora-cli: planetary entry and parachute descent from the command line"};
  app.set_version_flag("--version", "plumora-cli " PLUMORA_VERSION);
  app.set_help_all_flag("--help-all", "Print this help and that of every command, then exit");
  app.require_subcommand(1);
  int status = kExitOk;
  AddAtmosphereCommand(app, status);
  AddAeroCommand(app, status);
  AddShowCommand(app, status);
  AddConvertCommand(app, status);
  AddNewCommand(app, status);
  AddRunCommand(app, status);
  AddImportCommand(app, status);
  AddDispersionsCommand(app, status);
  AddDispersionsSummaryCommand(app, status);
  AddVerifyCommand(app, status);
  AddCheckCommand(app, status);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return HelpShown(app.exit(e));
  } catch (const CLI::CallForAllHelp& e) {
    return HelpShown(app.exit(e));
  } catch (const CLI::CallForVersion& e) {
    return HelpShown(app.exit(e));
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitUsage;
  }
  // Whatever a command printed must have reached its destination.
  if (!FlushStandardOutput() && status == kExitOk) status = kExitFailure;
  return status;
}

}  // namespace plumora::cli
