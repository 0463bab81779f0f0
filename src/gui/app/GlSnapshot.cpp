#include "gui/app/GlSnapshot.h"

#include <QPainter>
#include <memory>

#include "gl/HeadlessContext.h"
#include "gui/results/GlSceneWidget.h"

namespace plumora::gui {

QImage RenderSceneOffscreen(const std::filesystem::path& base, int width, int height,
                            const SceneDraw& draw, Prompter& prompter, std::string* failure) {
  std::unique_ptr<HeadlessContext> context;
  Result<> result = HeadlessContext::Create(width, height, context);
  CGLScene scene;
  if (result) result = scene.CreateContext(context->gl(), base, prompter);
  if (!result) {
    if (failure) *failure = result.message();
    return {};
  }
  ViewProjection projection;
  projection.Update(context->gl(), width, height);
  const std::vector<SceneLabel> labels = draw({context->gl(), scene, projection});
  const std::vector<std::uint8_t> rgba = context->ReadRgba();
  scene.DeleteLists(context->gl());
  QImage picture = QImage(rgba.data(), width, height, QImage::Format_RGBA8888)
                       .convertToFormat(QImage::Format_RGB32);
  if (!labels.empty()) {
    QPainter painter(&picture);
    PaintSceneLabels(painter, labels, 1.0);
  }
  return picture;
}

}  // namespace plumora::gui
