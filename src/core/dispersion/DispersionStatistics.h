// Statistics of a dispersion study: the spread of each output, and the landing ellipse of the
// landing points on the ground.
#pragma once

#include <cstddef>
#include <vector>

namespace plumora {

struct OutputStatistics {
  std::size_t count = 0;           // finite values described
  double mean = 0.0;               // NaN (as every figure below) when count is 0
  double standardDeviation = 0.0;  // with n − 1; 0 for a single value
  double p01 = 0.0;                // 1st percentile
  double p50 = 0.0;                // median
  double p99 = 0.0;                // 99th percentile
};

// Describes the finite values among `values` (others are left out). Percentiles interpolate
// linearly between the closest ranks: the p-th of n sorted values lies at rank (n − 1)·p/100,
// counted from 0.
OutputStatistics DescribeValues(std::vector<double> values);

// One ellipse of the landing points: semi-axes along the principal axes of their covariance.
struct EllipseAxes {
  double semiMajor = 0.0;    // km
  double semiMinor = 0.0;    // km
  double orientation = 0.0;  // °, azimuth of the major axis from north towards east, [0, 180)
};

struct LandingEllipse {
  std::size_t count = 0;             // landing points
  double meanLatitude = 0.0;         // °
  double meanLongitude = 0.0;        // °, in (−180, 180]
  double eastVariance = 0.0;         // km², of the points' distance east of the mean
  double northVariance = 0.0;        // km²
  double eastNorthCovariance = 0.0;  // km²
  EllipseAxes oneSigma;              // semi-axes the square roots of the covariance's eigenvalues
  EllipseAxes threeSigma;            // three times those
};

// Landing points as distances from their mean point: east R·cos(φ̄)·Δλ and north R·Δφ, in km.
// Longitudes are taken relative to the first point's, so a cloud astride ±180° stays whole.
struct LandingOffsets {
  double meanLatitude = 0.0;   // °; NaN (as the longitude) without a point
  double meanLongitude = 0.0;  // °, in (−180, 180]
  std::vector<double> east;    // km, one per point
  std::vector<double> north;   // km
};
LandingOffsets OffsetsFromMean(const std::vector<double>& latitudes,
                               const std::vector<double>& longitudes, double radius);

// Km east and north of a landing's mean point for a point in degrees (the short way round in
// longitude), as OffsetsFromMean measures them.
void OffsetOf(const LandingOffsets& mean, double latitude, double longitude, double radius,
              double& east, double& north);

// The ellipse of landing points given in degrees on a sphere of radius (m). Longitudes are taken
// relative to the first point's, so a cloud astride ±180° stays whole. Distances are east
// R·cos(φ̄)·Δλ and north R·Δφ from the mean point, in km; the covariance divides by n − 1.
// Fewer than two points give zero axes (no point: every figure NaN).
LandingEllipse FitLandingEllipse(const std::vector<double>& latitudes,
                                 const std::vector<double>& longitudes, double radius);
// The same from the offsets already measured.
LandingEllipse FitLandingEllipse(const LandingOffsets& offsets);

}  // namespace plumora
