#include "gui/results/TablePane.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "core/app/PlumoraDoc.h"
#include "gui/kit/DrawingPainter.h"
#include "gui/kit/PrintPage.h"

namespace plumora::gui {

void PaintTable(QPainter& painter, const TableDrawing& drawing, const TableGeometry& geometry) {
  if (drawing.fillBackground) {
    Fill(painter, {0, 0, geometry.areaWidth, geometry.areaHeight}, kTableBackground);
  }
  if (drawing.selected) Fill(painter, *drawing.selected, kTableSelectedRows);
  if (drawing.marked) Fill(painter, *drawing.marked, kTableMarkedRow);
  Draw(painter, drawing.texts);
  if (const std::optional<FrozenColumn>& frozen = drawing.frozen) {
    Fill(painter, frozen->area, kTableBackground);
    if (frozen->selected) Fill(painter, *frozen->selected, kTableSelectedRows);
    if (frozen->marked) Fill(painter, *frozen->marked, kTableMarkedRow);
    Draw(painter, frozen->texts);
  }
}

TableDrawing TablePane::CurrentTable() const {
  const QSize client = host().clientSize();
  const QPoint scroll = host().scrollPosition();
  const ResultsViewState& state = host().viewState();
  return LayoutTable(Source(), state.columnSwitches,
                     ScreenTableGeometry(client.width(), client.height()), scroll.x(), scroll.y(),
                     host().animationIndex(), state.derivedColumns, selection_);
}

void TablePane::Paint(QPainter& painter, const QSize& client) {
  const QPoint scroll = host().scrollPosition();
  const TableGeometry geometry = ScreenTableGeometry(client.width(), client.height());
  const ResultsViewState& state = host().viewState();
  PaintTable(painter,
             LayoutTable(Source(), state.columnSwitches, geometry, scroll.x(), scroll.y(),
                         host().animationIndex(), state.derivedColumns, selection_),
             geometry);
}

void TablePane::MousePress(const QPoint& pos, Qt::MouseButton button) {
  if (button != Qt::LeftButton) return;
  const int row =
      TableRowAt(pos.y(), host().scrollPosition().y(), host().document().results.LastIndex());
  if (row < 0) return;
  selection_.Click(row, QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
  host().Repaint();
}

bool TablePane::CanCopy() const {
  return !selection_.empty() && selection_.first() <= host().document().results.LastIndex();
}

void TablePane::SelectAll() {
  const int last = host().document().results.LastIndex();
  if (last < 0) return;
  selection_ = RowSelection{0, last};
  host().Repaint();
}

std::string TablePane::CopyText() const {
  const ResultsViewState& state = host().viewState();
  return SelectedRowsText(Source(), state.columnSwitches, selection_, state.derivedColumns);
}

std::string TablePane::SnapshotSvg(const QSize& size) {
  const QPoint scroll = host().scrollPosition();
  const ResultsViewState& state = host().viewState();
  const TableGeometry geometry = ScreenTableGeometry(size.width(), size.height());
  const TableDrawing drawing =
      LayoutTable(Source(), state.columnSwitches, geometry, scroll.x(), scroll.y(),
                  host().animationIndex(), state.derivedColumns);
  SvgPicture svg(size.width(), size.height());
  svg.Fill({0, 0, size.width(), size.height()}, {255, 255, 255});
  if (drawing.fillBackground) svg.Fill({0, 0, size.width(), size.height()}, kTableBackground);
  if (drawing.marked) svg.Fill(*drawing.marked, kTableMarkedRow);
  svg.Add(drawing.texts, SvgFontOf(PaneFont()));
  return svg.Text();
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
  const ResultsViewState& state = host().viewState();
  const TableGeometry geometry = PrintTableGeometry(millimetres.width(), millimetres.height(),
                                                    state.columnSwitches, state.derivedColumns);
  painter.setWindow(0, 0, geometry.areaWidth, geometry.areaHeight);
  painter.setViewport(pixels.toRect());
  QFont font("Arial");
  font.setPixelSize(geometry.fontHeight);
  painter.setFont(font);
  PaintTable(painter,
             LayoutTable(Source(), state.columnSwitches, geometry, 0, host().scrollPosition().y(),
                         -1, state.derivedColumns),
             geometry);
}

ResultsSource TablePane::Source() const {
  const DerivedSwitches& derived = host().viewState().derivedColumns;
  return Results(std::find(derived.begin(), derived.end(), true) != derived.end());
}

void TablePane::Layout() {
  ForgetDerived();
  const std::optional<ScrollSizes> sizes =
      TableScrollSizes(host().document().results.LastIndex(), host().clientSize().height(),
                       host().viewState().shownColumnCount);
  if (sizes) host().SetScrollSizes(*sizes);
}

}  // namespace plumora::gui
