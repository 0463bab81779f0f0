#include "gui/kit/PrintPage.h"

#include <QFontMetricsF>
#include <algorithm>

namespace plumora::gui {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kHeaderFontMm = 3.5;
constexpr double kHeaderGapMm = 3.0;  // below the rule, before the page's own drawing

double Pixels(double millimetres, const QPrinter& printer) {
  return millimetres * printer.resolution() / kMillimetresPerInch;
}

}  // namespace

QRectF PageBelowHeader(QPainter& painter, QPrinter& printer, const std::string& header) {
  const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
  painter.save();
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(std::max(1, static_cast<int>(Pixels(kHeaderFontMm, printer))));
  painter.setFont(font);
  painter.setPen(QPen(Qt::black, std::max(1.0, Pixels(0.2, printer))));
  const QFontMetricsF metrics(font);
  painter.drawText(QPointF(0, metrics.ascent()), QString::fromStdString(header));
  const double rule = metrics.height() + Pixels(1.0, printer);
  painter.drawLine(QPointF(0, rule), QPointF(page.width(), rule));
  painter.restore();
  const double top = rule + Pixels(kHeaderGapMm, printer);
  return QRectF(0, top, page.width(), std::max(0.0, page.height() - top));
}

QSizeF InMillimetres(const QRectF& pixels, const QPrinter& printer) {
  const double perPixel = kMillimetresPerInch / printer.resolution();
  return {pixels.width() * perPixel, pixels.height() * perPixel};
}

}  // namespace plumora::gui
