#include "gui/kit/StudyPainter.h"

#include <QFontMetrics>

#include "gui/kit/DrawingPainter.h"

namespace plumora::gui {

namespace {
constexpr int kMessageMargin = 10;  // pixels
}  // namespace

void Draw(QPainter& painter, const StudyFrame& frame) {
  Draw(painter, frame.lines);
  Draw(painter, frame.texts);
}

void Draw(QPainter& painter, const ScatterLayout& layout) {
  if (!layout.message.empty()) {
    DrawMessage(painter, layout.message);
    return;
  }
  painter.save();
  Draw(painter, layout.frame);
  // The cloud and the ellipses within the plot's box only: the equal scale may leave a point
  // of a far outlier's outline beyond it.
  const StudyArea& a = layout.area;
  painter.setClipRect(QRectF(a.left, a.top, a.Width() + 1, a.Height() + 1));
  painter.setRenderHint(QPainter::Antialiasing, true);
  Draw(painter, layout.threeSigma, 2);
  Draw(painter, layout.oneSigma, 2);
  // The points over the ellipses: a narrow ellipse is a line right through them.
  Draw(painter, layout.dots);
  Draw(painter, layout.nominalCross, 2);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setClipping(false);
  Draw(painter, layout.legend);
  painter.restore();
}

void Draw(QPainter& painter, const HistogramLayout& layout) {
  if (!layout.message.empty()) {
    DrawMessage(painter, layout.message);
    return;
  }
  painter.save();
  for (const Rect& bar : layout.bars) Fill(painter, bar, kHistogramBars);
  Draw(painter, layout.barEdges);
  Draw(painter, layout.frame);
  for (const PercentileMark& mark : layout.marks) {
    Draw(painter, mark.line, 1);
    Draw(painter, mark.text);
  }
  painter.restore();
}

void DrawMessage(QPainter& painter, std::string_view text) {
  const int lineHeight = QFontMetrics(painter.font()).height();
  int y = kMessageMargin;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    Draw(painter, AnchoredText{{kMessageMargin, y},
                               std::string(text.substr(start, end - start)),
                               Anchor::kLeftTop,
                               kBlack});
    y += lineHeight;
    start = end + 1;
  }
}

}  // namespace plumora::gui
