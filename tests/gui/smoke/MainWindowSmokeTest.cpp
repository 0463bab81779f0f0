// The desktop program's main window on Qt's offscreen platform: start-up with a mission, a run
// behind the progress dialog, the table in a pane, printing, Stop, menus and panes.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "Pictures.h"
#include "core/app/MissionFiles.h"
#include "core/app/ResultsCsv.h"
#include "core/common/Messages.h"
#include "gui/app/AnimationBar.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CPlumoraApp.h"
#include "gui/app/CommandRouter.h"
#include "gui/app/MissionPlanBar.h"
#include "gui/app/ProgressDialog.h"
#include "gui/logic/CommandIds.h"
#include "gui/logic/StartupBitmaps.h"
#include "gui/results/CPlumoraView.h"
#include "gui/results/TablePane.h"
#include "support/NotingPrompter.h"
#include "support/RunProcess.h"
#include "support/TestFiles.h"

namespace plumora::gui {
namespace {

namespace fs = std::filesystem;

// A base folder with the bundled atmospheres and aerodynamics, small start-up pictures, and a
// mission: one payload flown by `phases` ballistic phases. Every question is answered yes, and
// the prompter notes whether all were asked on the interface thread.
class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : previous_(fs::current_path()) {
    fs::copy(test::DataFolder() / "atm", base / "atm", fs::copy_options::recursive);
    fs::copy(test::DataFolder() / "adf", base / "adf", fs::copy_options::recursive);
    const std::string picture = tools::BmpBytes(tools::ZoomMark(16));
    for (std::string_view name : kStartupPictureFiles) {
      test::WriteFile(base / "graphics" / std::string(name), picture);
    }
    fs::current_path(base.path());
    prompter.note = [this] { allOnGuiThread &= QThread::currentThread() == qApp->thread(); };
  }
  ~MainWindowTest() override { fs::current_path(previous_); }

  fs::path WriteMission(int phases, double timeStep) {
    CPlumoraDoc doc;
    CPayload& payload = doc.CreatePayload();
    payload.name = "Capsule";
    for (int k = 0; k < phases; ++k) {
      CMissionPhase& phase = doc.AddPhase(kPhaseBallisticEntry);
      phase.name = "Entry phase " + std::to_string(k + 1);
      phase.ballistic()->payloadNumber = payload.number;
    }
    doc.missionName = "Smoke \xE9preuve";  // Windows-1252 é
    doc.timeStep = timeStep;
    const fs::path path = base / "mission.psd";
    EXPECT_TRUE(SaveMission(doc, path));
    return path;
  }

  bool Start(const fs::path& mission) {
    app.SetPrompter(&prompter);
    return app.InitInstance({QString::fromStdString(mission.string())}, {false, true});
  }

  test::TempDir base;
  test::NotingPrompter prompter;
  bool allOnGuiThread = true;
  CPlumoraApp app;

 private:
  fs::path previous_;
};

std::vector<std::string> Row(const TableDrawing& table, int y) {
  std::vector<std::string> texts;
  for (const TableText& t : table.texts) {
    if (t.y == y) texts.push_back(t.text);
  }
  return texts;
}

TableDrawing Table(const CPlumoraView& view) {
  const auto* pane = dynamic_cast<const TablePane*>(view.pane());
  EXPECT_NE(pane, nullptr);
  return pane ? pane->CurrentTable() : TableDrawing{};
}

TEST_F(MainWindowTest, OpensRunsAndShowsTheResultsInATable) {
  ASSERT_TRUE(Start(WriteMission(1, 0.1))) << prompter.recorder.Transcript();
  CMainFrame& frame = *app.mainFrame();
  // The area adds the document window's caption to the program's: the name once only.
  EXPECT_EQ(frame.windowTitle(), "plumora - [mission.psd[*]]");
  EXPECT_EQ(app.baseFolder(), base.path());
  EXPECT_EQ(app.bitmaps().zoom.Width(), 16);
  CChildFrame* child = frame.ActiveChild();
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(frame.missionPlanBar()->missionName(), QString::fromUtf8("Smoke \u00E9preuve"));
  EXPECT_EQ(frame.missionPlanBar()->phaseLines(), QStringList{"1\ty\tEntry ph\tBR"});
  EXPECT_EQ(frame.animationBar()->timeText(), "0.00/0.0 s");
  frame.showNormal();
  frame.resize(1280, 860);
  QApplication::processEvents();
  child->EqualisePanes();

  // Before the run: the pictures of the flight need results.
  frame.UpdateCommandStates();
  EXPECT_TRUE(frame.Action(kCmdShowTable)->isEnabled());
  EXPECT_FALSE(frame.Action(kCmdShow3DPayload)->isEnabled());
  EXPECT_FALSE(frame.Action(kCmdExportResults)->isEnabled());
  EXPECT_FALSE(frame.Invoke(kCmdExportResults));  // not even as --snapshot --command would
  EXPECT_EQ(frame.Action(kCmdRun)->statusTip(), "Start simulation");

  frame.Invoke(kCmdShowTable);
  CPlumoraView* view = child->View(0, 0);
  EXPECT_EQ(view->state().Mode(), DisplayMode::kTable);
  EXPECT_EQ(Table(*view).texts.at(0).text, "No data available");

  frame.Invoke(kCmdRun);
  EXPECT_TRUE(frame.Action(kCmdExportResults)->isEnabled());
  EXPECT_FALSE(frame.running());
  EXPECT_TRUE(prompter.recorder.entries().empty()) << prompter.recorder.Transcript();
  const CTrajectoryStore& results = child->doc().results;
  EXPECT_TRUE(frame.statusBar()->currentMessage().startsWith(
      QString("Done: %1 samples, ").arg(results.LastIndex() + 1)));
  ASSERT_GT(results.LastIndex(), 10);
  EXPECT_FALSE(child->documentState().modified());  // a run is not an edit
  const double end = results.SampleAt(results.LastIndex()).time;
  char expected[64];
  std::snprintf(expected, sizeof expected, "0.00/%.2f s", end);
  EXPECT_EQ(frame.animationBar()->timeText(), expected);
  frame.UpdateCommandStates();
  EXPECT_TRUE(frame.Action(kCmdShow3DPayload)->isEnabled());
  EXPECT_TRUE(frame.Action(kCmdShowTable)->isChecked());

  QApplication::processEvents();
  const TableDrawing table = Table(*view);
  EXPECT_EQ(Row(table, 0),
            (std::vector<std::string>{"Time", "Latitude", "Longitude", "Heading", "Altitude L",
                                      "Path angle L", "Speed L", "Roll L", "Pitch L", "Yaw L"}));
  EXPECT_EQ(Row(table, 20).front(), "(s)");
  const std::vector<std::string> first = Row(table, 60);
  ASSERT_EQ(first.size(), 10u);
  EXPECT_EQ(first[0], "0.00");
  EXPECT_EQ(first[4], "14000.00");
  EXPECT_EQ(first[5], "-12.14");
  EXPECT_EQ(first[6], "500.00");

  // What the pane really shows: grey background, maroon headers, the red frame of the active
  // pane, black values.
  const QImage pane = view->canvas()->viewport()->grab().toImage();
  EXPECT_EQ(pane.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(pane.pixelColor(pane.width() / 2, pane.height() - 5), QColor(140, 140, 140));
  // Text is smoothed: count the pixels close to the text colours.
  const auto near = [](QColor c, int r, int g, int b) {
    return std::abs(c.red() - r) + std::abs(c.green() - g) + std::abs(c.blue() - b) < 40;
  };
  int maroon = 0, black = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 1; x < 100; ++x) maroon += near(pane.pixelColor(x, y), 128, 0, 0);
  }
  for (int y = 60; y < 80; ++y) {
    for (int x = 1; x < 100; ++x) black += near(pane.pixelColor(x, y), 0, 0, 0);
  }
  EXPECT_GT(maroon, 10);
  EXPECT_GT(black, 10);

  // One line down moves the rows, not the header.
  view->canvas()->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  const TableDrawing scrolled = Table(*view);
  EXPECT_EQ(Row(scrolled, 0).front(), "Time");
  EXPECT_EQ(Row(scrolled, 60).front(), "0.10");

  // Playing wakes the interface when a sample is due (every 100 ms here), not in a busy loop.
  struct TimerCount final : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
      count += event->type() == QEvent::Timer;
      return false;
    }
    int count = 0;
  } timers;
  frame.OnAnimationControl(kCtlPlay, 0);
  qApp->installEventFilter(&timers);
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 350) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  qApp->removeEventFilter(&timers);
  frame.OnAnimationControl(kCtlPause, 0);
  EXPECT_GE(frame.animation().index(), 2);
  EXPECT_LT(timers.count, 60);
  frame.OnAnimationControl(kCtlToStart, 0);

  // Export writes what plumora-cli run --csv writes, and never over the mission itself.
  EXPECT_TRUE(frame.ExportResults(base / "results.csv"));
  EXPECT_EQ(test::ReadFile(base / "results.csv"), ResultsCsvText(results));
  const std::string mission = test::ReadFile(base / "mission.psd");
  EXPECT_FALSE(frame.ExportResults(base / "mission.psd"));
  EXPECT_EQ(test::ReadFile(base / "mission.psd"), mission);
  ASSERT_EQ(prompter.recorder.entries().size(), 1u);
  prompter.recorder.Clear();

  // The other panes show other things; then a screenshot for people to look at.
  view->canvas()->verticalScrollBar()->setValue(0);
  child->View(1, 1)->ToggleDisplayMode(DisplayMode::kTable);
  child->View(1, 0)->ToggleDisplayMode(DisplayMode::kChart);
  QApplication::processEvents();
  const QString shot = QStringLiteral(PLUMORA_SCREENSHOT_DIR "/plumora-main-window.png");
  EXPECT_TRUE(frame.grab().save(shot));

  // Printing: the header and the rows from the first one shown, on an A4 page, every one of the
  // ten shown columns (250 mm of them) narrowed onto it.
  view->canvas()->verticalScrollBar()->setValue(0);
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  const fs::path pdf = base / "table.pdf";
  printer.setOutputFileName(QString::fromStdString(pdf.string()));
  view->Print(printer);
  ASSERT_TRUE(fs::exists(pdf));
  const test::ProcessResult text = test::RunProcess("/usr/bin/pdftotext", {pdf.string(), "-"});
  ASSERT_EQ(text.status, 0) << text.err;
  for (const char* expectedText :
       {"Time", "Altitude L", "(deg)", "14000.00", "-12.14", "0.10", "Pitch L", "Yaw L"}) {
    EXPECT_NE(text.out.find(expectedText), std::string::npos) << expectedText << "\n" << text.out;
  }
}

TEST_F(MainWindowTest, StopEndsTheRunAndPromptsComeFromTheInterfaceThread) {
  // Two long phases; the second flies a payload that does not exist and would complain.
  ASSERT_TRUE(Start(WriteMission(2, 0.001))) << prompter.recorder.Transcript();
  CMainFrame& frame = *app.mainFrame();
  CChildFrame* child = frame.ActiveChild();
  ASSERT_NE(child, nullptr);
  child->doc().phases[1]->ballistic()->payloadNumber = 99;

  bool pressed = false;
  QTimer stopper;
  stopper.setInterval(20);
  QObject::connect(&stopper, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* dialog = dynamic_cast<ProgressDialog*>(w);
      if (dialog && dialog->isVisible() && !dialog->phaseText().isEmpty()) {
        EXPECT_EQ(dialog->windowTitle(), "Processing...");
        EXPECT_EQ(dialog->phaseText(), "    1/2");
        // Nothing closes while the worker runs: the main window stays.
        EXPECT_FALSE(frame.close());
        EXPECT_TRUE(frame.isVisible());
        EXPECT_TRUE(frame.running());
        dialog->stopButton()->click();
        pressed = true;
        stopper.stop();
      }
    }
  });
  stopper.start();
  frame.RunActiveMission();
  stopper.stop();
  EXPECT_TRUE(pressed);
  // Stopped in the first phase: the second never ran, so nothing was said about its payload.
  EXPECT_TRUE(prompter.recorder.entries().empty()) << prompter.recorder.Transcript();
  EXPECT_GE(child->doc().results.LastIndex(), 0);

  // Without the stop the second phase speaks, on the interface thread.
  child->doc().phases[0]->ballistic()->stopTime = 0.5;
  child->doc().phases[0]->ballistic()->stopKind = 0;
  frame.RunActiveMission();
  ASSERT_EQ(prompter.recorder.entries().size(), 1u);
  EXPECT_EQ(prompter.recorder.entries()[0].text, kMsgNoPayloadBallistic);
  EXPECT_TRUE(allOnGuiThread);
}

TEST_F(MainWindowTest, BarsMenusAndPanes) {
  ASSERT_TRUE(Start(WriteMission(1, 0.1)));
  CMainFrame& frame = *app.mainFrame();
  frame.showNormal();
  frame.resize(1000, 800);
  QApplication::processEvents();
  frame.UpdateCommandStates();
  QAction* plan = frame.Action(kCmdMainControl);
  EXPECT_TRUE(plan->isChecked());
  frame.Invoke(kCmdMainControl);
  QApplication::processEvents();
  EXPECT_FALSE(plan->isChecked());
  EXPECT_FALSE(frame.missionPlanBar()->isVisible());
  frame.Invoke(kCmdMainControl);
  QApplication::processEvents();
  EXPECT_TRUE(plan->isChecked());
  EXPECT_EQ(frame.statusPane(0)->text(), "X=0.0");
  EXPECT_EQ(frame.statusPane(2)->width(), 150);
  // The read-out panes hold the longest read-out whole.
  const QString longest = QString::fromStdString(AxisReadout(13, -12345.67));
  frame.ShowReadout(longest, longest);
  QApplication::processEvents();
  EXPECT_GE(frame.statusPane(1)->contentsRect().width(),
            frame.statusPane(1)->fontMetrics().horizontalAdvance(longest));

  // A pane made for a mode is kept while the view lives; a blank view has none and no scrolling.
  CPlumoraView* first = frame.ActiveView();
  first->ToggleDisplayMode(DisplayMode::kChart);
  ResultsPane* chart = first->pane();
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->mode(), DisplayMode::kChart);
  first->ToggleDisplayMode(DisplayMode::kTable);
  first->ToggleDisplayMode(DisplayMode::kChart);
  EXPECT_EQ(first->pane(), chart);
  first->ToggleDisplayMode(DisplayMode::kChart);
  EXPECT_EQ(first->pane(), nullptr);
  EXPECT_EQ(first->canvas()->verticalScrollBar()->maximum(), 0);

  // Double click zooms a pane to the whole window and back.
  CChildFrame* child = frame.ActiveChild();
  child->EqualisePanes();
  QApplication::processEvents();
  CPlumoraView* corner = child->View(1, 1);
  child->TogglePaneMaximised(*corner);
  QApplication::processEvents();
  EXPECT_EQ(child->CurrentSplit(), (PaneSplit{0, 0}));
  EXPECT_GE(corner->width(), child->width() - 12);
  child->TogglePaneMaximised(*corner);
  QApplication::processEvents();
  EXPECT_GT(child->CurrentSplit().firstColumnWidth, 100);
  EXPECT_EQ(child->ActiveView(), child->View(0, 0));

  // A second document: numbered, its own window, and the plan follows the active one.
  CChildFrame* second = frame.NewDocument();
  QApplication::processEvents();
  EXPECT_EQ(frame.ActiveChild(), second);
  EXPECT_EQ(second->documentState().Title(), "Plumor2");
  EXPECT_EQ(frame.missionPlanBar()->missionName(), "Default");
  EXPECT_TRUE(frame.missionPlanBar()->phaseLines().isEmpty());

  // Closing the active window hands the bars back to the first one.
  ASSERT_TRUE(frame.Action(kCmdFileClose)->isEnabled());
  frame.Invoke(kCmdFileClose);
  QApplication::processEvents();
  EXPECT_EQ(frame.ActiveChild(), child);
  EXPECT_EQ(frame.missionPlanBar()->phaseLines(), QStringList{"1\ty\tEntry ph\tBR"});
  EXPECT_EQ(frame.animation().bound(), &child->doc().results);
  second = frame.NewDocument();
  QApplication::processEvents();

  // Tiled, both windows show; only the one the user works in has a red-framed pane. A mode that
  // is not built yet says so in the middle of its pane.
  frame.Invoke(kCmdWindowTile);
  frame.Invoke(kCmdShowChart);
  QApplication::processEvents();
  const auto picture = [](CPlumoraView* v) { return v->canvas()->viewport()->grab().toImage(); };
  const QImage working = picture(second->ActiveView());
  EXPECT_EQ(working.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_NE(picture(child->ActiveView()).pixelColor(0, 0), QColor(255, 0, 0));
  int ink = 0;
  for (int x = working.width() / 4; x < 3 * working.width() / 4; ++x) {
    ink += working.pixelColor(x, working.height() / 2).lightness() < 128;
  }
  EXPECT_GT(ink, 5);
  EXPECT_EQ(working.pixelColor(working.width() / 2, 3), QColor(Qt::white));

  // Saving under a new name writes a mission that loads again.
  const fs::path copy = base / "copy.json";
  second->doc().missionName = "Copied";
  second->documentState().SetModified();
  second->documentState().SetPath(copy);
  ASSERT_TRUE(frame.SaveDocument(*second, false));
  CPlumoraDoc reread;
  ASSERT_TRUE(LoadMission(reread, copy));
  EXPECT_EQ(reread.missionName, "Copied");

  // With no window left the bars show no mission and the commands of a document are off.
  frame.Invoke(kCmdFileClose);
  QApplication::processEvents();
  frame.Invoke(kCmdFileClose);
  QApplication::processEvents();
  EXPECT_EQ(frame.ActiveChild(), nullptr);
  EXPECT_EQ(frame.missionPlanBar()->missionName(), "None");
  EXPECT_EQ(frame.animation().bound(), nullptr);
  EXPECT_EQ(frame.animationBar()->timeText(), "0.00/0.0 s");
  EXPECT_FALSE(frame.Action(kCmdRun)->isEnabled());
  EXPECT_FALSE(frame.Action(kCmdShowTable)->isEnabled());
  EXPECT_EQ(frame.statusPane(1)->text(), "Y=0.0");
  EXPECT_EQ(frame.statusBar()->currentMessage(), "");
}

TEST_F(MainWindowTest, AMissingPictureEndsTheStart) {
  fs::remove(base / "graphics" / "titan_gl.bmp");
  EXPECT_FALSE(Start(WriteMission(1, 0.1)));
  ASSERT_EQ(prompter.recorder.entries().size(), 1u);
  EXPECT_EQ(prompter.recorder.entries()[0].text, "Error opening file titan_gl.bmp");
}

// The menus hold the commands that have a handler, in groups; a command runs only when its rule
// lets it, and a bar button follows the rule too.
TEST(CommandRouterTest, MenusButtonsAndInvocationFollowTheTableAndItsRules) {
  CommandState state;
  QObject owner;
  CommandRouter router(&owner, [&state] { return state; });
  int runs = 0;
  for (int id : {kCmdPayloadManager, kCmdSolver, kCmdRun, kCtlEditMission}) {
    router.Bind(id, [&runs] { ++runs; });
  }
  QMenuBar bar;
  router.BuildMenuBar(bar);
  QStringList simulation;
  for (QAction* action : router.Menu(CommandMenu::kSimulation)->actions()) {
    simulation << (action->isSeparator() ? "-" : action->text());
  }
  EXPECT_EQ(simulation, (QStringList{"Payload manager", "-", "Solver", "-", "Run"}));
  EXPECT_EQ(router.Action(kCmdEnvironment), nullptr);
  EXPECT_EQ(bar.actions().at(3)->text(), "Sh&ow");

  QPushButton edit;
  router.AttachButton(kCtlEditMission, &edit);
  EXPECT_FALSE(edit.isEnabled());
  EXPECT_FALSE(router.Invoke(kCmdRun));  // no document
  EXPECT_FALSE(router.Invoke(kCmdEnvironment));
  EXPECT_EQ(runs, 0);
  state.document = true;
  router.Refresh();
  EXPECT_TRUE(edit.isEnabled());
  EXPECT_TRUE(router.Action(kCmdRun)->isEnabled());
  edit.click();
  router.Action(kCmdRun)->trigger();
  EXPECT_EQ(runs, 2);
  state.running = true;
  EXPECT_FALSE(router.Invoke(kCmdSolver));
  EXPECT_EQ(runs, 2);
}

// plumora --snapshot, as a script runs it: no display, no platform chosen.
test::ProcessResult Snapshot(const fs::path& folder, std::vector<std::string> arguments) {
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  unsetenv("QT_QPA_PLATFORM");
  arguments.insert(arguments.begin(), "--snapshot");
  const test::ProcessResult r = test::RunProcess(PLUMORA_PROGRAM, arguments, folder);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  return r;
}

TEST_F(MainWindowTest, SnapshotsDrawPanesAndDialogsHeadless) {
  WriteMission(1, 0.1);
  const auto table = Snapshot(base.path(), {"table.png", "--size", "500x300", "mission.psd"});
  ASSERT_EQ(table.status, 0) << table.err;
  const QImage picture(QString::fromStdString((base / "table.png").string()));
  ASSERT_EQ(picture.size(), QSize(500, 300));
  // Grey background, no red frame, the first row of values under the header.
  EXPECT_EQ(picture.pixelColor(0, 0), QColor(140, 140, 140));
  EXPECT_EQ(picture.pixelColor(499, 299), QColor(140, 140, 140));
  int black = 0;
  for (int x = 0; x < 100; ++x) black += picture.pixelColor(x, 68).lightness() < 60;
  EXPECT_GT(black, 3);

  const auto chart = Snapshot(base.path(), {"chart.png", "--mode", "chart", "mission.psd"});
  ASSERT_EQ(chart.status, 0) << chart.err;
  const QImage placeholder(QString::fromStdString((base / "chart.png").string()));
  EXPECT_EQ(placeholder.size(), QSize(800, 600));
  EXPECT_EQ(placeholder.pixelColor(0, 0), QColor(Qt::white));
  int ink = 0;
  for (int x = 200; x < 600; ++x) ink += placeholder.pixelColor(x, 300).lightness() < 128;
  EXPECT_GT(ink, 5);

  // A command's dialog, cancelled once drawn; a command that opens nothing leaves no file.
  const auto about = Snapshot(base.path(), {"about.png", "--command", "57664"});
  EXPECT_EQ(about.status, 0) << about.err;
  EXPECT_GT(QImage(QString::fromStdString((base / "about.png").string())).width(), 100);
  const auto none = Snapshot(base.path(), {"none.png", "--command", "32773", "mission.psd"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err, "error: command 32773 opened no dialog\n");
  EXPECT_FALSE(fs::exists(base / "none.png"));

  // Errors: a mission that cannot be read, the mission itself as the picture, bad usage.
  EXPECT_EQ(Snapshot(base.path(), {"x.png", "absent.psd"}).status, 1);
  EXPECT_EQ(Snapshot(base.path(), {"mission.psd", "mission.psd"}).status, 1);
  EXPECT_EQ(Snapshot(base.path(), {"x.png", "--size", "12"}).status, 2);
  EXPECT_FALSE(fs::exists(base / "x.png"));
}

}  // namespace
}  // namespace plumora::gui

int main(int argc, char** argv) {
  // Keep the recent-file list and other settings of the tests out of the user's own.
  static plumora::test::TempDir settings;
  setenv("XDG_CONFIG_HOME", settings.path().c_str(), 1);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
