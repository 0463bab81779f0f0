#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <set>
#include <string>

#include "core/app/MissionFiles.h"
#include "support/Missions.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

namespace fs = std::filesystem;
using test::ArchiveBytes;
using test::TempDir;

// An open document with a mission, results, an atmosphere table and front-end links, as the
// desktop program holds it when the user opens or saves another file.
struct OpenDocument {
  CPlumoraDoc doc;
  RecordingPrompter prompter;
  test::CountingObserver observer;

  OpenDocument() {
    doc.SetPrompter(&prompter);
    doc.AddObserver(&observer);
    doc.baseFolder = "/base";
    doc.mission.missionName = "open mission";
    doc.mission.CreatePayload().mass = 123.0;
    doc.mission.AddPhase(kPhaseFinalDescent);
    doc.results.Append({});
    auto table = std::make_shared<AtmosphereTable>();
    table->pointCount = 3;
    doc.SetEnvironment(Environment(LoadedAtmosphere{table, {}}));
  }
  // The load failed with that message; nothing of the document changed and nobody was told
  // anything (the caller shows the error).
  void ExpectUnchangedAfter(const Result<>& loaded, const std::string& before,
                            const std::string& text) {
    ASSERT_FALSE(loaded.ok());
    EXPECT_EQ(loaded.message(), text);
    EXPECT_EQ(loaded.error().caption, "error");
    EXPECT_EQ(ArchiveBytes(doc.mission), before);
    EXPECT_EQ(doc.results.LastIndex(), 0);
    EXPECT_EQ(doc.atmosphereTable().pointCount, 3);
    EXPECT_EQ(observer.plan + observer.results + observer.views, 0);
    EXPECT_TRUE(prompter.entries().empty()) << prompter.Transcript();
  }
};

TEST(MissionFiles, FormatFollowsTheExtension) {
  EXPECT_EQ(MissionFormatFor("a/b.json"), MissionFormat::kJson);
  EXPECT_EQ(MissionFormatFor("B.JSON"), MissionFormat::kJson);
  EXPECT_EQ(MissionFormatFor("b.psd"), MissionFormat::kBinary);
  EXPECT_EQ(MissionFormatFor("b.json.psd"), MissionFormat::kBinary);
  EXPECT_EQ(MissionFormatFor("json"), MissionFormat::kBinary);
}

TEST(MissionFiles, OpeningTakesTheMissionAndKeepsTheFrontEnds) {
  TempDir dir;
  Mission source = test::EveryFieldFilled();
  ASSERT_TRUE(SaveMission(source, dir / "m.psd").ok());
  EXPECT_EQ(test::ReadFile(dir / "m.psd"), ArchiveBytes(source));

  OpenDocument open;
  ASSERT_TRUE(LoadMission(open.doc, dir / "m.psd").ok());
  EXPECT_EQ(open.doc.mission, source);
  EXPECT_TRUE(open.prompter.entries().empty());
  EXPECT_EQ(&open.doc.prompter(), &open.prompter);
  EXPECT_EQ(open.doc.baseFolder, "/base");
  EXPECT_EQ(open.doc.results.LastIndex(), -1);
  EXPECT_EQ(open.doc.atmosphereTable().pointCount, 0);
  EXPECT_EQ(open.observer.plan, 1);
  EXPECT_EQ(open.observer.results, 1);
  EXPECT_EQ(open.observer.views, 1);
  // The observers stay attached.
  open.doc.ApplyEnvironment({});
  EXPECT_EQ(open.observer.views, 2);
}

TEST(MissionFiles, AnotherVersionOpensAsANewMissionWithoutAMessage) {
  TempDir dir;
  std::string bytes = ArchiveBytes(test::EveryFieldFilled());
  bytes[0] = 5;
  test::WriteFile(dir / "old.psd", bytes);
  OpenDocument open;
  EXPECT_TRUE(LoadMission(open.doc, dir / "old.psd").ok());
  EXPECT_TRUE(open.prompter.entries().empty());
  EXPECT_EQ(open.doc.mission, Mission());
  EXPECT_EQ(open.observer.plan, 1);
  // Those who warn learn it in a sentence naming the file.
  const Result<MissionRead> read = ReadMissionFile(dir / "old.psd");
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read->note, "The mission file " + (dir / "old.psd").string() +
                            " is of format version 5, not 6; it opens as a new mission\n");
}

TEST(MissionFiles, DamagedFilesAreRefusedAndTheOpenMissionStays) {
  TempDir dir;
  OpenDocument open;
  const std::string before = ArchiveBytes(open.doc.mission);
  const std::string valid = ArchiveBytes(test::EveryFieldFilled());
  const fs::path path = dir / "cut.psd";
  for (std::size_t n = 0; n < valid.size(); ++n) {
    test::WriteFile(path, valid.substr(0, n));
    SCOPED_TRACE(n);
    const Result<> loaded = LoadMission(open.doc, path);
    ASSERT_FALSE(loaded.ok());
    const std::string& text = loaded.message();
    ASSERT_EQ(text.rfind("The mission file " + path.string() + " ends early (byte ", 0), 0u)
        << text;
    EXPECT_EQ(loaded.code(), ErrorCode::kMalformed);
    open.ExpectUnchangedAfter(loaded, before, text);
  }

  const Result<> missing = LoadMission(open.doc, dir / "missing.psd");
  EXPECT_EQ(missing.code(), ErrorCode::kCannotOpen);
  open.ExpectUnchangedAfter(missing, before,
                            "The mission file " + (dir / "missing.psd").string() +
                                " could not be opened (No such file or directory)\n");
  open.ExpectUnchangedAfter(
      LoadMission(open.doc, dir.path()), before,
      "The mission file " + dir.path().string() + " could not be opened (Is a directory)\n");
}

TEST(MissionFiles, JsonMissionsOpenAndSaveByTheirExtension) {
  TempDir dir;
  Mission source = test::EveryFieldFilled();
  ASSERT_TRUE(SaveMission(source, dir / "m.json").ok());
  EXPECT_EQ(test::ReadFile(dir / "m.json").rfind("{\n  \"format\": \"plumora-mission\",", 0), 0u);
  OpenDocument open;
  ASSERT_TRUE(LoadMission(open.doc, dir / "m.json").ok());
  EXPECT_EQ(open.doc.mission, source);
  EXPECT_EQ(open.observer.plan, 1);

  OpenDocument other;
  const std::string before = ArchiveBytes(other.doc.mission);
  test::WriteFile(dir / "bad.json", R"({"payloads": [{"mass": [1]}]})");
  other.ExpectUnchangedAfter(
      LoadMission(other.doc, dir / "bad.json"), before,
      "The mission file " + (dir / "bad.json").string() +
          " does not hold a valid mission (/payloads/0/mass must be a number, \"NaN\", "
          "\"Infinity\" or \"-Infinity\")\n");
  test::WriteFile(dir / "bad.json", "{\n,");
  other.ExpectUnchangedAfter(LoadMission(other.doc, dir / "bad.json"), before,
                             "The mission file " + (dir / "bad.json").string() +
                                 " is not valid JSON (line 2, column 1)\n");
}

// The folder holds exactly the given names: a failed save leaves no temporary behind.
void ExpectFolderHolds(const fs::path& folder, std::set<std::string> names) {
  std::set<std::string> found;
  for (const auto& entry : fs::directory_iterator(folder)) found.insert(entry.path().filename());
  EXPECT_EQ(found, names);
}

TEST(MissionFiles, SavingReplacesTheFileAndKeepsItsPermissions) {
  TempDir dir;
  const fs::path path = dir / "m.psd";
  test::WriteFile(path, "old");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  Mission mission;
  ASSERT_TRUE(SaveMission(mission, path).ok());
  EXPECT_EQ(test::ReadFile(path), test::NewMissionBytes());
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ExpectFolderHolds(dir.path(), {"m.psd"});

  // Through a symbolic link the linked file is replaced and the link stays a link.
  fs::create_symlink("m.psd", dir / "link.psd");
  mission.missionName = "via link";
  ASSERT_TRUE(SaveMission(mission, dir / "link.psd").ok());
  EXPECT_TRUE(fs::is_symlink(dir / "link.psd"));
  EXPECT_EQ(test::ReadFile(path), ArchiveBytes(mission));
}

TEST(MissionFiles, AFailedSaveLeavesThePreviousFileIntact) {
  TempDir dir;
  const fs::path path = dir / "m.psd";
  test::WriteFile(path, "previous");
  Mission mission;
  mission.CreatePayload();

  // The target's name is taken by a folder: the rename fails after a complete write.
  fs::create_directories(dir / "taken.psd" / "inside");
  const Result<> taken = SaveMission(mission, dir / "taken.psd");
  ASSERT_FALSE(taken.ok());
  EXPECT_EQ(taken.code(), ErrorCode::kCannotWrite);
  EXPECT_EQ(taken.message().rfind(
                "The mission file " + (dir / "taken.psd").string() + " could not be saved (", 0),
            0u);

  // A folder that does not exist.
  const Result<> nowhere = SaveMission(mission, dir / "no" / "m.psd");
  ASSERT_FALSE(nowhere.ok());
  EXPECT_EQ(nowhere.message(), "The mission file " + (dir / "no" / "m.psd").string() +
                                   " could not be saved (the folder " + (dir / "no").string() +
                                   " does not exist)\n");

  // A mission that cannot be stored is not written at all.
  mission.payloads[0]->connectionKind = kBridleLegs;
  mission.payloads[0]->legCount = 60;
  const Result<> unstorable = SaveMission(mission, path);
  ASSERT_FALSE(unstorable.ok());
  EXPECT_EQ(unstorable.code(), ErrorCode::kInvalid);
  EXPECT_EQ(unstorable.message(),
            "The mission file " + path.string() +
                " could not be saved (bridle leg count outside 0 to 50 in payload number 0)\n");
  EXPECT_EQ(unstorable.error().caption, "error");
  EXPECT_EQ(test::ReadFile(path), "previous");
  ExpectFolderHolds(dir.path(), {"m.psd", "taken.psd"});
}

TEST(MissionFiles, ADiskThatFillsUpMidwayLeavesThePreviousFileIntact) {
  TempDir dir;
  const fs::path path = dir / "m.psd";
  test::WriteFile(path, "previous");
  Mission mission = test::EveryFieldFilled();

  // Files of this process may grow to 100 bytes only, even for root: the write stops midway.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 100;
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const Result<> written = SaveMission(mission, path);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);

  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.message(),
            "The mission file " + path.string() + " could not be saved (File too large)\n");
  EXPECT_EQ(test::ReadFile(path), "previous");
  ExpectFolderHolds(dir.path(), {"m.psd"});
}

}  // namespace
}  // namespace plumora
