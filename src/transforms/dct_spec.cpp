// GetSize, Init, InitAlloc, GetBufSize and Free of the six DCT spec kinds,
// and the tables each engine reads.
#include <climits>
#include <cmath>
#include <cstring>

#include "core/checks.h"
#include "core/core_services.h"
#include "core/export.h"
#include "transforms/spec_release.h"
#include "transforms/dct_inner_fft.h"
#include "transforms/dct_spec.h"

namespace veks::dct {
namespace {

constexpr double kPi = 3.14159265358979323846264338327950288;

template <std::uint32_t Id> struct KindOf;
template <> struct KindOf<kIdFwd32f> { using T = float; using Hdr = FloatHeader<float>; };
template <> struct KindOf<kIdInv32f> { using T = float; using Hdr = FloatHeader<float>; };
template <> struct KindOf<kIdFwd64f> { using T = double; using Hdr = FloatHeader<double>; };
template <> struct KindOf<kIdInv64f> { using T = double; using Hdr = FloatHeader<double>; };
template <> struct KindOf<kIdFwd16s> { using T = short; using Hdr = ShortHeader; static constexpr std::uint32_t inner = kIdFwd32f; };
template <> struct KindOf<kIdInv16s> { using T = short; using Hdr = ShortHeader; static constexpr std::uint32_t inner = kIdInv32f; };

bool fits_int(const Sizes& s) { return s.spec <= INT_MAX && s.init <= INT_MAX && s.work <= INT_MAX; }

// Sizes of the float and double specs (work and init include their slack).
template <class T>
VekStatus float_sizes(int n, int hint, Sizes& s) {
    constexpr std::int64_t e = sizeof(T);
    const std::int64_t len = n;
    int fs = 0, fi = 0, fw = 0;
    switch (method_for(n, hint)) {
    case Method::Kernel: s = {std::int64_t(sizeof(FloatHeader<T>)) + 32, 0, 0}; break;
    case Method::PowerOfTwo: s = {up32(e * len) + 128, 0, e * len + 32}; break;
    case Method::Direct: s = {up32(4 * e * len) + 128, 0, e * len + 32}; break;
    case Method::Fft:
        VEKS_CHECK(InnerFft<T>::real_sizes(log2_of(len) + 1, &fs, &fi, &fw));
        s = {fs + 2 * e * len + 128, fi, fw + 2 * e * len + 32};
        break;
    case Method::Chirp: {
        const std::int64_t m = chirp_length(n);
        if (log2_of(m) > 30) return vekStsNoMemory;
        VEKS_CHECK(InnerFft<T>::cplx_sizes(log2_of(m), &fs, &fi, &fw));
        const std::int64_t init = fi > fw ? fi : fw;
        s = {fs + (m + 3 * len) * 2 * e + 128, init > 0 ? init + 32 : 0, fw + 2 * e * m + 32};
        break;
    }
    }
    return fits_int(s) ? vekStsOk : vekStsNoMemory;
}

template <std::uint32_t Id>
VekStatus sizes_of(int n, int hint, Sizes& s) {
    using K = KindOf<Id>;
    if constexpr (std::is_same_v<typename K::T, short>) {
        if (n == 1) {
            s = {64, 0, 0};
            return vekStsOk;
        }
        VEKS_CHECK(float_sizes<float>(n, vekHintSpeed, s));
        s = {s.spec + 64, s.init, s.work + 4 * std::int64_t(n) + 32};
        return fits_int(s) ? vekStsOk : vekStsNoMemory;
    } else {
        return float_sizes<typename K::T>(n, hint, s);
    }
}

// ---- tables ------------------------------------------------------------------------

// cos(pi r / 2N) and sin(pi r / 2N) for an integer r reduced modulo 4N.
struct Angle {
    double c, s;
    Angle(std::int64_t r, int n) {
        const std::int64_t q = 4 * std::int64_t(n);
        r %= q;
        if (r < 0) r += q;
        const double a = kPi * static_cast<double>(r) / (2.0 * n);
        c = std::cos(a);
        s = std::sin(a);
    }
};

// 1 / (2 cos(pi (2i+1) / 2L)), i < L/2, for L = N, N/2, ..., 16; level L
// starts at N - L. Near a quarter turn the cosine is taken as the sine of
// the complement, which keeps its relative precision.
template <class T>
void build_pow2_table(T* t, int n) {
    for (std::int64_t l = n; l >= 16; l /= 2) {
        T* level = t + (n - l);
        for (std::int64_t i = 0; i < l / 2; ++i) {
            const std::int64_t k = 2 * i + 1;
            const double c = 2 * k <= l ? std::cos(kPi * k / (2.0 * l)) : std::sin(kPi * (l - k) / (2.0 * l));
            level[i] = static_cast<T>(0.5 / c);
        }
    }
}

template <class T>
void build_direct_table(T* t, int n) {
    for (std::int64_t m = 0; m < 4 * std::int64_t(n); ++m) t[m] = static_cast<T>(Angle(m, n).c);
}

// (c_k cos(pi k/2N), c_k sin(pi k/2N)); entry 0 is (c_0, 0).
template <class T>
void build_post_twiddle(T* t, int n, double c0, double ck) {
    t[0] = static_cast<T>(c0);
    t[1] = 0;
    for (std::int64_t k = 1; k < n; ++k) {
        const Angle a(k, n);
        t[2 * k] = static_cast<T>(ck * a.c);
        t[2 * k + 1] = static_cast<T>(ck * a.s);
    }
}

// The chirp tables and the filter spectrum. Angles are pi r / 2N with the
// integer r reduced exactly, so large k lose nothing to argument size.
template <class T>
VekStatus build_chirp(FloatHeader<T>* h, std::uint8_t* base, typename InnerFft<T>::Cplx* spec, int n, std::int64_t m,
                      double c0, double ck, Vek8u* fft_buf) {
    T* filter = at_offset<T>(base, h->chirp_filter);
    T* pre = at_offset<T>(base, h->chirp_pre);
    T* post = at_offset<T>(base, h->chirp_post);
    T* inv_pre = at_offset<T>(base, h->chirp_inv_pre);
    const double s0 = 1.0 / std::sqrt(double(n)), sk = 1.0 / std::sqrt(2.0 * n);
    std::memset(filter, 0, static_cast<std::size_t>(2 * m) * sizeof(T));
    for (std::int64_t k = 0; k < n; ++k) {
        const std::int64_t sq = (k * k) % (2 * std::int64_t(n)); // k^2 modulo 2N keeps 2k^2 + k small
        const Angle chirp(2 * sq, n), twisted(2 * sq + k, n);
        const double c = k == 0 ? c0 : ck, s = k == 0 ? s0 : sk;
        pre[2 * k] = static_cast<T>(chirp.c);
        pre[2 * k + 1] = static_cast<T>(-chirp.s);
        post[2 * k] = static_cast<T>(c * twisted.c);
        post[2 * k + 1] = static_cast<T>(-c * twisted.s);
        inv_pre[2 * k] = static_cast<T>(s * twisted.c);
        inv_pre[2 * k + 1] = static_cast<T>(s * twisted.s);
        filter[2 * k] = static_cast<T>(chirp.c);
        filter[2 * k + 1] = static_cast<T>(chirp.s);
        if (k > 0) {
            filter[2 * (m - k)] = filter[2 * k];
            filter[2 * (m - k) + 1] = filter[2 * k + 1];
        }
    }
    VEKS_CHECK(InnerFft<T>::cplx_fwd(filter, spec, fft_buf));
    // 1/M of the unnormalised inverse FFT goes into the filter.
    const T inv_m = static_cast<T>(1.0 / static_cast<double>(m));
    for (std::int64_t i = 0; i < 2 * m; ++i) filter[i] *= inv_m;
    return vekStsOk;
}

// ---- building ----------------------------------------------------------------------

template <class T>
VekStatus build_float(std::uint8_t* base, std::uint32_t id, int n, int hint, Vek8u* init_buf) {
    auto* h = reinterpret_cast<FloatHeader<T>*>(base);
    h->id = id;
    h->n = n;
    h->hint = static_cast<std::uint32_t>(hint);
    const double c0 = 1.0 / std::sqrt(static_cast<double>(n)), ck = std::sqrt(2.0) / std::sqrt(static_cast<double>(n));
    h->c0 = static_cast<T>(c0);
    h->ck = static_cast<T>(ck);
    Sizes s{};
    VEKS_CHECK(float_sizes<T>(n, hint, s));
    const FpuControlGuard guard; // the table builders keep the caller's control word
    const std::int64_t len = n;
    int fs = 0, fi = 0, fw = 0;
    switch (method_for(n, hint)) {
    case Method::Kernel: h->kernel = 1; break;
    case Method::PowerOfTwo:
        h->pow2 = 1;
        h->pow2_table = kHeaderBytes;
        build_pow2_table(at_offset<T>(base, h->pow2_table), n);
        break;
    case Method::Direct:
        h->direct_table = kHeaderBytes;
        build_direct_table(at_offset<T>(base, h->direct_table), n);
        break;
    case Method::Fft: {
        h->fft = 1;
        const int order = log2_of(len) + 1;
        VEKS_CHECK(InnerFft<T>::real_sizes(order, &fs, &fi, &fw));
        typename InnerFft<T>::Real* spec = nullptr;
        VEKS_CHECK(InnerFft<T>::real_init(&spec, order, base + kHeaderBytes, init_buf));
        h->fft_spec = static_cast<std::uint32_t>(reinterpret_cast<std::uint8_t*>(spec) - base);
        h->post_twiddle = static_cast<std::uint32_t>((kHeaderBytes + fs - 32 + 15) & ~std::int64_t(15));
        build_post_twiddle(at_offset<T>(base, h->post_twiddle), n, c0, ck);
        break;
    }
    case Method::Chirp: {
        h->chirp = 1;
        const std::int64_t m = chirp_length(n);
        const int order = log2_of(m);
        h->chirp_order = static_cast<std::uint32_t>(order);
        VEKS_CHECK(InnerFft<T>::cplx_sizes(order, &fs, &fi, &fw));
        typename InnerFft<T>::Cplx* spec = nullptr;
        VEKS_CHECK(InnerFft<T>::cplx_init(&spec, order, base + kHeaderBytes, init_buf));
        h->chirp_spec = static_cast<std::uint32_t>(reinterpret_cast<std::uint8_t*>(spec) - base);
        const std::int64_t filter = (kHeaderBytes + fs - 32 + 15) & ~std::int64_t(15);
        const std::int64_t pair = 2 * sizeof(T);
        h->chirp_filter = static_cast<std::uint32_t>(filter);
        h->chirp_pre = static_cast<std::uint32_t>(filter + pair * m);
        h->chirp_post = static_cast<std::uint32_t>(filter + pair * (m + len));
        h->chirp_inv_pre = static_cast<std::uint32_t>(filter + pair * (m + 2 * len));
        VEKS_CHECK(build_chirp(h, base, spec, n, m, c0, ck, fw > 0 ? init_buf : nullptr));
        break;
    }
    }
    h->work_bytes = s.work > 0 ? static_cast<std::uint32_t>(s.work - 32) : 0;
    return vekStsOk;
}

template <std::uint32_t Id>
VekStatus init_spec(void** out, int n, int hint, Vek8u* mem, Vek8u* init_buf);

template <std::uint32_t Id>
VekStatus build(std::uint8_t* base, int n, int hint, Vek8u* init_buf) {
    using K = KindOf<Id>;
    if constexpr (std::is_same_v<typename K::T, short>) {
        auto* h = reinterpret_cast<ShortHeader*>(base);
        h->id = Id;
        h->n = n;
        h->hint = static_cast<std::uint32_t>(hint);
        if (n == 1) return vekStsOk;
        void* inner = nullptr;
        VEKS_CHECK(init_spec<K::inner>(&inner, n, vekHintSpeed, base + kShortHeaderBytes, init_buf));
        h->inner = static_cast<std::uint32_t>(static_cast<std::uint8_t*>(inner) - base);
        const std::uint32_t inner_work = static_cast<const FloatHeader<float>*>(inner)->work_bytes;
        h->work_bytes = (inner_work ? inner_work + 32 : 0) + 4 * static_cast<std::uint32_t>(n);
        return vekStsOk;
    } else {
        return build_float<typename K::T>(base, Id, n, hint, init_buf);
    }
}

template <std::uint32_t Id>
VekStatus get_sizes(int n, int hint, int* spec, int* init, int* work) {
    VEKS_CHECK(check_len(n));
    VEKS_CHECK(check_ptrs(spec, init, work));
    Sizes s{};
    VEKS_CHECK(sizes_of<Id>(n, hint, s));
    *spec = static_cast<int>(s.spec);
    *init = static_cast<int>(s.init);
    *work = static_cast<int>(s.work);
    return vekStsOk;
}

template <std::uint32_t Id>
VekStatus init_spec(void** out, int n, int hint, Vek8u* mem, Vek8u* init_buf) {
    if (!out) return vekStsNullPtr;
    VEKS_CHECK(check_len(n));
    if (!mem) return vekStsNullPtr;
    Sizes s{};
    VEKS_CHECK(sizes_of<Id>(n, hint, s));
    if (s.init > 0 && !init_buf) return vekStsNullPtr;
    std::uint8_t* base = fft::align_up32(mem);
    using Hdr = typename KindOf<Id>::Hdr;
    std::memset(base, 0, sizeof(Hdr));
    const VekStatus st = build<Id>(base, n, hint, init_buf);
    if (st != vekStsOk) {
        reinterpret_cast<Hdr*>(base)->id = 0;
        return st;
    }
    *out = base;
    return vekStsOk;
}

template <std::uint32_t Id>
VekStatus init_alloc(void** out, int n, int hint) {
    if (!out) return vekStsNullPtr;
    int spec = 0, init = 0, work = 0;
    VEKS_CHECK(get_sizes<Id>(n, hint, &spec, &init, &work));
    Vek8u* mem = veksMalloc_8u(spec);
    if (!mem) return vekStsNoMemory;
    Vek8u* init_buf = nullptr;
    if (init > 0 && !(init_buf = veksMalloc_8u(init))) {
        veksFree(mem);
        return vekStsNoMemory;
    }
    void* s = nullptr;
    const VekStatus st = init_spec<Id>(&s, n, hint, mem, init_buf);
    veksFree(init_buf);
    if (st != vekStsOk) {
        veksFree(mem);
        return st;
    }
    static_cast<typename KindOf<Id>::Hdr*>(s)->owned = 1;
    *out = s;
    return vekStsOk;
}

template <std::uint32_t Id>
VekStatus get_buf_size(const void* spec, int* size) {
    return spec_work_size<typename KindOf<Id>::Hdr>(spec, Id, size);
}

template <std::uint32_t Id>
VekStatus free_spec(void* spec) {
    return release_spec<typename KindOf<Id>::Hdr>(spec, Id);
}

} // namespace
} // namespace veks::dct

using namespace veks::dct;

// One row for each kind of DCT spec: its five life-cycle operations.
#define VEKS_DCT_LIFECYCLE(D, T, ID)                                                                          \
    VEKS_API VekStatus veksDCT##D##GetSize_##T(int length, int hint, int* pSpecSize, int* pSpecBufferSize,    \
                                               int* pBufferSize) {                                            \
        return get_sizes<ID>(length, hint, pSpecSize, pSpecBufferSize, pBufferSize);                          \
    }                                                                                                         \
    VEKS_API VekStatus veksDCT##D##Init_##T(VeksDCT##D##Spec_##T** ppDCTSpec, int length, int hint,          \
                                            Vek8u* pMemSpec, Vek8u* pBufInit) {                              \
        return init_spec<ID>(reinterpret_cast<void**>(ppDCTSpec), length, hint, pMemSpec, pBufInit);          \
    }                                                                                                         \
    VEKS_API VekStatus veksDCT##D##InitAlloc_##T(VeksDCT##D##Spec_##T** ppDCTSpec, int length, int hint) {   \
        return init_alloc<ID>(reinterpret_cast<void**>(ppDCTSpec), length, hint);                             \
    }                                                                                                         \
    VEKS_API VekStatus veksDCT##D##GetBufSize_##T(const VeksDCT##D##Spec_##T* pDCTSpec, int* pBufferSize) {  \
        return get_buf_size<ID>(pDCTSpec, pBufferSize);                                                       \
    }                                                                                                         \
    VEKS_API VekStatus veksDCT##D##Free_##T(VeksDCT##D##Spec_##T* pDCTSpec) { return free_spec<ID>(pDCTSpec); }

VEKS_DCT_LIFECYCLE(Fwd, 16s, kIdFwd16s)
VEKS_DCT_LIFECYCLE(Inv, 16s, kIdInv16s)
VEKS_DCT_LIFECYCLE(Fwd, 32f, kIdFwd32f)
VEKS_DCT_LIFECYCLE(Inv, 32f, kIdInv32f)
VEKS_DCT_LIFECYCLE(Fwd, 64f, kIdFwd64f)
VEKS_DCT_LIFECYCLE(Inv, 64f, kIdInv64f)
