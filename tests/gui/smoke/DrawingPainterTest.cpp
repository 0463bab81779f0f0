// The painter of the drawing vocabulary, on a QImage: where each shape lands, in which colour.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "Pixels.h"
#include "gui/kit/DrawingPainter.h"

namespace plumora::gui {
namespace {

using smoke::Count;

const QColor kWhite(255, 255, 255);

QImage Blank() {
  QImage image(120, 80, QImage::Format_RGB32);
  image.fill(kWhite);
  return image;
}

// The box of every pixel that is not white.
QRect Inked(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) != kWhite) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

QImage Text(const AnchoredText& text, TextPlacement placement = TextPlacement::kExact) {
  QImage image = Blank();
  QPainter painter(&image);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(20);
  painter.setFont(font);
  Draw(painter, text, placement);
  return image;
}

TEST(DrawingPainter, LinesLandOnTheirPixelsInTheirColour) {
  QImage image = Blank();
  {
    QPainter painter(&image);
    Draw(painter, Segment{{10, 10}, {10, 30}, {255, 0, 0}});
    Draw(painter, Polyline{{{40, 10}, {40, 30}, {70, 30}}, {0, 0, 255}});
  }
  // A one-unit segment covers its column, both ends included, and nothing beside it.
  EXPECT_EQ(Count(image, QColor(255, 0, 0)), 21);
  EXPECT_EQ(Inked(image.copy(0, 0, 30, 80)), QRect(10, 10, 1, 21));
  // The polyline's two legs meet at the corner.
  EXPECT_EQ(Count(image, QColor(0, 0, 255)), 21 + 30);
  EXPECT_EQ(image.pixelColor(40, 30), QColor(0, 0, 255));
  EXPECT_EQ(image.pixelColor(70, 30), QColor(0, 0, 255));
  EXPECT_EQ(image.pixelColor(41, 29), kWhite);

  // Wider pens and dotted lines.
  QImage wide = Blank();
  {
    QPainter painter(&wide);
    Draw(painter, Segment{{10, 40}, {60, 40}, {0, 128, 0}}, 3);
    Draw(painter, Polyline{{{10, 70}, {100, 70}}, {0, 0, 0}}, 1, Qt::DotLine);
  }
  EXPECT_EQ(wide.pixelColor(30, 39), QColor(0, 128, 0));
  EXPECT_EQ(wide.pixelColor(30, 41), QColor(0, 128, 0));
  const int dots = Count(wide, QColor(0, 0, 0), QRect(10, 70, 91, 1));
  EXPECT_GT(dots, 30);
  EXPECT_LT(dots, 70);
}

TEST(DrawingPainter, FilledRectanglesCoverExactlyTheirUnits) {
  QImage image = Blank();
  {
    QPainter painter(&image);
    Fill(painter, {5, 6, 20, 10}, {140, 140, 140});
  }
  EXPECT_EQ(Inked(image), QRect(5, 6, 20, 10));
  EXPECT_EQ(Count(image, QColor(140, 140, 140)), 200);
}

TEST(DrawingPainter, TextsSitOnTheSideOfTheirAnchorThatTheAnchorSays) {
  const Point at{60, 40};
  const QRect leftTop = Inked(Text({at, "Hg", Anchor::kLeftTop, {200, 0, 0}}));
  EXPECT_GE(leftTop.left(), 60);
  EXPECT_LE(leftTop.left(), 63);
  EXPECT_GE(leftTop.top(), 40);
  EXPECT_LE(leftTop.top(), 46);

  const QRect rightBottom = Inked(Text({at, "Hg", Anchor::kRightBottom}));
  EXPECT_LT(rightBottom.right(), 60);
  EXPECT_GE(rightBottom.right(), 56);
  EXPECT_LT(rightBottom.bottom(), 40);
  EXPECT_GE(rightBottom.bottom(), 34);
  EXPECT_EQ(rightBottom.size(), leftTop.size());

  const QRect rightTop = Inked(Text({at, "Hg", Anchor::kRightTop}));
  EXPECT_EQ(rightTop.right(), rightBottom.right());
  EXPECT_EQ(rightTop.top(), leftTop.top());
  const QRect leftBottom = Inked(Text({at, "Hg", Anchor::kLeftBottom}));
  EXPECT_EQ(leftBottom.left(), leftTop.left());
  EXPECT_EQ(leftBottom.bottom(), rightBottom.bottom());

  // Centred texts straddle the anchor, above or below it; a pixel box centres them too.
  for (TextPlacement placement : {TextPlacement::kExact, TextPlacement::kPixelBox}) {
    const QRect top = Inked(Text({at, "HHHH", Anchor::kCentreTop}, placement));
    EXPECT_NEAR(top.center().x(), 60, 2);
    EXPECT_GE(top.top(), 40);
    const QRect bottom = Inked(Text({at, "HHHH", Anchor::kCentreBottom}, placement));
    EXPECT_NEAR(bottom.center().x(), 60, 2);
    EXPECT_LT(bottom.bottom(), 40);
  }

  // In its own colour, whatever the pen was.
  const QImage red = Text({at, "Hg", Anchor::kLeftTop, {200, 0, 0}});
  EXPECT_GT(Count(red, QColor(200, 0, 0)), 10);
}

}  // namespace
}  // namespace plumora::gui
