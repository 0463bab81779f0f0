#include "gui/viewers/AtmosphereViewer.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/kit/NumberField.h"
#include "gui/kit/QtPrompter.h"
#include "gui/logic/commands/ControlIds.h"

namespace plumora::gui {

namespace {

// The plot's rectangle in a view of its first size, with room for the axis title above it, the
// height labels left of it and the quantity's labels below it; it grows with the view.
constexpr Rect kViewRect{70, 40, 230, 350};
constexpr int kViewRightMargin = 25;
constexpr int kViewBottomMargin = 25;
constexpr int kTitleLeft = 7;
constexpr int kTitleLineGap = 2;
constexpr int kReadoutFieldWidth = 110;  // pixels
constexpr int kDatasetListChars = 34;    // the dataset list's width in characters
constexpr int kPopupMargin = 24;         // pixels beside the longest name in the open list

}  // namespace

// --- The plot --------------------------------------------------------------------------------

AtmospherePlotView::AtmospherePlotView(const AtmosphereViewerData& data, QImage background,
                                       QWidget* parent)
    : PlotCanvas(parent), data_(data), background_(std::move(background)) {
  setMinimumSize(sizeHint());
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize AtmospherePlotView::sizeHint() const {
  return QSize(kViewRect.left + kViewRect.width + kViewRightMargin,
               kViewRect.bottom() + kViewBottomMargin);
}

void AtmospherePlotView::Replot(AtmosphereQuantity quantity) {
  quantity_ = quantity;
  const QFontMetrics metrics(PlotFont(kAtmosphereFontPixels));
  const Rect rect{kViewRect.left, kViewRect.top,
                  std::max(kViewRect.width, width() - kViewRect.left - kViewRightMargin),
                  std::max(kViewRect.height, height() - kViewRect.top - kViewBottomMargin)};
  plot_ = LayoutAtmospherePlot(data_.table(), data_.ranges(), quantity, rect,
                               [&metrics](const std::string& text) {
                                 return metrics.horizontalAdvance(QString::fromStdString(text));
                               });
  Invalidate();
}

void AtmospherePlotView::resizeEvent(QResizeEvent*) {
  Replot(quantity_);  // the plot follows the size
}

void AtmospherePlotView::DrawPlot(QPainter& painter) {
  painter.setFont(PlotFont(kAtmosphereFontPixels));
  const QRect area = ToQRect(plot_.rect);
  if (background_.isNull()) {
    painter.fillRect(area, Qt::white);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
  } else {
    painter.drawImage(area, background_);
  }
  painter.setPen(Qt::black);
  // The vertical axis's title, in two lines above its labels.
  const QFontMetrics metrics(painter.font());
  painter.drawText(kTitleLeft, metrics.ascent(), QStringLiteral("Height"));
  painter.drawText(kTitleLeft, 2 * metrics.ascent() + kTitleLineGap, QStringLiteral("(km)"));
  if (plot_.empty) {
    painter.drawText(area, Qt::AlignCenter, QString::fromUtf8(kNoDataAvailable));
    return;
  }
  Draw(painter, plot_.ticks);
  Draw(painter, plot_.labels, TextPlacement::kPixelBox);
  if (plot_.freezingLine) Draw(painter, *plot_.freezingLine);
  painter.setClipRect(area);
  Draw(painter, plot_.curve);
}

void AtmospherePlotView::DrawReadout(QPainter& painter) {
  if (!readout_.crossHair) return;
  Draw(painter, *readout_.crossHair);
}

void AtmospherePlotView::PointerMoved(const std::optional<QPoint>& pointer) {
  readout_ = pointer ? LookupAtRow(plot_, data_.table(), {pointer->x(), pointer->y()})
                     : AtmosphereReadout();
  if (onReadout) onReadout(readout_);
}

// --- The dialog ------------------------------------------------------------------------------

AtmosphereViewer::AtmosphereViewer(std::filesystem::path base, QImage background,
                                   Prompter& prompter, QWidget* parent)
    : QDialog(parent), data_(std::move(base)), prompter_(prompter) {
  setWindowTitle(QStringLiteral("Atmospheric Data Viewer"));

  planets_ = new QComboBox(this);
  SetControlId(*planets_, kCtlViewerPlanet);
  for (std::string_view name : kViewerPlanetNames) planets_->addItem(ToQString(name));
  datasets_ = new QComboBox(this);
  SetControlId(*datasets_, kCtlViewerDataset);
  // As wide as the longest name, so that names alike but for their ends can be told apart.
  datasets_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  datasets_->setMinimumContentsLength(kDatasetListChars);
  quantities_ = new QComboBox(this);
  SetControlId(*quantities_, kCtlViewerQuantity);
  for (std::string_view name : kAtmosphereQuantityNames) quantities_->addItem(ToQString(name));

  plot_ = new AtmospherePlotView(data_, std::move(background), this);
  height_ = new QLineEdit(this);
  value_ = new QLineEdit(this);
  SetControlId(*height_, kCtlViewerHeight);
  SetControlId(*value_, kCtlViewerValue);
  for (QLineEdit* field : {height_, value_}) {
    field->setReadOnly(true);
    field->setFixedWidth(kReadoutFieldWidth);
  }
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  SetControlId(*close, kCtlOk);
  close->setDefault(true);

  auto* choices = new QGridLayout;
  choices->addWidget(new QLabel(QStringLiteral("Atmosphere"), this), 0, 0);
  choices->addWidget(planets_, 0, 1, Qt::AlignLeft);
  choices->addWidget(new QLabel(QStringLiteral("Dataset"), this), 1, 0);
  choices->addWidget(datasets_, 1, 1);
  choices->setColumnStretch(1, 1);

  auto* readouts = new QGridLayout;
  readouts->addWidget(new QLabel(QStringLiteral("Height (m)"), this), 0, 0);
  readouts->addWidget(height_, 1, 0);
  readouts->addWidget(new QLabel(QStringLiteral("X"), this), 2, 0);
  readouts->addWidget(value_, 3, 0);
  readouts->addWidget(quantities_, 1, 2);
  readouts->addWidget(close, 3, 2, Qt::AlignRight);
  readouts->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choices);
  layout->addWidget(plot_, 1);
  layout->addLayout(readouts);

  data_.Init(prompter_);
  FillDatasets();
  plot_->onReadout = [this](const AtmosphereReadout& r) { ShowReadout(r); };
  plot_->Replot(QuantityOfSelection(quantities_->currentIndex()));

  connect(planets_, &QComboBox::currentIndexChanged, this,
          [this](int planet) { OnPlanetChanged(planet); });
  connect(datasets_, &QComboBox::currentIndexChanged, this,
          [this](int index) { OnDatasetChanged(index); });
  connect(quantities_, &QComboBox::currentIndexChanged, this,
          [this](int selection) { plot_->Replot(QuantityOfSelection(selection)); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void AtmosphereViewer::FillDatasets() {
  const QSignalBlocker quiet(datasets_);
  datasets_->clear();
  for (const AtmosphereFileEntry& d : data_.datasets()) {
    const QString name = ToQString(d.description);
    datasets_->addItem(name);
    datasets_->setItemData(datasets_->count() - 1, name, Qt::ToolTipRole);
  }
  datasets_->setCurrentIndex(data_.dataset());
  // The list opens wide enough for whole names.
  datasets_->view()->setMinimumWidth(datasets_->view()->sizeHintForColumn(0) + kPopupMargin);
}

void AtmosphereViewer::OnPlanetChanged(int planet) {
  data_.SelectPlanet(planet, prompter_);
  FillDatasets();
  plot_->Replot(QuantityOfSelection(quantities_->currentIndex()));
}

void AtmosphereViewer::OnDatasetChanged(int index) {
  data_.SelectDataset(index, prompter_);
  plot_->Replot(QuantityOfSelection(quantities_->currentIndex()));
}

void AtmosphereViewer::ShowReadout(const AtmosphereReadout& readout) {
  height_->setText(QString::fromStdString(readout.heightText));
  value_->setText(QString::fromStdString(readout.valueText));
}

}  // namespace plumora::gui
