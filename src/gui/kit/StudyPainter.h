// Paints the study's plots as their layouts (gui/logic/study) give them: the landing scatter and
// the histogram of one output, for the panes, printing and the benchmark.
#pragma once

#include <QPainter>
#include <string_view>

#include "gui/logic/study/LandingScatter.h"
#include "gui/logic/study/StudyHistogram.h"

namespace plumora::gui {

void Draw(QPainter& painter, const ScatterLayout& layout);
void Draw(QPainter& painter, const HistogramLayout& layout);

// The plot's frame: box, ticks, labels and titles.
void Draw(QPainter& painter, const StudyFrame& frame);

// Lines of text from the top left corner of the picture, a margin in (what a plot shows
// instead when it has nothing to show).
void DrawMessage(QPainter& painter, std::string_view text);

}  // namespace plumora::gui
