#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/app/MissionArchive.h"
#include "support/Missions.h"

namespace plumora {
namespace {

using test::ArchiveBytes;
using test::Bytes;

// The mission the bytes hold, into mission, written again.
std::string Reread(const std::string& bytes, Mission& mission) {
  Result<Mission> read = ReadMissionArchive(bytes);
  EXPECT_TRUE(read.ok()) << (read ? std::string() : read.message());
  if (read) mission = std::move(read).value();
  return ArchiveBytes(mission);
}

// Why the bytes are refused; empty when they are read.
std::string Problem(const Result<Mission>& read) {
  return read ? std::string() : read.message();
}

TEST(MissionArchive, NewDocumentHasTheExpectedBytesAndRereadsIdentically) {
  Mission mission;
  const std::string bytes = ArchiveBytes(mission);
  EXPECT_EQ(bytes, test::NewMissionBytes());
  Mission again;
  EXPECT_EQ(Reread(bytes, again), bytes);
}

TEST(MissionArchive, SmallMissionMatchesItsLayoutFieldByField) {
  Mission mission;
  CPayload& p = mission.CreatePayload();
  p.name = "P";
  p.connectionKind = kBridleLegs;
  p.legCount = 2;  // legs at (-1, ±0.35, 0) up to rounding
  p.DeriveLegPoints();
  CParachute& c = mission.CreateParachute();
  c.type = "T";
  mission.AddPhase(kPhaseBallisticEntry).name = "B";
  mission.AddPhase(kPhaseDeployment);
  mission.AddPhase(kPhaseFinalDescent).parachute()->massPointAtConfluence = 1;
  mission.environment.planet = kMars;
  mission.environment.atmosphere = 5;

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
  EXPECT_EQ(ArchiveBytes(mission), b.str());
}

TEST(MissionArchive, SingleStropePayloadStoresNoLegPoints) {
  Mission strope, bridle;
  strope.CreatePayload();
  bridle.CreatePayload().connectionKind = kBridleLegs;
  EXPECT_EQ(ArchiveBytes(bridle).size(), ArchiveBytes(strope).size() + 2 * 24);
}

TEST(MissionArchive, EveryFieldSurvivesARereadBitForBit) {
  Mission mission = test::EveryFieldFilled();
  const std::string bytes = ArchiveBytes(mission);
  Mission again;
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
  Mission mission;
  mission.AddPhase(kPhaseBallisticEntry).ballistic()->stopHeight = 1.0;
  mission.AddPhase(kPhaseDeployment);
  mission.AddPhase(kPhaseFinalDescent).parachute()->stopHeight = 3.0;
  mission.AddPhase(kPhaseInflation);
  mission.AddPhase(kPhaseFinalDescent).parachute()->stopHeight = 5.0;
  Mission again;
  Reread(ArchiveBytes(mission), again);
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
    Mission mission;
    mission.missionName = std::string(c.length, 'n');
    const std::string bytes = ArchiveBytes(mission);
    EXPECT_EQ(bytes.substr(28, c.prefix.size()), c.prefix) << c.length;
    EXPECT_EQ(bytes.size(), 277 - 8 + c.prefix.size() + c.length) << c.length;
    Mission again;
    EXPECT_EQ(Reread(bytes, again), bytes) << c.length;
    EXPECT_EQ(again.missionName.size(), c.length);
  }
}

TEST(MissionArchive, LongerPrefixFormsAreReadEvenForShortStrings) {
  // Another writer may use a wider prefix than needed; the text is the same.
  std::string bytes = test::NewMissionBytes();
  bytes.replace(28, 8, std::string("\xFF\x07\x00", 3) + "Default");
  Mission mission;
  EXPECT_EQ(Reread(bytes, mission), test::NewMissionBytes());
  bytes.replace(28, 10, std::string("\xFF\xFF\xFF\x07\x00\x00\x00", 7) + "Default");
  EXPECT_EQ(Reread(bytes, mission), test::NewMissionBytes());
}

TEST(MissionArchive, AnotherVersionReadsNothing) {
  for (std::int32_t version : {5, 7, 0, -6}) {
    std::string bytes = test::NewMissionBytes();
    bytes.replace(0, 4, Bytes().I32(version).str());
    const Result<Mission> read = ReadMissionArchive(bytes);
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.code(), ErrorCode::kUnsupported);
    EXPECT_EQ(read.message(), "is of format version " + std::to_string(version) + ", not 6");
    // Only the version is looked at: four bytes are a whole file of another version.
    EXPECT_EQ(ReadMissionArchive(bytes.substr(0, 4)).code(), ErrorCode::kUnsupported);
  }
}

std::string ReadBytes(const std::string& bytes) {
  return Problem(ReadMissionArchive(bytes));
}

TEST(MissionArchive, ImpossibleCountsAndLengthsAreRefused) {
  const std::string base = test::NewMissionBytes();
  const auto withInt = [&](std::size_t offset, std::int32_t v) {
    std::string bytes = base;
    bytes.replace(offset, 4, Bytes().I32(v).str());
    return ReadBytes(bytes);
  };
  EXPECT_EQ(withInt(4, -1), "holds a negative count (byte 4)");
  EXPECT_EQ(withInt(8, INT32_MIN), "holds a negative count (byte 8)");
  EXPECT_EQ(withInt(20, -2), "holds a negative count (byte 20)");
  // Bytes after a complete mission are not part of it.
  EXPECT_EQ(ReadBytes(base + "tail"), "");
  // Counts far beyond the file end at its end (or sooner, at what the rest makes of it),
  // without reserving room for them.
  for (std::size_t offset : {4u, 8u, 20u}) {
    const Result<Mission> read =
        ReadMissionArchive(std::string(base).replace(offset, 4, Bytes().I32(INT32_MAX).str()));
    EXPECT_EQ(read ? ErrorCode::kInvalid : read.code(), ErrorCode::kMalformed) << offset;
  }

  // A string claiming 4 GB, and one claiming one byte more than is left.
  std::string huge = base;
  huge.replace(28, 8, std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7));
  EXPECT_EQ(ReadBytes(huge), "ends early (byte 28)");
  std::string over = base.substr(0, 28) + Bytes().Str("x").str();
  over[28] = 2;
  EXPECT_EQ(ReadBytes(over), "ends early (byte 28)");
  // 0xFFFE in the 16-bit slot marked wide-character strings in older archives.
  std::string wide = base;
  wide.replace(28, 8, std::string("\xFF\xFE\xFF\x07", 4) + "Default");
  EXPECT_EQ(ReadBytes(wide),
            "holds a string length of a form this program does not write (byte 28)");
}

TEST(MissionArchive, DamagedBytesAreReadOrRefusedButNeverMisread) {
  Mission mission = test::EveryFieldFilled();
  const std::string valid = ArchiveBytes(mission);
  std::mt19937 random(7);
  int read = 0;
  for (int round = 0; round < 1500; ++round) {
    std::string bytes = valid;
    for (int k = 0; k < 1 + round % 4; ++k) {
      bytes[random() % bytes.size()] = static_cast<char>(round % 3 == 0 ? 0xFF : random());
    }
    const Result<Mission> r = ReadMissionArchive(bytes);
    if (!r) {
      ASSERT_FALSE(r.message().empty()) << round;
      continue;
    }
    // Whatever was accepted is a mission that stores and reads back the same.
    ++read;
    const std::string rewritten = ArchiveBytes(r.value());
    Mission again;
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
  EXPECT_EQ(ReadBytes(PayloadFile(kBridleLegs, 51, 51)),
            "holds a payload with bridle legs whose leg count is outside 0 to 50 (byte 118)");
  EXPECT_NE(ReadBytes(PayloadFile(3, -1, 0)), "");
  // At the edges, and whatever the count when no points are stored.
  const Result<Mission> fifty = ReadMissionArchive(PayloadFile(kBridleLegs, 50, 50));
  ASSERT_TRUE(fifty.ok());
  EXPECT_EQ(fifty->payloads[0]->legPoints[49], (Vec3{0.5, 0.5, 0.5}));
  EXPECT_EQ(ReadBytes(PayloadFile(kBridleLegs, 0, 0)), "");
  EXPECT_EQ(ReadBytes(PayloadFile(kSingleStrope, 51, 0)), "");
  EXPECT_EQ(ReadBytes(PayloadFile(kSingleStrope, -9, 0)), "");
}

TEST(MissionArchive, MissionsWhoseLegsCannotBeStoredAreNotWritten) {
  Mission mission;
  mission.CreatePayload();
  CPayload& p = mission.CreatePayload();
  p.connectionKind = kBridleLegs;
  p.legCount = 51;
  const Result<std::string> refused = WriteMissionArchive(mission);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.code(), ErrorCode::kInvalid);
  EXPECT_EQ(refused.message(), "bridle leg count outside 0 to 50 in payload number 1");
  p.connectionKind = kSingleStrope;  // the count is then only a setting
  EXPECT_TRUE(WriteMissionArchive(mission).ok());
}

}  // namespace
}  // namespace plumora
