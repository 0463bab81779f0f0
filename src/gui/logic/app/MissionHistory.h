// The edits of one open mission, for Edit > Undo and Redo, and whether the mission differs from
// the one last saved or opened. A step holds the whole mission before and after its edit: a
// mission is a few kilobytes, and a copy is the only way to be sure that undoing gives back
// exactly what was there. Consecutive steps share the copy they have in common.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/mission/Mission.h"

namespace plumora::gui {

// What an edit is called in the Edit menu ("Undo Payload data"), and whether it continues the
// step before it: text typed into a field is one step however many keys it took. A step joins the
// one before only when both carry the same non-empty key and nothing was undone or saved between.
struct EditStep {
  std::string name;
  std::string joinKey;
};

class MissionHistory {
 public:
  // The oldest steps are forgotten beyond this many.
  static constexpr std::size_t kStepLimit = 100;

  explicit MissionHistory(std::size_t limit = kStepLimit);

  // An edit took the mission from `before` to `after`. An edit that changed nothing is no step.
  // The steps undone before it can no longer be redone. False when nothing was recorded.
  bool Record(const EditStep& step, const Mission& before, const Mission& after);

  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < steps_.size(); }
  // The name of the step Undo (Redo) would take back (do again); empty when there is none.
  std::string UndoName() const;
  std::string RedoName() const;

  // Steps back (forward) and gives the mission to restore; null when there is nothing to do.
  const Mission* Undo();
  const Mission* Redo();

  // The mission as it is now is the one in its file (saved or opened).
  void MarkClean();
  // The mission changed in a way no step holds: no undoing reaches the saved state again.
  void LoseClean();
  bool modified() const { return clean_ != position_; }

  // Every step forgotten; the mission as it is now is clean (a new or opened mission).
  void Clear();

  std::size_t size() const { return steps_.size(); }

 private:
  struct Step {
    EditStep what;
    std::shared_ptr<const Mission> before;
    std::shared_ptr<const Mission> after;
  };

  std::size_t limit_;
  std::vector<Step> steps_;
  std::size_t position_ = 0;  // steps_[0, position_) are done, the rest undone
  // Where the clean state is, counted as position_ is; none when no undoing reaches it.
  std::optional<std::size_t> clean_ = 0;
  // The last thing that happened was a step recorded: a step with the same key may join it.
  bool joinable_ = false;
};

}  // namespace plumora::gui
