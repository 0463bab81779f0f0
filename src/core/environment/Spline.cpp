#include "core/environment/Spline.h"

#include <vector>

#include "core/common/Constants.h"

namespace plumora {

void SplineSecondDerivatives(const double* x, const double* y, int n, double startSlope,
                             double endSlope, double* y2) {
  if (n <= 0) return;
  if (n == 1) {
    y2[0] = 0.0;
    return;
  }
  std::vector<double> u(static_cast<std::size_t>(n));
  if (startSlope > kNaturalSplineSlope) {
    y2[0] = 0.0;
    u[0] = 0.0;
  } else {
    y2[0] = -0.5;
    u[0] = (3.0 / (x[1] - x[0])) * ((y[1] - y[0]) / (x[1] - x[0]) - startSlope);
  }
  // Decomposition of the tridiagonal system.
  for (int i = 1; i < n - 1; ++i) {
    const double sigma = (x[i] - x[i - 1]) / (x[i + 1] - x[i - 1]);
    const double p = sigma * y2[i - 1] + 2.0;
    y2[i] = (sigma - 1.0) / p;
    u[i] = ((y[i + 1] - y[i]) / (x[i + 1] - x[i]) - (y[i] - y[i - 1]) / (x[i] - x[i - 1])) * 6.0 /
           (x[i + 1] - x[i - 1]);
    u[i] = (u[i] - sigma * u[i - 1]) / p;
  }
  double qn = 0.0;
  double un = 0.0;
  if (endSlope <= kNaturalSplineSlope) {
    qn = 0.5;
    un = (3.0 / (x[n - 1] - x[n - 2])) * (endSlope - (y[n - 1] - y[n - 2]) / (x[n - 1] - x[n - 2]));
  }
  y2[n - 1] = (un - qn * u[n - 2]) / (qn * y2[n - 2] + 1.0);
  // Back substitution.
  for (int k = n - 2; k >= 0; --k) y2[k] = y2[k] * y2[k + 1] + u[k];
}

namespace {

SplineInterval Weights(const double* x, int lo, double xValue) {
  SplineInterval in;
  in.lo = lo;
  in.hi = lo + 1;
  in.h = x[in.hi] - x[in.lo];
  in.a = (x[in.hi] - xValue) / in.h;
  in.b = (xValue - x[in.lo]) / in.h;
  return in;
}

// Whether [x[lo], x[lo + 1]] is the interval the bisection finds for xValue: lo is the largest
// index with x[lo] <= xValue, within 0 to n − 2 (so the end intervals take what lies beyond).
bool IsIntervalOf(const double* x, int n, int lo, double xValue) {
  return lo >= 0 && lo <= n - 2 && (lo == 0 || x[lo] <= xValue) &&
         (lo == n - 2 || xValue < x[lo + 1]);
}

}  // namespace

SplineInterval FindSplineInterval(const double* x, int n, double xValue) {
  if (n < 2) return {};  // a single point: the spline is that value
  // Bisection for the interval holding xValue.
  int lo = 0;
  int hi = n - 1;
  while (hi - lo > 1) {
    const int k = (hi + lo) / 2;
    if (x[k] > xValue) {
      hi = k;
    } else {
      lo = k;
    }
  }
  return Weights(x, lo, xValue);
}

SplineInterval FindSplineInterval(const double* x, int n, double xValue, int& hint) {
  if (n >= 2) {
    for (const int lo : {hint, hint + 1, hint - 1}) {
      if (IsIntervalOf(x, n, lo, xValue)) {
        hint = lo;
        return Weights(x, lo, xValue);
      }
    }
  }
  const SplineInterval in = FindSplineInterval(x, n, xValue);
  hint = in.lo;
  return in;
}

double SplineEvaluate(const SplineInterval& in, const double* y, const double* y2) {
  if (in.hi <= in.lo) return y[in.lo];
  const double a = in.a, b = in.b;
  return a * y[in.lo] + b * y[in.hi] +
         ((a * a * a - a) * y2[in.lo] + (b * b * b - b) * y2[in.hi]) * (in.h * in.h) * kOneSixth;
}

double SplineEvaluate(const SplineInterval& in, const double* y, const double* y2, double factor,
                      double shift) {
  if (in.hi <= in.lo) return y[in.lo] * factor + shift;
  const double a = in.a, b = in.b;
  const double yLo = y[in.lo] * factor + shift, yHi = y[in.hi] * factor + shift;
  const double y2Lo = y2[in.lo] * factor, y2Hi = y2[in.hi] * factor;
  return a * yLo + b * yHi +
         ((a * a * a - a) * y2Lo + (b * b * b - b) * y2Hi) * (in.h * in.h) * kOneSixth;
}

double SplineEvaluate(const double* x, const double* y, const double* y2, int n, double xValue) {
  return SplineEvaluate(FindSplineInterval(x, n, xValue), y, y2);
}

}  // namespace plumora
