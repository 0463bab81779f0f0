#include "gui/viewers/ViewerCommands.h"

#include "gui/kit/CommandContext.h"
#include "gui/kit/CommandRouter.h"
#include "gui/kit/DibImage.h"
#include "gui/logic/commands/CommandIds.h"
#include "gui/viewers/AeroViewer.h"
#include "gui/viewers/AtmosphereViewer.h"
#include "gui/viewers/ManualViewer.h"

namespace plumora::gui {

void BindViewerCommands(CommandContext& context) {
  CommandRouter& commands = context.commands();
  commands.Bind(kCmdAtmosphereViewer, [&context] {
    AtmosphereViewer viewer(context.baseFolder(), DibImage(context.bitmaps().atmosphere),
                            context.prompter(), context.dialogParent());
    viewer.exec();
  });
  commands.Bind(kCmdAeroViewer, [&context] {
    AeroViewer viewer(context.baseFolder(), context.prompter(), context.dialogParent());
    viewer.exec();
  });
  commands.Bind(kCmdHelpManual, [&context] {
    ShowUserManual(context.baseFolder(), context.prompter(), context.dialogParent());
  });
}

}  // namespace plumora::gui
