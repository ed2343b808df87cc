// Complex forward FFT (single and double precision) and the real forward
// and inverse FFT (single precision, Perm layout), out of place, against
// FFTW (planned with FFTW_MEASURE, with and without its SIMD codelets; r2c
// and c2r for the real transforms) on the same data.
// Names: "FFTFwd_CToC_32fc/<impl>/<N>", "FFTFwd_RToPerm_32f/...", ...
#include <cmath>
#include <memory>
#include <string>

#include "bench_util.h"
#include "transform_bench_util.h"
#include "veks.h"

namespace {

using tb::fill;
#ifdef VEKS_BENCH_HAVE_FFTW
using tb::kFftwNoSimd;
#endif

// Registers a benchmark whose setup runs once, outside the timed loop.
template <class Setup>
void add(const std::string& op, const std::string& impl, int n, Setup setup) {
    benchmark::RegisterBenchmark((op + "/" + impl + "/" + std::to_string(n)).c_str(), [setup, n](benchmark::State& st) {
        auto body = setup();
        for (auto _ : st) {
            body();
            benchmark::ClobberMemory();
        }
        // "mflops" = 5 N log2(N) per microsecond, as FFT timings are usually quoted
        st.counters["mflops"] = benchmark::Counter(5.0 * n * std::log2(static_cast<double>(n)) * 1e-6 * static_cast<double>(st.iterations()),
                                                   benchmark::Counter::kIsRate);
    })->MinTime(0.2)->UseRealTime();
}

template <class T, class C, class Spec, auto InitAlloc, auto Fwd, auto Free>
void add_veks(const std::string& op, int order) {
    add(op, "veks", 1 << order, [order] {
        const int n = 1 << order;
        Spec* spec = nullptr;
        InitAlloc(&spec, order, vekFftNormNone, vekHintDefault);
        std::shared_ptr<Spec> s(spec, [](Spec* p) { Free(p); });
        std::shared_ptr<C> src(reinterpret_cast<C*>(veksMalloc_8u(n * sizeof(C))), veksFree);
        std::shared_ptr<C> dst(reinterpret_cast<C*>(veksMalloc_8u(n * sizeof(C))), veksFree);
        std::shared_ptr<Vek8u> buf(veksMalloc_8u(1 << 20), veksFree); // covers every work size used here
        fill(reinterpret_cast<T*>(src.get()), 2 * static_cast<std::size_t>(n));
        return [s, src, dst, buf] { Fwd(src.get(), dst.get(), s.get(), buf.get()); };
    });
}

template <bool Inverse>
void add_veks_real(const std::string& op, int order) {
    add(op, "veks", 1 << order, [order] {
        const int n = 1 << order;
        VeksFFTSpec_R_32f* spec = nullptr;
        veksFFTInitAlloc_R_32f(&spec, order, vekFftNormNone, vekHintDefault);
        std::shared_ptr<VeksFFTSpec_R_32f> s(spec, [](VeksFFTSpec_R_32f* p) { veksFFTFree_R_32f(p); });
        std::shared_ptr<Vek32f> src(veksMalloc_32f(n + 2), veksFree), dst(veksMalloc_32f(n + 2), veksFree);
        std::shared_ptr<Vek8u> buf(veksMalloc_8u(1 << 20), veksFree);
        fill(src.get(), static_cast<std::size_t>(n));
        return [s, src, dst, buf] {
            if (Inverse) veksFFTInv_PermToR_32f(src.get(), dst.get(), s.get(), buf.get());
            else veksFFTFwd_RToPerm_32f(src.get(), dst.get(), s.get(), buf.get());
        };
    });
}

#ifdef VEKS_BENCH_HAVE_FFTW
using tb::FftwCase;
using tb::Fftw;

template <class T>
void add_fftw(const std::string& op, const std::string& impl, int order, unsigned flags) {
    add(op, impl, 1 << order, [order, flags] {
        auto c = std::make_shared<FftwCase<T>>(1 << order, flags);
        return [c] { Fftw<T>::run(c->plan); };
    });
}

// Real single precision: r2c (forward) or c2r (inverse). c2r overwrites its
// input; like the library's in-place use, later runs transform whatever the
// array then holds, which costs the same.
struct FftwReal {
    float* r;
    fftwf_complex* c;
    fftwf_plan plan;
    FftwReal(int n, bool inverse, unsigned flags)
        : r(fftwf_alloc_real(n + 2)), c(fftwf_alloc_complex(n / 2 + 1)),
          plan(inverse ? fftwf_plan_dft_c2r_1d(n, c, r, FFTW_MEASURE | flags) : fftwf_plan_dft_r2c_1d(n, r, c, FFTW_MEASURE | flags)) {
        fill(r, static_cast<std::size_t>(n));
        fill(reinterpret_cast<float*>(c), static_cast<std::size_t>(n + 2));
    }
    ~FftwReal() {
        fftwf_destroy_plan(plan);
        fftwf_free(r);
        fftwf_free(c);
    }
};

void add_fftw_real(const std::string& op, const std::string& impl, int order, bool inverse, unsigned flags) {
    add(op, impl, 1 << order, [order, inverse, flags] {
        auto c = std::make_shared<FftwReal>(1 << order, inverse, flags);
        return [c] { fftwf_execute(c->plan); };
    });
}
#endif

struct Registrar {
    Registrar() {
        for (int order = 6; order <= 20; ++order) {
            add_veks<float, Vek32fc, VeksFFTSpec_C_32fc, veksFFTInitAlloc_C_32fc, veksFFTFwd_CToC_32fc, veksFFTFree_C_32fc>("FFTFwd_CToC_32fc", order);
            add_veks<double, Vek64fc, VeksFFTSpec_C_64fc, veksFFTInitAlloc_C_64fc, veksFFTFwd_CToC_64fc, veksFFTFree_C_64fc>("FFTFwd_CToC_64fc", order);
#ifdef VEKS_BENCH_HAVE_FFTW
            add_fftw<float>("FFTFwd_CToC_32fc", "fftw", order, 0);
            add_fftw<float>("FFTFwd_CToC_32fc", "fftw-nosimd", order, kFftwNoSimd);
            add_fftw<double>("FFTFwd_CToC_64fc", "fftw", order, 0);
            add_fftw<double>("FFTFwd_CToC_64fc", "fftw-nosimd", order, kFftwNoSimd);
#endif
            add_veks_real<false>("FFTFwd_RToPerm_32f", order);
            add_veks_real<true>("FFTInv_PermToR_32f", order);
#ifdef VEKS_BENCH_HAVE_FFTW
            add_fftw_real("FFTFwd_RToPerm_32f", "fftw", order, false, 0);
            add_fftw_real("FFTFwd_RToPerm_32f", "fftw-nosimd", order, false, kFftwNoSimd);
            add_fftw_real("FFTInv_PermToR_32f", "fftw", order, true, 0);
            add_fftw_real("FFTInv_PermToR_32f", "fftw-nosimd", order, true, kFftwNoSimd);
#endif
        }
    }
} registrar;

} // namespace
