// "Import data...": the trajectory file to read and the columns it holds, all ticked at first.
// OK is refused while the file cannot be opened or no column is ticked.
#pragma once

#include <QDialog>
#include <array>
#include <filesystem>

#include "core/app/DataImport.h"
#include "core/common/Prompter.h"

class QCheckBox;
class QLineEdit;

namespace plumora::gui {

class ImportDialog : public QDialog {
 public:
  // `file` is offered at first (the file imported last, or nothing).
  ImportDialog(const std::filesystem::path& file, Prompter& prompter, QWidget* parent);

  // The choice, once the dialog was accepted.
  std::filesystem::path file() const;
  ImportColumns columns() const;

  void accept() override;

 private:
  void Browse();

  Prompter& prompter_;
  QLineEdit* file_;
  std::array<QCheckBox*, 7> columns_{};
};

}  // namespace plumora::gui
