// The top of a printed page: one line that says what the page is, and the page below it.
#pragma once

#include <QPainter>
#include <QPrinter>
#include <QRectF>
#include <string>

namespace plumora::gui {

// Writes `header` across the top of the printable area in 3.5 mm Arial with a rule under it,
// and gives the rest of the printable area in device pixels.
QRectF PageBelowHeader(QPainter& painter, QPrinter& printer, const std::string& header);

// A page area in device pixels, in millimetres.
QSizeF InMillimetres(const QRectF& pixels, const QPrinter& printer);

}  // namespace plumora::gui
