// DDERKF's solver: the Runge-Kutta-Fehlberg 4(5) pair on state arrays sized once, when the solver
// is created. The fifth-order solution is carried on; the difference to the embedded fourth-order
// one estimates the local error. Six evaluations of F per step, none on a call that only lands on
// TOUT or starts the next one.
//
// Error test, component by component: with the weight w_i = RTOL·max(|y_i|, |ỹ_i|) + ATOL (ỹ the
// candidate solution), the step is accepted when every |e_i| is at most w_i; err is the largest
// |e_i| / w_i.
// Step size. After an accepted step a proportional-integral rule h·0.9·err^(-0.14)·err_prev^0.08
// with both errors floored at 1e-4, so that a step grows by at most about 1.6 times while the
// error stays small (3.3 times right after one near the limit), never right after a rejection.
// After a rejected step h·0.9·err^(-1/5), at least h/5. A step that would pass TOUT is cut to land
// on it exactly, and one that would leave less than a step to go is halved; the next step is then
// chosen from the size asked for before the cut, growing from it when the error that size would
// have had (local error ∝ h⁵) allows. A step whose F is not finite somewhere is retried at a
// quarter of its size.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "core/common/Constants.h"
#include "core/solvers/DepacBackend.h"

namespace plumora {

namespace {

// The Fehlberg coefficients: stage times c, stage weights a, fifth-order weights b and the
// error weights e = b(5) − b(4).
constexpr double kC2 = 1.0 / 4.0, kC3 = 3.0 / 8.0, kC4 = 12.0 / 13.0, kC5 = 1.0, kC6 = 1.0 / 2.0;
constexpr double kA21 = 1.0 / 4.0;
constexpr double kA31 = 3.0 / 32.0, kA32 = 9.0 / 32.0;
constexpr double kA41 = 1932.0 / 2197.0, kA42 = -7200.0 / 2197.0, kA43 = 7296.0 / 2197.0;
constexpr double kA51 = 439.0 / 216.0, kA52 = -8.0, kA53 = 3680.0 / 513.0, kA54 = -845.0 / 4104.0;
constexpr double kA61 = -8.0 / 27.0, kA62 = 2.0, kA63 = -3544.0 / 2565.0, kA64 = 1859.0 / 4104.0,
                 kA65 = -11.0 / 40.0;
constexpr double kB1 = 16.0 / 135.0, kB3 = 6656.0 / 12825.0, kB4 = 28561.0 / 56430.0,
                 kB5 = -9.0 / 50.0, kB6 = 2.0 / 55.0;
constexpr double kE1 = 1.0 / 360.0, kE3 = -128.0 / 4275.0, kE4 = -2197.0 / 75240.0,
                 kE5 = 1.0 / 50.0, kE6 = 2.0 / 55.0;

// Step size control.
constexpr double kSafety = 0.9;
constexpr double kErrorExponent = 0.7 / 5.0;     // proportional part
constexpr double kPreviousExponent = 0.4 / 5.0;  // integral part
constexpr double kMaxGrowth = 5.0;
constexpr double kMaxShrink = 0.2;
constexpr double kNonFiniteShrink = 0.25;
constexpr double kSmallestErrorRatio = 1e-4;  // err and err_prev are floored at this
// Rejections of one step before the call gives up on it.
constexpr int kMaxErrorTestFailures = 7;
constexpr int kMaxNonFiniteFailures = 10;
// A step shorter than this many units of roundoff of T does not move T in a useful way; a
// relative tolerance below this many units of roundoff cannot be honoured.
constexpr double kRoundoffMultiple = 16.0;
constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
constexpr double kSmallestWeight = std::numeric_limits<double>::min();

bool AllFinite(const double* v, int n) {
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(v[i])) return false;
  }
  return true;
}

// kSize equations in arrays inside the solver, whose loops the compiler sees whole; kSize 0 for
// any other number, in vectors sized when the solver is created.
template <int kSize>
class FehlbergSolver final : public DepacBackend {
 public:
  explicit FehlbergSolver(int neq) : DepacBackend(DepacMethod::kRungeKuttaFehlberg, neq) {
    if constexpr (kSize == 0) {
      for (Vector* v : {&y_, &k1_, &k2_, &k3_, &k4_, &k5_, &k6_, &stage_, &next_}) {
        v->assign(static_cast<std::size_t>(neq), 0.0);
      }
    }
  }

  bool Start(double t0, const double* y0, double rtol, double atol) override {
    t_ = t0;
    std::copy(y0, y0 + n(), y_.begin());
    h_ = 0.0;
    errorPrevious_ = kSmallestErrorRatio;
    slopeKnown_ = false;
    steps_ = 0;
    toleranceScale_ = 1.0;
    return SetTolerances(rtol, atol);
  }
  bool SetTolerances(double rtol, double atol) override {
    rtol_ = rtol;
    atol_ = atol;
    return true;
  }
  AdvanceOutcome Advance(double tout, double& tReached, double* y) override {
    const double direction = tout > t_ ? 1.0 : -1.0;
    AdvanceOutcome outcome = AdvanceOutcome::kReached;
    for (int step = 0; t_ != tout; ++step) {
      if (step == kDepacMaxStepsPerCall) {
        outcome = AdvanceOutcome::kTooMuchWork;
        break;
      }
      if (TolerancesTooSmall()) {
        outcome = AdvanceOutcome::kTooMuchAccuracy;
        break;
      }
      outcome = Step(tout, direction);
      if (outcome != AdvanceOutcome::kReached) break;
      ++steps_;
    }
    tReached = t_;
    StoreState(y);
    return outcome;
  }
  void StoreState(double* y) const override { std::copy(y_.begin(), y_.begin() + n(), y); }
  double ToleranceScaleFactor() const override { return toleranceScale_; }
  long Steps() const override { return steps_; }

 private:
  using Vector = std::conditional_t<(kSize > 0), std::array<double, kSize>, std::vector<double>>;

  int n() const {
    if constexpr (kSize > 0) return kSize;
    return neq();
  }

  // F through the caller's function, counted.
  void Evaluate(double t, const Vector& y, Vector& yp) {
    ++evaluations;
    f(t, y.data(), yp.data(), context);
  }

  // Floored so that a pure relative test on a component held at exactly 0 sees no error there.
  double Weight(double a, double b) const {
    return std::max(rtol_ * std::max(std::fabs(a), std::fabs(b)) + atol_, kSmallestWeight);
  }

  // Root mean square of v_i / w_i, w_i from y alone: the sizes the first step is chosen from.
  double Norm(const Vector& v) const {
    double sum = 0.0;
    for (int i = 0; i < n(); ++i) {
      const double r = v[i] / Weight(y_[i], y_[i]);
      sum += r * r;
    }
    return std::sqrt(sum / n());
  }

  // A relative tolerance within reach of roundoff: the components it governs cannot be held to
  // it. ToleranceScaleFactor then tells by how much the tolerances must grow.
  bool TolerancesTooSmall() {
    if (rtol_ >= kRoundoffMultiple * kEpsilon) return false;
    double worst = 0.0;
    for (int i = 0; i < n(); ++i) {
      worst =
          std::max(worst, kRoundoffMultiple * kEpsilon * std::fabs(y_[i]) / Weight(y_[i], y_[i]));
    }
    toleranceScale_ = worst;
    if (worst > 1.0) {
      RecordMessage("DDERKF", "the tolerances are too small for the machine's precision");
      return true;
    }
    return false;
  }

  // The size of the very first step from the slopes at the start and a short trial step along
  // them: what makes the local error term of a fifth-order method about the tolerance.
  void ChooseFirstStep(double tout, double direction) {
    const double d0 = Norm(y_);
    const double d1 = Norm(k1_);
    double h0 = d0 < 1e-5 || d1 < 1e-5 ? 1e-6 : 0.01 * d0 / d1;
    h0 = std::min(h0, std::fabs(tout - t_));
    for (int i = 0; i < n(); ++i) stage_[i] = y_[i] + direction * h0 * k1_[i];
    Evaluate(t_ + direction * h0, stage_, k2_);
    for (int i = 0; i < n(); ++i) k2_[i] = (k2_[i] - k1_[i]) / h0;
    const double d2 = Norm(k2_);
    const double largest = std::max(d1, d2);
    const double h1 = std::isfinite(largest) && largest > 1e-15
                          ? std::pow(0.01 / largest, 1.0 / 5.0)
                          : std::max(1e-6, h0 * 1e-3);
    h_ = std::min(100.0 * h0, h1);
  }

  // One accepted step towards tout, retried at shorter sizes as the error test or F demand.
  AdvanceOutcome Step(double tout, double direction) {
    if (!slopeKnown_) {
      Evaluate(t_, y_, k1_);
      if (!AllFinite(k1_.data(), n())) {
        RecordMessage("DDERKF", "F is not finite at the current point");
        return AdvanceOutcome::kRightHandSideFailed;
      }
      slopeKnown_ = true;
    }
    if (h_ == 0.0) ChooseFirstStep(tout, direction);
    bool rejected = false;
    int errorFailures = 0;
    int nonFiniteFailures = 0;
    for (;;) {
      const double remaining = std::fabs(tout - t_);
      const double proposed = h_;
      double h = proposed;
      const bool landing = h >= remaining;
      if (landing) {
        h = remaining;
      } else if (2.0 * h > remaining) {
        h = 0.5 * remaining;  // two even steps rather than a long one and a stub
      }
      if (!landing && h <= kRoundoffMultiple * kEpsilon * std::fabs(t_)) {
        RecordMessage("DDERKF", "the step size has become too small to advance T");
        return AdvanceOutcome::kErrorTestFailures;
      }
      const double error = TryStep(direction * h);
      if (!std::isfinite(error)) {
        if (++nonFiniteFailures >= kMaxNonFiniteFailures) {
          RecordMessage("DDERKF", "F is not finite however short the step");
          return AdvanceOutcome::kRightHandSideFailed;
        }
        h_ = h * kNonFiniteShrink;
        rejected = true;
        continue;
      }
      if (error > 1.0) {
        if (++errorFailures >= kMaxErrorTestFailures) {
          RecordMessage("DDERKF", "the error test failed repeatedly on one step");
          return AdvanceOutcome::kErrorTestFailures;
        }
        h_ = h * std::max(kMaxShrink, kSafety * std::pow(error, -1.0 / 5.0));
        rejected = true;
        continue;
      }
      // Accepted.
      t_ = landing ? tout : t_ + direction * h;
      std::swap(y_, next_);
      slopeKnown_ = false;
      const double ratio = std::max(error, kSmallestErrorRatio);
      h_ = h * Growth(ratio, rejected);
      if (h < proposed) {
        // A step cut short for TOUT says nothing against the size asked for.
        const double scaled = std::max(error * std::pow(proposed / h, 5.0), kSmallestErrorRatio);
        h_ = std::max({h_, proposed, proposed * Growth(scaled, rejected)});
      }
      errorPrevious_ = ratio;
      return AdvanceOutcome::kReached;
    }
  }

  // The proportional-integral factor for the next step after an error ratio.
  double Growth(double ratio, bool rejected) const {
    const double factor =
        kSafety * std::pow(ratio, -kErrorExponent) * std::pow(errorPrevious_, kPreviousExponent);
    return std::clamp(factor, kMaxShrink, rejected ? 1.0 : kMaxGrowth);
  }

  // The stages of one step of size h from (t_, y_) with k1_ known; the candidate solution goes to
  // next_. Returns err, not finite when F was not.
  double TryStep(double h) {
    const int m = n();
    for (int i = 0; i < m; ++i) stage_[i] = y_[i] + h * kA21 * k1_[i];
    Evaluate(t_ + kC2 * h, stage_, k2_);
    for (int i = 0; i < m; ++i) stage_[i] = y_[i] + h * (kA31 * k1_[i] + kA32 * k2_[i]);
    Evaluate(t_ + kC3 * h, stage_, k3_);
    for (int i = 0; i < m; ++i) {
      stage_[i] = y_[i] + h * (kA41 * k1_[i] + kA42 * k2_[i] + kA43 * k3_[i]);
    }
    Evaluate(t_ + kC4 * h, stage_, k4_);
    for (int i = 0; i < m; ++i) {
      stage_[i] = y_[i] + h * (kA51 * k1_[i] + kA52 * k2_[i] + kA53 * k3_[i] + kA54 * k4_[i]);
    }
    Evaluate(t_ + kC5 * h, stage_, k5_);
    for (int i = 0; i < m; ++i) {
      stage_[i] = y_[i] + h * (kA61 * k1_[i] + kA62 * k2_[i] + kA63 * k3_[i] + kA64 * k4_[i] +
                               kA65 * k5_[i]);
    }
    Evaluate(t_ + kC6 * h, stage_, k6_);
    double worst = 0.0;
    double total = 0.0;  // of errors and values: not finite when F or the step was not
    for (int i = 0; i < m; ++i) {
      next_[i] =
          y_[i] + h * (kB1 * k1_[i] + kB3 * k3_[i] + kB4 * k4_[i] + kB5 * k5_[i] + kB6 * k6_[i]);
      const double e =
          h * (kE1 * k1_[i] + kE3 * k3_[i] + kE4 * k4_[i] + kE5 * k5_[i] + kE6 * k6_[i]);
      const double r = std::fabs(e) / Weight(y_[i], next_[i]);
      worst = std::max(worst, r);
      total += e + next_[i];
    }
    // A ratio is infinite only against a weight at its floor: an error test failure like any.
    return std::isfinite(total) ? std::min(worst, std::numeric_limits<double>::max()) : total;
  }

  double t_ = 0.0;
  Vector y_{};
  // Stage slopes; k1_ is F at (t_, y_) once slopeKnown_.
  Vector k1_{}, k2_{}, k3_{}, k4_{}, k5_{}, k6_{};
  Vector stage_{};  // the argument of the next stage
  Vector next_{};   // the candidate solution at the end of the step
  bool slopeKnown_ = false;
  double h_ = 0.0;  // size of the next step; 0 until the first is chosen
  double errorPrevious_ = kSmallestErrorRatio;
  double rtol_ = 0.0;
  double atol_ = 0.0;
  double toleranceScale_ = 1.0;
  long steps_ = 0;
};

}  // namespace

// The drivers' states: ballistic (12), payload and parachute (24), with a mass point at the
// confluence (30).
std::unique_ptr<DepacBackend> CreateFehlbergBackend(int neq) {
  switch (neq) {
    case 12:
      return std::make_unique<FehlbergSolver<12>>(neq);
    case 24:
      return std::make_unique<FehlbergSolver<24>>(neq);
    case 30:
      return std::make_unique<FehlbergSolver<30>>(neq);
    default:
      return std::make_unique<FehlbergSolver<0>>(neq);
  }
}

}  // namespace plumora
