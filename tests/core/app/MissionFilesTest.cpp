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
    doc.missionName = "open mission";
    doc.CreatePayload().mass = 123.0;
    doc.AddPhase(kPhaseFinalDescent);
    doc.results.Append({});
    doc.atmosphereTable.pointCount = 3;
  }
  // Nothing of the document changed and nobody was told anything but one error.
  void ExpectUnchangedAfterOneError(const std::string& before, const std::string& text) {
    EXPECT_EQ(ArchiveBytes(doc), before);
    EXPECT_EQ(doc.results.LastIndex(), 0);
    EXPECT_EQ(doc.atmosphereTable.pointCount, 3);
    EXPECT_EQ(observer.plan + observer.results + observer.views, 0);
    ASSERT_EQ(prompter.entries().size(), 1u) << prompter.Transcript();
    EXPECT_EQ(prompter.entries()[0].text, text);
    EXPECT_EQ(prompter.entries()[0].caption, "error");
    prompter.Clear();
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
  CPlumoraDoc source;
  test::FillEveryField(source);
  ASSERT_TRUE(SaveMission(source, dir / "m.psd"));
  EXPECT_EQ(test::ReadFile(dir / "m.psd"), ArchiveBytes(source));

  OpenDocument open;
  ASSERT_TRUE(LoadMission(open.doc, dir / "m.psd")) << open.prompter.Transcript();
  EXPECT_EQ(ArchiveBytes(open.doc), ArchiveBytes(source));
  EXPECT_TRUE(open.prompter.entries().empty());
  EXPECT_EQ(&open.doc.prompter(), &open.prompter);
  EXPECT_EQ(open.doc.baseFolder, "/base");
  EXPECT_EQ(open.doc.results.LastIndex(), -1);
  EXPECT_EQ(open.doc.atmosphereTable.pointCount, 0);
  EXPECT_EQ(open.observer.plan, 1);
  EXPECT_EQ(open.observer.results, 1);
  EXPECT_EQ(open.observer.views, 1);
  // The observers stay attached.
  open.doc.ApplyEnvironment(0, 0, 0);
  EXPECT_EQ(open.observer.views, 2);
}

TEST(MissionFiles, AnotherVersionOpensAsANewMissionWithoutAMessage) {
  TempDir dir;
  std::string bytes;
  CPlumoraDoc filled;
  test::FillEveryField(filled);
  bytes = ArchiveBytes(filled);
  bytes[0] = 5;
  test::WriteFile(dir / "old.psd", bytes);
  OpenDocument open;
  EXPECT_TRUE(LoadMission(open.doc, dir / "old.psd"));
  EXPECT_TRUE(open.prompter.entries().empty());
  EXPECT_EQ(ArchiveBytes(open.doc), test::NewMissionBytes());
  EXPECT_EQ(open.observer.plan, 1);
}

TEST(MissionFiles, DamagedFilesAreRefusedAndTheOpenMissionStays) {
  TempDir dir;
  OpenDocument open;
  const std::string before = ArchiveBytes(open.doc);
  CPlumoraDoc source;
  test::FillEveryField(source);
  const std::string valid = ArchiveBytes(source);
  const fs::path path = dir / "cut.psd";
  for (std::size_t n = 0; n < valid.size(); ++n) {
    test::WriteFile(path, valid.substr(0, n));
    EXPECT_FALSE(LoadMission(open.doc, path));
    SCOPED_TRACE(n);
    ASSERT_EQ(open.prompter.entries().size(), 1u);
    const std::string& text = open.prompter.entries()[0].text;
    ASSERT_EQ(text.rfind("The mission file " + path.string() + " ends early (byte ", 0), 0u)
        << text;
    open.ExpectUnchangedAfterOneError(before, text);
  }

  EXPECT_FALSE(LoadMission(open.doc, dir / "missing.psd"));
  open.ExpectUnchangedAfterOneError(before, "The mission file " + (dir / "missing.psd").string() +
                                                " could not be opened (No such file or "
                                                "directory)\n");
  EXPECT_FALSE(LoadMission(open.doc, dir.path()));
  open.ExpectUnchangedAfterOneError(before, "The mission file " + dir.path().string() +
                                                " could not be opened (Is a directory)\n");
}

TEST(MissionFiles, JsonMissionsOpenAndSaveByTheirExtension) {
  TempDir dir;
  CPlumoraDoc source;
  test::FillEveryField(source);
  ASSERT_TRUE(SaveMission(source, dir / "m.json"));
  EXPECT_EQ(test::ReadFile(dir / "m.json").rfind("{\n  \"format\": \"plumora-mission\",", 0), 0u);
  OpenDocument open;
  ASSERT_TRUE(LoadMission(open.doc, dir / "m.json")) << open.prompter.Transcript();
  EXPECT_EQ(ArchiveBytes(open.doc), ArchiveBytes(source));
  EXPECT_EQ(open.observer.plan, 1);

  OpenDocument other;
  const std::string before = ArchiveBytes(other.doc);
  test::WriteFile(dir / "bad.json", R"({"payloads": [{"mass": [1]}]})");
  EXPECT_FALSE(LoadMission(other.doc, dir / "bad.json"));
  other.ExpectUnchangedAfterOneError(
      before, "The mission file " + (dir / "bad.json").string() +
                  " does not hold a valid mission (/payloads/0/mass must be a number, \"NaN\", "
                  "\"Infinity\" or \"-Infinity\")\n");
  test::WriteFile(dir / "bad.json", "{\n,");
  EXPECT_FALSE(LoadMission(other.doc, dir / "bad.json"));
  other.ExpectUnchangedAfterOneError(before, "The mission file " + (dir / "bad.json").string() +
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
  CPlumoraDoc doc;
  ASSERT_TRUE(SaveMission(doc, path));
  EXPECT_EQ(test::ReadFile(path), test::NewMissionBytes());
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ExpectFolderHolds(dir.path(), {"m.psd"});

  // Through a symbolic link the linked file is replaced and the link stays a link.
  fs::create_symlink("m.psd", dir / "link.psd");
  doc.missionName = "via link";
  ASSERT_TRUE(SaveMission(doc, dir / "link.psd"));
  EXPECT_TRUE(fs::is_symlink(dir / "link.psd"));
  EXPECT_EQ(test::ReadFile(path), ArchiveBytes(doc));
}

TEST(MissionFiles, AFailedSaveLeavesThePreviousFileIntact) {
  TempDir dir;
  const fs::path path = dir / "m.psd";
  test::WriteFile(path, "previous");
  OpenDocument open;

  // The target's name is taken by a folder: the rename fails after a complete write.
  fs::create_directories(dir / "taken.psd" / "inside");
  EXPECT_FALSE(SaveMission(open.doc, dir / "taken.psd"));
  ASSERT_EQ(open.prompter.entries().size(), 1u);
  EXPECT_EQ(open.prompter.entries()[0].text.rfind(
                "The mission file " + (dir / "taken.psd").string() + " could not be saved (", 0),
            0u);
  open.prompter.Clear();

  // A folder that does not exist.
  EXPECT_FALSE(SaveMission(open.doc, dir / "no" / "m.psd"));
  ASSERT_EQ(open.prompter.entries().size(), 1u);
  EXPECT_EQ(open.prompter.entries()[0].text,
            "The mission file " + (dir / "no" / "m.psd").string() +
                " could not be saved (No such file or directory)\n");
  open.prompter.Clear();

  // A mission that cannot be stored is not written at all.
  open.doc.payloads[0]->connectionKind = kBridleLegs;
  open.doc.payloads[0]->legCount = 60;
  EXPECT_FALSE(SaveMission(open.doc, path));
  ASSERT_EQ(open.prompter.entries().size(), 1u);
  EXPECT_EQ(open.prompter.entries()[0].text,
            "The mission file " + path.string() +
                " could not be saved (bridle leg count outside 0 to 50 in payload number 0)\n");
  EXPECT_EQ(open.prompter.entries()[0].caption, "error");
  EXPECT_EQ(test::ReadFile(path), "previous");
  ExpectFolderHolds(dir.path(), {"m.psd", "taken.psd"});
}

TEST(MissionFiles, ADiskThatFillsUpMidwayLeavesThePreviousFileIntact) {
  TempDir dir;
  const fs::path path = dir / "m.psd";
  test::WriteFile(path, "previous");
  CPlumoraDoc doc;
  RecordingPrompter prompter;
  doc.SetPrompter(&prompter);
  test::FillEveryField(doc);

  // Files of this process may grow to 100 bytes only, even for root: the write stops midway.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 100;
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved_ok = SaveMission(doc, path);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(saved_ok);
  EXPECT_EQ(prompter.Transcript(),
            "error: The mission file " + path.string() + " could not be saved (File too large)\n");
  EXPECT_EQ(test::ReadFile(path), "previous");
  ExpectFolderHolds(dir.path(), {"m.psd"});
}

}  // namespace
}  // namespace plumora
