#include <gtest/gtest.h>

#include "core/mission/Mission.h"
#include "gui/logic/app/DocumentState.h"
#include "gui/logic/app/MissionHistory.h"
#include "gui/logic/commands/CommandIds.h"
#include "gui/logic/commands/CommandTable.h"
#include "gui/logic/editing/EditSteps.h"

namespace plumora::gui {
namespace {

// A mission with one payload of the given mass.
Mission WithMass(double mass) {
  Mission m;
  m.CreatePayload().mass = mass;
  return m;
}

double MassOf(const Mission* m) {
  return m ? m->payloads.at(0)->mass : -1.0;
}

// A history and four missions of the masses 1 to 4.
class MissionHistoryTest : public ::testing::Test {
 protected:
  MissionHistory history;
  const Mission a = WithMass(1.0), b = WithMass(2.0), c = WithMass(3.0), d = WithMass(4.0);
};

TEST_F(MissionHistoryTest, UndoAndRedoGiveBackEachMissionWhole) {
  Mission c = b;
  c.missionName = "Lander";
  c.AddPhase(3);
  EXPECT_FALSE(history.CanUndo());
  EXPECT_EQ(history.UndoName(), "");
  ASSERT_TRUE(history.Record(RecordDataStep(RecordKind::kPayload), a, b));
  ASSERT_TRUE(history.Record(MissionEditorStep(), b, c));
  EXPECT_EQ(history.UndoName(), "Mission editor");

  const Mission* back = history.Undo();
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(*back == b);
  EXPECT_EQ(history.UndoName(), "Payload data");
  EXPECT_EQ(history.RedoName(), "Mission editor");
  EXPECT_TRUE(*history.Undo() == a);
  EXPECT_EQ(history.Undo(), nullptr);  // nothing older
  EXPECT_TRUE(*history.Redo() == b);
  EXPECT_TRUE(*history.Redo() == c);
  EXPECT_EQ(history.Redo(), nullptr);
  EXPECT_EQ(history.RedoName(), "");
}

TEST_F(MissionHistoryTest, ANewEditDropsWhatWasUndone) {
  history.Record(ManagerStep(RecordKind::kPayload), a, b);
  history.Record(ManagerStep(RecordKind::kParachute), b, c);
  history.Undo();
  history.Record(EnvironmentStep(), b, d);
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.size(), 2u);
  EXPECT_EQ(MassOf(history.Undo()), 2.0);
  EXPECT_EQ(MassOf(history.Redo()), 4.0);
}

TEST_F(MissionHistoryTest, TheModifiedMarkFollowsTheSavedState) {
  history.Record(SolverStep(), a, b);
  EXPECT_TRUE(history.modified());
  history.Undo();
  EXPECT_FALSE(history.modified());  // back where the file is
  history.Redo();
  history.Record(SolverStep(), b, c);
  history.MarkClean();  // saved with c
  EXPECT_FALSE(history.modified());
  history.Undo();
  EXPECT_TRUE(history.modified());  // b is not what the file holds
  history.Redo();
  EXPECT_FALSE(history.modified());

  // Undo below the save, then a new edit: the saved state is gone for good.
  history.Undo();
  history.Record(SolverStep(), b, d);
  EXPECT_TRUE(history.modified());
  history.Undo();
  EXPECT_TRUE(history.modified());
  history.Redo();
  EXPECT_TRUE(history.modified());
}

TEST_F(MissionHistoryTest, AChangeNoStepHoldsKeepsTheMarkWhereverTheUser) {
  history.LoseClean();
  EXPECT_TRUE(history.modified());
  history.Record(SolverStep(), a, b);
  history.Undo();
  EXPECT_TRUE(history.modified());  // a is not the opened mission: that one had the change too

  // A saved state behind the unheld change stays reachable: undoing restores it whole.
  MissionHistory saved;
  saved.Record(SolverStep(), a, b);
  saved.LoseClean();
  saved.Undo();
  EXPECT_FALSE(saved.modified());
  saved.MarkClean();
  saved.Clear();
  EXPECT_FALSE(saved.CanRedo());
  EXPECT_FALSE(saved.modified());
}

TEST_F(MissionHistoryTest, TypingIntoOneFieldIsOneStep) {
  Mission m = WithMass(1.0);
  m.AddPhase(0);
  m.AddPhase(3);
  const Mission start = m;
  Mission before = m;
  for (const char* text : {"a", "ab", "abc"}) {
    m.phases[0]->comments = text;
    EXPECT_TRUE(history.Record(PhaseCommentsStep(0), before, m));
    before = m;
  }
  EXPECT_EQ(history.size(), 1u);
  EXPECT_EQ(history.UndoName(), "Phase comments");
  // Another phase's comments are another step.
  m.phases[1]->comments = "x";
  history.Record(PhaseCommentsStep(1), before, m);
  before = m;
  EXPECT_EQ(history.size(), 2u);
  EXPECT_EQ(history.Undo()->phases[1]->comments, "");
  EXPECT_EQ(history.Undo()->phases[0]->comments, "");
  EXPECT_TRUE(*history.Redo() == [&] {
    Mission typed = start;
    typed.phases[0]->comments = "abc";
    return typed;
  }());

  // Typing after an undo, or after a save, starts a step of its own.
  Mission again = *history.Redo();
  Mission from = again;
  again.phases[1]->comments = "xy";
  history.Record(PhaseCommentsStep(1), from, again);
  EXPECT_EQ(history.size(), 3u);
  history.MarkClean();
  from = again;
  again.phases[1]->comments = "xyz";
  history.Record(PhaseCommentsStep(1), from, again);
  EXPECT_EQ(history.size(), 4u);
}

// An edit that changed nothing is no step, nor is typing back to where the text started.
TEST_F(MissionHistoryTest, AnEditThatChangedNothingOrTypingBackToTheStartLeavesNoStep) {
  EXPECT_FALSE(history.Record(SolverStep(), a, a));
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.modified());
  Mission m = WithMass(1.0);
  m.AddPhase(0);
  history.MarkClean();
  const Mission start = m;
  m.phases[0]->comments = "a";
  history.Record(PhaseCommentsStep(0), start, m);
  EXPECT_TRUE(history.modified());
  history.Record(PhaseCommentsStep(0), m, start);
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.modified());
}

TEST(BoundedMissionHistoryTest, TheOldestStepsAreForgottenBeyondTheLimit) {
  MissionHistory history(3);
  history.MarkClean();
  for (int k = 0; k < 5; ++k) history.Record(SolverStep(), WithMass(k), WithMass(k + 1));
  EXPECT_EQ(history.size(), 3u);
  EXPECT_EQ(MassOf(history.Undo()), 4.0);
  EXPECT_EQ(MassOf(history.Undo()), 3.0);
  EXPECT_EQ(MassOf(history.Undo()), 2.0);
  EXPECT_EQ(history.Undo(), nullptr);
  EXPECT_TRUE(history.modified());  // the saved mission's step was forgotten
  EXPECT_EQ(MissionHistory().size(), 0u);
}

TEST(DocumentHistoryTest, AnOpenedOrSavedDocumentIsClean) {
  DocumentState state(1);
  state.history().Record(SolverStep(), WithMass(1.0), WithMass(2.0));
  EXPECT_TRUE(state.modified());
  state.SetPath("/tmp/missions/descent.psd");
  EXPECT_FALSE(state.modified());
  state.SetModified();
  EXPECT_TRUE(state.modified());
  state.SetModified(false);
  EXPECT_FALSE(state.modified());
}

TEST(EditMenuTest, TheEditMenuNamesTheStepAndWaitsForARun) {
  CommandState s;
  const CommandRow& undo = *FindCommand(kCmdEditUndo);
  const CommandRow& redo = *FindCommand(kCmdEditRedo);
  EXPECT_FALSE(Evaluate(undo, s).enabled);
  EXPECT_EQ(CurrentText(undo, s), "&Undo");
  s.document = true;
  s.undoStep = "Payload data";
  EXPECT_TRUE(Evaluate(undo, s).enabled);
  EXPECT_EQ(CurrentText(undo, s), "&Undo Payload data");
  EXPECT_FALSE(Evaluate(redo, s).enabled);
  EXPECT_EQ(CurrentText(redo, s), "&Redo");
  s.redoStep = "Payload manager";
  EXPECT_EQ(CurrentText(redo, s), "&Redo Payload manager");
  s.running = true;
  EXPECT_FALSE(Evaluate(undo, s).enabled);
  EXPECT_FALSE(Evaluate(redo, s).enabled);
}

}  // namespace
}  // namespace plumora::gui
