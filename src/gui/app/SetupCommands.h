// The commands that set a mission up: its initial state, solver and environment, and the
// import of a measured trajectory.
#pragma once

namespace plumora::gui {

class CMainFrame;
class CommandRouter;

void BindSetupCommands(CommandRouter& commands, CMainFrame& frame);

}  // namespace plumora::gui
