#include "gui/editing/FormLayout.h"

#include <QBoxLayout>
#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLayout>
#include <QWidget>
#include <algorithm>
#include <set>
#include <vector>

#include "gui/logic/editing/FormColumns.h"

namespace plumora::gui {

void AlignFieldColumns(std::span<const FieldGrid> grids) {
  // Lay every page out at its own size first: a page behind another tab has not been yet.
  std::set<QWidget*> pages;
  for (const FieldGrid& g : grids) pages.insert(g.page);
  for (QWidget* page : pages) {
    page->resize(page->sizeHint());
    if (page->layout()) page->layout()->activate();
  }
  // A grid in a group box is laid out in the box only once the box has its place.
  for (const FieldGrid& g : grids) g.grid->activate();
  std::vector<int> lefts;
  std::vector<int> labels;
  for (const FieldGrid& g : grids) {
    const QRect field = g.grid->cellRect(0, 1);
    lefts.push_back(g.grid->parentWidget()->mapTo(g.page, field.topLeft()).x());
    labels.push_back(g.grid->cellRect(0, 0).width());
  }
  const std::vector<int> columns = AlignedLabelColumns(lefts, labels);
  // The units after the fields take one width too, so that fields that stretch end together.
  // Their own widths: a unit column may have been given the room a stretch leaves over.
  int units = 0;
  for (const FieldGrid& g : grids) {
    for (int row = 0; row < g.grid->rowCount(); ++row) {
      if (QLayoutItem* unit = g.grid->itemAtPosition(row, 2)) {
        units = std::max(units, unit->sizeHint().width());
      }
    }
  }
  for (std::size_t k = 0; k < grids.size(); ++k) {
    grids[k].grid->setColumnMinimumWidth(0, columns[k]);
    if (grids[k].grid->columnCount() > 2) grids[k].grid->setColumnMinimumWidth(2, units);
  }
  for (QWidget* page : pages) {
    if (page->layout()) page->layout()->invalidate();
  }
}

void KeepTitleWhole(QDialog& dialog, QBoxLayout& layout) {
  QFont bold = dialog.font();
  bold.setBold(true);
  const int title = QFontMetrics(bold).horizontalAdvance(dialog.windowTitle());
  layout.addStrut(TitleFitWidth(title));
}

}  // namespace plumora::gui
