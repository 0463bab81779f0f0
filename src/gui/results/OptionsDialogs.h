// The options dialogs of the results panes: Table Options, Chart Options, and 3D Options with
// its "Light" page. Each is filled from the pane's settings and gives its choices back only
// when it closes with OK; what they mean for the settings is DisplayOptions' (gui/logic).
#pragma once

#include <QDialog>
#include <array>

#include "gui/logic/results/DisplayOptions.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QRadioButton;

namespace plumora::gui {

class NumberField;

// Opens the dialog of the mode on the settings, modally; true when OK changed what the pane
// shows (table and chart: lay out and repaint). A mode without options does nothing.
bool RunOptionsDialog(DisplayMode mode, ResultsViewState& state, QWidget* parent);

class CTableOptionsDlg final : public QDialog {
 public:
  CTableOptionsDlg(const ColumnSwitches& switches, QWidget* parent = nullptr);
  CTableOptionsDlg(const ColumnSwitches& switches, const DerivedSwitches& derived,
                   QWidget* parent = nullptr);
  ColumnSwitches switches() const;
  DerivedSwitches derived() const;

 private:
  std::array<QCheckBox*, kTableColumnCount> boxes_{};  // in kTableOptionSwitches order
  std::array<QCheckBox*, kDerivedColumnCount> derived_{};
};

class CChartOptionsDlg final : public QDialog {
 public:
  CChartOptionsDlg(const ChartOptions& options, QWidget* parent = nullptr);
  ChartOptions options() const;

 private:
  QComboBox* x_;
  QComboBox* y_;
  QRadioButton* payload_;
  QCheckBox* roundTicks_;
  QCheckBox* fitY_;
  QCheckBox* grid_;
  QCheckBox* logY_;
  QListWidget* moreCurves_;  // every variable, checked for a further curve
};

// "Histogram Options": which output of the study the histogram shows.
class CHistogramOptionsDlg final : public QDialog {
 public:
  CHistogramOptionsDlg(StudyOutput output, QWidget* parent = nullptr);
  StudyOutput output() const;

 private:
  QComboBox* output_;
};

// The chart switches as the user left them at the last OK of Chart Options (all off the first
// time), and keeping them for the next start of the program.
ChartSwitches RememberedChartSwitches();
void RememberChartSwitches(const ChartSwitches& switches);

// The "Light" page: the light's position in three fields.
class C3DOptionsPage1 final : public QWidget {
 public:
  explicit C3DOptionsPage1(const std::array<double, 3>& position, QWidget* parent = nullptr);
  // The three numbers typed; false (said so, the field focused) when one is not a number.
  bool Read(std::array<double, 3>& position);

 private:
  std::array<NumberField*, 3> fields_{};
};

class C3DOptionsDlg final : public QDialog {
 public:
  C3DOptionsDlg(const ResultsViewState& state, QWidget* parent = nullptr);
  // The light as OK left it.
  const std::array<float, 4>& lightPosition() const { return result_.lightPosition; }

  // OK: only numbers the light can hold close the dialog.
  void accept() override;

 private:
  ResultsViewState result_;
  C3DOptionsPage1* page_;
};

}  // namespace plumora::gui
