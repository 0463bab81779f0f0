// The setup dialogs as a user meets them: a new mission's initial state, solver and environment
// set through them fly like the same values written in JSON; refused entries keep the dialog
// open; an imported trajectory fills the table; the previews sit beside the fields.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <filesystem>

#include "DesktopFolder.h"
#include "Dialogs.h"
#include "core/app/ResultsCsv.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CPlumoraApp.h"
#include "gui/editing/CGLPreviewWnd.h"
#include "gui/editing/InitialStateDialog.h"
#include "gui/logic/commands/CommandIds.h"
#include "gui/results/CChildFrame.h"
#include "gui/results/CPlumoraView.h"
#include "gui/results/TablePane.h"
#include "support/RunProcess.h"
#include "support/TestFiles.h"

namespace plumora::gui {
namespace {

namespace fs = std::filesystem;
using smoke::Control;
using smoke::DialogAnswer;
using smoke::Type;

// A new mission in a base folder with the bundled atmospheres and aerodynamics; its messages
// are recorded.
class SetupDialogsTest : public smoke::DesktopFolderTest {
 protected:
  SetupDialogsTest() {
    app.SetPrompter(&prompter);
    EXPECT_TRUE(app.InitInstance({}, {false, false})) << prompter.Transcript();
    frame = app.mainFrame();
    child = frame->ActiveChild();
  }

  RecordingPrompter prompter;
  CPlumoraApp app;
  CMainFrame* frame = nullptr;
  CChildFrame* child = nullptr;
};

void Press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
  dialog.findChild<QDialogButtonBox*>()->button(which)->click();
}

TEST_F(SetupDialogsTest, DialogsFlyLikeTheSameValuesWrittenInJson) {
  ASSERT_NE(child, nullptr);
  CPlumoraDoc& doc = child->doc();
  // The mission editor's part: one payload flown by one phase for 30 s.
  doc.mission.CreatePayload().name = "Capsule";
  CMissionPhase& phase = doc.mission.AddPhase(kPhaseBallisticEntry);
  phase.ballistic()->payloadNumber = 0;
  phase.ballistic()->stopKind = 0;
  phase.ballistic()->stopTime = 30.0;

  DialogAnswer initialState([](QDialog& d) {
    Type(d, 1082, "5600");
    Type(d, 1083, "120000");
    Type(d, 1084, "-13");
    Type(d, 1129, "10");
    Type(d, 1130, "20");
    Type(d, 1131, "90");
    Type(d, 1086, "13");
    Type(d, 1089, "0.5");
    DialogAnswer parachuteState([](QDialog& parachute) {
      EXPECT_EQ(parachute.windowTitle(), "Parachute Initial State");
      Type(parachute, 1136, "-30");
      Type(parachute, 1019, "4");
      Press(parachute, QDialogButtonBox::Ok);
    });
    Control<QPushButton>(d, 1006)->click();
    Press(d, QDialogButtonBox::Ok);
  });
  ASSERT_TRUE(frame->Invoke(kCmdInitialState));
  EXPECT_EQ(doc.mission.initialState.parachuteVelocity, 5600.0);
  EXPECT_EQ(doc.mission.initialState.parachutePitch, 4.0);
  EXPECT_TRUE(child->documentState().modified());

  DialogAnswer solver([](QDialog& d) {
    Type(d, 1004, "0.05");
    Type(d, 1005, "0.02");  // shorter than the step: stored as the step
    Type(d, 1007, "1e-7");
    Type(d, 1008, "1e-7");
    Control<QRadioButton>(d, 1010)->click();
    Press(d, QDialogButtonBox::Ok);
  });
  ASSERT_TRUE(frame->Invoke(kCmdSolver));

  DialogAnswer environment([](QDialog& d) {
    auto* descriptions = Control<QComboBox>(d, 1164);
    EXPECT_EQ(descriptions->toolTip(), descriptions->currentText());
    Control<QComboBox>(d, 1042)->setCurrentIndex(kMars);
    EXPECT_EQ(descriptions->currentIndex(), 0);
    // The tip tells the Mars description, not the Earth one it showed before.
    EXPECT_TRUE(descriptions->currentText().contains("Mars", Qt::CaseInsensitive));
    EXPECT_EQ(descriptions->toolTip(), descriptions->currentText());
    Control<QCheckBox>(d, 1095)->setChecked(true);
    Press(d, QDialogButtonBox::Ok);
  });
  ASSERT_TRUE(frame->Invoke(kCmdEnvironment));
  ASSERT_TRUE(frame->Invoke(kCmdRun));
  ASSERT_TRUE(prompter.entries().empty()) << prompter.Transcript();
  ASSERT_GT(doc.results.LastIndex(), 100);
  ASSERT_TRUE(frame->ExportResults(base / "dialogs.csv"));

  // The same mission as a user would write it by hand.
  test::WriteFile(base / "mission.json", R"({
    "format": "plumora-mission", "format_version": 1,
    "payloads": [{"name": "Capsule", "number": 0}],
    "phases": [{"name": "", "type": 0,
                "ballistic_entry": {"payload_number": 0, "stop_kind": 0, "stop_time": 30}}],
    "initial_state": {"payload_velocity": 5600, "parachute_velocity": 5600, "height": 120000,
                      "payload_path_angle": -13, "parachute_path_angle": -13, "latitude": 10,
                      "longitude": 20, "heading": 90, "payload_pitch": 13,
                      "payload_angular_velocity_y": 0.5, "parachute_offset_x": -30, "parachute_pitch": 4},
    "solver": {"time_step": 0.05, "output_time_step": 0.05, "absolute_error": 1e-7,
               "relative_error": 1e-7, "integrator": 1},
    "environment": {"planet": 1, "atmosphere": 0, "wind": 1}
  })");
  const test::ProcessResult cli = test::RunProcess(
      PLUMORA_CLI_PROGRAM, {"run", "--quiet", "--csv", "cli.csv", "mission.json"}, base.path());
  ASSERT_EQ(cli.status, 0) << cli.err;
  EXPECT_EQ(test::ReadFile(base / "dialogs.csv"), test::ReadFile(base / "cli.csv"));
}

TEST_F(SetupDialogsTest, RefusedEntriesKeepTheDialogOpenAndCancelKeepsTheMission) {
  ASSERT_NE(child, nullptr);
  CPlumoraDoc& doc = child->doc();
  int refusalsSeen = 0;
  DialogAnswer solver([&](QDialog& d) {
    Type(d, 1004, "0");
    Press(d, QDialogButtonBox::Ok);
    refusalsSeen += d.isVisible() && d.focusWidget() == Control<QLineEdit>(d, 1004);
    Type(d, 1004, "0.2");
    Type(d, 1008, "-1e-5");
    Press(d, QDialogButtonBox::Ok);
    refusalsSeen += d.isVisible();
    Press(d, QDialogButtonBox::Cancel);
  });
  frame->Invoke(kCmdSolver);
  EXPECT_EQ(refusalsSeen, 2);
  EXPECT_EQ(prompter.Transcript(),
            "error: \"Time step\" must be a number greater than 0.\n"
            "error: \"Relative\" must be a number greater than 0.\n");
  EXPECT_EQ(doc.mission.solver.timeStep, 0.1);
  EXPECT_EQ(doc.mission.solver.relativeError, 1e-5);

  // A planet without an atmosphere file lists nothing, and OK says so.
  prompter.Clear();
  fs::remove(base / "atm" / "titan_huygens.atm");
  doc.results.Append({});
  DialogAnswer environment([&](QDialog& d) {
    Control<QComboBox>(d, 1042)->setCurrentIndex(kTitan);
    EXPECT_EQ(Control<QComboBox>(d, 1164)->count(), 0);
    Press(d, QDialogButtonBox::Ok);
    refusalsSeen += d.isVisible();
    Press(d, QDialogButtonBox::Cancel);
  });
  frame->Invoke(kCmdEnvironment);
  EXPECT_EQ(refusalsSeen, 3);
  EXPECT_EQ(prompter.Transcript(),
            "error: There is no TITAN atmosphere file in " + (base / "atm").string() + "\n");
  EXPECT_EQ(doc.mission.environment.planet, kEarth);
  EXPECT_EQ(doc.results.LastIndex(), 0);  // a cancelled environment keeps the results
  EXPECT_FALSE(child->documentState().modified());
}

TEST_F(SetupDialogsTest, AnImportedTrajectoryShowsInTheTable) {
  ASSERT_NE(child, nullptr);
  test::WriteFile(base / "measured.txt",
                  "1 Mars, all columns\n0 10 20 90 100 -5 6\n1 10.1 20.1 90 99 -5.1 5.9\n");
  DialogAnswer importData([&](QDialog& d) {
    EXPECT_EQ(Control<QCheckBox>(d, 1034)->text(), "Altitude (km)");
    d.findChild<QLineEdit*>()->setText(QString::fromStdString((base / "measured.txt").string()));
    Press(d, QDialogButtonBox::Ok);
  });
  ASSERT_TRUE(frame->Invoke(kCmdImportData));
  ASSERT_TRUE(prompter.entries().empty()) << prompter.Transcript();
  EXPECT_EQ(child->doc().mission.environment.planet, kMars);
  ASSERT_EQ(child->doc().results.LastIndex(), 1);
  EXPECT_TRUE(child->documentState().modified());  // the import added its payload

  frame->Invoke(kCmdShowTable);
  QApplication::processEvents();
  const auto* pane = dynamic_cast<const TablePane*>(child->View(0, 0)->pane());
  ASSERT_NE(pane, nullptr);
  std::vector<std::string> firstRow;
  for (const AnchoredText& t : pane->CurrentTable().texts) {
    if (t.at.y == 60) firstRow.push_back(t.text);
  }
  ASSERT_GE(firstRow.size(), 7u);
  EXPECT_EQ(firstRow[4], "100000.00");
  EXPECT_EQ(firstRow[6], "6000.00");
  EXPECT_EQ(frame->animation().bound(), &child->doc().results);
}

// The preview of `host` stands at `place`, inside the window and right of every other widget.
void ExpectPreviewBesideTheFields(QWidget& host, const QRect& place, const char* shot) {
  const CGLPreviewWnd* preview = host.findChild<CGLPreviewWnd*>();
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->geometry(), place);
  for (const QWidget* w : host.findChildren<QWidget*>()) {
    if (w == preview || preview->isAncestorOf(w) || !w->isVisible()) continue;
    const QRect r(w->mapTo(&host, QPoint(0, 0)), w->size());
    EXPECT_FALSE(r.intersects(place)) << w->metaObject()->className();
    if (auto* label = qobject_cast<const QLabel*>(w)) {
      EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    }
  }
  QWidget& window = *host.window();
  EXPECT_TRUE(window.rect().contains(QRect(preview->mapTo(&window, QPoint(0, 0)), place.size())));
  const QImage picture = window.grab().toImage();
  // The preview's border is drawn, not hidden behind a field.
  EXPECT_LT(picture.pixelColor(preview->mapTo(&window, QPoint(0, 100))).lightness(), 128);
  picture.save(QString(PLUMORA_SCREENSHOT_DIR "/") + shot);
}

// The previews stand where the fields leave room, and the snapshot of each command is its
// dialog.
TEST_F(SetupDialogsTest, PreviewsSitBesideTheFieldsAndSnapshotsShowTheDialogs) {
  InitialStateDialog dialog(InitialState{}, kMars, nullptr);
  dialog.show();
  QApplication::processEvents();
  auto* sheet = dialog.findChild<QTabWidget*>();
  const QRect pagePlace(230, 25, 200, 200);
  ExpectPreviewBesideTheFields(*dialog.positionPage(), pagePlace, "plumora-initial-position.png");
  sheet->setCurrentWidget(dialog.attitudePage());
  QApplication::processEvents();
  ExpectPreviewBesideTheFields(*dialog.attitudePage(), pagePlace, "plumora-initial-attitude.png");
  ParachuteStateDialog parachute(InitialState{}, &dialog);
  parachute.show();
  QApplication::processEvents();
  // The preview stands at x = 180 at the least, further right where the labels need the room.
  const int previewLeft = parachute.preview()->x();
  EXPECT_GE(previewLeft, 180);
  EXPECT_LT(previewLeft, 240);
  ExpectPreviewBesideTheFields(parachute, QRect(previewLeft, 30, 200, 200),
                               "plumora-initial-parachute.png");
  // The system follows each field as it is typed, before the field is left; a field on its way
  // to a number ("-") leaves the value it had.
  const CTrajectorySample& placed = parachute.preview()->state().system;
  auto* offsetX = parachute.findChild<QLineEdit*>("ctl_1136");
  offsetX->setText("-60");
  EXPECT_EQ(placed.parachuteOffsetX, -60.0);
  offsetX->setText("-");
  EXPECT_EQ(placed.parachuteOffsetX, -25.0);
  parachute.findChild<QLineEdit*>("ctl_1020")->setText("15");
  EXPECT_EQ(placed.parachuteRelYaw, 15.0);
  parachute.reject();
  EXPECT_EQ(dialog.positionPage()->preview()->state().mode, 7);  // the globe of Mars
  EXPECT_TRUE(dialog.attitudePage()->preview()->state().triadOn);
  EXPECT_EQ(dialog.attitudePage()->preview()->state().triadAngle, -12.14);

  // Leaving the path angle turns the attitude page's arrow.
  auto* pathAngle = dialog.findChild<QLineEdit*>("ctl_1084");
  pathAngle->setText("-20");
  emit pathAngle->editingFinished();
  EXPECT_EQ(dialog.attitudePage()->preview()->state().triadAngle, -20.0);
  dialog.reject();

  const QSize sizes[] = {dialog.size(), {}, {}, {}};
  const int commands[] = {kCmdInitialState, kCmdSolver, kCmdEnvironment, kCmdImportData};
  for (int k = 0; k < 4; ++k) {
    const std::string file = "dialog" + std::to_string(commands[k]) + ".png";
    // The platform the tests run on (offscreen) is the one the program takes.
    const test::ProcessResult shot = test::RunProcess(
        PLUMORA_PROGRAM, {"--snapshot", file, "--command", std::to_string(commands[k])},
        base.path());
    ASSERT_EQ(shot.status, 0) << shot.err;
    const QImage picture(QString::fromStdString((base / file).string()));
    EXPECT_GT(picture.width(), 300) << commands[k];
    EXPECT_GT(picture.height(), 150) << commands[k];
    if (k == 0) {
      EXPECT_EQ(picture.size(), sizes[0]);
    }
  }
}

// Undo and Redo through the menu's commands: a manager action and two dialog OKs are three steps,
// each named in the menu; undoing empties the results and, back at the opened mission, the mark.
TEST_F(SetupDialogsTest, UndoGivesEachMissionBackWithoutResultsAndRedoMakesTheEditAgain) {
  ASSERT_NE(child, nullptr);
  CPlumoraDoc& doc = child->doc();
  QAction* undo = frame->commands().Action(kCmdEditUndo);
  QAction* redo = frame->commands().Action(kCmdEditRedo);
  ASSERT_TRUE(undo && redo);
  EXPECT_FALSE(frame->Invoke(kCmdEditUndo));  // nothing to undo yet
  EXPECT_EQ(undo->text(), "&Undo");

  DialogAnswer manager([](QDialog& d) {
    Type(d, 1080, "Capsule");
    Control<QPushButton>(d, 1076)->click();
    Control<QPushButton>(d, 1097)->click();
  });
  ASSERT_TRUE(frame->Invoke(kCmdPayloadManager));
  DialogAnswer solver([](QDialog& d) {
    Type(d, 1004, "0.05");
    Press(d, QDialogButtonBox::Ok);
  });
  ASSERT_TRUE(frame->Invoke(kCmdSolver));
  DialogAnswer unchanged([](QDialog& d) { Press(d, QDialogButtonBox::Ok); });
  ASSERT_TRUE(frame->Invoke(kCmdSolver));  // an OK that changed nothing is no step
  EXPECT_EQ(undo->text(), "&Undo Solver");
  EXPECT_TRUE(frame->isWindowModified());

  doc.results.Append({});  // the edited mission's results
  ASSERT_TRUE(frame->Invoke(kCmdEditUndo));
  EXPECT_EQ(doc.mission.solver.timeStep, 0.1);
  EXPECT_EQ(doc.mission.payloads.size(), 1u);
  EXPECT_EQ(doc.results.LastIndex(), -1);
  EXPECT_EQ(undo->text(), "&Undo Payload manager");
  EXPECT_EQ(redo->text(), "&Redo Solver");
  EXPECT_TRUE(child->documentState().modified());

  ASSERT_TRUE(frame->Invoke(kCmdEditUndo));
  EXPECT_TRUE(doc.mission.payloads.empty());
  EXPECT_FALSE(child->documentState().modified());
  EXPECT_FALSE(frame->isWindowModified());
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_EQ(redo->text(), "&Redo Payload manager");

  ASSERT_TRUE(frame->Invoke(kCmdEditRedo));
  ASSERT_TRUE(frame->Invoke(kCmdEditRedo));
  ASSERT_EQ(doc.mission.payloads.size(), 1u);
  EXPECT_EQ(doc.mission.payloads[0]->name, "Capsule");
  EXPECT_EQ(doc.mission.solver.timeStep, 0.05);
  EXPECT_TRUE(frame->isWindowModified());
  EXPECT_FALSE(redo->isEnabled());
}

}  // namespace
}  // namespace plumora::gui
