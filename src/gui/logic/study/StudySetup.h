// What the Dispersions dialog decides without a window: which inputs of a mission can scatter,
// the setup as the user types it (texts, so that nothing typed is lost while it is still wrong),
// and the study it gives on OK or Run, or a message naming the field that stands in the way.
#pragma once

#include <string>
#include <vector>

#include "core/common/Result.h"
#include "core/dispersion/DispersionStudy.h"
#include "core/mission/Mission.h"

namespace plumora::gui {

// The study of a mission that has none beside it: 200 runs, seed 1, one thread per core, nothing
// scattered yet.
DispersionStudy DefaultStudy();

// The fields that can scatter in this mission, as the command line names them: the initial
// state's, payload.N.mass for each payload, parachute.N.mass and .area for each parachute, and
// the factors on the air.
std::vector<std::string> ScatterableFieldsOf(const Mission& mission);

// The unit of a field's value ("m", "m/s", "°", "kg", "m²", or empty for a factor).
std::string FieldUnit(const std::string& field);
// The unit of a distribution's parameters: the field's for normal and uniform, none for
// scale-normal (a factor on the stored value).
std::string ParameterUnit(const std::string& field, DrawKind kind);
// The labels of a distribution's two parameters: "Mean" and "Standard deviation", or "Low"
// and "High".
std::string FirstParameterLabel(DrawKind kind);
std::string SecondParameterLabel(DrawKind kind);

// One scattered input as typed.
struct ScatterRow {
  std::string field;
  DrawKind kind = DrawKind::kNormal;
  std::string first;   // the mean or the low end
  std::string second;  // the standard deviation or the high end

  // "height: normal(0, 500) m", as the list shows it.
  std::string ListText() const;
};

class StudySetupEditor {
 public:
  StudySetupEditor(const DispersionStudy& study, std::vector<std::string> fields);

  const std::vector<ScatterRow>& rows() const { return rows_; }
  ScatterRow& row(std::size_t index) { return rows_.at(index); }
  // The fields not scattered yet, in the mission's order: those that can be added.
  std::vector<std::string> AddableFields() const;
  // Adds a field with a distribution that scatters nothing yet (normal(0, 0), or scale-normal(1,
  // 0) for a mass, an area and a factor); the index of the new row, or -1 when the field is
  // unknown or scattered already.
  int Add(const std::string& field);
  void Remove(std::size_t index);
  // A new distribution keeps the parameters when they still make sense, and otherwise starts
  // from the neutral ones of the kind.
  void SetKind(std::size_t index, DrawKind kind);

  std::string runs, seed, threads;

  // The study as typed, or a kInvalid error whose message names the field ("Runs must be a whole
  // number from 1 to …", "parachute.0.area: the standard deviation must not be negative").
  Result<DispersionStudy> Study() const;

 private:
  std::vector<std::string> fields_;
  std::vector<ScatterRow> rows_;
};

}  // namespace plumora::gui
