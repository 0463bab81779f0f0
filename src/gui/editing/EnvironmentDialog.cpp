#include "gui/editing/EnvironmentDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "core/common/Messages.h"
#include "core/environment/Atmosphere.h"
#include "gui/kit/EditingKit.h"
#include "gui/kit/NumberField.h"
#include "gui/kit/QtPrompter.h"
#include "gui/logic/editing/SetupForms.h"

namespace plumora::gui {

namespace {

constexpr int kPlanetListId = 1042;
constexpr int kDescriptionListId = 1164;
constexpr int kWindId = 1095;
// The description list is never narrower than this many characters.
constexpr int kDescriptionChars = 40;

}  // namespace

EnvironmentDialog::EnvironmentDialog(std::filesystem::path base, std::int32_t planet,
                                     std::int32_t atmosphere, std::int32_t wind, Prompter& prompter,
                                     QWidget* parent)
    : QDialog(parent), base_(std::move(base)), prompter_(prompter) {
  setWindowTitle("Environment data");
  planets_ = new QComboBox;
  SetControlId(*planets_, kPlanetListId);
  for (int k = 0; k < kPlanetCount; ++k) planets_->addItem(ToQString(PlanetKeyword(k)));
  planets_->setCurrentIndex(planet >= 0 && planet < kPlanetCount ? planet : -1);

  descriptions_ = new QComboBox;
  SetControlId(*descriptions_, kDescriptionListId);
  // Wide enough for the descriptions of every planet: the dialog keeps its size when the planet
  // changes.
  descriptions_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  for (int k = 0; k < kPlanetCount; ++k) {
    for (const std::string& line : AtmosphereDescriptions(base_, k).lines) {
      descriptions_->addItem(ToQString(line));
    }
  }
  descriptions_->setMinimumWidth(std::max(descriptions_->sizeHint().width(),
                                          fontMetrics().averageCharWidth() * kDescriptionChars));
  FillDescriptions(kMsgAtmFileNotOpenedDuringInit);
  descriptions_->setCurrentIndex(OpeningSelection(atmosphere, descriptions_->count()));
  // The tip shows the whole description the list may cut. The list is refilled quietly, and
  // its first line may stand where the old first line stood: the tip follows every refill too.
  const auto showTip = [this] { descriptions_->setToolTip(descriptions_->currentText()); };
  connect(descriptions_, &QComboBox::currentIndexChanged, this, showTip);
  showTip();
  connect(planets_, &QComboBox::currentIndexChanged, this, [this, showTip] {
    FillDescriptions(kMsgAtmFileNotOpenedDuringPlanetChange);
    descriptions_->setCurrentIndex(descriptions_->count() > 0 ? 0 : -1);
    showTip();
  });

  wind_ = new QCheckBox("Wind");
  SetControlId(*wind_, kWindId);
  wind_->setChecked(wind != 0);

  auto* planetRow = new QFormLayout;
  planetRow->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  planetRow->addRow("Planet", planets_);
  auto* air = new QGroupBox("Atmosphere");
  auto* airRows = new QFormLayout(air);
  airRows->addRow("Description", descriptions_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(planetRow);
  layout->addWidget(air);
  layout->addWidget(wind_);
  layout->addWidget(OkCancelRow(*this));
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void EnvironmentDialog::FillDescriptions(std::string_view failure) {
  const QSignalBlocker quiet(descriptions_);
  descriptions_->clear();
  const DescriptionList list = AtmosphereDescriptions(base_, planets_->currentIndex());
  for (const std::string& line : list.lines) descriptions_->addItem(ToQString(line));
  if (!list.complete) prompter_.Message(failure, kCaptionError);
}

std::int32_t EnvironmentDialog::planet() const {
  return planets_->currentIndex();
}

std::int32_t EnvironmentDialog::atmosphere() const {
  return descriptions_->currentIndex();
}

std::int32_t EnvironmentDialog::wind() const {
  return wind_->isChecked() ? 1 : 0;
}

void EnvironmentDialog::accept() {
  if (const std::optional<std::string> refusal =
          CheckEnvironment(base_, planet(), atmosphere(), descriptions_->count())) {
    prompter_.Message(*refusal, kCaptionError);
    descriptions_->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace plumora::gui
