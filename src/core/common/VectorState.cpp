#include "core/common/VectorState.h"

namespace plumora {

void ClearUpperVectorState() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  static const bool hasAvx = __builtin_cpu_supports("avx");
  if (hasAvx) __asm__ __volatile__("vzeroupper" ::: "memory");
#endif
}

}  // namespace plumora
