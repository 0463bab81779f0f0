#include "gui/results/PaneCommands.h"

#include <QClipboard>
#include <QGuiApplication>

#include "gui/kit/CommandContext.h"
#include "gui/kit/CommandRouter.h"
#include "gui/logic/commands/CommandIds.h"
#include "gui/results/CPlumoraView.h"
#include "gui/results/TrackPane.h"

namespace plumora::gui {

void BindPaneCommands(CommandContext& context) {
  context.commands().Bind(kCmdEditCopy, [&context] {
    auto* view = dynamic_cast<CPlumoraView*>(context.ActiveView());
    if (!view || context.running() || !view->CanCopy()) return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(view->CopyText()));
  });
  context.commands().Bind(kCmdPopupTrackLine, [&context] {
    auto* view = dynamic_cast<CPlumoraView*>(context.ActiveView());
    if (auto* track = view ? dynamic_cast<TrackPane*>(view->pane()) : nullptr) {
      track->ToggleTrackLine();
    }
  });
}

}  // namespace plumora::gui
