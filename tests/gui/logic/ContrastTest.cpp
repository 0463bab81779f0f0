// Contrast of the colours the panes and plots draw against what they draw them on.
#include <gtest/gtest.h>

#include "gui/logic/chart/ChartLayout.h"
#include "gui/logic/draw/Contrast.h"
#include "gui/logic/table/TableLayout.h"
#include "gui/logic/viewers/AeroPlot.h"
#include "gui/logic/viewers/AtmospherePlot.h"

namespace plumora::gui {
namespace {

constexpr Colour kWhite{255, 255, 255};

TEST(Contrast, LuminanceAndRatioFollowTheSrgbFormulas) {
  EXPECT_DOUBLE_EQ(RelativeLuminance(kBlack), 0.0);
  EXPECT_DOUBLE_EQ(RelativeLuminance(kWhite), 1.0);
  EXPECT_NEAR(RelativeLuminance({0, 255, 0}), 0.7152, 1e-12);
  // Mid grey: 128 is 0.2159 once linear, far from half.
  EXPECT_NEAR(RelativeLuminance({128, 128, 128}), 0.2159, 1e-4);
  EXPECT_DOUBLE_EQ(ContrastRatio(kBlack, kWhite), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(kWhite, kBlack), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio({12, 34, 56}, {12, 34, 56}), 1.0);
  // The green descent curve on the chart's background.
  EXPECT_NEAR(ContrastRatio({0, 255, 0}, kChartBackground), 1.29, 0.01);
}

TEST(Contrast, AColourTooFaintBecomesTheNearestShadeOrTintThatStandsOut) {
  // Readable already: kept.
  EXPECT_EQ(ReadableColour({0, 0, 255}, {kChartBackground}), (Colour{0, 0, 255}));
  // Green on a light grey: darker green, just dark enough.
  const Colour green = ReadableColour({0, 255, 0}, {kChartBackground});
  EXPECT_EQ(green.r, 0);
  EXPECT_EQ(green.b, 0);
  EXPECT_GE(ContrastRatio(green, kChartBackground), kReadableContrast);
  EXPECT_LT(ContrastRatio({0, static_cast<std::uint8_t>(green.g + 2), 0}, kChartBackground),
            kReadableContrast);
  // Blue on deep space cannot get darker: it gets lighter, keeping its hue.
  const Colour blue = ReadableColour({0, 0, 255}, {kSkyTop});
  EXPECT_EQ(blue.r, blue.g);
  EXPECT_GT(blue.r, 0);
  EXPECT_EQ(blue.b, 255);
  EXPECT_GE(ContrastRatio(blue, kSkyTop), kReadableContrast);
  // Against both ends of a gradient at once; and nothing stands out against black and white.
  const Colour red = ReadableColour({255, 0, 0}, {kSkyTop, kSkyBottom});
  EXPECT_GE(ContrastRatio(red, kSkyTop), kReadableContrast);
  EXPECT_GE(ContrastRatio(red, kSkyBottom), kReadableContrast);
  EXPECT_EQ(ReadableColour({255, 0, 0}, {kBlack, kWhite}), (Colour{255, 0, 0}));
}

// Each colour drawn is the readable one of the colour it was chosen as.
TEST(Contrast, EveryCurveAndTextStandsOutAgainstItsBackground) {
  EXPECT_EQ(*PhaseColour(0), ReadableColour({255, 0, 0}, {kChartBackground}));
  EXPECT_EQ(*PhaseColour(1), ReadableColour({0, 0, 255}, {kChartBackground}));
  EXPECT_EQ(*PhaseColour(2), ReadableColour({0, 255, 255}, {kChartBackground}));
  EXPECT_EQ(*PhaseColour(3), ReadableColour({0, 255, 0}, {kChartBackground}));
  EXPECT_EQ(kChartCursor, ReadableColour({0, 255, 255}, {kChartBackground}));
  EXPECT_EQ(kChartCrossHair, ReadableColour({255, 0, 0}, {kChartBackground}));
  EXPECT_GE(ContrastRatio(kChartInk, kChartBackground), kReadableContrast);

  EXPECT_EQ(GroupColour(ColumnGroup::kCommon), ReadableColour({128, 0, 0}, {kTableBackground}));
  EXPECT_EQ(GroupColour(ColumnGroup::kPayload), ReadableColour({0, 128, 0}, {kTableBackground}));
  EXPECT_EQ(GroupColour(ColumnGroup::kParachute), ReadableColour({0, 0, 128}, {kTableBackground}));

  const std::array<Colour, kCoefficientCount> chosen = {
      {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {0, 255, 255}, {255, 0, 255}}};
  for (int j = 0; j < kCoefficientCount; ++j) {
    EXPECT_EQ(kCoefficientColours[j], ReadableColour(chosen[j], {kAeroPlotBackground})) << j;
  }
  EXPECT_EQ(kAtmosphereCurveColour, ReadableColour({255, 0, 0}, {kSkyTop, kSkyBottom}));
  EXPECT_EQ(kFreezingLineColour, ReadableColour({0, 0, 255}, {kSkyTop, kSkyBottom}));
  EXPECT_EQ(kReadoutColour,
            ReadableColour({150, 150, 0}, {kAeroPlotBackground, kSkyTop, kSkyBottom}));
}

}  // namespace
}  // namespace plumora::gui
