#include "gui/editing/SolverDialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>
#include <span>

#include "core/common/Messages.h"
#include "gui/kit/EditingKit.h"

namespace plumora::gui {

SolverDialog::SolverDialog(const SolverEdit& edit, Prompter& prompter, QWidget* parent)
    : QDialog(parent), edit_(edit), prompter_(prompter) {
  setWindowTitle("Integrator data");
  const std::span<const NumberFieldRow<SolverEdit>> fields(kSolverFields);

  auto* steps = new QGridLayout;
  steps->setColumnStretch(2, 1);
  rows_.Add(*steps, fields.first(2), edit);
  auto* error = new QGroupBox("Error");
  auto* errorGrid = new QGridLayout(error);
  errorGrid->setColumnStretch(2, 1);
  rows_.Add(*errorGrid, fields.subspan(2), edit);

  auto* integrator = new QGroupBox("Integrator");
  auto* choices = new QVBoxLayout(integrator);
  auto* group = new QButtonGroup(this);
  for (std::size_t k = 0; k < kIntegratorButtons.size(); ++k) {
    auto* button = new QRadioButton(kIntegratorButtons[k].label);
    SetControlId(*button, kIntegratorButtons[k].id);
    group->addButton(button, static_cast<int>(k));
    choices->addWidget(button);
  }
  if (QAbstractButton* chosen = group->button(edit.integrator)) chosen->setChecked(true);
  connect(group, &QButtonGroup::idClicked, this, [this](int index) { edit_.integrator = index; });

  auto* left = new QVBoxLayout;
  left->addLayout(steps);
  left->addWidget(error);
  left->addStretch();
  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addWidget(integrator, 0, Qt::AlignTop);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addWidget(OkCancelRow(*this));
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SolverDialog::accept() {
  SolverEdit edited = edit_;
  if (!rows_.Read(edited)) return;
  if (const std::optional<FieldRefusal> refusal = CheckSolver(edited)) {
    prompter_.Message(refusal->message, kCaptionError);
    NumberField* field = rows_.Field(refusal->id);
    field->setFocus();
    field->selectAll();
    return;
  }
  edit_ = edited;
  QDialog::accept();
}

}  // namespace plumora::gui
