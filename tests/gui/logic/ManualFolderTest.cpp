#include "gui/logic/viewers/ManualFolder.h"

#include <gtest/gtest.h>

#include "support/TestFiles.h"

namespace plumora::gui {
namespace {

namespace fs = std::filesystem;

TEST(ManualFolderTest, LooksBesideTheInstalledDataThenTheSourceTreeThenTheProgramsOwnData) {
  const auto folders = ManualFolderCandidates("/usr/share/plumora", "/opt/p/share/plumora");
  ASSERT_EQ(folders.size(), 3u);
  EXPECT_EQ(folders[0], fs::path("/usr/share/doc/plumora/manual"));
  EXPECT_EQ(folders[1], fs::path("/usr/share/docs/manual"));
  EXPECT_EQ(folders[2], fs::path("/opt/p/share/doc/plumora/manual"));

  // The program's own data as the data folder: each folder once.
  EXPECT_EQ(ManualFolderCandidates("/usr/share/plumora", "/usr/share/plumora").size(), 2u);
  // A relative data folder is taken from the working folder; none at all leaves the installed.
  EXPECT_TRUE(ManualFolderCandidates("data", "").front().is_absolute());
  EXPECT_EQ(ManualFolderCandidates("", "/usr/share/plumora"),
            std::vector<fs::path>{"/usr/share/doc/plumora/manual"});
}

TEST(ManualFolderTest, TakesTheFirstFolderHoldingTheFirstPageAndNamesAllWhenNone) {
  test::TempDir root;
  const fs::path installed = root / "share/doc/plumora/manual";
  const fs::path source = root / "docs/manual";
  fs::create_directories(installed);  // a folder without the page does not count
  fs::create_directories(source);
  test::WriteFile(source / "index.md", "# Manual\n");
  const auto folders = ManualFolderCandidates(root / "share/plumora", root / "data");
  EXPECT_EQ(FindManualFolder(folders), std::nullopt);
  EXPECT_EQ(FindManualFolder(ManualFolderCandidates(root / "data", {})), source);

  const std::string text = ManualNotFoundText(folders);
  EXPECT_EQ(text.rfind("The user manual was not found. It was looked for in:\n", 0), 0u) << text;
  for (const fs::path& folder : folders) {
    EXPECT_NE(text.find("\n" + folder.string()), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace plumora::gui
