// Exported convolutions: linear (every type), biased, and the small cyclic ones.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/checks.h"
#include "core/export.h"
#include "core/scale.h"
#include "filters/conv_fft.h"
#include "filters/conv_linear.h"

namespace veks::filt {
namespace {

VekStatus check_conv(const void* a, int la, const void* b, int lb, const void* dst) {
    VEKS_CHECK(check_ptrs(a, b, dst));
    if (la < 1 || lb < 1) return vekStsBadLength;
    return vekStsOk;
}

template <class F>
VekStatus conv_float(const F* a, int la, const F* b, int lb, F* dst) {
    VEKS_CHECK(check_conv(a, la, b, lb, dst));
    return conv_real(a, la, b, lb, dst);
}

// The 16-bit form convolves in single precision and converts the result
// with the scale factor, rounding to nearest (ties to even).
VekStatus conv_16s(const Vek16s* a, int la, const Vek16s* b, int lb, Vek16s* dst, int sf) {
    VEKS_CHECK(check_conv(a, la, b, lb, dst));
    const std::size_t dlen = static_cast<std::size_t>(la) + lb - 1;
    Scratch<Vek32f> mem(static_cast<std::size_t>(la) + lb + dlen);
    if (mem.empty()) return vekStsNoMemory;
    Vek32f* fa = mem.get();
    Vek32f* fb = fa + la;
    Vek32f* fd = fb + lb;
    veksConvert_16s32f(a, fa, la);
    veksConvert_16s32f(b, fb, lb);
    VEKS_CHECK(conv_real(fa, la, fb, lb, fd));
    return veksConvert_32f16s_Sfs(fd, dst, static_cast<int>(dlen), vekRoundHalfEven, sf);
}

// dst[k] = sum over j of a[j] * b[k + bias - j], terms outside b omitted.
VekStatus conv_biased(const Vek32f* a, int la, const Vek32f* b, int lb, Vek32f* dst, int dlen, int bias) {
    VEKS_CHECK(check_ptrs(a, b, dst));
    if (la < 1 || lb < 1 || dlen < 1) return vekStsBadLength;
    for (int k = 0; k < dlen; ++k) {
        const long long top = static_cast<long long>(k) + bias; // b index of the term j = 0
        // Terms need 0 <= top - j < lb.
        const long long j0 = std::max<long long>(0, top - lb + 1);
        const long long j1 = std::min<long long>(la - 1, top);
        Vek32f sum = 0.0f;
        for (long long j = j0; j <= j1; ++j) sum += load(a + j) * load(b + (top - j));
        store(dst + k, sum);
    }
    return vekStsOk;
}

// Cyclic convolution of fixed size N: dst[k] = sum over j of src[j] * kernel[(k - j) mod N].
template <int N, class S, class K, class Acc>
void cyclic(const S* src, const K* kernel, Acc (&out)[N]) {
    S x[N];
    K h[N];
    std::memcpy(x, src, sizeof x);
    std::memcpy(h, kernel, sizeof h);
    for (int k = 0; k < N; ++k) {
        Acc sum{};
        for (int j = 0; j < N; ++j) sum = sum + Acc(x[j]) * Acc(h[(k - j) & (N - 1)]);
        out[k] = sum;
    }
}

VekStatus conv_cyclic8_32f(const Vek32f* src, const Vek32f* kernel, Vek32f* dst) {
    Vek32f out[8];
    cyclic<8>(src, kernel, out);
    std::memcpy(dst, out, sizeof out);
    return vekStsOk;
}

VekStatus conv_cyclic8_16s(const Vek16s* src, const Vek16s* kernel, Vek16s* dst, int sf) {
    std::int64_t sums[8];
    cyclic<8>(src, kernel, sums);
    Vek16s out[8];
    // Eight 16-bit products stay below 2^34: beyond 36 the rounded result is 0.
    with_scale<Vek16s>(sf > 36 ? 36 : sf, [&](auto scale) {
        for (int k = 0; k < 8; ++k) out[k] = scale(sums[k]);
        return 0;
    });
    std::memcpy(dst, out, sizeof out);
    return vekStsOk;
}

struct Cplx32 {
    float re, im;
    Cplx32() : re(0), im(0) {}
    explicit Cplx32(float r) : re(r), im(0) {}
    explicit Cplx32(Vek32fc c) : re(c.re), im(c.im) {}
};
inline Cplx32 operator*(Cplx32 real, Cplx32 c) { Cplx32 r; r.re = real.re * c.re; r.im = real.re * c.im; return r; }
inline Cplx32 operator+(Cplx32 a, Cplx32 b) { Cplx32 r; r.re = a.re + b.re; r.im = a.im + b.im; return r; }

VekStatus conv_cyclic4_32f32fc(const Vek32f* src, const Vek32fc* kernel, Vek32fc* dst) {
    Cplx32 out[4];
    cyclic<4>(src, kernel, out);
    for (int k = 0; k < 4; ++k) store(dst + k, Vek32fc{out[k].re, out[k].im});
    return vekStsOk;
}

} // namespace
} // namespace veks::filt

using namespace veks::filt;

VEKS_API VekStatus veksConv_32f(const Vek32f* pSrc1, int src1Len, const Vek32f* pSrc2, int src2Len, Vek32f* pDst) {
    return conv_float(pSrc1, src1Len, pSrc2, src2Len, pDst);
}
VEKS_API VekStatus veksConv_64f(const Vek64f* pSrc1, int src1Len, const Vek64f* pSrc2, int src2Len, Vek64f* pDst) {
    return conv_float(pSrc1, src1Len, pSrc2, src2Len, pDst);
}
VEKS_API VekStatus veksConv_16s_Sfs(const Vek16s* pSrc1, int src1Len, const Vek16s* pSrc2, int src2Len, Vek16s* pDst,
                                    int scaleFactor) {
    return conv_16s(pSrc1, src1Len, pSrc2, src2Len, pDst, scaleFactor);
}
VEKS_API VekStatus veksConvBiased_32f(const Vek32f* pSrc1, int src1Len, const Vek32f* pSrc2, int src2Len, Vek32f* pDst,
                                      int dstLen, int bias) {
    return conv_biased(pSrc1, src1Len, pSrc2, src2Len, pDst, dstLen, bias);
}
VEKS_API VekStatus veksConvCyclic8x8_32f(const Vek32f* pSrc, const Vek32f* pKernel, Vek32f* pDst) {
    return conv_cyclic8_32f(pSrc, pKernel, pDst);
}
VEKS_API VekStatus veksConvCyclic8x8_16s_Sfs(const Vek16s* pSrc, const Vek16s* pKernel, Vek16s* pDst, int scaleFactor) {
    return conv_cyclic8_16s(pSrc, pKernel, pDst, scaleFactor);
}
VEKS_API VekStatus veksConvCyclic4x4_32f32fc(const Vek32f* pSrc, const Vek32fc* pKernel, Vek32fc* pDst) {
    return conv_cyclic4_32f32fc(pSrc, pKernel, pDst);
}
