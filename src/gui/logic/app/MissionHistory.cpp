#include "gui/logic/app/MissionHistory.h"

#include <algorithm>

namespace plumora::gui {

MissionHistory::MissionHistory(std::size_t limit) : limit_(std::max<std::size_t>(limit, 1)) {}

bool MissionHistory::Record(const EditStep& step, const Mission& before, const Mission& after) {
  if (before == after) return false;
  // A new edit makes another future: what was undone is gone, and a saved state among it too.
  steps_.resize(position_);
  if (clean_ && *clean_ > position_) clean_.reset();

  if (joinable_ && !step.joinKey.empty() && position_ > 0 &&
      steps_.back().what.joinKey == step.joinKey) {
    Step& last = steps_.back();
    if (*last.before == after) {
      // Typed back to what it was: the step is no step any more.
      steps_.pop_back();
      --position_;
      joinable_ = false;
    } else {
      last.after = std::make_shared<const Mission>(after);
    }
    return true;
  }

  std::shared_ptr<const Mission> start;
  if (position_ > 0 && *steps_.back().after == before) start = steps_.back().after;
  if (!start) start = std::make_shared<const Mission>(before);
  steps_.push_back({step, std::move(start), std::make_shared<const Mission>(after)});
  ++position_;
  joinable_ = true;

  if (steps_.size() > limit_) {
    steps_.erase(steps_.begin());
    --position_;
    if (clean_) clean_ = *clean_ == 0 ? std::nullopt : std::optional<std::size_t>(*clean_ - 1);
  }
  return true;
}

std::string MissionHistory::UndoName() const {
  return CanUndo() ? steps_[position_ - 1].what.name : std::string();
}

std::string MissionHistory::RedoName() const {
  return CanRedo() ? steps_[position_].what.name : std::string();
}

const Mission* MissionHistory::Undo() {
  if (!CanUndo()) return nullptr;
  joinable_ = false;
  --position_;
  return steps_[position_].before.get();
}

const Mission* MissionHistory::Redo() {
  if (!CanRedo()) return nullptr;
  joinable_ = false;
  ++position_;
  return steps_[position_ - 1].after.get();
}

void MissionHistory::MarkClean() {
  clean_ = position_;
  joinable_ = false;
}

void MissionHistory::LoseClean() {
  if (clean_ == position_) clean_.reset();
  joinable_ = false;
}

void MissionHistory::Clear() {
  steps_.clear();
  position_ = 0;
  clean_ = 0;
  joinable_ = false;
}

}  // namespace plumora::gui
