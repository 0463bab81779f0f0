// The aerodynamic data viewer: the coefficients of one aerodynamic file against the angle of
// attack at a Mach number, or against the Mach number at an angle of attack, with straight
// lines or splines along the angle, and the values under the pointer.
#pragma once

#include <QDialog>
#include <array>
#include <filesystem>
#include <functional>

#include "core/common/Prompter.h"
#include "gui/logic/viewers/AeroPlot.h"
#include "gui/logic/viewers/ViewerData.h"
#include "gui/viewers/PlotCanvas.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace plumora::gui {

class NumberField;

class AeroPlotView final : public PlotCanvas {
 public:
  AeroPlotView(const AeroViewerData& data, QWidget* parent);

  // The data or the settings have changed.
  void Replot();
  const AeroPlot& plot() const { return plot_; }
  const std::optional<AeroReadout>& readout() const { return readout_; }
  // Told whenever the read-out changes.
  std::function<void(const std::optional<AeroReadout>&)> onReadout;

  QSize sizeHint() const override;

 protected:
  void DrawPlot(QPainter& painter) override;
  void DrawReadout(QPainter& painter) override;
  void PointerMoved(const std::optional<QPoint>& pointer) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  const AeroViewerData& data_;
  AeroPlot plot_;
  std::optional<AeroReadout> readout_;
};

class AeroViewer final : public QDialog {
 public:
  // base: the folder holding adf/.
  AeroViewer(std::filesystem::path base, Prompter& prompter, QWidget* parent = nullptr);

  AeroPlotView& plotView() { return *plot_; }
  const AeroViewerData& data() const { return data_; }

 private:
  QLayout* MakeSwitches();
  void ShowComment();
  void OnFileChanged(int index);
  void OnXAxisChanged(bool machOnX);
  // While typing: a number replots, anything else waits for more.
  void OnTyped(NumberField& field, double& target);
  // Apply: the field in use must hold a number.
  void OnApply();
  void TakeSwitches();

  AeroViewerData data_;
  Prompter& prompter_;
  QComboBox* files_ = nullptr;
  QLineEdit* comment_ = nullptr;
  QCheckBox* splines_ = nullptr;
  std::array<QCheckBox*, kCoefficientCount> shown_{};
  QRadioButton* angleOnX_ = nullptr;
  QRadioButton* machOnX_ = nullptr;
  NumberField* mach_ = nullptr;
  NumberField* alpha_ = nullptr;
  AeroPlotView* plot_ = nullptr;
  QLabel* readout_ = nullptr;
};

}  // namespace plumora::gui
