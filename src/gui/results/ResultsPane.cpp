#include "gui/results/ResultsPane.h"

#include <QBuffer>
#include <QDate>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include "core/app/PlumoraDoc.h"
#include "gui/kit/PrintPage.h"
#include "gui/logic/results/PrintHeader.h"
#include "gui/results/OptionsDialogs.h"

namespace plumora::gui {

namespace {
constexpr int kPrintPictureWidth = 1600;  // pixels of the picture a page gets by default
}  // namespace

QFont PaneFont() {
  QFont font("Arial");
  font.setPixelSize(kPaneFontPixels);
  return font;
}

void PreparePanePainter(QPainter& painter) {
  painter.setFont(PaneFont());
}

std::string PngBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

SvgFont SvgFontOf(const QFont& font) {
  const QFontMetricsF metrics(font);
  return {font.family().toStdString(),
          font.pixelSize() > 0 ? double(font.pixelSize()) : font.pointSizeF(), metrics.ascent(),
          metrics.descent()};
}

std::string ResultsPane::SnapshotSvg(const QSize& size) {
  SvgPicture svg(size.width(), size.height());
  svg.AddPng({0, 0, size.width(), size.height()}, PngBytes(Snapshot(size)));
  return svg.Text();
}

QImage ResultsPane::Snapshot(const QSize& size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  PreparePanePainter(painter);
  Paint(painter, size);
  return image;
}

void ResultsPane::Print(QPrinter& printer) {
  QPainter painter(&printer);
  if (!painter.isActive()) return;
  const QRectF page = PageBelowHeader(painter, printer, PrintHeader());
  if (page.width() < 1.0 || page.height() < 1.0) return;
  const int height = static_cast<int>(kPrintPictureWidth * page.height() / page.width());
  const QImage picture = Snapshot(QSize(kPrintPictureWidth, std::max(1, height)));
  painter.drawImage(page, picture);
}

std::string ResultsPane::PrintHeader() {
  return PrintHeaderLine(host_.missionTitle(), PaneDescription(mode(), host_.viewState()),
                         QDate::currentDate().toString(Qt::ISODate).toStdString());
}

void ResultsPane::OptionsCommand() {
  if (!RunOptionsDialog(mode(), host_.viewState(), host_.dialogParent())) return;
  Layout();
  host_.Repaint();
}

void ResultsPane::Layout() {
  ForgetDerived();
  host_.SetScrollSizes(kNeutralScrollSizes);
}

ResultsSource ResultsPane::Results(bool withDerived) const {
  const CTrajectoryStore& store = host_.document().results;
  if (!withDerived) return ResultsSource(store);
  if (!derived_ || derived_->samples.size() != store.Samples().size()) {
    derived_ = DerivedSeriesOf(host_.document());
  }
  return ResultsSource(store, &*derived_);
}

}  // namespace plumora::gui
