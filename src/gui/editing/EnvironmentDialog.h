// "Environment data": the planet, the atmosphere of that planet by its description, and the wind
// switch. OK is refused while no description is chosen.
#pragma once

#include <QDialog>
#include <filesystem>

#include "core/common/Prompter.h"

class QCheckBox;
class QComboBox;

namespace plumora::gui {

class EnvironmentDialog : public QDialog {
 public:
  // The atmosphere files are looked up under `base`; messages are said through `prompter`.
  EnvironmentDialog(std::filesystem::path base, std::int32_t planet, std::int32_t atmosphere,
                    std::int32_t wind, Prompter& prompter, QWidget* parent);

  // The choice, once the dialog was accepted.
  std::int32_t planet() const;
  std::int32_t atmosphere() const;
  std::int32_t wind() const;

  void accept() override;

 private:
  // Lists the chosen planet's descriptions; `failure` is said when a file cannot be opened.
  void FillDescriptions(std::string_view failure);

  std::filesystem::path base_;
  Prompter& prompter_;
  QComboBox* planets_;
  QComboBox* descriptions_;
  QCheckBox* wind_;
};

}  // namespace plumora::gui
