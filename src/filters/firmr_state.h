// Multirate FIR states: header, forms, sizes and filtering. The leading
// fields (identifier, taps, delay buffer, tapsLen) are those of every FIR
// state; the rate descriptor and the method follow.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "filters/fir_elem.h"
#include "filters/fir_state.h"
#include "filters/fir_taps.h"
#include "filters/firmr_kernel.h"

namespace veks::fir::mr {

struct MrHeader {
    std::uint32_t id;
    std::uint32_t taps;        // natural order
    std::uint32_t dly;         // the last P inputs, oldest first
    std::int32_t taps_len;
    std::int32_t up, up_phase, down, down_phase;
    std::int32_t method;       // 1 direct polyphase, 2 decimating, 3 indexed polyphase
    // extension
    std::int32_t owned;
    std::int32_t hist_len;     // P = ceil(tapsLen / up)
    std::int32_t taps_factor;  // integer taps
    std::uint32_t scratch;     // 4096 data elements
    std::int32_t reserved[3];
};
static_assert(sizeof(MrHeader) == 64, "header budget");

// Method choice: r = L / (3 down + L) in single precision.
inline int method_of(int L, int up, int down) {
    const float r = float(L) / float(3 * std::int64_t(down) + L);
    if (up == 1) return r > 0.5f ? 1 : 2;
    return r > 0.3f ? 1 : 3;
}

// A form: stored tap type, data type, floating view of integer taps,
// product and sum types, single-rate code.
template <class TapE, class DataE, int Code, class Prod, class Acc, bool IntTaps = false, class FloatTapE = void>
struct MrForm {
    using tap_t = value_t<TapE>;
    using tap_e = TapE;
    using data_e = DataE;
    using data_t = value_t<DataE>;
    using prod_t = Prod;
    using acc_t = Acc;
    using float_tap_e = FloatTapE;
    static constexpr int code = Code;
    static constexpr bool int_taps = IntTaps;
    static constexpr bool int_data = !std::is_floating_point_v<component_t<DataE>>;
    static constexpr int scratch_len = 4096;
    using out_t = Output<DataE, Acc>;
};

// The documented size of the single-precision real state.
inline std::int64_t size_32f(int L, int up, int down, int method) {
    const std::int64_t P = history_len(L, up);
    const std::int64_t W = (3 * std::int64_t(down) + L + up - 1) / up * up;
    const std::int64_t c = (P + down - 1) / down;
    std::int64_t D = method == 1 ? (W / up) / (4 * down) * (4 * down) + 4 * down : P / (4 * down) * (4 * down) + 4 * down;
    std::int64_t E = D + 1;
    for (std::int64_t t = c * up; t % (4 * up) != 0; t += up) E += down;
    if (method == 1)
        return round16(4 * std::int64_t(L)) + 16 * W + round16(4 * std::int64_t(up) + 4) + 4 * std::max<std::int64_t>(4 * W, 4096) +
               round16(4 * (P + E) + 4) + 128;
    return round16(4 * std::int64_t(L)) + 16 * W + round16(16 * std::int64_t(up) + 4) + 4 * std::max<std::int64_t>(8 * W, 4096) +
           round16(4 * (P + E) + 4) + 112;
}

// What the layout below needs (15 bytes of alignment slack included).
template <class F>
inline std::int64_t needed_bytes(int L, int up) {
    return 15 + std::int64_t(sizeof(MrHeader)) + round16(std::int64_t(sizeof(typename F::tap_t)) * L) +
           round16(std::int64_t(sizeof(typename F::data_t)) * history_len(L, up)) +
           round16(std::int64_t(sizeof(typename F::data_t)) * F::scratch_len);
}

template <class F>
inline std::int64_t state_bytes(int L, int up, int down) {
    const std::int64_t need = needed_bytes<F>(L, up);
    if constexpr (std::is_same_v<typename F::tap_e, Vek32f> && std::is_same_v<typename F::data_e, Vek32f>)
        return std::max(need, size_32f(L, up, down, method_of(L, up, down)));
    else
        return need;
}

struct View {
    MrHeader* h;
    template <class T> T* at(std::uint32_t off) const { return region<T>(h, off); }
    Rate rate() const { return Rate{h->up, h->up_phase, h->down, h->down_phase}; }
};

template <class F> typename F::tap_t* taps_of(const View& v) { return v.at<typename F::tap_t>(v.h->taps); }
template <class F> typename F::data_t* dly_of(const View& v) { return v.at<typename F::data_t>(v.h->dly); }

// Builds a state at base (aligned to 16); the taps are stored by the caller.
template <class F>
inline View build(std::uint8_t* base, int L, const Rate& r, const void* pDlyLine, bool owned) {
    auto* h = reinterpret_cast<MrHeader*>(base);
    std::memset(h, 0, sizeof *h);
    const int P = history_len(L, r.up);
    Carver c(sizeof(MrHeader));
    h->taps = c.take(std::int64_t(sizeof(typename F::tap_t)) * L);
    h->dly = c.take(std::int64_t(sizeof(typename F::data_t)) * P);
    h->scratch = c.take(std::int64_t(sizeof(typename F::data_t)) * F::scratch_len);
    h->id = state_id(multirate_code(F::code));
    h->taps_len = L;
    h->up = r.up;
    h->up_phase = r.up_phase;
    h->down = r.down;
    h->down_phase = r.down_phase;
    h->method = method_of(L, r.up, r.down);
    h->owned = owned ? 1 : 0;
    h->hist_len = P;
    View v{h};
    auto* d = dly_of<F>(v);
    for (int k = 0; k < P; ++k) d[k] = pDlyLine ? load<typename F::data_t>(pDlyLine, std::size_t(P - 1 - k)) : typename F::data_t{};
    return v;
}

template <class F>
inline typename F::out_t output_of(const View& v, int scaleFactor) {
    if constexpr (F::int_taps) {
        const std::int64_t d = std::int64_t(v.h->taps_factor) - scaleFactor;
        return F::out_t::for_shift(int(std::clamp<std::int64_t>(d, -31, 31)));
    } else if constexpr (F::int_data) {
        return F::out_t::for_scale(scaleFactor);
    } else {
        return F::out_t::for_float_data();
    }
}

// numIters iterations from src into dst (distinct arrays); the history
// then holds the newest P inputs.
template <class F>
inline void filter(const View& v, const void* src, void* dst, int numIters, int scaleFactor) {
    using D = typename F::data_t;
    const Rate r = v.rate();
    const int L = v.h->taps_len, P = v.h->hist_len;
    D* hist = dly_of<F>(v);
    const auto out = output_of<F>(v, scaleFactor);
    run<typename F::prod_t, typename F::acc_t>(
        taps_of<F>(v), L, r, numIters,
        [&](std::int64_t m) { return m >= 0 ? load<D>(src, std::size_t(m)) : hist[P + m]; },
        [&](std::int64_t j, const typename F::acc_t& a) { store<D>(dst, std::size_t(j), out(a)); });
    const std::int64_t consumed = std::int64_t(numIters) * r.down;
    if (consumed >= P) {
        for (int k = 0; k < P; ++k) hist[k] = load<D>(src, std::size_t(consumed - P + k));
    } else {
        std::memmove(hist, hist + consumed, sizeof(D) * std::size_t(P - consumed));
        for (std::int64_t k = 0; k < consumed; ++k) hist[P - consumed + k] = load<D>(src, std::size_t(k));
    }
}

} // namespace veks::fir::mr
