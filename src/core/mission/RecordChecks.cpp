#include "core/mission/RecordChecks.h"

#include <cmath>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>

#include "core/common/CodePage.h"

namespace plumora {

namespace {

using Field = std::pair<std::string_view, double>;  // name as the user knows it, value

// The first field that is not a positive finite number, then the first that is not finite.
std::optional<std::string> FieldProblem(std::initializer_list<Field> positive,
                                        std::initializer_list<Field> finite) {
  for (const auto& [name, value] : positive) {
    if (!std::isfinite(value)) return std::string(name) + " must be a finite number";
    if (!(value > 0.0)) return std::string(name) + " must be positive";
  }
  for (const auto& [name, value] : finite) {
    if (!std::isfinite(value)) return std::string(name) + " must be a finite number";
  }
  return std::nullopt;
}

Result<> Named(std::string_view kind, std::int32_t number, const std::string& name,
               const std::optional<std::string>& problem) {
  if (!problem) return {};
  return Fail(ErrorCode::kInvalid, std::string(kind) + " " + std::to_string(number) + " \"" +
                                       Windows1252ToUtf8(name) + "\": " + *problem + "\n");
}

}  // namespace

Result<> CheckPayloadCanFly(const CPayload& p) {
  return Named(
      "Payload", p.number, p.name,
      FieldProblem({{"mass", p.mass},
                    {"inertia Ixx", p.ixx},
                    {"inertia Iyy", p.iyy},
                    {"inertia Izz", p.izz},
                    {"reference area", p.referenceArea}},
                   {{"inertia Ixy", p.ixy}, {"inertia Ixz", p.ixz}, {"inertia Iyz", p.iyz}}));
}

Result<> CheckParachuteCanFly(const CParachute& c, bool massPointAtConfluence) {
  std::optional<std::string> problem = FieldProblem({{"mass", c.mass},
                                                     {"inertia Ixx", c.ixx},
                                                     {"inertia Iyy", c.iyy},
                                                     {"inertia Izz", c.izz},
                                                     {"reference area", c.referenceArea},
                                                     {"stiffness", c.stiffness}},
                                                    {});
  // The confluence point's mass is flown only by the mass-point model.
  if (!problem && massPointAtConfluence) {
    problem = FieldProblem({{"confluence point mass", c.confluenceMass}}, {});
  }
  return Named("Parachute", c.number, c.name, problem);
}

Result<> CheckFlownRecords(const Mission& mission) {
  for (const auto& phase : mission.phases) {
    std::shared_ptr<CPayload> payload;
    if (const CBallisticEntryPhase* entry = phase->ballistic()) {
      payload = mission.FindPayload(entry->payloadNumber);
    } else if (const CParachutePhase* descent = phase->parachute()) {
      payload = mission.FindPayload(descent->payloadNumber);
      if (auto parachute = mission.FindParachute(descent->parachuteNumber)) {
        if (auto check = CheckParachuteCanFly(*parachute, descent->massPointAtConfluence != 0);
            !check) {
          return check;
        }
      }
    }
    if (payload) {
      if (auto check = CheckPayloadCanFly(*payload); !check) return check;
    }
  }
  return {};
}

}  // namespace plumora
