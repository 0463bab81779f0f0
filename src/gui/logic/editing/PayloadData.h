// The payload and parachute data dialogs work on copies of the fields they show. The payload's
// "Default" buttons fill in the values of the chosen payload type; OK refuses a leg count the
// record cannot hold, then writes the copy back, places the legs and sets the type keyword. The
// preview beside the fields draws the attachment lines from points this file computes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/common/Constants.h"
#include "core/mission/Records.h"
#include "gui/logic/editing/FieldTable.h"

namespace plumora::gui {

// What the "Default" buttons fill in for one payload type.
struct PayloadTypeDefaults {
  double ixx, iyy, izz;  // kg·m²; the products of inertia are 0
  double mass;           // kg
  double referenceArea;  // m²
  double stropeLinkX;    // m; y and z are 0
  double cogDistance;    // m
  double legRadius;      // m
  double legLength;      // m
  std::int32_t legCount;
};

// A type index as a record may hold it (from any file) made safe to look up: 0 to 4 as they are,
// anything else 0.
std::int32_t UsableTypeIndex(std::int32_t typeIndex);
const PayloadTypeDefaults& DefaultsOfType(std::int32_t typeIndex);

// The refusal of a leg count the record has no room for.
std::string LegCountMessage(std::int32_t legCount);

// The number fields of the page "Dynamic Data": inertia, mass and reference area.
extern const std::array<NumberFieldRow<CPayload>, 8> kPayloadDynamicFields;
// The number fields of the page "Connection Lines Data": the single strope's link point, and the
// bridle legs.
extern const std::array<NumberFieldRow<CPayload>, 3> kPayloadStropeFields;
extern const std::array<NumberFieldRow<CPayload>, 4> kPayloadLegFields;

// The dialog's copy is a payload record of its own; it edits the fields of the three tables, the
// type and the connection kind.
struct PayloadData : CPayload {
  static PayloadData Of(const CPayload& payload);
  void ApplyDynamicDefaults();
  // The connection kind stays as it is.
  void ApplyConnectionDefaults();
  // Why OK cannot write the copy back, or nothing.
  std::optional<std::string> Refusal() const;
  // OK: the fields, the leg points, the type keyword (and so the model scale). True when the
  // record changed. Call only without a refusal.
  bool WriteTo(CPayload& payload) const;
  // Equal in every edited field.
  friend bool operator==(const PayloadData& a, const PayloadData& b);
};

// The preview's attachment lines run from points[0] to points[1..count]: for a single strope
// from the link point straight back, for bridle legs from the confluence point to each leg.
// The array holds the start and the most legs a record can have.
using PreviewLinePoints = std::array<std::array<double, 3>, kMaxLegs + 1>;
int PreviewLines(const PayloadData& data, PreviewLinePoints& points);

// The sixteen fields of "Parachute data", in the dialog's order.
extern const std::array<NumberFieldRow<CParachute>, 16> kParachuteFields;

// The dialog's copy is a parachute record of its own; it edits the fields of the table.
struct ParachuteData : CParachute {
  static ParachuteData Of(const CParachute& parachute);
  // Why OK cannot write the copy back (a value no run could fly), or nothing.
  std::optional<std::string> Refusal() const;
  bool WriteTo(CParachute& parachute) const;
  friend bool operator==(const ParachuteData& a, const ParachuteData& b) {
    return FieldsEqual<CParachute>(kParachuteFields, a, b);
  }
};

}  // namespace plumora::gui
