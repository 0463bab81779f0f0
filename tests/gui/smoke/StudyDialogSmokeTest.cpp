// A mission's dispersion study in the desktop program: its setup read from beside the mission,
// changed in the Dispersions dialog and written back, flown behind the progress dialog (and
// stopped), and exported as the very files the command line writes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QListWidget>
#include <QStatusBar>
#include <QTimer>
#include <filesystem>
#include <optional>

#include "DesktopFolder.h"
#include "Dialogs.h"
#include "core/common/Messages.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CPlumoraApp.h"
#include "gui/logic/commands/CommandIds.h"
#include "gui/logic/commands/ControlIds.h"
#include "gui/logic/editing/EditSteps.h"
#include "gui/logic/study/DocumentStudy.h"
#include "gui/results/CChildFrame.h"
#include "support/RunProcess.h"
#include "support/TestFiles.h"

namespace plumora::gui {
namespace {

namespace fs = std::filesystem;
using smoke::Control;
using smoke::DialogAnswer;
using smoke::Later;
using smoke::Type;

class StudyTest : public smoke::DesktopFolderTest {
 protected:
  StudyTest() {
    for (const char* name : {"mars-entry.psd", "mars-entry.dispersions.json"}) {
      fs::copy_file(test::DataFolder() / "examples" / name, base.path() / name);
    }
    app.SetPrompter(&prompter);
  }

  CMainFrame& Start() {
    EXPECT_TRUE(app.InitInstance({}, {false, true}));
    CMainFrame& frame = *app.mainFrame();
    EXPECT_NE(frame.OpenDocument(mission), nullptr) << prompter.Transcript();
    return frame;
  }

  fs::path mission = base.path() / "mars-entry.psd";
  fs::path sidecar = base.path() / "mars-entry.dispersions.json";
  RecordingPrompter prompter;
  CPlumoraApp app;
};

TEST_F(StudyTest, SetUpFlownAndExportedAsTheCommandLineWritesIt) {
  CMainFrame& frame = Start();
  CPlumoraDoc& doc = *frame.ActiveDocument();
  EXPECT_EQ(StudyOf(doc).setup.runs, 200);
  frame.UpdateCommandStates();
  EXPECT_TRUE(frame.Action(kCmdDispersions)->isEnabled());
  EXPECT_FALSE(frame.Action(kCmdExportStudy)->isEnabled());

  // The example's study, cut to 20 runs and flown with Run.
  std::optional<DialogAnswer> progress;
  DialogAnswer setUp([&](QDialog& d) {
    auto* list = Control<QListWidget>(d, kCtlStudyScatters);
    ASSERT_EQ(list->count(), 6);
    EXPECT_EQ(list->item(0)->text(), "height: normal(0, 500) m");
    Type(d, kCtlStudyRuns, "20");
    progress.emplace([](QDialog& p) { EXPECT_EQ(p.windowTitle(), "Dispersion study"); });
    Later(Control<QAbstractButton>(d, kCtlStudyRun));
  });
  frame.Invoke(kCmdDispersions);
  ASSERT_TRUE(setUp.seen);
  ASSERT_TRUE(progress && progress->seen);
  const FlownStudy* flown = FlownStudyOf(doc);
  ASSERT_NE(flown, nullptr) << prompter.Transcript();
  EXPECT_EQ(flown->outcome.records.size(), 20U);
  EXPECT_FALSE(flown->outcome.stopped);
  EXPECT_TRUE(flown->nominal.has_value());
  EXPECT_EQ(frame.statusBar()->currentMessage(), "Study: 20 runs flown, 0 failed");
  EXPECT_TRUE(prompter.entries().empty()) << prompter.Transcript();
  // The setup went back beside the mission.
  const Result<DispersionStudy> kept = LoadDispersionStudy(sidecar);
  ASSERT_TRUE(kept.ok());
  EXPECT_EQ(kept->runs, 20);
  EXPECT_TRUE(frame.Action(kCmdExportStudy)->isEnabled());

  const fs::path csv = base.path() / "out" / "mars-study.csv";
  fs::create_directory(csv.parent_path());
  DialogAnswer save([&](QDialog& d) {
    auto& files = dynamic_cast<QFileDialog&>(d);
    EXPECT_EQ(files.windowTitle(), "Export study");
    files.selectFile(QString::fromStdString(csv.string()));
    d.accept();
  });
  frame.Invoke(kCmdExportStudy);
  ASSERT_TRUE(save.seen);
  EXPECT_TRUE(prompter.entries().empty()) << prompter.Transcript();

  // The command line with the study file the dialog wrote.
  const test::ProcessResult cli = test::RunProcess(
      PLUMORA_CLI_PROGRAM,
      {"dispersions", "--quiet", "--base", base.path().string(), "--study", sidecar.string(),
       "--csv", (base.path() / "cli.csv").string(), "--summary",
       (base.path() / "cli.json").string(), mission.string()},
      base.path());
  ASSERT_EQ(cli.status, 0) << cli.err;
  EXPECT_EQ(test::ReadFile(csv), test::ReadFile(base.path() / "cli.csv"));
  EXPECT_EQ(test::ReadFile(base.path() / "out" / "mars-study.summary.json"),
            test::ReadFile(base.path() / "cli.json"));

  // Undo gives back an earlier mission: the study flown for this one goes with its results.
  const Mission before = doc.mission;
  doc.mission.solver.timeStep *= 2.0;
  frame.RecordEdit(doc, SolverStep(), before);
  frame.Invoke(kCmdEditUndo);
  EXPECT_EQ(doc.mission.solver.timeStep, before.solver.timeStep);
  EXPECT_EQ(FlownStudyOf(doc), nullptr);
  frame.UpdateCommandStates();
  EXPECT_FALSE(frame.Action(kCmdExportStudy)->isEnabled());
}

TEST_F(StudyTest, ASetupOfAMissionWithoutAFileIsNotLostUnasked) {
  CMainFrame& frame = Start();
  frame.Invoke(kCmdFileNew);
  CChildFrame* child = frame.ActiveChild();
  ASSERT_NE(child, nullptr);
  ASSERT_FALSE(child->documentState().HasPath());
  // OK with nothing changed is no change; a changed setup marks the mission, as an edit does.
  DialogAnswer unchanged([](QDialog& d) { d.accept(); });
  frame.Invoke(kCmdDispersions);
  EXPECT_FALSE(child->documentState().modified());
  DialogAnswer changed([](QDialog& d) {
    Type(d, kCtlStudyRuns, "30");
    d.accept();
  });
  frame.Invoke(kCmdDispersions);
  ASSERT_TRUE(changed.seen);
  EXPECT_EQ(StudyOf(child->doc()).setup.runs, 30);
  EXPECT_TRUE(child->documentState().modified());
}

TEST_F(StudyTest, StopKeepsTheRunsFinishedSoFar) {
  CMainFrame& frame = Start();
  CPlumoraDoc& doc = *frame.ActiveDocument();
  StudyOf(doc).setup.runs = 1000000;
  std::optional<DialogAnswer> progress;
  DialogAnswer setUp([&](QDialog& d) {
    progress.emplace([](QDialog& p) {
      auto* stop = Control<QAbstractButton>(p, kCtlStudyStop);
      QTimer::singleShot(300, stop, &QAbstractButton::click);
    });
    Later(Control<QAbstractButton>(d, kCtlStudyRun));
  });
  frame.Invoke(kCmdDispersions);
  const FlownStudy* flown = FlownStudyOf(doc);
  ASSERT_NE(flown, nullptr) << prompter.Transcript();
  EXPECT_TRUE(flown->outcome.stopped);
  EXPECT_LT(flown->outcome.records.size(), 1000000U);
  EXPECT_EQ(frame.statusBar()->currentMessage().left(15), "Study stopped: ");
}

TEST_F(StudyTest, ABadStudyFileIsSaidAndTheMissionOpensAllTheSame) {
  test::WriteFile(sidecar, "{\"runs\": -3}");
  CMainFrame& frame = Start();
  CPlumoraDoc& doc = *frame.ActiveDocument();
  ASSERT_EQ(prompter.entries().size(), 1U) << prompter.Transcript();
  EXPECT_EQ(prompter.entries()[0].caption, kCaptionWarning);
  EXPECT_NE(prompter.entries()[0].text.find(sidecar.string()), std::string::npos);
  EXPECT_TRUE(StudyOf(doc).setup.variations.empty());
  prompter.Clear();
  // Run with nothing scattered says so and flies nothing.
  DialogAnswer run([&](QDialog& d) { Later(Control<QAbstractButton>(d, kCtlStudyRun)); });
  frame.Invoke(kCmdDispersions);
  EXPECT_EQ(FlownStudyOf(doc), nullptr);
  ASSERT_FALSE(prompter.entries().empty());
  EXPECT_NE(prompter.entries().back().text.find("Nothing is scattered"), std::string::npos);
}

}  // namespace
}  // namespace plumora::gui
