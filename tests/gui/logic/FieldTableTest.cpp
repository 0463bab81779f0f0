// The field tables of the record dialogs: every row reaches a value of its own, OK writes each of
// them back and reads each of them again, and a change to any one of them is a change.
#include <gtest/gtest.h>

#include <set>
#include <span>
#include <string>

#include "core/app/PlumoraDoc.h"
#include "gui/logic/commands/ControlIds.h"
#include "gui/logic/editing/PayloadData.h"
#include "gui/logic/editing/PhaseSettings.h"
#include "gui/logic/editing/SetupForms.h"

namespace plumora::gui {
namespace {

// A value per row that no other row of any table gets: `first`, first + 1, ... for reals (with a
// fraction, so that an integer field would not hold it), small counts for integers.
template <typename Record>
void SetDistinct(std::span<const NumberFieldRow<Record>> rows, Record& record, double first) {
  for (std::size_t k = 0; k < rows.size(); ++k) {
    if (rows[k].value.IsInteger()) {
      *rows[k].value.Integer(record) = static_cast<std::int32_t>(3 + k);
    } else {
      *rows[k].value.Real(record) = first + static_cast<double>(k) + 0.25;
    }
  }
}

template <typename Record>
void ExpectDistinct(std::span<const NumberFieldRow<Record>> rows, const Record& record,
                    double first) {
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const double expected = rows[k].value.IsInteger() ? static_cast<double>(3 + k)
                                                      : first + static_cast<double>(k) + 0.25;
    EXPECT_EQ(rows[k].value.Value(record), expected) << rows[k].label << " (" << rows[k].id << ")";
  }
}

// No two controls of one page share an id, and every row names its field.
template <typename Record>
void ExpectIdsOfOnePage(std::initializer_list<std::span<const NumberFieldRow<Record>>> tables) {
  std::set<int> ids;
  for (const auto& rows : tables) {
    for (const NumberFieldRow<Record>& row : rows) {
      EXPECT_TRUE(ids.insert(row.id).second) << row.label << " " << row.id;
      EXPECT_FALSE(std::string(row.label).empty()) << row.id;
    }
  }
}

TEST(FieldTableTest, EveryPayloadFieldGoesIntoTheRecordAndComesBack) {
  PayloadData data = PayloadData::Of(CPayload());
  data.connectionKind = kBridleLegs;
  data.typeIndex = 3;
  SetDistinct<CPayload>(kPayloadDynamicFields, data, 100.0);
  SetDistinct<CPayload>(kPayloadStropeFields, data, 200.0);
  SetDistinct<CPayload>(kPayloadLegFields, data, 300.0);
  CPayload record;
  ASSERT_TRUE(data.WriteTo(record));
  ExpectDistinct<CPayload>(kPayloadDynamicFields, record, 100.0);
  ExpectDistinct<CPayload>(kPayloadStropeFields, record, 200.0);
  ExpectDistinct<CPayload>(kPayloadLegFields, record, 300.0);
  EXPECT_EQ(record.connectionKind, kBridleLegs);
  EXPECT_EQ(record.typeKeyword, "OVMKPHASE2");

  const PayloadData again = PayloadData::Of(record);
  EXPECT_TRUE(again == data);
  ExpectDistinct<CPayload>(kPayloadLegFields, again, 300.0);
  EXPECT_FALSE(again.WriteTo(record));  // read back unchanged: no edit
}

TEST(FieldTableTest, EveryParachuteFieldGoesIntoTheRecordAndComesBack) {
  ParachuteData data = ParachuteData::Of(CParachute());
  SetDistinct<CParachute>(kParachuteFields, data, 10.0);
  CParachute record;
  record.reserved1 = 7.0;
  record.name = "Main";
  ASSERT_TRUE(data.WriteTo(record));
  ExpectDistinct<CParachute>(kParachuteFields, record, 10.0);
  EXPECT_EQ(record.reserved1, 7.0);  // not edited, not written
  EXPECT_EQ(record.name, "Main");
  EXPECT_TRUE(ParachuteData::Of(record) == data);
  EXPECT_FALSE(data.WriteTo(record));
}

// A field the comparison skipped would let OK report "unchanged" and drop the edit.
TEST(FieldTableTest, AChangeInAnyOneFieldIsAChange) {
  const PayloadData payload = PayloadData::Of(CPayload());
  const std::span<const NumberFieldRow<CPayload>> payloadTables[] = {
      kPayloadDynamicFields, kPayloadStropeFields, kPayloadLegFields};
  for (const auto& rows : payloadTables) {
    for (const NumberFieldRow<CPayload>& row : rows) {
      PayloadData edited = payload;
      if (row.value.IsInteger()) {
        *row.value.Integer(edited) += 1;
      } else {
        *row.value.Real(edited) += 0.5;
      }
      EXPECT_FALSE(edited == payload) << row.label;
      CPayload record;
      EXPECT_TRUE(edited.WriteTo(record)) << row.label;
    }
  }
  PayloadData kind = payload;
  kind.connectionKind = kBridleLegs;
  EXPECT_FALSE(kind == payload);

  const ParachuteData parachute = ParachuteData::Of(CParachute());
  for (const NumberFieldRow<CParachute>& row : kParachuteFields) {
    ParachuteData edited = parachute;
    *row.value.Real(edited) += 0.5;
    EXPECT_FALSE(edited == parachute) << row.label;
    CParachute record;
    EXPECT_TRUE(edited.WriteTo(record)) << row.label;
  }
}

TEST(FieldTableTest, SolverAndStopFieldsReachTheirOwnValues) {
  CPlumoraDoc doc;
  SolverEdit edit = SolverEditOf(doc);
  // Steps first, then tolerances: keep the output step longer than the step, tolerances below 1.
  SetDistinct<SolverSettings>(kSolverFields, edit, 0.0);
  edit.absoluteError = 1e-6;
  edit.relativeError = 2e-6;
  StoreSolver(doc, edit);
  const SolverEdit back = SolverEditOf(doc);
  EXPECT_EQ(back.timeStep, 0.25);
  EXPECT_EQ(back.outputTimeStep, 1.25);
  EXPECT_EQ(back.absoluteError, 1e-6);
  EXPECT_EQ(back.relativeError, 2e-6);

  StopCondition stop;
  SetDistinct<StopCondition>(kStopFields, stop, 40.0);
  EXPECT_EQ(stop.time, 40.25);
  EXPECT_EQ(stop.height, 41.25);
}

TEST(FieldTableTest, NoTwoControlsOfOnePageShareAnId) {
  ExpectIdsOfOnePage<CPayload>({kPayloadDynamicFields});
  ExpectIdsOfOnePage<CPayload>({kPayloadStropeFields, kPayloadLegFields});
  ExpectIdsOfOnePage<CParachute>({kParachuteFields});
  ExpectIdsOfOnePage<SolverSettings>({kSolverFields});
  ExpectIdsOfOnePage<StopCondition>({kStopFields});
  // The radio buttons of the connection kind stand on the page with the link and leg fields.
  for (const auto& rows : {std::span<const NumberFieldRow<CPayload>>(kPayloadStropeFields),
                           std::span<const NumberFieldRow<CPayload>>(kPayloadLegFields)}) {
    for (const auto& row : rows) {
      EXPECT_NE(row.id, kCtlSingleStrope);
      EXPECT_NE(row.id, kCtlBridleLegs);
    }
  }
  EXPECT_TRUE(FindRow<CParachute>(kParachuteFields, kCtlLinkY));
  EXPECT_FALSE(FindRow<CParachute>(kParachuteFields, kCtlLegCount));
}

}  // namespace
}  // namespace plumora::gui
