// The integrators of the phase drivers, in the DEPAC calling form: DDERKF (Runge-Kutta-Fehlberg
// 4(5)), DDEABM (Adams-Bashforth-Moulton, orders up to 12) and DDEBDF (backward differentiation
// formulas, orders up to 5, for stiff systems), plus the two fixed-step Euler methods. DDERKF is
// our own stepper on state arrays sized once per solver (FehlbergSolver.cpp); the two multistep
// codes run over SUNDIALS: DDEABM over CVODE's Adams method with fixed-point iteration, DDEBDF
// over CVODE's BDF method with Newton iteration, a dense linear solver and a difference-quotient
// Jacobian.
//
// Calling form. F(T, Y, YP, context) writes the NEQ derivatives YP at (T, Y); `context` is handed
// through untouched (in place of RPAR/IPAR), so a driver reaches its running phase through it.
// RTOL and ATOL are scalars applied to every component. The solver's whole state lives in a
// DepacWork owned by the caller (in place of RWORK/IWORK): nothing is global, and two problems
// may be integrated at the same time on two threads, each with its own DepacWork.
//
// INFO(1) (info[0]) is the only entry of INFO read; the others behave as DEPAC's zero settings
// (scalar tolerances, output at TOUT only, stepping past TOUT allowed for DDEABM and DDEBDF).
//   INFO(1) = 0  starts a new problem at (T, Y): the solver is (re)initialised there, INFO(1)
//                becomes 1 and the call integrates to TOUT.
//   INFO(1) = 1  continues the integration from where the previous call left it (T and Y as
//                returned). The solver is not restarted: step size, order and history carry
//                over. T and Y are outputs on such calls; values the caller writes into them in
//                between are not read (start a new problem to change the state).
//   INFO(1) = -1 set by the code on every interruption (IDID from -1 to -32). A call that still
//                has INFO(1) = -1 is refused (IDID = -33); setting it back to 1 continues.
//
// IDID on return:
//    2  T = TOUT exactly and Y is the solution there.
//   -1  500 internal steps were taken in this call without reaching TOUT. T and Y are the last
//       step reached.
//   -2  the tolerances are too small for the machine's precision. T and Y are the last point
//       reached; the code has raised the tolerances to values it can honour and keeps using
//       them (the larger of these and the RTOL/ATOL passed) until the next new problem.
//   -6  DDEABM, DDEBDF: the corrector failed to converge repeatedly on the last attempted step.
//   -7  all three: the local error test failed repeatedly on the last attempted step.
//  -33  trouble the code cannot recover from. Once it has been returned during an integration,
//       every further continuation returns -33 at once; only a new problem goes on.
//       Invalid input is refused with T, Y and INFO untouched: F or Y null, NEQ < 1, a
//       non-finite T or TOUT, a negative or non-finite tolerance, both tolerances 0, INFO(1)
//       other than 0 or 1, a continuation with no problem started (or one started by another
//       routine or with another NEQ), or a TOUT behind T on a continuation (a change of
//       direction needs a new problem). During an integration, -33 reports that F gave
//       derivatives that are not finite and no shorter step avoided them, that the fifth
//       interruption in a row left T where it was (a point the solver cannot get past, such as
//       a singularity of the solution), or that the solver library refused the request. T and
//       Y are then the last good point and INFO(1) = -1. LastSolverMessage() holds the
//       library's own words.
// Codes -3 (pure relative test impossible), -4 (problem appears stiff) and -5 (too frequent
// output) of the original library are not produced.
//
// After an interruption from -1 to -7 the caller may set INFO(1) = 1 and call again, typically
// with the same TOUT: the integration goes on from the last point reached, never from the
// start, with the step size, order and history the solver had. After -1 it takes up to 500
// more steps; after -2 it goes on with the raised tolerances; after -6 and -7 it tries again
// with the step size the solver had already cut to, so a discontinuity in F is passed after a
// retry or two. An interruption that does not advance T at all counts as fruitless, and the
// fifth fruitless one in a row is turned into -33. A driver that retries on IDID < 0 and stops
// on -33 therefore never spins.
//
// Costs: the first call of a DepacWork (or the first after a change of routine or NEQ) creates
// the solver; every later call, new problems included, reuses it without allocating.
#pragma once

#include <array>
#include <memory>
#include <string_view>

namespace plumora {

using DepacFunction = void (*)(double t, const double* y, double* yp, void* context);
using DepacInfo = std::array<int, 15>;  // info[0] is INFO(1), ...

// IDID values.
inline constexpr int kIdidReachedTout = 2;
inline constexpr int kIdidTooMuchWork = -1;
inline constexpr int kIdidTolerancesTooSmall = -2;
inline constexpr int kIdidConvergenceFailures = -6;
inline constexpr int kIdidErrorTestFailures = -7;
inline constexpr int kIdidCannotContinue = -33;

class DepacBackend;

// The solver's work state for one problem at a time. Owned by the running phase.
class DepacWork {
 public:
  DepacWork();
  ~DepacWork();
  DepacWork(DepacWork&&) noexcept;
  DepacWork& operator=(DepacWork&&) noexcept;
  DepacWork(const DepacWork&) = delete;
  DepacWork& operator=(const DepacWork&) = delete;

  // Evaluations of F and internal steps since the current problem started (0 before any).
  long Evaluations() const;
  long Steps() const;
  // The tolerances the solver integrates with (raised after IDID = -2); 0 before any problem.
  double RelativeToleranceInUse() const;
  double AbsoluteToleranceInUse() const;
  // The last error or warning the solver library reported, empty if none since the start.
  std::string_view LastSolverMessage() const;

 private:
  friend struct DepacWorkAccess;
  std::unique_ptr<DepacBackend> backend_;
};

void DDERKF(DepacFunction f, int neq, double& t, double* y, double tout, DepacInfo& info,
            double rtol, double atol, int& idid, DepacWork& work, void* context);
void DDEABM(DepacFunction f, int neq, double& t, double* y, double tout, DepacInfo& info,
            double rtol, double atol, int& idid, DepacWork& work, void* context);
// The original's Jacobian argument is left out: the Jacobian is always by difference quotients.
void DDEBDF(DepacFunction f, int neq, double& t, double* y, double tout, DepacInfo& info,
            double rtol, double atol, int& idid, DepacWork& work, void* context);

// One fixed step from T to TOUT; T becomes TOUT. Explicit Euler: Y += h·F(T, Y). Heun
// (trapezoidal): k1 = F(T, Y), k2 = F(TOUT, Y + h·k1), Y += h·(k1 + k2)/2. They have no IDID to
// touch. NEQ < 1 or a null F or Y: no step.
void EulerStep(DepacFunction f, int neq, double& t, double tout, double* y, void* context);
void HeunStep(DepacFunction f, int neq, double& t, double tout, double* y, void* context);

// The integrator of the solver settings by index: 0 DDERKF, 1 DDEABM, 2 DDEBDF, 3 EulerStep,
// 4 HeunStep; any other index takes no step and changes nothing.
void IntegrateStep(int integrator, DepacFunction f, int neq, double& t, double* y, double tout,
                   DepacInfo& info, double rtol, double atol, int& idid, DepacWork& work,
                   void* context);

}  // namespace plumora
