#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "core/common/Constants.h"
#include "core/dispersion/DispersionStatistics.h"
#include "core/dispersion/DispersionSummary.h"

namespace plumora {
namespace {

TEST(DispersionStatistics, DescribesTheFiniteValues) {
  std::vector<double> values;
  for (int i = 101; i >= 1; --i) values.push_back(i);
  values.push_back(NAN);  // a failed output is left out
  const OutputStatistics s = DescribeValues(values);
  EXPECT_EQ(s.count, 101u);
  EXPECT_DOUBLE_EQ(s.mean, 51.0);
  // Σ(i − 51)² over 1 … 101 = 2·Σk² for k ≤ 50 = 85850, over n − 1 = 100.
  EXPECT_DOUBLE_EQ(s.standardDeviation, std::sqrt(858.5));
  EXPECT_DOUBLE_EQ(s.p01, 2.0);
  EXPECT_DOUBLE_EQ(s.p50, 51.0);
  EXPECT_DOUBLE_EQ(s.p99, 100.0);

  // Between ranks the percentile interpolates: 4 values put the 1st at rank 0.03.
  const OutputStatistics few = DescribeValues({10.0, 40.0, 20.0, 30.0});
  EXPECT_DOUBLE_EQ(few.p01, 10.3);
  EXPECT_DOUBLE_EQ(few.p50, 25.0);
  EXPECT_DOUBLE_EQ(few.p99, 39.7);

  const OutputStatistics one = DescribeValues({7.0});
  EXPECT_EQ(one.standardDeviation, 0.0);
  EXPECT_EQ(one.p99, 7.0);
  const OutputStatistics none = DescribeValues({NAN, INFINITY});
  EXPECT_EQ(none.count, 0u);
  EXPECT_TRUE(std::isnan(none.mean) && std::isnan(none.p50));
}

// Landing points on a sphere whose east-north offsets (km) from (latitude, longitude) are ±a
// along the azimuth `azimuth` and ±b across it: their covariance is (2a²·uuᵀ + 2b²·vvᵀ)/3, so
// the 1σ semi-axes are a·√(2/3) and b·√(2/3) along that azimuth.
struct Cloud {
  std::vector<double> latitudes, longitudes;
};
Cloud Cross(double latitude, double longitude, double a, double b, double azimuth, double radius) {
  const double az = azimuth * kDegToRad;
  const double ue = std::sin(az), un = std::cos(az);   // along the azimuth
  const double ve = std::cos(az), vn = -std::sin(az);  // across it
  const double kmPerDegree = radius * kDegToRad / 1000.0;
  Cloud c;
  for (const auto& [east, north] : {std::pair{a * ue, a * un}, std::pair{-a * ue, -a * un},
                                    std::pair{b * ve, b * vn}, std::pair{-b * ve, -b * vn}}) {
    c.latitudes.push_back(latitude + north / kmPerDegree);
    c.longitudes.push_back(longitude + east / (kmPerDegree * std::cos(latitude * kDegToRad)));
  }
  return c;
}

TEST(DispersionStatistics, TheLandingEllipseOfAKnownCovariance) {
  constexpr double kMarsRadius = 3389500.0;  // m
  const double factor = std::sqrt(2.0 / 3.0);
  for (double azimuth : {30.0, 120.0, 0.0}) {
    const Cloud c = Cross(-40.0, 75.0, 12.0, 5.0, azimuth, kMarsRadius);
    const LandingEllipse e = FitLandingEllipse(c.latitudes, c.longitudes, kMarsRadius);
    EXPECT_EQ(e.count, 4u);
    EXPECT_NEAR(e.meanLatitude, -40.0, 1e-12);
    EXPECT_NEAR(e.meanLongitude, 75.0, 1e-12);
    EXPECT_NEAR(e.oneSigma.semiMajor, 12.0 * factor, 1e-9) << azimuth;
    EXPECT_NEAR(e.oneSigma.semiMinor, 5.0 * factor, 1e-9) << azimuth;
    EXPECT_NEAR(e.oneSigma.orientation, azimuth, 1e-9) << azimuth;
    EXPECT_NEAR(e.threeSigma.semiMajor, 36.0 * factor, 1e-8);
    EXPECT_NEAR(e.threeSigma.semiMinor, 15.0 * factor, 1e-8);
    EXPECT_EQ(e.threeSigma.orientation, e.oneSigma.orientation);
  }
  // North-south and east-west only: the variances read directly.
  const Cloud ns = Cross(10.0, 0.0, 3.0, 1.0, 0.0, kMarsRadius);
  const LandingEllipse e = FitLandingEllipse(ns.latitudes, ns.longitudes, kMarsRadius);
  EXPECT_NEAR(e.northVariance, 6.0, 1e-9);  // 2·3²/3
  EXPECT_NEAR(e.eastVariance, 2.0 / 3.0, 1e-9);
  EXPECT_NEAR(e.eastNorthCovariance, 0.0, 1e-9);
}

TEST(DispersionStatistics, ACloudAstrideTheDateLineStaysWhole) {
  constexpr double kRadius = 6371000.0;
  const Cloud here = Cross(20.0, 100.0, 8.0, 2.0, 60.0, kRadius);
  Cloud there = Cross(20.0, 180.0, 8.0, 2.0, 60.0, kRadius);
  for (double& lon : there.longitudes) {
    if (lon > 180.0) lon -= 360.0;  // as the flight reports them: within ±180
  }
  const LandingEllipse a = FitLandingEllipse(here.latitudes, here.longitudes, kRadius);
  const LandingEllipse b = FitLandingEllipse(there.latitudes, there.longitudes, kRadius);
  EXPECT_NEAR(std::fabs(b.meanLongitude), 180.0, 1e-9);
  EXPECT_NEAR(b.oneSigma.semiMajor, a.oneSigma.semiMajor, 1e-6);
  EXPECT_NEAR(b.oneSigma.semiMinor, a.oneSigma.semiMinor, 1e-6);
  EXPECT_NEAR(b.oneSigma.orientation, 60.0, 1e-6);
}

RunRecord Landed(std::int64_t run, double latitude, double radius) {
  RunRecord r;
  r.run = run;
  r.inputs = {static_cast<double>(run)};
  r.end = RunEnd::kLanded;
  r.outputs.landingLatitude = latitude;
  r.outputs.landingLongitude = 0.0;
  r.outputs.landingTime = 100.0 + static_cast<double>(run);
  r.outputs.planetRadius = radius;
  return r;
}

TEST(DispersionStatistics, TheSummaryLeavesFailedRunsOutOfTheOutputs) {
  std::vector<RunRecord> records = {Landed(0, 1.0, 1000.0), Landed(1, 3.0, 1000.0),
                                    Landed(2, 50.0, 2000.0)};
  records[2].end = RunEnd::kFailed;
  const Result<DispersionSummary> summary = SummariseDispersion({"height"}, records);
  ASSERT_TRUE(summary.ok());
  const DispersionSummary& s = summary.value();
  EXPECT_EQ(s.runs, 3);
  EXPECT_EQ(s.failures, 1);
  EXPECT_EQ(s.landed, 2);
  EXPECT_EQ(s.inputs[0].second.count, 3u);  // every run drew its inputs
  EXPECT_EQ(s.outputs[0].first, "landing_time");
  EXPECT_EQ(s.outputs[0].second.mean, 100.5);
  EXPECT_EQ(s.ellipse.count, 2u);
  EXPECT_EQ(s.ellipse.meanLatitude, 2.0);

  // Runs of another planet are another study.
  records[2].end = RunEnd::kAloft;
  const Result<DispersionSummary> mixed = SummariseDispersion({"height"}, records);
  ASSERT_FALSE(mixed.ok());
  EXPECT_EQ(mixed.message(), "runs 0 and 2 landed on planets of different radii");
}

// Shards are read from files anyone may have written: outputs no flight can have are refused, and
// values near the largest double still have a mean.
TEST(DispersionStatistics, OutputsNoFlightHasAreRefusedAndHugeValuesAveraged) {
  for (const RunRecord& bad : {Landed(1, 1.0, 0.0), Landed(1, 1.0, -5.0), Landed(1, 1e308, 1000.0),
                               Landed(1, -91.0, 1000.0)}) {
    const Result<DispersionSummary> summary =
        SummariseDispersion({"height"}, {Landed(0, 1.0, 1000.0), bad});
    ASSERT_FALSE(summary.ok());
    EXPECT_EQ(summary.message().rfind("run 1 has a ", 0), 0u) << summary.message();
  }
  std::vector<RunRecord> records;
  for (int k = 0; k < 6; ++k) {
    records.push_back(Landed(k, 1.0, 1000.0));
    records.back().outputs.landingTime = 1e308;
  }
  const Result<DispersionSummary> summary = SummariseDispersion({"height"}, records);
  ASSERT_TRUE(summary.ok());
  EXPECT_EQ(summary.value().outputs[0].second.mean, 1e308);
  EXPECT_NE(DispersionSummaryJson(summary.value()).find("\"mean\": 1e+308"), std::string::npos)
      << DispersionSummaryJson(summary.value());
}

}  // namespace
}  // namespace plumora
