// plumora-cli convert: a mission from one form to the other (.psd and .json, by the extensions).
#include <string>

#include "cli/Commands.h"
#include "cli/MissionPaths.h"
#include "cli/Output.h"
#include "core/app/MissionFiles.h"
#include "core/app/PlumoraDoc.h"

namespace plumora::cli {

namespace {

struct ConvertOptions {
  std::string input;
  std::string output;
};

int RunConvert(const ConvertOptions& options) {
  ConsolePrompter prompter;
  CPlumoraDoc doc;
  doc.SetPrompter(&prompter);
  if (!CheckOutputOrReport(prompter, options.output, {options.input}) ||
      !LoadMissionOrWarn(doc, options.input)) {
    return kExitFailure;
  }
  if (const Result<> saved = SaveMission(doc.mission, options.output); !saved) {
    ShowError(prompter, saved.error());
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

void AddConvertCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<ConvertOptions>();
  CLI::App* cmd =
      app.add_subcommand("convert", "Convert a mission between .psd and .json (by the extensions)");
  cmd->add_option("IN", options->input, "The mission to read")
      ->required()
      ->check(MissionFileName());
  cmd->add_option("OUT", options->output, "The file to write (replaced if it exists)")
      ->required()
      ->check(MissionFileName());
  cmd->callback([options, &status] { status = RunConvert(*options); });
}

}  // namespace plumora::cli
