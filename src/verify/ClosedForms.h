// Closed forms of entry and descent that the simulator must reproduce in their limits.
#pragma once

#include <functional>

namespace plumora::verify {

// Allen and Eggers' ballistic entry: a body of constant drag coefficient on a straight path
// (no gravity, no curvature of the planet) through air of density ρ₀·exp(−h/H). Its speed at the
// density ρ is V = V_E·exp(−ρ·H / (2·β·sin|γ|)), β = m/(Cd·S), and its deceleration peaks at
// V_E²·sin|γ| / (2·e·H), where ρ = β·sin|γ|/H and V = V_E/√e, whatever β.
double AllenEggersPeakDeceleration(double entrySpeed,       // m/s
                                   double pathAngle,        // rad, the sign does not matter
                                   double scaleHeight);     // m
double AllenEggersPeakDensity(double ballisticCoefficient,  // kg/m²
                              double pathAngle,             // rad
                              double scaleHeight);          // m

// Steady descent, drag balancing weight: √(2·m·g / (ρ·Cd·S)) in m/s.
double SteadyDescentRate(double mass,             // kg
                         double gravity,          // m/s²
                         double density,          // kg/m³
                         double dragCoefficient,  // on the area
                         double area);            // m²

// How far a body carried by the air drifts while it comes down from `height` to the ground at a
// steady rate: the integral of the wind over the descent, ∫ w dt = (1/rate)·∫₀^height w(h) dh, by
// Simpson's rule over `intervals` (an even count) of height.
double DriftInSteadyDescent(const std::function<double(double)>& wind,  // m/s at a height (m)
                            double height,                              // m
                            double rate,                                // m/s
                            int intervals);

}  // namespace plumora::verify
