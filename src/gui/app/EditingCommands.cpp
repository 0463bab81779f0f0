#include "gui/app/EditingCommands.h"

#include <QTreeWidget>

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/MissionPlanBar.h"
#include "gui/editing/MissionEditor.h"
#include "gui/editing/PhaseDialogs.h"
#include "gui/editing/RecordManagers.h"
#include "gui/kit/EditingKit.h"
#include "gui/logic/commands/CommandIds.h"

namespace plumora::gui {

namespace {

// Runs `edit` on the active mission; whatever it changes marks the mission modified.
template <typename Edit>
void OnActiveMission(CMainFrame& frame, Edit edit) {
  CChildFrame* child = frame.ActiveChild();
  if (!child) return;
  EditSession session{child->doc(), frame.prompter(),
                      [&frame, child] { frame.MarkModified(*child); }};
  edit(session);
}

}  // namespace

void BindEditingCommands(CMainFrame& frame) {
  CommandRouter& commands = frame.commands();
  commands.Bind(kCmdPayloadManager, [&frame] {
    OnActiveMission(frame, [&frame](EditSession& session) {
      OpenRecordManager(session, RecordKind::kPayload, &frame);
    });
  });
  commands.Bind(kCmdParachuteManager, [&frame] {
    OnActiveMission(frame, [&frame](EditSession& session) {
      OpenRecordManager(session, RecordKind::kParachute, &frame);
    });
  });
  commands.Bind(kCtlEditMission, [&frame] {
    OnActiveMission(frame, [&frame](EditSession& session) {
      CMissionEditor editor(session, &frame);
      editor.exec();
      frame.RefreshMissionPlan(&session.doc);
    });
  });
  commands.Bind(kCtlEditPhase, [&frame] {
    const int entry = frame.missionPlanBar()->selectedPhase();
    OnActiveMission(frame, [&frame, entry](EditSession& session) {
      if (entry < 0 || static_cast<std::size_t>(entry) >= session.doc.mission.phases.size()) return;
      OpenPhaseDialog(session, *session.doc.mission.phases[static_cast<std::size_t>(entry)],
                      &frame);
    });
  });
  QObject::connect(frame.missionPlanBar()->phaseList(), &QTreeWidget::itemDoubleClicked, &frame,
                   [&frame] { frame.Invoke(kCtlEditPhase); });
}

}  // namespace plumora::gui
