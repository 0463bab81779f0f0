#include "gui/editing/ImportDialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/Messages.h"
#include "gui/kit/EditingKit.h"
#include "gui/kit/NumberField.h"
#include "gui/logic/editing/SetupForms.h"

namespace plumora::gui {

namespace {
constexpr int kFileFieldChars = 40;
}

ImportDialog::ImportDialog(const std::filesystem::path& file, Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
  setWindowTitle("Import data...");
  file_ = new QLineEdit(QString::fromStdString(file.string()));
  file_->setMinimumWidth(file_->fontMetrics().averageCharWidth() * kFileFieldChars);
  auto* browse = new QPushButton("Browse...");
  connect(browse, &QPushButton::clicked, this, [this] { Browse(); });
  auto* fileRow = new QHBoxLayout;
  auto* fileLabel = new QLabel("File");
  fileLabel->setBuddy(file_);
  fileRow->addWidget(fileLabel);
  fileRow->addWidget(file_, 1);
  fileRow->addWidget(browse);

  auto* include = new QGroupBox("Include");
  auto* boxes = new QVBoxLayout(include);
  // In the order the columns stand in the file.
  for (std::size_t k = 0; k < kImportColumnRows.size(); ++k) {
    auto* box = new QCheckBox(QString::fromUtf8(kImportColumnRows[k].label));
    SetControlId(*box, kImportColumnRows[k].id);
    box->setChecked(true);
    boxes->addWidget(box);
    columns_[k] = box;
  }

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fileRow);
  layout->addWidget(include);
  layout->addWidget(OkCancelRow(*this));
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ImportDialog::Browse() {
  const QString chosen =
      QFileDialog::getOpenFileName(this, "Import data...", file_->text(), "All files (*)");
  if (!chosen.isEmpty()) file_->setText(chosen);
}

std::filesystem::path ImportDialog::file() const {
  return std::filesystem::path(file_->text().toStdString());
}

ImportColumns ImportDialog::columns() const {
  ImportColumns chosen;
  for (std::size_t k = 0; k < kImportColumnRows.size(); ++k) {
    chosen.*kImportColumnRows[k].column = columns_[k]->isChecked();
  }
  return chosen;
}

void ImportDialog::accept() {
  if (const std::optional<std::string> refusal = CheckImport(file(), columns())) {
    prompter_.Message(*refusal, kCaptionError);
    file_->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace plumora::gui
