#include "gui/kit/GlSnapshot.h"

#include <QPainter>
#include <memory>
#include <mutex>
#include <vector>

#include "gl/HeadlessContext.h"
#include "gui/kit/GlSceneWidget.h"

namespace plumora::gui {

namespace {

// The one off-screen context of the process and the lists built in it, kept from one picture to
// the next: a repaint without on-screen OpenGL draws with them instead of reading the models, the
// meshes and the planet maps again. The lists are those of one base folder; another one builds
// its own in their place.
class OffscreenScene {
 public:
  OffscreenScene() = default;
  OffscreenScene(const OffscreenScene&) = delete;
  OffscreenScene& operator=(const OffscreenScene&) = delete;

  // The context current at width × height with the lists of base; what reading them said is
  // said again through prompter, as a fresh context would have said it.
  Result<> Prepare(const std::filesystem::path& base, int width, int height, Prompter& prompter) {
    if (!context_) {
      Result<> made = HeadlessContext::Create(width, height, context_);
      if (!made) return made;
    } else if (!context_->Resize(width, height)) {
      return Fail(ErrorCode::kUnavailable, "OSMesa could not make its OpenGL context current");
    }
    // The panes name the base folder as the program started in it, the previews as the working
    // folder: one folder, however it is written, keeps its lists.
    std::error_code error;
    std::filesystem::path folder = std::filesystem::weakly_canonical(base, error);
    if (error) folder = base.lexically_normal();
    if (!folder.has_filename() && folder != folder.root_path()) folder = folder.parent_path();
    if (!scene_.IsReady() || folder != base_) Build(folder);
    for (const RecordingPrompter::Entry& said : built_.entries()) {
      prompter.Message(said.text, said.caption);
    }
    if (!listsMade_) return listsMade_;
    CGLScene::InitContextState(context_->gl());
    return {};
  }

  const GlFunctions& gl() const { return context_->gl(); }
  const CGLScene& scene() const { return scene_; }
  std::vector<std::uint8_t> Finish() const {
    std::vector<std::uint8_t> rgba = context_->ReadRgba();
    context_->Release();
    return rgba;
  }

 private:
  void Build(const std::filesystem::path& base) {
    if (scene_.IsReady()) scene_.DeleteLists(context_->gl());
    built_.Clear();
    base_ = base;
    listsMade_ = scene_.CreateContext(context_->gl(), base, built_);
  }

  std::unique_ptr<HeadlessContext> context_;
  CGLScene scene_;
  std::filesystem::path base_;  // whose lists the scene holds
  RecordingPrompter built_;     // what building them said
  Result<> listsMade_;
};

}  // namespace

QImage RenderSceneOffscreen(const std::filesystem::path& base, int width, int height,
                            const SceneDraw& draw, Prompter& prompter, std::string* failure) {
  // Pictures are drawn one at a time, on whichever thread asks for one. The scene lives as long
  // as the process: Mesa may be taken down before anything could free it at exit.
  static std::mutex drawing;
  static OffscreenScene& shared = *new OffscreenScene;
  const std::lock_guard<std::mutex> lock(drawing);
  if (const Result<> ready = shared.Prepare(base, width, height, prompter); !ready) {
    if (failure) *failure = ready.message();
    return {};
  }
  ViewProjection projection;
  projection.Update(shared.gl(), width, height);
  const std::vector<SceneLabel> labels = draw({shared.gl(), shared.scene(), projection});
  const std::vector<std::uint8_t> rgba = shared.Finish();
  QImage picture = QImage(rgba.data(), width, height, QImage::Format_RGBA8888)
                       .convertToFormat(QImage::Format_RGB32);
  if (!labels.empty()) {
    QPainter painter(&picture);
    PaintSceneLabels(painter, labels, 1.0);
  }
  return picture;
}

}  // namespace plumora::gui
