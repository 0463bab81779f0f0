#include "gui/kit/Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace plumora::gui {

namespace {

constexpr int kIconSize = 32;

const char* ThemeName(Artwork artwork) {
  switch (artwork) {
    case Artwork::kNew:
      return "document-new";
    case Artwork::kOpen:
      return "document-open";
    case Artwork::kSave:
      return "document-save";
    case Artwork::kPrint:
      return "document-print";
    case Artwork::kRun:
      return "system-run";
    case Artwork::kAbout:
      return "help-about";
    case Artwork::kPlay:
      return "media-playback-start";
    case Artwork::kPause:
      return "media-playback-pause";
    case Artwork::kToStart:
      return "media-skip-backward";
    case Artwork::kToEnd:
      return "media-skip-forward";
    case Artwork::kStepBack:
      return "media-seek-backward";
    case Artwork::kStepForward:
      return "media-seek-forward";
    case Artwork::kZoomToSelection:
      return "zoom-in";
    case Artwork::kZoomReset:
      return "zoom-original";
    case Artwork::kNone:
      break;
  }
  return "";
}

void Triangle(QPainter& p, double x, double pointing) {
  // A play triangle of width 10 starting at x, pointing right (+1) or left (−1).
  QPolygonF t;
  const double tip = x + 10 * pointing;
  t << QPointF(x, 8) << QPointF(x, 24) << QPointF(tip, 16);
  p.drawPolygon(t);
}

void Magnifier(QPainter& p, bool plus) {
  p.setPen(QPen(QColor(50, 50, 50), 3));
  p.setBrush(QColor(180, 215, 245));
  p.drawEllipse(QPointF(13, 13), 8, 8);
  p.setPen(QPen(QColor(120, 70, 30), 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(19, 19), QPointF(28, 28));
  p.setPen(QPen(QColor(30, 30, 30), 2));
  p.drawLine(QPointF(9, 13), QPointF(17, 13));
  if (plus) p.drawLine(QPointF(13, 9), QPointF(13, 17));
}

QPixmap Draw(Artwork artwork) {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ink(40, 40, 40);
  p.setPen(QPen(ink, 1.5));
  switch (artwork) {
    case Artwork::kNew: {
      QPolygonF page;
      page << QPointF(7, 3) << QPointF(19, 3) << QPointF(25, 9) << QPointF(25, 29)
           << QPointF(7, 29);
      p.setBrush(Qt::white);
      p.drawPolygon(page);
      p.drawPolyline(QPolygonF() << QPointF(19, 3) << QPointF(19, 9) << QPointF(25, 9));
      break;
    }
    case Artwork::kOpen:
      p.setBrush(QColor(230, 190, 90));
      p.drawRect(QRectF(3, 9, 24, 18));
      p.drawRect(QRectF(3, 6, 10, 4));
      p.setBrush(QColor(250, 215, 120));
      p.drawPolygon(QPolygonF() << QPointF(6, 14) << QPointF(30, 14) << QPointF(27, 27)
                                << QPointF(3, 27));
      break;
    case Artwork::kSave:
      p.setBrush(QColor(60, 90, 160));
      p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(9, 4, 14, 9));
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(QRectF(8, 18, 16, 10));
      break;
    case Artwork::kPrint:
      p.setBrush(Qt::white);
      p.drawRect(QRectF(9, 3, 14, 10));
      p.setBrush(QColor(150, 150, 150));
      p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(9, 20, 14, 9));
      break;
    case Artwork::kRun:
      p.setBrush(QColor(40, 160, 60));
      p.drawPolygon(QPolygonF() << QPointF(9, 5) << QPointF(9, 27) << QPointF(27, 16));
      break;
    case Artwork::kAbout:
      p.setBrush(QColor(60, 110, 200));
      p.drawEllipse(QRectF(3, 3, 26, 26));
      p.setPen(Qt::white);
      p.setFont(QFont("Arial", 16, QFont::Bold));
      p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, "?");
      break;
    case Artwork::kPlay:
      p.setBrush(ink);
      Triangle(p, 11, 1);
      break;
    case Artwork::kPause:
      p.setBrush(ink);
      p.drawRect(QRectF(10, 8, 4, 16));
      p.drawRect(QRectF(18, 8, 4, 16));
      break;
    case Artwork::kToStart:
      p.setBrush(ink);
      p.drawRect(QRectF(8, 8, 3, 16));
      Triangle(p, 23, -1);
      break;
    case Artwork::kToEnd:
      p.setBrush(ink);
      Triangle(p, 9, 1);
      p.drawRect(QRectF(21, 8, 3, 16));
      break;
    case Artwork::kStepBack:
      p.setBrush(ink);
      Triangle(p, 16, -1);
      Triangle(p, 26, -1);
      break;
    case Artwork::kStepForward:
      p.setBrush(ink);
      Triangle(p, 6, 1);
      Triangle(p, 16, 1);
      break;
    case Artwork::kZoomToSelection:
      Magnifier(p, true);
      break;
    case Artwork::kZoomReset:
      Magnifier(p, false);
      break;
    case Artwork::kNone:
      break;
  }
  return pixmap;
}

// The descent: a parachute canopy, its lines and the capsule below it, in a box of w × h.
void DrawDescent(QPainter& p, double w, double h) {
  QLinearGradient sky(0, 0, 0, h);
  sky.setColorAt(0.0, QColor(10, 20, 70));
  sky.setColorAt(0.6, QColor(70, 130, 210));
  sky.setColorAt(1.0, QColor(200, 225, 245));
  p.fillRect(QRectF(0, 0, w, h), sky);
  const double cx = w / 2, top = 0.18 * h, r = 0.3 * w;
  QPainterPath canopy;
  canopy.moveTo(cx - r, top + 0.12 * h);
  canopy.cubicTo(cx - r, top - 0.06 * h, cx + r, top - 0.06 * h, cx + r, top + 0.12 * h);
  canopy.closeSubpath();
  p.setPen(QPen(QColor(120, 20, 20), 1.5));
  p.setBrush(QColor(235, 80, 40));
  p.drawPath(canopy);
  const QPointF capsule(cx, 0.62 * h);
  p.setPen(QPen(QColor(230, 230, 230), 1));
  for (double f : {-1.0, -0.5, 0.0, 0.5, 1.0}) {
    p.drawLine(QPointF(cx + f * r, top + 0.12 * h), capsule);
  }
  QPolygonF body;
  const double s = 0.09 * w;
  body << QPointF(cx - 0.5 * s, capsule.y()) << QPointF(cx + 0.5 * s, capsule.y())
       << QPointF(cx + 1.2 * s, capsule.y() + s) << QPointF(cx - 1.2 * s, capsule.y() + s);
  p.setPen(QPen(QColor(40, 40, 40), 1));
  p.setBrush(QColor(190, 190, 200));
  p.drawPolygon(body);
  p.setBrush(QColor(90, 60, 40));
  p.drawRect(QRectF(cx - 1.2 * s, capsule.y() + s, 2.4 * s, 0.25 * s));
}

}  // namespace

QIcon ArtworkIcon(Artwork artwork) {
  return QIcon::fromTheme(QString::fromLatin1(ThemeName(artwork)), QIcon(Draw(artwork)));
}

QPixmap SplashPicture() {
  QPixmap pixmap(300, 400);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  DrawDescent(p, 300, 400);
  p.setPen(Qt::white);
  QFont title("Arial");
  title.setPixelSize(40);
  title.setBold(true);
  p.setFont(title);
  p.drawText(QRectF(0, 300, 300, 50), Qt::AlignCenter, "plumora");
  QFont line("Arial");
  line.setPixelSize(13);
  p.setFont(line);
  p.setPen(QColor(20, 30, 60));
  p.drawText(QRectF(0, 350, 300, 30), Qt::AlignCenter, "Entry and parachute descent");
  return pixmap;
}

QPixmap MissionPlanPicture() {
  QPixmap pixmap(120, 120);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  DrawDescent(p, 120, 120);
  return pixmap;
}

}  // namespace plumora::gui
