#include "core/dispersion/Variation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "core/common/WholeText.h"

namespace plumora {

namespace {

// A word of the command line and what it stands for.
template <typename Kind>
struct Named {
  std::string_view name;
  Kind kind;
};

// The entry of a table with that name, or null.
template <typename Kind, std::size_t N>
const Named<Kind>* FindNamed(const std::array<Named<Kind>, N>& table, std::string_view name) {
  const auto it = std::find_if(table.begin(), table.end(),
                               [&](const Named<Kind>& entry) { return entry.name == name; });
  return it == table.end() ? nullptr : &*it;
}

// Inputs known by a plain name.
constexpr std::array<Named<ScatteredInput>, 11> kPlainInputs = {{
    {"height", ScatteredInput::kHeight},
    {"speed", ScatteredInput::kSpeed},
    {"path_angle", ScatteredInput::kPathAngle},
    {"heading", ScatteredInput::kHeading},
    {"latitude", ScatteredInput::kLatitude},
    {"longitude", ScatteredInput::kLongitude},
    {"roll", ScatteredInput::kRoll},
    {"pitch", ScatteredInput::kPitch},
    {"yaw", ScatteredInput::kYaw},
    {"density_factor", ScatteredInput::kDensityFactor},
    {"wind_factor", ScatteredInput::kWindFactor},
}};

// Inputs of a record, written RECORD.NUMBER.FIELD.
struct RecordInput {
  std::string_view record;
  std::string_view field;
  ScatteredInput input;
};
constexpr std::array<RecordInput, 3> kRecordInputs = {{
    {"payload", "mass", ScatteredInput::kPayloadMass},
    {"parachute", "mass", ScatteredInput::kParachuteMass},
    {"parachute", "area", ScatteredInput::kParachuteArea},
}};

constexpr std::string_view kKnownFields =
    "height, speed, path_angle, heading, latitude, longitude, roll, pitch, yaw, "
    "payload.N.mass, parachute.N.mass, parachute.N.area, density_factor, wind_factor";

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

template <typename Number>
bool ParseWhole(std::string_view text, Number& value) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  return ParseWholeText(text, value);
}

bool ParseField(std::string_view text, Variation& v) {
  if (const auto* plain = FindNamed(kPlainInputs, text)) {
    v.input = plain->kind;
    v.name = std::string(plain->name);
    return true;
  }
  const std::size_t firstDot = text.find('.');
  const std::size_t lastDot = text.rfind('.');
  if (firstDot == std::string_view::npos || firstDot == lastDot) return false;
  const std::string_view record = text.substr(0, firstDot);
  const std::string_view field = text.substr(lastDot + 1);
  std::int32_t number = 0;
  if (!ParseWhole(text.substr(firstDot + 1, lastDot - firstDot - 1), number)) return false;
  for (const RecordInput& known : kRecordInputs) {
    if (record == known.record && field == known.field) {
      v.input = known.input;
      v.number = number;
      v.name = std::string(record) + "." + std::to_string(number) + "." + std::string(field);
      return true;
    }
  }
  return false;
}

constexpr std::array<Named<DrawKind>, 3> kDraws = {{
    {"normal", DrawKind::kNormal},
    {"uniform", DrawKind::kUniform},
    {"scale-normal", DrawKind::kScaleNormal},
}};

// "NAME(A,B)" with two numbers; the checks on their values come after.
bool ParseDistribution(std::string_view text, Distribution& d) {
  text = Trim(text);
  const std::size_t open = text.find('(');
  const std::size_t comma = text.find(',');
  if (open == std::string_view::npos || comma == std::string_view::npos || comma < open ||
      text.back() != ')') {
    return false;
  }
  if (!DrawKindNamed(Trim(text.substr(0, open)), d.kind)) return false;
  return ParseWhole(text.substr(open + 1, comma - open - 1), d.first) &&
         ParseWhole(text.substr(comma + 1, text.size() - comma - 2), d.second);
}

}  // namespace

std::string_view ScatterableFields() {
  return kKnownFields;
}

Result<Variation> VariationOfField(std::string_view field) {
  Variation v;
  if (ParseField(field, v)) return v;
  return Fail(ErrorCode::kInvalid, "unknown field \"" + std::string(field) +
                                       "\" (known: " + std::string(kKnownFields) + ")");
}

std::string_view DrawKindName(DrawKind kind) {
  const auto it = std::find_if(kDraws.begin(), kDraws.end(),
                               [&](const Named<DrawKind>& entry) { return entry.kind == kind; });
  return it == kDraws.end() ? std::string_view() : it->name;
}

bool DrawKindNamed(std::string_view name, DrawKind& kind) {
  const auto* draw = FindNamed(kDraws, name);
  if (draw) kind = draw->kind;
  return draw != nullptr;
}

DistributionFault FindDistributionFault(const Distribution& d) {
  if (!std::isfinite(d.first) || !std::isfinite(d.second)) return DistributionFault::kNotFinite;
  if (d.kind == DrawKind::kUniform) {
    return d.first > d.second ? DistributionFault::kLowAboveHigh : DistributionFault::kNone;
  }
  return d.second < 0.0 ? DistributionFault::kNegativeDeviation : DistributionFault::kNone;
}

Result<Variation> ParseVariation(std::string_view text) {
  const auto refuse = [](std::string problem) {
    return Fail(ErrorCode::kInvalid, std::move(problem));
  };
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) {
    return refuse("expected FIELD=DIST, got \"" + std::string(text) + "\"");
  }
  const std::string_view dist = text.substr(equals + 1);
  Result<Variation> named = VariationOfField(Trim(text.substr(0, equals)));
  if (!named) return named;
  Variation v = std::move(named).value();
  const std::string quoted = "\"" + std::string(Trim(dist)) + "\"";
  const bool parsed = ParseDistribution(dist, v.distribution);
  const DistributionFault fault = FindDistributionFault(v.distribution);
  if (!parsed || fault == DistributionFault::kNotFinite) {
    return refuse(quoted +
                  " is not normal(MEAN,SIGMA), uniform(LOW,HIGH) or scale-normal(MEAN,SIGMA) "
                  "with finite numbers");
  }
  if (fault == DistributionFault::kLowAboveHigh) {
    return refuse("the low end of " + quoted + " lies above its high end");
  }
  if (fault == DistributionFault::kNegativeDeviation) {
    return refuse("the standard deviation of " + quoted + " is negative");
  }
  return v;
}

double ScatterValue(double stored, const Distribution& d, double standardNormal, double unit) {
  switch (d.kind) {
    case DrawKind::kNormal:
      return stored + (d.first + d.second * standardNormal);
    case DrawKind::kUniform:
      return stored + (d.first + (d.second - d.first) * unit);
    case DrawKind::kScaleNormal:
      return stored * (d.first + d.second * standardNormal);
  }
  return stored;
}

bool MustBePositive(ScatteredInput input) {
  return input == ScatteredInput::kPayloadMass || input == ScatteredInput::kParachuteMass ||
         input == ScatteredInput::kParachuteArea || input == ScatteredInput::kDensityFactor;
}

}  // namespace plumora
