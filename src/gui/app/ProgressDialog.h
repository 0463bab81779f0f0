// "Processing...": the progress of the running phase, and its Stop button.
#pragma once

#include <QDialog>

#include "gui/logic/app/RunRelay.h"

class QLineEdit;
class QProgressBar;
class QPushButton;

namespace plumora::gui {

class ProgressDialog : public QDialog {
 public:
  ProgressDialog(ProgressRelay& relay, QWidget* parent = nullptr);

  // Shows the latest progress the run has reported.
  void Refresh();
  QPushButton* stopButton() const { return stop_; }
  QString phaseText() const { return phase_; }

  // Stop, the window's close box and Escape all stop the run.
  void reject() override;

 private:
  ProgressRelay& relay_;
  QProgressBar* bar_;
  QLineEdit* elapsed_;
  QLineEdit* left_;
  QLineEdit* phaseEdit_;
  QPushButton* stop_;
  QString phase_;
};

}  // namespace plumora::gui
