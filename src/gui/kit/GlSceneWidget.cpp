#include "gui/kit/GlSceneWidget.h"

#include <QFontMetrics>
#include <QLabel>
#include <QOpenGLFunctions>
#include <cmath>

#include "core/common/Messages.h"
#include "gui/kit/QtPrompter.h"

namespace plumora::gui {

GlSceneWidget::GlSceneWidget(const GlResources& resources, SceneDraw draw, QWidget* parent)
    : QOpenGLWidget(parent), resources_(resources), draw_(std::move(draw)) {
  setFormat(GlSurfaceFormat());
}

void GlSceneWidget::SetDraw(SceneDraw draw) {
  draw_ = std::move(draw);
  update();
}

void GlSceneWidget::initializeGL() {
  // Called again whenever the widget gets a new context: nothing of the old one is kept. Its
  // state is set before every frame (paintGL).
  usable_ = ResolveGl(*context(), gl_).ok();
  projection_.Invalidate();
}

void GlSceneWidget::resizeGL(int width, int height) {
  const double ratio = devicePixelRatioF();
  deviceWidth_ = static_cast<int>(std::lround(width * ratio));
  deviceHeight_ = static_cast<int>(std::lround(height * ratio));
}

void GlSceneWidget::paintGL() {
  if (!usable_ || !resources_.IsReady() || !draw_) return;
  // Text painted over the last frame went through Qt's own pipeline; hand the fixed one back.
  context()->functions()->glUseProgram(0);
  CGLScene::InitContextState(gl_);
  projection_.Update(gl_, deviceWidth_, deviceHeight_);
  const std::vector<SceneLabel> labels = draw_({gl_, resources_.scene(), projection_});
  if (labels.empty()) return;
  QPainter painter(this);
  PaintSceneLabels(painter, labels, devicePixelRatioF());
  painter.end();
  projection_.Invalidate();  // the painter set its own viewport and matrices
}

QWidget* CreateGlView(const GlResources& resources, SceneDraw draw, QWidget* parent) {
  if (resources.IsReady()) return new GlSceneWidget(resources, std::move(draw), parent);
  auto* label = new QLabel(ToQString(kMsgNoOpenGl), parent);
  label->setAlignment(Qt::AlignCenter);
  label->setWordWrap(true);
  return label;
}

void PaintSceneLabels(QPainter& painter, const std::vector<SceneLabel>& labels,
                      double devicePixelRatio) {
  const QFontMetrics metrics(painter.font());
  for (const SceneLabel& label : labels) {
    const QString text = ToQString(label.text);
    painter.setPen(QColor(label.colour[0], label.colour[1], label.colour[2]));
    const double x = label.x / devicePixelRatio - 0.5 * metrics.horizontalAdvance(text);
    const double top = label.y / devicePixelRatio - 0.5 * metrics.height();
    painter.drawText(QPointF(x, top + metrics.ascent()), text);
  }
}

}  // namespace plumora::gui
