#include <gtest/gtest.h>

#include "Pictures.h"

namespace plumora::tools {
namespace {

double Brightness(const Rgb& c) {
  return (c.r + c.g + c.b) / 3.0;
}

TEST(PicturesTest, BitmapBytesHaveTheRightHeaderAndPadding) {
  Picture p(5, 3);
  p.at(0, 2) = {1, 2, 3};  // bottom-left: the first pixel stored
  const std::string bytes = BmpBytes(p);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(bytes.size(), 54u + 3 * 16);                // 15 bytes a row, padded to 16
  EXPECT_EQ(static_cast<unsigned char>(bytes[54]), 3);  // blue first
  EXPECT_EQ(static_cast<unsigned char>(bytes[56]), 1);
}

TEST(PicturesTest, DownscalingAveragesWholeBlocks) {
  Picture p(4, 2);
  p.at(0, 0) = {100, 0, 0};
  p.at(1, 0) = {200, 0, 0};
  p.at(0, 1) = {0, 0, 0};
  p.at(1, 1) = {101, 0, 255};
  const Picture half = Downscale(p, 2, 1);
  EXPECT_EQ(half.at(0, 0), (Rgb{100, 0, 64}));
  EXPECT_EQ(half.at(1, 0), (Rgb{0, 0, 0}));
}

TEST(PicturesTest, NoiseIsRepeatableSmoothAndInRange) {
  const double a = FractalNoise(0.3, 0.7, -0.2, 6, 5);
  EXPECT_EQ(a, FractalNoise(0.3, 0.7, -0.2, 6, 5));
  EXPECT_NE(a, FractalNoise(0.3, 0.7, -0.2, 6, 6));
  EXPECT_NEAR(a, FractalNoise(0.3001, 0.7, -0.2, 6, 5), 0.01);
  for (int i = 0; i < 1000; ++i) {
    const double v = FractalNoise(i * 0.37, i * -0.11, i * 0.05, 5, 1);
    ASSERT_GE(v, 0.0);
    ASSERT_LE(v, 1.0);
  }
}

TEST(PicturesTest, MarsHasWhitePolesAndARustyMiddle) {
  const Picture mars = MarsMap(128, 64);
  double top = 0, middle = 0, redness = 0;
  for (int x = 0; x < 128; ++x) {
    top += Brightness(mars.at(x, 0));
    middle += Brightness(mars.at(x, 32));
    redness += mars.at(x, 32).r - mars.at(x, 32).b;
  }
  EXPECT_GT(top / 128, 230.0);
  EXPECT_LT(middle / 128, 180.0);
  EXPECT_GT(redness / 128, 60.0);
  // The map wraps: the two edge columns are neighbours on the sphere.
  EXPECT_NEAR(Brightness(mars.at(0, 30)), Brightness(mars.at(127, 30)), 40.0);
}

TEST(PicturesTest, TitanIsOrangeAndTheSkyDarkensUpwards) {
  const Picture titan = TitanMap(64, 32);
  for (const Rgb& c : titan.pixels) {
    ASSERT_GT(c.r, c.g);
    ASSERT_GT(c.g, c.b);
  }
  const Picture sky = AtmosphereGradient(4, 100);
  EXPECT_LT(Brightness(sky.at(0, 0)), 30.0);
  EXPECT_GT(Brightness(sky.at(0, 99)), 200.0);
}

}  // namespace
}  // namespace plumora::tools
