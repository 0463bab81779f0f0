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
#include "gui/logic/editing/EditSteps.h"

namespace plumora::gui {

namespace {

void EditInitialState(CommandContext& context, CPlumoraDoc& doc) {
  // The planet's table and constants place the entry point on the globe.
  if (!doc.readatmosphere()) return;
  InitialStateDialog dialog(doc.mission.initialState, doc.mission.environment.planet,
                            context.dialogParent());
  if (dialog.exec() != QDialog::Accepted) return;
  const Mission before = doc.mission;
  doc.mission.ApplyInitialState(dialog.state());
  context.RecordEdit(doc, InitialStateStep(), before);
}

void EditSolver(CommandContext& context, CPlumoraDoc& doc) {
  SolverDialog dialog(SolverEditOf(doc), context.prompter(), context.dialogParent());
  if (dialog.exec() != QDialog::Accepted) return;
  const Mission before = doc.mission;
  StoreSolver(doc, dialog.edit());
  context.RecordEdit(doc, SolverStep(), before);
}

void EditEnvironment(CommandContext& context, CPlumoraDoc& doc) {
  const EnvironmentChoice& choice = doc.mission.environment;
  EnvironmentDialog dialog(doc.baseFolder, choice.planet, choice.atmosphere, choice.wind,
                           context.prompter(), context.dialogParent());
  if (dialog.exec() != QDialog::Accepted) return;
  const Mission before = doc.mission;
  // The results belong to the old environment: they go, and the animation with them.
  doc.ApplyEnvironment({dialog.planet(), dialog.atmosphere(), dialog.wind()});
  context.RecordEdit(doc, EnvironmentStep(), before);
}

void Import(CommandContext& context, CPlumoraDoc& doc, std::filesystem::path& lastFile) {
  ImportDialog dialog(lastFile, context.prompter(), context.dialogParent());
  if (dialog.exec() != QDialog::Accepted) return;
  lastFile = dialog.file();
  // Once the file is open the import adds its payload and sets the planet, whether or not
  // every line can be read. Undoing it takes the payload and the planet back, and with them the
  // imported results, which belong to no mission edit.
  const Mission before = doc.mission;
  if (const Result<> imported = ImportTrajectory(doc, lastFile, dialog.columns()); !imported) {
    ShowError(context.prompter(), imported.error());
  }
  context.RecordEdit(doc, ImportStep(), before);
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
