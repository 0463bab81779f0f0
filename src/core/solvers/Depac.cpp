#include "core/solvers/Depac.h"

#include <algorithm>
#include <cmath>

#include "core/solvers/DepacBackend.h"

namespace plumora {

// The entry points reach the solver inside a work through this friend.
struct DepacWorkAccess {
  static std::unique_ptr<DepacBackend>& Backend(DepacWork& work) { return work.backend_; }
};

DepacWork::DepacWork() = default;
DepacWork::~DepacWork() = default;
DepacWork::DepacWork(DepacWork&&) noexcept = default;
DepacWork& DepacWork::operator=(DepacWork&&) noexcept = default;

long DepacWork::Evaluations() const {
  return backend_ && backend_->started ? backend_->evaluations : 0;
}

long DepacWork::Steps() const {
  return backend_ && backend_->started ? backend_->Steps() : 0;
}

double DepacWork::RelativeToleranceInUse() const {
  return backend_ && backend_->started ? backend_->rtolInUse : 0.0;
}

double DepacWork::AbsoluteToleranceInUse() const {
  return backend_ && backend_->started ? backend_->atolInUse : 0.0;
}

std::string_view DepacWork::LastSolverMessage() const {
  return backend_ ? std::string_view(backend_->message) : std::string_view();
}

namespace {

// Interruptions in a row that may fail to advance T before the code gives up at that point.
constexpr int kMaxFruitlessFailures = 5;
// The raised tolerances are set with this margin over the library's scale factor, so that the
// next step does not sit on the limit again.
constexpr double kToleranceMargin = 2.0;

bool ValidProblem(DepacFunction f, int neq, double t, const double* y, double tout, double rtol,
                  double atol) {
  return f && y && neq >= 1 && std::isfinite(t) && std::isfinite(tout) && std::isfinite(rtol) &&
         std::isfinite(atol) && rtol >= 0.0 && atol >= 0.0 && (rtol > 0.0 || atol > 0.0);
}

// Starts a new problem at (t, y), creating the solver only when the work has none that fits.
bool StartProblem(DepacMethod method, int neq, double t, const double* y, double rtol, double atol,
                  DepacWork& work) {
  std::unique_ptr<DepacBackend>& backend = DepacWorkAccess::Backend(work);
  if (!backend || backend->method() != method || backend->neq() != neq) {
    backend = CreateDepacBackend(method, neq);
    if (!backend) return false;
  }
  DepacBackend& b = *backend;
  b.started = false;
  b.message[0] = '\0';
  if (!b.Start(t, y, rtol, atol)) return false;
  b.started = true;
  b.evaluations = 0;
  b.tLast = t;
  b.direction = 0;
  b.rtolInUse = rtol;
  b.atolInUse = atol;
  b.rtolRaised = 0.0;
  b.atolRaised = 0.0;
  b.fruitlessFailures = 0;
  b.ended = false;
  return true;
}

// The tolerances of a continuation: the caller's, but never below those raised after IDID = -2.
bool ApplyTolerances(DepacBackend& b, double rtol, double atol) {
  const double r = std::max(rtol, b.rtolRaised);
  const double a = std::max(atol, b.atolRaised);
  if (r == b.rtolInUse && a == b.atolInUse) return true;
  if (!b.SetTolerances(r, a)) return false;
  b.rtolInUse = r;
  b.atolInUse = a;
  return true;
}

void RaiseTolerances(DepacBackend& b) {
  const double scale = kToleranceMargin * std::max(1.0, b.ToleranceScaleFactor());
  b.rtolRaised = b.rtolInUse * scale;
  b.atolRaised = b.atolInUse * scale;
  ApplyTolerances(b, b.rtolRaised, b.atolRaised);
}

int IdidOf(AdvanceOutcome outcome) {
  switch (outcome) {
    case AdvanceOutcome::kReached:
      return kIdidReachedTout;
    case AdvanceOutcome::kTooMuchWork:
      return kIdidTooMuchWork;
    case AdvanceOutcome::kTooMuchAccuracy:
      return kIdidTolerancesTooSmall;
    case AdvanceOutcome::kErrorTestFailures:
      return kIdidErrorTestFailures;
    case AdvanceOutcome::kConvergenceFailures:
      return kIdidConvergenceFailures;
    case AdvanceOutcome::kRightHandSideFailed:
    case AdvanceOutcome::kRefused:
      break;
  }
  return kIdidCannotContinue;
}

// The solver a call works with: the work's own on a valid continuation, a freshly started one
// for INFO(1) = 0 (INFO(1) becomes 1); null when the input is refused.
DepacBackend* PrepareCall(DepacMethod method, DepacFunction f, int neq, double t, const double* y,
                          double tout, DepacInfo& info, double rtol, double atol, DepacWork& work) {
  const int mode = info[0];
  if (mode != 0 && mode != 1) return nullptr;
  // On a continuation T is an output only.
  if (!ValidProblem(f, neq, mode == 0 ? t : 0.0, y, tout, rtol, atol)) return nullptr;
  if (mode == 0) {
    if (!StartProblem(method, neq, t, y, rtol, atol, work)) return nullptr;
    info[0] = 1;
    return DepacWorkAccess::Backend(work).get();
  }
  DepacBackend* b = DepacWorkAccess::Backend(work).get();
  if (!b || !b->started || b->method() != method || b->neq() != neq) return nullptr;
  // Once a direction is known, a TOUT behind T would need a new problem.
  const double ahead = tout - b->tLast;
  if ((b->direction > 0 && ahead < 0.0) || (b->direction < 0 && ahead > 0.0)) return nullptr;
  return b;
}

// Where an advance that fell short of TOUT leaves the caller: T and Y at the last point reached,
// the tolerances raised after -2, and -33 once the solver is stuck.
int Interrupted(DepacBackend& b, AdvanceOutcome outcome, double reached, double& t) {
  int idid = IdidOf(outcome);
  if (outcome != AdvanceOutcome::kRefused) {
    b.fruitlessFailures = reached == b.tLast ? b.fruitlessFailures + 1 : 0;
    t = reached;
    b.tLast = reached;
    if (outcome == AdvanceOutcome::kTooMuchAccuracy) RaiseTolerances(b);
    if (b.fruitlessFailures >= kMaxFruitlessFailures) idid = kIdidCannotContinue;
  }
  b.ended = idid == kIdidCannotContinue;
  return idid;
}

// The one body of the three DEPAC routines.
void Integrate(DepacMethod method, DepacFunction f, int neq, double& t, double* y, double tout,
               DepacInfo& info, double rtol, double atol, int& idid, DepacWork& work,
               void* context) {
  DepacBackend* b = PrepareCall(method, f, neq, t, y, tout, info, rtol, atol, work);
  if (!b) {
    idid = kIdidCannotContinue;
    return;
  }
  b->f = f;
  b->context = context;
  if (b->ended || !ApplyTolerances(*b, rtol, atol)) {
    b->ended = true;
    info[0] = -1;
    idid = kIdidCannotContinue;
    return;
  }
  if (tout != b->tLast) {
    if (b->direction == 0) b->direction = tout > b->tLast ? 1 : -1;
    double reached = b->tLast;
    const AdvanceOutcome outcome = b->Advance(tout, reached, y);
    if (outcome != AdvanceOutcome::kReached) {
      info[0] = -1;
      idid = Interrupted(*b, outcome, reached, t);
      return;
    }
  } else {
    b->StoreState(y);  // nothing to integrate
  }
  t = tout;
  b->tLast = tout;
  b->fruitlessFailures = 0;
  idid = kIdidReachedTout;
}

}  // namespace

void DDERKF(DepacFunction f, int neq, double& t, double* y, double tout, DepacInfo& info,
            double rtol, double atol, int& idid, DepacWork& work, void* context) {
  Integrate(DepacMethod::kRungeKuttaFehlberg, f, neq, t, y, tout, info, rtol, atol, idid, work,
            context);
}

void DDEABM(DepacFunction f, int neq, double& t, double* y, double tout, DepacInfo& info,
            double rtol, double atol, int& idid, DepacWork& work, void* context) {
  Integrate(DepacMethod::kAdams, f, neq, t, y, tout, info, rtol, atol, idid, work, context);
}

void DDEBDF(DepacFunction f, int neq, double& t, double* y, double tout, DepacInfo& info,
            double rtol, double atol, int& idid, DepacWork& work, void* context) {
  Integrate(DepacMethod::kBdf, f, neq, t, y, tout, info, rtol, atol, idid, work, context);
}

void IntegrateStep(int integrator, DepacFunction f, int neq, double& t, double* y, double tout,
                   DepacInfo& info, double rtol, double atol, int& idid, DepacWork& work,
                   void* context) {
  switch (integrator) {
    case 0:
      DDERKF(f, neq, t, y, tout, info, rtol, atol, idid, work, context);
      break;
    case 1:
      DDEABM(f, neq, t, y, tout, info, rtol, atol, idid, work, context);
      break;
    case 2:
      DDEBDF(f, neq, t, y, tout, info, rtol, atol, idid, work, context);
      break;
    case 3:
      EulerStep(f, neq, t, tout, y, context);
      break;
    case 4:
      HeunStep(f, neq, t, tout, y, context);
      break;
    default:
      break;  // not an integrator: no step
  }
}

}  // namespace plumora
