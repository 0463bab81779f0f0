#include "gui/results/PaneCommands.h"

#include <QClipboard>
#include <QGuiApplication>

#include "gui/kit/CommandContext.h"
#include "gui/kit/CommandRouter.h"
#include "gui/logic/commands/CommandIds.h"
#include "gui/results/CPlumoraView.h"
#include "gui/results/TrackPane.h"

namespace plumora::gui {

namespace {

TrackPane* ActiveTrack(CommandContext& context) {
  auto* view = dynamic_cast<CPlumoraView*>(context.ActiveView());
  return view ? dynamic_cast<TrackPane*>(view->pane()) : nullptr;
}

}  // namespace

void BindPaneCommands(CommandContext& context) {
  context.commands().Bind(kCmdEditCopy, [&context] {
    auto* view = dynamic_cast<CPlumoraView*>(context.ActiveView());
    if (!view || context.running() || !view->CanCopy()) return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(view->CopyText()));
  });
  context.commands().Bind(kCmdEditSelectAll, [&context] {
    auto* view = dynamic_cast<CPlumoraView*>(context.ActiveView());
    if (!view || context.running()) return;
    view->SelectAll();
    context.commands().Refresh();  // Copy has rows to take now
  });
  context.commands().Bind(kCmdPopupTrackLine, [&context] {
    if (TrackPane* track = ActiveTrack(context)) track->ToggleTrackLine();
  });
  context.commands().Bind(kCmdPopupTrackEllipses, [&context] {
    if (TrackPane* track = ActiveTrack(context)) track->ToggleLandingEllipses();
  });
}

}  // namespace plumora::gui
