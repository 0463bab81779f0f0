#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/app/MissionArchive.h"
#include "support/Missions.h"

namespace plumora {
namespace {

using test::ArchiveBytes;
using test::Bytes;

// Reads bytes into a new document and writes it again.
std::string Reread(const std::string& bytes, CPlumoraDoc& doc) {
  const MissionReadResult result = ReadMissionArchive(bytes, doc);
  EXPECT_EQ(result.status, MissionReadResult::Status::kRead) << result.problem;
  return ArchiveBytes(doc);
}

TEST(MissionArchive, NewDocumentHasTheExpectedBytesAndRereadsIdentically) {
  CPlumoraDoc doc;
  const std::string bytes = ArchiveBytes(doc);
  EXPECT_EQ(bytes, test::NewMissionBytes());
  CPlumoraDoc again;
  EXPECT_EQ(Reread(bytes, again), bytes);
}

TEST(MissionArchive, SmallMissionMatchesItsLayoutFieldByField) {
  CPlumoraDoc doc;
  CPayload& p = doc.CreatePayload();
  p.name = "P";
  p.connectionKind = kBridleLegs;
  p.legCount = 2;  // legs at (-1, ±0.35, 0) up to rounding
  p.DeriveLegPoints();
  CParachute& c = doc.CreateParachute();
  c.type = "T";
  doc.AddPhase(kPhaseBallisticEntry).name = "B";
  doc.AddPhase(kPhaseDeployment);
  doc.AddPhase(kPhaseFinalDescent).parachute()->massPointAtConfluence = 1;
  doc.planet = kMars;
  doc.atmosphere = 5;

  Bytes b;
  b.I32(6).I32(1);
  b.Str("").Str("P").Str("ZEL").I32(0);
  b.F64(1000).F64(1000).F64(1000).F64(0).F64(0).F64(0);  // inertia
  b.F64(6.16).F64(2.8).F64(2800).F64(-1).F64(0).F64(0);  // area, length, mass, strope link
  b.I32(1).I32(2).F64(3.0);                              // bridle legs, 2 of them, length
  b.F64(-1).F64(p.legPoints[0].y).F64(p.legPoints[0].z);
  b.F64(-1).F64(p.legPoints[1].y).F64(p.legPoints[1].z);
  b.F64(-1).F64(0.35).I32(0);  // COG distance, radius, type index
  b.I32(1).Str("").Str("").Str("T").I32(0);
  for (double v : {10, 10, 10, 0, 0, 0, 10, 1, 10, 14, 0, 0, 20, 10000, 10, 0, 0, 0, 0, 0, 0, 0}) {
    b.F64(v);
  }
  b.F64(0.5).F64(2.0);
  b.I32(1).I32(1);  // next numbers
  b.I32(3);
  b.Str("B").I32(1).Str("").I32(0).I32(-1).I32(1).I32(1).F64(0).F64(100).I32(1);
  b.Str("").I32(1).Str("").I32(1);  // deployment: no module record follows
  b.Str("").I32(1).Str("").I32(3).I32(-1).I32(-1).I32(1).I32(1).F64(0).F64(100).I32(1).I32(1);
  const std::string tail = test::NewMissionBytes().substr(24);   // mission type onwards
  b.Raw(tail.substr(0, tail.size() - 12)).I32(5).I32(1).I32(0);  // atmosphere before planet
  EXPECT_EQ(ArchiveBytes(doc), b.str());
}

TEST(MissionArchive, SingleStropePayloadStoresNoLegPoints) {
  CPlumoraDoc strope, bridle;
  strope.CreatePayload();
  bridle.CreatePayload().connectionKind = kBridleLegs;
  EXPECT_EQ(ArchiveBytes(bridle).size(), ArchiveBytes(strope).size() + 2 * 24);
}

TEST(MissionArchive, EveryFieldSurvivesARereadBitForBit) {
  CPlumoraDoc doc;
  test::FillEveryField(doc);
  const std::string bytes = ArchiveBytes(doc);
  CPlumoraDoc again;
  EXPECT_EQ(Reread(bytes, again), bytes);

  // Stored leg points are kept as stored, not derived again; the model scale follows the type.
  ASSERT_EQ(again.payloads.size(), 2u);
  EXPECT_EQ(again.payloads[1]->legPoints[2].x, -3.0);
  EXPECT_EQ(again.payloads[0]->ModelScale(), 0.025);
  EXPECT_EQ(again.payloads[1]->ModelScale(), 1.0);
  EXPECT_EQ(again.payloads[0]->legCount, 7);
  EXPECT_EQ(again.payloads[0]->legPoints[0], Vec3{});
  EXPECT_EQ(again.missionComments.size(), 19u);
}

TEST(MissionArchive, PhasesKeepTheirPlaceAndOnlyComputedOnesOwnModules) {
  CPlumoraDoc doc;
  doc.AddPhase(kPhaseBallisticEntry).ballistic()->stopHeight = 1.0;
  doc.AddPhase(kPhaseDeployment);
  doc.AddPhase(kPhaseFinalDescent).parachute()->stopHeight = 3.0;
  doc.AddPhase(kPhaseInflation);
  doc.AddPhase(kPhaseFinalDescent).parachute()->stopHeight = 5.0;
  CPlumoraDoc again;
  Reread(ArchiveBytes(doc), again);
  ASSERT_EQ(again.phases.size(), 5u);
  EXPECT_EQ(again.ModuleCount(), 3);
  const int types[5] = {0, 1, 3, 2, 3};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(again.phases[i]->type(), types[i]) << i;
  EXPECT_EQ(again.phases[0]->ballistic()->stopHeight, 1.0);
  EXPECT_FALSE(again.phases[1]->IsComputed());
  EXPECT_EQ(again.phases[2]->parachute()->stopHeight, 3.0);
  EXPECT_FALSE(again.phases[3]->IsComputed());
  EXPECT_EQ(again.phases[4]->parachute()->stopHeight, 5.0);
  EXPECT_EQ(again.ModulePosition(*again.phases[4]), 3);
}

// The mission name of a new document is the first string, after 28 bytes.
TEST(MissionArchive, StringLengthsUseTheirPrefixForms) {
  struct Case {
    std::size_t length;
    std::string prefix;
  };
  const Case cases[] = {
      {0, std::string("\x00", 1)},
      {254, "\xFE"},
      {255, std::string("\xFF\xFF\x00", 3)},
      {0xFFFD, "\xFF\xFD\xFF"},
      {0xFFFE, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
      {0xFFFF, std::string("\xFF\xFF\xFF\xFF\xFF\x00\x00", 7)},
      {70000, std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7)},
  };
  for (const Case& c : cases) {
    CPlumoraDoc doc;
    doc.missionName = std::string(c.length, 'n');
    const std::string bytes = ArchiveBytes(doc);
    EXPECT_EQ(bytes.substr(28, c.prefix.size()), c.prefix) << c.length;
    EXPECT_EQ(bytes.size(), 277 - 8 + c.prefix.size() + c.length) << c.length;
    CPlumoraDoc again;
    EXPECT_EQ(Reread(bytes, again), bytes) << c.length;
    EXPECT_EQ(again.missionName.size(), c.length);
  }
}

TEST(MissionArchive, LongerPrefixFormsAreReadEvenForShortStrings) {
  // Another writer may use a wider prefix than needed; the text is the same.
  std::string bytes = test::NewMissionBytes();
  bytes.replace(28, 8, std::string("\xFF\x07\x00", 3) + "Default");
  CPlumoraDoc doc;
  EXPECT_EQ(Reread(bytes, doc), test::NewMissionBytes());
  bytes.replace(28, 10, std::string("\xFF\xFF\xFF\x07\x00\x00\x00", 7) + "Default");
  EXPECT_EQ(Reread(bytes, doc), test::NewMissionBytes());
}

TEST(MissionArchive, AnotherVersionReadsNothing) {
  for (std::int32_t version : {5, 7, 0, -6}) {
    std::string bytes = test::NewMissionBytes();
    bytes.replace(0, 4, Bytes().I32(version).str());
    CPlumoraDoc doc;
    EXPECT_EQ(ReadMissionArchive(bytes, doc).status, MissionReadResult::Status::kOtherVersion);
    // Only the version is looked at: four bytes are a whole file of another version.
    EXPECT_EQ(ReadMissionArchive(bytes.substr(0, 4), doc).status,
              MissionReadResult::Status::kOtherVersion);
  }
}

MissionReadResult ReadBytes(const std::string& bytes) {
  CPlumoraDoc doc;
  return ReadMissionArchive(bytes, doc);
}

TEST(MissionArchive, ImpossibleCountsAndLengthsAreRefused) {
  const std::string base = test::NewMissionBytes();
  const auto withInt = [&](std::size_t offset, std::int32_t v) {
    std::string bytes = base;
    bytes.replace(offset, 4, Bytes().I32(v).str());
    return ReadBytes(bytes);
  };
  EXPECT_EQ(withInt(4, -1).problem, "holds a negative count (byte 4)");
  EXPECT_EQ(withInt(8, INT32_MIN).problem, "holds a negative count (byte 8)");
  EXPECT_EQ(withInt(20, -2).problem, "holds a negative count (byte 20)");
  // Bytes after a complete mission are not part of it.
  EXPECT_EQ(ReadBytes(base + "tail").status, MissionReadResult::Status::kRead);
  // Counts far beyond the file end at its end (or sooner, at what the rest makes of it),
  // without reserving room for them.
  EXPECT_EQ(withInt(4, INT32_MAX).status, MissionReadResult::Status::kRefused);
  EXPECT_EQ(withInt(8, INT32_MAX).status, MissionReadResult::Status::kRefused);
  EXPECT_EQ(withInt(20, INT32_MAX).status, MissionReadResult::Status::kRefused);

  // A string claiming 4 GB, and one claiming one byte more than is left.
  std::string huge = base;
  huge.replace(28, 8, std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7));
  EXPECT_EQ(ReadBytes(huge).problem, "ends early (byte 28)");
  std::string over = base.substr(0, 28) + Bytes().Str("x").str();
  over[28] = 2;
  EXPECT_EQ(ReadBytes(over).problem, "ends early (byte 28)");
  // 0xFFFE in the 16-bit slot marked wide-character strings in older archives.
  std::string wide = base;
  wide.replace(28, 8, std::string("\xFF\xFE\xFF\x07", 4) + "Default");
  EXPECT_EQ(ReadBytes(wide).problem,
            "holds a string length of a form this program does not write (byte 28)");
}

TEST(MissionArchive, DamagedBytesAreReadOrRefusedButNeverMisread) {
  CPlumoraDoc doc;
  test::FillEveryField(doc);
  const std::string valid = ArchiveBytes(doc);
  std::mt19937 random(7);
  int read = 0;
  for (int round = 0; round < 1500; ++round) {
    std::string bytes = valid;
    for (int k = 0; k < 1 + round % 4; ++k) {
      bytes[random() % bytes.size()] = static_cast<char>(round % 3 == 0 ? 0xFF : random());
    }
    CPlumoraDoc damaged;
    const MissionReadResult r = ReadMissionArchive(bytes, damaged);
    ASSERT_NE(r.status == MissionReadResult::Status::kRead, !r.problem.empty()) << round;
    if (r.status != MissionReadResult::Status::kRead) continue;
    // Whatever was accepted is a mission that stores and reads back the same.
    ++read;
    const std::string rewritten = ArchiveBytes(damaged);
    CPlumoraDoc again;
    ASSERT_EQ(Reread(rewritten, again), rewritten) << round;
  }
  EXPECT_GT(read, 100);
}

// A file with one payload whose connection kind and leg count are given; its leg count stands
// at byte 118.
std::string PayloadFile(std::int32_t kind, std::int32_t legs, int storedPoints) {
  Bytes b;
  b.I32(6).I32(1).Str("").Str("").Str("ZEL").I32(0);
  for (int i = 0; i < 12; ++i) b.F64(1.0);
  b.I32(kind).I32(legs).F64(3.0);
  for (int i = 0; i < 3 * storedPoints; ++i) b.F64(0.5);
  b.F64(-1).F64(0.35).I32(0);
  return b.str() + test::NewMissionBytes().substr(8);
}

TEST(MissionArchive, BridleLegCountsOutsideTheTableAreRefused) {
  EXPECT_EQ(ReadBytes(PayloadFile(kBridleLegs, 51, 51)).problem,
            "holds a payload with bridle legs whose leg count is outside 0 to 50 (byte 118)");
  EXPECT_EQ(ReadBytes(PayloadFile(3, -1, 0)).status, MissionReadResult::Status::kRefused);
  // At the edges, and whatever the count when no points are stored.
  CPlumoraDoc doc;
  ASSERT_EQ(ReadMissionArchive(PayloadFile(kBridleLegs, 50, 50), doc).status,
            MissionReadResult::Status::kRead);
  EXPECT_EQ(doc.payloads[0]->legPoints[49], (Vec3{0.5, 0.5, 0.5}));
  EXPECT_EQ(ReadBytes(PayloadFile(kBridleLegs, 0, 0)).status, MissionReadResult::Status::kRead);
  EXPECT_EQ(ReadBytes(PayloadFile(kSingleStrope, 51, 0)).status, MissionReadResult::Status::kRead);
  EXPECT_EQ(ReadBytes(PayloadFile(kSingleStrope, -9, 0)).status, MissionReadResult::Status::kRead);
}

TEST(MissionArchive, MissionsWhoseLegsCannotBeStoredAreNotWritten) {
  CPlumoraDoc doc;
  doc.CreatePayload();
  CPayload& p = doc.CreatePayload();
  p.connectionKind = kBridleLegs;
  p.legCount = 51;
  std::string bytes = "untouched", problem;
  EXPECT_FALSE(WriteMissionArchive(doc, bytes, problem));
  EXPECT_EQ(problem, "bridle leg count outside 0 to 50 in payload number 1");
  EXPECT_EQ(bytes, "untouched");
  p.connectionKind = kSingleStrope;  // the count is then only a setting
  EXPECT_TRUE(WriteMissionArchive(doc, bytes, problem));
}

}  // namespace
}  // namespace plumora
