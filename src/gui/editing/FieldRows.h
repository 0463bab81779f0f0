// The number fields of a dialog bound to the rows of a record's field table: the setup dialogs let
// it lay out label, field and unit in a grid; the data dialogs place the fields themselves and
// bind them. Either way it shows a record in them, reads them back on OK and peeks at what they
// hold while the user types.
#pragma once

#include <QGridLayout>
#include <QLabel>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "gui/kit/NumberField.h"
#include "gui/logic/editing/FieldTable.h"
#include "gui/logic/editing/NumberText.h"

namespace plumora::gui {

// The width of a number field in the setup dialogs: room for "-12.14" and "1e-05" and more.
inline constexpr int kSetupFieldWidth = 80;

template <typename Record>
class FieldRows {
 public:
  // Appends the rows below those in `grid`, showing `values`. `namePrefix` goes before each
  // label where a message names the field ("Offset" for "Offset x").
  void Add(QGridLayout& grid, std::span<const NumberFieldRow<Record>> rows, const Record& values,
           const QString& namePrefix = {}) {
    for (const NumberFieldRow<Record>& row : rows) {
      const int line = grid.rowCount();
      auto* label = new QLabel(QString::fromUtf8(row.label));
      const QString name = namePrefix.isEmpty() ? label->text() : namePrefix + " " + label->text();
      auto* field = new NumberField(name);
      SetControlId(*field, row.id);
      field->setFixedWidth(kSetupFieldWidth);
      label->setBuddy(field);
      grid.addWidget(label, line, 0);
      grid.addWidget(field, line, 1);
      grid.addWidget(new QLabel(QString::fromUtf8(row.unit)), line, 2);
      Bind(field, row);
      ShowIn(fields_.back(), values);
    }
  }

  // Binds a field the dialog made and placed to its row.
  void Bind(NumberField* field, const NumberFieldRow<Record>& row) {
    fields_.push_back({field, row.value, row.id});
  }

  // Shows the record's values in every field.
  void Show(const Record& record) const {
    for (const Bound& b : fields_) ShowIn(b, record);
  }

  // Reads every field into `record`; false at the first one that holds no number (it has said
  // so and taken the focus).
  bool Read(Record& record) const {
    for (const Bound& b : fields_) {
      const bool read = b.value.IsInteger() ? b.field->Read(*b.value.Integer(record))
                                            : b.field->Read(*b.value.Real(record));
      if (!read) return false;
    }
    return true;
  }

  // Puts into `record` what each field holds now, as far as it reads as a number; the others
  // leave their values as they are (typing is not over).
  void Peek(Record& record) const {
    for (const Bound& b : fields_) {
      const std::string text = b.field->text().toStdString();
      if (b.value.IsInteger()) {
        if (const auto count = ParseInteger(text)) *b.value.Integer(record) = *count;
      } else if (const auto value = ParseNumber(text)) {
        *b.value.Real(record) = *value;
      }
    }
  }

  // Lets the fields take the room the grid gives them, but no less than `minimum` pixels.
  void LetFieldsStretch(int minimum) const {
    for (const Bound& b : fields_) {
      b.field->setMinimumWidth(minimum);
      b.field->setMaximumWidth(QWIDGETSIZE_MAX);
    }
  }

  // True when every field holds a number, so that Read will say nothing.
  bool AllNumbers() const {
    for (const Bound& b : fields_) {
      if (!ParseNumber(b.field->text().toStdString())) return false;
    }
    return true;
  }

  NumberField* Field(int id) const {
    for (const Bound& b : fields_) {
      if (b.id == id) return b.field;
    }
    return nullptr;
  }

  NumberField* Field(FieldRef<Record> value) const {
    for (const Bound& b : fields_) {
      if (b.value == value) return b.field;
    }
    return nullptr;
  }

  // The number the field of `value` shows now, or the record's value while its text is none
  // (typing is not over).
  double Shown(FieldRef<Record> value, const Record& fallback) const {
    const NumberField* field = Field(value);
    const std::optional<double> shown =
        field ? ParseNumber(field->text().toStdString()) : std::nullopt;
    return shown.value_or(value.Value(fallback));
  }

  // The bound fields, in the order they were bound.
  std::vector<NumberField*> Fields() const {
    std::vector<NumberField*> fields;
    for (const Bound& b : fields_) fields.push_back(b.field);
    return fields;
  }

  // Calls `changed` whenever the user leaves one of the fields.
  template <typename Changed>
  void OnLeave(QObject* context, Changed changed) const {
    for (const Bound& b : fields_) {
      QObject::connect(b.field, &QLineEdit::editingFinished, context, changed);
    }
  }

  // Calls `changed` whenever the text of one of the fields changes.
  template <typename Changed>
  void OnChange(QObject* context, Changed changed) const {
    for (const Bound& b : fields_) {
      QObject::connect(b.field, &QLineEdit::textChanged, context, changed);
    }
  }

 private:
  struct Bound {
    NumberField* field;
    FieldRef<Record> value;
    int id;
  };

  static void ShowIn(const Bound& b, const Record& record) {
    if (b.value.IsInteger()) {
      b.field->SetValue(*b.value.Integer(record));
    } else {
      b.field->SetValue(*b.value.Real(record));
    }
  }
  std::vector<Bound> fields_;
};

}  // namespace plumora::gui
