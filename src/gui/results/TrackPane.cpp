#include "gui/results/TrackPane.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "core/app/PlumoraDoc.h"
#include "gui/kit/DibImage.h"
#include "gui/kit/DrawingPainter.h"
#include "gui/kit/PrintPage.h"
#include "gui/logic/study/DocumentStudy.h"
#include "gui/logic/track/TrackLandings.h"

namespace plumora::gui {

namespace {

constexpr int kPrintSide = 800;  // units across the printed square

}  // namespace

const QImage& TrackPane::Picture() {
  const PlanetMap map = MapOfPlanet(host().document().mission.environment.planet);
  QImage& picture = pictures_[static_cast<std::size_t>(map)];
  if (picture.isNull()) {
    const StartupBitmaps& bitmaps = host().bitmaps();
    const CDIB& dib = map == PlanetMap::kEarth  ? bitmaps.earth
                      : map == PlanetMap::kMars ? bitmaps.mars
                                                : bitmaps.titan;
    picture = DibImage(dib);
  }
  return picture;
}

const QPixmap& TrackPane::Stretched(const QImage& picture, const QSize& size, qreal ratio) {
  // Stretched to the device's pixels, so that a screen scaled by 1.5 shows the map sharp.
  const QSize pixels = (QSizeF(size) * ratio).toSize();
  if (stretched_.size() != pixels || stretchedFrom_ != picture.cacheKey()) {
    stretched_ =
        QPixmap::fromImage(picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    stretched_.setDevicePixelRatio(ratio);
    stretchedFrom_ = picture.cacheKey();
  }
  return stretched_;
}

void TrackPane::Paint(QPainter& painter, const QSize& client) {
  const QImage& picture = Picture();
  if (picture.isNull()) {
    painter.fillRect(QRect(QPoint(0, 0), client), Qt::white);
  } else {
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    painter.drawPixmap(0, 0, Stretched(picture, client, ratio));
  }
  shown_ = host().animationIndex();
  DrawTrack(painter, client, shown_);
}

void TrackPane::DrawTrack(QPainter& painter, const QSize& size, int index) const {
  const CTrajectoryStore& store = host().document().results;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  if (host().viewState().trackEllipses) DrawLandings(painter, size);
  if (host().viewState().trackLine) {
    Draw(painter, TrackLine(store, 0, index, size.width(), size.height()), 1);
  }
  if (const std::optional<Rect> box = TrackMarker(store, index, size.width(), size.height())) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(ToQRect(*box));
  }
  painter.restore();
}

void TrackPane::DrawLandings(QPainter& painter, const QSize& size) const {
  const FlownStudy* study = FlownStudyOf(host().document());
  if (!study) return;
  const TrackLandings landings =
      LayoutTrackLandings(LandingCloudOf(study->outcome.records), LandingOf(study->nominal),
                          size.width(), size.height());
  Draw(painter, landings.points);
  Draw(painter, landings.threeSigma, 1);
  Draw(painter, landings.oneSigma, 1);
  Draw(painter, landings.nominalCross, 1);
}

void TrackPane::Print(QPrinter& printer) {
  QPainter painter(&printer);
  if (!painter.isActive()) return;
  const QRectF page = PageBelowHeader(painter, printer, PrintHeader());
  const int side = static_cast<int>(std::min(page.width(), page.height()));
  if (side < 1) return;
  painter.setViewport(static_cast<int>(page.width() - side) / 2, static_cast<int>(page.top()), side,
                      side);
  painter.setWindow(0, 0, kPrintSide, kPrintSide);
  const QRect square(0, 0, kPrintSide, kPrintSide);
  const QImage& picture = Picture();
  if (!picture.isNull()) painter.drawImage(square, picture);
  DrawTrack(painter, square.size(), host().animationIndex());
}

void TrackPane::AnimationStep(int index, bool playing) {
  const int from = shown_;
  shown_ = index;
  if (!playing) return;  // paused, the view repaints the whole pane
  const QSize client = host().clientSize();
  const std::optional<Rect> area =
      StepArea(host().document().results, from, index, host().viewState().trackLine, client.width(),
               client.height());
  if (area) host().RepaintArea(ToQRect(*area));
}

void TrackPane::ToggleTrackLine() {
  bool& line = host().viewState().trackLine;
  line = !line;
  host().Repaint();
}

void TrackPane::ToggleLandingEllipses() {
  bool& shown = host().viewState().trackEllipses;
  shown = !shown;
  host().Repaint();
}

}  // namespace plumora::gui
