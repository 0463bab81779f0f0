// 3D views in the desktop program, on whatever display the test is started with: on Qt's
// offscreen platform (no OpenGL context can be made there) the views say so instead of
// drawing; under a real X server they draw the shared lists. Off-screen pictures work on both,
// with Qt's OpenGL libraries loaded in the same process.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "../smoke/Pixels.h"
#include "core/common/Messages.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CPlumoraApp.h"
#include "gui/editing/CGLPreviewWnd.h"
#include "gui/kit/GlResources.h"
#include "gui/kit/GlSceneWidget.h"
#include "gui/kit/GlSnapshot.h"
#include "gui/results/CPlumoraView.h"
#include "support/TestFiles.h"

namespace plumora::gui {
namespace {

constexpr int kWidth = 240, kHeight = 180;

// The capsule seen from the side, lit from the eye, on a grey background, with one label.
std::vector<SceneLabel> DrawCapsule(const SceneFrame& f) {
  const GlFunctions& gl = f.gl;
  const float eye[4] = {0, 0, 1, 0};
  gl.ClearColor(0.5f, 0.5f, 0.5f, 1.0f);
  gl.Clear(kGlColorBufferBit | kGlDepthBufferBit);
  gl.Enable(kGlDepthTest);
  gl.MatrixMode(kGlModelview);
  gl.LoadIdentity();
  gl.Lightfv(kGlLight0, kGlAmbient, kLightAmbient.data());
  gl.Lightfv(kGlLight0, kGlDiffuse, kLightDiffuse.data());
  gl.Lightfv(kGlLight0, kGlPosition, eye);
  gl.Enable(kGlLighting);
  gl.Enable(kGlLight0);
  gl.Translated(0, 0, -28);
  gl.Rotated(-90, 0, 1, 0);  // the heat shield towards the eye
  for (SceneModel part : {SceneModel::kCapsuleTop1, SceneModel::kCapsuleTop2,
                          SceneModel::kCapsuleBody, SceneModel::kCapsuleShield}) {
    f.scene.DrawModel(gl, part);
  }
  return {{20, 10, "x"}};
}

// The heat shield's brown shows in the middle; the label's red near the top left corner.
void ExpectCapsuleAndLabel(const QImage& picture) {
  ASSERT_FALSE(picture.isNull());
  const QColor centre = picture.pixelColor(picture.width() / 2, picture.height() / 2);
  EXPECT_GT(centre.red(), centre.green() + 20) << centre.name().toStdString();
  EXPECT_GT(centre.green(), centre.blue()) << centre.name().toStdString();
  bool red = false;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      const QColor c = picture.pixelColor(x, y);
      red = red || (c.red() > 150 && c.green() < 60 && c.blue() < 60);
    }
  }
  EXPECT_TRUE(red);
}

// Off-screen pictures draw the scene and its labels. They share one context and its lists: the
// models are read by the first picture of a base folder only (one taken off the disk afterwards is
// still drawn, and nothing is said), at whatever size each picture has. Another base folder gets
// lists of its own, and what reading them said is said at each of its pictures.
TEST(GlViewTest, OffScreenPicturesReadTheModelsOnce) {
  namespace fs = std::filesystem;
  const auto copyModels = [](const fs::path& from, const test::TempDir& to) {
    for (const char* folder : {"3dmodels", "graphics"}) {
      fs::copy(from / folder, to / folder, fs::copy_options::recursive);
    }
  };
  test::TempDir base;
  copyModels(test::DataFolder(), base);
  RecordingPrompter prompter;
  std::string failure;
  const QImage first =
      RenderSceneOffscreen(base.path(), kWidth, kHeight, DrawCapsule, prompter, &failure);
  ASSERT_FALSE(first.isNull()) << failure;
  EXPECT_EQ(first.size(), QSize(kWidth, kHeight));
  ExpectCapsuleAndLabel(first);
  EXPECT_TRUE(prompter.entries().empty()) << prompter.Transcript();
  fs::remove(base / "3dmodels" / "zel_shield.ogl");
  const QImage other = RenderSceneOffscreen(base.path(), kHeight, kWidth, DrawCapsule, prompter);
  EXPECT_EQ(other.size(), QSize(kHeight, kWidth));
  ExpectCapsuleAndLabel(other);
  // The same folder written another way.
  ExpectCapsuleAndLabel(
      RenderSceneOffscreen(base / "graphics" / ".." / "", kWidth, kHeight, DrawCapsule, prompter));
  EXPECT_TRUE(prompter.entries().empty()) << prompter.Transcript();

  test::TempDir shieldless;
  copyModels(base.path(), shieldless);
  for (int k = 0; k < 2; ++k) {
    const QImage picture =
        RenderSceneOffscreen(shieldless.path(), kWidth, kHeight, DrawCapsule, prompter);
    EXPECT_EQ(picture.size(), QSize(kWidth, kHeight));
  }
  ASSERT_EQ(prompter.entries().size(), 2u) << prompter.Transcript();
  EXPECT_NE(prompter.entries()[0].text.find("zel_shield.ogl"), std::string::npos);
  EXPECT_EQ(prompter.entries()[1].text, prompter.entries()[0].text);
}

TEST(GlViewTest, ViewsDrawTheSharedListsOrSayThatTheyCannot) {
  GlResources resources;
  RecordingPrompter prompter;
  const bool ready = resources.Initialise(test::DataFolder(), prompter);
  EXPECT_TRUE(prompter.entries().empty()) << prompter.Transcript();
  std::unique_ptr<QWidget> view(CreateGlView(resources, DrawCapsule));
  if (QGuiApplication::platformName() == "offscreen") {
    // No context can be had here: a failure, reported as one, and a plain message instead.
    ASSERT_FALSE(ready);
    EXPECT_FALSE(resources.failure().empty());
    auto* label = dynamic_cast<QLabel*>(view.get());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text().toStdString(), kMsgNoOpenGl);
    return;
  }
  ASSERT_TRUE(ready) << resources.failure();
  auto* widget = dynamic_cast<QOpenGLWidget*>(view.get());
  ASSERT_NE(widget, nullptr);
  widget->resize(kWidth, kHeight);
  widget->show();
  ExpectCapsuleAndLabel(widget->grabFramebuffer());
  // A second view draws the same lists in a context of its own, at another size.
  std::unique_ptr<QWidget> second(CreateGlView(resources, DrawCapsule));
  second->resize(kHeight, kWidth);
  second->show();
  ExpectCapsuleAndLabel(static_cast<QOpenGLWidget*>(second.get())->grabFramebuffer());
  // And an off-screen picture still draws after the screen's OpenGL has been at work.
  const QImage picture =
      RenderSceneOffscreen(test::DataFolder(), kWidth, kHeight, DrawCapsule, prompter);
  ExpectCapsuleAndLabel(picture);
  ExpectCapsuleAndLabel(widget->grabFramebuffer());
}

TEST(GlViewTest, TheProgramStartsWithTheListsBuiltWhereverOpenGlCanBeHad) {
  const test::WorkingFolder inData(test::DataFolder());
  RecordingPrompter prompter;
  {
    CPlumoraApp app;
    app.SetPrompter(&prompter);
    // Shown, as a user starts it: where the display has no OpenGL, the window must still draw
    // (an OpenGL widget in it once brought the program down on its first paint).
    ASSERT_TRUE(app.InitInstance({}, {false, true})) << prompter.Transcript();
    const QOpenGLContext* shared = QOpenGLContext::globalShareContext();
    EXPECT_EQ(app.mainFrame()->glResources().IsReady(),
              QGuiApplication::platformName() != "offscreen" || (shared && shared->isValid()));
    app.mainFrame()->repaint();
    QApplication::processEvents();
  }
  EXPECT_TRUE(prompter.entries().empty()) << prompter.Transcript();
}

// On a real display the 3D panes and previews draw into OpenGL views of the shared lists (on the
// offscreen platform they draw off-screen pictures instead: see the smoke test).
TEST(GlViewTest, PanesAndPreviewsDrawTheirScenesOnTheScreen) {
  if (QGuiApplication::platformName() == "offscreen") GTEST_SKIP() << "no OpenGL on this screen";
  const test::WorkingFolder inData(test::DataFolder());
  RecordingPrompter prompter;
  {
    CPlumoraApp app;
    app.SetPrompter(&prompter);
    ASSERT_TRUE(app.InitInstance({"examples/bridle-legs.psd"}, {false, true}));
    CMainFrame& frame = *app.mainFrame();
    frame.RunActiveMission();
    CPlumoraView* view = frame.ActiveView();
    view->ToggleDisplayMode(DisplayMode::k3DSystem);
    auto* surface = dynamic_cast<QOpenGLWidget*>(view->pane()->surface());
    ASSERT_NE(surface, nullptr);
    EXPECT_GT(smoke::Count(surface->grabFramebuffer(), smoke::Red), 50);
    QDialog dialog(&frame);
    dialog.resize(600, 300);
    dialog.show();
    auto* preview = new CGLPreviewWnd(&dialog, 370, 10, 210, 210, kPreviewParachute);
    auto* canopy = preview->findChild<QOpenGLWidget*>();
    ASSERT_NE(canopy, nullptr);
    EXPECT_GT(smoke::Count(canopy->grabFramebuffer(), smoke::Red), 200);
  }
  EXPECT_TRUE(prompter.entries().empty()) << prompter.Transcript();
}

}  // namespace
}  // namespace plumora::gui

int main(int argc, char** argv) {
  // Keep the settings of the program's start-up out of the user's own.
  static plumora::test::TempDir settings;
  setenv("XDG_CONFIG_HOME", settings.path().c_str(), 1);
  plumora::gui::PrepareOpenGl();
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
