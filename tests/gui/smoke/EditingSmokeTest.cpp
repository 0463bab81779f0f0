// A mission built with the mouse alone: from File > New through the managers, the mission editor
// and the phase dialogs to a landing, a save and a re-open; the modified mark and the question
// before unsaved edits are lost; the editing dialogs drawn headless.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextCursor>
#include <QTimer>
#include <QTreeWidget>
#include <deque>
#include <filesystem>
#include <functional>

#include "DesktopFolder.h"
#include "Dialogs.h"
#include "core/app/MissionFiles.h"
#include "core/common/Messages.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CPlumoraApp.h"
#include "gui/app/MissionPlanBar.h"
#include "gui/editing/CGLPreviewWnd.h"
#include "gui/editing/PhaseDialogs.h"
#include "gui/logic/commands/CommandIds.h"
#include "gui/logic/editing/PayloadData.h"
#include "gui/results/CChildFrame.h"
#include "support/RunProcess.h"
#include "support/TestFiles.h"

namespace plumora::gui {
namespace {

namespace fs = std::filesystem;
using smoke::Control;
using smoke::Later;
using smoke::Type;

// Acts on the dialogs that open one inside the other, as a user would: each step waits until the
// modal window with its title is up and then acts on it. A click that opens another dialog is
// queued (Later) so that the step has returned before that dialog runs.
class DialogScript {
 public:
  using Act = std::function<void(QWidget&)>;
  DialogScript() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
    timer_.start();
  }
  DialogScript& On(const QString& title, Act act) {
    steps_.push_back({title, std::move(act)});
    return *this;
  }
  bool finished() const { return steps_.empty(); }

 private:
  void Tick() {
    QWidget* modal = QApplication::activeModalWidget();
    if (steps_.empty() || !modal || !modal->isVisible()) return;
    if (modal->windowTitle() != steps_.front().title) return;
    const Act act = std::move(steps_.front().act);
    steps_.pop_front();
    act(*modal);
  }
  struct Step {
    QString title;
    Act act;
  };
  std::deque<Step> steps_;
  QTimer timer_;
};

QStringList ListLines(QWidget& dialog) {
  QStringList lines;
  auto* list = Control<QListWidget>(dialog, 1061);
  for (int k = 0; k < list->count(); ++k) lines << list->item(k)->text();
  return lines;
}

void AnswerSaveQuestion(QWidget& box, const QString& expected, QMessageBox::StandardButton answer) {
  auto& question = dynamic_cast<QMessageBox&>(box);
  EXPECT_EQ(question.text(), expected);
  EXPECT_EQ(question.standardButtons(),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
  Later(question.button(answer));
}

class EditingTest : public smoke::DesktopFolderTest {
 protected:
  EditingTest() { app.SetPrompter(&prompter); }

  RecordingPrompter prompter;
  CPlumoraApp app;
};

TEST_F(EditingTest, ANewMissionIsBuiltFlownSavedAndReopenedWithTheMouse) {
  ASSERT_TRUE(app.InitInstance({}, {false, true}));
  CMainFrame& frame = *app.mainFrame();
  frame.Invoke(kCmdFileNew);
  CChildFrame* child = frame.ActiveChild();
  ASSERT_NE(child, nullptr);
  const std::string title = child->documentState().Title();
  CPlumoraDoc& doc = child->doc();
  DialogScript script;

  // A payload: the defaults of another type are dropped with Cancel, then bridle legs, first too
  // many of them.
  script.On("Payload manager", [](QWidget& d) {
    Type(d, 1080, "Capsule with a long name");
    Control<QPlainTextEdit>(d, 1065)->setPlainText("flies first");
    Control<QPushButton>(d, 1076)->click();
    EXPECT_EQ(ListLines(d), QStringList{"  1\tCapsule with a long name\tZEL"});
    Control<QListWidget>(d, 1061)->setCurrentRow(0);
    Later(Control<QPushButton>(d, 1079));
  });
  script.On("Payload Data", [](QWidget& d) {
    // The preview stands where the dialog keeps it and draws the vehicle scene's background.
    const auto* preview = d.findChild<CGLPreviewWnd*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->geometry(), QRect(360, 40, 200, 200));
    EXPECT_TRUE(preview->state().linesOn);
    EXPECT_EQ(preview->state().lineCount, 1);
    const QImage picture = d.grab().toImage();
    picture.save(QStringLiteral(PLUMORA_SCREENSHOT_DIR "/plumora-payload-data.png"));
    const QColor sky = picture.pixelColor(460, 60);
    EXPECT_NEAR(sky.red(), 179, 1);
    EXPECT_NEAR(sky.green(), 230, 1);
    EXPECT_NE(picture.pixelColor(355, 60), sky);
    Control<QComboBox>(d, 1166)->setCurrentIndex(4);
    EXPECT_EQ(preview->state().mode, 4);
    d.findChild<QWidget*>("dlg_180")->findChild<QPushButton*>("ctl_1167")->click();
    EXPECT_EQ(Control<QLineEdit>(d, 1007)->text(), "38.925");
    Later(Control<QPushButton>(d, 2));
  });
  script.On("Payload manager", [](QWidget& d) {
    EXPECT_EQ(ListLines(d), QStringList{"  1\tCapsule with a long name\tZEL"});
    Later(Control<QPushButton>(d, 1079));
  });
  script.On("Payload Data", [](QWidget& d) {
    QWidget& lines = *d.findChild<QWidget*>("dlg_181");
    EXPECT_FALSE(Control<QLineEdit>(lines, 1142)->isEnabled());
    Control<QRadioButton>(lines, 1010)->click();
    EXPECT_TRUE(Control<QLineEdit>(lines, 1142)->isEnabled());
    d.findChild<QTabWidget*>()->setCurrentWidget(&lines);
    d.grab().save(QStringLiteral(PLUMORA_SCREENSHOT_DIR "/plumora-connection-lines.png"));
    EXPECT_FALSE(Control<QLineEdit>(lines, 1031)->isEnabled());
    Type(lines, 1142, "51");
    Later(Control<QPushButton>(d, 1));
  });
  script.On("error", [](QWidget& box) {
    EXPECT_EQ(dynamic_cast<QMessageBox&>(box).text(), QString::fromStdString(LegCountMessage(51)));
    Later(dynamic_cast<QMessageBox&>(box).button(QMessageBox::Ok));
  });
  script.On("Payload Data", [](QWidget& d) {
    QWidget& lines = *d.findChild<QWidget*>("dlg_181");
    Type(lines, 1142, "4");
    emit Control<QLineEdit>(lines, 1142)->editingFinished();
    EXPECT_EQ(d.findChild<CGLPreviewWnd*>()->state().lineCount, 4);
    Later(Control<QPushButton>(d, 1));
  });
  script.On("Payload manager", [](QWidget& d) { Later(Control<QPushButton>(d, 1097)); });
  ASSERT_TRUE(frame.Invoke(kCmdPayloadManager));
  ASSERT_EQ(doc.mission.payloads.size(), 1u);
  const CPayload& payload = *doc.mission.payloads[0];
  const std::int32_t payloadNumber = payload.number;
  EXPECT_EQ(payload.name, "Capsule with a long name");
  EXPECT_EQ(payload.comments, "flies first");
  EXPECT_EQ(payload.typeKeyword, "ZEL");
  EXPECT_EQ(payload.mass, 2800.0);
  EXPECT_EQ(payload.connectionKind, kBridleLegs);
  EXPECT_EQ(payload.legCount, 4);
  EXPECT_NEAR(payload.legPoints[3].z, -0.35, 1e-12);
  EXPECT_TRUE(child->documentState().modified());
  EXPECT_TRUE(child->isWindowModified());
  EXPECT_TRUE(frame.isWindowModified());

  // A parachute: a mass that is no number is refused and the dialog stays.
  script.On("Parachute manager", [](QWidget& d) {
    Type(d, 1081, "Main");
    Control<QPushButton>(d, 1076)->click();
    Control<QListWidget>(d, 1061)->setCurrentRow(0);
    Later(Control<QPushButton>(d, 1079));
  });
  script.On("Parachute data", [](QWidget& d) {
    EXPECT_EQ(d.findChild<CGLPreviewWnd*>()->geometry(), QRect(370, 10, 210, 210));
    d.grab().save(QStringLiteral(PLUMORA_SCREENSHOT_DIR "/plumora-parachute-data.png"));
    // The preview draws the canopy the fields describe: its area, the lines to its link.
    const PreviewState& preview = d.findChild<CGLPreviewWnd*>()->state();
    ASSERT_NE(preview.canopy, nullptr);
    EXPECT_EQ(preview.canopy->referenceArea, 10.0);
    Type(d, 1016, "20");
    EXPECT_EQ(preview.canopy->referenceArea, 20.0);
    Type(d, 1031, "3");
    EXPECT_EQ(preview.canopy->link.x, 3.0);
    Type(d, 1031, "14");
    Type(d, 1017, "1x");
    Later(Control<QPushButton>(d, 1));
  });
  script.On("error", [](QWidget& box) {
    EXPECT_TRUE(dynamic_cast<QMessageBox&>(box).text().startsWith("\"Mass (kg)\""));
    Later(dynamic_cast<QMessageBox&>(box).button(QMessageBox::Ok));
  });
  script.On("Parachute data", [](QWidget& d) {
    Type(d, 1017, "10.5");
    Later(Control<QPushButton>(d, 1));
  });
  script.On("Parachute manager", [](QWidget& d) { Later(Control<QPushButton>(d, 1097)); });
  ASSERT_TRUE(frame.Invoke(kCmdParachuteManager));
  ASSERT_EQ(doc.mission.parachutes.size(), 1u);
  EXPECT_EQ(doc.mission.parachutes[0]->referenceArea, 20.0);
  EXPECT_EQ(doc.mission.parachutes[0]->mass, 10.5);

  // Two phases in the mission editor; a deployment phase cannot be computed and is refused.
  script.On("Mission Editor", [](QWidget& d) {
    Type(d, 1125, "Earth test");
    d.findChild<QTabWidget*>()->setCurrentIndex(1);
    Type(d, 1066, "Ballistic entry phase");
    Control<QPushButton>(d, 1076)->click();
    Type(d, 1066, "Main descent");
    Control<QComboBox>(d, 1067)->setCurrentIndex(1);
    Control<QPushButton>(d, 1076)->click();
    Control<QComboBox>(d, 1067)->setCurrentIndex(3);
    Control<QPushButton>(d, 1076)->click();
    EXPECT_EQ(ListLines(d), (QStringList{"  1\tyes\tBallistic entry phase\tBallistic-reentry",
                                         "  2\tyes\tMain descent\tFinal descent"}));
    d.grab().save(QStringLiteral(PLUMORA_SCREENSHOT_DIR "/plumora-mission-editor.png"));
    auto* list = Control<QListWidget>(d, 1061);
    QTimer::singleShot(0, list, [list] { emit list->itemDoubleClicked(list->item(0)); });
  });
  // A double click on a phase opens its dialog; closing the editor by its window (not "Close")
  // still keeps the new name.
  script.On("Ballistic re-entry module", [](QWidget& d) {
    EXPECT_EQ(Control<QComboBox>(d, 1071)->itemText(0), "Capsule with a long name");
    Later(Control<QPushButton>(d, 2));
  });
  script.On("Mission Editor", [](QWidget& d) { QTimer::singleShot(0, &d, [&d] { d.close(); }); });
  Control<QPushButton>(frame, kCtlEditMission)->click();
  ASSERT_EQ(prompter.entries().size(), 1u);
  EXPECT_EQ(prompter.entries()[0].text, "Phase type not implemented.");
  prompter.Clear();
  EXPECT_EQ(frame.missionPlanBar()->missionName(), "Earth test");
  EXPECT_EQ(frame.missionPlanBar()->phaseLines(),
            (QStringList{"1\ty\tBallisti\tBR", "2\ty\tMain des\tFD"}));

  // The ballistic phase flies the payload down to 1 km.
  script.On("Ballistic re-entry module", [](QWidget& d) {
    EXPECT_EQ(Control<QComboBox>(d, 1071)->currentIndex(), -1);
    Control<QComboBox>(d, 1071)->setCurrentIndex(0);
    Later(Control<QPushButton>(d, 1094));
  });
  script.On("Ballistic re-entry stop condition", [](QWidget& d) {
    EXPECT_TRUE(Control<QRadioButton>(d, 1010)->isChecked());
    EXPECT_FALSE(Control<QLineEdit>(d, 1030)->isEnabled());
    Control<QRadioButton>(d, 1009)->click();
    Type(d, 1030, "55");
    Control<QRadioButton>(d, 1010)->click();
    EXPECT_FALSE(Control<QLineEdit>(d, 1030)->isEnabled());
    Type(d, 1001, "1000");
    Later(Control<QPushButton>(d, 1));
  });
  script.On("Ballistic re-entry module", [](QWidget& d) { Later(Control<QPushButton>(d, 1)); });
  frame.missionPlanBar()->SelectPhase(0);
  Control<QPushButton>(frame, kCtlEditPhase)->click();
  const CBallisticEntryPhase& entry = *doc.mission.phases[0]->ballistic();
  EXPECT_EQ(entry.payloadNumber, payload.number);
  EXPECT_EQ(entry.stopHeight, 1000.0);
  EXPECT_EQ(entry.stopTime, 55.0);
  EXPECT_EQ(entry.stopKind, kStopOnHeight);

  // The final descent: stop edits are dropped with Cancel, then the records are chosen (a double
  // click on the phase opens its dialog too).
  script.On("Final descent initial data", [](QWidget& d) {
    Control<QComboBox>(d, 1070)->setCurrentIndex(0);
    Later(Control<QPushButton>(d, 1092));
  });
  script.On("Final Descent stop condition", [](QWidget& d) {
    Control<QRadioButton>(d, 1009)->click();
    Type(d, 1030, "1");
    Later(Control<QPushButton>(d, 1));
  });
  script.On("Final descent initial data", [](QWidget& d) { Later(Control<QPushButton>(d, 2)); });
  script.On("Final descent initial data", [](QWidget& d) {
    EXPECT_FALSE(Control<QCheckBox>(d, 1156)->isChecked());
    Control<QComboBox>(d, 1070)->setCurrentIndex(0);
    Control<QComboBox>(d, 1071)->setCurrentIndex(0);
    Later(Control<QPushButton>(d, 1));
  });
  QTreeWidget* plan = frame.missionPlanBar()->phaseList();
  frame.missionPlanBar()->SelectPhase(1);
  Control<QPushButton>(frame, kCtlEditPhase)->click();
  const CParachutePhase& descent = *doc.mission.phases[1]->parachute();
  EXPECT_EQ(descent.stopKind, kStopOnHeight);
  EXPECT_EQ(descent.stopTime, 100.0);
  EXPECT_EQ(descent.parachuteNumber, -1);
  emit plan->itemDoubleClicked(plan->topLevelItem(1), 0);
  EXPECT_EQ(descent.parachuteNumber, doc.mission.parachutes[0]->number);
  EXPECT_EQ(descent.payloadNumber, payload.number);
  EXPECT_TRUE(script.finished());

  // Run flies to the ground (the canopy may flip on opening; the run goes on) and is no edit of
  // its own.
  child->documentState().SetModified(false);
  frame.Invoke(kCmdRun);
  for (const RecordingPrompter::Entry& e : prompter.entries()) {
    EXPECT_EQ(e.text, kMsgParachuteFlip) << prompter.Transcript();
  }
  prompter.Clear();
  const CTrajectoryStore& results = doc.results;
  ASSERT_GT(results.LastIndex(), 100);
  EXPECT_EQ(results.SampleAt(results.LastIndex()).phaseType, kSampleFinalDescent);
  EXPECT_LT(results.SampleAt(results.LastIndex()).payloadHeight, 1.0);
  EXPECT_FALSE(child->documentState().modified());
  child->documentState().SetModified();

  // Closing asks; Cancel keeps the window, Save asks for a file and writes it.
  const QString question = QString::fromStdString("Save changes to " + title + "?");
  script.On("plumora",
            [&](QWidget& box) { AnswerSaveQuestion(box, question, QMessageBox::Cancel); });
  frame.Invoke(kCmdFileClose);
  QApplication::processEvents();
  ASSERT_EQ(frame.ActiveChild(), child);
  const fs::path saved = base / "built.psd";
  script.On("plumora", [&](QWidget& box) { AnswerSaveQuestion(box, question, QMessageBox::Save); });
  script.On("Save As", [&](QWidget& d) {
    auto& files = dynamic_cast<QFileDialog&>(d);
    files.selectFile(QString::fromStdString(saved.string()));
    static_cast<QDialog&>(files).accept();
  });
  const QPointer<CChildFrame> closing = child;
  frame.Invoke(kCmdFileClose);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_TRUE(script.finished());
  EXPECT_TRUE(closing.isNull());

  // Opened again, it is the same mission, unmodified.
  CChildFrame* again = frame.OpenDocument(saved);
  ASSERT_NE(again, nullptr);
  EXPECT_FALSE(again->documentState().modified());
  ASSERT_TRUE(SaveMission(again->doc().mission, base / "again.psd").ok());
  EXPECT_EQ(test::ReadFile(base / "again.psd"), test::ReadFile(saved));
  EXPECT_EQ(again->doc().mission.payloads.at(0)->legCount, 4);
  EXPECT_EQ(again->doc().mission.phases.at(1)->parachute()->payloadNumber, payloadNumber);

  // Quitting with an unsaved edit asks too: Cancel keeps the program, Discard ends it.
  script.On("Payload manager", [](QWidget& d) {
    Type(d, 1080, "Spare");
    Control<QPushButton>(d, 1076)->click();
    Later(Control<QPushButton>(d, 1097));
  });
  frame.Invoke(kCmdPayloadManager);
  EXPECT_TRUE(again->isWindowModified());
  const QString savePrompt("Save changes to built.psd?");
  script.On("plumora",
            [&](QWidget& box) { AnswerSaveQuestion(box, savePrompt, QMessageBox::Cancel); });
  EXPECT_FALSE(frame.close());
  script.On("plumora",
            [&](QWidget& box) { AnswerSaveQuestion(box, savePrompt, QMessageBox::Discard); });
  EXPECT_TRUE(frame.close());
  EXPECT_TRUE(script.finished());
}

void AnswerMessage(QWidget& box, QStringList& texts) {
  auto& message = dynamic_cast<QMessageBox&>(box);
  texts << message.text();
  Later(message.button(QMessageBox::Ok));
}

void PressKey(QWidget& target, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&target, &press);
}

// A character the mission file's code page lacks is left out as it is typed, with a message
// naming the field; the rest stays where it was typed, and the editor closes however it is
// closed.
TEST_F(EditingTest, TheMissionEditorLeavesOutWhatAMissionCannotKeepAndAlwaysCloses) {
  ASSERT_TRUE(app.InitInstance({}, {false, true}));
  CMainFrame& frame = *app.mainFrame();
  frame.Invoke(kCmdFileNew);
  CPlumoraDoc& doc = frame.ActiveChild()->doc();
  const QString snowman = QString::fromUtf8("\u2603");
  const QString rocket = QString::fromUtf8("\U0001F680");

  DialogScript script;
  script.On("Mission Editor", [&](QWidget& d) {
    auto* name = Control<QLineEdit>(d, 1125);
    name->setText(QString::fromUtf8("Lune \u00E9t\u00E9"));
    name->setCursorPosition(4);
    name->insert(snowman);
    EXPECT_EQ(name->text(), QString::fromUtf8("Lune \u00E9t\u00E9"));
    EXPECT_EQ(name->cursorPosition(), 4);
    name->insert("s");
    auto* comments = Control<QPlainTextEdit>(d, 1068);
    comments->setPlainText("First line\nSecond");
    comments->moveCursor(QTextCursor::End);
    comments->insertPlainText(rocket + " line");
    EXPECT_EQ(comments->toPlainText(), "First line\nSecond line");
    d.findChild<QTabWidget*>()->setCurrentIndex(1);
    auto* phaseName = Control<QLineEdit>(d, 1066);
    phaseName->setText("Entry" + snowman);
    EXPECT_EQ(phaseName->text(), "Entry");
  });
  const auto leftOut = [](const char* field, const char* code) {
    return QString(
               "\"%1\" cannot take the character %2, which a mission file cannot keep. It "
               "was left out.")
        .arg(field, code);
  };
  // One message a field, each in its own box.
  QStringList messages;
  for (int k = 0; k < 3; ++k) {
    script.On("error", [&messages](QWidget& box) { AnswerMessage(box, messages); });
  }
  script.On("Mission Editor", [](QWidget& d) { PressKey(d, Qt::Key_Escape); });
  Control<QPushButton>(frame, kCtlEditMission)->click();
  EXPECT_TRUE(script.finished());
  messages.sort();
  EXPECT_EQ(messages,
            (QStringList{leftOut("Mission Comments", "U+1F680"), leftOut("Mission Name", "U+2603"),
                         leftOut("Phase Name", "U+2603")}));
  EXPECT_EQ(doc.mission.missionName, "Lunes \xE9t\xE9");
  EXPECT_EQ(doc.mission.missionComments, "First line\nSecond line");
  EXPECT_EQ(frame.missionPlanBar()->missionName(), QString::fromUtf8("Lunes \u00E9t\u00E9"));
}

// A stop kind of neither button, as a file may hold one, checks neither and opens neither field:
// the phase then stops only on the ground. OK keeps the kind; choosing one sets it.
TEST_F(EditingTest, AStopKindOfNeitherButtonShowsNoStop) {
  constexpr std::int32_t kOtherKind = 7;
  StopCondition stop{1000.0, 60.0, kOtherKind};
  CStopConditionDlg dialog("Final Descent stop condition", stop, nullptr);
  EXPECT_FALSE(Control<QRadioButton>(dialog, 1009)->isChecked());
  EXPECT_FALSE(Control<QRadioButton>(dialog, 1010)->isChecked());
  EXPECT_FALSE(Control<QLineEdit>(dialog, 1030)->isEnabled());
  EXPECT_FALSE(Control<QLineEdit>(dialog, 1001)->isEnabled());
  dialog.accept();
  EXPECT_EQ(dialog.stop(), stop);

  CStopConditionDlg chosen("Final Descent stop condition", stop, nullptr);
  Control<QRadioButton>(chosen, 1009)->click();
  EXPECT_TRUE(Control<QLineEdit>(chosen, 1030)->isEnabled());
  EXPECT_FALSE(Control<QLineEdit>(chosen, 1001)->isEnabled());
  chosen.accept();
  EXPECT_EQ(chosen.stop().kind, kStopOnTime);
}

// The dialogs of the editing commands drawn headless, as the documentation shows them.
TEST_F(EditingTest, EditingDialogsAreDrawnHeadless) {
  fs::copy(test::DataFolder() / "examples" / "earth-return.psd", base / "earth.psd");
  for (const char* command : {"1062", "1063", "32779", "32780"}) {
    const std::string file = std::string("dialog-") + command + ".png";
    const test::ProcessResult r =
        smoke::RunSnapshot(base.path(), {file, "--command", command, "earth.psd"});
    ASSERT_EQ(r.status, 0) << command << ": " << r.err;
    const QImage picture(QString::fromStdString((base / file).string()));
    ASSERT_GT(picture.width(), 250) << command;
    // Text on the dialog's face: dark pixels along a line through the first row of fields.
    int ink = 0;
    for (int x = 0; x < picture.width(); ++x) ink += picture.pixelColor(x, 20).lightness() < 90;
    EXPECT_GT(ink, 10) << command;
  }
  // The phase dialog is the first phase's: the ballistic one, wider than it is tall.
  const QImage phase(QString::fromStdString((base / "dialog-1063.png").string()));
  EXPECT_GT(phase.width(), phase.height());
}

}  // namespace
}  // namespace plumora::gui
