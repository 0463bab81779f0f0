// Dialog pages whose texts are read whole: the number fields of several grids start at one x,
// and a dialog is never narrower than its title needs.
#pragma once

#include <span>

class QBoxLayout;
class QDialog;
class QGridLayout;
class QWidget;

namespace plumora::gui {

// A grid with its labels in column 0 and its fields in column 1, and the page (a tab page or
// the dialog) whose x the fields line up in.
struct FieldGrid {
  QWidget* page;
  QGridLayout* grid;
};

// Widens the label columns so that the fields of every grid start where the rightmost ones do,
// and gives the unit columns (column 2) one width.
// Grids on different pages of one tab widget line up with each other too. Call once the pages
// hold all their widgets.
void AlignFieldColumns(std::span<const FieldGrid> grids);

// Keeps `layout` (the dialog's outermost box) at least as wide as the dialog's title needs in a
// title bar.
void KeepTitleWhole(QDialog& dialog, QBoxLayout& layout);

}  // namespace plumora::gui
