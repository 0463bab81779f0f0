// The planet-centred frame P (turning with the planet: x towards latitude 0 / longitude 0, y
// towards longitude 90° east, z towards the north pole) and the local heading frame H(φ, λ, χ):
// x horizontal along the azimuth χ (from north towards east), y horizontal 90° to the left, z up.
#pragma once

#include "core/common/BodyFrames.h"
#include "core/common/Vec3.h"

namespace plumora {

// r = (R_p + h)·(cos φ cos λ, cos φ sin λ, sin φ); angles in rad, lengths in m.
Vec3 PositionFromLatLon(double latitude, double longitude, double height, double planetRadius);

// The matrix taking P components to H(φ, λ, χ) components.
Mat3 HeadingMatrix(double latitude, double longitude, double heading);

// P components to H components.
Vec3 ConvertI2H(const Vec3& v, double latitude, double longitude, double heading);

// H components to P components, through the adjugate of the heading matrix over its
// determinant. False, with out untouched, when the matrix cannot be inverted (|det| ≤ 1e-34 or
// not a number, which only non-finite angles produce).
bool ConvertH2I(const Vec3& v, double latitude, double longitude, double heading, Vec3& out);

}  // namespace plumora
