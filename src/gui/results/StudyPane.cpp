#include "gui/results/StudyPane.h"

#include <QFontMetrics>
#include <QPainter>

#include "gui/kit/StudyPainter.h"
#include "gui/logic/study/DocumentStudy.h"

namespace plumora::gui {

void StudyPane::Paint(QPainter& painter, const QSize& client) {
  painter.fillRect(QRect(QPoint(0, 0), client), Qt::white);
  const FlownStudy* study = FlownStudyOf(host().document());
  if (!study) {
    DrawMessage(painter, kNoStudyFlown);
    return;
  }
  const QFontMetrics metrics = painter.fontMetrics();
  const TextWidth textWidth = [&metrics](const std::string& text) {
    return metrics.horizontalAdvance(QString::fromStdString(text));
  };
  const StudyGeometry geometry{client.width(), client.height(), metrics.height(), 1};
  const std::vector<RunRecord>& records = study->outcome.records;
  if (mode_ == DisplayMode::kStudyHistograms) {
    Draw(painter,
         LayoutStudyHistogram(records, host().viewState().studyOutput, 0, geometry, textWidth));
    return;
  }
  Draw(painter, LayoutLandingScatter(LandingCloudOf(records), LandingOf(study->nominal), geometry,
                                     textWidth));
}

}  // namespace plumora::gui
