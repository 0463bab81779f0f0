#include "gui/app/MissionPlanBar.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/common/CodePage.h"
#include "gui/kit/Artwork.h"
#include "gui/kit/NumberField.h"
#include "gui/logic/commands/CommandIds.h"

namespace plumora::gui {

namespace {
QString FromWindows1252(const std::string& bytes) {
  return QString::fromStdString(Windows1252ToUtf8(bytes));
}
// The list's columns, in pixels: entry, active flag, name, type.
constexpr int kColumnWidths[] = {22, 18, 90, 30};
}  // namespace

MissionPlanBar::MissionPlanBar(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel("MISSION PLAN");
  title->setAlignment(Qt::AlignCenter);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  layout->addWidget(title);

  auto* group = new QGroupBox("Mission Name");
  auto* groupLayout = new QVBoxLayout(group);
  name_ = new QLineEdit("Default");
  name_->setReadOnly(true);
  SetControlId(*name_, kCtlMissionName);
  groupLayout->addWidget(name_);
  editMission_ = new QPushButton("Edit mission");
  SetControlId(*editMission_, kCtlEditMission);
  editMission_->setEnabled(false);  // until its command has a handler
  groupLayout->addWidget(editMission_);
  layout->addWidget(group);

  layout->addWidget(new QLabel("Mission Phases"));
  phases_ = new QTreeWidget;
  phases_->setColumnCount(4);
  phases_->setHeaderHidden(true);
  phases_->setRootIsDecorated(false);
  SetControlId(*phases_, kCtlPhaseList);
  for (int c = 0; c < 4; ++c) phases_->setColumnWidth(c, kColumnWidths[c]);
  layout->addWidget(phases_, 1);

  auto* buttons = new QHBoxLayout;
  editPhase_ = new QPushButton("Edit phase");
  viewPhase_ = new QPushButton("View phase");
  SetControlId(*editPhase_, kCtlEditPhase);
  SetControlId(*viewPhase_, kCtlViewPhase);
  editPhase_->setEnabled(false);
  viewPhase_->setEnabled(false);
  buttons->addWidget(editPhase_);
  buttons->addWidget(viewPhase_);
  layout->addLayout(buttons);

  auto* picture = new QLabel;
  picture->setPixmap(MissionPlanPicture());
  picture->setAlignment(Qt::AlignCenter);
  layout->addWidget(picture);
}

void MissionPlanBar::Show(const MissionPlanText& plan) {
  name_->setText(FromWindows1252(plan.missionName));
  phases_->clear();
  for (const std::string& line : plan.lines) {
    // The fields stand between tabs, each in its own column. A name may hold tabs itself: the
    // number and the flag are before the first two tabs and the code after the last one.
    const QString text = FromWindows1252(line);
    const qsizetype first = text.indexOf('\t');
    const qsizetype second = text.indexOf('\t', first + 1);
    const qsizetype last = text.lastIndexOf('\t');
    phases_->addTopLevelItem(new QTreeWidgetItem(
        QStringList{text.left(first), text.mid(first + 1, second - first - 1),
                    text.mid(second + 1, last - second - 1), text.mid(last + 1)}));
  }
}

QString MissionPlanBar::missionName() const {
  return name_->text();
}

QStringList MissionPlanBar::phaseLines() const {
  QStringList lines;
  for (int i = 0; i < phases_->topLevelItemCount(); ++i) {
    QStringList fields;
    for (int c = 0; c < 4; ++c) fields << phases_->topLevelItem(i)->text(c);
    lines << fields.join('\t');
  }
  return lines;
}

}  // namespace plumora::gui

namespace plumora::gui {

int MissionPlanBar::selectedPhase() const {
  const QList<QTreeWidgetItem*> chosen = phases_->selectedItems();
  return chosen.isEmpty() ? -1 : phases_->indexOfTopLevelItem(chosen.front());
}

void MissionPlanBar::SelectPhase(int entry) {
  phases_->setCurrentItem(phases_->topLevelItem(entry));
}

}  // namespace plumora::gui
