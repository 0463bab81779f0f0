#include "core/dispersion/DispersionStatistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/common/Constants.h"

namespace plumora {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMetresPerKm = 1000.0;

// The sum of values; when it overflows though every value is finite, the sum of the values
// scaled by the largest of them, and that scale, so that large values still have a mean.
double ScaledSum(const std::vector<double>& values, double& scale) {
  scale = 1.0;
  double sum = 0.0;
  for (double v : values) sum += v;
  if (std::isfinite(sum) ||
      !std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); })) {
    return sum;
  }
  scale = 0.0;
  for (double v : values) scale = std::max(scale, std::fabs(v));
  sum = 0.0;
  for (double v : values) sum += v / scale;
  return sum;
}

double Mean(const std::vector<double>& values) {
  double scale = 1.0;
  const double sum = ScaledSum(values, scale);
  return sum / static_cast<double>(values.size()) * scale;
}

// With n − 1 in the denominator; 0 for fewer than two values.
double Covariance(const std::vector<double>& a, double meanA, const std::vector<double>& b,
                  double meanB) {
  if (a.size() < 2) return 0.0;
  double sum = 0.0;
  for (std::size_t i = 0; i < a.size(); ++i) sum += (a[i] - meanA) * (b[i] - meanB);
  return sum / static_cast<double>(a.size() - 1);
}

double Percentile(const std::vector<double>& sorted, double percent) {
  const double rank = static_cast<double>(sorted.size() - 1) * percent / 100.0;
  const auto below = static_cast<std::size_t>(std::floor(rank));
  const std::size_t above = std::min(below + 1, sorted.size() - 1);
  const double weight = rank - static_cast<double>(below);
  return sorted[below] + weight * (sorted[above] - sorted[below]);
}

// An angle difference in degrees brought into (−180, 180].
double WrapDegrees(double degrees) {
  double wrapped = std::fmod(degrees, 360.0);
  if (wrapped > 180.0) wrapped -= 360.0;
  if (wrapped <= -180.0) wrapped += 360.0;
  return wrapped;
}

// Principal axes of the symmetric 2 × 2 covariance ((ee, en), (en, nn)) in the east-north plane.
EllipseAxes PrincipalAxes(double ee, double nn, double en) {
  const double centre = 0.5 * (ee + nn);
  const double radius = std::hypot(0.5 * (ee - nn), en);
  EllipseAxes axes;
  axes.semiMajor = std::sqrt(std::max(centre + radius, 0.0));
  axes.semiMinor = std::sqrt(std::max(centre - radius, 0.0));
  // Angle of the major axis from east towards north, then as an azimuth from north.
  const double fromEast = 0.5 * std::atan2(2.0 * en, ee - nn) * kRadToDeg;
  double azimuth = 90.0 - fromEast;
  if (azimuth >= 180.0) azimuth -= 180.0;
  if (azimuth < 0.0) azimuth += 180.0;
  axes.orientation = azimuth;
  return axes;
}

}  // namespace

OutputStatistics DescribeValues(std::vector<double> values) {
  values.erase(
      std::remove_if(values.begin(), values.end(), [](double v) { return !std::isfinite(v); }),
      values.end());
  OutputStatistics s;
  s.count = values.size();
  if (values.empty()) {
    s.mean = s.standardDeviation = s.p01 = s.p50 = s.p99 = kNaN;
    return s;
  }
  s.mean = Mean(values);
  s.standardDeviation = std::sqrt(Covariance(values, s.mean, values, s.mean));
  std::sort(values.begin(), values.end());
  s.p01 = Percentile(values, 1.0);
  s.p50 = Percentile(values, 50.0);
  s.p99 = Percentile(values, 99.0);
  return s;
}

LandingOffsets OffsetsFromMean(const std::vector<double>& latitudes,
                               const std::vector<double>& longitudes, double radius) {
  const std::size_t count = std::min(latitudes.size(), longitudes.size());
  LandingOffsets o;
  if (count == 0) {
    o.meanLatitude = o.meanLongitude = kNaN;
    return o;
  }
  // Longitudes unwrapped around the first point's.
  const double reference = longitudes[0];
  std::vector<double> lat(latitudes.begin(), latitudes.begin() + static_cast<long>(count));
  std::vector<double> lon(count);
  for (std::size_t i = 0; i < count; ++i) {
    lon[i] = reference + WrapDegrees(longitudes[i] - reference);
  }
  o.meanLatitude = Mean(lat);
  const double meanLongitude = Mean(lon);
  o.meanLongitude = WrapDegrees(meanLongitude);

  const double kmPerDegreeNorth = radius * kDegToRad / kMetresPerKm;
  const double kmPerDegreeEast = kmPerDegreeNorth * std::cos(o.meanLatitude * kDegToRad);
  o.east.resize(count);
  o.north.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    o.east[i] = (lon[i] - meanLongitude) * kmPerDegreeEast;
    o.north[i] = (lat[i] - o.meanLatitude) * kmPerDegreeNorth;
  }
  return o;
}

void OffsetOf(const LandingOffsets& mean, double latitude, double longitude, double radius,
              double& east, double& north) {
  const double kmPerDegreeNorth = radius * kDegToRad / kMetresPerKm;
  east = WrapDegrees(longitude - mean.meanLongitude) * kmPerDegreeNorth *
         std::cos(mean.meanLatitude * kDegToRad);
  north = (latitude - mean.meanLatitude) * kmPerDegreeNorth;
}

LandingEllipse FitLandingEllipse(const std::vector<double>& latitudes,
                                 const std::vector<double>& longitudes, double radius) {
  const LandingOffsets o = OffsetsFromMean(latitudes, longitudes, radius);
  return FitLandingEllipse(o);
}

LandingEllipse FitLandingEllipse(const LandingOffsets& o) {
  LandingEllipse e;
  e.count = o.east.size();
  e.meanLatitude = o.meanLatitude;
  e.meanLongitude = o.meanLongitude;
  if (e.count == 0) {
    e.eastVariance = e.northVariance = e.eastNorthCovariance = kNaN;
    e.oneSigma = e.threeSigma = {kNaN, kNaN, kNaN};
    return e;
  }
  e.eastVariance = Covariance(o.east, 0.0, o.east, 0.0);
  e.northVariance = Covariance(o.north, 0.0, o.north, 0.0);
  e.eastNorthCovariance = Covariance(o.east, 0.0, o.north, 0.0);
  e.oneSigma = PrincipalAxes(e.eastVariance, e.northVariance, e.eastNorthCovariance);
  e.threeSigma = {3.0 * e.oneSigma.semiMajor, 3.0 * e.oneSigma.semiMinor, e.oneSigma.orientation};
  return e;
}

}  // namespace plumora
