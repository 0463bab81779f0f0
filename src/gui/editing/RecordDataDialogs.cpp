#include "gui/editing/RecordDataDialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/mission/Records.h"
#include "gui/editing/CGLPreviewWnd.h"
#include "gui/kit/EditingKit.h"
#include "gui/kit/NumberField.h"
#include "gui/kit/TabbedList.h"
#include "gui/logic/editing/DialogUnits.h"
#include "gui/logic/editing/NumberText.h"

namespace plumora::gui {

namespace {

// Where the dialogs keep their previews, pixels in the dialog: left, top, side.
constexpr int kMargin = 10;
constexpr int kPayloadFieldsWidth = 340;  // so that the preview stands at x = 360
constexpr int kPayloadPreviewTop = 40;
constexpr int kPayloadPreviewSide = 200;
constexpr int kParachuteFieldsWidth = 350;  // so that the preview stands at x = 370
constexpr int kParachutePreviewSide = 210;
constexpr int kFieldWidthUnits = 44;  // dialog units

constexpr int kIdDefault = 1167;

void Narrow(NumberField& field) {
  field.setFixedWidth(UnitsOf(field.fontMetrics()).ToPixelsX(kFieldWidthUnits));
}

NumberField* Add(QGridLayout& grid, int row, int column, int id, const QString& label,
                 const QString& unit = {}) {
  NumberField* field = AddNumberRow(grid, row, column, id, label, unit);
  Narrow(*field);
  return field;
}

// The group "Inertia (kg*m²)": Ixx, Iyy, Izz down the first column, the products beside them.
QGroupBox* InertiaGroup(std::span<NumberField*> fields) {
  auto* group = new QGroupBox(QString::fromUtf8("Inertia (kg*m\u00B2)"));
  auto* grid = new QGridLayout(group);
  const char* const names[] = {"Ixx", "Iyy", "Izz", "Ixy", "Ixz", "Iyz"};
  for (int k = 0; k < 6; ++k) {
    fields[static_cast<std::size_t>(k)] =
        Add(*grid, k % 3, k < 3 ? 0 : 2, 1007 + k, names[k], QString());
  }
  grid->setColumnMinimumWidth(2, 30);
  return group;
}

const QString kSquareMetres = QString::fromUtf8("m\u00B2");

bool ReadAll(std::span<NumberField* const> fields, std::span<double* const> targets) {
  for (std::size_t k = 0; k < fields.size(); ++k) {
    if (!fields[k]->Read(*targets[k])) return false;
  }
  return true;
}

void ShowAll(std::span<NumberField* const> fields, std::span<double* const> values) {
  for (std::size_t k = 0; k < fields.size(); ++k) fields[k]->SetValue(*values[k]);
}

std::array<double*, 8> DynamicTargets(PayloadData& d) {
  return {&d.ixx, &d.iyy, &d.izz, &d.ixy, &d.ixz, &d.iyz, &d.mass, &d.referenceArea};
}

std::array<double*, 16> ParachuteTargets(ParachuteData& d) {
  return {&d.ixx,           &d.iyy,           &d.izz,
          &d.ixy,           &d.ixz,           &d.iyz,
          &d.mass,          &d.referenceArea, &d.centreOfPressure,
          &d.link.x,        &d.link.y,        &d.link.z,
          &d.stiffness,     &d.lineLength,    &d.damping,
          &d.confluenceMass};
}

}  // namespace

// --- "Dynamic Data" ------------------------------------------------------------------------

CPayloadDataPage1::CPayloadDataPage1() {
  setObjectName("dlg_180");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(InertiaGroup(std::span(fields_).first(6)));
  auto* grid = new QGridLayout;
  fields_[6] = Add(*grid, 0, 0, 1017, "Mass", "kg");
  fields_[7] = Add(*grid, 1, 0, 1016, "Reference area", kSquareMetres);
  grid->setColumnStretch(3, 1);
  layout->addLayout(grid);
  layout->addStretch(1);
  default_ = Button("Default", kIdDefault);
  layout->addWidget(default_, 0, Qt::AlignRight);
}

void CPayloadDataPage1::Show(const PayloadData& data) {
  PayloadData copy = data;
  ShowAll(fields_, DynamicTargets(copy));
}

bool CPayloadDataPage1::Read(PayloadData& data) {
  PayloadData read = data;
  if (!ReadAll(fields_, DynamicTargets(read))) return false;
  data = read;
  return true;
}

// --- "Connection Lines Data" ---------------------------------------------------------------

CPayloadDataPage2::CPayloadDataPage2() {
  setObjectName("dlg_181");
  single_ = new QRadioButton("Single Strope");
  bridle_ = new QRadioButton("Bridle Legs");
  SetControlId(*single_, 1009);
  SetControlId(*bridle_, 1010);
  auto* kinds = new QHBoxLayout;
  kinds->addWidget(single_);
  kinds->addWidget(bridle_);
  kinds->addStretch(1);

  auto* strope = new QGroupBox("Single Strope");
  auto* stropeGrid = new QGridLayout(strope);
  fields_[0] = Add(*stropeGrid, 0, 0, 1031, "x", "m");
  fields_[1] = Add(*stropeGrid, 1, 0, 1032, "y", "m");
  fields_[2] = Add(*stropeGrid, 2, 0, 1033, "z", "m");
  stropeGrid->setColumnStretch(3, 1);

  auto* legs = new QGroupBox("Bridle Legs");
  auto* legGrid = new QGridLayout(legs);
  fields_[3] = new NumberField("Number", NumberField::Kind::kInteger);
  SetControlId(*fields_[3], 1142);
  Narrow(*fields_[3]);
  legGrid->addWidget(new QLabel("Number"), 0, 0);
  legGrid->addWidget(fields_[3], 0, 1);
  fields_[4] = Add(*legGrid, 1, 0, 1143, "COG distance", "m");
  fields_[5] = Add(*legGrid, 2, 0, 1144, "Radius", "m");
  fields_[6] = Add(*legGrid, 3, 0, 1145, "Length", "m");
  legGrid->setColumnStretch(3, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(kinds);
  layout->addWidget(strope);
  layout->addWidget(legs);
  layout->addStretch(1);
  default_ = Button("Default", kIdDefault);
  layout->addWidget(default_, 0, Qt::AlignRight);
}

void CPayloadDataPage2::ShowKind(std::int32_t kind) {
  const bool single = kind == kSingleStrope;
  (single ? single_ : bridle_)->setChecked(true);
  for (std::size_t k = 0; k < fields_.size(); ++k) fields_[k]->setEnabled((k < 3) == single);
}

void CPayloadDataPage2::Show(const PayloadData& data) {
  fields_[0]->SetValue(data.stropeLink.x);
  fields_[1]->SetValue(data.stropeLink.y);
  fields_[2]->SetValue(data.stropeLink.z);
  fields_[3]->SetValue(data.legCount);
  fields_[4]->SetValue(data.cogDistance);
  fields_[5]->SetValue(data.legRadius);
  fields_[6]->SetValue(data.legLength);
  ShowKind(data.connectionKind);
}

bool CPayloadDataPage2::Read(PayloadData& data) {
  PayloadData read = data;
  const std::array<NumberField*, 6> reals = {fields_[0], fields_[1], fields_[2],
                                             fields_[4], fields_[5], fields_[6]};
  const std::array<double*, 6> targets = {&read.stropeLink.x, &read.stropeLink.y,
                                          &read.stropeLink.z, &read.cogDistance,
                                          &read.legRadius,    &read.legLength};
  if (!ReadAll(reals, targets) || !fields_[3]->Read(read.legCount)) return false;
  data = read;
  return true;
}

void CPayloadDataPage2::Peek(PayloadData& data) const {
  const std::array<double*, 7> targets = {
      &data.stropeLink.x, &data.stropeLink.y, &data.stropeLink.z, nullptr,
      &data.cogDistance,  &data.legRadius,    &data.legLength};
  for (std::size_t k = 0; k < fields_.size(); ++k) {
    const std::string text = fields_[k]->text().toStdString();
    if (k == 3) {
      if (const auto count = ParseInteger(text)) data.legCount = *count;
    } else if (const auto value = ParseNumber(text)) {
      *targets[k] = *value;
    }
  }
}

// --- "Payload Data" ------------------------------------------------------------------------

CPayloadDataDlg::CPayloadDataDlg(const CPayload& payload, QWidget* parent)
    : QDialog(parent), data_(PayloadData::Of(payload)) {
  setWindowTitle("Payload Data");
  dynamic_ = new CPayloadDataPage1;
  lines_ = new CPayloadDataPage2;
  auto* sheet = new QTabWidget;
  sheet->addTab(dynamic_, "Dynamic Data");
  sheet->addTab(lines_, "Connection Lines Data");
  sheet->setFixedWidth(kPayloadFieldsWidth);
  dynamic_->Show(data_);
  lines_->Show(data_);

  auto* typeRow = new QWidget;
  auto* typeLayout = new QHBoxLayout(typeRow);
  typeLayout->setContentsMargins(0, 0, 0, 0);
  type_ = new QComboBox;
  SetControlId(*type_, 1166);
  for (const char* keyword : kPayloadTypeKeywords) type_->addItem(keyword);
  type_->setCurrentIndex(data_.typeIndex);
  typeLayout->addWidget(new QLabel("Type"));
  typeLayout->addWidget(type_, 1);
  typeRow->setFixedHeight(kPayloadPreviewTop - kMargin);

  preview_ = new CGLPreviewWnd(this, kMargin + kPayloadFieldsWidth + kMargin, kPayloadPreviewTop,
                               kPayloadPreviewSide, kPayloadPreviewSide, data_.typeIndex);
  preview_->setFixedSize(kPayloadPreviewSide, kPayloadPreviewSide);
  preview_->state().linePoints = linePoints_.data();
  preview_->state().linesOn = true;
  RedrawPreview();

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  grid->setHorizontalSpacing(kMargin);
  grid->setVerticalSpacing(0);
  grid->addWidget(sheet, 0, 0, 3, 1);
  grid->addWidget(typeRow, 0, 1, Qt::AlignTop);
  grid->addWidget(preview_, 1, 1, Qt::AlignTop);
  grid->setRowStretch(2, 1);
  grid->addWidget(OkCancelRow(*this), 3, 0, 1, 2);
  grid->setRowMinimumHeight(3, 40);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  connect(type_, &QComboBox::currentIndexChanged, this, &CPayloadDataDlg::TypeChosen);
  connect(dynamic_->defaultButton(), &QPushButton::clicked, this, [this] {
    data_.ApplyDynamicDefaults();
    dynamic_->Show(data_);
  });
  connect(lines_->defaultButton(), &QPushButton::clicked, this, [this] {
    data_.ApplyConnectionDefaults();
    lines_->Show(data_);
    RedrawPreview();
  });
  const auto kind = [this](std::int32_t k) {
    data_.connectionKind = k;
    lines_->ShowKind(k);
    RedrawPreview();
  };
  connect(lines_->singleStrope(), &QRadioButton::clicked, this, [kind] { kind(kSingleStrope); });
  connect(lines_->bridleLegs(), &QRadioButton::clicked, this, [kind] { kind(kBridleLegs); });
  for (NumberField* field : lines_->fields()) {
    connect(field, &QLineEdit::editingFinished, this, [this] {
      lines_->Peek(data_);
      RedrawPreview();
    });
  }
}

void CPayloadDataDlg::TypeChosen(int index) {
  // The fields keep their values until a "Default" button is pressed.
  data_.typeIndex = UsableTypeIndex(index);
  preview_->state().mode = data_.typeIndex;
  preview_->update();
}

void CPayloadDataDlg::RedrawPreview() {
  preview_->state().lineCount = PreviewLines(data_, linePoints_);
  preview_->update();
}

void CPayloadDataDlg::accept() {
  PayloadData read = data_;
  if (!dynamic_->Read(read) || !lines_->Read(read)) return;
  if (const std::optional<std::string> refusal = read.Refusal()) {
    ShowRefusal(this, *refusal);
    return;
  }
  data_ = read;
  QDialog::accept();
}

bool EditPayload(CPayload& payload, QWidget* parent) {
  CPayloadDataDlg dialog(payload, parent);
  return dialog.exec() == QDialog::Accepted && dialog.data().WriteTo(payload);
}

// --- "Parachute data" ----------------------------------------------------------------------

CParachuteDataDlg::CParachuteDataDlg(const CParachute& parachute, QWidget* parent)
    : QDialog(parent), data_(ParachuteData::Of(parachute)) {
  setWindowTitle("Parachute data");
  auto* fields = new QWidget;
  auto* column = new QVBoxLayout(fields);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(InertiaGroup(std::span(fields_).first(6)));

  auto* body = new QGridLayout;
  fields_[6] = Add(*body, 0, 0, 1017, "Mass", "kg");
  fields_[7] = Add(*body, 1, 0, 1016, "Reference area", kSquareMetres);
  fields_[8] = Add(*body, 2, 0, 1041, "Center of pressure", "m");
  body->setColumnStretch(3, 1);
  column->addLayout(body);

  auto* link = new QGroupBox("Link (body frame)");
  auto* linkGrid = new QGridLayout(link);
  fields_[9] = Add(*linkGrid, 0, 0, 1031, "x", "m");
  fields_[10] = Add(*linkGrid, 0, 3, 1032, "y", "m");
  fields_[11] = Add(*linkGrid, 0, 6, 1033, "z", "m");
  column->addWidget(link);

  auto* line = new QGroupBox("Connection Line");
  auto* lineGrid = new QGridLayout(line);
  fields_[12] = Add(*lineGrid, 0, 0, 1034, "Stiffness", "N/m");
  fields_[13] = Add(*lineGrid, 1, 0, 1140, "Length", "m");
  fields_[14] = Add(*lineGrid, 2, 0, 1157, "Damping", "N/(m/s)");
  lineGrid->setColumnStretch(3, 1);
  column->addWidget(line);

  auto* confluence = new QGridLayout;
  fields_[15] = Add(*confluence, 0, 0, 1155, "Confluence point mass", "kg");
  confluence->setColumnStretch(3, 1);
  column->addLayout(confluence);
  fields->setFixedWidth(kParachuteFieldsWidth);
  ShowAll(fields_, ParachuteTargets(data_));

  auto* preview =
      new CGLPreviewWnd(this, kMargin + kParachuteFieldsWidth + kMargin, kMargin,
                        kParachutePreviewSide, kParachutePreviewSide, kPreviewParachute);
  preview->setFixedSize(kParachutePreviewSide, kParachutePreviewSide);
  // The canopy as the fields say while they are typed: the reference area sizes it, its lines
  // meet at the link. A field that holds no number shows the record's value.
  const auto reshape = [this, preview, record = parachute] {
    CParachute canopy = record;
    const auto shown = [this](std::size_t k, double& value) {
      value = ParseNumber(fields_[k]->text().toStdString()).value_or(value);
    };
    shown(7, canopy.referenceArea);
    shown(9, canopy.link.x);
    shown(10, canopy.link.y);
    shown(11, canopy.link.z);
    preview->state().canopy = std::make_shared<CParachute>(canopy);
    preview->update();
  };
  reshape();
  for (std::size_t k : {7, 9, 10, 11}) connect(fields_[k], &QLineEdit::textChanged, this, reshape);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  grid->setHorizontalSpacing(kMargin);
  grid->addWidget(fields, 0, 0, 2, 1);
  grid->addWidget(preview, 0, 1, Qt::AlignTop);
  grid->setRowStretch(1, 1);
  grid->addWidget(OkCancelRow(*this), 2, 0, 1, 2);
  grid->setSizeConstraint(QLayout::SetFixedSize);
}

void CParachuteDataDlg::accept() {
  ParachuteData read = data_;
  if (!ReadAll(fields_, ParachuteTargets(read))) return;
  if (const std::optional<std::string> refusal = read.Refusal()) {
    ShowRefusal(this, *refusal);
    return;
  }
  data_ = read;
  QDialog::accept();
}

bool EditParachute(CParachute& parachute, QWidget* parent) {
  CParachuteDataDlg dialog(parachute, parent);
  return dialog.exec() == QDialog::Accepted && dialog.data().WriteTo(parachute);
}

}  // namespace plumora::gui
