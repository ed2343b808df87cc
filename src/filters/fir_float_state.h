// Floating-point-tap FIR states: the form descriptions, sizes, building,
// and the block filter with its choice between the direct method and the
// overlap-save transform method.
#pragma once

#include <omp.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "core/vekcore/vekcore.h"
#include "filters/fir_elem.h"
#include "filters/fir_engine.h"
#include "filters/fir_fft.h"
#include "filters/fir_state.h"

namespace veks::fir {

// A form: exported tap and data types and its single-rate code. The _32s
// form is the 64f_32s state built without a transform, its taps read and
// written as Vek32s (UserTapE).
template <class TapE, class DataE, int Code, bool NoTransform = false, class UserTapE = TapE>
struct FloatForm {
    using tap_e = TapE;
    using data_e = DataE;
    using user_tap_e = UserTapE;
    using tap_t = value_t<TapE>;
    using data_t = value_t<DataE>;
    static constexpr bool cx = is_cx_v<tap_t>;
    using real_t = std::conditional_t<cx, component_t<TapE>, TapE>;
    static constexpr bool wide = std::is_same_v<real_t, double>;
    using dly_t = std::conditional_t<wide, tap_t, data_t>; // Vek64f-tap forms keep the history in double
    using acc_t = tap_t;
    static constexpr int code = Code;
    static constexpr bool no_transform = NoTransform;
    static constexpr bool int_data = !std::is_floating_point_v<component_t<DataE>>;
    static constexpr int fft_threshold = cx ? 16 : (wide ? 32 : 64);
    static constexpr int method_limit = cx ? 255 : 511;  // longer blocks use the transform
    static constexpr int par_limit = cx ? 801 : 1601;    // blocks from here on are split across threads
    static constexpr int direct_chunk = std::is_same_v<TapE, Vek64f> && std::is_same_v<DataE, Vek32f> ? 2048 : INT_MAX;
    static constexpr int scratch_len = 4096;
    using out_t = Output<DataE, acc_t>;
};

struct TransformSizes {
    int order = 0, N = 0, spec = 0, init = 0, work = 0;
};

// The transform of a state of L taps, or none below the form's threshold
// (or when the size query fails).
template <class F>
inline TransformSizes transform_sizes(int L) {
    TransformSizes s;
    if (F::no_transform || L < F::fft_threshold) return s;
    int k = 2;
    while (k < 31 && (std::int64_t(1) << k) <= L) ++k;
    if (Fft<typename F::tap_t>::get_size(k + 1, &s.spec, &s.init, &s.work) != vekStsOk) return TransformSizes{};
    s.order = k + 1;
    s.N = 1 << (k + 1);
    return s;
}

// Bytes of a state of L taps for T threads; -1 when it does not fit an int.
template <class F>
inline std::int64_t state_bytes(int L, int T) {
    const TransformSizes t = transform_sizes<F>(L);
    const std::int64_t l = L, n = t.N, work = t.work, spec = t.spec, init = t.init;
    std::int64_t s;
    if constexpr (F::no_transform)
        s = round16(24 * l + 32) + round16(8 * l) + 112 + 16 * T + 32767;
    else if constexpr (!F::cx && !F::wide)
        s = (work + round16(4 * n)) * T + spec + init + round16(4 * l) + round16(12 * l + 16) + 16 * T + round16(4 * T) +
            round16(4 * n) + 16496;
    else if constexpr (F::cx && F::wide)
        s = (work + 16 * n) * T + spec + init + 16 * l + round16(48 * l + 64) + round16(4 * T) + 16 * n + 65664;
    else
        s = (work + round16(8 * n)) * T + spec + init + round16(8 * l) + round16(24 * l + 32) + 16 * T + round16(4 * T) +
            round16(8 * n) + 32880;
    return s > INT_MAX ? -1 : s;
}

inline int thread_count() { return std::max(1, ownGetNumThreads()); }

// Typed views of one state.
template <class F>
struct FloatView {
    using V = typename F::tap_t;
    using spec_t = typename Fft<V>::spec_t;
    FloatHeader* h;
    std::uint8_t* base() const { return reinterpret_cast<std::uint8_t*>(h); }
    V* taps() const { return region<V>(h, h->taps); }
    typename F::dly_t* dly() const { return region<typename F::dly_t>(h, h->dly); }
    V* spectrum() const { return region<V>(h, h->spectrum); }
    V* block(int t) const { return region<V>(h, h->blocks) + std::size_t(t) * std::size_t(h->fft_len); }
    Vek8u* work(int t) const {
        return h->work ? region<Vek8u>(h, h->work) + std::size_t(t) * std::size_t(round16(h->work_size)) : nullptr;
    }
    VekStatus* status() const { return region<VekStatus>(h, h->status); }
    void* scratch() const { return region<void>(h, h->scratch); }
    const spec_t* spec() const {
        if (h->spec == kExternalSpec) return reinterpret_cast<const spec_t*>(static_cast<std::uintptr_t>(h->spec_addr));
        return region<const spec_t>(h, h->spec);
    }
    bool has_transform() const { return h->fft_len > 0; }
};

// Taps in natural order, zero-padded to N and transformed forward.
template <class F>
inline VekStatus compute_spectrum(const FloatView<F>& v) {
    using V = typename F::tap_t;
    const int L = v.h->taps_len, N = v.h->fft_len;
    V* s = v.spectrum();
    const V* rt = v.taps();
    for (int k = 0; k < L; ++k) s[k] = rt[L - 1 - k];
    for (int k = L; k < N; ++k) s[k] = V{};
    return Fft<V>::fwd_i(s, v.spec(), v.work(0));
}

template <class F>
inline void store_taps(const FloatView<F>& v, const void* pTaps) {
    using U = value_t<typename F::user_tap_e>;
    const int L = v.h->taps_len;
    for (int k = 0; k < L; ++k) v.taps()[k] = convert<typename F::tap_t>(load<U>(pTaps, std::size_t(L - 1 - k)));
}

// Builds a state at base (already aligned to 16). With alloc, the transform
// specification comes from the allocating initialiser and every failure is
// returned; without, a failed transform leaves a state without one.
template <class F>
inline VekStatus build_state(std::uint8_t* base, int T, const void* pTaps, int L, const void* pDlyLine, bool alloc) {
    using V = typename F::tap_t;
    using Fx = Fft<V>;
    const TransformSizes ts = transform_sizes<F>(L);
    const int N = ts.N;
    auto* h = reinterpret_cast<FloatHeader*>(base);
    std::memset(h, 0, sizeof *h);
    Carver c(sizeof(FloatHeader));
    h->taps = c.take(std::int64_t(sizeof(V)) * L);
    h->dly = c.take(std::int64_t(sizeof(typename F::dly_t)) * (3 * std::int64_t(L) + 4));
    h->status = c.take(4 * std::int64_t(T));
    if (N > 0) {
        h->spectrum = c.take(std::int64_t(sizeof(V)) * N);
        if (ts.work > 0) {
            h->work = c.used();
            for (int t = 0; t < T; ++t) c.take(ts.work);
        }
        h->blocks = c.used();
        for (int t = 0; t < T; ++t) c.take(std::int64_t(sizeof(V)) * N);
    }
    h->scratch = c.take(std::int64_t(sizeof(typename F::data_t)) * F::scratch_len);
    const std::uint32_t spec_off = c.take(ts.spec);
    const std::uint32_t init_off = c.take(ts.init);

    h->id = state_id(F::code);
    h->taps_len = L;
    h->dly_len = L;
    h->dly_index = 0;
    h->owned = alloc ? 1 : 0;
    h->threads = T;
    h->fft_len = -1;
    FloatView<F> v{h};
    store_taps(v, pTaps);
    write_history<typename F::data_e>(v.dly(), L, pDlyLine);
    h->short_limit = F::cx ? ((L + 3) & ~3) : ((L + 3) & ~3) + 1;
    if (N == 0) {
        h->spectrum = h->work = h->blocks = 0;
        return vekStsOk;
    }
    typename Fx::spec_t* spec = nullptr;
    VekStatus st;
    if (alloc) {
        st = Fx::init_alloc(&spec, ts.order);
        if (st != vekStsOk) return st;
        h->spec = kExternalSpec;
        h->spec_addr = reinterpret_cast<std::uintptr_t>(spec);
        int bytes = 0;
        st = Fx::buf_size(spec, &bytes);
        if (st == vekStsOk && bytes > ts.work) st = vekStsNoMemory; // the carved buffers must hold it
        if (st != vekStsOk) {
            Fx::release(spec);
            return st;
        }
    } else {
        st = Fx::init(&spec, ts.order, base + spec_off, ts.init ? base + init_off : nullptr);
        if (st != vekStsOk) {
            h->spectrum = h->work = h->blocks = 0;
            return vekStsOk;
        }
        h->spec = static_cast<std::uint32_t>(reinterpret_cast<std::uint8_t*>(spec) - base);
    }
    h->work_size = ts.work;
    h->fft_len = N;
    st = compute_spectrum(v);
    if (st != vekStsOk) {
        if (alloc) {
            Fx::release(spec);
            return st;
        }
        h->fft_len = -1;
        h->spectrum = 0;
        h->spec = 0;
    }
    return vekStsOk;
}

// Releases what InitAlloc made (a state in caller memory owns nothing).
template <class F>
inline void release_state(FloatHeader* h) {
    if (!h->owned) return;
    if (h->spec == kExternalSpec && h->fft_len > 0)
        Fft<typename F::tap_t>::release(const_cast<typename FloatView<F>::spec_t*>(FloatView<F>{h}.spec()));
    h->id = 0;
    veksFree(h);
}

// ---- block filter ------------------------------------------------------------------

// The direct method on n samples (64f_32f in chunks of at most 2048).
template <class F>
inline void direct_method(const FloatView<F>& v, const void* src, void* dst, int n, const typename F::out_t& out) {
    using Data = typename F::data_t;
    const int L = v.h->taps_len;
    for (int done = 0; done < n;) {
        const int c = std::min(n - done, F::direct_chunk);
        const int i = v.h->dly_index;
        v.h->dly_index = 0;
        direct_block<typename F::acc_t, typename F::tap_t, typename F::dly_t, typename F::data_e>(
            v.taps(), L, v.h->short_limit, v.dly(), i, static_cast<const char*>(src) + std::size_t(done) * sizeof(Data),
            static_cast<char*>(dst) + std::size_t(done) * sizeof(Data), c, out, F::par_limit);
        done += c;
    }
}

// The overlap-save method: blocks of N with M = L - 1 samples of overlap,
// S = N - M new outputs each.
template <class F>
inline VekStatus fft_method(const FloatView<F>& v, const void* src, void* dst, int n, const typename F::out_t& out) {
    using V = typename F::tap_t;
    using Data = typename F::data_t;
    using Fx = Fft<V>;
    FloatHeader* h = v.h;
    const int N = h->fft_len, L = h->taps_len, M = L - 1, S = N - M;
    const int i = h->dly_index;
    const auto* spec = v.spec();
    const V* H = v.spectrum();
    auto* dly = v.dly();
    V* W = v.block(0);
    for (int j = 0; j < M; ++j) W[j] = convert<V>(dly[i + 1 + j]);
    h->dly_index = 0;

    auto filter_block = [&](V* w, Vek8u* wb) {
        VekStatus s = Fx::fwd_i(w, spec, wb);
        if (s == vekStsOk) s = Fx::mul_i(H, w, N);
        if (s == vekStsOk) s = Fx::inv_i(w, spec, wb);
        return s;
    };
    auto emit = [&](const V* w, int p, int count) {
        for (int k = 0; k < count; ++k) store<Data>(dst, std::size_t(p + k), out(w[M + k]));
    };
    auto save_history = [&] {
        for (int k = 0; k < L; ++k) dly[k] = convert<typename F::dly_t>(load<Data>(src, std::size_t(n - L + k)));
    };
    // Block b >= 1: source elements p - M .. p - M + N - 1 (or fewer at the end).
    auto later_block = [&](int b, V* w, Vek8u* wb) {
        const int p = b * S;
        VekStatus s;
        if (n - p >= N) {
            if constexpr (std::is_same_v<Data, V>) {
                s = Fx::fwd(reinterpret_cast<const V*>(static_cast<const char*>(src) + std::size_t(p - M) * sizeof(V)), w,
                            spec, wb);
            } else {
                convert_n<V, Data>(src, std::size_t(p - M), w, std::size_t(N));
                s = Fx::fwd_i(w, spec, wb);
            }
            if (s == vekStsOk) s = Fx::mul_i(H, w, N);
            if (s == vekStsOk) s = Fx::inv_i(w, spec, wb);
            if (s == vekStsOk) emit(w, p, S);
            return s;
        }
        const int have = std::min(M + (n - p), N);
        convert_n<V, Data>(src, std::size_t(p - M), w, std::size_t(have));
        for (int k = have; k < N; ++k) w[k] = V{};
        s = filter_block(w, wb);
        if (s == vekStsOk) emit(w, p, std::min(n - p, S));
        return s;
    };

    if (n <= S) {
        convert_n<V, Data>(src, 0, W + M, std::size_t(n));
        for (int k = 0; k < L; ++k) dly[k] = convert<typename F::dly_t>(W[M + n - L + k]);
        for (int k = M + n; k < N; ++k) W[k] = V{};
        const VekStatus s = filter_block(W, v.work(0));
        if (s != vekStsOk) return s;
        emit(W, 0, n);
        return vekStsOk;
    }
    const int want = std::min(ownGetNumThreads(), h->threads);
    if (n < F::par_limit || ownGetNumThreads() < 2 || want < 2) {
        convert_n<V, Data>(src, 0, W + M, std::size_t(S));
        VekStatus s = filter_block(W, v.work(0));
        if (s != vekStsOk) return s;
        emit(W, 0, S);
        save_history();
        for (int b = 1; std::int64_t(b) * S < n; ++b) {
            s = later_block(b, W, v.work(0));
            if (s != vekStsOk) return s;
        }
        return vekStsOk;
    }
    VekStatus* status = v.status();
    int P = 1, B = 0;
#pragma omp parallel num_threads(want)
    {
#pragma omp master
        {
            P = omp_get_num_threads();
            for (int t = 0; t < P; ++t) status[t] = vekStsOk;
            B = (n + S - 1) / S;
        }
#pragma omp barrier
        const int t = omp_get_thread_num();
        V* w = v.block(t);
        Vek8u* wb = v.work(t);
        VekStatus mine = vekStsOk;
        for (int b = t; b < B; b += P) {
            VekStatus s;
            if (b == 0) {
                convert_n<V, Data>(src, 0, w + M, std::size_t(S));
                s = filter_block(w, wb);
                if (s == vekStsOk) emit(w, 0, S);
                save_history();
            } else {
                s = later_block(b, w, wb);
            }
            mine = std::min(mine, s);
        }
        status[t] = mine;
    }
    VekStatus result = vekStsOk;
    for (int t = 0; t < P; ++t) result = std::min(result, status[t]);
    return result;
}

template <class F>
inline VekStatus filter_block(const FloatView<F>& v, const void* src, void* dst, int n, const typename F::out_t& out) {
    if (n > F::method_limit && v.has_transform()) return fft_method(v, src, dst, n, out);
    direct_method(v, src, dst, n, out);
    return vekStsOk;
}

// In place: chunks of up to 4096 samples filtered into the scratch area and
// copied back; the transform serves a chunk while more than method_limit
// samples remain after it.
template <class F>
inline VekStatus filter_in_place(const FloatView<F>& v, void* data, int n, const typename F::out_t& out) {
    using Data = typename F::data_t;
    int remaining = n;
    char* p = static_cast<char*>(data);
    void* scratch = v.scratch();
    while (remaining > 0) {
        const int c = std::min(remaining, F::scratch_len);
        remaining -= c;
        if (remaining > F::method_limit && v.has_transform()) {
            const VekStatus s = fft_method(v, p, scratch, c, out);
            if (s != vekStsOk) return s;
        } else {
            direct_method(v, p, scratch, c, out);
        }
        std::memcpy(p, scratch, std::size_t(c) * sizeof(Data));
        p += std::size_t(c) * sizeof(Data);
    }
    return vekStsOk;
}

} // namespace veks::fir
