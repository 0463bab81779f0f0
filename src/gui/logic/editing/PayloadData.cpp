#include "gui/logic/editing/PayloadData.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <utility>

#include "core/mission/RecordChecks.h"
#include "gui/logic/commands/ControlIds.h"

namespace plumora::gui {

namespace {

// clang-format off
constexpr std::array<PayloadTypeDefaults, kPayloadTypeCount> kTypeDefaults = {{
    // Ixx      Iyy     Izz     mass    area  link x  COG     radius length legs
    {1000.0,  1000.0, 1000.0, 2800.0, 6.16, -1.0,   -1.0,   0.35,  3.0,   2},  // ZEL
    {6.797,   5.711,  5.711,  112.0,  6.0,  -0.36,  -0.36,  0.15,  3.0,   2},  // OVMKPHASE0
    {33.125,  32.944, 32.944, 111.0,  6.0,  -0.177, -0.177, 0.15,  3.0,   2},  // OVMKPHASE1
    {38.925,  38.799, 38.799, 111.0,  6.0,  -0.105, -0.105, 0.15,  3.0,   2},  // OVMKPHASE2
    {38.925,  38.799, 38.799, 111.0,  6.0,  -0.105, -0.105, 0.15,  3.0,   2},  // SKORVAN
}};
// clang-format on

// A single strope is drawn as a line from its link point this far back along the body x axis.
constexpr double kStropeDrawnTo = -1000.0;  // m

// The field's problem of a record check ("mass must be positive"), without the record's name.
std::optional<std::string> FieldOf(const Result<>& check) {
  if (check) return std::nullopt;
  std::string text = check.message();
  if (const std::size_t colon = text.find("\": "); colon != std::string::npos) {
    text.erase(0, colon + 3);
  }
  if (!text.empty() && text.back() == '\n') text.pop_back();
  text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return text + ".";
}

constexpr const char* kSquareMetres = "m\xC2\xB2";

// Inertia, mass and reference area: the fields payloads and parachutes share, by the same names.
// The inertia's unit stands in the title of the group that holds it.
template <typename Record>
constexpr std::array<NumberFieldRow<Record>, 8> BodyFields() {
  return {{
      {kCtlIxx, "Ixx", "", &Record::ixx},
      {kCtlIyy, "Iyy", "", &Record::iyy},
      {kCtlIzz, "Izz", "", &Record::izz},
      {kCtlIxy, "Ixy", "", &Record::ixy},
      {kCtlIxz, "Ixz", "", &Record::ixz},
      {kCtlIyz, "Iyz", "", &Record::iyz},
      {kCtlMass, "Mass", "kg", &Record::mass},
      {kCtlReferenceArea, "Reference area", kSquareMetres, &Record::referenceArea},
  }};
}

// The rows of `first`, then those of `second`.
template <typename Row, std::size_t A, std::size_t B>
constexpr std::array<Row, A + B> Joined(const std::array<Row, A>& first,
                                        const std::array<Row, B>& second) {
  return [&]<std::size_t... I>(std::index_sequence<I...>) {
    return std::array<Row, A + B>{(I < A ? first[I] : second[I - A])...};
  }
  (std::make_index_sequence<A + B>{});
}

}  // namespace

const std::array<NumberFieldRow<CPayload>, 8> kPayloadDynamicFields = BodyFields<CPayload>();

// clang-format off
const std::array<NumberFieldRow<CPayload>, 3> kPayloadStropeFields = {{
    {kCtlLinkX, "x", "m", {&CPayload::stropeLink, &Vec3::x}},
    {kCtlLinkY, "y", "m", {&CPayload::stropeLink, &Vec3::y}},
    {kCtlLinkZ, "z", "m", {&CPayload::stropeLink, &Vec3::z}},
}};

const std::array<NumberFieldRow<CPayload>, 4> kPayloadLegFields = {{
    {kCtlLegCount, "Number", "", &CPayload::legCount},
    {kCtlCogDistance, "COG distance", "m", &CPayload::cogDistance},
    {kCtlLegRadius, "Radius", "m", &CPayload::legRadius},
    {kCtlLegLength, "Length", "m", &CPayload::legLength},
}};

const std::array<NumberFieldRow<CParachute>, 16> kParachuteFields = Joined(
    BodyFields<CParachute>(), std::array<NumberFieldRow<CParachute>, 8>{{
    {kCtlCentreOfPressure, "Center of pressure", "m", &CParachute::centreOfPressure},
    {kCtlLinkX, "x", "m", {&CParachute::link, &Vec3::x}},
    {kCtlLinkY, "y", "m", {&CParachute::link, &Vec3::y}},
    {kCtlLinkZ, "z", "m", {&CParachute::link, &Vec3::z}},
    {kCtlStiffness, "Stiffness", "N/m", &CParachute::stiffness},
    {kCtlLineLength, "Length", "m", &CParachute::lineLength},
    {kCtlDamping, "Damping", "N/(m/s)", &CParachute::damping},
    {kCtlConfluenceMass, "Confluence point mass", "kg", &CParachute::confluenceMass},
}});
// clang-format on

std::int32_t UsableTypeIndex(std::int32_t typeIndex) {
  return typeIndex >= 0 && typeIndex < kPayloadTypeCount ? typeIndex : 0;
}

const PayloadTypeDefaults& DefaultsOfType(std::int32_t typeIndex) {
  return kTypeDefaults[static_cast<std::size_t>(UsableTypeIndex(typeIndex))];
}

std::string LegCountMessage(std::int32_t legCount) {
  return "A payload has from 0 to " + std::to_string(kMaxLegs) + " bridle legs, not " +
         std::to_string(legCount) + ".";
}

PayloadData PayloadData::Of(const CPayload& p) {
  PayloadData d;
  static_cast<CPayload&>(d) = p;
  d.typeIndex = UsableTypeIndex(p.typeIndex);
  return d;
}

bool operator==(const PayloadData& a, const PayloadData& b) {
  return a.typeIndex == b.typeIndex && a.connectionKind == b.connectionKind &&
         FieldsEqual<CPayload>(kPayloadDynamicFields, a, b) &&
         FieldsEqual<CPayload>(kPayloadStropeFields, a, b) &&
         FieldsEqual<CPayload>(kPayloadLegFields, a, b);
}

void PayloadData::ApplyDynamicDefaults() {
  const PayloadTypeDefaults& t = DefaultsOfType(typeIndex);
  ixx = t.ixx, iyy = t.iyy, izz = t.izz;
  ixy = ixz = iyz = 0.0;
  mass = t.mass;
  referenceArea = t.referenceArea;
}

void PayloadData::ApplyConnectionDefaults() {
  const PayloadTypeDefaults& t = DefaultsOfType(typeIndex);
  stropeLink = {t.stropeLinkX, 0.0, 0.0};
  cogDistance = t.cogDistance;
  legLength = t.legLength;
  legRadius = t.legRadius;
  legCount = t.legCount;
}

std::optional<std::string> PayloadData::Refusal() const {
  if (legCount < 0 || legCount > kMaxLegs) return LegCountMessage(legCount);
  // What a run would refuse is refused here, in the run's words for the field.
  CPayload probe;
  WriteTo(probe);
  return FieldOf(CheckPayloadCanFly(probe));
}

std::optional<std::string> ParachuteData::Refusal() const {
  CParachute probe;
  WriteTo(probe);
  return FieldOf(CheckParachuteCanFly(probe, false));
}

bool PayloadData::WriteTo(CPayload& p) const {
  const PayloadData before = Of(p);
  const bool typeWasUsable = p.typeIndex == before.typeIndex;
  const std::string keywordBefore = p.typeKeyword;
  const std::array<Vec3, kMaxLegs> pointsBefore = p.legPoints;
  p.typeIndex = UsableTypeIndex(typeIndex);
  p.typeKeyword = kPayloadTypeKeywords[static_cast<std::size_t>(p.typeIndex)];
  CopyFields<CPayload>(kPayloadDynamicFields, *this, p);
  CopyFields<CPayload>(kPayloadStropeFields, *this, p);
  CopyFields<CPayload>(kPayloadLegFields, *this, p);
  p.connectionKind = connectionKind;
  p.legCount = std::clamp(legCount, 0, kMaxLegs);
  p.DeriveLegPoints();
  return !(before == *this) || !typeWasUsable || keywordBefore != p.typeKeyword ||
         pointsBefore != p.legPoints;
}

int PreviewLines(const PayloadData& d, PreviewLinePoints& points) {
  if (d.connectionKind == kSingleStrope) {
    const Vec3& link = d.stropeLink;
    points[0] = {link.x, link.y, link.z};
    points[1] = {kStropeDrawnTo, link.y, link.z};
    return 1;
  }
  // The legs meet where each is as long as the others; a leg shorter than the radius cannot
  // reach the axis, and is drawn meeting it in the attachment plane.
  const int legs = std::clamp(d.legCount, 0, kMaxLegs);
  const double reach = std::sqrt(
      std::max(0.0, d.legLength * d.legLength - d.legRadius * d.legRadius));  // m, along x
  points[0] = {d.cogDistance - reach, 0.0, 0.0};
  for (int i = 0; i < legs; ++i) {
    const double angle = kTwoPi * i / legs;  // rad, around the body x axis
    points[static_cast<std::size_t>(i) + 1] = {d.cogDistance, d.legRadius * std::cos(angle),
                                               d.legRadius * std::sin(angle)};
  }
  return legs;
}

ParachuteData ParachuteData::Of(const CParachute& c) {
  ParachuteData d;
  static_cast<CParachute&>(d) = c;
  return d;
}

bool ParachuteData::WriteTo(CParachute& c) const {
  if (FieldsEqual<CParachute>(kParachuteFields, *this, c)) return false;
  CopyFields<CParachute>(kParachuteFields, *this, c);
  return true;
}

}  // namespace plumora::gui
