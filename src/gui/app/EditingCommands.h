// The commands that edit a mission: the payload and parachute managers of the Simulation menu,
// and the mission plan bar's "Edit mission" and "Edit phase" (also a double click on a phase).
#pragma once

namespace plumora::gui {

class CommandContext;
class MissionPlanBar;

void BindEditingCommands(CommandContext& context, MissionPlanBar& planBar);

}  // namespace plumora::gui
