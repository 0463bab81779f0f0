// Aerodynamic force and moment on the payload from its coefficient tables. Both phase modules
// use it: the ballistic entry with the planet-relative air velocity, the final descent with the
// air velocity in its descent frame.
#pragma once

#include "core/common/Vec3.h"

namespace plumora {

class CPayload;
struct AeroDatabase;

struct AeroLoads {
  Vec3 force;                  // N, payload body axes
  Vec3 moment;                 // N·m, payload body axes, about the centre of gravity
  double angleOfAttack = 0.0;  // °, total angle of attack, 0 to 90
};

// aero: the payload's coefficient tables; airVelocity: the payload's velocity relative to the
// air, body axes (m/s); density (kg/m³), temperature (K), gammaR = ratio of specific heats × gas
// constant (J/(kg·K)). With no air speed the loads are zero and the angle of attack keeps its
// previous value.
void PayloadAerodynamics(const CPayload& payload, const AeroDatabase& aero, const Vec3& airVelocity,
                         double density, double temperature, double gammaR, AeroLoads& loads);

}  // namespace plumora
