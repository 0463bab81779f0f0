#include "gui/app/StatusPanes.h"

#include <QLabel>
#include <QStatusBar>
#include <algorithm>

#include "gui/logic/draw/DisplayText.h"
#include "gui/logic/results/ResultsViewState.h"

namespace plumora::gui {

namespace {

constexpr int kPaneWidths[] = {100, 100, 150};
const char* const kPaneTexts[] = {"X=0.0", "Y=0.0", " "};

}  // namespace

StatusPanes::StatusPanes(QStatusBar& bar) : bar_(bar) {
  // Wide enough for the longest read-out of any chart variable, so the panes do not cut it.
  QLabel probe;
  int readoutWidth = 0;
  for (int k = 0; k < kChartVariableCount; ++k) {
    const QString text = QString::fromStdString(AxisReadout(k, -99999.99));
    readoutWidth = std::max(readoutWidth, probe.fontMetrics().horizontalAdvance(text));
  }
  for (int k = 0; k < 3; ++k) {
    auto* pane = new QLabel;
    pane->setMinimumWidth(k < 2 ? std::max(kPaneWidths[k], readoutWidth + 12) : kPaneWidths[k]);
    pane->setFrameShape(QFrame::Panel);
    pane->setFrameShadow(QFrame::Sunken);
    bar.addPermanentWidget(pane);
    panes_[static_cast<std::size_t>(k)] = pane;
  }
  Reset();
}

void StatusPanes::ShowReadout(const QString& x, const QString& y) {
  panes_[0]->setText(x);
  panes_[1]->setText(y);
}

void StatusPanes::Reset() {
  for (int k = 0; k < 3; ++k) panes_[static_cast<std::size_t>(k)]->setText(kPaneTexts[k]);
  bar_.clearMessage();
}

QLabel* StatusPanes::pane(int index) const {
  return panes_.at(static_cast<std::size_t>(index));
}

}  // namespace plumora::gui
