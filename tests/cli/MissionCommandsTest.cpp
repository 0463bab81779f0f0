#include <gtest/gtest.h>

#include "cli/Cli.h"
#include "core/app/MissionFiles.h"
#include "support/Missions.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

using test::Cli;
using test::ReadFile;
using test::TempDir;

TEST(MissionCommands, NewWritesADefaultMissionInEitherForm) {
  TempDir dir;
  const auto psd = Cli({"new", "a.psd"}, dir.path());
  ASSERT_EQ(psd.status, 0) << psd.err;
  EXPECT_EQ(psd.out + psd.err, "");
  EXPECT_EQ(ReadFile(dir / "a.psd"), test::NewMissionBytes());

  ASSERT_EQ(Cli({"new", "a.JSON"}, dir.path()).status, 0);
  // show prints exactly what the JSON file holds, from either form.
  const auto fromJson = Cli({"show", "a.JSON"}, dir.path());
  const auto fromPsd = Cli({"show", "a.psd"}, dir.path());
  ASSERT_EQ(fromJson.status, 0) << fromJson.err;
  ASSERT_EQ(fromPsd.status, 0) << fromPsd.err;
  EXPECT_EQ(fromJson.out, ReadFile(dir / "a.JSON"));
  EXPECT_EQ(fromPsd.out, fromJson.out);
  EXPECT_NE(fromPsd.out.find("\n  \"mission_name\": \"Default\",\n"), std::string::npos);
}

TEST(MissionCommands, ConvertGoesBothWaysWithoutLosingAByte) {
  TempDir dir;
  Mission mission = test::EveryFieldFilled();
  ASSERT_TRUE(SaveMission(mission, dir / "full.psd").ok());
  const auto toJson = Cli({"convert", "full.psd", "full.json"}, dir.path());
  ASSERT_EQ(toJson.status, 0) << toJson.err;
  const auto back = Cli({"convert", "full.json", "again.psd"}, dir.path());
  ASSERT_EQ(back.status, 0) << back.err;
  EXPECT_EQ(ReadFile(dir / "again.psd"), ReadFile(dir / "full.psd"));
  EXPECT_EQ(Cli({"show", "full.psd"}, dir.path()).out, ReadFile(dir / "full.json"));
}

TEST(MissionCommands, FailuresSayWhyAndTouchNothing) {
  TempDir dir;
  const auto missing = Cli({"show", "missing.psd"}, dir.path());
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err,
            "error: The mission file missing.psd could not be opened (No such file or "
            "directory)\n");

  test::WriteFile(dir / "cut.psd", test::NewMissionBytes().substr(0, 30));
  test::WriteFile(dir / "out.json", "kept");
  const auto cut = Cli({"convert", "cut.psd", "out.json"}, dir.path());
  EXPECT_EQ(cut.status, 1);
  EXPECT_EQ(cut.err, "error: The mission file cut.psd ends early (byte 28)\n");
  EXPECT_EQ(ReadFile(dir / "out.json"), "kept");

  // Another format version opens as a new mission, with a warning.
  test::WriteFile(dir / "v5.psd", std::string("\x05\0\0\0", 4));
  const auto old = Cli({"show", "v5.psd"}, dir.path());
  EXPECT_EQ(old.status, 0);
  EXPECT_EQ(old.err,
            "warning: The mission file v5.psd is of format version 5, not 6; it opens as a new "
            "mission\n");
  EXPECT_NE(old.out.find("\"mission_name\": \"Default\""), std::string::npos);

  const auto nowhere = Cli({"new", "no/such/folder.psd"}, dir.path());
  EXPECT_EQ(nowhere.status, 1);
  EXPECT_EQ(nowhere.err,
            "error: The mission file no/such/folder.psd could not be saved (the folder no/such "
            "does not exist)\n");
}

TEST(MissionCommands, BadUsage) {
  TempDir dir;
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"show"},
           {"show", "a.txt"},
           {"convert", "a.psd"},
           {"convert", "a.psd", "b.csv"},
           {"new"},
           {"new", "x"},
           {"new", "a.psd", "b.psd"},
       }) {
    EXPECT_EQ(Cli(args, dir.path()).status, 2) << args.size() << " " << args.back();
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace plumora
