// The settings of a computed phase: "Ballistic re-entry module" for a ballistic re-entry phase,
// "Final descent initial data" for a final descent phase, each with its stop-condition dialog.
// They edit a copy of the phase's settings and write it back on OK only.
#pragma once

#include <QDialog>

#include "gui/editing/FieldRows.h"
#include "gui/logic/editing/PhaseSettings.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace plumora {
class CMissionPhase;
}

namespace plumora::gui {

struct EditSession;
class NumberField;

// "Ballistic re-entry stop condition" or "Final Descent stop condition".
class CStopConditionDlg : public QDialog {
 public:
  CStopConditionDlg(const QString& title, const StopCondition& stop, QWidget* parent);
  const StopCondition& stop() const { return stop_; }
  void accept() override;

 private:
  void ChooseKind(std::int32_t kind);

  StopCondition stop_;
  QRadioButton* time_;
  QRadioButton* height_;
  FieldRows<StopCondition> rows_;
  NumberField* timeField_;
  NumberField* heightField_;
};

class CPhaseDataDlg : public QDialog {
 public:
  // finalDescent: the dialog of a final descent phase (parachute and mass point too).
  CPhaseDataDlg(EditSession& session, bool finalDescent, const PhaseSettings& settings,
                QWidget* parent);
  const PhaseSettings& settings() const { return settings_; }
  void accept() override;

 private:
  void FillPayloads();
  void FillParachutes();
  void OpenManager(bool payloads);
  void EditStopCondition();
  void ShowSolverChoice();

  EditSession& session_;
  bool finalDescent_;
  PhaseSettings settings_;
  QComboBox* payloads_;
  QComboBox* parachutes_ = nullptr;
  QCheckBox* massPoint_ = nullptr;
  QCheckBox* generalSolver_;
  QPushButton* newSolver_;
};

// Opens the settings dialog of a ballistic re-entry or final descent phase; other phases have
// none. Accepted changes are written to the phase and reported to the session.
void OpenPhaseDialog(EditSession& session, CMissionPhase& phase, QWidget* parent);

}  // namespace plumora::gui
