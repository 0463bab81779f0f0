#include "gui/logic/editing/PayloadData.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/mission/RecordChecks.h"
#include "core/mission/Records.h"

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

}  // namespace

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
  d.typeIndex = UsableTypeIndex(p.typeIndex);
  d.ixx = p.ixx, d.iyy = p.iyy, d.izz = p.izz;
  d.ixy = p.ixy, d.ixz = p.ixz, d.iyz = p.iyz;
  d.mass = p.mass;
  d.referenceArea = p.referenceArea;
  d.stropeLink = p.stropeLink;
  d.connectionKind = p.connectionKind;
  d.legCount = p.legCount;
  d.legLength = p.legLength;
  d.cogDistance = p.cogDistance;
  d.legRadius = p.legRadius;
  return d;
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
  p.ixx = ixx, p.iyy = iyy, p.izz = izz;
  p.ixy = ixy, p.ixz = ixz, p.iyz = iyz;
  p.mass = mass;
  p.referenceArea = referenceArea;
  p.stropeLink = stropeLink;
  p.connectionKind = connectionKind;
  p.legCount = std::clamp(legCount, 0, kMaxLegs);
  p.legLength = legLength;
  p.cogDistance = cogDistance;
  p.legRadius = legRadius;
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
  d.ixx = c.ixx, d.iyy = c.iyy, d.izz = c.izz;
  d.ixy = c.ixy, d.ixz = c.ixz, d.iyz = c.iyz;
  d.mass = c.mass;
  d.referenceArea = c.referenceArea;
  d.centreOfPressure = c.centreOfPressure;
  d.link = c.link;
  d.stiffness = c.stiffness;
  d.lineLength = c.lineLength;
  d.damping = c.damping;
  d.confluenceMass = c.confluenceMass;
  return d;
}

bool ParachuteData::WriteTo(CParachute& c) const {
  if (Of(c) == *this) return false;
  c.ixx = ixx, c.iyy = iyy, c.izz = izz;
  c.ixy = ixy, c.ixz = ixz, c.iyz = iyz;
  c.mass = mass;
  c.referenceArea = referenceArea;
  c.centreOfPressure = centreOfPressure;
  c.link = link;
  c.stiffness = stiffness;
  c.lineLength = lineLength;
  c.damping = damping;
  c.confluenceMass = confluenceMass;
  return true;
}

}  // namespace plumora::gui
