// The settings dialogs of a computed phase work on a copy of the phase's settings: the records
// flown (chosen by name from the mission's lists), the solver option, the mass point and the
// stop condition. Only OK writes the copy back; Cancel drops it with every stop-condition edit.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/mission/BallisticEntryPhase.h"
#include "core/mission/ParachutePhase.h"
#include "gui/logic/editing/FieldTable.h"

namespace plumora::gui {

// How a phase ends: at the stop time or at the stop height. Both values are kept whichever kind
// is chosen. A file may hold another kind, with which the phase stops only on the ground: it is
// kept until the user chooses one.
struct StopCondition {
  double height = 0.0;  // m
  double time = 100.0;  // s
  std::int32_t kind = kStopOnHeight;

  // Only the field of the chosen kind can be typed into; with neither kind, neither field.
  bool TimeEditable() const { return kind == kStopOnTime; }
  bool HeightEditable() const { return kind == kStopOnHeight; }
  friend bool operator==(const StopCondition&, const StopCondition&) = default;
};

// The stop condition dialog's two numbers: the time, then the height.
extern const std::array<NumberFieldRow<StopCondition>, 2> kStopFields;

struct PhaseSettings {
  std::int32_t payloadNumber = -1;
  std::int32_t parachuteNumber = -1;  // final descent only
  std::int32_t generalSolver = 1;
  std::int32_t massPointAtConfluence = 0;  // final descent only
  StopCondition stop;

  static PhaseSettings Of(const CBallisticEntryPhase& phase);
  static PhaseSettings Of(const CParachutePhase& phase);
  // OK: the copy goes back into the phase. True when that changed anything.
  bool WriteTo(CBallisticEntryPhase& phase) const;
  bool WriteTo(CParachutePhase& phase) const;

  // "New solver..." is offered only while the general solver is off.
  bool NewSolverEnabled() const { return generalSolver == 0; }
  friend bool operator==(const PhaseSettings&, const PhaseSettings&) = default;
};

// A drop-down choice of records: one line per record in list order, the line standing for the
// record at the same position.
template <typename Record>
std::vector<std::string> RecordNames(const std::vector<std::shared_ptr<Record>>& records) {
  std::vector<std::string> names;
  for (const auto& record : records) names.push_back(record->name);
  return names;
}

// The line of the record with this number: the last one that has it, as a run takes it; -1 when
// none has it.
template <typename Record>
int LineOfNumber(const std::vector<std::shared_ptr<Record>>& records, std::int32_t number) {
  for (int k = static_cast<int>(records.size()) - 1; k >= 0; --k) {
    if (records[static_cast<std::size_t>(k)]->number == number) return k;
  }
  return -1;
}

// The number of the record at a line; -1 (no record) without a line.
template <typename Record>
std::int32_t NumberAtLine(const std::vector<std::shared_ptr<Record>>& records, int line) {
  if (line < 0 || line >= static_cast<int>(records.size())) return -1;
  return records[static_cast<std::size_t>(line)]->number;
}

}  // namespace plumora::gui
