// The ground track: the map of the mission's planet stretched over the pane, the line of the
// flight so far and a marker at the sample the animation shows. Where things go is TrackLayout's.
// The map is kept as a picture of the pane's size, so a step of the playing animation repaints
// only the two markers and the stretch of line between them.
#pragma once

#include <QPixmap>
#include <array>

#include "gui/logic/track/TrackLayout.h"
#include "gui/results/ResultsPane.h"

namespace plumora::gui {

class TrackPane final : public ResultsPane {
 public:
  using ResultsPane::ResultsPane;

  DisplayMode mode() const override { return DisplayMode::k2DTrajectory; }
  void Paint(QPainter& painter, const QSize& client) override;
  // The map as a square, as large as the page allows, centred across it.
  void Print(QPrinter& printer) override;
  void AnimationStep(int index, bool playing) override;

  // The popup's "Show track line": the line on or off, the marker stays.
  void ToggleTrackLine();
  // The popup's "Show landing ellipses": the flown study's landings on the map, on or off.
  void ToggleLandingEllipses();

 private:
  // The picture of the mission's planet, made once per pane from the start-up pictures (null
  // until they are loaded).
  const QImage& Picture();
  // The picture stretched over an area of that size at the device's pixel ratio, kept until the
  // size, the ratio or the planet changes.
  const QPixmap& Stretched(const QImage& picture, const QSize& size, qreal ratio);
  // The line up to index and the marker of index, on a map of the given size.
  void DrawTrack(QPainter& painter, const QSize& size, int index) const;
  // The flown study's landing points and ellipses, when the document has one.
  void DrawLandings(QPainter& painter, const QSize& size) const;

  std::array<QImage, 3> pictures_;  // Earth, Mars, Titan
  QPixmap stretched_;
  qint64 stretchedFrom_ = 0;  // cache key of the picture stretched_ was made from
  int shown_ = -1;            // the sample whose marker is on the screen (or will be, once painted)
};

}  // namespace plumora::gui
