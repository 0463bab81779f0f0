#include <gtest/gtest.h>

#include "gui/logic/app/DocumentState.h"

namespace plumora::gui {
namespace {

TEST(DocumentStateTest, NewMissionsAreNumberedAndSavedOnesGoByTheirFile) {
  DocumentState state(3);
  EXPECT_EQ(state.Title(), "Plumor3");
  state.SetModified();
  EXPECT_TRUE(state.modified());
  EXPECT_EQ(state.SavePrompt(), "Save changes to Plumor3?");
  EXPECT_EQ(state.OutputName(".csv"), "Plumor3.csv");
  state.SetPath("/tmp/missions/earth-return.psd");
  EXPECT_FALSE(state.modified());  // saved under its file
  EXPECT_EQ(state.Title(), "earth-return.psd");
  EXPECT_EQ(state.OutputName("-study.csv"), "/tmp/missions/earth-return-study.csv");
}

TEST(RecentFileListTest, NewestFirstNoDuplicatesAtMostFour) {
  RecentFileList list(4);
  for (const char* f : {"/m/a.psd", "/m/b.psd", "/m/c.psd", "/m/d.psd", "/m/e.psd"}) list.Add(f);
  ASSERT_EQ(list.files().size(), 4u);
  EXPECT_EQ(list.files()[0], "/m/e.psd");
  EXPECT_EQ(list.files()[3], "/m/b.psd");
  list.Add("/m/./c.psd");  // the same file spelled differently moves up
  EXPECT_EQ(list.files().size(), 4u);
  EXPECT_EQ(list.files()[0], "/m/c.psd");
  EXPECT_EQ(list.MenuText(0), "&1 /m/c.psd");
  list.Remove("/m/e.psd");
  EXPECT_EQ(list.files().size(), 3u);
}

TEST(RecentFileListTest, SettingsRoundTripKeepsTheOrderAndSkipsBlanks) {
  RecentFileList list(4);
  list.SetEntries({"/m/x.json", "", "/m/y.psd", "/m/x.json", "/m/z.psd", "/m/w.psd"});
  EXPECT_EQ(list.Entries(),
            (std::vector<std::string>{"/m/x.json", "/m/y.psd", "/m/z.psd", "/m/w.psd"}));
}

}  // namespace
}  // namespace plumora::gui
