#include "gui/logic/draw/SvgPicture.h"

#include <gtest/gtest.h>

#include "gui/logic/app/PictureExport.h"

namespace plumora::gui {
namespace {

TEST(SvgPictureTest, TextIsEscapedAndPicturesEncoded) {
  EXPECT_EQ(XmlEscaped("a<b & \"c\" > 'd'"), "a&lt;b &amp; &quot;c&quot; &gt; &apos;d&apos;");
  EXPECT_EQ(XmlEscaped("\xC2\xB0 ok\x01"), "\xC2\xB0 ok ");  // UTF-8 kept, controls blanked
  // RFC 4648's test vectors.
  EXPECT_EQ(Base64(""), "");
  EXPECT_EQ(Base64("f"), "Zg==");
  EXPECT_EQ(Base64("fo"), "Zm8=");
  EXPECT_EQ(Base64("foo"), "Zm9v");
  EXPECT_EQ(Base64("foobar"), "Zm9vYmFy");
  EXPECT_EQ(Base64(std::string("\xFF\x00\x80", 3)), "/wCA");
}

TEST(SvgPictureTest, ElementsStandWhereTheDrawingPutsThem) {
  SvgPicture svg(200, 100);
  svg.Fill({0, 0, 200, 100}, {180, 200, 180});
  svg.Add(std::vector<Segment>{{{1, 2}, {3, 4}, {255, 0, 16}}}, 2);
  svg.Add(std::vector<Polyline>{{{{0, 0}, {10, -5}, {20, 7}}, {0, 0, 255}}, {{}, {}}});
  const SvgFont font{"Arial", 14.0, 12.5, 3.0};
  svg.Add({{{50, 10}, "top <1>", Anchor::kCentreTop}, {{190, 90}, "bottom", Anchor::kRightBottom}},
          font);
  const std::string text = svg.Text();
  EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
  EXPECT_NE(text.find("width=\"200\" height=\"100\" viewBox=\"0 0 200 100\""), std::string::npos);
  EXPECT_NE(text.find("<rect x=\"0\" y=\"0\" width=\"200\" height=\"100\" fill=\"#b4c8b4\"/>"),
            std::string::npos);
  EXPECT_NE(text.find("<line x1=\"1\" y1=\"2\" x2=\"3\" y2=\"4\" fill=\"none\" "
                      "stroke=\"#ff0010\" stroke-width=\"2\"/>"),
            std::string::npos);
  EXPECT_NE(text.find("points=\"0,0 10,-5 20,7\""), std::string::npos);
  EXPECT_EQ(text.find("points=\"\""), std::string::npos) << "an empty line is left out";
  // A top edge puts the baseline an ascent down; a bottom edge a descent up.
  EXPECT_NE(text.find("<text x=\"50\" y=\"22.5\" text-anchor=\"middle\""), std::string::npos);
  EXPECT_NE(text.find(">top &lt;1&gt;</text>"), std::string::npos);
  EXPECT_NE(text.find("<text x=\"190\" y=\"87\" text-anchor=\"end\""), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 7), "</svg>\n");
}

TEST(PictureExportTest, TheFormatFollowsTheEndingAndSidesStayWithinLimits) {
  EXPECT_EQ(PictureFormatOf("chart.png"), PictureFormat::kPng);
  EXPECT_EQ(PictureFormatOf("/a/b/Chart.SVG"), PictureFormat::kSvg);
  EXPECT_EQ(PictureFormatOf("chart.jpg"), std::nullopt);
  EXPECT_EQ(PictureFormatOf("png"), std::nullopt);
  EXPECT_EQ(PictureFormatOf("folder.svg/chart"), std::nullopt);
  EXPECT_EQ(PictureSide(0), kMinPictureSide);
  EXPECT_EQ(PictureSide(640), 640);
  EXPECT_EQ(PictureSide(1 << 20), kMaxPictureSide);
  EXPECT_EQ(PictureFormatRefusal("/tmp/x.jpg"),
            "\"x.jpg\": a picture is written as PNG (.png) or SVG (.svg); name the file with one "
            "of these endings.");
}

}  // namespace
}  // namespace plumora::gui
