#include "gui/kit/NumberField.h"

#include <QValidator>

#include "core/common/Messages.h"
#include "gui/kit/QtPrompter.h"
#include "gui/logic/editing/NumberText.h"

namespace plumora::gui {

namespace {

// Lets through only what is or may become a number, so letters and commas never appear.
class NumberValidator final : public QValidator {
 public:
  NumberValidator(bool integerOnly, QObject* parent)
      : QValidator(parent), integerOnly_(integerOnly) {}

  State validate(QString& input, int& /*pos*/) const override {
    switch (ClassifyNumberEntry(input.toStdString(), integerOnly_)) {
      case NumberEntry::kComplete:
        return Acceptable;
      case NumberEntry::kIncomplete:
        return Intermediate;
      case NumberEntry::kInvalid:
        break;
    }
    return Invalid;
  }

 private:
  bool integerOnly_;
};

}  // namespace

NumberField::NumberField(QString label, Kind kind, QWidget* parent)
    : QLineEdit(parent), label_(std::move(label)), kind_(kind) {
  setValidator(new NumberValidator(kind == Kind::kInteger, this));
}

void NumberField::SetValue(double value) {
  setText(QString::fromStdString(FormatNumber(value)));
}

void NumberField::SetValue(std::int32_t value) {
  setText(QString::fromStdString(FormatInteger(value)));
}

bool NumberField::Read(double& target) {
  const std::string text = this->text().toStdString();
  std::optional<double> value = ParseNumber(text);
  if (kind_ == Kind::kInteger) {
    const std::optional<std::int32_t> whole = ParseInteger(text);
    value = whole ? std::optional<double>(*whole) : std::nullopt;
  }
  if (!value) {
    Refuse();
    return false;
  }
  target = *value;
  return true;
}

bool NumberField::Read(std::int32_t& target) {
  const std::optional<std::int32_t> value = ParseInteger(text().toStdString());
  if (!value) {
    Refuse();
    return false;
  }
  target = *value;
  return true;
}

void NumberField::Refuse() {
  // In the box every "error" message of the program comes in.
  QtPrompter(window()).Message(NotANumberMessage(label_.toStdString(), text().toStdString()),
                               kCaptionError);
  setFocus();
  selectAll();
}

void SetControlId(QWidget& widget, int id) {
  widget.setObjectName(QStringLiteral("ctl_%1").arg(id));
}

}  // namespace plumora::gui
