#include "gui/editing/SetupCommands.h"

#include <filesystem>
#include <memory>

#include "core/app/DataImport.h"
#include "core/app/PlumoraDoc.h"
#include "gui/editing/EnvironmentDialog.h"
#include "gui/editing/ImportDialog.h"
#include "gui/editing/InitialStateDialog.h"
#include "gui/editing/SolverDialog.h"
#include "gui/kit/CommandContext.h"
#include "gui/kit/CommandRouter.h"
#include "gui/logic/commands/CommandIds.h"

namespace plumora::gui {

namespace {

void EditInitialState(CommandContext& context, CPlumoraDoc& doc) {
  // The planet's table and constants place the entry point on the globe.
  if (!doc.readatmosphere()) return;
  InitialStateDialog dialog(doc.mission.initialState, doc.mission.environment.planet,
                            context.dialogParent());
  if (dialog.exec() != QDialog::Accepted) return;
  doc.mission.ApplyInitialState(dialog.state());
  context.MarkModified(doc);
}

void EditSolver(CommandContext& context, CPlumoraDoc& doc) {
  SolverDialog dialog(SolverEditOf(doc), context.prompter(), context.dialogParent());
  if (dialog.exec() != QDialog::Accepted) return;
  StoreSolver(doc, dialog.edit());
  context.MarkModified(doc);
}

void EditEnvironment(CommandContext& context, CPlumoraDoc& doc) {
  const EnvironmentChoice& choice = doc.mission.environment;
  EnvironmentDialog dialog(doc.baseFolder, choice.planet, choice.atmosphere, choice.wind,
                           context.prompter(), context.dialogParent());
  if (dialog.exec() != QDialog::Accepted) return;
  // The results belong to the old environment: they go, and the animation with them.
  doc.ApplyEnvironment({dialog.planet(), dialog.atmosphere(), dialog.wind()});
  context.MarkModified(doc);
}

void Import(CommandContext& context, CPlumoraDoc& doc, std::filesystem::path& lastFile) {
  ImportDialog dialog(lastFile, context.prompter(), context.dialogParent());
  if (dialog.exec() != QDialog::Accepted) return;
  lastFile = dialog.file();
  // Once the file is open the import adds its payload and sets the planet, whether or not
  // every line can be read.
  const std::size_t payloads = doc.mission.payloads.size();
  if (const Result<> imported = ImportTrajectory(doc, lastFile, dialog.columns()); !imported) {
    ShowError(context.prompter(), imported.error());
  }
  if (doc.mission.payloads.size() != payloads) context.MarkModified(doc);
}

}  // namespace

void BindSetupCommands(CommandContext& context) {
  const auto onActive = [&context](void (*edit)(CommandContext&, CPlumoraDoc&)) {
    return [&context, edit] {
      if (CPlumoraDoc* doc = context.ActiveDocument()) edit(context, *doc);
    };
  };
  CommandRouter& commands = context.commands();
  commands.Bind(kCmdInitialState, onActive(EditInitialState));
  commands.Bind(kCmdSolver, onActive(EditSolver));
  commands.Bind(kCmdEnvironment, onActive(EditEnvironment));
  auto lastImport = std::make_shared<std::filesystem::path>();
  commands.Bind(kCmdImportData, [&context, lastImport] {
    if (CPlumoraDoc* doc = context.ActiveDocument()) Import(context, *doc, *lastImport);
  });
}

}  // namespace plumora::gui
