// How a dialog's texts get the room they need: the number fields of a page start at one x
// whatever the labels and group frames before them, a list's columns are as wide as their
// longest text, and a dialog is wide enough for its title. The widgets measure; this decides.
#pragma once

#include <span>
#include <vector>

namespace plumora::gui {

// The label column widths that put every grid's field column at the x of the rightmost one.
// fieldLefts: where each grid's fields start now, in the page's pixels; labelColumns: how wide
// each grid's label column is now.
std::vector<int> AlignedLabelColumns(std::span<const int> fieldLefts,
                                     std::span<const int> labelColumns);

// The tab stops of a list whose lines hold the given field widths (pixels, one vector of field
// widths per line, the first field starting at 0): each stop stays where it was asked for unless
// the field before it would reach it, and then comes `gap` pixels after that field's end.
std::vector<int> FittedTabStops(std::span<const int> stops,
                                const std::vector<std::vector<int>>& fieldWidths, int gap);

// The width a line of tab-separated fields takes when laid out at `stops`.
int LineWidth(std::span<const int> stops, const std::vector<int>& fieldWidths);

// The narrowest a dialog may be for a window manager's title bar to show its title whole: the
// title's width in the bar's bold face, and the icon and the buttons beside it.
int TitleFitWidth(int titleTextWidth);

}  // namespace plumora::gui
