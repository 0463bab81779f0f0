// Rows of label, number field and unit in a grid, one per value of a record that a setup dialog
// edits. The rows come from the tables of gui/logic/editing/SetupForms.h; OK reads them all back.
#pragma once

#include <QGridLayout>
#include <QLabel>
#include <optional>
#include <span>
#include <vector>

#include "gui/kit/NumberField.h"
#include "gui/logic/editing/NumberText.h"
#include "gui/logic/editing/SetupForms.h"

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
      field->SetValue(values.*row.value);
      label->setBuddy(field);
      grid.addWidget(label, line, 0);
      grid.addWidget(field, line, 1);
      grid.addWidget(new QLabel(QString::fromUtf8(row.unit)), line, 2);
      fields_.push_back({field, row.value, row.id});
    }
  }

  // Reads every field into `record`; false at the first one that holds no number (it has said
  // so and taken the focus).
  bool Read(Record& record) const {
    for (const Bound& b : fields_) {
      if (!b.field->Read(record.*b.value)) return false;
    }
    return true;
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

  NumberField* Field(double Record::*value) const {
    for (const Bound& b : fields_) {
      if (b.value == value) return b.field;
    }
    return nullptr;
  }

  // The number the field of `value` shows now, or the record's value while its text is none
  // (typing is not over).
  double Shown(double Record::*value, const Record& fallback) const {
    const NumberField* field = Field(value);
    const std::optional<double> shown =
        field ? ParseNumber(field->text().toStdString()) : std::nullopt;
    return shown.value_or(fallback.*value);
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
    double Record::*value;
    int id;
  };
  std::vector<Bound> fields_;
};

}  // namespace plumora::gui
