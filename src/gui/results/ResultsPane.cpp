#include "gui/results/ResultsPane.h"

#include <QDate>
#include <QPainter>
#include <QPrinter>

#include "gui/kit/PrintPage.h"
#include "gui/logic/results/PrintHeader.h"
#include "gui/results/OptionsDialogs.h"

namespace plumora::gui {

namespace {
constexpr int kPrintPictureWidth = 1600;  // pixels of the picture a page gets by default
}  // namespace

void PreparePanePainter(QPainter& painter) {
  QFont font("Arial");
  font.setPixelSize(kPaneFontPixels);
  painter.setFont(font);
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
  host_.SetScrollSizes(kNeutralScrollSizes);
}

}  // namespace plumora::gui
