#include <gtest/gtest.h>

#include "Pictures.h"
#include "core/common/Messages.h"
#include "gui/logic/snapshot/StartupBitmaps.h"
#include "support/TestFiles.h"

namespace plumora::gui {
namespace {

void WritePictures(const test::TempDir& base) {
  const std::string bmp = tools::BmpBytes(tools::ZoomMark(8));
  for (std::string_view name : kStartupPictureFiles) {
    test::WriteFile(base / "graphics" / std::string(name), bmp);
  }
}

TEST(StartupBitmapsTest, AllFiveLoadInOrder) {
  test::TempDir base;
  WritePictures(base);
  test::WriteFile(base / "graphics" / "earth_gl.bmp", tools::BmpBytes(tools::MarsMap(16, 8)));
  RecordingPrompter prompter;
  StartupBitmaps bitmaps;
  ASSERT_TRUE(LoadStartupBitmaps(base.path(), prompter, bitmaps)) << prompter.Transcript();
  EXPECT_TRUE(prompter.entries().empty());
  EXPECT_EQ(bitmaps.earth.Width(), 16);
  EXPECT_EQ(bitmaps.zoom.Width(), 8);
  EXPECT_FALSE(bitmaps.atmosphere.IsEmpty());
}

TEST(StartupBitmapsTest, AMissingTitanMapStopsAfterEarthAndMars) {
  test::TempDir base;
  WritePictures(base);
  std::filesystem::remove(base / "graphics" / "titan_gl.bmp");
  RecordingPrompter prompter;
  StartupBitmaps bitmaps;
  EXPECT_FALSE(LoadStartupBitmaps(base.path(), prompter, bitmaps));
  ASSERT_EQ(prompter.entries().size(), 1u);
  EXPECT_EQ(prompter.entries()[0].text, "Error opening file titan_gl.bmp");
  EXPECT_FALSE(bitmaps.earth.IsEmpty());
  EXPECT_FALSE(bitmaps.mars.IsEmpty());
  EXPECT_TRUE(bitmaps.atmosphere.IsEmpty());
}

TEST(StartupBitmapsTest, ADamagedPictureShowsTheReadersMessageThenItsOwn) {
  test::TempDir base;
  WritePictures(base);
  test::WriteFile(base / "graphics" / "mars.bmp", "BA not a bitmap");
  RecordingPrompter prompter;
  StartupBitmaps bitmaps;
  EXPECT_FALSE(LoadStartupBitmaps(base.path(), prompter, bitmaps));
  ASSERT_EQ(prompter.entries().size(), 2u) << prompter.Transcript();
  EXPECT_EQ(prompter.entries()[0].text, kMsgDibNotBm);
  EXPECT_EQ(prompter.entries()[1].text, "Error reading file mars.bmp");
  EXPECT_EQ(prompter.entries()[1].caption, "plumora");
}

}  // namespace
}  // namespace plumora::gui
