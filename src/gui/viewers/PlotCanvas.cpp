#include "gui/viewers/PlotCanvas.h"

#include <QMouseEvent>
#include <QPainter>

namespace plumora::gui {

QFont PlotFont(int pixels) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixels);
  return font;
}

PlotCanvas::PlotCanvas(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotCanvas::Invalidate() {
  stale_ = true;
  PointerMoved(pointer_);
  update();
}

void PlotCanvas::PointAt(std::optional<QPoint> pointer) {
  pointer_ = pointer;
  PointerMoved(pointer_);
  update();
}

void PlotCanvas::paintEvent(QPaintEvent*) {
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = size() * ratio;
  if (stale_ || snapshot_.size() != pixels) {
    snapshot_ = QPixmap(pixels);
    snapshot_.setDevicePixelRatio(ratio);
    snapshot_.fill(palette().color(backgroundRole()));
    QPainter plot(&snapshot_);
    DrawPlot(plot);
    stale_ = false;
  }
  QPainter painter(this);
  painter.drawPixmap(0, 0, snapshot_);
  DrawReadout(painter);
}

void PlotCanvas::mouseMoveEvent(QMouseEvent* event) {
  PointAt(event->position().toPoint());
}

void PlotCanvas::leaveEvent(QEvent*) {
  PointAt(std::nullopt);
}

void PlotCanvas::resizeEvent(QResizeEvent*) {
  Invalidate();
}

}  // namespace plumora::gui
