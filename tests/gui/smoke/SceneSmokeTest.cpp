// The 3D display modes and the 3D preview in the desktop program: pictures made headless by
// plumora --snapshot, a left drag on a pane, and a preview beside a dialog's fields, on Qt's
// offscreen platform (no OpenGL on the screen there: the scenes are drawn off-screen).
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <cstdlib>
#include <filesystem>

#include "DesktopFolder.h"
#include "Pixels.h"
#include "core/common/Prompter.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CPlumoraApp.h"
#include "gui/editing/CGLPreviewWnd.h"
#include "gui/results/CPlumoraView.h"
#include "support/RunProcess.h"
#include "support/TestFiles.h"

namespace plumora::gui {
namespace {

namespace fs = std::filesystem;

using smoke::Count;
using smoke::Red;

bool Background(const QColor& c) {
  return std::abs(c.red() - 179) <= 1 && std::abs(c.green() - 230) <= 1 &&
         std::abs(c.blue() - 230) <= 1;
}

// plumora --snapshot in the bundled data folder, as a script runs it (no display); the picture.
QImage Snapshot(const fs::path& out, const std::string& mode, const std::string& time) {
  const test::ProcessResult r = smoke::RunSnapshot(
      test::DataFolder(),
      {out.string(), "--mode", mode, "--time", time, "examples/earth-return.psd"});
  EXPECT_EQ(r.status, 0) << r.err;
  return QImage(QString::fromStdString(out.string()));
}

// Canopy pixels on the two outermost rows and columns of a picture.
int RedOnTheEdges(const QImage& picture) {
  const int w = picture.width(), h = picture.height();
  return Count(picture, Red, {0, 0, w, 2}) + Count(picture, Red, {0, h - 2, w, 2}) +
         Count(picture, Red, {0, 0, 2, h}) + Count(picture, Red, {w - 2, 0, 2, h});
}

TEST(SceneSmokeTest, SnapshotsOfTheFourModesShowTheirScenes) {
  test::TempDir out;
  // Under the main canopy of 1500 m²: the wide canopy above, the riser down from where its lines
  // meet to the small capsule below, all of it inside the view.
  const QImage system = Snapshot(out / "system.png", "system3d", "700");
  ASSERT_EQ(system.size(), QSize(800, 600));
  EXPECT_TRUE(Background(system.pixelColor(5, 5)));
  EXPECT_GT(Count(system, Red, {0, 0, 800, 300}), 3000);
  EXPECT_EQ(Count(system, Red, {0, 300, 560, 300}), 0);  // right of it: the triad's labels
  const auto dark = [](const QColor& c) { return c.lightness() < 50; };
  EXPECT_GT(Count(system, dark, {396, 300, 8, 100}), 150);  // the riser
  const auto capsule = [](const QColor& c) { return c.lightness() > 100 && !Background(c); };
  EXPECT_GT(Count(system, capsule, {385, 395, 30, 30}), 10);
  EXPECT_EQ(RedOnTheEdges(system), 0);
  // Earlier, under the drogue, the picture differs.
  EXPECT_NE(Snapshot(out / "drogue.png", "system3d", "600"), system);

  // The capsule at entry, heat shield first; the canopy alone, whole, under its canopy; before
  // it opens, the words that there is none.
  const QImage payload = Snapshot(out / "payload.png", "payload3d", "100");
  EXPECT_FALSE(Background(payload.pixelColor(400, 300)));
  const QColor shield = payload.pixelColor(375, 300);
  EXPECT_GT(shield.red(), shield.green() + 20);  // brown, on the left: flying to the left
  const QImage canopy = Snapshot(out / "canopy.png", "parachute3d", "700");
  EXPECT_GT(Count(canopy, Red, {300, 200, 200, 100}), 1000);
  EXPECT_EQ(RedOnTheEdges(canopy), 0);
  EXPECT_GT(Count(canopy, dark, {380, 400, 40, 100}), 40);  // the lines meeting below it
  const QImage entry = Snapshot(out / "no-canopy.png", "parachute3d", "100");
  EXPECT_EQ(Count(entry, Red), 0);
  EXPECT_GT(Count(entry, dark, {300, 285, 200, 30}), 50);
  EXPECT_EQ(Count(entry, [](const QColor& c) { return !Background(c); }, {0, 0, 800, 280}), 0);

  // The globe on grey with the blue heading arrow over Europe, north of the middle.
  const QImage globe = Snapshot(out / "globe.png", "trajectory3d", "300");
  EXPECT_EQ(globe.pixelColor(5, 5), QColor(102, 102, 102));
  const auto blue = [](const QColor& c) { return c.blue() > 200 && c.red() < 60; };
  EXPECT_GT(Count(globe, blue, {300, 0, 300, 300}), 20);
  EXPECT_EQ(Count(globe, blue, {0, 300, 800, 300}), 0);
}

void Mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::MouseButtons held) {
  QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

void Drag(QWidget* target, QPoint from, QPoint to) {
  Mouse(target, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  Mouse(target, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  Mouse(target, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

TEST(SceneSmokeTest, ALeftDragTurnsTheSceneAndAPreviewDrawsAndTurnsItsOwn) {
  const test::WorkingFolder inData(test::DataFolder());
  RecordingPrompter prompter;
  {
    CPlumoraApp app;
    app.SetPrompter(&prompter);
    ASSERT_TRUE(app.InitInstance({"examples/bridle-legs.psd"}, {false, true}));
    CMainFrame& frame = *app.mainFrame();
    frame.RunActiveMission();
    CPlumoraView* view = frame.ActiveView();
    ASSERT_NE(view, nullptr);
    view->ToggleDisplayMode(DisplayMode::k3DSystem);
    QWidget* canvas = view->canvas()->viewport();
    const QImage before = canvas->grab().toImage();
    EXPECT_GT(Count(before, Red), 20);
    // Thirty pixels right and ten down: turned 30° and tilted 10°; the next drag adds to it.
    Drag(canvas, {50, 50}, {80, 60});
    EXPECT_EQ(view->state().sceneRotation.turn(), 30.0f);
    EXPECT_EQ(view->state().sceneRotation.tilt(), 10.0f);
    Drag(canvas, {0, 0}, {-5, 0});
    EXPECT_EQ(view->state().sceneRotation.turn(), 25.0f);
    EXPECT_NE(canvas->grab().toImage(), before);
    // Another 3D mode of the same pane keeps the turn.
    view->ToggleDisplayMode(DisplayMode::k3DPayload);
    EXPECT_EQ(view->state().sceneRotation.turn(), 25.0f);

    // A preview in a dialog: the payload with its lines, turned by a drag inside it.
    QDialog dialog(&frame);
    dialog.resize(600, 300);
    auto* preview = new CGLPreviewWnd(&dialog, 360, 40, 200, 200, kPreviewCapsule);
    const QImage still = preview->grab().toImage();
    EXPECT_FALSE(Background(still.pixelColor(100, 100)));  // the capsule in the middle
    EXPECT_TRUE(Background(still.pixelColor(5, 5)));
    EXPECT_EQ(still.pixelColor(0, 0), QColor(Qt::black));  // the border
    Drag(preview, {100, 100}, {160, 100});
    EXPECT_EQ(preview->state().turn(), 60.0f);
    EXPECT_NE(preview->grab().toImage(), still);
  }
  EXPECT_TRUE(prompter.entries().empty()) << prompter.Transcript();
}

}  // namespace
}  // namespace plumora::gui
