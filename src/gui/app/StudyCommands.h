// The dispersion study of the active mission: Simulation > Dispersions... sets it up (and flies
// it with Run), File > Export study... writes the flown study's runs and summary. While a study
// flies, its progress dialog shows the runs done, failed and the time left, and the window keeps
// repainting; Stop keeps the runs finished so far.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "gui/logic/study/StudyFlight.h"

class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace plumora::gui {

class CommandContext;
class DocumentWindows;

class StudyProgressDialog : public QDialog {
 public:
  StudyProgressDialog(StudyFlight& flight, QWidget* parent = nullptr);

  // Stop, the close box and Escape all stop the study; the dialog closes once the runs in
  // flight have ended.
  void reject() override;

 private:
  void Refresh();

  StudyFlight& flight_;
  QProgressBar* bar_;
  QLineEdit* done_;
  QLineEdit* failed_;
  QLineEdit* left_;
  QPushButton* stop_;
  QTimer* timer_;
};

// Binds Dispersions and Export study. status shows a line in the main window's status bar.
void BindStudyCommands(CommandContext& context, DocumentWindows& windows,
                       std::function<void(const QString&)> status);

}  // namespace plumora::gui
