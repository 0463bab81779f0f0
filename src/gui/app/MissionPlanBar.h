// The mission plan bar, docked at the left: the active mission's name and its phase list.
#pragma once

#include <QWidget>

#include "gui/logic/editing/MissionPlan.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace plumora::gui {

class MissionPlanBar : public QWidget {
 public:
  explicit MissionPlanBar(QWidget* parent = nullptr);

  // Shows the mission's name and one line per phase.
  void Show(const MissionPlanText& plan);

  QString missionName() const;
  // The bar's command buttons: Edit mission and Edit phase (the command table enables them).
  QPushButton* editMissionButton() const { return editMission_; }
  QPushButton* editPhaseButton() const { return editPhase_; }
  QPushButton* viewPhaseButton() const { return viewPhase_; }
  // The phase lines as shown, tab-separated (UTF-8).
  QStringList phaseLines() const;
  // The selected phase's entry (0-based), or -1.
  int selectedPhase() const;
  void SelectPhase(int entry);
  QTreeWidget* phaseList() const { return phases_; }

 private:
  QLineEdit* name_;
  QTreeWidget* phases_;
  QPushButton* editMission_;
  QPushButton* editPhase_;
  QPushButton* viewPhase_;
};

}  // namespace plumora::gui
