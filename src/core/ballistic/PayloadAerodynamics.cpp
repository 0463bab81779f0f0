#include "core/ballistic/PayloadAerodynamics.h"

#include <cmath>

#include "core/common/Constants.h"
#include "core/environment/Aerodynamics.h"
#include "core/mission/Records.h"

namespace plumora {

namespace {
// +1 when the sign bit is clear, −1 when it is set (so −0 gives −1).
double SignBit(double x) {
  return std::signbit(x) ? -1.0 : 1.0;
}
}  // namespace

void PayloadAerodynamics(const CPayload& payload, const AeroDatabase& aero, const Vec3& va,
                         double density, double temperature, double gammaR, AeroLoads& loads) {
  const double speed = Norm(va);
  if (speed == 0.0) {
    loads.force = {};
    loads.moment = {};
    return;
  }
  const double mach = speed / std::sqrt(gammaR * temperature);
  const double lateralSpeed = std::sqrt(va.y * va.y + va.z * va.z);
  const double alpha = std::atan2(lateralSpeed, std::fabs(va.x));  // rad, 0 to π/2
  const AeroCoefficientSet c = AeroCoefficients(aero, mach, alpha);
  const double dynamicPressure = 0.5 * density * speed * speed;  // Pa
  const double s = payload.referenceArea;
  const double l = payload.referenceLength;

  // Axial force and roll moment change sign with the flow direction along the body axis.
  const double axial = SignBit(va.x) * c[kCx] * dynamicPressure * s;
  const double roll = SignBit(va.x) * c[kCl] * dynamicPressure * s * l;
  // Normal force along the lateral flow, pitching moment about the axis normal to it.
  const double normal = c[kCz] * dynamicPressure * s;
  const double pitching = c[kCm] * dynamicPressure * s * l;
  if (lateralSpeed == 0.0) {
    loads.force = {axial, 0.0, 0.0};
    loads.moment = {roll, 0.0, 0.0};
  } else {
    loads.force = {axial, normal * va.y / lateralSpeed, normal * va.z / lateralSpeed};
    loads.moment = {roll, -pitching * va.z / lateralSpeed, pitching * va.y / lateralSpeed};
  }
  loads.angleOfAttack = alpha * kRadToDeg;
}

}  // namespace plumora
