// "Integrator data": the time step, the output time step, the error tolerances and the
// integrator. Steps and tolerances of 0 or less are refused on OK, naming the field.
#pragma once

#include <QDialog>

#include "core/common/Prompter.h"
#include "gui/editing/FieldRows.h"
#include "gui/logic/editing/SetupForms.h"

namespace plumora::gui {

class SolverDialog : public QDialog {
 public:
  // Refusals are said through `prompter`.
  SolverDialog(const SolverEdit& edit, Prompter& prompter, QWidget* parent);
  // The edited values, once the dialog was accepted.
  const SolverEdit& edit() const { return edit_; }

  void accept() override;

 private:
  SolverEdit edit_;
  Prompter& prompter_;
  FieldRows<SolverEdit> rows_;
};

}  // namespace plumora::gui
