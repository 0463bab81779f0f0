#include "gui/app/SetupCommands.h"

#include <filesystem>
#include <memory>

#include "core/app/DataImport.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/editing/EnvironmentDialog.h"
#include "gui/editing/ImportDialog.h"
#include "gui/editing/InitialStateDialog.h"
#include "gui/editing/SolverDialog.h"
#include "gui/logic/commands/CommandIds.h"

namespace plumora::gui {

namespace {

void EditInitialState(CMainFrame& frame, CChildFrame& child) {
  CPlumoraDoc& doc = child.doc();
  // The planet's table and constants place the entry point on the globe.
  if (!doc.readatmosphere()) return;
  InitialStateDialog dialog(doc.mission.initialState, doc.mission.environment.planet, &frame);
  if (dialog.exec() != QDialog::Accepted) return;
  doc.mission.ApplyInitialState(dialog.state());
  frame.MarkModified(child);
}

void EditSolver(CMainFrame& frame, CChildFrame& child) {
  SolverDialog dialog(SolverEditOf(child.doc()), frame.prompter(), &frame);
  if (dialog.exec() != QDialog::Accepted) return;
  StoreSolver(child.doc(), dialog.edit());
  frame.MarkModified(child);
}

void EditEnvironment(CMainFrame& frame, CChildFrame& child) {
  CPlumoraDoc& doc = child.doc();
  const EnvironmentChoice& choice = doc.mission.environment;
  EnvironmentDialog dialog(doc.baseFolder, choice.planet, choice.atmosphere, choice.wind,
                           frame.prompter(), &frame);
  if (dialog.exec() != QDialog::Accepted) return;
  // The results belong to the old environment: they go, and the animation with them.
  doc.ApplyEnvironment({dialog.planet(), dialog.atmosphere(), dialog.wind()});
  frame.MarkModified(child);
}

void Import(CMainFrame& frame, CChildFrame& child, std::filesystem::path& lastFile) {
  ImportDialog dialog(lastFile, frame.prompter(), &frame);
  if (dialog.exec() != QDialog::Accepted) return;
  lastFile = dialog.file();
  // Once the file is open the import adds its payload and sets the planet, whether or not
  // every line can be read.
  const std::size_t payloads = child.doc().mission.payloads.size();
  if (const Result<> imported = ImportTrajectory(child.doc(), lastFile, dialog.columns());
      !imported) {
    ShowError(frame.prompter(), imported.error());
  }
  if (child.doc().mission.payloads.size() != payloads) frame.MarkModified(child);
}

}  // namespace

void BindSetupCommands(CommandRouter& commands, CMainFrame& frame) {
  const auto onActive = [&frame](void (*edit)(CMainFrame&, CChildFrame&)) {
    return [&frame, edit] {
      if (CChildFrame* child = frame.ActiveChild()) edit(frame, *child);
    };
  };
  commands.Bind(kCmdInitialState, onActive(EditInitialState));
  commands.Bind(kCmdSolver, onActive(EditSolver));
  commands.Bind(kCmdEnvironment, onActive(EditEnvironment));
  auto lastImport = std::make_shared<std::filesystem::path>();
  commands.Bind(kCmdImportData, [&frame, lastImport] {
    if (CChildFrame* child = frame.ActiveChild()) Import(frame, *child, *lastImport);
  });
}

}  // namespace plumora::gui
