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
#include "gui/editing/FormLayout.h"
#include "gui/kit/EditingKit.h"
#include "gui/kit/NumberField.h"
#include "gui/kit/TabbedList.h"
#include "gui/logic/commands/ControlIds.h"
#include "gui/logic/editing/DialogUnits.h"

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

void Narrow(NumberField& field) {
  field.setFixedWidth(UnitsOf(field.fontMetrics()).ToPixelsX(kFieldWidthUnits));
}

// The field of a table row in line `line` of a grid: its label in `column`, the field beside it,
// the unit after it. A real field names itself with its unit in its refusals.
template <typename Record>
NumberField* AddField(FieldRows<Record>& rows, QGridLayout& grid, int line, int column,
                      const NumberFieldRow<Record>& row) {
  const QString label = QString::fromUtf8(row.label);
  NumberField* field = nullptr;
  if (row.value.IsInteger()) {
    field = new NumberField(label, NumberField::Kind::kInteger);
    SetControlId(*field, row.id);
    grid.addWidget(new QLabel(label), line, column);
    grid.addWidget(field, line, column + 1);
  } else {
    field = AddNumberRow(grid, line, column, row.id, label, QString::fromUtf8(row.unit));
  }
  Narrow(*field);
  rows.Bind(field, row);
  return field;
}

// The rows one under another, from the grid's first line.
template <typename Record>
QGridLayout* AddColumn(FieldRows<Record>& rows, QGridLayout& grid,
                       std::span<const NumberFieldRow<Record>> table) {
  for (std::size_t k = 0; k < table.size(); ++k) {
    AddField(rows, grid, static_cast<int>(k), 0, table[k]);
  }
  grid.setColumnStretch(3, 1);
  return &grid;
}

// The group "Inertia (kg*m²)": the moments, then the products, in the column of the page's
// other fields. `grid` is the group's grid.
template <typename Record>
QGroupBox* InertiaGroup(FieldRows<Record>& rows, std::span<const NumberFieldRow<Record>> table,
                        QGridLayout*& grid) {
  auto* group = new QGroupBox(QString::fromUtf8("Inertia (kg*m\u00B2)"));
  grid = AddColumn(rows, *new QGridLayout(group), table.first(6));
  return group;
}

}  // namespace

// --- "Dynamic Data" ------------------------------------------------------------------------

CPayloadDataPage1::CPayloadDataPage1() {
  setObjectName("dlg_180");
  const std::span<const NumberFieldRow<CPayload>> table(kPayloadDynamicFields);
  auto* layout = new QVBoxLayout(this);
  QGridLayout* inertia = nullptr;
  layout->addWidget(InertiaGroup(rows_, table.first(6), inertia));
  auto* grid = new QGridLayout;
  AddColumn(rows_, *grid, table.subspan(6));
  layout->addLayout(grid);
  grids_ = {{this, inertia}, {this, grid}};
  layout->addStretch(1);
  default_ = Button("Default", kCtlTypeDefaults);
  layout->addWidget(default_, 0, Qt::AlignRight);
}

void CPayloadDataPage1::Show(const PayloadData& data) {
  rows_.Show(data);
}

bool CPayloadDataPage1::Read(PayloadData& data) {
  PayloadData read = data;
  if (!rows_.Read(read)) return false;
  data = read;
  return true;
}

// --- "Connection Lines Data" ---------------------------------------------------------------

CPayloadDataPage2::CPayloadDataPage2() {
  setObjectName("dlg_181");
  single_ = new QRadioButton("Single Strope");
  bridle_ = new QRadioButton("Bridle Legs");
  SetControlId(*single_, kCtlSingleStrope);
  SetControlId(*bridle_, kCtlBridleLegs);
  auto* kinds = new QHBoxLayout;
  kinds->addWidget(single_);
  kinds->addWidget(bridle_);
  kinds->addStretch(1);

  auto* strope = new QGroupBox("Single Strope");
  auto* legs = new QGroupBox("Bridle Legs");
  grids_ = {{this, AddColumn<CPayload>(strope_, *new QGridLayout(strope), kPayloadStropeFields)},
            {this, AddColumn<CPayload>(legs_, *new QGridLayout(legs), kPayloadLegFields)}};

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(kinds);
  layout->addWidget(strope);
  layout->addWidget(legs);
  layout->addStretch(1);
  default_ = Button("Default", kCtlTypeDefaults);
  layout->addWidget(default_, 0, Qt::AlignRight);
}

void CPayloadDataPage2::ShowKind(std::int32_t kind) {
  const bool single = kind == kSingleStrope;
  (single ? single_ : bridle_)->setChecked(true);
  for (NumberField* field : strope_.Fields()) field->setEnabled(single);
  for (NumberField* field : legs_.Fields()) field->setEnabled(!single);
}

void CPayloadDataPage2::Show(const PayloadData& data) {
  strope_.Show(data);
  legs_.Show(data);
  ShowKind(data.connectionKind);
}

bool CPayloadDataPage2::Read(PayloadData& data) {
  PayloadData read = data;
  if (!strope_.Read(read) || !legs_.Read(read)) return false;
  data = read;
  return true;
}

void CPayloadDataPage2::Peek(PayloadData& data) const {
  strope_.Peek(data);
  legs_.Peek(data);
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
  // The two pages' fields stand in one column.
  std::vector<FieldGrid> grids = dynamic_->grids();
  for (const FieldGrid& g : lines_->grids()) grids.push_back(g);
  AlignFieldColumns(grids);

  auto* typeRow = new QWidget;
  auto* typeLayout = new QHBoxLayout(typeRow);
  typeLayout->setContentsMargins(0, 0, 0, 0);
  type_ = new QComboBox;
  SetControlId(*type_, kCtlPayloadType);
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
  lines_->OnLeave(this, [this] {
    lines_->Peek(data_);
    RedrawPreview();
  });
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
  const std::span<const NumberFieldRow<CParachute>> table(kParachuteFields);
  QGridLayout* inertia = nullptr;
  column->addWidget(InertiaGroup(rows_, table.first(6), inertia));

  auto* body = new QGridLayout;
  AddColumn(rows_, *body, table.subspan(6, 3));
  column->addLayout(body);

  auto* link = new QGroupBox("Link (body frame)");
  QGridLayout* linkGrid = AddColumn(rows_, *new QGridLayout(link), table.subspan(9, 3));
  column->addWidget(link);

  auto* line = new QGroupBox("Connection Line");
  QGridLayout* lineGrid = AddColumn(rows_, *new QGridLayout(line), table.subspan(12, 3));
  column->addWidget(line);

  auto* confluence = new QGridLayout;
  AddColumn(rows_, *confluence, table.subspan(15));
  column->addLayout(confluence);
  const FieldGrid grids[] = {{fields, inertia},
                             {fields, body},
                             {fields, linkGrid},
                             {fields, lineGrid},
                             {fields, confluence}};
  AlignFieldColumns(grids);
  fields->setFixedWidth(kParachuteFieldsWidth);
  rows_.Show(data_);

  auto* preview =
      new CGLPreviewWnd(this, kMargin + kParachuteFieldsWidth + kMargin, kMargin,
                        kParachutePreviewSide, kParachutePreviewSide, kPreviewParachute);
  preview->setFixedSize(kParachutePreviewSide, kParachutePreviewSide);
  // The canopy as the fields say while they are typed: the reference area sizes it, its lines
  // meet at the link. A field that holds no number shows the record's value.
  const auto reshape = [this, preview, record = parachute] {
    CParachute canopy = record;
    rows_.Peek(canopy);
    preview->state().canopy = std::make_shared<CParachute>(canopy);
    preview->update();
  };
  reshape();
  for (int id : {kCtlReferenceArea, kCtlLinkX, kCtlLinkY, kCtlLinkZ}) {
    connect(rows_.Field(id), &QLineEdit::textChanged, this, reshape);
  }

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
  if (!rows_.Read(read)) return;
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
