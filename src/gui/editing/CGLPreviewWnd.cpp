#include "gui/editing/CGLPreviewWnd.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <filesystem>

#include "core/common/DataFolder.h"
#include "gui/kit/CommandContext.h"
#include "gui/kit/GlSceneWidget.h"
#include "gui/kit/GlSnapshot.h"
#include "gui/kit/NumberField.h"
#include "gui/logic/commands/ControlIds.h"
#include "gui/logic/scene/SceneInputs.h"

namespace plumora::gui {

namespace {


}  // namespace

CGLPreviewWnd::CGLPreviewWnd(QWidget* parent, int left, int top, int width, int height,
                             std::int32_t mode)
    : QFrame(parent), state_(mode) {
  SetControlId(*this, kCtlPreview);
  setFrameShape(QFrame::Box);
  setLineWidth(1);
  FrameServices* host = FrameServices::Find(parent);
  GlResources* resources = host ? host->SceneResources() : nullptr;
  if (resources && resources->IsReady()) {
    view_ = new GlSceneWidget(
        *resources,
        [this](const SceneFrame& frame) {
          return DrawSceneInputs(frame, PreviewScene(state_), nullptr);
        },
        this);
    // The frame hears the mouse; the view only draws.
    view_->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  setGeometry(left, top, width, height);
  show();
}

void CGLPreviewWnd::update() {
  QFrame::update();
  if (view_) view_->update();
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

void CGLPreviewWnd::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  if (view_) view_->setGeometry(contentsRect());
}

void CGLPreviewWnd::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (view_) return;
  // No OpenGL on this screen: the same scene, drawn off-screen. Missing models were reported
  // when the program started.
  const QRect inside = contentsRect();
  if (inside.isEmpty()) return;
  SilentPrompter quiet;
  FrameServices* host = FrameServices::Find(this);
  const QImage picture = RenderSceneOffscreen(
      host ? host->baseFolder() : DefaultDataFolder(), inside.width(), inside.height(),
      [this](const SceneFrame& frame) {
        return DrawSceneInputs(frame, PreviewScene(state_), nullptr);
      },
      quiet);
  QPainter painter(this);
  if (picture.isNull()) {
    painter.fillRect(inside, Qt::black);
    return;
  }
  painter.drawImage(inside.topLeft(), picture);
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

void CGLPreviewWnd::wheelEvent(QWheelEvent* event) {
  state_.Wheel(event->angleDelta().y());
  update();
}

}  // namespace plumora::gui
