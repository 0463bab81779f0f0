#include <cstdio>
#include <cstring>

#include "cli/Commands.h"
#include "cli/Output.h"

namespace plumora::cli {

namespace {

// The help, too, has to reach standard output.
int HelpShown(int status) {
  return FlushStandardOutput("The help") ? status : kExitFailure;
}

// "--name=" with nothing after the sign would have the parser take the next argument as the
// option's value (a file name read as a column, say); it is refused as it stands.
const char* OptionWithoutValue(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--") == 0) break;
    const std::size_t length = std::strlen(arg);
    if (length > 3 && std::strncmp(arg, "--", 2) == 0 && arg[length - 1] == '=') return arg;
  }
  return nullptr;
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
  if (const char* empty = OptionWithoutValue(argc, argv)) {
    std::fprintf(stderr, "%s gives the option no value\nRun with --help for more information.\n",
                 empty);
    return kExitUsage;
  }
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
