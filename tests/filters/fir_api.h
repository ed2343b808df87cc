// One table entry per state form, so that each property test runs over
// every form: the form's entry points with the scale factor made explicit.
#pragma once

#include <functional>
#include <string>

#include "fir_reference.h"

namespace firt {

template <class Tap, class Data, class State>
struct StateApi {
    using tap_t = Tap;
    using data_t = Data;
    using state_t = State;
    std::string name;
    VekStatus (*size)(int, int*);
    VekStatus (*init)(State**, const Tap*, int, const Data*, Vek8u*);
    VekStatus (*init_alloc)(State**, const Tap*, int, const Data*);
    VekStatus (*release)(State*);
    VekStatus (*get_taps)(const State*, Tap*);
    VekStatus (*set_taps)(const Tap*, State*);
    VekStatus (*get_dly)(const State*, Data*);
    VekStatus (*set_dly)(State*, const Data*);
    std::function<VekStatus(const Data*, Data*, int, State*)> fir;
    std::function<VekStatus(Data*, int, State*)> fir_i;
    std::function<VekStatus(Data, Data*, State*)> one;
    int code;           // single-rate identifier code
    int fft_threshold;  // taps from which the state has a transform
    bool cx;            // complex data (method limit 255)
    LD tol;             // float data: error bound relative to the product magnitudes
    int sf;             // integer data: scale factor of the calls
};

#define FIRT_FLOAT_API(S, TAP, DATA, CODE, THR, CX, TOL)                                                             \
    firt::StateApi<TAP, DATA, VeksFIRState##S> {                                                                      \
        #S, veksFIRGetStateSize##S, veksFIRInit##S, veksFIRInitAlloc##S, veksFIRFree##S, veksFIRGetTaps##S,         \
            veksFIRSetTaps##S, veksFIRGetDlyLine##S, veksFIRSetDlyLine##S,                                           \
            [](const DATA* s, DATA* d, int n, VeksFIRState##S* st) { return veksFIR##S(s, d, n, st); },              \
            [](DATA* s, int n, VeksFIRState##S* st) { return veksFIR##S##_I(s, n, st); },                            \
            [](DATA x, DATA* d, VeksFIRState##S* st) { return veksFIROne##S(x, d, st); }, CODE, THR, CX, TOL, 0       \
    }

#define FIRT_SFS_API(S, TAP, DATA, CODE, THR, CX, SF)                                                                \
    firt::StateApi<TAP, DATA, VeksFIRState##S> {                                                                      \
        #S, veksFIRGetStateSize##S, veksFIRInit##S, veksFIRInitAlloc##S, veksFIRFree##S, veksFIRGetTaps##S,         \
            veksFIRSetTaps##S, veksFIRGetDlyLine##S, veksFIRSetDlyLine##S,                                           \
            [](const DATA* s, DATA* d, int n, VeksFIRState##S* st) { return veksFIR##S##_Sfs(s, d, n, st, SF); },    \
            [](DATA* s, int n, VeksFIRState##S* st) { return veksFIR##S##_ISfs(s, n, st, SF); },                     \
            [](DATA x, DATA* d, VeksFIRState##S* st) { return veksFIROne##S##_Sfs(x, d, st, SF); }, CODE, THR, CX, 0, SF \
    }

// Owns a state made by InitAlloc.
template <class Api>
struct OwnedState {
    const Api& api;
    typename Api::state_t* s = nullptr;
    OwnedState(const Api& a, const std::vector<typename Api::tap_t>& taps, const typename Api::data_t* dly) : api(a) {
        EXPECT_EQ(api.init_alloc(&s, taps.data(), int(taps.size()), dly), vekStsOk);
    }
    ~OwnedState() {
        if (s) {
            EXPECT_EQ(api.release(s), vekStsOk);
        }
    }
};

// Checks outputs against the reference: float data within tol of the
// product magnitudes (the output's own plus the mean over the block: the
// transform's error spreads over the block), integer data within 1 of the rounded exact value.
template <class Api>
void expect_matches(const Api& api, const Reference& ref, const typename Api::data_t* got, std::size_t n,
                    const std::string& what) {
    using D = typename Api::data_t;
    LD mean_mag = 0;
    for (std::size_t k = 0; k < n; ++k) mean_mag += ref.mag[k] / LD(n);
    for (std::size_t k = 0; k < n; ++k) {
        const CL g = to_cl(got[k]);
        if constexpr (std::is_floating_point_v<decltype(to_cl(D{}).real())> &&
                      (std::is_same_v<D, Vek32f> || std::is_same_v<D, Vek64f> || std::is_same_v<D, Vek32fc> ||
                       std::is_same_v<D, Vek64fc>)) {
            const LD err = std::abs(g - ref.y[k]);
            ASSERT_LE(err, api.tol * (ref.mag[k] + mean_mag)) << what << " output " << k;
        } else {
            using P = std::conditional_t<is_cx_elem<D>::value, std::conditional_t<std::is_same_v<D, Vek16sc>, Vek16s, Vek32s>, D>;
            const LD f = std::ldexp(1.0L, -api.sf);
            const LD wr = round_away_sat<P>(ref.y[k].real() * f), wi = round_away_sat<P>(ref.y[k].imag() * f);
            ASSERT_LE(std::fabs(g.real() - wr), 1) << what << " output " << k;
            ASSERT_LE(std::fabs(g.imag() - wi), 1) << what << " output " << k;
        }
    }
}

} // namespace firt
