// The popup commands that act on one kind of pane, bound to the active pane of the main window.
#pragma once

namespace plumora::gui {

class CommandContext;

// The ground track's "Show track line".
void BindPaneCommands(CommandContext& context);

}  // namespace plumora::gui
