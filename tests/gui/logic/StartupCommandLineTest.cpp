#include <gtest/gtest.h>

#include "gui/logic/app/StartupCommandLine.h"

namespace plumora::gui {
namespace {

using Arguments = std::vector<std::string>;

StartupCommandLine Parse(const Arguments& arguments) {
  return ParseStartupCommandLine(arguments);
}

TEST(StartupCommandLineTest, HelpAndVersionEndAtOnceWhereverTheyStand) {
  for (const Arguments& arguments :
       {Arguments{"--help"}, Arguments{"-h"}, Arguments{"m.psd", "--help"},
        Arguments{"--snapshot", "--help"}, Arguments{"--snapshot", "out.png", "--help"},
        Arguments{"--base", "--help"}, Arguments{"--bogus", "--help"}}) {
    const StartupCommandLine line = Parse(arguments);
    ASSERT_TRUE(line.exitStatus) << testing::PrintToString(arguments);
    EXPECT_EQ(*line.exitStatus, 0);
    EXPECT_EQ(line.text, UsageText());
    EXPECT_FALSE(line.snapshot);
  }
  // The help names every option of both ways of starting, the snapshot's included.
  for (const char* option :
       {"--help", "--version", "--base", "--snapshot", "--size", "--command"}) {
    EXPECT_NE(UsageText().find(option), std::string::npos) << option;
  }
  EXPECT_EQ(UsageText().rfind("Usage: plumora ", 0), 0u);

  const StartupCommandLine version = Parse({"--snapshot", "x.png", "--version"});
  ASSERT_TRUE(version.exitStatus);
  EXPECT_EQ(*version.exitStatus, 0);
  EXPECT_EQ(version.text, "plumora " PLUMORA_VERSION "\n");
  EXPECT_EQ(VersionText(), version.text);
}

TEST(StartupCommandLineTest, OnlyWhatIsNotAnOptionIsAMission) {
  const StartupCommandLine line = Parse({"a.psd", "--base", "/opt/data", "b.json", "-style",
                                         "fusion", "--reverse", "-platform=xcb", "-"});
  ASSERT_FALSE(line.exitStatus) << line.text;
  EXPECT_EQ(line.missions, (Arguments{"a.psd", "b.json", "-"}));
  EXPECT_EQ(line.base, "/opt/data");
  // Qt's own options go to Qt, each with its value.
  EXPECT_EQ(line.qtArguments, (Arguments{"-style", "fusion", "--reverse", "-platform=xcb"}));
  EXPECT_FALSE(line.snapshot);

  const StartupCommandLine none = Parse({});
  ASSERT_FALSE(none.exitStatus);
  EXPECT_TRUE(none.missions.empty());
  EXPECT_TRUE(none.base.empty());

  // After "--" everything is a mission, even what looks like an option.
  const StartupCommandLine dashes = Parse({"--base=data", "--", "--help", "-x.psd"});
  ASSERT_FALSE(dashes.exitStatus) << dashes.text;
  EXPECT_EQ(dashes.base, "data");
  EXPECT_EQ(dashes.missions, (Arguments{"--help", "-x.psd"}));
  EXPECT_FALSE(Parse({"--", "--snapshot", "x.png"}).snapshot);
}

TEST(StartupCommandLineTest, BadUsageEndsWithStatusTwoAndTheUsage) {
  const std::vector<std::pair<Arguments, std::string>> cases = {
      {{"--bogus"}, "error: unknown option --bogus\n"},
      {{"m.psd", "-x"}, "error: unknown option -x\n"},
      {{"--base"}, "error: --base needs a folder\n"},
      {{"--base", "--bogus"}, "error: --base needs a folder\n"},  // never its value
      {{"--base="}, "error: --base needs a folder\n"},
      {{"-style", "--reverse"}, "error: -style needs a value\n"},
  };
  for (const auto& [arguments, message] : cases) {
    const StartupCommandLine line = Parse(arguments);
    ASSERT_TRUE(line.exitStatus) << testing::PrintToString(arguments);
    EXPECT_EQ(*line.exitStatus, 2);
    EXPECT_EQ(line.text, message + "\n" + UsageText());
  }
}

TEST(StartupCommandLineTest, APictureNeverTakesAnOptionForAValue) {
  const StartupCommandLine picture =
      Parse({"--snapshot", "out.png", "--base", "data", "--time", "-2.5", "m.psd"});
  ASSERT_TRUE(picture.snapshot) << picture.text;
  EXPECT_EQ(picture.snapshot->output, "out.png");
  EXPECT_EQ(picture.snapshot->base, "data");
  EXPECT_DOUBLE_EQ(picture.snapshot->time, -2.5);
  EXPECT_EQ(picture.snapshot->mission, "m.psd");

  for (const Arguments& arguments :
       {Arguments{"--snapshot", "--size", "10x10", "m.psd"}, Arguments{"--snapshot"},
        Arguments{"--snapshot", "out.png", "--mode", "--x", "3"},
        Arguments{"--snapshot", "out.png", "--base", "--size", "10x10"}}) {
    const StartupCommandLine line = Parse(arguments);
    EXPECT_FALSE(line.snapshot) << testing::PrintToString(arguments);
    ASSERT_TRUE(line.exitStatus);
    EXPECT_EQ(*line.exitStatus, 2);
    EXPECT_NE(line.text.find(" needs a value"), std::string::npos) << line.text;
  }
  // Written with "=", the value is what the user wrote.
  const StartupCommandLine explicitly = Parse({"--snapshot=-odd.png"});
  ASSERT_TRUE(explicitly.snapshot) << explicitly.text;
  EXPECT_EQ(explicitly.snapshot->output, "-odd.png");
}

}  // namespace
}  // namespace plumora::gui
