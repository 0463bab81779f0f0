// The study's display modes headless: plumora --snapshot flies the mission's dispersion study
// (its NAME.dispersions.json, or --study FILE) and draws the landing scatter, a histogram or the
// landings on the ground track; without a study it says so with status 2.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <filesystem>

#include <QAbstractScrollArea>
#include <QApplication>

#include "DesktopFolder.h"
#include "Pixels.h"
#include "core/app/PlumoraDoc.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CPlumoraApp.h"
#include "gui/logic/commands/CommandIds.h"
#include "gui/logic/study/DocumentStudy.h"
#include "gui/results/CChildFrame.h"
#include "gui/results/CPlumoraView.h"
#include "support/NotingPrompter.h"
#include "support/TestFiles.h"

namespace plumora::gui {
namespace {

namespace fs = std::filesystem;
using smoke::Count;
using smoke::RunSnapshot;

// Eight runs of the Mars example with its entry speed and path angle scattered.
constexpr const char* kStudy = R"({
  "format": "plumora-dispersions-study",
  "format_version": 1,
  "runs": 8,
  "seed": 3,
  "threads": 2,
  "vary": [
    {"field": "speed", "distribution": "normal", "mean": 0.0, "sigma": 20.0},
    {"field": "path_angle", "distribution": "normal", "mean": 0.0, "sigma": 0.3}
  ]
}
)";

class StudySnapshotTest : public smoke::DesktopFolderTest {
 protected:
  StudySnapshotTest() {
    fs::copy_file(test::DataFolder() / "examples" / "mars-entry.psd", base / "mars.psd");
  }
  QImage Picture(const std::string& name) const {
    return QImage(QString::fromStdString((base / name).string()));
  }
};

TEST_F(StudySnapshotTest, WithoutAStudyThereIsNoPictureAndStatusTwo) {
  const auto none = RunSnapshot(base.path(), {"s.png", "--mode", "scatter", "mars.psd"});
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("no dispersion study"), std::string::npos) << none.err;
  EXPECT_NE(none.err.find("mars.dispersions.json"), std::string::npos) << none.err;
  const auto fresh = RunSnapshot(base.path(), {"s.png", "--mode", "histogram"});
  EXPECT_EQ(fresh.status, 2) << fresh.err;
  EXPECT_FALSE(fs::exists(base / "s.png"));

  // A file that is not a study is an error naming it; the picture never replaces the study.
  test::WriteFile(base / "broken.json", "{\"runs\": ");
  const auto broken = RunSnapshot(
      base.path(), {"s.png", "--mode", "scatter", "--study", "broken.json", "mars.psd"});
  EXPECT_EQ(broken.status, 1);
  EXPECT_NE(broken.err.find("broken.json"), std::string::npos) << broken.err;
  test::WriteFile(base / "mars.dispersions.json", kStudy);
  EXPECT_EQ(
      RunSnapshot(base.path(), {"mars.dispersions.json", "--mode", "scatter", "mars.psd"}).status,
      1);
  EXPECT_EQ(test::ReadFile(base / "mars.dispersions.json"), kStudy);
}

TEST_F(StudySnapshotTest, TheStudyIsFlownAndDrawnInEachMode) {
  test::WriteFile(base / "mars.dispersions.json", kStudy);
  const auto scatter = RunSnapshot(base.path(), {"scatter.png", "--mode", "scatter", "mars.psd"});
  ASSERT_EQ(scatter.status, 0) << scatter.err;
  const QImage cloud = Picture("scatter.png");
  ASSERT_EQ(cloud.size(), QSize(800, 600));
  EXPECT_EQ(cloud.pixelColor(0, 0), QColor(Qt::white));
  // The landing dots, the green 1σ and orange 3σ ellipses and the red nominal cross.
  EXPECT_GT(Count(cloud, [](const QColor& c) { return c.blue() > 150 && c.red() < 110; }), 8);
  EXPECT_GT(Count(cloud,
                  [](const QColor& c) { return c.green() > 100 && c.red() < 80 && c.blue() < 80; }),
            50);
  EXPECT_GT(Count(cloud,
                  [](const QColor& c) {
                    return c.red() > 200 && c.green() > 100 && c.green() < 160 && c.blue() < 60;
                  }),
            50);
  EXPECT_GT(Count(cloud,
                  [](const QColor& c) { return c.red() > 180 && c.green() < 60 && c.blue() < 60; }),
            5);

  const auto speed =
      RunSnapshot(base.path(), {"speed.png", "--mode", "histogram", "--histogram-output",
                                "landing_speed", "--size", "640x400", "mars.psd"});
  ASSERT_EQ(speed.status, 0) << speed.err;
  const QImage bars = Picture("speed.png");
  ASSERT_EQ(bars.size(), QSize(640, 400));
  EXPECT_GT(Count(bars, [](const QColor& c) { return c == QColor(120, 160, 220); }), 500);
  // Another output, another picture.
  ASSERT_EQ(RunSnapshot(base.path(), {"time.png", "--mode", "histogram", "--histogram-output",
                                      "landing_time", "--size", "640x400", "mars.psd"})
                .status,
            0);
  EXPECT_NE(Picture("time.png"), bars);

  // The same study from a file of another name, drawn on the ground track.
  fs::rename(base / "mars.dispersions.json", base / "other.json");
  const auto plain = RunSnapshot(base.path(), {"plain.png", "--mode", "track", "mars.psd"});
  const auto landings =
      RunSnapshot(base.path(), {"landings.png", "--mode", "track", "--landing-ellipses", "--study",
                                "other.json", "mars.psd"});
  ASSERT_EQ(plain.status, 0) << plain.err;
  ASSERT_EQ(landings.status, 0) << landings.err;
  EXPECT_NE(Picture("plain.png"), Picture("landings.png"));
}

// Landings a kilometre or so apart around 20° N, 30° E on Mars.
std::shared_ptr<FlownStudy> LandedStudy(int runs) {
  auto flown = std::make_shared<FlownStudy>();
  for (int i = 0; i < runs; ++i) {
    RunRecord r;
    r.run = i;
    r.end = RunEnd::kLanded;
    r.outputs.landingLatitude = 20.0 + 0.01 * (i % 3);
    r.outputs.landingLongitude = 30.0 + 0.02 * i;
    r.outputs.landingSpeed = 60.0 + i;
    r.outputs.planetRadius = 3389500.0;
    flown->outcome.records.push_back(r);
  }
  return flown;
}

TEST_F(StudySnapshotTest, TheWindowOffersTheModesOnceAStudyHasFlownAndRedrawsThemWithIt) {
  test::NotingPrompter prompter;
  CPlumoraApp app;
  app.SetPrompter(&prompter);
  ASSERT_TRUE(app.InitInstance({QString::fromStdString((base / "mars.psd").string())},
                               {false, true}));
  CMainFrame& frame = *app.mainFrame();
  frame.showNormal();
  frame.resize(1000, 700);
  QApplication::processEvents();
  CChildFrame* child = frame.ActiveChild();
  ASSERT_NE(child, nullptr);
  CPlumoraView* view = child->ActiveView();
  ASSERT_NE(view, nullptr);
  // No study yet: neither mode is on offer.
  EXPECT_FALSE(frame.Invoke(kCmdShowLandingScatter));
  EXPECT_FALSE(frame.Invoke(kCmdPopupStudyHistograms));
  EXPECT_EQ(view->state().Mode(), DisplayMode::kNone);

  CPlumoraDoc& doc = child->doc();
  StudyOf(doc).flown = LandedStudy(12);
  doc.NotifyStudyChanged();
  ASSERT_TRUE(frame.Invoke(kCmdShowLandingScatter));
  EXPECT_EQ(view->state().Mode(), DisplayMode::kLandingScatter);
  QApplication::processEvents();
  const auto picture = [view] { return view->canvas()->viewport()->grab().toImage(); };
  const QImage twelve = picture();
  const auto dots = [](const QImage& image) {
    return Count(
        image, [](const QColor& c) { return c.blue() > 150 && c.red() < 110 && c.green() < 150; });
  };
  EXPECT_GT(dots(twelve), 12);

  // A study flown anew redraws the pane at once; the study gone, the pane says how to fly one
  // and its mode can still be switched off.
  StudyOf(doc).flown = LandedStudy(2);
  doc.NotifyStudyChanged();
  QApplication::processEvents();
  const QImage two = picture();
  EXPECT_LT(dots(two), dots(twelve));
  StudyOf(doc).flown.reset();
  doc.NotifyStudyChanged();
  QApplication::processEvents();
  EXPECT_EQ(dots(picture()), 0);
  EXPECT_TRUE(frame.Invoke(kCmdShowLandingScatter));
  EXPECT_EQ(view->state().Mode(), DisplayMode::kNone);
}

}  // namespace
}  // namespace plumora::gui
