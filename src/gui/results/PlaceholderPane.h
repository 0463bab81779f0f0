// A display mode that is not built yet: one plain line in the middle of the pane says so, rather
// than a blank pane that looks broken.
#pragma once

#include "gui/results/ResultsPane.h"

namespace plumora::gui {

class PlaceholderPane final : public ResultsPane {
 public:
  PlaceholderPane(PaneHost& host, DisplayMode mode) : ResultsPane(host), mode_(mode) {}

  DisplayMode mode() const override { return mode_; }
  void Paint(QPainter& painter, const QSize& client) override;

 private:
  DisplayMode mode_;
};

}  // namespace plumora::gui
