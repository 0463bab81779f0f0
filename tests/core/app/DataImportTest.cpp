#include <gtest/gtest.h>

#include <string>

#include "core/app/DataImport.h"
#include "core/app/PlumoraDoc.h"
#include "support/Missions.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

using test::WriteFile;

class DataImport : public ::testing::Test {
 protected:
  DataImport() {
    WriteFile(base / "atm" / "e.atm", test::SimpleAtmosphere(3, "EARTH").Text());
    WriteFile(base / "atm" / "m.atm", test::SimpleAtmosphere(4, "MARS").Text());
    doc.baseFolder = base.path();
    doc.SetPrompter(&prompter);
    doc.AddObserver(&observer);
  }
  // The import leaves showing its error to the front end; what it says, or "" on success.
  ~DataImport() override { EXPECT_TRUE(prompter.entries().empty()) << prompter.Transcript(); }
  std::string Import(const std::string& text, const ImportColumns& columns = {}) {
    WriteFile(base / "flight.txt", text);
    return MessageOf(ImportTrajectory(doc, base / "flight.txt", columns));
  }
  static std::string MessageOf(const Result<>& imported) {
    if (imported) return {};
    EXPECT_EQ(imported.error().caption, "error");
    return imported.message();
  }

  test::TempDir base;
  RecordingPrompter prompter;
  CPlumoraDoc doc;
  test::CountingObserver observer;
};

TEST_F(DataImport, ReadsEveryColumnWithItsScale) {
  ASSERT_EQ(Import("1 Mars entry, all columns\n0 10 20 90 100 -5 6\n"), "");
  EXPECT_EQ(doc.mission.environment.planet, kMars);
  EXPECT_EQ(doc.atmosphereTable().pointCount, 4);  // the Mars table was read
  ASSERT_EQ(doc.results.LastIndex(), 0);
  const CTrajectorySample& s = doc.results.SampleAt(0);
  EXPECT_EQ(s.time, 0.0);
  EXPECT_EQ(s.latitude, 10.0);
  EXPECT_EQ(s.longitude, 20.0);
  EXPECT_EQ(s.heading, 90.0);
  EXPECT_EQ(s.payloadHeight, 100000.0);
  EXPECT_EQ(s.payloadPathAngle, -5.0);
  EXPECT_EQ(s.payloadSpeed, 6000.0);
  EXPECT_EQ(s.phaseType, kSampleBallistic);
  EXPECT_EQ(s.payload->name, "import");
  EXPECT_EQ(s.parachuteHeight, 0.0);
  EXPECT_EQ(doc.results.EndTime(), 0.0);  // an import sets no end time
  EXPECT_EQ(doc.results.Ranges()[1].maximum, 100000.0);
  EXPECT_EQ(observer.results, 1);
  EXPECT_EQ(observer.views, 1);
}

TEST_F(DataImport, OnlyTheChosenColumnsStandOnALine) {
  ImportColumns columns;
  columns.latitude = columns.longitude = columns.heading = false;
  columns.pathAngle = columns.speed = false;
  // CR LF line ends, extra text after the values, and a last line without its end.
  ASSERT_EQ(Import("0\r\n0.0 1.5 rest ignored\r\n0.5\t1.25\r\n\r\n1.0 2", columns), "");
  ASSERT_EQ(doc.results.LastIndex(), 2);
  // CR alone ends lines too.
  ASSERT_EQ(Import("0\r0.0 1.5\r0.5\t1.25\r", columns), "");
  ASSERT_EQ(doc.results.LastIndex(), 1);
  EXPECT_EQ(doc.results.SampleAt(1).time, 0.5);
  EXPECT_EQ(doc.results.SampleAt(1).payloadHeight, 1250.0);
  EXPECT_EQ(doc.results.SampleAt(1).latitude, 0.0);
}

// Columns beyond the last one chosen, however many, never become samples of their own.
TEST_F(DataImport, LongLinesAreSkippedToTheirEnd) {
  std::string remark;
  for (int k = 0; k < 20; ++k) remark += " 123.456";
  ASSERT_EQ(Import("0" + remark + "\n0 1 2 3 4 5 6" + remark + "\n1 1 2 3 4 5 6\n"), "");
  ASSERT_EQ(doc.results.LastIndex(), 1);
  EXPECT_EQ(doc.results.SampleAt(0).time, 0.0);
  EXPECT_EQ(doc.results.SampleAt(1).time, 1.0);
}

TEST_F(DataImport, EveryImportAddsItsOwnPayload) {
  doc.mission.CreatePayload();
  ASSERT_EQ(Import("0\n"), "");  // nothing after the planet line
  EXPECT_EQ(doc.results.LastIndex(), -1);
  ASSERT_EQ(Import("0\n1 2 3 4 5 6 7\n"), "");
  ASSERT_EQ(doc.mission.payloads.size(), 3u);
  EXPECT_EQ(doc.mission.payloads[1]->name, "import");
  EXPECT_EQ(doc.mission.payloads[1]->number, 1);
  EXPECT_EQ(doc.mission.payloads[2]->number, 2);
  EXPECT_EQ(doc.results.SampleAt(0).payload.get(), doc.mission.payloads[2].get());
}

TEST_F(DataImport, AMalformedValueEndsTheImportAndKeepsWhatCameBefore) {
  EXPECT_EQ(Import("0\n0 1 2 3 4 5 6\n0.5 1 2 x 4 5 6\n1.0 1 2 3 4 5 6\n"),
            "The import file " + (base / "flight.txt").string() +
                " holds something other than a number where a number must stand (line 3)\n");
  ASSERT_EQ(doc.results.LastIndex(), 0);
  EXPECT_EQ(doc.results.Ranges()[1].maximum, 4000.0);
  EXPECT_EQ(observer.views, 1);
}

// A line is one sample: one with fewer numbers than the columns chosen is refused by its number,
// never read on into the next line (which made a sample of time 1 and 7 km/s of these).
TEST_F(DataImport, AShortLineIsRefusedWithItsNumber) {
  EXPECT_EQ(Import("0\n0 1 2 3 4 5 6\n1 2 3\n4 5 6 7 8 9 10\n"),
            "The import file " + (base / "flight.txt").string() +
                " holds 3 numbers on a line where 7 columns are chosen (line 3)\n");
  ASSERT_EQ(doc.results.LastIndex(), 0);
  EXPECT_EQ(doc.results.SampleAt(0).time, 0.0);
  EXPECT_NE(Import("0\n1 2 3\n4 5 6\n").find("(line 2)"), std::string::npos);
  EXPECT_EQ(doc.results.LastIndex(), -1);
}

TEST_F(DataImport, RefusedFiles) {
  const Result<> absent = ImportTrajectory(doc, base / "absent.txt", {});
  EXPECT_EQ(MessageOf(absent), "Could not open file " + (base / "absent.txt").string() +
                                   " (No such file or directory)\n");
  EXPECT_EQ(absent.code(), ErrorCode::kCannotOpen);
  EXPECT_TRUE(doc.mission.payloads.empty());

  EXPECT_NE(Import("7\n0 1 2 3 4 5 6\n").find("planet index of 0, 1 or 2 (line 1)"),
            std::string::npos);  // no such planet
  EXPECT_EQ(doc.mission.environment.planet, kEarth);
  EXPECT_EQ(doc.results.LastIndex(), -1);
  EXPECT_EQ(doc.mission.payloads.size(), 1u);  // the payload stays, as after a failed atmosphere

  // No Titan atmosphere in the folder.
  EXPECT_NE(Import("2\n0 1 2 3 4 5 6\n").find("There is no TITAN atmosphere file"),
            std::string::npos);
  ImportColumns none{false, false, false, false, false, false, false};
  EXPECT_EQ(Import("0\n1\n", none), "Choose at least one column that the file holds.\n");
}

}  // namespace
}  // namespace plumora
