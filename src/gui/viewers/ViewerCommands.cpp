#include "gui/viewers/ViewerCommands.h"

#include "gui/app/CMainFrame.h"
#include "gui/kit/CommandRouter.h"
#include "gui/kit/DibImage.h"
#include "gui/logic/commands/CommandIds.h"
#include "gui/viewers/AeroViewer.h"
#include "gui/viewers/AtmosphereViewer.h"
#include "gui/viewers/ManualViewer.h"

namespace plumora::gui {

void BindViewerCommands(CommandRouter& commands, CMainFrame& frame) {
  commands.Bind(kCmdAtmosphereViewer, [&frame] {
    AtmosphereViewer viewer(frame.baseFolder(), DibImage(frame.bitmaps().atmosphere),
                            frame.prompter(), &frame);
    viewer.exec();
  });
  commands.Bind(kCmdAeroViewer, [&frame] {
    AeroViewer viewer(frame.baseFolder(), frame.prompter(), &frame);
    viewer.exec();
  });
  commands.Bind(kCmdHelpManual,
                [&frame] { ShowUserManual(frame.baseFolder(), frame.prompter(), &frame); });
}

}  // namespace plumora::gui
