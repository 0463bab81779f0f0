// The commands of plumora-cli. Each Add...Command registers a subcommand whose callback stores
// the process exit status in `status`.
#pragma once

#include <CLI/CLI.hpp>

namespace plumora::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the engine reported an error
inline constexpr int kExitUsage = 2;    // bad usage

// Where --base points when it is not given, as every command's help says.
inline constexpr const char* kBaseDefault =
    " (default: the working folder when it holds atm/, else the installed data)";

void AddAtmosphereCommand(CLI::App& app, int& status);
void AddAeroCommand(CLI::App& app, int& status);
void AddShowCommand(CLI::App& app, int& status);
void AddConvertCommand(CLI::App& app, int& status);
void AddNewCommand(CLI::App& app, int& status);
void AddRunCommand(CLI::App& app, int& status);
void AddImportCommand(CLI::App& app, int& status);
void AddDispersionsCommand(CLI::App& app, int& status);
void AddDispersionsSummaryCommand(CLI::App& app, int& status);
void AddVerifyCommand(CLI::App& app, int& status);
void AddCheckCommand(CLI::App& app, int& status);

// Runs the command line; returns the exit status. Used by main and by the tests.
int RunCommandLine(int argc, const char* const* argv);

}  // namespace plumora::cli
