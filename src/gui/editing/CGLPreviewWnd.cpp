#include "gui/editing/CGLPreviewWnd.h"

#include <QMouseEvent>
#include <QPainter>

#include "gui/editing/NumberField.h"

namespace plumora::gui {

namespace {
constexpr int kPreviewControlId = 77;
}

CGLPreviewWnd::CGLPreviewWnd(QWidget* parent, int left, int top, int width, int height,
                             std::int32_t mode)
    : QFrame(parent), state_(mode) {
  SetControlId(*this, kPreviewControlId);
  setFrameShape(QFrame::Box);
  setLineWidth(1);
  setGeometry(left, top, width, height);
  show();
}

void CGLPreviewWnd::SetGlobePosition(double latitudeDeg, double longitudeDeg, double headingDeg,
                                     double altitudeM) {
  state_.SetGlobePosition(latitudeDeg, longitudeDeg, headingDeg, altitudeM);
  update();
}

void CGLPreviewWnd::SetSystemGeometry(double offsetX, double offsetY, double offsetZ,
                                      double relPitch, double relRoll, double relYaw) {
  state_.SetSystemGeometry(offsetX, offsetY, offsetZ, relPitch, relRoll, relYaw);
  update();
}

void CGLPreviewWnd::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  // Until the 3D scenes draw here, the frame marks where the picture goes.
  QPainter painter(this);
  painter.fillRect(contentsRect(), QColor(0, 0, 0));
  painter.setPen(QColor(160, 160, 160));
  painter.drawText(contentsRect(), Qt::AlignCenter, QStringLiteral("3D preview"));
}

void CGLPreviewWnd::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton) state_.LeftDown(p.x(), p.y());
  if (event->button() == Qt::RightButton) state_.RightDown(p.x(), p.y());
}

void CGLPreviewWnd::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  state_.Move(p.x(), p.y(), event->buttons() & Qt::LeftButton, event->buttons() & Qt::RightButton);
  update();
}

// Qt delivers the release to the widget that saw the press wherever the pointer is, so a drag
// that leaves the window still ends.
void CGLPreviewWnd::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) state_.LeftUp();
  if (event->button() == Qt::RightButton) state_.RightUp();
}

}  // namespace plumora::gui
