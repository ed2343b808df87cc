#include "vekcore.h"

#include <omp.h>
#include <cstdint>
#include <cstring>

#define VEKCORE_API __attribute__((visibility("default")))

namespace {
template <class F, class B> constexpr F from_bits(B bits) { return __builtin_bit_cast(F, bits); }
}

extern "C" {

const float  vekConstantOfINF_32f = from_bits<float>(UINT32_C(0x7F800000));
const double vekConstantOfINF_64f = from_bits<double>(UINT64_C(0x7FF0000000000000));
const float  vekConstantOfNAN_32f = from_bits<float>(UINT32_C(0x7FC00000));
const double vekConstantOfNAN_64f = from_bits<double>(UINT64_C(0x7FF8000000000000));

VEKCORE_API int ownGetNumThreads(void) {
    int n = omp_get_max_threads();
    return n < 1 ? 1 : n;
}

#if defined(__i386__) || defined(__x86_64__)
VEKCORE_API unsigned int ps_get_cw_fpu(void) {
    std::uint16_t cw;
    __asm__ __volatile__("fnstcw %0" : "=m"(cw));
    return cw;
}

VEKCORE_API void vek_set_cw_fpu(unsigned int cw) {
    std::uint16_t w = static_cast<std::uint16_t>(cw);
    __asm__ __volatile__("fldcw %0" : : "m"(w));
}
#else
VEKCORE_API unsigned int ps_get_cw_fpu(void) { return 0x37F; }
VEKCORE_API void vek_set_cw_fpu(unsigned int) {}
#endif

} // extern "C"
