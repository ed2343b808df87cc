// GetSize, Init, InitAlloc, GetBufSize and Free of the thirteen FFT spec
// kinds, and the table layout of each kind.
#include "transforms/fft_spec.h"

#include <cmath>
#include <cstring>

#include "core/checks.h"
#include "core/core_services.h"
#include "core/export.h"
#include "transforms/spec_release.h"
#include "transforms/fft_tables.h"

namespace veks::fft {

WorkArea::WorkArea(Vek8u* caller, std::uint32_t bytes) {
    if (bytes == 0) return;
    if (caller) {
        data_ = align_up32(caller);
        return;
    }
    owned_ = veksMalloc_8u(static_cast<int>(bytes));
    data_ = owned_;
    ok_ = owned_ != nullptr;
}

WorkArea::~WorkArea() { veksFree(owned_); }

namespace {

// ---- per-kind facts -----------------------------------------------------------
enum class Family { Complex32, Complex64, Real32, Real64, Short, Int };

constexpr Family family_of(std::uint32_t id) {
    switch (id) {
    case kIdC32fc: case kIdC32f: return Family::Complex32;
    case kIdC64fc: case kIdC64f: return Family::Complex64;
    case kIdR32f: return Family::Real32;
    case kIdR64f: return Family::Real64;
    case kIdC16sc: case kIdC16s: case kIdR16s: return Family::Short;
    default: return Family::Int;
    }
}

Sizes sizes_of(std::uint32_t id, int m, int hint) {
    switch (family_of(id)) {
    case Family::Complex32: return complex_float_sizes(false, m);
    case Family::Complex64: return complex_float_sizes(true, m);
    case Family::Real32: return real_float_sizes(false, m);
    case Family::Real64: return real_float_sizes(true, m);
    case Family::Short: return short_sizes(id == kIdR16s, m, hint);
    default: return int_sizes(id, m);
    }
}

bool needs_init_buffer(std::uint32_t id, int m) {
    switch (family_of(id)) {
    case Family::Short: return m >= 1;
    case Family::Int: return m >= 11; // as the inner float spec
    default: return m >= 11;
    }
}

bool too_large(const Sizes& s) { return s.spec > INT_MAX || s.init > INT_MAX || s.work > INT_MAX; }

// Places tables one after another, each at a 32-byte boundary.
struct Cursor {
    std::uint8_t* base;
    std::int64_t at;
    template <class P> P* take(std::uint32_t& field, std::int64_t bytes) {
        field = static_cast<std::uint32_t>(at);
        P* p = reinterpret_cast<P*>(base + at);
        at = up32(at + bytes);
        return p;
    }
};

// ---- float specs ---------------------------------------------------------------

template <class T>
void set_scaling(FloatSpecHeader<T>* h, int m, int flag) {
    const std::int64_t n = std::int64_t(1) << m;
    h->fwd_scaled = flag == vekFftNormFwd || flag == vekFftNormSqrt;
    h->inv_scaled = flag == vekFftNormInv || flag == vekFftNormSqrt;
    if (flag == vekFftNormFwd || flag == vekFftNormInv)
        h->factor = sizeof(T) == 4 ? static_cast<T>(1.0f / static_cast<float>(n)) : static_cast<T>(1.0 / static_cast<double>(n));
    else if (flag == vekFftNormSqrt)
        h->factor = static_cast<T>(1.0 / std::sqrt(static_cast<double>(n)));
}

// Tables of the complex transform of order m behind the bit-reversal table.
template <class T>
void layout_plan(FloatSpecHeader<T>* h, Cursor& c, const QuarterWave<T>& q, int m, int level) {
    constexpr bool dbl = sizeof(T) == 8;
    const std::int64_t n = std::int64_t(1) << m, elem = 2 * sizeof(T);
    const int k = split_entry(dbl, m);
    if (k > 0) {
        layout_plan(h, c, q, m - k, level + 1);
        build_radix4(c.take<T>(h->steps[2 * level], radix4_bytes(dbl, k)), q, k);
        build_step(c.take<T>(h->steps[2 * level + 1], elem * n), q, m, k);
    } else if (m > incore_limit(dbl)) {
        build_merge(c.take<T>(h->merge, n / 4 * elem), q, m);
        build_radix4(c.take<T>(h->radix4, radix4_bytes(dbl, block_sub_order(dbl))), q, block_sub_order(dbl));
    } else {
        build_radix4(c.take<T>(h->radix4, radix4_bytes(dbl, m)), q, m);
    }
}

template <class T>
void layout_complex(FloatSpecHeader<T>* h, Cursor& c, int m, std::uint8_t* init) {
    if (m <= 3) return;
    build_bitrev(c.take<std::int32_t>(h->bitrev, bitrev_bytes(m)), m);
    const QuarterWave<T> q = m <= 10 ? QuarterWave<T>{fixed_sine_table<T>(), 1, 10}
                                     : build_quarter_wave(reinterpret_cast<T*>(init), m);
    layout_plan(h, c, q, m, 0);
}

template <class T>
VekStatus build_float(std::uint8_t* base, std::uint32_t id, int m, int flag, int hint, std::uint8_t* init) {
    auto* h = reinterpret_cast<FloatSpecHeader<T>*>(base);
    h->id = id;
    h->order = m;
    h->hint = static_cast<std::uint32_t>(hint);
    set_scaling(h, m, flag);
    const FpuControlGuard guard; // the table builders keep the caller's control word
    Cursor c{base, up32(sizeof *h)};
    const bool real = id == kIdR32f || id == kIdR64f;
    if (!real) {
        layout_complex(h, c, m, init);
        h->work_bytes = static_cast<std::uint32_t>(complex_float_sizes(sizeof(T) == 8, m).work);
    } else if (m > 3) {
        layout_complex(h, c, m - 1, init);
        const std::int64_t pairs = (std::int64_t(1) << m) / 4;
        T* fwd = c.take<T>(h->recomb_fwd, pairs * 2 * sizeof(T));
        T* inv = c.take<T>(h->recomb_inv, pairs * 2 * sizeof(T));
        build_recombination(fwd, inv, m);
        h->work_bytes = static_cast<std::uint32_t>(real_float_sizes(sizeof(T) == 8, m).work);
    }
    if (h->work_bytes) h->work_bytes -= 32;
    return vekStsOk;
}

// ---- 16-bit specs --------------------------------------------------------------

VekStatus build_short(std::uint8_t* base, std::uint32_t id, int m, int flag, int hint, std::uint8_t* init) {
    auto* h = reinterpret_cast<ShortSpecHeader*>(base);
    h->id = id;
    h->order = m;
    h->fwd_shift = flag == vekFftNormFwd ? m : flag == vekFftNormSqrt ? m / 2 : 0;
    h->inv_shift = flag == vekFftNormInv ? m : flag == vekFftNormSqrt ? m / 2 : 0;
    h->sqrt_half = flag == vekFftNormSqrt && (m & 1);
    h->hint = static_cast<std::uint32_t>(hint);
    if (m == 0) return vekStsOk;
    const std::int64_t n = std::int64_t(1) << m;
    if (short_uses_float(m, hint)) {
        h->float_engine = 1;
        h->inner = 64;
        void* inner = nullptr;
        const bool real = id == kIdR16s;
        VekStatus st = real ? init_spec<kIdR32f>(&inner, m, flag, 0, base + sizeof *h, init)
                            : init_spec<kIdC32fc>(&inner, m, flag, 0, base + sizeof *h, init);
        int inner_buf = 0;
        if (st == vekStsOk) st = real ? get_buf_size<kIdR32f>(inner, &inner_buf) : get_buf_size<kIdC32fc>(inner, &inner_buf);
        if (st != vekStsOk) return st;
        h->work_bytes = static_cast<std::uint32_t>(inner_buf + 8 * n);
        return vekStsOk;
    }
    // Fixed point: the complex transform of this order (half the order for
    // the real kind) with Q14 twiddles.
    const int cm = id == kIdR16s ? m - 1 : m;
    Cursor c{base, 64};
    short* quarter = reinterpret_cast<short*>(init);
    if (cm >= 2) {
        build_bitrev(c.take<std::int32_t>(h->bitrev, bitrev_bytes(cm)), cm);
        build_radix4_q14(c.take<short>(h->radix4, ((std::int64_t(1) << cm) / 4 + 1) * 12), quarter, cm);
    }
    if (id == kIdR16s) {
        const std::int64_t pairs = n / 4 > 0 ? n / 4 : 1;
        short* r = c.take<short>(h->recomb, pairs * 4);
        const std::int64_t stride = std::int64_t(1) << (10 - m);
        for (std::int64_t j = 0; j < pairs; ++j) {
            r[2 * j] = j == 0 ? 16384 : kSine1024_q14[(n / 4 - j) * stride];
            r[2 * j + 1] = kSine1024_q14[j * stride];
        }
    }
    h->work_bytes = static_cast<std::uint32_t>(8 * n);
    return vekStsOk;
}

// ---- 32-bit integer specs --------------------------------------------------------

VekStatus build_int(std::uint8_t* base, std::uint32_t id, int m, int flag, int hint, std::uint8_t* init) {
    auto* h = reinterpret_cast<IntSpecHeader*>(base);
    h->id = id;
    h->order = m;
    h->hint = static_cast<std::uint32_t>(hint);
    h->inner = 32;
    void* inner = nullptr;
    Vek8u* mem = base + sizeof *h;
    const std::int64_t n = std::int64_t(1) << m;
    VekStatus st;
    int inner_buf = 0;
    std::int64_t data = 0;
    switch (id) {
    case kIdC32sc:
        st = init_spec<kIdC64fc>(&inner, m, flag, 0, mem, init);
        if (st == vekStsOk) st = get_buf_size<kIdC64fc>(inner, &inner_buf);
        data = 16 * n;
        break;
    case kIdC32s:
        st = init_spec<kIdC64f>(&inner, m, flag, 0, mem, init);
        if (st == vekStsOk) st = get_buf_size<kIdC64f>(inner, &inner_buf);
        data = 16 * n;
        break;
    case kIdR32s:
        st = init_spec<kIdR64f>(&inner, m, flag, 0, mem, init);
        if (st == vekStsOk) st = get_buf_size<kIdR64f>(inner, &inner_buf);
        data = 8 * n;
        break;
    default:
        st = init_spec<kIdR32f>(&inner, m, flag, 0, mem, init);
        if (st == vekStsOk) st = get_buf_size<kIdR32f>(inner, &inner_buf);
        data = 4 * n;
        break;
    }
    if (st != vekStsOk) return st;
    h->work_bytes = static_cast<std::uint32_t>(inner_buf + data);
    return vekStsOk;
}

// ---- generic life cycle ------------------------------------------------------------

template <std::uint32_t Id> struct HeaderOf { using type = FloatSpecHeader<float>; };
template <> struct HeaderOf<kIdC64fc> { using type = FloatSpecHeader<double>; };
template <> struct HeaderOf<kIdC64f> { using type = FloatSpecHeader<double>; };
template <> struct HeaderOf<kIdR64f> { using type = FloatSpecHeader<double>; };
template <> struct HeaderOf<kIdC16sc> { using type = ShortSpecHeader; };
template <> struct HeaderOf<kIdC16s> { using type = ShortSpecHeader; };
template <> struct HeaderOf<kIdR16s> { using type = ShortSpecHeader; };
template <> struct HeaderOf<kIdC32sc> { using type = IntSpecHeader; };
template <> struct HeaderOf<kIdC32s> { using type = IntSpecHeader; };
template <> struct HeaderOf<kIdR32s> { using type = IntSpecHeader; };
template <> struct HeaderOf<kIdR16s32s> { using type = IntSpecHeader; };

template <std::uint32_t Id>
VekStatus build(std::uint8_t* base, int m, int flag, int hint, std::uint8_t* init) {
    switch (family_of(Id)) {
    case Family::Complex32: case Family::Real32: return build_float<float>(base, Id, m, flag, hint, init);
    case Family::Complex64: case Family::Real64: return build_float<double>(base, Id, m, flag, hint, init);
    case Family::Short: return build_short(base, Id, m, flag, hint, init);
    default: return build_int(base, Id, m, flag, hint, init);
    }
}

template <std::uint32_t Id>
VekStatus init_alloc(void** out, int order, int flag, int hint) {
    if (!out) return vekStsNullPtr;
    int spec = 0, init = 0, work = 0;
    VEKS_CHECK(get_sizes<Id>(order, flag, hint, &spec, &init, &work));
    Vek8u* mem = veksMalloc_8u(spec);
    if (!mem) return vekStsNoMemory;
    Vek8u* init_buf = nullptr;
    if (init > 0 && !(init_buf = veksMalloc_8u(init))) {
        veksFree(mem);
        return vekStsNoMemory;
    }
    void* s = nullptr;
    const VekStatus st = init_spec<Id>(&s, order, flag, hint, mem, init_buf);
    veksFree(init_buf);
    if (st != vekStsOk) {
        veksFree(mem);
        return st;
    }
    static_cast<typename HeaderOf<Id>::type*>(s)->owned = 1;
    *out = s;
    return vekStsOk;
}

template <std::uint32_t Id>
VekStatus free_spec(void* spec) {
    return release_spec<typename HeaderOf<Id>::type>(spec, Id);
}

} // namespace

template <std::uint32_t Id>
VekStatus get_sizes(int order, int flag, int hint, int* spec, int* init, int* work) {
    if (order < 0 || order > kMaxOrder) return vekStsBadFftOrder;
    VEKS_CHECK(check_ptrs(spec, init, work));
    if (!valid_flag(flag)) return vekStsBadFftFlag;
    const Sizes s = sizes_of(Id, order, hint);
    if (too_large(s)) return vekStsNoMemory;
    *spec = static_cast<int>(s.spec);
    *init = static_cast<int>(s.init);
    *work = static_cast<int>(s.work);
    return vekStsOk;
}

template <std::uint32_t Id>
VekStatus init_spec(void** out, int order, int flag, int hint, Vek8u* mem, Vek8u* init_buf) {
    if (!out) return vekStsNullPtr;
    if (order < 0 || order > kMaxOrder) return vekStsBadFftOrder;
    if (!mem) return vekStsNullPtr;
    using Hdr = typename HeaderOf<Id>::type;
    if (valid_flag(flag)) {
        if (!init_buf && needs_init_buffer(Id, order)) return vekStsNullPtr;
        if (too_large(sizes_of(Id, order, hint))) return vekStsNoMemory;
    }
    std::uint8_t* base = align_up32(mem);
    std::memset(base, 0, sizeof(Hdr));
    if (!valid_flag(flag)) return vekStsBadFftFlag;
    const VekStatus st = build<Id>(base, order, flag, hint, init_buf ? align_up32(init_buf) : nullptr);
    if (st != vekStsOk) {
        reinterpret_cast<Hdr*>(base)->id = 0;
        return st;
    }
    *out = base;
    return vekStsOk;
}

template <std::uint32_t Id>
VekStatus get_buf_size(const void* spec, int* size) {
    return spec_work_size<typename HeaderOf<Id>::type>(spec, Id, size);
}

} // namespace veks::fft

using namespace veks::fft;

// One row for each kind of transform spec: its five life-cycle operations.
#define VEKS_FFT_LIFECYCLE(K, ID)                                                                           \
    VEKS_API VekStatus veksFFTGetSize_##K(int order, int flag, int hint, int* pSpecSize, int* pSpecBufferSize, \
                                          int* pBufferSize) {                                                \
        return get_sizes<ID>(order, flag, hint, pSpecSize, pSpecBufferSize, pBufferSize);                    \
    }                                                                                                       \
    VEKS_API VekStatus veksFFTInit_##K(VeksFFTSpec_##K** ppFFTSpec, int order, int flag, int hint,           \
                                       Vek8u* pMemSpec, Vek8u* pBufInit) {                                   \
        return init_spec<ID>(reinterpret_cast<void**>(ppFFTSpec), order, flag, hint, pMemSpec, pBufInit);    \
    }                                                                                                       \
    VEKS_API VekStatus veksFFTInitAlloc_##K(VeksFFTSpec_##K** ppFFTSpec, int order, int flag, int hint) {    \
        return init_alloc<ID>(reinterpret_cast<void**>(ppFFTSpec), order, flag, hint);                       \
    }                                                                                                       \
    VEKS_API VekStatus veksFFTGetBufSize_##K(const VeksFFTSpec_##K* pFFTSpec, int* pBufferSize) {            \
        return get_buf_size<ID>(pFFTSpec, pBufferSize);                                                      \
    }                                                                                                       \
    VEKS_API VekStatus veksFFTFree_##K(VeksFFTSpec_##K* pFFTSpec) { return free_spec<ID>(pFFTSpec); }

VEKS_FFT_LIFECYCLE(C_16sc, kIdC16sc)
VEKS_FFT_LIFECYCLE(C_16s, kIdC16s)
VEKS_FFT_LIFECYCLE(R_16s, kIdR16s)
VEKS_FFT_LIFECYCLE(C_32fc, kIdC32fc)
VEKS_FFT_LIFECYCLE(C_32f, kIdC32f)
VEKS_FFT_LIFECYCLE(R_32f, kIdR32f)
VEKS_FFT_LIFECYCLE(C_64fc, kIdC64fc)
VEKS_FFT_LIFECYCLE(C_64f, kIdC64f)
VEKS_FFT_LIFECYCLE(R_64f, kIdR64f)
VEKS_FFT_LIFECYCLE(C_32sc, kIdC32sc)
VEKS_FFT_LIFECYCLE(C_32s, kIdC32s)
VEKS_FFT_LIFECYCLE(R_32s, kIdR32s)
VEKS_FFT_LIFECYCLE(R_16s32s, kIdR16s32s)
