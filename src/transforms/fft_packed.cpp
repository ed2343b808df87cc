// Operations on packed real spectra: expansion to the full complex spectrum
// (ConjPack, ConjPerm, ConjCcs) and element-wise products (MulPack, MulPerm,
// MulPackConj).
#include <cstdint>
#include <limits>

#include "core/unaligned.h"
#include "core/checks.h"
#include "core/export.h"
#include "core/scale.h"

namespace veks {
namespace {

enum class Packed { Pack, Perm, Ccs };

template <class T> T negate(T v) { return -v; }
// 16-bit imaginary parts negate with saturation: -(-32768) is 32767.
template <> Vek16s negate<Vek16s>(Vek16s v) { return v == -32768 ? Vek16s(32767) : static_cast<Vek16s>(-v); }

// Expands len complex values from the packed data at src (T values) into
// dst; src may be the start of dst. Bins are written from the top down so
// that packed values are read before they are overwritten.
template <Packed P, class T, class C>
VekStatus conj_expand(const T* src, C* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    const bool even = len % 2 == 0;
    const int bins = even ? len / 2 - 1 : (len - 1) / 2;
    // positions of bin 0's parts, the middle bin's parts and bin k's real part
    const bool ccs = P == Packed::Ccs;
    const int first = (P == Packed::Perm && even) || ccs ? 0 : -1; // bin k real part at 2k + first
    const T re0 = load_elem(src, 0), im0 = ccs ? load_elem(src, 1) : T(0);
    if (even) {
        const T mr = P == Packed::Pack ? load_elem(src, len - 1) : P == Packed::Perm ? load_elem(src, 1) : load_elem(src, len);
        const T mi = ccs ? load_elem(src, len + 1) : T(0);
        store_elem(dst, len / 2, C{mr, mi});
    }
    for (int k = bins; k >= 1; --k) {
        const T re = load_elem(src, 2 * k + first), im = load_elem(src, 2 * k + first + 1);
        store_elem(dst, k, C{re, im});
        store_elem(dst, len - k, C{re, negate(im)});
    }
    store_elem(dst, 0, C{re0, im0});
    return vekStsOk;
}

// Product of two packed spectra: the real values multiply, the complex
// pairs multiply as complex numbers. Conj: a * conj(b) instead.
template <Packed P, bool Conj, class T, class Store>
void packed_product(const T* a, const T* b, int len, Store store) {
    const bool even = len % 2 == 0;
    const int bins = even ? len / 2 - 1 : (len - 1) / 2;
    store(0, load_elem(a, 0) * load_elem(b, 0));
    int first = 1; // index of the first pair's real part
    if (even) {
        const int mid = P == Packed::Perm ? 1 : len - 1;
        store(mid, load_elem(a, mid) * load_elem(b, mid));
        if (P == Packed::Perm) first = 2;
    }
    for (int k = 0; k < bins; ++k) {
        const int i = first + 2 * k;
        const auto ar = load_elem(a, i), ai = load_elem(a, i + 1), br = load_elem(b, i), bi = load_elem(b, i + 1);
        if (Conj) {
            store(i, ar * br + ai * bi);
            store(i + 1, ai * br - ar * bi);
        } else {
            store(i, ar * br - ai * bi);
            store(i + 1, ar * bi + ai * br);
        }
    }
}

template <Packed P, class T>
VekStatus mul_float(const T* a, const T* b, T* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, a, b, dst));
    packed_product<P, false>(a, b, len, [dst](int i, T v) { store_elem(dst, i, v); });
    return vekStsOk;
}

template <Packed P, class T>
VekStatus mul_float_inplace(const T* src, T* srcdst, int len) { return mul_float<P>(src, srcdst, srcdst, len); }

// pSrcDst = pSrc * conj(pSrcDst), Pack layout.
template <class T>
VekStatus mul_pack_conj(const T* src, T* srcdst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, srcdst));
    packed_product<Packed::Pack, true>(src, srcdst, len, [srcdst](int i, T v) { store_elem(srcdst, i, v); });
    return vekStsOk;
}

// 16-bit products: exact in 64 bits, then the scale-factor rule.
template <Packed P>
VekStatus mul_16s(const Vek16s* a, const Vek16s* b, Vek16s* dst, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, a, b, dst));
    if (sf > 32) return veksZero_16s(dst, len); // |products| <= 2^31: every result rounds to 0
    with_scale<Vek16s>(sf, [&](auto scale) {
        const bool even = len % 2 == 0;
        const int bins = even ? len / 2 - 1 : (len - 1) / 2;
        const auto mul = [](Vek16s x, Vek16s y) { return std::int64_t(x) * y; };
        Vek16s r0 = scale(mul(load_elem(a, 0), load_elem(b, 0)));
        int first = 1;
        if (even) {
            const int mid = P == Packed::Perm ? 1 : len - 1;
            store_elem(dst, mid, scale(mul(load_elem(a, mid), load_elem(b, mid))));
            if (P == Packed::Perm) first = 2;
        }
        for (int k = 0; k < bins; ++k) {
            const int i = first + 2 * k;
            const Vek16s ar = load_elem(a, i), ai = load_elem(a, i + 1), br = load_elem(b, i), bi = load_elem(b, i + 1);
            store_elem(dst, i, scale(mul(ar, br) - mul(ai, bi)));
            store_elem(dst, i + 1, scale(mul(ar, bi) + mul(ai, br)));
        }
        store_elem(dst, 0, r0);
        return 0;
    });
    return vekStsOk;
}

template <Packed P>
VekStatus mul_16s_inplace(const Vek16s* src, Vek16s* srcdst, int len, int sf) { return mul_16s<P>(src, srcdst, srcdst, len, sf); }

} // namespace
} // namespace veks

using namespace veks;

// One row per layout and element type.
#define VEKS_CONJ(OP, P, T, S, C)                                                                            \
    VEKS_API VekStatus veksConj##OP##_##T(const Vek##S* pSrc, Vek##C* pDst, int len) {                      \
        return conj_expand<Packed::P>(pSrc, pDst, len); }                                                    \
    VEKS_API VekStatus veksConj##OP##_##T##_I(Vek##C* pSrcDst, int len) {                                    \
        return conj_expand<Packed::P>(reinterpret_cast<const Vek##S*>(pSrcDst), pSrcDst, len); }
#define VEKS_CONJ_ALL(OP, P) VEKS_CONJ(OP, P, 32fc, 32f, 32fc) VEKS_CONJ(OP, P, 64fc, 64f, 64fc) VEKS_CONJ(OP, P, 16sc, 16s, 16sc)

VEKS_CONJ_ALL(Pack, Pack)
VEKS_CONJ_ALL(Perm, Perm)
VEKS_CONJ_ALL(Ccs, Ccs)

#define VEKS_MUL(OP, P, T)                                                                                   \
    VEKS_API VekStatus veksMul##OP##_##T(const Vek##T* pSrc1, const Vek##T* pSrc2, Vek##T* pDst, int len) { \
        return mul_float<Packed::P>(pSrc1, pSrc2, pDst, len); }                                              \
    VEKS_API VekStatus veksMul##OP##_##T##_I(const Vek##T* pSrc, Vek##T* pSrcDst, int len) {                 \
        return mul_float_inplace<Packed::P>(pSrc, pSrcDst, len); }
#define VEKS_MUL_16S(OP, P)                                                                                  \
    VEKS_API VekStatus veksMul##OP##_16s_Sfs(const Vek16s* pSrc1, const Vek16s* pSrc2, Vek16s* pDst, int len, int scaleFactor) { \
        return mul_16s<Packed::P>(pSrc1, pSrc2, pDst, len, scaleFactor); }                                  \
    VEKS_API VekStatus veksMul##OP##_16s_ISfs(const Vek16s* pSrc, Vek16s* pSrcDst, int len, int scaleFactor) { \
        return mul_16s_inplace<Packed::P>(pSrc, pSrcDst, len, scaleFactor); }

VEKS_MUL(Pack, Pack, 32f)
VEKS_MUL(Pack, Pack, 64f)
VEKS_MUL(Perm, Perm, 32f)
VEKS_MUL(Perm, Perm, 64f)
VEKS_MUL_16S(Pack, Pack)
VEKS_MUL_16S(Perm, Perm)
VEKS_API VekStatus veksMulPackConj_32f_I(const Vek32f* pSrc, Vek32f* pSrcDst, int len) { return mul_pack_conj(pSrc, pSrcDst, len); }
VEKS_API VekStatus veksMulPackConj_64f_I(const Vek64f* pSrc, Vek64f* pSrcDst, int len) { return mul_pack_conj(pSrc, pSrcDst, len); }
