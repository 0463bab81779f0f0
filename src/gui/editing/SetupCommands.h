// The commands that set a mission up: its initial state, solver and environment, and the
// import of a measured trajectory.
#pragma once

namespace plumora::gui {

class CommandContext;

void BindSetupCommands(CommandContext& context);

}  // namespace plumora::gui
