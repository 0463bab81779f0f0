#include "gui/editing/DispersionsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/Messages.h"
#include "gui/kit/EditingKit.h"
#include "gui/kit/NumberField.h"
#include "gui/logic/commands/ControlIds.h"

namespace plumora::gui {

namespace {

constexpr DrawKind kKinds[] = {DrawKind::kNormal, DrawKind::kUniform, DrawKind::kScaleNormal};

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QLineEdit* Edit(int id, const std::string& text) {
  auto* edit = new QLineEdit(Text(text));
  SetControlId(*edit, id);
  return edit;
}

}  // namespace

DispersionsDialog::DispersionsDialog(const DispersionStudy& study, const Mission& mission,
                                     Prompter& prompter, QWidget* parent)
    : QDialog(parent), editor_(study, ScatterableFieldsOf(mission)), prompter_(prompter) {
  setWindowTitle("Dispersions");

  auto* scatter = new QGroupBox("Scattered inputs");
  auto* scatterLayout = new QVBoxLayout(scatter);
  list_ = new QListWidget;
  SetControlId(*list_, kCtlStudyScatters);
  list_->setMinimumWidth(340);
  scatterLayout->addWidget(list_);
  auto* addRow = new QHBoxLayout;
  addable_ = new QComboBox;
  SetControlId(*addable_, kCtlStudyField);
  add_ = Button("&Add", kCtlStudyAdd);
  remove_ = Button("Re&move", kCtlStudyRemove);
  addRow->addWidget(addable_, 1);
  addRow->addWidget(add_);
  addRow->addWidget(remove_);
  scatterLayout->addLayout(addRow);

  auto* grid = new QGridLayout;
  grid->setColumnStretch(1, 1);
  kind_ = new QComboBox;
  SetControlId(*kind_, kCtlStudyDistribution);
  for (DrawKind kind : kKinds) kind_->addItem(Text(std::string(DrawKindName(kind))));
  auto* kindLabel = new QLabel("Dis&tribution");
  kindLabel->setBuddy(kind_);
  grid->addWidget(kindLabel, 0, 0);
  grid->addWidget(kind_, 0, 1);
  first_ = Edit(kCtlStudyFirst, "");
  second_ = Edit(kCtlStudySecond, "");
  firstLabel_ = new QLabel;
  secondLabel_ = new QLabel;
  firstUnit_ = new QLabel;
  secondUnit_ = new QLabel;
  grid->addWidget(firstLabel_, 1, 0);
  grid->addWidget(first_, 1, 1);
  grid->addWidget(firstUnit_, 1, 2);
  grid->addWidget(secondLabel_, 2, 0);
  grid->addWidget(second_, 2, 1);
  grid->addWidget(secondUnit_, 2, 2);
  scatterLayout->addLayout(grid);

  auto* form = new QFormLayout;
  runs_ = Edit(kCtlStudyRuns, editor_.runs);
  seed_ = Edit(kCtlStudySeed, editor_.seed);
  threads_ = Edit(kCtlStudyThreads, editor_.threads);
  threads_->setToolTip("0: one per core");
  form->addRow("R&uns", runs_);
  form->addRow("&Seed", seed_);
  form->addRow("T&hreads (0: one per core)", threads_);

  auto* buttons = qobject_cast<QDialogButtonBox*>(OkCancelRow(*this));
  QPushButton* run = buttons->addButton("&Run", QDialogButtonBox::ActionRole);
  SetControlId(*run, kCtlStudyRun);
  run->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scatter);
  layout->addLayout(form);
  layout->addWidget(buttons);

  connect(list_, &QListWidget::currentRowChanged, this, [this] { ShowSelected(); });
  connect(add_, &QPushButton::clicked, this, [this] {
    ShowRows(editor_.Add(addable_->currentText().toStdString()));
    first_->setFocus();
  });
  connect(remove_, &QPushButton::clicked, this, [this] {
    const int row = Selected();
    if (row < 0) return;
    editor_.Remove(static_cast<std::size_t>(row));
    ShowRows(std::min(row, static_cast<int>(editor_.rows().size()) - 1));
  });
  connect(kind_, &QComboBox::currentIndexChanged, this, [this](int index) {
    const int row = Selected();
    if (showing_ || row < 0 || index < 0) return;
    editor_.SetKind(static_cast<std::size_t>(row), kKinds[index]);
    ShowSelected();
    UpdateRowText();
  });
  for (QLineEdit* edit : {first_, second_}) {
    connect(edit, &QLineEdit::textChanged, this, [this, edit](const QString& text) {
      const int row = Selected();
      if (showing_ || row < 0) return;
      ScatterRow& r = editor_.row(static_cast<std::size_t>(row));
      (edit == first_ ? r.first : r.second) = text.toStdString();
      UpdateRowText();
    });
  }
  connect(runs_, &QLineEdit::textChanged, this,
          [this](const QString& text) { editor_.runs = text.toStdString(); });
  connect(seed_, &QLineEdit::textChanged, this,
          [this](const QString& text) { editor_.seed = text.toStdString(); });
  connect(threads_, &QLineEdit::textChanged, this,
          [this](const QString& text) { editor_.threads = text.toStdString(); });
  connect(run, &QPushButton::clicked, this, [this] {
    runRequested_ = true;
    accept();
    if (result() != QDialog::Accepted) runRequested_ = false;
  });
  ShowRows(editor_.rows().empty() ? -1 : 0);
}

int DispersionsDialog::Selected() const {
  const int row = list_->currentRow();
  return row >= 0 && row < static_cast<int>(editor_.rows().size()) ? row : -1;
}

void DispersionsDialog::ShowRows(int select) {
  showing_ = true;
  list_->clear();
  for (const ScatterRow& row : editor_.rows()) list_->addItem(Text(row.ListText()));
  addable_->clear();
  for (const std::string& field : editor_.AddableFields()) addable_->addItem(Text(field));
  add_->setEnabled(addable_->count() > 0);
  showing_ = false;
  list_->setCurrentRow(select);
  ShowSelected();
}

void DispersionsDialog::ShowSelected() {
  const int row = Selected();
  showing_ = true;
  const bool any = row >= 0;
  for (QWidget* w : std::initializer_list<QWidget*>{remove_, kind_, first_, second_}) {
    w->setEnabled(any);
  }
  if (any) {
    const ScatterRow& r = editor_.rows()[static_cast<std::size_t>(row)];
    kind_->setCurrentIndex(static_cast<int>(std::find(std::begin(kKinds), std::end(kKinds),
                                                      r.kind) -
                                            std::begin(kKinds)));
    first_->setText(Text(r.first));
    second_->setText(Text(r.second));
    firstLabel_->setText(Text(FirstParameterLabel(r.kind)));
    secondLabel_->setText(Text(SecondParameterLabel(r.kind)));
    const QString unit = Text(ParameterUnit(r.field, r.kind));
    firstUnit_->setText(unit);
    secondUnit_->setText(unit);
  } else {
    first_->clear();
    second_->clear();
    firstLabel_->setText(Text(FirstParameterLabel(DrawKind::kNormal)));
    secondLabel_->setText(Text(SecondParameterLabel(DrawKind::kNormal)));
    firstUnit_->clear();
    secondUnit_->clear();
  }
  showing_ = false;
}

void DispersionsDialog::UpdateRowText() {
  const int row = Selected();
  if (row < 0) return;
  list_->item(row)->setText(Text(editor_.rows()[static_cast<std::size_t>(row)].ListText()));
}

void DispersionsDialog::accept() {
  Result<DispersionStudy> study = editor_.Study();
  if (!study) {
    prompter_.Message(study.message(), kCaptionError);
    return;
  }
  study_ = std::move(study).value();
  QDialog::accept();
}

}  // namespace plumora::gui
