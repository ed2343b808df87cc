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

// S names the taps calls (size, Init, SetTaps), S2 the state and the filter
// calls; they differ only for the 32s states set up with floating taps.
#define IFORM_STATE(P, S, S2)                                                                                \
    veksIIRGetStateSize##P##_##S, veksIIRGetStateSize##P##_BiQuad_##S, veksIIRInit##P##_##S,                 \
        veksIIRInit##P##_BiQuad_##S, veksIIRInitAlloc##P##_##S, veksIIRInitAlloc##P##_BiQuad_##S,            \
        veksIIRSetTaps##P##_##S, veksIIRFree##P##_##S2, veksIIRGetDlyLine##P##_##S2, veksIIRSetDlyLine##P##_##S2
#define IFORM_FLOAT_FILTER(P, S, ST, D)                                                                     \
    [](const D* s, D* d, int n, ST* st, int) { return veksIIR##P##_##S(s, d, n, st); },                    \
        [](D* sd, int n, ST* st, int) { return veksIIR##P##_##S##_I(sd, n, st); },                         \
        [](D s, D* d, ST* st, int) { return veksIIROne##P##_##S(s, d, st); }
#define IFORM_SFS_FILTER(P, S, ST, D)                                                                       \
    [](const D* s, D* d, int n, ST* st, int sf) { return veksIIR##P##_##S##_Sfs(s, d, n, st, sf); },       \
        [](D* sd, int n, ST* st, int sf) { return veksIIR##P##_##S##_ISfs(sd, n, st, sf); },               \
        [](D s, D* d, ST* st, int sf) { return veksIIROne##P##_##S##_Sfs(s, d, st, sf); }

#define IFORM2(P, S, S2, TAP, D, C, CODE, SINGLE, KIND)                                                     \
    iform::Form<TAP, D, C, VeksIIRState##P##_##S2>{#P "_" #S, CODE, SINGLE, IFORM_STATE(P, S, S2),           \
                                                  KIND(P, S2, VeksIIRState##P##_##S2, D)}
#define IFORM(P, S, TAP, D, C, CODE, SINGLE, KIND) IFORM2(P, S, S, TAP, D, C, CODE, SINGLE, KIND)

// Runs body(form) for every state form (the 32s_16s and 32sc_16sc states
// through their floating-tap Init, 32s_16s32f and 32sc_16sc32fc).
template <class Body>
void for_each_form(Body&& body) {
    body(IFORM(, 32f, Vek32f, Vek32f, Vek32f, 1, true, IFORM_FLOAT_FILTER));
    body(IFORM(, 32fc, Vek32fc, Vek32fc, Vek32f, 3, true, IFORM_FLOAT_FILTER));
    body(IFORM(, 64f, Vek64f, Vek64f, Vek64f, 13, false, IFORM_FLOAT_FILTER));
    body(IFORM(, 64fc, Vek64fc, Vek64fc, Vek64f, 15, false, IFORM_FLOAT_FILTER));
    body(IFORM(64f, 32f, Vek64f, Vek32f, Vek32f, 17, false, IFORM_FLOAT_FILTER));
    body(IFORM(64fc, 32fc, Vek64fc, Vek32fc, Vek32f, 19, false, IFORM_FLOAT_FILTER));
    body(IFORM(32f, 16s, Vek32f, Vek16s, Vek16s, 5, true, IFORM_SFS_FILTER));
    body(IFORM(32fc, 16sc, Vek32fc, Vek16sc, Vek16s, 7, true, IFORM_SFS_FILTER));
    body(IFORM2(32s, 16s32f, 16s, Vek32f, Vek16s, Vek16s, 9, true, IFORM_SFS_FILTER));
    body(IFORM2(32sc, 16sc32fc, 16sc, Vek32fc, Vek16sc, Vek16s, 11, true, IFORM_SFS_FILTER));
    body(IFORM(64f, 16s, Vek64f, Vek16s, Vek16s, 25, false, IFORM_SFS_FILTER));
    body(IFORM(64fc, 16sc, Vek64fc, Vek16sc, Vek16s, 27, false, IFORM_SFS_FILTER));
    body(IFORM(64f, 32s, Vek64f, Vek32s, Vek32s, 21, false, IFORM_SFS_FILTER));
    body(IFORM(64fc, 32sc, Vek64fc, Vek32sc, Vek32s, 23, false, IFORM_SFS_FILTER));
}

// ---- values of the form's types ---------------------------------------------------

// Complex forms filter with taps rotated by e^(i k theta) (poles rotated,
// still stable) and a complex numerator; real forms take the taps as they are.
template <class F>
using Ref = std::conditional_t<F::complex, std::complex<long double>, long double>;

template <class F>
std::vector<Ref<F>> complexify(const std::vector<double>& v, std::size_t period) {
    std::vector<Ref<F>> out(v.begin(), v.end());
    if constexpr (F::complex)
        for (std::size_t i = 0; i < v.size(); ++i) out[i] *= std::polar<long double>(1.0L, 0.3L * (i % period));
    return out;
}

template <class T, class R>
T to_api(const R& v) {
    if constexpr (std::is_same_v<R, std::complex<long double>>)
        return T{static_cast<decltype(T{}.re)>(v.real()), static_cast<decltype(T{}.re)>(v.imag())};
    else
        return static_cast<T>(v);
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
    if constexpr (std::is_arithmetic_v<T>) return {static_cast<long double>(v)};
    else if constexpr (std::is_same_v<T, std::complex<long double>>) return {v.real(), v.imag()};
    else return {static_cast<long double>(v.re), static_cast<long double>(v.im)};
}

} // namespace iform
