// Cubic splines through tabulated points, used for the atmosphere columns and along the angle
// axis of the aerodynamic tables.
#pragma once

namespace plumora {

// Second derivatives y2[0..n-1] of the cubic spline through (x[i], y[i]), x strictly ascending.
// An end slope above kNaturalSplineSlope gives a natural end (zero curvature there); any other
// value clamps the first derivative at that end. Fewer than two points give a straight line.
void SplineSecondDerivatives(const double* x, const double* y, int n, double startSlope,
                             double endSlope, double* y2);

// The spline's value at xValue; inside the table it is the interpolating cubic, outside it the
// end interval's cubic continued. Needs n >= 1.
double SplineEvaluate(const double* x, const double* y, const double* y2, int n, double xValue);

// The same in two stages, for several columns tabulated over one x: the interval holding xValue
// (found once by bisection), then each column's value in it.
struct SplineInterval {
  int lo = 0;
  int hi = 0;
  double a = 1.0;  // weight of the point at lo
  double b = 0.0;  // weight of the point at hi
  double h = 0.0;  // interval width
};
SplineInterval FindSplineInterval(const double* x, int n, double xValue);
// The same interval, looked for first where the last search found it (`hint`, its lower index)
// and next to it, by bisection only when it has moved further; hint becomes the interval found.
// A caller that queries nearby values in turn, as an integrator does, saves the bisection.
SplineInterval FindSplineInterval(const double* x, int n, double xValue, int& hint);
double SplineEvaluate(const SplineInterval& in, const double* y, const double* y2);
// The spline through scaled values, y·factor + shift with curvatures y2·factor, without a scaled
// copy of the table: each tabulated value is scaled before the spline combines it, so the result
// is the scaled table's to the bit.
double SplineEvaluate(const SplineInterval& in, const double* y, const double* y2, double factor,
                      double shift);

}  // namespace plumora
