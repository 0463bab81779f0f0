#include "gui/results/OptionsDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/kit/EditingKit.h"
#include "gui/kit/NumberField.h"

namespace plumora::gui {

namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QCheckBox* SwitchBox(const char* label, int controlId, bool on) {
  auto* box = new QCheckBox(label);
  box->setChecked(on);
  SetControlId(*box, controlId);
  return box;
}

const char* const kChartSwitchKeys[] = {"Chart/RoundTicks", "Chart/FitYToZoom", "Chart/GridLines",
                                        "Chart/LogY"};

QComboBox* VariableList(int controlId, int selected) {
  // Not editable: only the fifteen variables can be chosen.
  auto* list = new QComboBox;
  list->setEditable(false);
  list->setMinimumWidth(200);
  for (const ChartVariable& v : kChartVariables) list->addItem(ToQString(v.listItem));
  list->setCurrentIndex(selected >= 0 && selected < kChartVariableCount ? selected : 0);
  SetControlId(*list, controlId);
  return list;
}

}  // namespace

bool RunOptionsDialog(DisplayMode mode, ResultsViewState& state, QWidget* parent) {
  switch (OptionsDialogFor(mode)) {
    case OptionsDialog::kTable: {
      CTableOptionsDlg dialog(state.columnSwitches, state.derivedColumns, parent);
      if (dialog.exec() != QDialog::Accepted) return false;
      ApplyTableOptions(state, dialog.switches(), dialog.derived());
      return true;
    }
    case OptionsDialog::kChart: {
      CChartOptionsDlg dialog(ChartOptionsOf(state), parent);
      if (dialog.exec() != QDialog::Accepted) return false;
      const ChartOptions chosen = dialog.options();
      if (!ApplyChartOptions(state, chosen)) return false;
      RememberChartSwitches(chosen.switches);
      return true;
    }
    case OptionsDialog::k3D: {
      // The scenes take the new light at their next drawing; nothing is repainted now.
      C3DOptionsDlg dialog(state, parent);
      if (dialog.exec() == QDialog::Accepted) state.lightPosition = dialog.lightPosition();
      return false;
    }
    case OptionsDialog::kStudyHistogram: {
      CHistogramOptionsDlg dialog(state.studyOutput, parent);
      if (dialog.exec() != QDialog::Accepted || dialog.output() == state.studyOutput) return false;
      state.studyOutput = dialog.output();
      return true;
    }
    case OptionsDialog::kNone:
      break;
  }
  return false;
}

// --- Histogram Options -------------------------------------------------------------------------

CHistogramOptionsDlg::CHistogramOptionsDlg(StudyOutput output, QWidget* parent) : QDialog(parent) {
  setWindowTitle("Histogram Options");
  output_ = new QComboBox;
  output_->setEditable(false);
  for (const StudyOutputField& f : kStudyOutputFields) {
    output_->addItem(ToQString(f.label), static_cast<int>(f.output));
    if (f.output == output) output_->setCurrentIndex(output_->count() - 1);
  }
  SetControlId(*output_, kCtlHistogramOutput);
  auto* form = new QFormLayout;
  form->addRow("Output", output_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addSpacing(6);
  layout->addWidget(OkCancelRow(*this));
  setFixedSize(sizeHint());
}

StudyOutput CHistogramOptionsDlg::output() const {
  return static_cast<StudyOutput>(output_->currentData().toInt());
}

// --- Table Options -----------------------------------------------------------------------------

CTableOptionsDlg::CTableOptionsDlg(const ColumnSwitches& switches, QWidget* parent)
    : CTableOptionsDlg(switches, DerivedSwitches{}, parent) {}

CTableOptionsDlg::CTableOptionsDlg(const ColumnSwitches& switches, const DerivedSwitches& derived,
                                   QWidget* parent)
    : QDialog(parent) {
  setWindowTitle("Table Options");
  auto* groups = new QHBoxLayout;
  std::array<QVBoxLayout*, kTableOptionGroups.size() + 1> columns{};
  for (std::size_t g = 0; g < columns.size(); ++g) {
    auto* box = new QGroupBox(
        ToQString(g < kTableOptionGroups.size() ? kTableOptionGroups[g] : kDerivedOptionGroup));
    columns[g] = new QVBoxLayout(box);
    groups->addWidget(box);
  }
  for (int k = 0; k < kDerivedColumnCount; ++k) {
    const auto at = static_cast<std::size_t>(k);
    auto* box = new QCheckBox(ToQString(DerivedOptionLabel(k)));
    box->setChecked(derived[at]);
    SetControlId(*box, kCtlShowDerived[at]);
    columns.back()->addWidget(box);
    derived_[at] = box;
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  for (std::size_t k = 0; k < kTableOptionSwitches.size(); ++k) {
    const TableOptionSwitch& s = kTableOptionSwitches[k];
    auto* box = new QCheckBox(ToQString(s.label));
    box->setChecked(switches[static_cast<std::size_t>(s.column)]);
    SetControlId(*box, s.controlId);
    if (s.group >= 0) {
      columns[static_cast<std::size_t>(s.group)]->addWidget(box);
    } else {
      layout->addWidget(box);
    }
    boxes_[k] = box;
  }
  // The groups are as high as the tallest; the "Show" group's fewer boxes stay at its top.
  for (QVBoxLayout* column : columns) column->addStretch(1);
  layout->addSpacing(6);
  layout->addWidget(OkCancelRow(*this));
  setFixedSize(sizeHint());
}

DerivedSwitches CTableOptionsDlg::derived() const {
  DerivedSwitches on{};
  for (std::size_t k = 0; k < on.size(); ++k) on[k] = derived_[k]->isChecked();
  return on;
}

ColumnSwitches CTableOptionsDlg::switches() const {
  ColumnSwitches switches{};
  for (std::size_t k = 0; k < kTableOptionSwitches.size(); ++k) {
    switches[static_cast<std::size_t>(kTableOptionSwitches[k].column)] = boxes_[k]->isChecked();
  }
  return switches;
}

// --- Chart Options -----------------------------------------------------------------------------

CChartOptionsDlg::CChartOptionsDlg(const ChartOptions& options, QWidget* parent) : QDialog(parent) {
  setWindowTitle("Chart Options");
  x_ = VariableList(kCtlChartX, options.x);
  y_ = VariableList(kCtlChartY, options.y);
  auto* axes = new QFormLayout;
  axes->addRow("X axis", x_);
  axes->addRow("Y axis", y_);

  auto* body = new QGroupBox("Body");
  payload_ = new QRadioButton("Payload");
  auto* parachute = new QRadioButton("Parachute");
  SetControlId(*payload_, kCtlBodyPayload);
  SetControlId(*parachute, kCtlBodyParachute);
  (options.body == 1 ? parachute : payload_)->setChecked(true);
  auto* bodies = new QHBoxLayout(body);
  bodies->addWidget(payload_);
  bodies->addWidget(parachute);
  bodies->addStretch(1);

  roundTicks_ = SwitchBox("Round tick values", kCtlChartRoundTicks, options.switches.roundTicks);
  fitY_ = SwitchBox("Fit Y to the zoom", kCtlChartFitY, options.switches.fitYToZoom);
  grid_ = SwitchBox("Grid lines", kCtlChartGrid, options.switches.gridLines);
  logY_ = SwitchBox("Logarithmic Y axis", kCtlChartLogY, options.switches.logY);

  // Further curves on the Y axis, each in a colour of its own.
  moreCurves_ = new QListWidget;
  SetControlId(*moreCurves_, kCtlChartMoreCurves);
  for (int v = 0; v < kChartVariableCount; ++v) {
    auto* item = new QListWidgetItem(
        ToQString(kChartVariables[static_cast<std::size_t>(v)].listItem), moreCurves_);
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    const bool on = std::find(options.moreY.begin(), options.moreY.end(), v) != options.moreY.end();
    item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
  }
  moreCurves_->setMaximumHeight(6 * moreCurves_->sizeHintForRow(0) + 4);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(axes);
  layout->addWidget(body);
  layout->addWidget(roundTicks_);
  layout->addWidget(fitY_);
  layout->addWidget(grid_);
  layout->addWidget(logY_);
  layout->addWidget(new QLabel("More curves"));
  layout->addWidget(moreCurves_);
  layout->addSpacing(6);
  layout->addWidget(OkCancelRow(*this));
  setFixedSize(sizeHint());
}

ChartOptions CChartOptionsDlg::options() const {
  std::vector<int> moreY;
  for (int v = 0; v < moreCurves_->count(); ++v) {
    if (moreCurves_->item(v)->checkState() == Qt::Checked) moreY.push_back(v);
  }
  return {x_->currentIndex(),
          y_->currentIndex(),
          payload_->isChecked() ? 0 : 1,
          {roundTicks_->isChecked(), fitY_->isChecked(), grid_->isChecked(), logY_->isChecked()},
          moreY};
}

ChartSwitches RememberedChartSwitches() {
  const QSettings settings;
  const auto on = [&settings](const char* key) { return settings.value(key, false).toBool(); };
  return {on(kChartSwitchKeys[0]), on(kChartSwitchKeys[1]), on(kChartSwitchKeys[2]),
          on(kChartSwitchKeys[3])};
}

void RememberChartSwitches(const ChartSwitches& switches) {
  QSettings settings;
  settings.setValue(kChartSwitchKeys[0], switches.roundTicks);
  settings.setValue(kChartSwitchKeys[1], switches.fitYToZoom);
  settings.setValue(kChartSwitchKeys[2], switches.gridLines);
  settings.setValue(kChartSwitchKeys[3], switches.logY);
}

// --- 3D Options --------------------------------------------------------------------------------

C3DOptionsPage1::C3DOptionsPage1(const std::array<double, 3>& position, QWidget* parent)
    : QWidget(parent) {
  auto* group = new QGroupBox("Position");
  auto* grid = new QGridLayout(group);
  constexpr const char* kAxes[] = {"x", "y", "z"};
  for (std::size_t k = 0; k < fields_.size(); ++k) {
    // The field is named "x (m)" in its refusals, as kLightFieldNames says.
    NumberField* field =
        AddNumberRow(*grid, static_cast<int>(k), 0, kCtlLight[k], kAxes[k], QStringLiteral("m"));
    field->SetValue(position[k]);
    field->setAlignment(Qt::AlignRight);
    fields_[k] = field;
  }
  grid->setColumnMinimumWidth(1, 120);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addStretch(1);
}

bool C3DOptionsPage1::Read(std::array<double, 3>& position) {
  std::array<double, 3> typed = position;
  for (std::size_t k = 0; k < fields_.size(); ++k) {
    if (!fields_[k]->Read(typed[k])) return false;
  }
  position = typed;
  return true;
}

C3DOptionsDlg::C3DOptionsDlg(const ResultsViewState& state, QWidget* parent)
    : QDialog(parent), result_(state) {
  setWindowTitle("3D Options");
  auto* sheet = new QTabWidget;
  page_ = new C3DOptionsPage1(LightFieldValues(state));
  sheet->addTab(page_, "Light");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->addWidget(sheet);
  layout->addWidget(OkCancelRow(*this));
  setFixedSize(sizeHint());
}

void C3DOptionsDlg::accept() {
  std::array<double, 3> position = LightFieldValues(result_);
  if (!page_->Read(position)) return;
  const std::string refused = StoreLightPosition(result_, position);
  if (!refused.empty()) {
    ShowRefusal(this, refused);
    return;
  }
  QDialog::accept();
}

}  // namespace plumora::gui
