// One results pane of a document window. It shows nothing or one of seven display modes of the
// document's results; what it shows and how its menus look is decided by ResultsViewState and
// TableLayout, this widget only paints and passes on the mouse.
//
// The pane holds a stack of surfaces: a scrolling 2D canvas (table, chart, map) and, once a 3D
// mode is first chosen, an OpenGL surface added beside it. Switching modes switches the page
// without rebuilding the pane, 2D painting stays on Qt's raster engine (exact text, cheap
// printing, no GL context needed for a table), and the GL surface owns its context alone.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "gui/logic/ResultsViewState.h"
#include "gui/logic/TableLayout.h"

class QAbstractScrollArea;
class QPainter;
class QPrinter;
class QStackedWidget;

namespace plumora {
class CTrajectoryStore;
}

namespace plumora::gui {

class CChildFrame;
class PaneCanvas;

class CPlumoraView : public QWidget {
 public:
  CPlumoraView(CChildFrame& frame, int column, int row, QWidget* parent = nullptr);
  ~CPlumoraView() override;

  int column() const { return column_; }
  int row() const { return row_; }
  const ResultsViewState& state() const { return state_; }

  // A toggle command of the Show menu or the popup.
  void OnCommand(int commandId);
  bool HasResults() const;

  // Activation within the frame: the active pane wears a red frame.
  void SetActive(bool active);

  // The document changed: repaint from it.
  void OnUpdate();
  // While a run writes the results, the pane keeps showing what it showed before it started.
  void Freeze();
  void Thaw();
  bool frozen() const { return frozen_; }

  // Animation and chart hooks; the chart, the map and the 3D scenes fill these in.
  void RedrawChartCursor(int /*index*/) {}
  void DrawTrackMarker(int /*index*/) {}
  void Render3DMode() {}
  void ZoomToSelection() {}
  void ResetZoom() {}

  // The table as the pane would draw it now (window coordinates, current scroll position).
  TableDrawing CurrentTable() const;
  // Paints the current mode onto a printer page.
  void Print(QPrinter& printer);

  // The 2D surface (for tests and screenshots).
  QAbstractScrollArea* canvas() const;

  // --- Called by the canvas ------------------------------------------------------------
  void Draw(QPainter& painter, const QSize& client);
  void MousePressed(Qt::MouseButton button, const QPoint& pos);
  void MouseDoubleClicked();
  void MouseMoved();
  void ClientResized();

 private:
  void ApplyScrollSizes(const ScrollSizes& sizes);
  void UpdateScrollSizes();
  void ShowPopup(const QPoint& pos);
  const CTrajectoryStore& store() const;

  CChildFrame& frame_;
  int column_;
  int row_;
  ResultsViewState state_;
  QStackedWidget* stack_;
  PaneCanvas* canvas_;
  bool frozen_ = false;
  QPixmap frozenPicture_;
};

// Draws a table layout with the painter's current coordinates (pixels or tenths of a millimetre).
void PaintTable(QPainter& painter, const TableDrawing& drawing, const TableGeometry& geometry);

}  // namespace plumora::gui
