// The program's pictures by name: the command table says which one a toolbar button wears, the
// bars pick theirs, and the Qt side draws them.
#pragma once

namespace plumora::gui {

enum class Artwork {
  kNone = -1,
  kNew,
  kOpen,
  kSave,
  kPrint,
  kRun,
  kAbout,
  kPlay,
  kPause,
  kToStart,
  kToEnd,
  kStepBack,
  kStepForward,
  kZoomToSelection,
  kZoomReset,
};

}  // namespace plumora::gui
