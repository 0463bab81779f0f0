// The solver behind a DepacWork, created once and re-initialised for every new problem: our own
// Runge-Kutta-Fehlberg stepper for DDERKF, a SUNDIALS integrator with its context and vectors for
// DDEABM and DDEBDF. Internal to the solvers folder; the entry points
// in Depac.cpp turn its outcomes into DEPAC's IDID values.
#pragma once

#include <memory>

#include "core/solvers/Depac.h"

namespace plumora {

enum class DepacMethod { kRungeKuttaFehlberg, kAdams, kBdf };

// How one advance towards TOUT ended.
enum class AdvanceOutcome {
  kReached,              // the solution at TOUT is in Y
  kTooMuchWork,          // the step limit of one call was hit
  kTooMuchAccuracy,      // the tolerances are below what the machine resolves
  kErrorTestFailures,    // the error test failed repeatedly on one step
  kConvergenceFailures,  // the corrector iteration failed repeatedly on one step
  kRightHandSideFailed,  // F gave non-finite derivatives that no shorter step avoided
  kRefused,              // the library refused the request; nothing was integrated
};

class DepacBackend {
 public:
  DepacBackend(DepacMethod method, int neq) : method_(method), neq_(neq) {}
  virtual ~DepacBackend() = default;
  DepacBackend(const DepacBackend&) = delete;
  DepacBackend& operator=(const DepacBackend&) = delete;

  DepacMethod method() const { return method_; }
  int neq() const { return neq_; }

  // (Re)initialises the solver at (t0, y0): history, step size and counters start afresh.
  virtual bool Start(double t0, const double* y0, double rtol, double atol) = 0;
  virtual bool SetTolerances(double rtol, double atol) = 0;
  // Integrates towards tout with at most the per-call step limit. On return tReached and y hold
  // the point reached (tout itself when kReached); for kRefused they are left alone.
  virtual AdvanceOutcome Advance(double tout, double& tReached, double* y) = 0;
  // The solution as last returned (the initial values right after a start).
  virtual void StoreState(double* y) const = 0;
  // The factor by which the tolerances must grow after kTooMuchAccuracy.
  virtual double ToleranceScaleFactor() const = 0;
  virtual long Steps() const = 0;

  // The right-hand side of the running call and what it has cost.
  DepacFunction f = nullptr;
  void* context = nullptr;
  long evaluations = 0;

  // Bookkeeping of the entry points.
  bool started = false;
  double tLast = 0.0;      // T as last returned to the caller
  int direction = 0;       // +1 or -1 once known
  double rtolInUse = 0.0;  // tolerances handed to the solver
  double atolInUse = 0.0;
  double rtolRaised = 0.0;  // floors set after kTooMuchAccuracy
  double atolRaised = 0.0;
  int fruitlessFailures = 0;  // consecutive interruptions that did not advance T
  bool ended = false;         // -33 was returned: only a new problem goes on

  // The library's last error or warning, kept instead of printed.
  static constexpr int kMessageCapacity = 256;
  char message[kMessageCapacity] = {};
  void RecordMessage(const char* function, const char* text);

 private:
  DepacMethod method_;
  int neq_;
};

// A solver for the method and size; null if the library could not create one.
std::unique_ptr<DepacBackend> CreateDepacBackend(DepacMethod method, int neq);
// DDERKF's solver (FehlbergSolver.cpp).
std::unique_ptr<DepacBackend> CreateFehlbergBackend(int neq);

}  // namespace plumora
