// The table of samples: one row per sample, the shown columns packed from the left, the header
// fixed at the top while the rows scroll. The row of the sample the animation shows is marked,
// and the table scrolls to keep it in view as the animation moves. Sideways, the Time column
// stays at the left edge. Rows clicked are selected for Edit > Copy. What goes where is
// TableLayout's; this pane draws it.
#pragma once

#include "gui/results/ResultsPane.h"

namespace plumora::gui {

class TablePane final : public ResultsPane {
 public:
  using ResultsPane::ResultsPane;

  DisplayMode mode() const override { return DisplayMode::kTable; }
  void Paint(QPainter& painter, const QSize& client) override;
  // The header and the rows from the first one shown, on one page.
  void Print(QPrinter& printer) override;
  std::string SnapshotSvg(const QSize& size) override;
  void Layout() override;
  void AnimationStep(int index, bool playing) override;
  // A click selects its row, a shift-click the rows from the one clicked first.
  void MousePress(const QPoint& pos, Qt::MouseButton button) override;
  // The selected rows as tab-separated text with headings (SelectedRowsText).
  bool CanCopy() const override;
  std::string CopyText() const override;
  // Every row of the results.
  void SelectAll() override;

  // The table as the pane draws it now (window coordinates, current scroll position).
  TableDrawing CurrentTable() const;
  const RowSelection& selection() const { return selection_; }

 private:
  // The results the table reads, with the derived quantities when a column of them is on.
  ResultsSource Source() const;
  RowSelection selection_;
};

// Draws a table layout with the painter's current coordinates (pixels or tenths of a millimetre).
void PaintTable(QPainter& painter, const TableDrawing& drawing, const TableGeometry& geometry);

}  // namespace plumora::gui
