#include "gui/app/EditingCommands.h"

#include <QTreeWidget>

#include "core/app/PlumoraDoc.h"
#include "gui/app/MissionPlanBar.h"
#include "gui/editing/MissionEditor.h"
#include "gui/editing/PhaseDialogs.h"
#include "gui/editing/RecordManagers.h"
#include "gui/kit/CommandContext.h"
#include "gui/kit/CommandRouter.h"
#include "gui/kit/EditingKit.h"
#include "gui/logic/commands/CommandIds.h"
#include "gui/logic/editing/MissionPlan.h"

namespace plumora::gui {

namespace {

// Runs `edit` on the active mission; each change it reports is one step of Edit > Undo.
template <typename Edit>
void OnActiveMission(CommandContext& context, Edit edit) {
  CPlumoraDoc* doc = context.ActiveDocument();
  if (!doc) return;
  EditSession session = RecordingSession(context, *doc);
  edit(session);
}

}  // namespace

void BindEditingCommands(CommandContext& context, MissionPlanBar& planBar) {
  CommandRouter& commands = context.commands();
  commands.Bind(kCmdPayloadManager, [&context] {
    OnActiveMission(context, [&context](EditSession& session) {
      OpenRecordManager(session, RecordKind::kPayload, context.dialogParent());
    });
  });
  commands.Bind(kCmdParachuteManager, [&context] {
    OnActiveMission(context, [&context](EditSession& session) {
      OpenRecordManager(session, RecordKind::kParachute, context.dialogParent());
    });
  });
  commands.Bind(kCtlEditMission, [&context, &planBar] {
    OnActiveMission(context, [&context, &planBar](EditSession& session) {
      CMissionEditor editor(session, context.dialogParent());
      editor.exec();
      planBar.Show(MissionPlanFor(&session.doc));
    });
  });
  commands.Bind(kCtlEditPhase, [&context, &planBar] {
    const int entry = planBar.selectedPhase();
    OnActiveMission(context, [&context, entry](EditSession& session) {
      if (entry < 0 || static_cast<std::size_t>(entry) >= session.doc.mission.phases.size()) return;
      OpenPhaseDialog(session, *session.doc.mission.phases[static_cast<std::size_t>(entry)],
                      context.dialogParent());
    });
  });
  QObject::connect(planBar.phaseList(), &QTreeWidget::itemDoubleClicked, &planBar,
                   [&commands] { commands.Invoke(kCtlEditPhase); });
}

}  // namespace plumora::gui
