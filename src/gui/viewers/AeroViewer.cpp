#include "gui/viewers/AeroViewer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "gui/kit/NumberField.h"
#include "gui/kit/QtPrompter.h"
#include "gui/logic/commands/ControlIds.h"
#include "gui/logic/editing/NumberText.h"

namespace plumora::gui {

namespace {

constexpr QSize kPlotSize(340, 300);  // pixels, the plot's first size
constexpr int kLegendLength = 30;     // pixels of each coefficient's legend line
constexpr int kFieldWidth = 90;       // pixels of the two number fields
constexpr int kFieldIndent = 20;      // pixels the fields stand in from their radio buttons

QPixmap LegendLine(Colour colour) {
  QPixmap line(kLegendLength, 3);
  line.fill(Qt::transparent);
  QPainter painter(&line);
  Draw(painter, Segment{{0, 1}, {kLegendLength - 1, 1}, colour});
  return line;
}

}  // namespace

// --- The plot --------------------------------------------------------------------------------

AeroPlotView::AeroPlotView(const AeroViewerData& data, QWidget* parent)
    : PlotCanvas(parent), data_(data) {
  setMinimumSize(kPlotSize);
}

QSize AeroPlotView::sizeHint() const {
  return kPlotSize;
}

void AeroPlotView::Replot() {
  const QFontMetrics metrics(PlotFont(kAeroFontPixels));
  plot_ = LayoutAeroPlot(data_.database(), data_.settings, width(), height(),
                         [&metrics](const std::string& text) {
                           return metrics.horizontalAdvance(QString::fromStdString(text));
                         });
  Invalidate();
}

void AeroPlotView::resizeEvent(QResizeEvent*) {
  Replot();  // the layout follows the size
}

void AeroPlotView::DrawPlot(QPainter& painter) {
  Fill(painter, {0, 0, width(), height()}, kAeroPlotBackground);
  painter.setFont(PlotFont(kAeroFontPixels));
  painter.setPen(Qt::black);
  if (plot_.empty) {
    painter.drawText(rect(), Qt::AlignCenter, QString::fromUtf8(kNoDataAvailable));
    return;
  }
  Draw(painter, plot_.axes);
  Draw(painter, plot_.ticks);
  Draw(painter, plot_.labels, TextPlacement::kPixelBox);
  for (const Polyline& curve : plot_.curves) Draw(painter, curve);
}

void AeroPlotView::DrawReadout(QPainter& painter) {
  if (!readout_) return;
  Draw(painter, readout_->cursor);
}

void AeroPlotView::PointerMoved(const std::optional<QPoint>& pointer) {
  readout_.reset();
  if (pointer) {
    readout_ = ReadAeroAt(plot_, data_.database(), data_.settings, {pointer->x(), pointer->y()});
  }
  if (onReadout) onReadout(readout_);
}

// --- The dialog ------------------------------------------------------------------------------

AeroViewer::AeroViewer(std::filesystem::path base, Prompter& prompter, QWidget* parent)
    : QDialog(parent), data_(std::move(base)), prompter_(prompter) {
  setWindowTitle(QStringLiteral("Aerodynamic Data Viewer"));
  data_.Init(prompter_);

  files_ = new QComboBox(this);
  SetControlId(*files_, kCtlAeroFile);
  for (const std::string& name : data_.files()) files_->addItem(ToQString(name));
  files_->setCurrentIndex(data_.file());
  comment_ = new QLineEdit(this);
  SetControlId(*comment_, kCtlAeroComment);
  comment_->setReadOnly(true);
  ShowComment();

  auto* frame = new QFrame(this);
  SetControlId(*frame, kCtlAeroPlotFrame);
  frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  plot_ = new AeroPlotView(data_, frame);
  auto* inFrame = new QVBoxLayout(frame);
  inFrame->setContentsMargins(1, 1, 1, 1);
  inFrame->addWidget(plot_);
  // Two lines under the plot, as wide as it: a long read-out wraps rather than widening the
  // window as the pointer moves.
  readout_ = new QLabel(this);
  readout_->setWordWrap(true);
  readout_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  readout_->setFixedHeight(2 * readout_->fontMetrics().lineSpacing());
  readout_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* header = new QGridLayout;
  header->addWidget(new QLabel(QStringLiteral("Aerodynamic data file"), this), 0, 0);
  header->addWidget(files_, 0, 1, Qt::AlignLeft);
  header->addWidget(new QLabel(QStringLiteral("Comment"), this), 1, 0);
  header->addWidget(comment_, 1, 1);
  header->setColumnStretch(1, 1);

  auto* apply = new QPushButton(QStringLiteral("Apply"), this);
  SetControlId(*apply, kCtlAeroApply);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  SetControlId(*ok, kCtlOk);
  ok->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(apply);
  buttons->addWidget(ok);

  auto* controls = new QVBoxLayout;
  controls->addLayout(MakeSwitches());
  controls->addStretch(1);
  controls->addLayout(buttons);

  auto* shown = new QVBoxLayout;
  shown->addWidget(frame, 1);
  shown->addWidget(readout_);

  auto* body = new QHBoxLayout;
  body->addLayout(controls);
  body->addLayout(shown, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(header);
  layout->addLayout(body, 1);

  plot_->onReadout = [this](const std::optional<AeroReadout>& r) {
    readout_->setText(r ? QString::fromStdString(r->text) : QString());
  };
  connect(files_, &QComboBox::currentIndexChanged, this, [this](int i) { OnFileChanged(i); });
  connect(apply, &QPushButton::clicked, this, [this] { OnApply(); });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  plot_->Replot();
}

QLayout* AeroViewer::MakeSwitches() {
  const AeroViewSettings& s = data_.settings;
  splines_ = new QCheckBox(QStringLiteral("Splines"), this);
  SetControlId(*splines_, kCtlAeroSplines);
  splines_->setChecked(s.splines);
  connect(splines_, &QCheckBox::toggled, this, [this] { TakeSwitches(); });

  auto* coefficients = new QGridLayout;
  for (int j = 0; j < kCoefficientCount; ++j) {
    shown_[j] = new QCheckBox(ToQString(kCoefficientNames[j]), this);
    SetControlId(*shown_[j], kCtlAeroFirstCoefficient + j);
    shown_[j]->setChecked(s.shown[j]);
    connect(shown_[j], &QCheckBox::toggled, this, [this] { TakeSwitches(); });
    auto* legend = new QLabel(this);
    legend->setPixmap(LegendLine(kCoefficientColours[j]));
    coefficients->addWidget(shown_[j], j, 0);
    coefficients->addWidget(legend, j, 1);
  }
  coefficients->setColumnStretch(2, 1);

  angleOnX_ = new QRadioButton(QStringLiteral("Angle of Attack at mach"), this);
  machOnX_ = new QRadioButton(QStringLiteral("Mach at angle of attack"), this);
  SetControlId(*angleOnX_, kCtlAeroAngleOnX);
  SetControlId(*machOnX_, kCtlAeroMachOnX);
  mach_ = new NumberField(QStringLiteral("Mach number"), NumberField::Kind::kReal, this);
  alpha_ = new NumberField(QStringLiteral("Angle of attack (°)"), NumberField::Kind::kReal, this);
  SetControlId(*mach_, kCtlAeroMach);
  SetControlId(*alpha_, kCtlAeroAlpha);
  mach_->SetValue(s.mach);
  alpha_->SetValue(s.alphaDeg);
  for (NumberField* field : {mach_, alpha_}) field->setFixedWidth(kFieldWidth);
  connect(mach_, &QLineEdit::textEdited, this, [this] { OnTyped(*mach_, data_.settings.mach); });
  connect(alpha_, &QLineEdit::textEdited, this,
          [this] { OnTyped(*alpha_, data_.settings.alphaDeg); });
  (s.machOnX ? machOnX_ : angleOnX_)->setChecked(true);
  mach_->setEnabled(!s.machOnX);
  alpha_->setEnabled(s.machOnX);
  connect(angleOnX_, &QRadioButton::clicked, this, [this] { OnXAxisChanged(false); });
  connect(machOnX_, &QRadioButton::clicked, this, [this] { OnXAxisChanged(true); });

  auto* axis = new QGroupBox(QStringLiteral("X axis"), this);
  auto* axisLayout = new QGridLayout(axis);
  axisLayout->addWidget(angleOnX_, 0, 0, 1, 3);
  axisLayout->addWidget(mach_, 1, 1);
  axisLayout->addWidget(machOnX_, 2, 0, 1, 3);
  axisLayout->addWidget(alpha_, 3, 1);
  axisLayout->addWidget(new QLabel(QStringLiteral("°"), axis), 3, 2);
  axisLayout->setColumnMinimumWidth(0, kFieldIndent);
  axisLayout->setColumnStretch(2, 1);

  auto* switches = new QVBoxLayout;
  switches->addWidget(splines_);
  switches->addLayout(coefficients);
  switches->addWidget(axis);
  return switches;
}

void AeroViewer::OnFileChanged(int index) {
  data_.SelectFile(index, prompter_);
  ShowComment();
  plot_->Replot();
}

void AeroViewer::ShowComment() {
  // From its start, whole in the tip when it is longer than the field.
  const QString comment = ToQString(data_.comment());
  comment_->setText(comment);
  comment_->setToolTip(comment);
  comment_->setCursorPosition(0);
}

void AeroViewer::OnXAxisChanged(bool machOnX) {
  data_.settings.machOnX = machOnX;
  mach_->setEnabled(!machOnX);
  alpha_->setEnabled(machOnX);
  plot_->Replot();
}

void AeroViewer::OnTyped(NumberField& field, double& target) {
  if (const std::optional<double> value = ParseNumber(field.text().toStdString())) {
    target = *value;
    plot_->Replot();
  }
}

void AeroViewer::OnApply() {
  AeroViewSettings& s = data_.settings;
  const bool read = s.machOnX ? alpha_->Read(s.alphaDeg) : mach_->Read(s.mach);
  if (read) plot_->Replot();
}

void AeroViewer::TakeSwitches() {
  data_.settings.splines = splines_->isChecked();
  for (int j = 0; j < kCoefficientCount; ++j) data_.settings.shown[j] = shown_[j]->isChecked();
  plot_->Replot();
}

}  // namespace plumora::gui
