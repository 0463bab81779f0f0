#include "gui/results/TablePane.h"

#include <QPainter>
#include <QPrinter>

#include "core/app/PlumoraDoc.h"
#include "gui/kit/DrawingPainter.h"
#include "gui/kit/PrintPage.h"

namespace plumora::gui {

void PaintTable(QPainter& painter, const TableDrawing& drawing, const TableGeometry& geometry) {
  if (drawing.fillBackground) {
    Fill(painter, {0, 0, geometry.areaWidth, geometry.areaHeight}, kTableBackground);
  }
  if (drawing.marked) Fill(painter, *drawing.marked, kTableMarkedRow);
  Draw(painter, drawing.texts);
}

TableDrawing TablePane::CurrentTable() const {
  const QSize client = host().clientSize();
  const QPoint scroll = host().scrollPosition();
  return LayoutTable(host().document().results, host().viewState().columnSwitches,
                     ScreenTableGeometry(client.width(), client.height()), scroll.x(), scroll.y(),
                     host().animationIndex());
}

void TablePane::Paint(QPainter& painter, const QSize& client) {
  const QPoint scroll = host().scrollPosition();
  const TableGeometry geometry = ScreenTableGeometry(client.width(), client.height());
  PaintTable(painter,
             LayoutTable(host().document().results, host().viewState().columnSwitches, geometry,
                         scroll.x(), scroll.y(), host().animationIndex()),
             geometry);
}

void TablePane::AnimationStep(int index, bool playing) {
  const QPoint scroll = host().scrollPosition();
  const int first = FollowRow(scroll.y(), index, host().document().results.LastIndex(),
                              host().clientSize().height());
  if (first != scroll.y()) host().SetScrollPosition({scroll.x(), first});
  if (playing) host().Repaint();
}

void TablePane::Print(QPrinter& printer) {
  QPainter painter(&printer);
  if (!painter.isActive()) return;
  // One logical unit is a tenth of a millimetre of the page.
  const QRectF pixels = PageBelowHeader(painter, printer, PrintHeader());
  const QSizeF millimetres = InMillimetres(pixels, printer);
  const ColumnSwitches& switches = host().viewState().columnSwitches;
  const TableGeometry geometry =
      PrintTableGeometry(millimetres.width(), millimetres.height(), switches);
  painter.setWindow(0, 0, geometry.areaWidth, geometry.areaHeight);
  painter.setViewport(pixels.toRect());
  QFont font("Arial");
  font.setPixelSize(geometry.fontHeight);
  painter.setFont(font);
  PaintTable(
      painter,
      LayoutTable(host().document().results, switches, geometry, 0, host().scrollPosition().y()),
      geometry);
}

void TablePane::Layout() {
  const std::optional<ScrollSizes> sizes =
      TableScrollSizes(host().document().results.LastIndex(), host().clientSize().height(),
                       host().viewState().shownColumnCount);
  if (sizes) host().SetScrollSizes(*sizes);
}

}  // namespace plumora::gui
