#include "gui/kit/GlResources.h"

#include <QCoreApplication>
#include <QOpenGLWidget>

#include "core/common/Messages.h"

namespace plumora::gui {

namespace {

constexpr int kDepthBits = 24;
constexpr int kGlMajor = 2;  // any version with the compatibility profile has OpenGL 1.1 in it
constexpr int kGlMinor = 1;

}  // namespace

QSurfaceFormat GlSurfaceFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setVersion(kGlMajor, kGlMinor);
  format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  format.setDepthBufferSize(kDepthBits);
  format.setRedBufferSize(8);
  format.setGreenBufferSize(8);
  format.setBlueBufferSize(8);
  return format;
}

void PrepareOpenGl() {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QSurfaceFormat::setDefaultFormat(GlSurfaceFormat());
}

void PrepareForOpenGlViews(QWidget& window) {
  // No OpenGL on this display (or a shared context that could not be made): no 3D views. An
  // OpenGL widget in a window the platform cannot draw with OpenGL brings the program down.
  const QOpenGLContext* shared = QOpenGLContext::globalShareContext();
  if (!shared || !shared->isValid()) return;
  auto* placeholder = new QOpenGLWidget(&window);
  placeholder->setObjectName("openGlPlaceholder");
  placeholder->hide();
}

Result<> ResolveGl(QOpenGLContext& context, GlFunctions& gl) {
  Result<> resolved =
      gl.Resolve([&context](const char* name) { return context.getProcAddress(name); });
  if (resolved && !gl.HasCurrentContext())
    return Fail(ErrorCode::kUnavailable, std::string(kMsgNoCurrentContext));
  return resolved;
}

bool GlResources::Initialise(const std::filesystem::path& base, Prompter& prompter) {
  if (IsReady()) return true;
  QOpenGLContext* group = QOpenGLContext::globalShareContext();
  if (!group) {
    failure_ = "there is no shared OpenGL context group";
    return false;
  }
  context_ = std::make_unique<QOpenGLContext>();
  context_->setFormat(GlSurfaceFormat());
  context_->setShareContext(group);
  surface_ = std::make_unique<QOffscreenSurface>();
  surface_->setFormat(context_->format());
  surface_->create();
  if (!context_->create() || !surface_->isValid() || !context_->makeCurrent(surface_.get())) {
    failure_ = "no OpenGL context can be made on this display";
    context_.reset();
    surface_.reset();
    return false;
  }
  Result<> result = ResolveGl(*context_, gl_);
  if (result) result = scene_.CreateContext(gl_, base, prompter);
  context_->doneCurrent();
  if (result) streaks_.Reset(kStreakDensity, kStreakHalfSize);
  failure_ = result ? std::string() : result.message();
  return result.ok();
}

GlResources::~GlResources() {
  // The lists go before their context; the shared group keeps nothing of ours after that.
  if (context_ && surface_ && context_->makeCurrent(surface_.get())) {
    scene_.DeleteLists(gl_);
    context_->doneCurrent();
  }
}

}  // namespace plumora::gui
