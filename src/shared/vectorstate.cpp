#include "shared/vectorstate.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

namespace {

const bool kWideRegisters = __builtin_cpu_supports("avx");

} // namespace

void clearUpperVectorState() {
    if (kWideRegisters)
        asm volatile("vzeroupper" ::
                         : "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7", "xmm8",
                           "xmm9", "xmm10", "xmm11", "xmm12", "xmm13", "xmm14", "xmm15");
}

#else

void clearUpperVectorState() {}

#endif
