// The desktop program's main window on Qt's offscreen platform: start-up with a mission, a run
// behind the progress dialog, the table in a pane, printing, Stop, menus and panes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QXmlStreamReader>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "DesktopFolder.h"
#include "Dialogs.h"
#include "Pictures.h"
#include "Pixels.h"
#include "core/app/MissionFiles.h"
#include "core/app/ResultsCsv.h"
#include "core/common/Messages.h"
#include "gui/app/AnimationBar.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CPlumoraApp.h"
#include "gui/app/MissionPlanBar.h"
#include "gui/app/ProgressDialog.h"
#include "gui/kit/CommandContext.h"
#include "gui/kit/CommandRouter.h"
#include "gui/kit/NumberField.h"
#include "gui/logic/commands/CommandIds.h"
#include "gui/logic/track/TrackLayout.h"
#include "gui/results/CChildFrame.h"
#include "gui/results/CPlumoraView.h"
#include "gui/results/ChartPane.h"
#include "gui/results/OptionsDialogs.h"
#include "gui/results/TablePane.h"
#include "support/NotingPrompter.h"
#include "support/RunProcess.h"
#include "support/TestFiles.h"

namespace plumora::gui {
namespace {

namespace fs = std::filesystem;

// The planet maps of the tests: one colour each, so that a picture of the ground track shows the
// marker and the line against it.
const QColor kEarthMap(0, 40, 120);
const QColor kMarsMap(150, 60, 30);
const QColor kTrackLineColour(0, 255, 255);

std::string UniformMap(const QColor& colour) {
  tools::Picture map(64, 32);
  const auto channel = [](int c) { return static_cast<std::uint8_t>(c); };
  map.pixels.assign(map.pixels.size(),
                    {channel(colour.red()), channel(colour.green()), channel(colour.blue())});
  return tools::BmpBytes(map);
}

// A base folder with the bundled atmospheres and aerodynamics, small start-up pictures, and a
// mission: one payload flown by `phases` ballistic phases. Every question is answered yes, and
// the prompter notes whether all were asked on the interface thread.
class MainWindowTest : public smoke::DesktopFolderTest {
 protected:
  MainWindowTest() {
    test::WriteFile(base / "graphics" / "earth_gl.bmp", UniformMap(kEarthMap));
    test::WriteFile(base / "graphics" / "mars.bmp", UniformMap(kMarsMap));
    prompter.note = [this] { allOnGuiThread &= QThread::currentThread() == qApp->thread(); };
  }

  fs::path WriteMission(int phases, double timeStep) {
    CPlumoraDoc doc;
    CPayload& payload = doc.mission.CreatePayload();
    payload.name = "Capsule";
    for (int k = 0; k < phases; ++k) {
      CMissionPhase& phase = doc.mission.AddPhase(kPhaseBallisticEntry);
      phase.name = "Entry phase " + std::to_string(k + 1);
      phase.ballistic()->payloadNumber = payload.number;
    }
    doc.mission.missionName = "Smoke \xE9preuve";  // Windows-1252 é
    doc.mission.solver.timeStep = timeStep;
    const fs::path path = base / "mission.psd";
    EXPECT_TRUE(SaveMission(doc.mission, path).ok());
    return path;
  }

  // The entry of the bundled Earth example, eastwards over the date line, a sample a second.
  fs::path WriteDateLineMission() {
    CPlumoraDoc doc;
    EXPECT_TRUE(LoadMission(doc, test::DataFolder() / "examples" / "earth-return.psd").ok());
    doc.mission.phases.resize(1);
    doc.mission.initialState.longitude = 165.0;
    doc.mission.initialState.heading = 80.0;
    doc.mission.solver.outputTimeStep = 1.0;
    const fs::path path = base / "dateline.psd";
    EXPECT_TRUE(SaveMission(doc.mission, path).ok());
    return path;
  }

  bool Start(const fs::path& mission) {
    app.SetPrompter(&prompter);
    return app.InitInstance({QString::fromStdString(mission.string())}, {false, true});
  }

  // Started with the mission, the main window shown at a size of its own; null when it did not
  // start.
  CMainFrame* StartShown(const fs::path& mission, const QSize& size) {
    if (!Start(mission)) return nullptr;
    CMainFrame* frame = app.mainFrame();
    frame->showNormal();
    frame->resize(size);
    QApplication::processEvents();
    return frame;
  }

  test::NotingPrompter prompter;
  bool allOnGuiThread = true;
  CPlumoraApp app;
};

std::vector<std::string> Row(const TableDrawing& table, int y) {
  std::vector<std::string> texts;
  for (const AnchoredText& t : table.texts) {
    if (t.at.y == y) texts.push_back(t.text);
  }
  return texts;
}

// The text of what the view prints on a PDF page, as pdftotext reads it.
std::string PrintedText(CPlumoraView& view, const fs::path& pdf, QPrinter& printer) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(pdf.string()));
  view.Print(printer);
  EXPECT_TRUE(fs::exists(pdf));
  const test::ProcessResult text = test::RunProcess("/usr/bin/pdftotext", {pdf.string(), "-"});
  EXPECT_EQ(text.status, 0) << text.err;
  return text.out;
}

TableDrawing Table(const CPlumoraView& view) {
  const auto* pane = dynamic_cast<const TablePane*>(view.pane());
  EXPECT_NE(pane, nullptr);
  return pane ? pane->CurrentTable() : TableDrawing{};
}

TEST_F(MainWindowTest, OpensRunsAndShowsTheResultsInATable) {
  CMainFrame* started = StartShown(WriteMission(1, 0.1), QSize(1280, 860));
  ASSERT_NE(started, nullptr) << prompter.recorder.Transcript();
  CMainFrame& frame = *started;
  // The area adds the document window's caption to the program's: the name once only.
  EXPECT_EQ(frame.windowTitle(), "plumora - [mission.psd[*]]");
  EXPECT_EQ(app.baseFolder(), base.path());
  EXPECT_EQ(app.bitmaps().zoom.Width(), 16);
  CChildFrame* child = frame.ActiveChild();
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(frame.missionPlanBar()->missionName(), QString::fromUtf8("Smoke \u00E9preuve"));
  EXPECT_EQ(frame.missionPlanBar()->phaseLines(), QStringList{"1\ty\tEntry ph\tBR"});
  EXPECT_EQ(frame.animationBar()->timeText(), "0.00/0.0 s");
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
  const int maroon =
      smoke::Count(pane, [&](const QColor& c) { return near(c, 128, 0, 0); }, {1, 0, 99, 20});
  const int black =
      smoke::Count(pane, [&](const QColor& c) { return near(c, 0, 0, 0); }, {1, 60, 99, 20});
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
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  const std::string text = PrintedText(*view, base / "table.pdf", printer);
  for (const char* expectedText :
       {"Time", "Altitude L", "(deg)", "14000.00", "-12.14", "0.10", "Pitch L", "Yaw L"}) {
    EXPECT_NE(text.find(expectedText), std::string::npos) << expectedText << "\n" << text;
  }
  // Above them, the line that says what the page is: the mission's window, the pane, the date.
  const std::string header =
      " \u2014 Table \u2014 " + QDate::currentDate().toString(Qt::ISODate).toStdString();
  EXPECT_NE(text.find(header), std::string::npos) << text;
  EXPECT_LT(text.find(header), text.find("Altitude L"));

  // The direct print sends the active pane to the printer chosen last without a dialog (here a
  // file: no test reaches a real printer); a blank pane prints a line saying it shows nothing.
  const auto printDirect = [&frame](const fs::path& file) {
    frame.printer().setOutputFileName(QString::fromStdString(file.string()));
    smoke::DialogAnswer anyDialog([](QDialog& d) { d.reject(); });
    EXPECT_TRUE(frame.Invoke(kCmdFilePrintDirect));
    EXPECT_FALSE(anyDialog.seen);
    const test::ProcessResult read = test::RunProcess("/usr/bin/pdftotext", {file.string(), "-"});
    EXPECT_EQ(read.status, 0) << read.err;
    return read.out;
  };
  EXPECT_NE(printDirect(base / "direct.pdf").find("Altitude L"), std::string::npos);
  CPlumoraView* blank = child->View(0, 1);
  ASSERT_EQ(blank->pane(), nullptr);
  child->SetActiveView(blank);
  const std::string blankText = printDirect(base / "blank.pdf");
  EXPECT_NE(blankText.find("This pane shows nothing"), std::string::npos) << blankText;

  // The preview of a blank pane shows that line, not the page previewed before it.
  frame.printer().setOutputFileName({});
  const auto preview = [&frame] {
    QImage shown;
    smoke::DialogAnswer look([&shown](QDialog& d) {
      auto* pages = d.findChild<QPrintPreviewWidget*>();
      EXPECT_NE(pages, nullptr);
      if (pages) {
        EXPECT_EQ(pages->pageCount(), 1);
        shown = pages->grab().toImage();
      }
      d.reject();
    });
    EXPECT_TRUE(frame.Invoke(kCmdFilePrintPreview));
    return shown;
  };
  child->SetActiveView(view);
  const QImage tablePage = preview();
  child->SetActiveView(blank);
  const QImage blankPage = preview();
  EXPECT_FALSE(tablePage.isNull());
  EXPECT_NE(tablePage, blankPage);
}

TEST_F(MainWindowTest, StopEndsTheRunAndPromptsComeFromTheInterfaceThread) {
  // Two long phases; the second flies a payload that does not exist and would complain.
  ASSERT_TRUE(Start(WriteMission(2, 0.001))) << prompter.recorder.Transcript();
  CMainFrame& frame = *app.mainFrame();
  CChildFrame* child = frame.ActiveChild();
  ASSERT_NE(child, nullptr);
  child->doc().mission.phases[1]->ballistic()->payloadNumber = 99;

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
  // The status bar says how the run ended, not "Done" as if it had landed.
  EXPECT_TRUE(frame.statusBar()->currentMessage().startsWith("Stopped: "))
      << frame.statusBar()->currentMessage().toStdString();

  // Without the stop the second phase speaks, on the interface thread.
  child->doc().mission.phases[0]->ballistic()->stopTime = 0.5;
  child->doc().mission.phases[0]->ballistic()->stopKind = 0;
  frame.RunActiveMission();
  ASSERT_EQ(prompter.recorder.entries().size(), 1u);
  EXPECT_EQ(prompter.recorder.entries()[0].text, kMsgNoPayloadBallistic);
  EXPECT_TRUE(allOnGuiThread);
  EXPECT_TRUE(frame.statusBar()->currentMessage().startsWith("Ended with an error: "))
      << frame.statusBar()->currentMessage().toStdString();
}

TEST_F(MainWindowTest, BarsMenusAndPanes) {
  CMainFrame* shown = StartShown(WriteMission(1, 0.1), QSize(1000, 800));
  ASSERT_NE(shown, nullptr);
  CMainFrame& frame = *shown;
  frame.UpdateCommandStates();
  QAction* plan = frame.Action(kCmdMainControl);
  EXPECT_TRUE(plan->isChecked());
  EXPECT_TRUE(frame.missionPlanBar()->viewPhaseButton()->isEnabled());
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

  // Tiled, both windows show; only the one the user works in has a red-framed pane. The globe
  // of 3D Trajectory stands on grey in the middle of its pane.
  frame.Invoke(kCmdWindowTile);
  frame.Invoke(kCmdPopup3DTrajectory);
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
  EXPECT_EQ(working.pixelColor(working.width() / 2, 3), QColor(102, 102, 102));

  // Saving under a new name writes a mission that loads again.
  const fs::path copy = base / "copy.json";
  second->doc().mission.missionName = "Copied";
  second->documentState().SetModified();
  second->documentState().SetPath(copy);
  ASSERT_TRUE(frame.SaveDocument(*second, false));
  CPlumoraDoc reread;
  ASSERT_TRUE(LoadMission(reread, copy).ok());
  EXPECT_EQ(reread.mission.missionName, "Copied");

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
  EXPECT_FALSE(frame.missionPlanBar()->viewPhaseButton()->isEnabled());
  // Table, Chart and Options stay on offer, with no pane to act on.
  EXPECT_TRUE(frame.Action(kCmdShowTable)->isEnabled());
  EXPECT_TRUE(frame.Invoke(kCmdShowChart));
  EXPECT_TRUE(frame.Action(kCmdShowOptions)->isEnabled());
  EXPECT_EQ(frame.statusPane(1)->text(), "Y=0.0");
  EXPECT_EQ(frame.statusBar()->currentMessage(), "");
}

// The program loses the focus to another one and gets it back, as the window system tells it.
void SwitchToAnotherProgramAndBack() {
  QEvent away(QEvent::ApplicationDeactivate);
  QApplication::sendEvent(qApp, &away);
  QApplication::processEvents();
  QEvent back(QEvent::ApplicationActivate);
  QApplication::sendEvent(qApp, &back);
  QApplication::processEvents();
}

// Coming back from another program finds the mission window as it was left: the sample shown, a
// pane zoomed to the whole window, the active pane. Only a change to another mission window
// starts from the first sample with four equal panes.
TEST_F(MainWindowTest, AnotherProgramTakingTheFocusChangesNothing) {
  CMainFrame* shown = StartShown(WriteMission(1, 0.1), QSize(1000, 800));
  ASSERT_NE(shown, nullptr);
  CMainFrame& frame = *shown;
  CChildFrame* child = frame.ActiveChild();
  ASSERT_TRUE(frame.Invoke(kCmdRun));
  CPlumoraView* corner = child->View(1, 1);
  child->SetActiveView(corner);
  ASSERT_TRUE(frame.Invoke(kCmdShowChart));
  child->TogglePaneMaximised(*corner);
  for (int k = 0; k < 5; ++k) frame.OnAnimationControl(kCtlStepForward, 0);
  QApplication::processEvents();
  const PaneSplit zoomed = child->CurrentSplit();
  const QString time = frame.animationBar()->timeText();
  ASSERT_EQ(frame.animation().index(), 5);

  int reported = 0;
  auto* area = frame.findChild<QMdiArea*>();
  QObject::connect(area, &QMdiArea::subWindowActivated, [&reported] { ++reported; });
  SwitchToAnotherProgramAndBack();
  EXPECT_GT(reported, 0);  // the area told that its window is active again
  EXPECT_EQ(frame.ActiveChild(), child);
  EXPECT_EQ(frame.animation().index(), 5);
  EXPECT_EQ(frame.animationBar()->timeText(), time);
  EXPECT_EQ(child->CurrentSplit(), zoomed);
  EXPECT_EQ(child->ActiveView(), corner);
  EXPECT_EQ(corner->state().Mode(), DisplayMode::kChart);

  // Another mission window, and back: each change of window starts over.
  CChildFrame* second = frame.NewDocument();
  QApplication::processEvents();
  EXPECT_EQ(frame.ActiveChild(), second);
  EXPECT_EQ(frame.animation().index(), 0);
  area->setActiveSubWindow(area->subWindowList().front());
  QApplication::processEvents();
  ASSERT_EQ(frame.ActiveChild(), child);
  EXPECT_EQ(frame.animation().bound(), &child->doc().results);
  EXPECT_EQ(frame.animation().index(), 0);
  EXPECT_GT(child->CurrentSplit().firstColumnWidth, 100);
  EXPECT_EQ(child->ActiveView(), child->View(0, 0));
}

using smoke::DialogAnswer;

TEST_F(MainWindowTest, TheChartReadsOutZoomsPrintsAndTakesItsOptions) {
  CMainFrame* started = StartShown(WriteMission(1, 0.1), QSize(1280, 860));
  ASSERT_NE(started, nullptr);
  CMainFrame& frame = *started;
  frame.ActiveChild()->EqualisePanes();
  frame.Invoke(kCmdRun);
  frame.Invoke(kCmdShowChart);
  QApplication::processEvents();
  CPlumoraView* view = frame.ActiveView();
  auto* chart = dynamic_cast<ChartPane*>(view->pane());
  ASSERT_TRUE(chart && chart->drawn());
  const auto shown = [view] { return view->canvas()->viewport()->grab().toImage(); };
  const ChartLayout l = chart->drawn()->layout;

  // Green-grey behind a black Y axis, the height falling in blue from the top left.
  QImage picture = shown();
  EXPECT_EQ(picture.pixelColor(l.lm + l.pw - 3, l.mt + 3), QColor(180, 200, 180));
  EXPECT_EQ(picture.pixelColor(l.x0, l.mt + l.ph / 2), QColor(0, 0, 0));
  EXPECT_EQ(picture.pixelColor(l.PointOf(0, 14000).x + 1, l.PointOf(0, 14000).y + 1).blue(), 255);

  // The mouse reads the curve out into the status bar under a red cross-hair.
  const int column = l.PointOf(45, 0).x;
  view->MouseMoved({column, l.mt + 5}, Qt::NoButton);
  QApplication::processEvents();
  EXPECT_TRUE(frame.statusPane(0)->text().startsWith("time (s)=4"))
      << frame.statusPane(0)->text().toStdString();
  EXPECT_TRUE(frame.statusPane(1)->text().startsWith("height (m)="))
      << frame.statusPane(1)->text().toStdString();
  // What the screen shows after the moves painted only the strips they changed.
  const auto onScreen = [&frame, view] {
    const QPoint corner = view->canvas()->viewport()->mapTo(&frame, QPoint(0, 0));
    const QSize size = view->canvas()->viewport()->size();
    return frame.screen()->grabWindow(frame.winId()).toImage().copy(QRect(corner, size));
  };
  EXPECT_EQ(onScreen().pixelColor(column, l.y0 - 3), smoke::Of(kChartCrossHair));
  view->MouseMoved({column + 40, l.mt + 5}, Qt::NoButton);
  QApplication::processEvents();
  picture = onScreen();
  EXPECT_EQ(picture.pixelColor(column + 40, l.y0 - 3), smoke::Of(kChartCrossHair));
  EXPECT_EQ(picture.pixelColor(column, l.y0 - 3), QColor(180, 200, 180));  // none left behind
  view->MouseMoved({-1, -1}, Qt::NoButton);  // left the pane: no cross-hair stays
  QApplication::processEvents();
  EXPECT_NE(onScreen().pixelColor(column + 40, l.y0 - 3), QColor(255, 0, 0));

  // A band dragged across the chart, zoomed into, and reset.
  view->MousePressed(Qt::LeftButton, {l.lm + 100, 100});
  view->MouseMoved({l.lm + 100, 100}, Qt::LeftButton);
  view->MouseMoved({l.lm + 200, 100}, Qt::LeftButton);
  view->MouseReleased(Qt::LeftButton, {l.lm + 200, 100});
  QApplication::processEvents();
  ASSERT_TRUE(chart->HasSelection());
  const QColor frameOfBand = shown().pixelColor(l.lm + 100, l.mt + l.ph / 2);
  EXPECT_TRUE(frameOfBand == QColor(200, 200, 200) || frameOfBand == QColor(Qt::white));
  frame.OnAnimationControl(kCtlZoomToSelection, 0);
  QApplication::processEvents();
  const ChartZoom zoom = view->state().chartZoom;
  ASSERT_TRUE(zoom.on);
  EXPECT_DOUBLE_EQ(zoom.low, l.XAt(l.lm + 100));
  EXPECT_DOUBLE_EQ(zoom.high, l.XAt(l.lm + 200));
  picture = shown();
  EXPECT_EQ(picture.pixelColor(picture.width() - 3, picture.height() - 3), QColor(236, 236, 236));
  EXPECT_FALSE(chart->HasSelection());  // the repaint dropped the band

  // Printing draws its own page and leaves the screen's layout to the mouse.
  const ChartLayout screen = chart->drawn()->layout;
  QPrinter printer(QPrinter::HighResolution);
  const std::string text =  // the PDF is left for people to see
      PrintedText(*view, PLUMORA_SCREENSHOT_DIR "/plumora-chart.pdf", printer);
  EXPECT_NE(text.find("height (m)"), std::string::npos) << text;
  EXPECT_EQ(chart->drawn()->layout.width, screen.width);
  EXPECT_EQ(chart->drawn()->layout.sx, screen.sx);
  // Playing, a dotted cyan cursor stands on the curve; the index of a longer flight in another
  // window draws none here.
  const CTrajectorySample& sample = frame.ActiveChild()->doc().results.SampleAt(300);
  const Point at = screen.PointOf(sample.time, sample.payloadHeight);
  const auto cyan = [&] {
    const QImage now = onScreen();
    int count = 0;
    for (int y = at.y + 1; y < screen.y0; ++y)
      count += now.pixelColor(at.x, y) == smoke::Of(kChartCursor);
    return count;
  };
  view->AnimationStep(300, true);
  QApplication::processEvents();
  EXPECT_GT(cyan(), 3);
  EXPECT_LT(cyan(), screen.y0 - at.y - 1);  // dotted
  view->AnimationStep(1 << 20, true);
  QApplication::processEvents();
  EXPECT_EQ(cyan(), 0);
  view->AnimationStep(1 << 20, false);
  frame.OnAnimationControl(kCtlZoomReset, 0);
  EXPECT_FALSE(view->state().chartZoom.on);

  // Chart Options from the popup: OK takes the new axis and drops a zoom; Cancel changes nothing.
  view->settings().chartZoom = {true, 1, 2};
  DialogAnswer newY([](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Chart Options");
    d.findChild<QComboBox*>("ctl_1123")->setCurrentIndex(3);
    d.findChild<QCheckBox*>("ctl_1192")->setChecked(true);
    d.accept();
  });
  ASSERT_TRUE(frame.Invoke(kCmdPopupOptions));
  EXPECT_EQ(view->state().chartY, 3);
  EXPECT_FALSE(view->state().chartZoom.on);
  // The switches are kept for the next start; the test leaves them off as it found them.
  EXPECT_TRUE(view->state().chartSwitches.gridLines);
  EXPECT_EQ(RememberedChartSwitches(), (ChartSwitches{false, false, true}));
  RememberChartSwitches({});
  EXPECT_EQ(RememberedChartSwitches(), ChartSwitches{});
  DialogAnswer cancelled([](QDialog& d) {
    d.findChild<QComboBox*>("ctl_1124")->setCurrentIndex(5);
    d.reject();
  });
  frame.Invoke(kCmdShowOptions);
  EXPECT_TRUE(cancelled.seen);
  EXPECT_EQ(view->state().chartX, 0);

  // Table Options with every box unchecked: no column is left.
  view->ToggleDisplayMode(DisplayMode::kTable);
  DialogAnswer none([](QDialog& d) {
    for (QCheckBox* box : d.findChildren<QCheckBox*>()) box->setChecked(false);
    d.accept();
  });
  frame.Invoke(kCmdShowOptions);
  EXPECT_EQ(view->state().shownColumnCount, 0);

  // The Light page of 3D Options stores what z says; nothing opens in 2D Trajectory.
  view->ToggleDisplayMode(DisplayMode::k3DPayload);
  DialogAnswer light([](QDialog& d) {
    d.findChild<NumberField*>("ctl_1167")->setText("500");
    d.accept();
  });
  frame.Invoke(kCmdShowOptions);
  EXPECT_EQ(view->state().lightPosition[2], 500.0f);
  view->ToggleDisplayMode(DisplayMode::k2DTrajectory);
  DialogAnswer nothing([](QDialog& d) { d.reject(); });
  frame.Invoke(kCmdShowOptions);
  QApplication::processEvents();
  EXPECT_FALSE(nothing.seen);
}

// Commands and dialogs see the main window only through its context: an edit marks the window
// of the mission it changed, whichever window is active then, and a widget in the window, or a
// dialog without a parent, finds the window's services.
TEST_F(MainWindowTest, CommandsSeeTheMainWindowThroughItsContext) {
  CMainFrame* frame = StartShown(WriteMission(1, 0.5), QSize(1000, 700));
  ASSERT_NE(frame, nullptr);
  CommandContext& context = *frame;
  CChildFrame* first = frame->ActiveChild();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(context.ActiveDocument(), &first->doc());
  EXPECT_EQ(context.ActiveView(), first->ActiveView());
  CChildFrame* second = frame->NewDocument();
  QApplication::processEvents();
  ASSERT_EQ(context.ActiveDocument(), &second->doc());

  context.MarkModified(first->doc());
  EXPECT_TRUE(first->documentState().modified());
  EXPECT_FALSE(second->documentState().modified());
  EXPECT_FALSE(frame->isWindowModified());  // the window shown has no changes
  context.MarkModified(second->doc());
  EXPECT_TRUE(frame->isWindowModified());

  FrameServices* services = frame;
  EXPECT_EQ(FrameServices::Find(second->ActiveView()), services);
  QDialog orphan;
  EXPECT_EQ(FrameServices::Find(&orphan), services);
  EXPECT_EQ(context.dialogParent(), frame);
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
  EXPECT_EQ(simulation, (QStringList{"&Payload manager", "-", "&Solver", "-", "R&un"}));
  EXPECT_EQ(router.Action(kCmdRun)->shortcut(), QKeySequence(Qt::Key_F5));
  EXPECT_EQ(router.Action(kCmdEnvironment), nullptr);
  EXPECT_EQ(bar.actions().at(4)->text(), "Sh&ow");
  // Nothing of the Edit menu is bound here: the menu is not offered.
  EXPECT_EQ(bar.actions().at(1)->text(), "&Edit");
  EXPECT_FALSE(bar.actions().at(1)->isVisible());

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

using smoke::RunSnapshot;

TEST_F(MainWindowTest, SnapshotsDrawPanesAndDialogsHeadless) {
  WriteMission(1, 0.1);
  const auto table = RunSnapshot(base.path(), {"table.png", "--size", "500x300", "mission.psd"});
  ASSERT_EQ(table.status, 0) << table.err;
  const QImage picture(QString::fromStdString((base / "table.png").string()));
  ASSERT_EQ(picture.size(), QSize(500, 300));
  // Grey background, no red frame, the first row of values under the header.
  EXPECT_EQ(picture.pixelColor(0, 0), QColor(140, 140, 140));
  EXPECT_EQ(picture.pixelColor(499, 299), QColor(140, 140, 140));
  int black = 0;
  for (int x = 0; x < 100; ++x) black += picture.pixelColor(x, 68).lightness() < 60;
  EXPECT_GT(black, 3);

  const auto chart = RunSnapshot(base.path(), {"chart.png", "--mode", "chart", "mission.psd"});
  ASSERT_EQ(chart.status, 0) << chart.err;
  const QImage plot(QString::fromStdString((base / "chart.png").string()));
  EXPECT_EQ(plot.pixelColor(799, 0), QColor(180, 200, 180));
  // The blue curve, and a Y axis as high as the plot: 600 less two margins of 60.
  int blue = 0, axis = 0;
  for (int x = 0; x < 800; ++x) {
    int black = 0;
    for (int y = 0; y < 600; ++y) {
      blue += plot.pixelColor(x, y) == QColor(0, 0, 255);
      black += plot.pixelColor(x, y) == QColor(0, 0, 0);
    }
    axis = std::max(axis, black);
  }
  EXPECT_GT(blue, 400);
  EXPECT_GE(axis, 480);
  EXPECT_EQ(RunSnapshot(base.path(), {"chart-options.png", "--mode", "chart", "--command", "32775"})
                .status,
            0);
  EXPECT_EQ(RunSnapshot(base.path(), {"none.png", "--mode", "track", "--command", "32775"}).status,
            1);

  // A command's dialog, cancelled once drawn; a command that opens nothing leaves no file.
  const auto about = RunSnapshot(base.path(), {"about.png", "--command", "57664"});
  EXPECT_EQ(about.status, 0) << about.err;
  EXPECT_GT(QImage(QString::fromStdString((base / "about.png").string())).width(), 100);
  const auto none = RunSnapshot(base.path(), {"none.png", "--command", "32773", "mission.psd"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err, "error: command 32773 opened no dialog\n");
  EXPECT_FALSE(fs::exists(base / "none.png"));
  // Nothing goes to a printer for a picture.
  const auto paper = RunSnapshot(base.path(), {"none.png", "--command", "57608", "mission.psd"});
  EXPECT_EQ(paper.status, 1);
  EXPECT_EQ(paper.err, "error: command 57608 prints without a dialog\n");
  EXPECT_FALSE(fs::exists(base / "none.png"));

  // Errors: a mission that cannot be read, the mission itself as the picture, bad usage.
  EXPECT_EQ(RunSnapshot(base.path(), {"x.png", "absent.psd"}).status, 1);
  EXPECT_EQ(RunSnapshot(base.path(), {"mission.psd", "mission.psd"}).status, 1);
  EXPECT_EQ(RunSnapshot(base.path(), {"x.png", "--size", "12"}).status, 2);
  EXPECT_FALSE(fs::exists(base / "x.png"));
}

// A picture follows the output rule of every writer: devices, FIFOs and files behind links are
// written in place or refused, never replaced; "-" is standard output; the tables are kept.
TEST_F(MainWindowTest, SnapshotsFollowTheOutputRule) {
  WriteMission(1, 0.1);
  const auto table = [&](const std::string& output, const fs::path& out = {}) {
    return RunSnapshot(base.path(), {output, "--size", "100x80", "mission.psd"}, out);
  };
  const fs::path piped = base / "piped.png";
  const auto dash = table("-", piped);
  ASSERT_EQ(dash.status, 0) << dash.err;
  EXPECT_EQ(test::ReadFile(piped).substr(0, 4), "\x89PNG");
  EXPECT_FALSE(fs::exists(base / "-"));

  test::WriteFile(base / "kept.png", "kept");
  fs::permissions(base / "kept.png", fs::perms::owner_read);
  fs::create_symlink("kept.png", base / "to-kept.png");
  for (const char* name : {"kept.png", "to-kept.png"}) {
    const auto r = table(name);
    EXPECT_EQ(r.status, 1) << name;
    EXPECT_NE(r.err.find("(the file is read-only)"), std::string::npos) << r.err;
  }
  EXPECT_EQ(test::ReadFile(base / "kept.png"), "kept");
  EXPECT_TRUE(fs::is_symlink(base / "to-kept.png"));

  const std::string atm =
      (fs::path("atm") / fs::directory_iterator(base / "atm")->path().filename()).string();
  const std::string before = test::ReadFile(base / atm);
  const auto overTable = table(atm);
  EXPECT_EQ(overTable.status, 1);
  EXPECT_NE(overTable.err.find(" itself; nothing was done"), std::string::npos) << overTable.err;
  EXPECT_EQ(test::ReadFile(base / atm), before);
  EXPECT_EQ(table("absent/x.png").status, 1);
  EXPECT_FALSE(fs::exists(base / "absent"));

  const fs::path fifo = base / "pipe.png";
  test::FifoReader reader(fifo);
  ASSERT_TRUE(reader.ok());
  const auto piping = table("pipe.png");
  const std::string received = reader.Received();
  EXPECT_EQ(piping.status, 0) << piping.err;
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(received.substr(0, 4), "\x89PNG");
}

// A 3D model that cannot be read leaves the picture without it: a warning, and the picture made.
TEST_F(MainWindowTest, ABrokenModelIsAWarningOfTheSnapshot) {
  WriteMission(1, 0.1);
  fs::copy(test::DataFolder() / "3dmodels", base / "3dmodels", fs::copy_options::recursive);
  test::WriteFile(base / "3dmodels" / "zel_body.ogl", "broken");
  const auto r = RunSnapshot(base.path(), {"system.png", "--mode", "system3d", "mission.psd"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.find("error:"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("warning:"), std::string::npos) << r.err;
  EXPECT_TRUE(fs::exists(base / "system.png"));
}

// White is the marker's fill and nothing else on the uniform test maps: the box of the white
// pixels is the marker's, and a small box means a single marker.
QRect WhiteBox(const QImage& picture) {
  QRect box;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.pixelColor(x, y) == QColor(Qt::white)) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

QPoint MapCentre(const CTrajectoryStore& results, int index, const QSize& size) {
  const CTrajectorySample& s = results.SampleAt(index);
  const std::optional<Point> p = ProjectToMap(s.latitude, s.longitude, size.width(), size.height());
  return p ? QPoint(p->x, p->y) : QPoint(-1, -1);
}

bool ColumnHas(const QImage& picture, int x, const QColor& colour) {
  for (int y = 0; y < picture.height(); ++y) {
    if (picture.pixelColor(x, y) == colour) return true;
  }
  return false;
}

TEST_F(MainWindowTest, TheGroundTrackAndTheTableFollowTheAnimation) {
  CMainFrame* shown = StartShown(WriteDateLineMission(), QSize(1280, 860));
  ASSERT_NE(shown, nullptr) << prompter.recorder.Transcript();
  CMainFrame& frame = *shown;
  CChildFrame* child = frame.ActiveChild();
  child->EqualisePanes();
  frame.Invoke(kCmdRun);
  const CTrajectoryStore& results = child->doc().results;
  ASSERT_GT(results.LastIndex(), 320);
  CPlumoraView* track = child->View(0, 0);
  CPlumoraView* table = child->View(1, 0);
  track->ToggleDisplayMode(DisplayMode::k2DTrajectory);
  table->ToggleDisplayMode(DisplayMode::kTable);

  // What the screen shows of the map, the partial repaints of a playing animation included.
  QWidget* map = track->canvas()->viewport();
  const auto screen = [&] {
    QApplication::processEvents();
    const QPoint origin = map->mapTo(&frame, QPoint(0, 0));
    return frame.screen()
        ->grabWindow(frame.winId(), origin.x(), origin.y(), map->width(), map->height())
        .toImage();
  };
  const auto expectOneMarkerAt = [&](int index) {
    const QRect white = WhiteBox(screen());
    EXPECT_LE(white.width(), 7) << index;
    EXPECT_EQ(white.center(), MapCentre(results, index, map->size())) << index;
  };
  expectOneMarkerAt(0);

  // Playing at x0.5 a sample lasts two seconds: the steps here are the test's own. Over the date
  // line and on, the marker moves and leaves no copy behind.
  frame.OnAnimationControl(kCtlSpeed, 0);
  frame.OnAnimationControl(kCtlPlay, 0);
  for (int step : {60, 240, 10}) {
    frame.animation().AdvanceAnimation(step);
    ASSERT_TRUE(frame.animation().playing());
    expectOneMarkerAt(frame.animation().index());
  }
  const int index = frame.animation().index();
  // The line runs through the samples shown so far, and not on.
  const QImage playing = screen();
  const QPoint halfway = MapCentre(results, index / 4, map->size());
  EXPECT_EQ(playing.pixelColor(halfway), kTrackLineColour);
  EXPECT_NE(playing.pixelColor(MapCentre(results, results.LastIndex(), map->size())),
            kTrackLineColour);

  // The table has kept the sample's row in view, marked.
  const TableDrawing rows = Table(*table);
  ASSERT_TRUE(rows.marked);
  EXPECT_EQ(rows.marked->top, (index - rows.firstRow + 3) * 20);
  EXPECT_LE(rows.marked->top + 20, table->canvas()->viewport()->height());
  EXPECT_EQ(table->canvas()->viewport()->grab().toImage().pixelColor(2, rows.marked->top + 2),
            QColor(196, 196, 196));

  frame.OnAnimationControl(kCtlPause, 0);
  expectOneMarkerAt(index);
  // The pane's popup takes the line away.
  child->SetActiveView(track);
  ASSERT_TRUE(frame.Invoke(kCmdPopupTrackLine));
  EXPECT_EQ(screen().pixelColor(halfway), kEarthMap);
  // A mission on Mars shows the Mars map.
  child->doc().mission.environment.planet = 1;
  track->OnUpdate();
  EXPECT_EQ(screen().pixelColor(map->width() / 2, map->height() - 5), kMarsMap);

  // Headless: the marker of the sample nearest the time asked for, the line at both edges.
  char time[32];
  std::snprintf(time, sizeof time, "%.3f", results.SampleAt(index).time);
  const auto shot = RunSnapshot(base.path(), {"track.png", "--mode", "track", "--size", "360x180",
                                              "--time", time, "dateline.psd"});
  ASSERT_EQ(shot.status, 0) << shot.err;
  const QImage picture(QString::fromStdString((base / "track.png").string()));
  EXPECT_EQ(WhiteBox(picture).center(), MapCentre(results, index, QSize(360, 180)));
  EXPECT_TRUE(ColumnHas(picture, 0, kTrackLineColour));
  EXPECT_TRUE(ColumnHas(picture, 359, kTrackLineColour));
  EXPECT_EQ(picture.pixelColor(180, 170), kEarthMap);
}

// Derived quantities in the table and the chart, and the active pane exported as PNG and SVG.
TEST_F(MainWindowTest, DerivedQuantitiesShowAndThePaneExportsAsAPicture) {
  CMainFrame* frame = StartShown(WriteMission(1, 0.1), QSize(1280, 860));
  ASSERT_NE(frame, nullptr);
  frame->Invoke(kCmdRun);
  frame->Invoke(kCmdShowTable);
  QApplication::processEvents();
  CPlumoraView* view = frame->ActiveView();
  ColumnSwitches timeOnly{};
  timeOnly[0] = true;
  DerivedSwitches derived{};
  derived.fill(true);
  ApplyTableOptions(view->settings(), timeOnly, derived);
  view->OnUpdate();
  const std::vector<std::string> titles = Row(Table(*view), 0);
  EXPECT_EQ(titles, (std::vector<std::string>{"Time", "Mach", "Dyn. pressure", "Deceleration",
                                              "Descent rate", "Line force"}));
  const std::vector<std::string> first = Row(Table(*view), 60);
  ASSERT_EQ(first.size(), 6u);
  EXPECT_NE(first[1], "") << "the Mach number of the first sample";
  EXPECT_EQ(first[5], "") << "a ballistic entry has no lines";

  // A chart of the speed with the Mach number beside it.
  frame->Invoke(kCmdShowChart);
  view->settings().chartY = 3;
  view->settings().chartMoreY = {kStoredChartVariableCount};
  view->pane()->Layout();
  view->OnUpdate();
  QApplication::processEvents();

  const fs::path png = base / "chart.png";
  ASSERT_TRUE(frame->ExportPicture(png, QSize(640, 480))) << prompter.recorder.Transcript();
  const QImage picture(QString::fromStdString(png.string()));
  EXPECT_EQ(picture.size(), QSize(640, 480));
  EXPECT_EQ(picture.pixelColor(630, 470), QColor(180, 200, 180));

  const fs::path svg = base / "chart.svg";
  ASSERT_TRUE(frame->ExportPicture(svg, QSize(640, 480)));
  QXmlStreamReader xml(QByteArray::fromStdString(test::ReadFile(svg)));
  int polylines = 0;
  QStringList texts;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == u"svg") {
      EXPECT_EQ(xml.attributes().value("width"), u"640");
    }
    if (xml.name() == u"polyline") {
      ++polylines;
      EXPECT_GT(xml.attributes().value("points").count(u' '), 20);
    }
    if (xml.name() == u"text") texts << xml.readElementText();
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(polylines, 2);  // one colour a curve
  EXPECT_TRUE(texts.contains("speed (m/s)"));
  EXPECT_TRUE(texts.contains("Mach number"));

  // The table is written as texts too; the ground track as its picture inside the SVG.
  frame->Invoke(kCmdShowTable);
  ASSERT_TRUE(frame->ExportPicture(svg, QSize(300, 200)));
  EXPECT_NE(test::ReadFile(svg).find(">Dyn. pressure</text>"), std::string::npos);
  frame->Invoke(kCmdShow2DTrajectory);
  ASSERT_TRUE(frame->ExportPicture(svg, QSize(300, 200)));
  EXPECT_NE(test::ReadFile(svg).find("href=\"data:image/png;base64,iVBORw0KGgo"),
            std::string::npos);

  // A picture that cannot be written is said so, and nothing is left behind.
  prompter.recorder.Clear();
  EXPECT_FALSE(frame->ExportPicture(base / "absent" / "x.png", QSize(100, 100)));
  ASSERT_EQ(prompter.recorder.entries().size(), 1u) << prompter.recorder.Transcript();
  EXPECT_NE(prompter.recorder.entries().back().text.find("The picture could not be written to"),
            std::string::npos);
  EXPECT_FALSE(fs::exists(base / "absent"));
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
