#include <gtest/gtest.h>

#include "Pictures.h"
#include "core/common/Messages.h"
#include "gui/logic/snapshot/StartupBitmaps.h"
#include "support/TestFiles.h"

namespace plumora::gui {
namespace {

// A base folder holding every start-up picture, small.
class StartupBitmapsTest : public ::testing::Test {
 protected:
  StartupBitmapsTest() {
    const std::string bmp = tools::BmpBytes(tools::ZoomMark(8));
    for (std::string_view name : kStartupPictureFiles) {
      test::WriteFile(base / "graphics" / std::string(name), bmp);
    }
  }
  test::TempDir base;
  RecordingPrompter prompter;
  StartupBitmaps bitmaps;
};

TEST_F(StartupBitmapsTest, AllFiveLoadInOrder) {
  test::WriteFile(base / "graphics" / "earth_gl.bmp", tools::BmpBytes(tools::MarsMap(16, 8)));
  ASSERT_TRUE(LoadStartupBitmaps(base.path(), prompter, bitmaps)) << prompter.Transcript();
  EXPECT_TRUE(prompter.entries().empty());
  EXPECT_EQ(bitmaps.earth.Width(), 16);
  EXPECT_EQ(bitmaps.zoom.Width(), 8);
  EXPECT_FALSE(bitmaps.atmosphere.IsEmpty());
}

TEST_F(StartupBitmapsTest, AMissingTitanMapStopsAfterEarthAndMars) {
  std::filesystem::remove(base / "graphics" / "titan_gl.bmp");
  EXPECT_FALSE(LoadStartupBitmaps(base.path(), prompter, bitmaps));
  ASSERT_EQ(prompter.entries().size(), 1u);
  EXPECT_EQ(prompter.entries()[0].text, "Error opening file titan_gl.bmp");
  EXPECT_FALSE(bitmaps.earth.IsEmpty());
  EXPECT_FALSE(bitmaps.mars.IsEmpty());
  EXPECT_TRUE(bitmaps.atmosphere.IsEmpty());
}

TEST_F(StartupBitmapsTest, ADamagedPictureShowsTheReadersMessageThenItsOwn) {
  test::WriteFile(base / "graphics" / "mars.bmp", "BA not a bitmap");
  EXPECT_FALSE(LoadStartupBitmaps(base.path(), prompter, bitmaps));
  ASSERT_EQ(prompter.entries().size(), 2u) << prompter.Transcript();
  EXPECT_EQ(prompter.entries()[0].text, kMsgDibNotBm);
  EXPECT_EQ(prompter.entries()[1].text, "Error reading file mars.bmp");
  EXPECT_EQ(prompter.entries()[1].caption, "plumora");
}

}  // namespace
}  // namespace plumora::gui
