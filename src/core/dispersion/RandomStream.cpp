#include "core/dispersion/RandomStream.h"

#include <cmath>
#include <numbers>

namespace plumora {

namespace {

constexpr std::uint64_t kGoldenGamma = 0x9E3779B97F4A7C15ull;
constexpr std::uint64_t kFnvOffset = 0xCBF29CE484222325ull;
constexpr std::uint64_t kFnvPrime = 0x100000001B3ull;
// 2⁻⁵³: the spacing of doubles just below 1.
constexpr double kUnitScale = 1.0 / 9007199254740992.0;

}  // namespace

std::uint64_t SplitMix64(std::uint64_t state) {
  std::uint64_t z = state + kGoldenGamma;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::uint64_t InputKey(std::string_view name) {
  std::uint64_t hash = kFnvOffset;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= kFnvPrime;
  }
  return hash;
}

std::uint64_t RunStream::Word(std::uint64_t key, std::uint64_t index) const {
  return SplitMix64(SplitMix64(runHash_ ^ key) ^ index);
}

double RunStream::Unit(std::uint64_t key, std::uint64_t index) const {
  return (static_cast<double>(Word(key, index) >> 11) + 0.5) * kUnitScale;
}

double RunStream::StandardNormal(std::uint64_t key) const {
  const double u0 = Unit(key, 0);
  const double u1 = Unit(key, 1);
  return std::sqrt(-2.0 * std::log(u0)) * std::cos(2.0 * std::numbers::pi * u1);
}

}  // namespace plumora
