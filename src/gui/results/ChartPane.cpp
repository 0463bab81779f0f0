#include "gui/results/ChartPane.h"

#include <QPainter>
#include <QPrinter>
#include <cmath>

#include "core/app/PlumoraDoc.h"
#include "gui/kit/DibImage.h"
#include "gui/kit/DrawingPainter.h"
#include "gui/kit/PrintPage.h"
#include "gui/kit/QtColour.h"
#include "gui/logic/snapshot/StartupBitmaps.h"

namespace plumora::gui {

namespace {

// On paper the lines are 0.2 mm wide and a picture's pixel is a quarter of a millimetre.
constexpr int kPaperPenWidth = 2;
constexpr double kPaperPictureScale = 2.5;

// Arial whose lines are the given height (ascent and descent together), not its em.
QFont ChartFont(int lineHeight) {
  QFont font("Arial");
  font.setPixelSize(lineHeight);
  const int natural = QFontMetrics(font).height();
  if (natural > lineHeight) {
    font.setPixelSize(std::max(1, lineHeight * lineHeight / natural));
  }
  return font;
}

void DrawCursorLines(QPainter& painter, const ChartCursorLines& lines, Colour colour,
                     Qt::PenStyle style, int width) {
  Draw(painter, Polyline{{lines.foot, lines.corner, lines.end}, colour}, width, style);
}

}  // namespace

ChartMedium ScreenChart(const QSize& area) {
  return {1, ChartFontPixels(area.width(), area.height()), 1, true, 1.0};
}

ChartMedium PaperChart() {
  return {kChartPrintUnit, kChartPrintFontHeight, kPaperPenWidth, false, kPaperPictureScale};
}

namespace {

// The chart's lines and texts, before anything is drawn.
struct ChartPicture {
  DrawnChart drawn;
  ChartFrame frame;
  std::vector<Polyline> runs;
};

ChartPicture LayOutChartPicture(const QFontMetrics& metrics, const ResultsSource& source,
                                const ResultsViewState& state, const QSize& area,
                                const ChartMedium& medium) {
  const ChartExtents extents = ChartExtentsFor(source, state);
  const TextWidth textWidth = [&metrics](const std::string& text) {
    return metrics.horizontalAdvance(QString::fromStdString(text));
  };
  ChartGeometry geometry;
  geometry.width = area.width();
  geometry.height = area.height();
  geometry.textWidth = YLabelWidth(extents, textWidth);
  geometry.textHeight = metrics.height();
  geometry.unit = medium.unit;
  ChartPicture picture{{LayoutChart(extents, geometry), {}}, {}, {}};
  picture.frame = LayoutChartFrame(picture.drawn.layout, textWidth);
  ChartCurve curve = TraceChartCurve(source, picture.drawn.layout);
  picture.runs = std::move(curve.runs);
  picture.drawn.sampleAtColumn = std::move(curve.sampleAtColumn);
  return picture;
}

// Where the zoom mark goes: the bottom-right corner, unscaled on the screen.
QRect ZoomMarkArea(const QImage& zoomPicture, const QSize& area, const ChartMedium& medium) {
  const QSize size = (QSizeF(zoomPicture.size()) * medium.pictureScale).toSize();
  return QRect(QPoint(area.width() - size.width(), area.height() - size.height()), size);
}

}  // namespace

std::optional<DrawnChart> DrawChart(QPainter& painter, const ResultsSource& source,
                                    const ResultsViewState& state, const QSize& area,
                                    const ChartMedium& medium, const QImage& zoomPicture) {
  painter.save();
  painter.setFont(ChartFont(medium.fontHeight));
  if (source.LastIndex() < 0) {
    Draw(painter, AnchoredText{{0, 0}, std::string(kNoDataAvailable), Anchor::kLeftTop, kChartInk});
    painter.restore();
    return std::nullopt;
  }
  ChartPicture picture = LayOutChartPicture(painter.fontMetrics(), source, state, area, medium);
  if (medium.screen) Fill(painter, {0, 0, area.width(), area.height()}, kChartBackground);
  Draw(painter, picture.frame.grid, medium.penWidth);
  Draw(painter, picture.frame.lines, medium.penWidth);
  Draw(painter, picture.frame.texts);
  Draw(painter, picture.runs, medium.penWidth);
  if (picture.drawn.layout.extents.zoomed && !zoomPicture.isNull()) {
    painter.drawImage(ZoomMarkArea(zoomPicture, area, medium), zoomPicture);
  }
  painter.restore();
  return std::move(picture.drawn);
}

// --- Painting ----------------------------------------------------------------------------------

void ChartPane::Paint(QPainter& painter, const QSize& client) {
  const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
  // Only what changes the chart redraws it; anything else (the overlay moved, the window was
  // uncovered, the pane became active) shows the snapshot again.
  if (chartDirty_ || snapshot_.deviceIndependentSize() != QSizeF(client) ||
      snapshot_.devicePixelRatio() != ratio) {
    RedrawChart(client, ratio);
  }
  painter.drawPixmap(0, 0, snapshot_);
  DrawOverlay(painter);
}

QImage ChartPane::Snapshot(const QSize& size) {
  // Drawn apart from the screen's snapshot, whose layout the mouse and the zoom read.
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  PreparePanePainter(painter);
  const ResultsSource source = Source();
  const std::optional<DrawnChart> drawn =
      DrawChart(painter, source, host().viewState(), size, ScreenChart(size), ZoomPicture());
  if (const auto cursor = drawn ? PausedCursor(source, drawn->layout) : std::nullopt) {
    DrawCursorLines(painter, *cursor, kChartCursor, Qt::SolidLine, 1);
  }
  return image;
}

std::string ChartPane::SnapshotSvg(const QSize& size) {
  SvgPicture svg(size.width(), size.height());
  svg.Fill({0, 0, size.width(), size.height()}, {255, 255, 255});
  const ChartMedium medium = ScreenChart(size);
  const QFont font = ChartFont(medium.fontHeight);
  const SvgFont svgFont = SvgFontOf(font);
  const ResultsSource source = Source();
  if (source.LastIndex() < 0) {
    svg.Add({AnchoredText{{0, 0}, std::string(kNoDataAvailable), Anchor::kLeftTop, kChartInk}},
            svgFont);
    return svg.Text();
  }
  const ChartPicture picture =
      LayOutChartPicture(QFontMetrics(font), source, host().viewState(), size, medium);
  svg.Fill({0, 0, size.width(), size.height()}, kChartBackground);
  svg.Add(picture.frame.grid);
  svg.Add(picture.frame.lines);
  svg.Add(picture.frame.texts, svgFont);
  svg.Add(picture.runs);
  const QImage& zoomPicture = ZoomPicture();
  if (picture.drawn.layout.extents.zoomed && !zoomPicture.isNull()) {
    const QRect r = ZoomMarkArea(zoomPicture, size, medium);
    svg.AddPng({r.left(), r.top(), r.width(), r.height()}, PngBytes(zoomPicture));
  }
  if (const auto cursor = PausedCursor(source, picture.drawn.layout)) {
    svg.Add({Polyline{{cursor->foot, cursor->corner, cursor->end}, kChartCursor}});
  }
  return svg.Text();
}

std::optional<ChartCursorLines> ChartPane::PausedCursor(const ResultsSource& source,
                                                        const ChartLayout& layout) const {
  const int index = host().animationIndex();
  if (host().animationPlaying() || index == 0) return std::nullopt;
  return ChartCursor(source, layout, index);
}

void ChartPane::RedrawChart(const QSize& client, qreal pixelRatio) {
  chartDirty_ = false;
  // A repaint drops the band and the cross-hair; the playing cursor goes with the playing.
  noSelection_ = true;
  crossHair_.reset();
  if (!host().animationPlaying()) playingCursor_.reset();
  drawn_.reset();
  snapshot_ = QPixmap();
  if (client.isEmpty()) return;  // a pane folded away by its splitter
  snapshot_ = QPixmap((QSizeF(client) * pixelRatio).toSize());
  snapshot_.setDevicePixelRatio(pixelRatio);
  snapshot_.fill(Qt::white);
  QPainter painter(&snapshot_);
  // Between whole pixel ratios a one-unit line falls on one or two pixels by turns: smoothed,
  // it stays even.
  if (pixelRatio != std::floor(pixelRatio)) painter.setRenderHint(QPainter::Antialiasing);
  const ResultsSource store = Source();
  drawn_ =
      DrawChart(painter, store, host().viewState(), client, ScreenChart(client), ZoomPicture());
  // The paused animation's sample is part of the picture.
  if (const auto cursor = drawn_ ? PausedCursor(store, drawn_->layout) : std::nullopt) {
    DrawCursorLines(painter, *cursor, kChartCursor, Qt::SolidLine, 1);
  }
}

void ChartPane::DrawOverlay(QPainter& painter) const {
  if (!drawn_) return;
  painter.save();
  painter.setBrush(Qt::NoBrush);
  if (playingCursor_) {
    if (const auto cursor = ChartCursor(Source(), drawn_->layout, *playingCursor_)) {
      DrawCursorLines(painter, *cursor, kChartCursor, Qt::DotLine, 1);
    }
  }
  if (crossHair_) {
    DrawCursorLines(painter, *crossHair_, kChartCrossHair, Qt::SolidLine, 1);
  }
  if (!noSelection_) {
    // A one-pixel frame in the hatched grey brush, its gaps white.
    const ChartBand band = SelectionBand(drawn_->layout, selectionStart_, selectionEnd_);
    const QRect r(ToQPoint(band.topLeft), ToQPoint(band.bottomRight));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    const QBrush hatch(ToQColor(kChartBand), Qt::FDiagPattern);
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), hatch);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), hatch);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), hatch);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), hatch);
  }
  painter.restore();
}

namespace {
// The strip a line of the given pen width covers, from a to b.
QRect Strip(Point a, Point b, int width) {
  return QRect(ToQPoint(a), ToQPoint(b)).normalized().adjusted(-width, -width, width, width);
}
QRegion CursorRegion(const ChartCursorLines& lines) {
  return QRegion(Strip(lines.foot, lines.corner, 1)) | Strip(lines.corner, lines.end, 1);
}
}  // namespace

QRegion ChartPane::OverlayRegion() const {
  QRegion region;
  if (!drawn_) return region;
  if (playingCursor_) {
    if (const auto cursor = ChartCursor(Source(), drawn_->layout, *playingCursor_)) {
      region |= CursorRegion(*cursor);
    }
  }
  if (crossHair_) region |= CursorRegion(*crossHair_);
  if (!noSelection_) {
    const ChartBand band = SelectionBand(drawn_->layout, selectionStart_, selectionEnd_);
    const Point topRight{band.bottomRight.x, band.topLeft.y};
    const Point bottomLeft{band.topLeft.x, band.bottomRight.y};
    region |= Strip(band.topLeft, topRight, 1);
    region |= Strip(bottomLeft, band.bottomRight, 1);
    region |= Strip(band.topLeft, bottomLeft, 1);
    region |= Strip(topRight, band.bottomRight, 1);
  }
  return region;
}

void ChartPane::RepaintOverlay(const QRegion& before) {
  for (const QRect& strip : before | OverlayRegion()) host().RepaintArea(strip);
}

void ChartPane::Invalidate() {
  chartDirty_ = true;
  host().Repaint();
}

ResultsSource ChartPane::Source() const {
  return Results(ChartUsesDerived(host().viewState()));
}

const QImage& ChartPane::ZoomPicture() {
  if (zoomPicture_.isNull()) zoomPicture_ = DibImage(host().bitmaps().zoom);
  return zoomPicture_;
}

void ChartPane::Print(QPrinter& printer) {
  QPainter painter(&printer);
  if (!painter.isActive()) return;
  // Tenths of a millimetre; the chart is as high as it is wide, or as the page allows.
  const QRectF pixels = PageBelowHeader(painter, printer, PrintHeader());
  const QSizeF millimetres = InMillimetres(pixels, printer);
  const int width = static_cast<int>(std::lround(millimetres.width() * 10.0));
  const int height = static_cast<int>(std::lround(millimetres.height() * 10.0));
  if (width < 1 || height < 1) return;
  painter.setWindow(0, 0, width, height);
  painter.setViewport(pixels.toRect());
  const ResultsSource store = Source();
  const ChartMedium paper = PaperChart();
  const std::optional<DrawnChart> page =
      DrawChart(painter, store, host().viewState(), QSize(width, std::min(width, height)), paper,
                ZoomPicture());
  if (const auto cursor = page ? PausedCursor(store, page->layout) : std::nullopt) {
    DrawCursorLines(painter, *cursor, kChartCursor, Qt::SolidLine, paper.penWidth);
  }
}

// --- Mouse, animation and zoom -----------------------------------------------------------------

PaneReadout ChartPane::MouseMove(const QPoint& pos, Qt::MouseButtons /*buttons*/) {
  if (!drawn_) return {};
  const QSize client = host().clientSize();
  const bool inside =
      pos.x() >= 0 && pos.y() >= 0 && pos.x() <= client.width() && pos.y() <= client.height();
  const QRegion before = OverlayRegion();
  ChartReadout readout;
  crossHair_.reset();
  if (inside) {
    readout = MapPixelToValues(Source(), drawn_->layout, drawn_->sampleAtColumn, pos.x());
    if (!dragging_ || host().animationPlaying()) {
      crossHair_ = ChartCrossHair(drawn_->layout, pos.x(), readout.y);
    } else {
      // The band starts at the first move after the press.
      if (noSelection_) {
        noSelection_ = false;
        selectionStart_ = pos.x();
      }
      selectionEnd_ = pos.x();
    }
  }
  RepaintOverlay(before);
  return {readout.x, readout.y};
}

void ChartPane::MousePress(const QPoint& /*pos*/, Qt::MouseButton button) {
  if (button != Qt::LeftButton) return;
  const QRegion before = OverlayRegion();
  dragging_ = true;
  noSelection_ = true;
  RepaintOverlay(before);
}

void ChartPane::MouseRelease(const QPoint& /*pos*/, Qt::MouseButton button) {
  if (button == Qt::LeftButton) dragging_ = false;
}

void ChartPane::AnimationStep(int index, bool playing) {
  if (playing) {
    const QRegion before = OverlayRegion();
    playingCursor_ = index;
    RepaintOverlay(before);
  } else {
    playingCursor_.reset();
    Invalidate();
  }
}

void ChartPane::Layout() {
  ResultsPane::Layout();
  chartDirty_ = true;
}

void ChartPane::ZoomToSelection() {
  if (noSelection_ || !drawn_) return;
  const std::optional<ChartZoom> zoom =
      ZoomFromBand(drawn_->layout, selectionStart_, selectionEnd_);
  if (!zoom) return;
  host().viewState().chartZoom = *zoom;
  Invalidate();
}

void ChartPane::ResetZoom() {
  host().viewState().chartZoom.on = false;
  Invalidate();
}

}  // namespace plumora::gui
