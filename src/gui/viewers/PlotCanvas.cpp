#include "gui/viewers/PlotCanvas.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <climits>

namespace plumora::gui {

namespace {

constexpr int kLabelSpacing = 2;  // pixels kept free between two labels of one axis

}  // namespace

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

void DrawPlotLines(QPainter& painter, const std::vector<PlotLine>& lines) {
  for (const PlotLine& l : lines) painter.drawLine(l.from.x, l.from.y, l.to.x, l.to.y);
}

void DrawPlotTexts(QPainter& painter, const std::vector<PlotText>& texts) {
  const QFontMetrics metrics(painter.font());
  int freeFrom = INT_MIN;  // the first column right of the last centred label drawn
  for (const PlotText& t : texts) {
    const QString text = QString::fromStdString(t.text);
    const int width = metrics.horizontalAdvance(text);
    QRect box;
    if (t.align == PlotAlign::kCentreTop) {
      box = QRect(t.at.x - width / 2, t.at.y, width, metrics.height());
      if (box.left() < freeFrom) continue;
      freeFrom = box.right() + 1 + kLabelSpacing;
    } else {
      box = QRect(t.at.x - width, t.at.y - metrics.height(), width, metrics.height());
    }
    painter.drawText(box, Qt::AlignCenter, text);
  }
}

void DrawPolyline(QPainter& painter, const std::vector<PlotPoint>& points) {
  QPolygon line;
  line.reserve(static_cast<int>(points.size()));
  for (const PlotPoint& p : points) line << QPoint(p.x, p.y);
  painter.drawPolyline(line);
}

}  // namespace plumora::gui
