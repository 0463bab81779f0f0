#include <gtest/gtest.h>

#include "cli/Cli.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

namespace fs = std::filesystem;

TEST(Program, VersionAndEveryCommandsHelp) {
  const auto version = test::Cli({"--version"});
  EXPECT_EQ(version.status, 0) << version.err;
  EXPECT_EQ(version.out, "plumora-cli " PLUMORA_VERSION "\n");

  const auto all = test::Cli({"--help-all"});
  EXPECT_EQ(all.status, 0) << all.err;
  for (const char* text : {"--version", "--on-flip", "--columns", "--runs", "--skew-area"}) {
    EXPECT_EQ(all.out.find(text) != std::string::npos, std::string(text) != "--skew-area") << text;
  }
}

// A copy of the program laid out as installed (bin/ beside share/plumora/) finds its data from
// any folder; a working folder with data of its own still wins.
TEST(Program, AnInstalledProgramReadsTheInstalledDataUnlessTheWorkingFolderHasItsOwn) {
  test::TempDir prefix, elsewhere, own;
  fs::create_directories(prefix / "bin");
  fs::create_directories(prefix / "share" / "plumora");
  const fs::path program = prefix / "bin" / "plumora-cli";
  fs::copy_file(PLUMORA_CLI_PATH, program);
  fs::copy(test::DataFolder() / "atm", prefix / "share" / "plumora" / "atm",
           fs::copy_options::recursive);
  test::AtmText table = test::SimpleAtmosphere(5);
  test::WriteFile(own / "atm" / "mine.atm", table.Text());

  const auto installed = test::RunProcess(program.string(), {"atmosphere", "0"}, elsewhere.path());
  EXPECT_EQ(installed.status, 0) << installed.err;
  EXPECT_EQ(installed.out,
            test::Cli({"atmosphere", "--base", test::DataFolder().string(), "0"}).out);

  const auto working = test::RunProcess(program.string(), {"atmosphere", "0"}, own.path());
  EXPECT_EQ(working.status, 0) << working.err;
  EXPECT_NE(working.out, installed.out);
  EXPECT_EQ(working.out, test::Cli({"atmosphere", "0"}, own.path()).out);
}

}  // namespace
}  // namespace plumora
