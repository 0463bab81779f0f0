// The chart of one result quantity against another, for the payload or the parachute, the curve
// coloured by each sample's phase. Every full paint leaves the finished chart in a snapshot;
// the mouse's cross-hair, the selection band and the cursor of the playing animation are drawn
// over a copy of it and never redraw the chart. Where things go is ChartLayout's.
#pragma once

#include <QImage>
#include <QPixmap>
#include <optional>
#include <vector>

#include "gui/logic/chart/ChartLayout.h"
#include "gui/results/ResultsPane.h"

namespace plumora::gui {

// What a chart drawing leaves for the mouse and the cursors.
struct DrawnChart {
  ChartLayout layout;
  std::vector<int> sampleAtColumn;
};

// How the chart is drawn on a medium: its unit (1 on the screen, tenths of a millimetre on
// paper), text height and pen width in that unit, whether the background is filled, and units
// per pixel of the zoom mark.
struct ChartMedium {
  int unit = 1;
  int fontHeight = 14;
  int penWidth = 1;
  bool screen = true;
  double pictureScale = 1.0;
};
ChartMedium ScreenChart(const QSize& area);
ChartMedium PaperChart();

// Draws the whole chart of the store over area (in the painter's units); none, after "No data
// available" at the corner, for an empty store.
std::optional<DrawnChart> DrawChart(QPainter& painter, const ResultsSource& source,
                                    const ResultsViewState& state, const QSize& area,
                                    const ChartMedium& medium, const QImage& zoomPicture);

class ChartPane final : public ResultsPane {
 public:
  using ResultsPane::ResultsPane;

  DisplayMode mode() const override { return DisplayMode::kChart; }
  void Paint(QPainter& painter, const QSize& client) override;
  // The chart on one page, without touching what the screen's read-out and zoom use.
  void Print(QPrinter& printer) override;
  // The chart at another size, leaving the screen's drawing as it is; and as lines and texts.
  QImage Snapshot(const QSize& size) override;
  std::string SnapshotSvg(const QSize& size) override;

  PaneReadout MouseMove(const QPoint& pos, Qt::MouseButtons buttons) override;
  void MousePress(const QPoint& pos, Qt::MouseButton button) override;
  void MouseRelease(const QPoint& pos, Qt::MouseButton button) override;

  // Playing: the dotted cursor over the snapshot. Paused: a full paint, which draws the solid
  // cursor at the animation's sample.
  void AnimationStep(int index, bool playing) override;
  void Layout() override;
  void ZoomToSelection() override;
  void ResetZoom() override;

  // The layout of the last full paint on the screen (none before one, or without results).
  const std::optional<DrawnChart>& drawn() const { return drawn_; }
  bool HasSelection() const { return !noSelection_; }

 private:
  void RedrawChart(const QSize& client, qreal pixelRatio);
  void DrawOverlay(QPainter& painter) const;
  // Where the overlay is drawn now: the strips of its lines and of the band's frame.
  QRegion OverlayRegion() const;
  // The overlay changed from what covered `before`: only those strips are painted again.
  void RepaintOverlay(const QRegion& before);
  // The chart itself changed.
  void Invalidate();
  const QImage& ZoomPicture();
  // The results the chart reads, with the derived quantities when it shows one.
  ResultsSource Source() const;
  // The solid cursor of the paused animation's sample (none at the first sample, or playing).
  std::optional<ChartCursorLines> PausedCursor(const ResultsSource& source,
                                               const ChartLayout& layout) const;

  QPixmap snapshot_;
  std::optional<DrawnChart> drawn_;
  bool chartDirty_ = true;  // the chart itself must be drawn again
  QImage zoomPicture_;      // made once from the start-up picture, once that is loaded

  std::optional<ChartCursorLines> crossHair_;
  std::optional<int> playingCursor_;
  bool dragging_ = false;
  bool noSelection_ = true;
  int selectionStart_ = 0;
  int selectionEnd_ = 0;
};

}  // namespace plumora::gui
