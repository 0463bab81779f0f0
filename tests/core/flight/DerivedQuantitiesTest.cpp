#include "core/flight/DerivedQuantities.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/flight/TrajectoryStore.h"
#include "core/mission/Records.h"

namespace plumora {
namespace {

CTrajectorySample Sample(double time, double speed, double pathAngle, double heading) {
  CTrajectorySample s;
  s.time = time;
  s.payloadHeight = 500.0;
  s.payloadSpeed = speed;
  s.payloadPathAngle = pathAngle;
  s.heading = heading;
  return s;
}

TEST(DerivedQuantities, HandValuesOfOneSample) {
  // Sea-level air of the standard atmosphere: a = √(1.4 · 287.05 J/(kg·K) · 288.15 K) = 340.29 m/s.
  const AtmosphereSample still{1.225, 288.15, 0.0, 0.0};
  const double gammaR = 1.4 * 287.05;
  const DerivedSample down = DeriveSample(Sample(0.0, 340.0, -90.0, 0.0), still, gammaR, 19.6133);
  EXPECT_NEAR(down.mach, 0.999141, 1e-6);
  EXPECT_NEAR(down.dynamicPressure, 70805.0, 0.01);  // ½ · 1.225 · 340²
  EXPECT_NEAR(down.descentRate, 340.0, 1e-9);
  EXPECT_DOUBLE_EQ(down.deceleration, 2.0);  // 19.6133 m/s² is 2 g
  EXPECT_TRUE(std::isnan(down.lineForce)) << "no parachute, no line force";

  // Flying east at 100 m/s with a 20 m/s wind towards east: 80 m/s through the air, climbing 30°
  // makes the descent rate negative.
  const AtmosphereSample tailwind{1.0, 288.15, 20.0, 0.0};
  const DerivedSample east = DeriveSample(Sample(0.0, 100.0, 0.0, 90.0), tailwind, gammaR, 0.0);
  EXPECT_NEAR(east.dynamicPressure, 3200.0, 1e-6);
  EXPECT_NEAR(east.mach, 80.0 / 340.292, 1e-5);
  EXPECT_NEAR(DeriveSample(Sample(0.0, 100.0, 30.0, 0.0), still, gammaR, 0.0).descentRate, -50.0,
              1e-6);

  // Under a parachute the line force is shown in kN; air without temperature has no Mach number.
  CTrajectorySample hanging = Sample(0.0, 8.0, -90.0, 0.0);
  hanging.parachute = std::make_shared<CParachute>();
  hanging.connectionForce = 12345.0;
  const DerivedSample underCanopy = DeriveSample(hanging, {0.02, 0.0, 0.0, 0.0}, gammaR, 0.0);
  EXPECT_DOUBLE_EQ(underCanopy.lineForce, 12.345);
  EXPECT_TRUE(std::isnan(underCanopy.mach));
  EXPECT_NEAR(underCanopy.dynamicPressure, 0.64, 1e-12);
}

TEST(DerivedQuantities, DecelerationIsTheSpeedLostOverTheStepToEachSample) {
  AtmosphereTable air;  // 1 kg/m³ at 250 K up to 1 km
  air.pointCount = 2;
  air.height[1] = 1000.0;
  air.temperature[0] = air.temperature[1] = 250.0;
  PlanetConstants planet;
  planet.c1 = 287.0;
  planet.c2 = 1.4;
  CTrajectoryStore store;
  EXPECT_TRUE(DeriveQuantities(store, air, planet).empty());

  store.Append(Sample(0.0, 1000.0, -10.0, 0.0));
  store.Append(Sample(2.0, 960.0, -10.0, 0.0));   // 20 m/s² lost
  store.Append(Sample(2.0, 960.0, -10.0, 0.0));   // the next phase starts where this one ended
  store.Append(Sample(3.0, 950.19335, -10.0, 0.0));  // 1 g lost
  store.Append(Sample(4.0, 960.0, -10.0, 0.0));   // speeding up: negative deceleration
  const std::vector<DerivedSample> d = DeriveQuantities(store, air, planet);
  ASSERT_EQ(d.size(), 5u);
  EXPECT_DOUBLE_EQ(d[0].deceleration, 20.0 / kStandardGravity) << "the first takes the first step's";
  EXPECT_DOUBLE_EQ(d[1].deceleration, 20.0 / kStandardGravity);
  EXPECT_DOUBLE_EQ(d[2].deceleration, 20.0 / kStandardGravity) << "a step of no length keeps the last";
  EXPECT_NEAR(d[3].deceleration, 1.0, 1e-9);
  EXPECT_NEAR(d[4].deceleration, -9.80665 / kStandardGravity, 1e-9);
  EXPECT_NEAR(d[1].mach, 960.0 / std::sqrt(1.4 * 287.0 * 250.0), 1e-12);
  EXPECT_NEAR(d[1].dynamicPressure, 0.5 * 960.0 * 960.0, 1e-6);

  CTrajectoryStore single;
  single.Append(Sample(0.0, 100.0, -90.0, 0.0));
  EXPECT_EQ(DeriveQuantities(single, air, planet)[0].deceleration, 0.0);
}

}  // namespace
}  // namespace plumora
