#include <gtest/gtest.h>

#include "core/app/PlumoraDoc.h"
#include "core/common/DataFolder.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

namespace fs = std::filesystem;

TEST(DataFolderTest, TheWorkingFolderWinsWhenItHoldsTheData) {
  test::TempDir working, installed;
  fs::create_directories(installed / "atm");
  // Without atm/ here, the installed data.
  EXPECT_EQ(ChooseDataFolder(working.path(), installed.path()), installed.path());
  // A file named atm is no data folder.
  test::WriteFile(working / "atm", "");
  EXPECT_EQ(ChooseDataFolder(working.path(), installed.path()), installed.path());
  fs::remove(working / "atm");
  fs::create_directories(working / "atm");
  EXPECT_EQ(ChooseDataFolder(working.path(), installed.path()), working.path());
  // Where neither holds the data, the working folder: its messages say what is missing there.
  fs::remove_all(working / "atm");
  fs::remove_all(installed / "atm");
  EXPECT_EQ(ChooseDataFolder(working.path(), installed.path()), working.path());
  EXPECT_EQ(ChooseDataFolder(working.path(), {}), working.path());
}

TEST(DataFolderTest, ANewMissionLooksInTheWorkingFolderOfItsMoment) {
  test::TempDir first, second;
  fs::create_directories(first / "atm");
  fs::create_directories(second / "atm");
  {
    test::WorkingFolder in(first.path());
    EXPECT_EQ(DefaultDataFolder(), fs::current_path());
    EXPECT_EQ(CPlumoraDoc().baseFolder, fs::current_path());
  }
  test::WorkingFolder in(second.path());
  EXPECT_EQ(CPlumoraDoc().baseFolder, fs::current_path());
  // The installed data lies beside the program's folder, whatever the working folder.
  EXPECT_EQ(InstalledDataFolder().filename(), "plumora");
  EXPECT_EQ(InstalledDataFolder().parent_path().filename(), "share");
}

}  // namespace
}  // namespace plumora
