// The upper halves of the vector registers after ClearUpperVectorState: unused, as the flight
// code needs them, however they were left. Read through XGETBV's in-use bits, where the processor
// has them.
#include <gtest/gtest.h>

#include "core/common/VectorState.h"

namespace plumora {
namespace {

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
bool CanSeeUpperState() {
  if (!__builtin_cpu_supports("avx")) return false;
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  __asm__ __volatile__("cpuid" : "=a"(eax), "=b"(ebx), "=c"(ecx), "=d"(edx) : "a"(0xD), "c"(1));
  return (eax & 0x4U) != 0;  // XGETBV with ECX = 1 reports the registers in use
}

bool UpperHalvesInUse() {
  unsigned low = 0, high = 0;
  __asm__ __volatile__("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
  return (low & 0x4U) != 0;
}

void UseUpperHalves() {
  __asm__ __volatile__("vpcmpeqd %%ymm1, %%ymm1, %%ymm1" ::: "xmm1");
}

TEST(VectorState, UpperHalvesLeftInUseAreCleared) {
  if (!CanSeeUpperState()) GTEST_SKIP() << "the processor does not say which registers are in use";
  UseUpperHalves();
  ASSERT_TRUE(UpperHalvesInUse());
  ClearUpperVectorState();
  EXPECT_FALSE(UpperHalvesInUse());
}
#endif

}  // namespace
}  // namespace plumora
