// Fuzz target of the filters: the generated rows, and rows that build a FIR,
// IIR or wavelet state from drawn arguments (Init at any offset, or
// InitAlloc) and run drawn calls on it or on a foreign or freed state.
#include <algorithm>

#include "fuzz_support.h"

namespace fz {
namespace {

// A Block of exactly `count` drawn elements (none when count < 1).
template <class T> struct Exact : Block {
    T* p;
    Exact(FuzzedDataProvider& in, long long count)
        : Block(count > 0 ? std::size_t(count) * sizeof(T) : 0, in.ConsumeIntegralInRange<std::size_t>(0, 7)),
          p(reinterpret_cast<T*>(data)) {
        for (std::size_t i = 0; i < bytes; i += sizeof(T)) {
            const T v = draw(in);
            std::memcpy(data + i, &v, sizeof(T));
        }
        snapshot();
    }
    static T draw(FuzzedDataProvider& in) {
        if constexpr (std::is_floating_point_v<T>)
            return in.ConsumeBool() ? T(in.ConsumeIntegralInRange(-4, 4)) * T(0.25) : in.ConsumeFloatingPoint<T>();
        else if constexpr (std::is_integral_v<T>)
            return in.ConsumeIntegral<T>();
        else  // complex: two parts drawn in order
            return T{Exact<decltype(T::re)>::draw(in), Exact<decltype(T::im)>::draw(in)};
    }
};

// A documented status that is `ok`, every source kept, every output kept after an error.
void check(const char* fn, VekStatus st, bool ok, std::initializer_list<bool> sources_kept = {},
           std::initializer_list<bool> outputs_kept = {}) {
    if (!documented_status(st)) fail(fn, "undocumented status", st);
    if (!ok) fail(fn, "unexpected status", st);
    for (bool kept : sources_kept)
        if (!kept) fail(fn, "a source was written", st);
    for (bool kept : outputs_kept)
        if (st != vekStsOk && !kept) fail(fn, "an error wrote an output", st);
}
void expect_status(const char* fn, VekStatus st, VekStatus want) { check(fn, st, st == want); }

// A count below 1, a long one in [lo, hi] or a short one in [1, short_hi].
int drawn_count(FuzzedDataProvider& in, int lo, int hi, int short_hi = 16) {
    switch (in.ConsumeIntegralInRange(0, 5)) {
    case 0: return in.PickValueInArray({0, -1, INT_MIN});
    case 1: return in.ConsumeIntegralInRange(lo, hi);
    default: return in.ConsumeIntegralInRange(1, short_hi);
    }
}
int operand_len(FuzzedDataProvider& in) { return drawn_count(in, 300, 5000, 64); }

// ---- FIR states (Vek32f; multirate when a factor is above 1) ---------------
void fir_state_32f(Call& c) {
    FuzzedDataProvider& in = c.input();
    const int L = drawn_count(in, 1, 1 << 20, 300);
    const bool mr = in.ConsumeBool();
    const int up = mr ? in.ConsumeIntegralInRange(-1, 7) : 1, down = mr ? in.ConsumeIntegralInRange(-1, 7) : 1;
    const int upPhase = mr ? in.ConsumeIntegralInRange(-1, 7) : 0, downPhase = mr ? in.ConsumeIntegralInRange(-1, 7) : 0;
    int size = 0;
    VekStatus st = mr ? veksFIRMRGetStateSize_32f(L, up, down, &size) : veksFIRGetStateSize_32f(L, &size);
    check("FIRGetStateSize_32f", st, st != vekStsOk || (L >= 1 && up >= 1 && down >= 1));
    if (st != vekStsOk || L > 4000) return;
    const int P = mr ? (L + up - 1) / up : L;
    Exact<Vek32f> taps(in, L), dly(in, P);
    const bool good_phases = upPhase >= 0 && upPhase < up && downPhase >= 0 && downPhase < down;
    const bool alloc = in.ConsumeBool();
    Vek8u* mem = c.drawn_memory(size);
    VeksFIRState_32f* s = nullptr;
    const Vek32f* d = in.ConsumeBool() ? dly.p : nullptr;
    if (alloc)
        st = mr ? veksFIRMRInitAlloc_32f(&s, taps.p, L, up, upPhase, down, downPhase, d)
                : veksFIRInitAlloc_32f(&s, taps.p, L, d);
    else
        st = mr ? veksFIRMRInit_32f(&s, taps.p, L, up, upPhase, down, downPhase, d, mem)
                : veksFIRInit_32f(&s, taps.p, L, d, mem);
    check("FIRInit_32f", st, st == vekStsOk || !good_phases, {taps.unchanged(), dly.unchanged()});
    if (st != vekStsOk) return;
    const bool single = !mr || (up == 1 && down == 1);
    // Valid or foreign: Free leaves a state in caller memory alone, so no freed one.
    const int who = in.ConsumeIntegralInRange(0, 5);
    VeksFIRState_32f* use = who ? s : static_cast<VeksFIRState_32f*>(c.keep(std::calloc(std::size_t(size) + 64, 1)));
    const VekStatus good = who >= 1 ? vekStsOk : vekStsBadContext;
    for (int op = in.ConsumeIntegralInRange(1, 8); op > 0 && in.remaining_bytes() > 0; --op) {
        const int kind = in.ConsumeIntegralInRange(0, 6);
        if (kind <= 1) {
            const int iters = in.ConsumeBool() ? in.ConsumeIntegralInRange(-1, 40) : in.ConsumeIntegralInRange(1, 2200);
            const long long k = std::max(iters, 0), n_in = k * (single ? 1 : down), n_out = k * (single ? 1 : up);
            const bool in_place = kind == 1 && n_in == n_out;
            Exact<Vek32f> src(in, n_in), dst(in, in_place ? 0 : n_out);
            st = in_place ? veksFIR_32f_I(src.p, iters, use) : veksFIR_32f(src.p, dst.p, iters, use);
            const bool ok = st == (iters < 1 ? vekStsBadLength : good);
            check("FIR_32f", st, ok, {in_place || src.unchanged()}, {src.unchanged(), dst.unchanged()});
        } else if (kind == 2) {
            Vek32f y = 7;
            st = veksFIROne_32f(Exact<Vek32f>::draw(in), &y, use);
            check("FIROne_32f", st, st == (single ? good : vekStsBadContext), {}, {y == 7});
        } else {
            // taps (get, set) or delay line (get, set; a null line clears it)
            Exact<Vek32f> t(in, kind <= 4 ? L : P);
            if (kind == 3) st = veksFIRGetTaps_32f(use, t.p);
            if (kind == 4) st = veksFIRSetTaps_32f(t.p, use);
            if (kind == 5) st = veksFIRGetDlyLine_32f(use, t.p);
            if (kind == 6) st = veksFIRSetDlyLine_32f(use, in.ConsumeBool() ? t.p : nullptr);
            check("FIR taps or delay line", st, st == good, {kind == 3 || kind == 5 || t.unchanged()}, {t.unchanged()});
        }
    }
    expect_status("FIRFree_32f", veksFIRFree_32f(s), vekStsOk);
}

// ---- IIR states (Vek32f; arbitrary order or biquads) -----------------------
void iir_state_32f(Call& c) {
    FuzzedDataProvider& in = c.input();
    const bool bq = in.ConsumeBool();
    const int order = drawn_count(in, 1, 1 << 20, 24);
    int size = 0;
    VekStatus st = bq ? veksIIRGetStateSize_BiQuad_32f(order, &size) : veksIIRGetStateSize_32f(order, &size);
    check("IIRGetStateSize_32f", st, st != vekStsOk || order >= 1);
    if (st != vekStsOk || order > 200) return;
    const int ntaps = bq ? 6 * order : 2 * (order + 1), ndly = bq ? 2 * order : order;
    Exact<Vek32f> taps(in, ntaps), dly(in, ndly);
    const bool alloc = in.ConsumeBool();
    Vek8u* mem = c.drawn_memory(size);
    VeksIIRState_32f* s = nullptr;
    const Vek32f* d = in.ConsumeBool() ? dly.p : nullptr;
    if (alloc)
        st = bq ? veksIIRInitAlloc_BiQuad_32f(&s, taps.p, order, d) : veksIIRInitAlloc_32f(&s, taps.p, order, d);
    else
        st = bq ? veksIIRInit_BiQuad_32f(&s, taps.p, order, d, mem) : veksIIRInit_32f(&s, taps.p, order, d, mem);
    check("IIRInit_32f", st, st == vekStsOk || st == vekStsDivByZeroError);
    if (st != vekStsOk) return;
    const int who = in.ConsumeIntegralInRange(0, 5);
    VeksIIRState_32f* use = who ? s : static_cast<VeksIIRState_32f*>(c.keep(std::calloc(std::size_t(size) + 64, 1)));
    if (who == 1 && !alloc) veksIIRFree_32f(s);
    const bool valid = who >= 2 || (who == 1 && alloc);
    const VekStatus good = valid ? vekStsOk : vekStsBadContext;
    for (int op = in.ConsumeIntegralInRange(1, 8); op > 0 && in.remaining_bytes() > 0; --op) {
        const int kind = in.ConsumeIntegralInRange(0, 4);
        if (kind <= 1) {
            const int len = in.ConsumeBool() ? in.ConsumeIntegralInRange(-1, 40) : in.ConsumeIntegralInRange(1, 3000);
            Exact<Vek32f> src(in, len), dst(in, len);
            st = kind == 0 ? veksIIR_32f(src.p, dst.p, len, use) : veksIIR_32f_I(src.p, len, use);
            const bool ok = st == (len < 1 ? vekStsBadLength : good) || (len < 1 && st == vekStsBadContext) ||
                            (!valid && st == vekStsBadLength);
            check("IIR_32f", st, ok, {kind == 1 || src.unchanged()}, {dst.unchanged(), src.unchanged()});
        } else if (kind == 2) {
            Exact<Vek32f> t(in, ntaps);
            st = veksIIRSetTaps_32f(t.p, use);
            check("IIRSetTaps_32f", st, st == good || (valid && st == vekStsDivByZeroError));
        } else {
            Exact<Vek32f> dl(in, ndly);
            st = kind == 3 ? veksIIRGetDlyLine_32f(use, dl.p)
                           : veksIIRSetDlyLine_32f(use, in.ConsumeBool() ? dl.p : nullptr);
            check("IIR delay line", st, st == good, {}, {dl.unchanged()});
        }
    }
    if (!(who == 1 && !alloc)) expect_status("IIRFree_32f", veksIIRFree_32f(s), vekStsOk);
    if (!alloc) expect_status("IIRFree_32f of a freed state", veksIIRFree_32f(s), vekStsBadContext);
}

// ---- wavelet states (InitAlloc only) ---------------------------------------
void wavelet_states_32f(Call& c) {
    FuzzedDataProvider& in = c.input();
    const int lenLow = drawn_count(in, 1, 4000, 20);
    const int lenHigh = drawn_count(in, 1, 4000, 20);
    const int offsLow = in.ConsumeIntegralInRange(-2, 24), offsHigh = in.ConsumeIntegralInRange(-2, 24);
    Exact<Vek32f> low(in, lenLow), high(in, lenHigh);
    const bool inverse = in.ConsumeBool();
    VeksWTFwdState_32f* fwd = nullptr;
    VeksWTInvState_32f* inv = nullptr;
    VekStatus st = inverse ? veksWTInvInitAlloc_32f(&inv, low.p, lenLow, offsLow, high.p, lenHigh, offsHigh)
                           : veksWTFwdInitAlloc_32f(&fwd, low.p, lenLow, offsLow, high.p, lenHigh, offsHigh);
    const bool good = lenLow >= 1 && lenHigh >= 1 && offsLow >= -1 && offsHigh >= -1;
    check("WTInitAlloc_32f", st, good == (st == vekStsOk));
    if (st != vekStsOk) return;
    for (int op = in.ConsumeIntegralInRange(1, 6); op > 0 && in.remaining_bytes() > 0; --op) {
        const int kind = in.ConsumeIntegralInRange(0, 2);
        const int len = in.ConsumeBool() ? in.ConsumeIntegralInRange(-1, 40) : in.ConsumeIntegralInRange(1, 2000);
        const long long n = std::max(len, 0);
        if (kind == 0) {
            Exact<Vek32f> a(in, inverse ? n : 2 * n), b(in, n), d(in, inverse ? 2 * n : n);
            st = inverse ? veksWTInv_32f(a.p, b.p, len, d.p, inv) : veksWTFwd_32f(a.p, b.p, d.p, len, fwd);
            const bool ok = st == (len < 1 ? vekStsBadLength : vekStsOk);
            check("WT_32f", st, ok, {a.unchanged(), !inverse || b.unchanged()});
        } else {
            // Exact sizes: forward max(0, L - 1 + o) inputs, inverse (L + o) / 2 values.
            auto band = [inverse](int L, int o) { return inverse ? (L + o) / 2 : std::max(0, L - 1 + o); };
            Exact<Vek32f> dl(in, band(lenLow, offsLow)), dh(in, band(lenHigh, offsHigh));
            if (kind == 1)
                st = inverse ? veksWTInvGetDlyLine_32f(inv, dl.p, dh.p) : veksWTFwdGetDlyLine_32f(fwd, dl.p, dh.p);
            else
                st = inverse ? veksWTInvSetDlyLine_32f(inv, dl.p, dh.p) : veksWTFwdSetDlyLine_32f(fwd, dl.p, dh.p);
            expect_status("WTDlyLine_32f", st, vekStsOk);
        }
    }
    st = inverse ? veksWTFwdFree_32f(reinterpret_cast<VeksWTFwdState_32f*>(inv))
                 : veksWTInvFree_32f(reinterpret_cast<VeksWTInvState_32f*>(fwd));
    expect_status("WTFree_32f of the other kind", st, vekStsBadContext);
    expect_status("WTFree_32f", inverse ? veksWTInvFree_32f(inv) : veksWTFwdFree_32f(fwd), vekStsOk);
}

// ---- convolution and correlation: two lengths and a lag window -------------
// Operands of two drawn lengths; `call` adds any trailing arguments.
template <class T, class F> void conv(Call& c, const char* fn, F call) {
    FuzzedDataProvider& in = c.input();
    const int la = operand_len(in), lb = operand_len(in);
    Exact<T> a(in, la), b(in, lb), d(in, la > 0 && lb > 0 ? (long long)la + lb - 1 : 0);
    const VekStatus st = call(a.p, la, b.p, lb, d.p);
    const bool bad_len = la < 1 || lb < 1;
    const bool ok = st == (bad_len ? vekStsBadLength : vekStsOk) || (st == vekStsNullPtr && bad_len);
    check(fn, st, ok, {a.unchanged(), b.unchanged()}, {d.unchanged()});
}
void conv_32f(Call& c) { conv<Vek32f>(c, "Conv_32f", veksConv_32f); }
void conv_16s(Call& c) {
    conv<Vek16s>(c, "Conv_16s_Sfs", [&](auto... a) { return veksConv_16s_Sfs(a..., interesting_int(c.input())); });
}

template <class T, VekStatus (*Cross)(const T*, int, const T*, int, T*, int, int)>
void cross_corr(Call& c) {
    FuzzedDataProvider& in = c.input();
    const int la = operand_len(in), lb = operand_len(in), nd = operand_len(in);
    const int lag = in.ConsumeBool() ? in.ConsumeIntegralInRange(-6000, 6000) : interesting_int(in);
    Exact<T> a(in, la), b(in, lb), d(in, nd);
    const VekStatus st = Cross(a.p, la, b.p, lb, d.p, nd, lag);
    const bool ok = st != vekStsOk || (la >= 1 && lb >= 1 && nd >= 1);
    check("CrossCorr", st, ok, {a.unchanged(), b.unchanged()}, {d.unchanged()});
}

template <class T, VekStatus (*Auto)(const T*, int, T*, int)> void auto_corr(Call& c) {
    FuzzedDataProvider& in = c.input();
    const int ls = operand_len(in), nd = operand_len(in);
    Exact<T> a(in, ls), d(in, nd);
    const VekStatus st = Auto(a.p, ls, d.p, nd);
    check("AutoCorr", st, st != vekStsOk || (ls >= 1 && nd >= 1), {a.unchanged()}, {d.unchanged()});
}

} // namespace
} // namespace fz

namespace {
const fz::Entry kTable[] = {
    {"FIR state 32f", fz::fir_state_32f},
    {"IIR state 32f", fz::iir_state_32f},
    {"wavelet states 32f", fz::wavelet_states_32f},
    {"Conv_32f", fz::conv_32f},
    {"Conv_16s_Sfs", fz::conv_16s},
    {"CrossCorr_32f", fz::cross_corr<Vek32f, veksCrossCorr_32f>},
    {"CrossCorr_64fc", fz::cross_corr<Vek64fc, veksCrossCorr_64fc>},
    {"AutoCorr_32f", fz::auto_corr<Vek32f, veksAutoCorr_32f>},
    {"AutoCorr_NormB_32fc", fz::auto_corr<Vek32fc, veksAutoCorr_NormB_32fc>},
#include FUZZ_TABLE
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fz::run_table(kTable, data, size);
}
