// A record's number fields described once: for each, the control that edits it, its label, its
// unit and where its value lives in the record. A dialog builds its rows from such a table, shows
// and reads them through it, and the edited copy goes back into the record, and is compared with
// it, field by field through the same table; nothing is mapped by position.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "core/common/Vec3.h"

namespace plumora::gui {

// Where one number lives in a record: a real member, one axis of a vector member, or an integer
// member.
template <typename Record>
class FieldRef {
 public:
  constexpr FieldRef(double Record::*real) : real_(real) {}  // NOLINT: a member is a place
  constexpr FieldRef(Vec3 Record::*vector, double Vec3::*axis) : vector_(vector), axis_(axis) {}
  constexpr FieldRef(std::int32_t Record::*integer) : integer_(integer) {}  // NOLINT

  constexpr bool IsInteger() const { return integer_ != nullptr; }

  // The real the field edits; null for an integer field.
  double* Real(Record& record) const {
    if (real_) return &(record.*real_);
    if (vector_) return &(record.*vector_.*axis_);
    return nullptr;
  }
  const double* Real(const Record& record) const { return Real(const_cast<Record&>(record)); }
  // The integer the field edits; null for a real field.
  std::int32_t* Integer(Record& record) const { return integer_ ? &(record.*integer_) : nullptr; }
  const std::int32_t* Integer(const Record& record) const {
    return Integer(const_cast<Record&>(record));
  }

  // The value as a number, whichever kind it is.
  double Value(const Record& record) const {
    return IsInteger() ? static_cast<double>(*Integer(record)) : *Real(record);
  }
  void Copy(const Record& from, Record& to) const {
    if (IsInteger()) {
      *Integer(to) = *Integer(from);
    } else {
      *Real(to) = *Real(from);
    }
  }
  bool Equal(const Record& a, const Record& b) const {
    return IsInteger() ? *Integer(a) == *Integer(b) : *Real(a) == *Real(b);
  }

  friend constexpr bool operator==(const FieldRef&, const FieldRef&) = default;

 private:
  double Record::*real_ = nullptr;
  Vec3 Record::*vector_ = nullptr;
  double Vec3::*axis_ = nullptr;
  std::int32_t Record::*integer_ = nullptr;
};

// A number field of a dialog: its control id, label, unit and the value it edits.
template <typename Record>
struct NumberFieldRow {
  int id;
  const char* label;
  const char* unit;  // shown after the field; empty for none
  FieldRef<Record> value;
};

// The fields of `rows` copied from one record into another.
template <typename Record>
void CopyFields(std::span<const NumberFieldRow<Record>> rows, const Record& from, Record& to) {
  for (const NumberFieldRow<Record>& row : rows) row.value.Copy(from, to);
}

// True when every field of `rows` holds the same number in both records.
template <typename Record>
bool FieldsEqual(std::span<const NumberFieldRow<Record>> rows, const Record& a, const Record& b) {
  for (const NumberFieldRow<Record>& row : rows) {
    if (!row.value.Equal(a, b)) return false;
  }
  return true;
}

// The row of the control `id`, or nothing.
template <typename Record>
std::optional<NumberFieldRow<Record>> FindRow(std::span<const NumberFieldRow<Record>> rows,
                                              int id) {
  for (const NumberFieldRow<Record>& row : rows) {
    if (row.id == id) return row;
  }
  return std::nullopt;
}

}  // namespace plumora::gui
