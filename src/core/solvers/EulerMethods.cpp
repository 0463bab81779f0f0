// The two fixed-step methods of the solver settings: one explicit Euler or Heun step per call.
#include <array>
#include <vector>

#include "core/solvers/Depac.h"

namespace plumora {

namespace {

// Scratch vectors of one step. The phase states (12 to 30 values) fit on the stack; larger
// systems fall back to the heap.
class StepScratch {
  static constexpr std::size_t kVectors = 3;
  static constexpr std::size_t kLocalLength = 64;

 public:
  explicit StepScratch(int neq) {
    const auto size = static_cast<std::size_t>(neq) * kVectors;
    if (size > local_.size()) heap_.resize(size);
    data_ = heap_.empty() ? local_.data() : heap_.data();
    neq_ = static_cast<std::size_t>(neq);
  }
  double* Vector(int index) { return data_ + neq_ * static_cast<std::size_t>(index); }

 private:
  std::array<double, kVectors * kLocalLength> local_;
  std::vector<double> heap_;
  double* data_ = nullptr;
  std::size_t neq_ = 0;
};

bool CanStep(DepacFunction f, int neq, const double* y) {
  return f && y && neq >= 1;
}

}  // namespace

void EulerStep(DepacFunction f, int neq, double& t, double tout, double* y, void* context) {
  if (!CanStep(f, neq, y)) return;
  StepScratch scratch(neq);
  double* k = scratch.Vector(0);
  const double h = tout - t;
  f(t, y, k, context);
  // Explicit Euler: y(t + h) = y + h·y'(t, y).
  for (int i = 0; i < neq; ++i) y[i] += h * k[i];
  t = tout;
}

void HeunStep(DepacFunction f, int neq, double& t, double tout, double* y, void* context) {
  if (!CanStep(f, neq, y)) return;
  StepScratch scratch(neq);
  double* k1 = scratch.Vector(0);
  double* k2 = scratch.Vector(1);
  double* predicted = scratch.Vector(2);
  const double h = tout - t;
  // Trapezoidal rule with an Euler predictor: the slopes at both ends of the step, averaged.
  f(t, y, k1, context);
  for (int i = 0; i < neq; ++i) predicted[i] = y[i] + h * k1[i];
  f(tout, predicted, k2, context);
  for (int i = 0; i < neq; ++i) y[i] += h * (k1[i] + k2[i]) * 0.5;
  t = tout;
}

}  // namespace plumora
