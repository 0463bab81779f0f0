// The SUNDIALS solvers behind DDEABM and DDEBDF.
#include <cvode/cvode.h>
#include <cvode/cvode_ls.h>
#include <nvector/nvector_serial.h>
#include <sunlinsol/sunlinsol_dense.h>
#include <sunmatrix/sunmatrix_dense.h>
#include <sunnonlinsol/sunnonlinsol_fixedpoint.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/common/Constants.h"
#include "core/solvers/DepacBackend.h"

namespace plumora {

void DepacBackend::RecordMessage(const char* function, const char* text) {
  std::snprintf(message, sizeof message, "%s: %s", function ? function : "", text ? text : "");
}

namespace {

// The solvers' view of F: derivatives through the caller's function, counted, and refused when
// they are not finite so that the solver tries a shorter step instead of carrying NaN along.
int EvaluateRightHandSide(sunrealtype t, N_Vector y, N_Vector yp, void* userData) {
  auto* backend = static_cast<DepacBackend*>(userData);
  double* derivatives = N_VGetArrayPointer(yp);
  ++backend->evaluations;
  backend->f(t, N_VGetArrayPointer(y), derivatives, backend->context);
  for (int i = 0; i < backend->neq(); ++i) {
    if (!std::isfinite(derivatives[i])) return 1;  // recoverable: retry with a shorter step
  }
  return 0;
}

// Errors and warnings of the library are recorded in the work, never printed.
void RecordSolverMessage(int, const char*, const char* function, char* text, void* userData) {
  static_cast<DepacBackend*>(userData)->RecordMessage(function, text);
}

// DDEABM and DDEBDF: CVODE with the Adams method and fixed-point iteration, or with BDF and
// Newton iteration over a dense difference-quotient Jacobian.
class CvodeBackend final : public DepacBackend {
 public:
  CvodeBackend(DepacMethod method, int neq) : DepacBackend(method, neq) {
    if (SUNContext_Create(nullptr, &context_) != 0) return;
    state_ = N_VNew_Serial(neq, context_);
    if (!state_) return;
    N_VConst(0.0, state_);
    const bool adams = method == DepacMethod::kAdams;
    memory_ = CVodeCreate(adams ? CV_ADAMS : CV_BDF, context_);
    if (!memory_) return;
    DepacBackend* self = this;  // what the callbacks cast their user data back to
    ok_ = CVodeSetErrHandlerFn(memory_, RecordSolverMessage, self) == CV_SUCCESS &&
          CVodeInit(memory_, EvaluateRightHandSide, 0.0, state_) == CV_SUCCESS &&
          CVodeSetUserData(memory_, self) == CV_SUCCESS &&
          CVodeSetMaxNumSteps(memory_, kDepacMaxStepsPerCall) == CV_SUCCESS;
    if (!ok_) return;
    if (adams) {
      iteration_ = SUNNonlinSol_FixedPoint(state_, 0, context_);
      ok_ = iteration_ && CVodeSetNonlinearSolver(memory_, iteration_) == CV_SUCCESS;
    } else {
      // Newton iteration is CVODE's default, over a dense matrix that our own difference
      // quotients fill (CVODE's built-in ones allocate a vector header on every Jacobian).
      matrix_ = SUNDenseMatrix(neq, neq, context_);
      linear_ = matrix_ ? SUNLinSol_Dense(state_, matrix_, context_) : nullptr;
      weights_ = N_VClone(state_);
      ok_ = linear_ && weights_ && CVodeSetLinearSolver(memory_, linear_, matrix_) == CV_SUCCESS &&
            CVodeSetJacFn(memory_, DifferenceQuotientJacobian) == CV_SUCCESS;
    }
  }
  ~CvodeBackend() override {
    if (memory_) CVodeFree(&memory_);
    if (iteration_) SUNNonlinSolFree(iteration_);
    if (linear_) SUNLinSolFree(linear_);
    if (matrix_) SUNMatDestroy(matrix_);
    if (weights_) N_VDestroy(weights_);
    if (state_) N_VDestroy(state_);
    if (context_) SUNContext_Free(&context_);
  }
  bool ok() const { return ok_; }

  bool Start(double t0, const double* y0, double rtol, double atol) override {
    LoadState(y0);
    return CVodeReInit(memory_, t0, state_) == CV_SUCCESS && SetTolerances(rtol, atol);
  }
  bool SetTolerances(double rtol, double atol) override {
    return CVodeSStolerances(memory_, rtol, atol) == CV_SUCCESS;
  }
  AdvanceOutcome Advance(double tout, double& tReached, double* y) override {
    sunrealtype reached = tReached;
    const int flag = CVode(memory_, tout, state_, &reached, CV_NORMAL);
    const AdvanceOutcome outcome = Classify(flag);
    if (outcome != AdvanceOutcome::kRefused) {
      tReached = reached;
      StoreState(y);
    }
    return outcome;
  }
  void StoreState(double* y) const override {
    const double* data = N_VGetArrayPointer(state_);
    for (int i = 0; i < neq(); ++i) y[i] = data[i];
  }
  double ToleranceScaleFactor() const override {
    sunrealtype factor = 1.0;
    CVodeGetTolScaleFactor(memory_, &factor);
    return factor;
  }
  long Steps() const override {
    long steps = 0;
    CVodeGetNumSteps(memory_, &steps);
    return steps;
  }

 private:
  void LoadState(const double* y) {
    double* data = N_VGetArrayPointer(state_);
    for (int i = 0; i < neq(); ++i) data[i] = y[i];
  }

  static AdvanceOutcome Classify(int flag) {
    switch (flag) {
      case CV_SUCCESS:
      case CV_TSTOP_RETURN:
        return AdvanceOutcome::kReached;
      case CV_TOO_MUCH_WORK:
        return AdvanceOutcome::kTooMuchWork;
      case CV_TOO_MUCH_ACC:
        return AdvanceOutcome::kTooMuchAccuracy;
      case CV_ERR_FAILURE:
        return AdvanceOutcome::kErrorTestFailures;
      case CV_CONV_FAILURE:
        return AdvanceOutcome::kConvergenceFailures;
      case CV_RHSFUNC_FAIL:
      case CV_FIRST_RHSFUNC_ERR:
      case CV_REPTD_RHSFUNC_ERR:
      case CV_UNREC_RHSFUNC_ERR:
        return AdvanceOutcome::kRightHandSideFailed;
      default:
        return AdvanceOutcome::kRefused;
    }
  }

  static int DifferenceQuotientJacobian(sunrealtype t, N_Vector y, N_Vector fy, SUNMatrix jacobian,
                                        void* userData, N_Vector scratch, N_Vector, N_Vector) {
    auto* self = static_cast<CvodeBackend*>(static_cast<DepacBackend*>(userData));
    return self->FillJacobian(t, y, fy, jacobian, scratch);
  }

  // Column j of ∂F/∂y by a forward difference in y[j], with the increment rule of the classic
  // stiff codes: √ε·|y[j]| but at least an increment that the error weights and the step make
  // significant.
  int FillJacobian(sunrealtype t, N_Vector y, N_Vector fy, SUNMatrix jacobian, N_Vector scratch) {
    CVodeGetErrWeights(memory_, weights_);
    sunrealtype h = 0.0;
    CVodeGetCurrentStep(memory_, &h);
    const double epsilon = std::numeric_limits<double>::epsilon();
    const double rootEpsilon = std::sqrt(epsilon);
    const double fNorm = N_VWrmsNorm(fy, weights_);
    const double minimumIncrement =
        fNorm != 0.0 ? kMinimumIncrementFactor * std::fabs(h) * epsilon * neq() * fNorm : 1.0;
    double* values = N_VGetArrayPointer(y);
    const double* weight = N_VGetArrayPointer(weights_);
    const double* f0 = N_VGetArrayPointer(fy);
    const double* f1 = N_VGetArrayPointer(scratch);
    for (int j = 0; j < neq(); ++j) {
      const double saved = values[j];
      const double increment =
          std::max(rootEpsilon * std::fabs(saved), minimumIncrement / weight[j]);
      values[j] = saved + increment;
      const int failed = EvaluateRightHandSide(t, y, scratch, static_cast<DepacBackend*>(this));
      values[j] = saved;
      if (failed) return failed;
      double* column = SUNDenseMatrix_Column(jacobian, j);
      for (int i = 0; i < neq(); ++i) column[i] = (f1[i] - f0[i]) / increment;
    }
    return 0;
  }

  static constexpr double kMinimumIncrementFactor = 1000.0;

  SUNContext context_ = nullptr;
  // The initial values at a start and the solution returned by every advance. The solver keeps
  // its own history, so the caller's Y is never read on a continuation.
  N_Vector state_ = nullptr;
  void* memory_ = nullptr;
  N_Vector weights_ = nullptr;  // error weights, for the Jacobian's increments
  SUNNonlinearSolver iteration_ = nullptr;
  SUNMatrix matrix_ = nullptr;
  SUNLinearSolver linear_ = nullptr;
  bool ok_ = false;
};

}  // namespace

std::unique_ptr<DepacBackend> CreateDepacBackend(DepacMethod method, int neq) {
  if (method == DepacMethod::kRungeKuttaFehlberg) return CreateFehlbergBackend(neq);
  auto backend = std::make_unique<CvodeBackend>(method, neq);
  if (backend->ok()) return backend;
  return nullptr;
}

}  // namespace plumora
