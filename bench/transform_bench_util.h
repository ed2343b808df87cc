// The FFTW 3 side of the transform benchmarks (a speed reference only) and
// the signal both sides transform.
#pragma once

#include <cmath>
#include <cstddef>

#ifdef VEKS_BENCH_HAVE_FFTW
#include <fftw3.h>
#endif

namespace tb {

template <class T> void fill(T* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) p[i] = static_cast<T>(std::sin(0.37 * static_cast<double>(i)) + 0.25);
}

#ifdef VEKS_BENCH_HAVE_FFTW
constexpr unsigned kFftwNoSimd = 1U << 17; // FFTW_NO_SIMD

template <class T> struct Fftw;
template <> struct Fftw<float> {
    using plan = fftwf_plan;
    using cplx = fftwf_complex;
    static cplx* alloc(int n) { return fftwf_alloc_complex(n); }
    static void release(void* p) { fftwf_free(p); }
    static plan make(int n, cplx* i, cplx* o, unsigned f) { return fftwf_plan_dft_1d(n, i, o, FFTW_FORWARD, f); }
    static void run(plan p) { fftwf_execute(p); }
    static void destroy(plan p) { fftwf_destroy_plan(p); }
};
template <> struct Fftw<double> {
    using plan = fftw_plan;
    using cplx = fftw_complex;
    static cplx* alloc(int n) { return fftw_alloc_complex(n); }
    static void release(void* p) { fftw_free(p); }
    static plan make(int n, cplx* i, cplx* o, unsigned f) { return fftw_plan_dft_1d(n, i, o, FFTW_FORWARD, f); }
    static void run(plan p) { fftw_execute(p); }
    static void destroy(plan p) { fftw_destroy_plan(p); }
};

template <class T>
struct FftwCase {
    using F = Fftw<T>;
    typename F::cplx* in;
    typename F::cplx* out;
    typename F::plan plan;
    FftwCase(int n, unsigned flags) : in(F::alloc(n)), out(F::alloc(n)), plan(F::make(n, in, out, FFTW_MEASURE | flags)) {
        fill(reinterpret_cast<T*>(in), 2 * static_cast<std::size_t>(n)); // planning overwrote the arrays
    }
    ~FftwCase() {
        F::destroy(plan);
        F::release(in);
        F::release(out);
    }
};

#endif

} // namespace tb
