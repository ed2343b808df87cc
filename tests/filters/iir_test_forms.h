// The IIR state forms as a table for the tests: one record of function
// pointers per form, with the filter calls brought to one shape
// (..., state, scaleFactor) and integer taps given tapsFactor 0.
#pragma once

#include <complex>
#include <string>
#include <type_traits>
#include <vector>

#include "iir_reference.h"
#include "veks_test.h"

namespace iform {

template <class TapC, class Data, class Comp, class St>
struct Form {
    using Tap = TapC;  // what the state stores and the delay-line calls take
    using D = Data;
    using C = Comp;    // component type of the data
    using State = St;
    static constexpr bool complex = sizeof(Data) == 2 * sizeof(Comp);
    static constexpr bool integer_data = std::is_integral_v<Comp>;
    std::string name;
    int code;              // arbitrary-order code; the biquad code is code + 1
    bool single;           // single-precision computation
    VekStatus (*size)(int, int*);
    VekStatus (*size_bq)(int, int*);
    VekStatus (*init)(St**, const Tap*, int, const Tap*, Vek8u*);
    VekStatus (*init_bq)(St**, const Tap*, int, const Tap*, Vek8u*);
    VekStatus (*alloc)(St**, const Tap*, int, const Tap*);
    VekStatus (*alloc_bq)(St**, const Tap*, int, const Tap*);
    VekStatus (*set_taps)(const Tap*, St*);
    VekStatus (*free)(St*);
    VekStatus (*get_dly)(const St*, Tap*);
    VekStatus (*set_dly)(St*, const Tap*);
    VekStatus (*filter)(const Data*, Data*, int, St*, int);
    VekStatus (*filter_i)(Data*, int, St*, int);
    VekStatus (*one)(Data, Data*, St*, int);
};

#define IFORM_STATE(P, S, ST, TAP)                                                                          \
    veksIIRGetStateSize##P##_##S, veksIIRGetStateSize##P##_BiQuad_##S, veksIIRInit##P##_##S,                 \
        veksIIRInit##P##_BiQuad_##S, veksIIRInitAlloc##P##_##S, veksIIRInitAlloc##P##_BiQuad_##S,            \
        veksIIRSetTaps##P##_##S, veksIIRFree##P##_##S, veksIIRGetDlyLine##P##_##S, veksIIRSetDlyLine##P##_##S
#define IFORM_FLOAT_FILTER(P, S, ST, D)                                                                     \
    [](const D* s, D* d, int n, ST* st, int) { return veksIIR##P##_##S(s, d, n, st); },                    \
        [](D* sd, int n, ST* st, int) { return veksIIR##P##_##S##_I(sd, n, st); },                         \
        [](D s, D* d, ST* st, int) { return veksIIROne##P##_##S(s, d, st); }
#define IFORM_SFS_FILTER(P, S, ST, D)                                                                       \
    [](const D* s, D* d, int n, ST* st, int sf) { return veksIIR##P##_##S##_Sfs(s, d, n, st, sf); },       \
        [](D* sd, int n, ST* st, int sf) { return veksIIR##P##_##S##_ISfs(sd, n, st, sf); },               \
        [](D s, D* d, ST* st, int sf) { return veksIIROne##P##_##S##_Sfs(s, d, st, sf); }

// Forms whose state takes floating taps directly.
#define IFORM(P, S, ST, TAP, D, C, CODE, SINGLE, KIND)                                                      \
    iform::Form<TAP, D, C, ST> { #P "_" #S, CODE, SINGLE, IFORM_STATE(P, S, ST, TAP), KIND(P, S, ST, D) }

// Runs body(form) for every state form (the 32s_16s and 32sc_16sc states
// through their floating-tap Init, 32s_16s32f and 32sc_16sc32fc).
template <class Body>
void for_each_form(Body&& body) {
    body(IFORM(, 32f, VeksIIRState_32f, Vek32f, Vek32f, Vek32f, 1, true, IFORM_FLOAT_FILTER));
    body(IFORM(, 32fc, VeksIIRState_32fc, Vek32fc, Vek32fc, Vek32f, 3, true, IFORM_FLOAT_FILTER));
    body(IFORM(, 64f, VeksIIRState_64f, Vek64f, Vek64f, Vek64f, 13, false, IFORM_FLOAT_FILTER));
    body(IFORM(, 64fc, VeksIIRState_64fc, Vek64fc, Vek64fc, Vek64f, 15, false, IFORM_FLOAT_FILTER));
    body(IFORM(64f, 32f, VeksIIRState64f_32f, Vek64f, Vek32f, Vek32f, 17, false, IFORM_FLOAT_FILTER));
    body(IFORM(64fc, 32fc, VeksIIRState64fc_32fc, Vek64fc, Vek32fc, Vek32f, 19, false, IFORM_FLOAT_FILTER));
    body(IFORM(32f, 16s, VeksIIRState32f_16s, Vek32f, Vek16s, Vek16s, 5, true, IFORM_SFS_FILTER));
    body(IFORM(32fc, 16sc, VeksIIRState32fc_16sc, Vek32fc, Vek16sc, Vek16s, 7, true, IFORM_SFS_FILTER));
    body(iform::Form<Vek32f, Vek16s, Vek16s, VeksIIRState32s_16s>{
        "32s_16s32f", 9, true, veksIIRGetStateSize32s_16s32f, veksIIRGetStateSize32s_BiQuad_16s32f,
        veksIIRInit32s_16s32f, veksIIRInit32s_BiQuad_16s32f, veksIIRInitAlloc32s_16s32f,
        veksIIRInitAlloc32s_BiQuad_16s32f, veksIIRSetTaps32s_16s32f, veksIIRFree32s_16s, veksIIRGetDlyLine32s_16s,
        veksIIRSetDlyLine32s_16s, IFORM_SFS_FILTER(32s, 16s, VeksIIRState32s_16s, Vek16s)});
    body(iform::Form<Vek32fc, Vek16sc, Vek16s, VeksIIRState32sc_16sc>{
        "32sc_16sc32fc", 11, true, veksIIRGetStateSize32sc_16sc32fc, veksIIRGetStateSize32sc_BiQuad_16sc32fc,
        veksIIRInit32sc_16sc32fc, veksIIRInit32sc_BiQuad_16sc32fc, veksIIRInitAlloc32sc_16sc32fc,
        veksIIRInitAlloc32sc_BiQuad_16sc32fc, veksIIRSetTaps32sc_16sc32fc, veksIIRFree32sc_16sc,
        veksIIRGetDlyLine32sc_16sc, veksIIRSetDlyLine32sc_16sc, IFORM_SFS_FILTER(32sc, 16sc, VeksIIRState32sc_16sc, Vek16sc)});
    body(IFORM(64f, 16s, VeksIIRState64f_16s, Vek64f, Vek16s, Vek16s, 25, false, IFORM_SFS_FILTER));
    body(IFORM(64fc, 16sc, VeksIIRState64fc_16sc, Vek64fc, Vek16sc, Vek16s, 27, false, IFORM_SFS_FILTER));
    body(IFORM(64f, 32s, VeksIIRState64f_32s, Vek64f, Vek32s, Vek32s, 21, false, IFORM_SFS_FILTER));
    body(IFORM(64fc, 32sc, VeksIIRState64fc_32sc, Vek64fc, Vek32sc, Vek32s, 23, false, IFORM_SFS_FILTER));
}

// ---- values of the form's types ---------------------------------------------------

// Complex forms filter with taps rotated by e^(i k theta) (poles rotated,
// still stable) and a complex numerator; real forms take the taps as they are.
template <class F>
using Ref = std::conditional_t<F::complex, std::complex<long double>, long double>;

template <class F>
std::vector<Ref<F>> complexify(const std::vector<double>& v, std::size_t period) {
    std::vector<Ref<F>> out(v.size());
    for (std::size_t i = 0; i < v.size(); ++i) {
        if constexpr (F::complex)
            out[i] = std::polar<long double>(1.0L, 0.3L * static_cast<long double>(i % period)) * static_cast<long double>(v[i]);
        else
            out[i] = v[i];
    }
    return out;
}

// A random signal of the form's reference type with components in [-amp, amp].
template <class F>
std::vector<Ref<F>> random_signal(std::size_t n, vt::Rng& rng, double amp) {
    std::vector<Ref<F>> x(n);
    for (auto& v : x) {
        if constexpr (F::complex) v = Ref<F>(rng.real(-amp, amp), rng.real(-amp, amp));
        else v = rng.real(-amp, amp);
    }
    return x;
}

template <class T, class R>
T to_api(const R& v) {
    if constexpr (std::is_same_v<R, std::complex<long double>>) {
        using P = decltype(T{}.re);
        return T{static_cast<P>(v.real()), static_cast<P>(v.imag())};
    } else {
        return static_cast<T>(v);
    }
}

template <class R, class T>
R from_api(const T& v) {
    if constexpr (std::is_same_v<R, std::complex<long double>>) return R(v.re, v.im);
    else return static_cast<R>(v);
}

template <class T, class R>
std::vector<T> to_api_all(const std::vector<R>& v) {
    std::vector<T> out;
    for (const auto& e : v) out.push_back(to_api<T>(e));
    return out;
}

// Components of a value, for element-wise comparison.
template <class T>
std::vector<long double> parts(const T& v) {
    if constexpr (std::is_arithmetic_v<T> || std::is_same_v<T, long double>) return {static_cast<long double>(v)};
    else if constexpr (std::is_same_v<T, std::complex<long double>>) return {v.real(), v.imag()};
    else return {static_cast<long double>(v.re), static_cast<long double>(v.im)};
}

} // namespace iform
