// The mission editor's phase list, the record managers, and what the phase, payload and parachute
// dialogs write back.
#include <gtest/gtest.h>

#include <cmath>

#include "core/app/PlumoraDoc.h"
#include "gui/logic/editing/PayloadData.h"
#include "gui/logic/editing/PhaseListEditor.h"
#include "gui/logic/editing/PhaseSettings.h"
#include "gui/logic/editing/RecordLists.h"
#include "gui/logic/editing/RecordManager.h"

namespace plumora::gui {
namespace {

// A mission with a ballistic phase whose settings are not the defaults, then a final descent.
class PhaseListTest : public ::testing::Test {
 protected:
  PhaseListTest() {
    editor.Add({"Entry", kPhaseBallisticEntry, "hot"});
    editor.Add({"Descent", kPhaseFinalDescent, ""});
    doc.mission.phases[0]->ballistic()->payloadNumber = 4;
    doc.mission.phases[0]->ballistic()->stopHeight = 3000.0;
  }
  std::vector<std::string> Prompts() const {
    std::vector<std::string> texts;
    for (const auto& e : prompter.entries()) texts.push_back(e.caption + ": " + e.text);
    return texts;
  }

  CPlumoraDoc doc;
  RecordingPrompter prompter;
  PhaseListEditor editor{doc, prompter};
};

TEST_F(PhaseListTest, OnlyComputedTypesAreMadeAndIncompleteDefinitionsDoNothing) {
  EXPECT_FALSE(editor.Add({"Open", kPhaseDeployment, ""}));
  EXPECT_FALSE(editor.Insert(0, {"Fill", kPhaseInflation, ""}));
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Sorry: Phase type not implemented.",
                                                 "Sorry: Phase type not implemented."}));
  prompter.Clear();
  EXPECT_FALSE(editor.Add({"", kPhaseBallisticEntry, ""}));
  EXPECT_FALSE(editor.Add({"Typeless", -1, ""}));
  EXPECT_FALSE(editor.Insert(-1, {"Nowhere", kPhaseBallisticEntry, ""}));
  EXPECT_FALSE(editor.Replace(2, {"Past the end", kPhaseBallisticEntry, ""}));
  EXPECT_FALSE(editor.Delete(-1));
  EXPECT_FALSE(editor.ToggleActive(5));
  EXPECT_TRUE(prompter.entries().empty());
  ASSERT_EQ(doc.mission.phases.size(), 2u);
  EXPECT_EQ(doc.mission.phases[0]->comments, "hot");
  EXPECT_NE(doc.mission.phases[1]->parachute(), nullptr);
  EXPECT_EQ(doc.mission.phases[1]->active, 1);
}

TEST_F(PhaseListTest, InsertingAtTheTopRenumbersAndTogglingShowsNo) {
  ASSERT_TRUE(editor.Insert(0, {"Coast", kPhaseBallisticEntry, ""}));
  ASSERT_TRUE(editor.ToggleActive(2));
  EXPECT_EQ(PhaseEditorLines(doc), (std::vector<std::string>{"  1\tyes\tCoast\tBallistic-reentry",
                                                             "  2\tyes\tEntry\tBallistic-reentry",
                                                             "  3\tno \tDescent\tFinal descent"}));
  EXPECT_EQ(doc.mission.phases[1]->ballistic()->stopHeight,
            3000.0);  // settings travel with the entry
}

TEST_F(PhaseListTest, ReplacingKeepsSettingsUnlessTheTypeChangesAndTheUserAgrees) {
  ASSERT_TRUE(editor.Replace(0, {"Entry 2", kPhaseBallisticEntry, "cooler"}));
  EXPECT_TRUE(prompter.entries().empty());
  EXPECT_EQ(doc.mission.phases[0]->ballistic()->payloadNumber, 4);
  EXPECT_EQ(doc.mission.phases[0]->comments, "cooler");

  prompter.QueueAnswers({false});
  EXPECT_FALSE(editor.Replace(0, {"Renamed", kPhaseFinalDescent, "x"}));
  EXPECT_EQ(doc.mission.phases[0]->name, "Entry 2");
  EXPECT_EQ(doc.mission.phases[0]->ballistic()->stopHeight, 3000.0);

  prompter.QueueAnswers({true});
  ASSERT_TRUE(editor.Replace(0, {"Renamed", kPhaseFinalDescent, "x"}));
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Warning!: Are you sure? Data will be lost.",
                                                 "Warning!: Are you sure? Data will be lost."}));
  EXPECT_EQ(doc.mission.phases[0]->ballistic(), nullptr);
  EXPECT_EQ(doc.mission.phases[0]->parachute()->payloadNumber, -1);
  EXPECT_EQ(doc.mission.phases[0]->name, "Renamed");
}

TEST_F(PhaseListTest, DeletingAsksAndCommentsChangeAtOnce) {
  prompter.QueueAnswers({false, true});
  EXPECT_FALSE(editor.Delete(0));
  ASSERT_TRUE(editor.Delete(0));
  ASSERT_EQ(doc.mission.phases.size(), 1u);
  EXPECT_EQ(doc.mission.phases[0]->name, "Descent");
  EXPECT_TRUE(editor.SetComments(0, "windy"));
  EXPECT_FALSE(editor.SetComments(0, "windy"));  // the same text is no edit
  EXPECT_EQ(doc.mission.phases[0]->comments, "windy");

  MissionDescription description = MissionDescription::Of(doc);
  EXPECT_FALSE(description.WriteTo(doc));
  description.type = 1;
  EXPECT_TRUE(description.WriteTo(doc));
  EXPECT_EQ(doc.mission.missionType, 1);
}

TEST(PhaseSettingsTest, TheCopyGoesBackOnlyWhenWrittenAndKeepsBothStopValues) {
  CParachutePhase phase;
  PhaseSettings copy = PhaseSettings::Of(phase);
  EXPECT_FALSE(copy.WriteTo(phase));  // an untouched copy changes nothing
  // Time typed, then the kind switched to height: the time stays.
  copy.stop.kind = kStopOnTime;
  copy.stop.time = 42.0;
  EXPECT_TRUE(copy.stop.TimeEditable());
  copy.stop.kind = kStopOnHeight;
  EXPECT_FALSE(copy.stop.TimeEditable());
  copy.parachuteNumber = 3;
  copy.massPointAtConfluence = 1;
  copy.generalSolver = 0;
  EXPECT_TRUE(copy.NewSolverEnabled());
  EXPECT_EQ(phase.stopTime, 100.0);  // nothing reaches the phase before OK
  ASSERT_TRUE(copy.WriteTo(phase));
  EXPECT_EQ(phase.stopTime, 42.0);
  EXPECT_EQ(phase.stopKind, kStopOnHeight);
  EXPECT_EQ(phase.parachuteNumber, 3);
  EXPECT_EQ(phase.massPointAtConfluence, 1);
  EXPECT_EQ(phase.generalSolver, 0);

  CBallisticEntryPhase entry;
  PhaseSettings ballistic = PhaseSettings::Of(entry);
  ballistic.stop.height = 5000.0;
  EXPECT_TRUE(ballistic.WriteTo(entry));
  EXPECT_EQ(entry.stopHeight, 5000.0);
}

TEST(PhaseSettingsTest, ChoicesPickTheLastRecordWithTheNumber) {
  CPlumoraDoc doc;
  doc.mission.CreatePayload().name = "A";
  doc.mission.CreatePayload().name = "B";
  doc.mission.CreatePayload().name = "C";
  doc.mission.payloads[2]->number = 0;  // two records numbered 0, as a file may hold them
  EXPECT_EQ(RecordNames(doc.mission.payloads), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(LineOfNumber(doc.mission.payloads, 0), 2);
  EXPECT_EQ(LineOfNumber(doc.mission.payloads, 1), 1);
  EXPECT_EQ(LineOfNumber(doc.mission.payloads, 9), -1);
  EXPECT_EQ(NumberAtLine(doc.mission.payloads, 1), 1);
  EXPECT_EQ(NumberAtLine(doc.mission.payloads, -1), -1);
  EXPECT_EQ(NumberAtLine(doc.mission.payloads, 3), -1);
}

TEST(PayloadDataTest, DefaultsOfEachTypeAndTheKeywordAndScaleOnOk) {
  CPayload payload;
  PayloadData data = PayloadData::Of(payload);
  data.typeIndex = 2;  // OVMKPHASE1
  data.connectionKind = kBridleLegs;
  data.ApplyDynamicDefaults();
  data.ApplyConnectionDefaults();
  EXPECT_EQ(data.ixx, 33.125);
  EXPECT_EQ(data.iyy, 32.944);
  EXPECT_EQ(data.mass, 111.0);
  EXPECT_EQ(data.referenceArea, 6.0);
  EXPECT_EQ(data.stropeLink, (Vec3{-0.177, 0.0, 0.0}));
  EXPECT_EQ(data.cogDistance, -0.177);
  EXPECT_EQ(data.legRadius, 0.15);
  EXPECT_EQ(data.legLength, 3.0);
  EXPECT_EQ(data.legCount, 2);
  EXPECT_EQ(data.connectionKind, kBridleLegs);  // Default leaves the kind alone
  EXPECT_EQ(payload.mass, 2800.0);              // nothing written before OK
  ASSERT_TRUE(data.WriteTo(payload));
  EXPECT_EQ(payload.typeKeyword, "OVMKPHASE1");
  EXPECT_EQ(payload.ModelScale(), 1.0);
  EXPECT_NEAR(payload.legPoints[1].y, -0.15, 1e-12);

  // The two last types share their values; the last one is drawn at a fortieth.
  EXPECT_EQ(DefaultsOfType(3).ixx, DefaultsOfType(4).ixx);
  EXPECT_EQ(DefaultsOfType(1).mass, 112.0);
  EXPECT_EQ(DefaultsOfType(0).referenceArea, 6.16);
  data.typeIndex = 4;
  ASSERT_TRUE(data.WriteTo(payload));
  EXPECT_EQ(payload.typeKeyword, "SKORVAN");
  EXPECT_EQ(payload.ModelScale(), 0.025);
  EXPECT_FALSE(data.WriteTo(payload));  // accepted again unchanged: no edit
}

TEST(PayloadDataTest, ATypeIndexFromAFileOutsideTheTableCountsAsTheFirst) {
  CPayload payload;
  for (std::int32_t index : {-1, 5, 1000}) {
    payload.typeIndex = index;
    EXPECT_EQ(PayloadData::Of(payload).typeIndex, 0);
    EXPECT_EQ(DefaultsOfType(index).mass, 2800.0);
  }
  // Accepting such a record makes its index and keyword agree again.
  payload.typeKeyword = "OVMKPHASE2";
  EXPECT_TRUE(PayloadData::Of(payload).WriteTo(payload));
  EXPECT_EQ(payload.typeIndex, 0);
  EXPECT_EQ(payload.typeKeyword, "ZEL");
}

// OK refuses what no run could fly, naming the field, instead of storing a mass of -5 kg.
TEST(PayloadDataTest, ValuesNoRunCouldFlyAreRefusedOnOk) {
  PayloadData payload = PayloadData::Of(CPayload());
  EXPECT_EQ(payload.Refusal(), std::nullopt);
  payload.mass = -5.0;
  EXPECT_EQ(payload.Refusal(), "Mass must be positive.");
  ParachuteData parachute = ParachuteData::Of(CParachute());
  EXPECT_EQ(parachute.Refusal(), std::nullopt);
  parachute.stiffness = 0.0;
  EXPECT_EQ(parachute.Refusal(), "Stiffness must be positive.");
}

TEST(PayloadDataTest, LegCountsBeyondTheTableAreRefusedAndThePreviewHasRoomForTheMost) {
  CPayload payload;
  PayloadData data = PayloadData::Of(payload);
  data.connectionKind = kBridleLegs;
  for (std::int32_t count : {-1, 51, 100000}) {
    data.legCount = count;
    EXPECT_EQ(data.Refusal(), LegCountMessage(count));
  }
  EXPECT_EQ(LegCountMessage(51), "A payload has from 0 to 50 bridle legs, not 51.");
  data.legCount = 0;
  EXPECT_EQ(data.Refusal(), std::nullopt);
  data.legCount = kMaxLegs;
  EXPECT_EQ(data.Refusal(), std::nullopt);
  ASSERT_TRUE(data.WriteTo(payload));
  EXPECT_NEAR(payload.legPoints[kMaxLegs - 1].y, 0.35 * std::cos(kTwoPi * 49 / 50), 1e-12);

  // Fifty legs need the start and fifty ends; a count typed past the table draws no more.
  PreviewLinePoints points;
  points.fill({7.0, 7.0, 7.0});
  EXPECT_EQ(PreviewLines(data, points), kMaxLegs);
  EXPECT_NEAR(points[kMaxLegs][2], 0.35 * std::sin(kTwoPi * 49 / 50), 1e-12);
  data.legCount = 51;
  EXPECT_EQ(PreviewLines(data, points), kMaxLegs);
}

TEST(PayloadDataTest, PreviewLinesMeetWhereTheLegsReachAndAStropeRunsStraightBack) {
  PayloadData data = PayloadData::Of(CPayload());
  data.stropeLink = {-1.0, 0.2, 0.0};
  PreviewLinePoints points{};
  ASSERT_EQ(PreviewLines(data, points), 1);
  EXPECT_EQ(points[0], (std::array<double, 3>{-1.0, 0.2, 0.0}));
  EXPECT_EQ(points[1], (std::array<double, 3>{-1000.0, 0.2, 0.0}));

  data.connectionKind = kBridleLegs;
  data.legCount = 4;
  data.legLength = 0.5;
  data.legRadius = 0.3;  // legs of 0.5 m from a circle of 0.3 m meet 0.4 m behind it
  ASSERT_EQ(PreviewLines(data, points), 4);
  EXPECT_NEAR(points[0][0], -1.4, 1e-12);
  EXPECT_NEAR(points[2][1], 0.0, 1e-12);
  EXPECT_NEAR(points[2][2], 0.3, 1e-12);
  // Legs shorter than the radius cannot reach the axis: they meet in the attachment plane.
  data.legLength = 0.1;
  PreviewLines(data, points);
  EXPECT_EQ(points[0][0], -1.0);
}

TEST(ParachuteDataTest, OkWritesTheSixteenFieldsAndNothingElse) {
  CParachute parachute;
  parachute.reserved1 = 3.0;
  ParachuteData data = ParachuteData::Of(parachute);
  EXPECT_FALSE(data.WriteTo(parachute));
  data.link.x = 12.0;
  data.confluenceMass = 5.0;
  ASSERT_TRUE(data.WriteTo(parachute));
  EXPECT_EQ(parachute.link.x, 12.0);
  EXPECT_EQ(parachute.confluenceMass, 5.0);
  EXPECT_EQ(parachute.reserved1, 3.0);
}

TEST(RecordManagerTest, AddNumbersInTurnAndDeleteAsksAndLeavesResultsTheirRecord) {
  CPlumoraDoc doc;
  RecordingPrompter prompter;
  RecordManager payloads(doc, RecordKind::kPayload, prompter);
  EXPECT_FALSE(payloads.Add("", "no name"));
  ASSERT_TRUE(payloads.Add("Twin", "first"));
  ASSERT_TRUE(payloads.Add("Twin", ""));
  EXPECT_EQ(doc.mission.payloads[0]->number, 0);
  EXPECT_EQ(doc.mission.payloads[1]->number, 1);
  EXPECT_EQ(doc.mission.payloads[0]->comments, "first");
  EXPECT_EQ(doc.mission.payloads[1]->legPoints[0], (Vec3{-1.0, 0.35, 0.0}));

  // A sample of an earlier run refers to the first payload.
  CTrajectorySample sample;
  sample.payload = doc.mission.payloads[0];
  doc.results.Append(sample);
  prompter.QueueAnswers({false, true});
  EXPECT_FALSE(payloads.Delete(0));
  ASSERT_TRUE(payloads.Delete(0));
  EXPECT_FALSE(payloads.Delete(1));  // no such line: not even asked
  EXPECT_EQ(prompter.entries().size(), 2u);
  EXPECT_EQ(payloads.Lines(), std::vector<std::string>{"  1\tTwin\tZEL"});
  EXPECT_EQ(doc.mission.payloads[0]->number, 1);
  ASSERT_NE(doc.results.SampleAt(0).payload, nullptr);
  EXPECT_EQ(doc.results.SampleAt(0).payload->comments, "first");

  RecordManager parachutes(doc, RecordKind::kParachute, prompter);
  ASSERT_TRUE(parachutes.Add("Main", ""));
  ASSERT_TRUE(parachutes.Add("Main", ""));
  EXPECT_EQ(doc.mission.nextParachuteNumber, 2);
  EXPECT_EQ(parachutes.Count(), 2);
}

}  // namespace
}  // namespace plumora::gui
