// The commands of the two data viewers and of the user manual.
#pragma once

namespace plumora::gui {

class CommandContext;

void BindViewerCommands(CommandContext& context);

}  // namespace plumora::gui
