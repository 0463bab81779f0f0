// "Processing...": the progress of the running phase, and its Stop button.
#pragma once

#include <QDialog>
#include <initializer_list>
#include <vector>

#include "gui/logic/app/RunRelay.h"

class QLineEdit;
class QProgressBar;
class QPushButton;

namespace plumora::gui {

// What both progress dialogs are made of: a bar over a column of read-only fields with Stop
// beside them. Stop rejects the dialog.
struct ProgressWidgets {
  QProgressBar* bar;
  std::vector<QLineEdit*> fields;  // in the order of their labels
  QPushButton* stop;
};
ProgressWidgets BuildProgressLayout(QDialog& dialog, std::initializer_list<const char*> labels);

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
