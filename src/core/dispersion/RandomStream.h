// The random numbers of a dispersion study, counter-based: every number is a hash of the study's
// seed, the run's index, the scattered input's key and the number's index, so a run draws the
// same inputs whatever else runs, in whatever order, on however many threads or machines.
// docs/dispersions.md gives the algorithm in full, for anyone who wants to reproduce a draw.
#pragma once

#include <cstdint>
#include <string_view>

namespace plumora {

// One output of SplitMix64 from the given state: the state is advanced by the golden-ratio
// increment 0x9E3779B97F4A7C15 and mixed with its two multiply-xorshift rounds.
std::uint64_t SplitMix64(std::uint64_t state);

// The key of a scattered input: the 64-bit FNV-1a hash of its name's bytes.
std::uint64_t InputKey(std::string_view name);

// The draws of one run of a study.
class RunStream {
 public:
  RunStream(std::uint64_t seed, std::uint64_t run) : runHash_(SplitMix64(SplitMix64(seed) ^ run)) {}

  // Word `index` of the input with this key: SplitMix64(SplitMix64(runHash ^ key) ^ index).
  std::uint64_t Word(std::uint64_t key, std::uint64_t index) const;
  // A uniform number in (0, 1), never 0 or 1: ((word >> 11) + 0.5) / 2⁵³ of word `index`.
  double Unit(std::uint64_t key, std::uint64_t index) const;
  // A standard normal deviate by Box–Muller from the input's units 0 and 1:
  // √(−2 ln u₀) · cos(2π u₁).
  double StandardNormal(std::uint64_t key) const;

 private:
  std::uint64_t runHash_;
};

}  // namespace plumora
