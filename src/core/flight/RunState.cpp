#include "core/flight/RunState.h"

namespace plumora {

RunState::RunState(const Mission& mission, CTrajectoryStore& store)
    : handOver(CHandOverState::FromInitialState(mission.initialState)), results(store) {
  flips.reserve(mission.phases.size());
  for (const auto& phase : mission.phases) {
    flips.push_back(phase->parachute() ? phase->parachute()->flip : FlipMemory{});
  }
}

void RunState::Notify(std::string_view text, std::string_view caption) {
  notices.push_back({std::string(text), caption});
  if (prompter_) prompter_->Message(text, caption);
}

void RunState::Show(const Error& error) const {
  if (prompter_) ShowError(*prompter_, error);
}

bool RunState::AskOkCancel(std::string_view text, std::string_view caption) const {
  return prompter_ ? prompter_->AskOkCancel(text, caption) : true;
}

}  // namespace plumora
