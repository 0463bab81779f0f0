#include "gui/results/PlaceholderPane.h"

#include <QPainter>

namespace plumora::gui {

void PlaceholderPane::Paint(QPainter& painter, const QSize& client) {
  painter.setPen(Qt::black);
  painter.drawText(QRect(QPoint(0, 0), client), Qt::AlignCenter,
                   QString::fromStdString(PlaceholderText(mode_)));
}

}  // namespace plumora::gui
