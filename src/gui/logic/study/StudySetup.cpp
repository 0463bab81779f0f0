#include "gui/logic/study/StudySetup.h"

#include <algorithm>
#include <limits>

#include "core/common/WholeText.h"
#include "gui/logic/editing/NumberText.h"

namespace plumora::gui {

namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Inputs that scale: a mass, an area or a factor scatters best as a factor on its stored value.
bool Scales(ScatteredInput input) {
  return MustBePositive(input) || input == ScatteredInput::kWindFactor;
}

Error Refuse(const std::string& message) {
  return Error{ErrorCode::kInvalid, message};
}

Error NotANumber(const std::string& field, const std::string& label, const std::string& text) {
  return Refuse(field + ": \"" + label + "\" needs a number; \"" + text + "\" is not one.");
}

}  // namespace

DispersionStudy DefaultStudy() {
  DispersionStudy study;
  study.runs = 200;
  study.seed = 1;
  study.threads = 0;
  return study;
}

std::vector<std::string> ScatterableFieldsOf(const Mission& mission) {
  std::vector<std::string> fields = {"height",    "speed", "path_angle", "heading", "latitude",
                                     "longitude", "roll",  "pitch",      "yaw"};
  for (const auto& payload : mission.payloads) {
    fields.push_back("payload." + std::to_string(payload->number) + ".mass");
  }
  for (const auto& parachute : mission.parachutes) {
    fields.push_back("parachute." + std::to_string(parachute->number) + ".mass");
    fields.push_back("parachute." + std::to_string(parachute->number) + ".area");
  }
  fields.push_back("density_factor");
  fields.push_back("wind_factor");
  // Two records with one number are one field.
  std::vector<std::string> unique;
  for (std::string& field : fields) {
    if (std::find(unique.begin(), unique.end(), field) == unique.end()) {
      unique.push_back(std::move(field));
    }
  }
  return unique;
}

std::string FieldUnit(const std::string& field) {
  const Result<Variation> variation = VariationOfField(field);
  if (!variation) return {};
  switch (variation->input) {
    case ScatteredInput::kHeight:
      return "m";
    case ScatteredInput::kSpeed:
      return "m/s";
    case ScatteredInput::kPayloadMass:
    case ScatteredInput::kParachuteMass:
      return "kg";
    case ScatteredInput::kParachuteArea:
      return "m²";
    case ScatteredInput::kDensityFactor:
    case ScatteredInput::kWindFactor:
      return {};
    default:
      return "°";
  }
}

std::string ParameterUnit(const std::string& field, DrawKind kind) {
  return kind == DrawKind::kScaleNormal ? std::string() : FieldUnit(field);
}

std::string FirstParameterLabel(DrawKind kind) {
  return kind == DrawKind::kUniform ? "Low" : "Mean";
}

std::string SecondParameterLabel(DrawKind kind) {
  return kind == DrawKind::kUniform ? "High" : "Standard deviation";
}

std::string ScatterRow::ListText() const {
  std::string text = field + ": " + std::string(DrawKindName(kind)) + "(" + Trimmed(first) +
                     ", " + Trimmed(second) + ")";
  const std::string unit = ParameterUnit(field, kind);
  if (!unit.empty()) text += " " + unit;
  return text;
}

StudySetupEditor::StudySetupEditor(const DispersionStudy& study, std::vector<std::string> fields)
    : runs(FormatInteger(study.runs)),
      seed(std::to_string(study.seed)),
      threads(std::to_string(study.threads)),
      fields_(std::move(fields)) {
  for (const Variation& v : study.variations) {
    rows_.push_back({v.name, v.distribution.kind, FormatNumber(v.distribution.first),
                     FormatNumber(v.distribution.second)});
    // A study file may scatter a record this mission no longer has: it stays, and the run says
    // what is missing.
    if (std::find(fields_.begin(), fields_.end(), v.name) == fields_.end()) {
      fields_.push_back(v.name);
    }
  }
}

std::vector<std::string> StudySetupEditor::AddableFields() const {
  std::vector<std::string> addable;
  for (const std::string& field : fields_) {
    const bool used = std::any_of(rows_.begin(), rows_.end(),
                                  [&](const ScatterRow& row) { return row.field == field; });
    if (!used) addable.push_back(field);
  }
  return addable;
}

int StudySetupEditor::Add(const std::string& field) {
  const std::vector<std::string> addable = AddableFields();
  if (std::find(addable.begin(), addable.end(), field) == addable.end()) return -1;
  const Result<Variation> variation = VariationOfField(field);
  if (!variation) return -1;
  if (Scales(variation->input)) {
    rows_.push_back({field, DrawKind::kScaleNormal, "1", "0"});
  } else {
    rows_.push_back({field, DrawKind::kNormal, "0", "0"});
  }
  return static_cast<int>(rows_.size()) - 1;
}

void StudySetupEditor::Remove(std::size_t index) {
  if (index < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
}

void StudySetupEditor::SetKind(std::size_t index, DrawKind kind) {
  ScatterRow& r = rows_.at(index);
  if (r.kind == kind) return;
  const bool fromScale = r.kind == DrawKind::kScaleNormal;
  const bool toScale = kind == DrawKind::kScaleNormal;
  r.kind = kind;
  // An added offset is no factor, and the other way round.
  if (fromScale != toScale) {
    r.first = toScale ? "1" : "0";
    r.second = "0";
  }
}

Result<DispersionStudy> StudySetupEditor::Study() const {
  DispersionStudy study;
  std::int64_t runCount = 0;
  if (!ParseWholeText(Trimmed(runs), runCount) || runCount < 1) {
    return Refuse("Runs must be a whole number from 1 to " +
                  std::to_string(std::numeric_limits<std::int64_t>::max()) + ", not \"" + runs +
                  "\".");
  }
  study.runs = runCount;
  if (!ParseWholeText(Trimmed(seed), study.seed)) {
    return Refuse("Seed must be a whole number from 0 to " +
                  std::to_string(std::numeric_limits<std::uint64_t>::max()) + ", not \"" + seed +
                  "\".");
  }
  if (!ParseWholeText(Trimmed(threads), study.threads) || study.threads < 0 ||
      study.threads > kMaxStudyThreads) {
    return Refuse("Threads must be a whole number from 0 (one per core) to " +
                  std::to_string(kMaxStudyThreads) + ", not \"" + threads + "\".");
  }
  for (const ScatterRow& row : rows_) {
    Result<Variation> variation = VariationOfField(row.field);
    if (!variation) return Refuse(row.field + ": " + variation.message());
    Variation v = std::move(variation).value();
    v.distribution.kind = row.kind;
    const std::optional<double> first = ParseNumber(row.first);
    const std::optional<double> second = ParseNumber(row.second);
    if (!first) return NotANumber(row.field, FirstParameterLabel(row.kind), row.first);
    if (!second) return NotANumber(row.field, SecondParameterLabel(row.kind), row.second);
    v.distribution.first = *first;
    v.distribution.second = *second;
    switch (FindDistributionFault(v.distribution)) {
      case DistributionFault::kNone:
        break;
      case DistributionFault::kNegativeDeviation:
        return Refuse(row.field + ": the standard deviation must not be negative.");
      case DistributionFault::kLowAboveHigh:
        return Refuse(row.field + ": the low end must not be above the high end.");
      case DistributionFault::kNotFinite:
        return Refuse(row.field + ": the parameters must be finite numbers.");
    }
    study.variations.push_back(std::move(v));
  }
  return study;
}

}  // namespace plumora::gui
