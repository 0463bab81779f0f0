#include "gui/results/ScenePane.h"

#include <QPainter>

#include "core/app/PlumoraDoc.h"
#include "core/common/Messages.h"
#include "gui/kit/GlSceneWidget.h"
#include "gui/kit/GlSnapshot.h"
#include "gui/kit/QtPrompter.h"
#include "gui/logic/scene/SceneInputs.h"

namespace plumora::gui {

namespace {
constexpr std::array<std::uint8_t, 3> kActiveFrameColour = {255, 0, 0};
}  // namespace

ScenePane::ScenePane(PaneHost& host, DisplayMode mode) : ResultsPane(host), mode_(mode) {
  pictureStreaks_.Reset(kStreakDensity, kStreakHalfSize);
}

ScenePane::~ScenePane() {
  // The view's stack owns a surface it shows; one it never took goes with the pane.
  if (surface_ && !surface_->parent()) delete surface_.data();
  if (auto* view = dynamic_cast<GlSceneWidget*>(surface_.data())) view->SetDraw(nullptr);
}

QWidget* ScenePane::surface() {
  if (surface_) return surface_;
  GlResources* resources = host().SceneResources();
  if (!resources || !resources->IsReady()) return nullptr;
  surface_ = new GlSceneWidget(*resources, [this, resources](const SceneFrame& frame) {
    return Draw(frame, &resources->streaks(), host().wearsActiveFrame());
  });
  return surface_;
}

std::vector<SceneLabel> ScenePane::Draw(const SceneFrame& frame, CAirStreaks* streaks,
                                        bool border) {
  ResultsViewState& state = host().viewState();
  const ViewAngles view{state.sceneRotation.tilt(), state.sceneRotation.turn()};
  const SceneInputs inputs = ResultsScene(mode_, host().document(), host().animationIndex(), view,
                                          state.lightPosition, track_, state.sceneZoom);
  std::vector<SceneLabel> labels = DrawSceneInputs(frame, inputs, streaks);
  if (border) DrawViewBorder(frame, kActiveFrameColour);
  return labels;
}

QImage ScenePane::Snapshot(const QSize& size) {
  return Picture(size, host().document().prompter());
}

QImage ScenePane::Picture(const QSize& size, Prompter& prompter) {
  QImage picture = RenderSceneOffscreen(
      host().document().baseFolder, size.width(), size.height(),
      [this](const SceneFrame& frame) { return Draw(frame, &pictureStreaks_, false); }, prompter);
  if (!picture.isNull()) return picture;
  picture = QImage(size, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  PreparePanePainter(painter);
  painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter | Qt::TextWordWrap,
                   ToQString(kMsgNoOpenGl));
  return picture;
}

void ScenePane::Paint(QPainter& painter, const QSize& client) {
  // Only without OpenGL on the screen: the same picture, drawn off-screen. A model that cannot
  // be read is said once by a picture or a print, not at every repaint.
  if (client.width() < 1 || client.height() < 1) return;
  SilentPrompter quiet;
  painter.drawImage(0, 0, Picture(client, quiet));
}

PaneReadout ScenePane::MouseMove(const QPoint& pos, Qt::MouseButtons buttons) {
  if (dragging_ && (buttons & Qt::LeftButton)) {
    host().viewState().sceneRotation.DragTo(pos.x(), pos.y());
    host().Repaint();
  }
  return {};
}

void ScenePane::MousePress(const QPoint& pos, Qt::MouseButton button) {
  if (button != Qt::LeftButton) return;
  host().viewState().sceneRotation.Anchor(pos.x(), pos.y());
  dragging_ = true;
}

void ScenePane::MouseRelease(const QPoint& /*pos*/, Qt::MouseButton button) {
  if (button != Qt::LeftButton) return;
  dragging_ = false;
  host().viewState().sceneRotation.Commit();
}

bool ScenePane::Wheel(int angleDelta) {
  float& zoom = host().viewState().sceneZoom;
  zoom = WheelZoom(zoom, angleDelta);
  host().Repaint();
  return true;
}

void ScenePane::AnimationStep(int /*index*/, bool /*playing*/) {
  host().Repaint();
}

}  // namespace plumora::gui
