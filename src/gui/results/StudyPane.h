// "Landing scatter" and "Study histograms": the dispersion study flown last for the document,
// drawn as StudyPainter lays it out. Without a flown study the pane says how to fly one. The
// histogram's output is the pane's own (ResultsViewState::studyOutput, chosen in its Options).
#pragma once

#include "gui/results/ResultsPane.h"

namespace plumora::gui {

// Shown by a study pane of a document that has no flown study.
inline constexpr std::string_view kNoStudyFlown =
    "No dispersion study has flown for this mission.\n"
    "Simulation > Dispersions... sets one up and flies it.";

class StudyPane final : public ResultsPane {
 public:
  StudyPane(PaneHost& host, DisplayMode mode) : ResultsPane(host), mode_(mode) {}

  DisplayMode mode() const override { return mode_; }
  void Paint(QPainter& painter, const QSize& client) override;

 private:
  DisplayMode mode_;
};

}  // namespace plumora::gui
