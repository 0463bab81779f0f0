// The atmospheric data viewer: a planet, one of its atmosphere files by dataset name, and one
// quantity plotted against height over the atmosphere picture, with the height and the value
// under the pointer.
#pragma once

#include <QDialog>
#include <QImage>
#include <filesystem>
#include <functional>

#include "core/common/Prompter.h"
#include "gui/logic/viewers/AtmospherePlot.h"
#include "gui/logic/viewers/ViewerData.h"
#include "gui/viewers/PlotCanvas.h"

class QComboBox;
class QLineEdit;

namespace plumora::gui {

// The plot: a rectangle that grows with the view, the axis title above the height labels.
class AtmospherePlotView final : public PlotCanvas {
 public:
  AtmospherePlotView(const AtmosphereViewerData& data, QImage background, QWidget* parent);

  // The data or the quantity has changed.
  void Replot(AtmosphereQuantity quantity);
  const AtmospherePlot& plot() const { return plot_; }
  const AtmosphereReadout& readout() const { return readout_; }
  // Told whenever the read-out changes.
  std::function<void(const AtmosphereReadout&)> onReadout;

  QSize sizeHint() const override;

 protected:
  void DrawPlot(QPainter& painter) override;
  void DrawReadout(QPainter& painter) override;
  void PointerMoved(const std::optional<QPoint>& pointer) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  const AtmosphereViewerData& data_;
  AtmosphereQuantity quantity_ = AtmosphereQuantity::kDensity;
  QImage background_;
  AtmospherePlot plot_;
  AtmosphereReadout readout_;
};

class AtmosphereViewer final : public QDialog {
 public:
  // base: the folder holding atm/; background: the atmosphere picture (may be null).
  AtmosphereViewer(std::filesystem::path base, QImage background, Prompter& prompter,
                   QWidget* parent = nullptr);

  AtmospherePlotView& plotView() { return *plot_; }
  const AtmosphereViewerData& data() const { return data_; }

 private:
  void FillDatasets();
  void OnPlanetChanged(int planet);
  void OnDatasetChanged(int index);
  void ShowReadout(const AtmosphereReadout& readout);

  AtmosphereViewerData data_;
  Prompter& prompter_;
  QComboBox* planets_ = nullptr;
  QComboBox* datasets_ = nullptr;
  QComboBox* quantities_ = nullptr;
  QLineEdit* height_ = nullptr;
  QLineEdit* value_ = nullptr;
  AtmospherePlotView* plot_ = nullptr;
};

}  // namespace plumora::gui
