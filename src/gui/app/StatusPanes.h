// The three panes at the right of the status bar: a chart's mouse read-out (x and y) and a
// spare one.
#pragma once

#include <QString>
#include <array>

class QLabel;
class QStatusBar;

namespace plumora::gui {

class StatusPanes {
 public:
  // Adds the panes to the bar, showing their first texts.
  explicit StatusPanes(QStatusBar& bar);

  void ShowReadout(const QString& x, const QString& y);
  // The first texts again, and no message: nothing is left to read out.
  void Reset();
  QLabel* pane(int index) const;

 private:
  QStatusBar& bar_;
  std::array<QLabel*, 3> panes_{};
};

}  // namespace plumora::gui
