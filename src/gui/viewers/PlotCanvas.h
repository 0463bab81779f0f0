// The surface both data viewers plot on. The plot is drawn once into a picture; the read-out
// that follows the pointer is laid over that picture, so moving the pointer redraws nothing of
// the plot itself.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>
#include <optional>
#include <vector>

#include "gui/kit/DrawingPainter.h"
#include "gui/logic/viewers/PlotAxes.h"

class QPainter;

namespace plumora::gui {

class PlotCanvas : public QWidget {
 public:
  explicit PlotCanvas(QWidget* parent = nullptr);

  // The data or the settings have changed: the plot is drawn anew at the next paint.
  void Invalidate();
  // Where the pointer is, as the read-out last saw it; nothing once it has left.
  const std::optional<QPoint>& pointer() const { return pointer_; }
  // Moves the read-out as the pointer would (the tests and the snapshots point with this).
  void PointAt(std::optional<QPoint> pointer);

 protected:
  // The plot, on a surface of the widget's size.
  virtual void DrawPlot(QPainter& painter) = 0;
  // The read-out at the pointer, over the plot.
  virtual void DrawReadout(QPainter& painter) = 0;
  // The pointer has moved to a point, or has left.
  virtual void PointerMoved(const std::optional<QPoint>& pointer) = 0;

  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QPixmap snapshot_;
  bool stale_ = true;
  std::optional<QPoint> pointer_;
};

// The font of a plot's texts: Arial, `pixels` high.
QFont PlotFont(int pixels);

}  // namespace plumora::gui
