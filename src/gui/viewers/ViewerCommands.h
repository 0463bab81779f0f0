// The commands of the two data viewers and of the user manual.
#pragma once

namespace plumora::gui {

class CMainFrame;
class CommandRouter;

void BindViewerCommands(CommandRouter& commands, CMainFrame& frame);

}  // namespace plumora::gui
