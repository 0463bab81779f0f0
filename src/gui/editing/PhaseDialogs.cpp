#include "gui/editing/PhaseDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/app/PlumoraDoc.h"
#include "gui/editing/FormLayout.h"
#include "gui/editing/RecordManagers.h"
#include "gui/kit/EditingKit.h"
#include "gui/kit/NumberField.h"
#include "gui/kit/TabbedList.h"
#include "gui/logic/commands/ControlIds.h"
#include "gui/logic/editing/EditSteps.h"

namespace plumora::gui {

namespace {

template <typename Record>
void FillChoice(QComboBox& box, const std::vector<std::shared_ptr<Record>>& records, int line) {
  box.clear();
  for (const std::string& name : RecordNames(records)) box.addItem(ShownText(name));
  box.setCurrentIndex(line);
}

}  // namespace

// --- Stop condition ------------------------------------------------------------------------

CStopConditionDlg::CStopConditionDlg(const QString& title, const StopCondition& stop,
                                     QWidget* parent)
    : QDialog(parent), stop_(stop) {
  setWindowTitle(title);
  // Each number stands beside the button that chooses it.
  auto* grid = new QGridLayout;
  time_ = new QRadioButton(kStopFields[0].label);
  height_ = new QRadioButton(kStopFields[1].label);
  SetControlId(*time_, kCtlStopOnTime);
  SetControlId(*height_, kCtlStopOnHeight);
  QRadioButton* const buttons[] = {time_, height_};
  for (int k = 0; k < 2; ++k) {
    const NumberFieldRow<StopCondition>& row = kStopFields[static_cast<std::size_t>(k)];
    const QString unit = QString::fromUtf8(row.unit);
    auto* field = new NumberField(QString::fromUtf8(row.label) + " (" + unit + ")");
    SetControlId(*field, row.id);
    rows_.Bind(field, row);
    grid->addWidget(buttons[k], k, 0);
    grid->addWidget(field, k, 1);
    grid->addWidget(new QLabel(unit), k, 2);
  }
  grid->setColumnStretch(3, 1);  // the room the title needs stays right of the units
  timeField_ = rows_.Field(kCtlStopTime);
  heightField_ = rows_.Field(kCtlStopHeight);
  rows_.Show(stop_);
  connect(time_, &QRadioButton::clicked, this, [this] { ChooseKind(kStopOnTime); });
  connect(height_, &QRadioButton::clicked, this, [this] { ChooseKind(kStopOnHeight); });
  ChooseKind(stop_.kind);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(OkCancelRow(*this));
  layout->setSizeConstraint(QLayout::SetFixedSize);
  KeepTitleWhole(*this, *layout);
}

void CStopConditionDlg::ChooseKind(std::int32_t kind) {
  stop_.kind = kind;
  // A kind of neither button (from a file) checks neither: the run stops the phase only on the
  // ground.
  time_->setChecked(stop_.TimeEditable());
  height_->setChecked(stop_.HeightEditable());
  timeField_->setEnabled(stop_.TimeEditable());
  heightField_->setEnabled(stop_.HeightEditable());
}

void CStopConditionDlg::accept() {
  // Both values are kept, the one of the kind not chosen too.
  StopCondition read = stop_;
  if (!rows_.Read(read)) return;
  stop_ = read;
  QDialog::accept();
}

// --- Phase settings ------------------------------------------------------------------------

CPhaseDataDlg::CPhaseDataDlg(EditSession& session, bool finalDescent, const PhaseSettings& settings,
                             QWidget* parent)
    : QDialog(parent), session_(session), finalDescent_(finalDescent), settings_(settings) {
  setWindowTitle(finalDescent ? "Final descent initial data" : "Ballistic re-entry module");
  auto* grid = new QGridLayout;
  int row = 0;
  if (finalDescent) {
    parachutes_ = new QComboBox;
    SetControlId(*parachutes_, kCtlParachuteChoice);
    grid->addWidget(new QLabel("Parachute"), row, 0);
    grid->addWidget(parachutes_, row, 1);
    QPushButton* manager = Button("Parachute manager", kCtlOpenParachuteManager);
    connect(manager, &QPushButton::clicked, this, [this] { OpenManager(false); });
    grid->addWidget(manager, row++, 2);
  }
  payloads_ = new QComboBox;
  SetControlId(*payloads_, kCtlPayloadChoice);
  grid->addWidget(new QLabel("Payload"), row, 0);
  grid->addWidget(payloads_, row, 1);
  QPushButton* payloadManager = Button("Payload manager", kCtlOpenPayloadManager);
  connect(payloadManager, &QPushButton::clicked, this, [this] { OpenManager(true); });
  grid->addWidget(payloadManager, row++, 2);
  grid->setColumnMinimumWidth(1, 160);
  grid->setColumnStretch(1, 1);

  QPushButton* stop = finalDescent ? Button("Stop conditions", kCtlDescentStopConditions)
                                   : Button("Stop condition", kCtlBallisticStopCondition);
  connect(stop, &QPushButton::clicked, this, &CPhaseDataDlg::EditStopCondition);
  grid->addWidget(stop, row++, 2);
  if (finalDescent) {
    massPoint_ = new QCheckBox("Mass Point at Confluence");
    SetControlId(*massPoint_, kCtlMassPointAtConfluence);
    massPoint_->setChecked(settings_.massPointAtConfluence != 0);
    grid->addWidget(massPoint_, row++, 0, 1, 3);
  }

  auto* solverGroup = new QGroupBox;
  auto* solverRow = new QHBoxLayout(solverGroup);
  generalSolver_ = new QCheckBox("General solver");
  SetControlId(*generalSolver_, kCtlGeneralSolver);
  generalSolver_->setChecked(settings_.generalSolver != 0);
  newSolver_ = Button("New solver...", kCtlNewSolver);  // no other solver is offered yet
  solverRow->addWidget(generalSolver_);
  solverRow->addStretch(1);
  solverRow->addWidget(newSolver_);
  connect(generalSolver_, &QCheckBox::clicked, this, [this](bool on) {
    settings_.generalSolver = on ? 1 : 0;
    ShowSolverChoice();
  });
  ShowSolverChoice();

  FillPayloads();
  if (finalDescent) FillParachutes();

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(solverGroup);
  layout->addWidget(OkCancelRow(*this));
  layout->setSizeConstraint(QLayout::SetFixedSize);
  KeepTitleWhole(*this, *layout);
}

void CPhaseDataDlg::FillPayloads() {
  FillChoice(*payloads_, session_.doc.mission.payloads,
             LineOfNumber(session_.doc.mission.payloads, settings_.payloadNumber));
}

void CPhaseDataDlg::FillParachutes() {
  FillChoice(*parachutes_, session_.doc.mission.parachutes,
             LineOfNumber(session_.doc.mission.parachutes, settings_.parachuteNumber));
}

void CPhaseDataDlg::ShowSolverChoice() {
  newSolver_->setEnabled(settings_.NewSolverEnabled());
}

void CPhaseDataDlg::OpenManager(bool payloads) {
  OpenRecordManager(session_, payloads ? RecordKind::kPayload : RecordKind::kParachute, this);
  // The list is made anew from the records as they are now; the first one is chosen.
  QComboBox& box = payloads ? *payloads_ : *parachutes_;
  if (payloads) {
    FillChoice(box, session_.doc.mission.payloads, 0);
  } else {
    FillChoice(box, session_.doc.mission.parachutes, 0);
  }
}

void CPhaseDataDlg::EditStopCondition() {
  CStopConditionDlg dialog(
      finalDescent_ ? "Final Descent stop condition" : "Ballistic re-entry stop condition",
      settings_.stop, this);
  if (dialog.exec() == QDialog::Accepted) settings_.stop = dialog.stop();
}

void CPhaseDataDlg::accept() {
  settings_.payloadNumber = NumberAtLine(session_.doc.mission.payloads, payloads_->currentIndex());
  if (finalDescent_) {
    settings_.parachuteNumber =
        NumberAtLine(session_.doc.mission.parachutes, parachutes_->currentIndex());
    settings_.massPointAtConfluence = massPoint_->isChecked() ? 1 : 0;
  }
  QDialog::accept();
}

void OpenPhaseDialog(EditSession& session, CMissionPhase& phase, QWidget* parent) {
  if (CBallisticEntryPhase* ballistic = phase.ballistic()) {
    CPhaseDataDlg dialog(session, false, PhaseSettings::Of(*ballistic), parent);
    if (dialog.exec() == QDialog::Accepted && dialog.settings().WriteTo(*ballistic)) {
      session.changed(PhaseDataStep());
    }
  } else if (CParachutePhase* descent = phase.parachute()) {
    CPhaseDataDlg dialog(session, true, PhaseSettings::Of(*descent), parent);
    if (dialog.exec() == QDialog::Accepted && dialog.settings().WriteTo(*descent)) {
      session.changed(PhaseDataStep());
    }
  }
}

}  // namespace plumora::gui
