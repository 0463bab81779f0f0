// "Dispersions": the mission's dispersion study set up: the scattered inputs, each with its
// distribution, parameters and unit, added from the fields the mission has; the number of runs,
// the seed and the threads. Run and OK both keep the setup; Run also asks for it to be flown.
#pragma once

#include <QDialog>
#include <optional>

#include "core/common/Prompter.h"
#include "gui/logic/study/StudySetup.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace plumora::gui {

class DispersionsDialog : public QDialog {
 public:
  DispersionsDialog(const DispersionStudy& study, const Mission& mission, Prompter& prompter,
                    QWidget* parent = nullptr);

  // The setup accepted by OK or Run; only valid once the dialog was accepted.
  const DispersionStudy& study() const { return study_; }
  // Whether the dialog closed with Run.
  bool runRequested() const { return runRequested_; }

  void accept() override;

 private:
  void ShowRows(int select);
  void ShowSelected();
  void UpdateRowText();
  int Selected() const;

  StudySetupEditor editor_;
  Prompter& prompter_;
  DispersionStudy study_;
  bool runRequested_ = false;
  bool showing_ = false;  // the fields are being filled, not edited

  QListWidget* list_;
  QComboBox* addable_;
  QPushButton* add_;
  QPushButton* remove_;
  QComboBox* kind_;
  QLabel* firstLabel_;
  QLabel* secondLabel_;
  QLineEdit* first_;
  QLineEdit* second_;
  QLabel* firstUnit_;
  QLabel* secondUnit_;
  QLineEdit* runs_;
  QLineEdit* seed_;
  QLineEdit* threads_;
};

}  // namespace plumora::gui
