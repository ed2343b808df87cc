// Complex forward DFT of lengths that are not powers of two (and mixed
// ones), single and double precision, out of place, against FFTW (planned
// with FFTW_MEASURE, with and without its SIMD codelets) on the same data.
// Each benchmark also reports "rel_rms", the relative RMS error of its
// result against a long double reference transform of the same input.
// Names: "DFTFwd_CToC_32fc/<impl>/<N>", "DFTFwd_CToC_64fc/<impl>/<N>".
#include <cmath>
#include <complex>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "bench_util.h"
#include "transform_bench_util.h"
#include "veks.h"

namespace {

using cld = std::complex<long double>;
constexpr long double kTwoPi = 6.283185307179586476925286766559005768L;

const int kLengths[] = {12, 60, 100, 243, 1000, 1536, 1009, 10007, 100000};

using tb::fill;
#ifdef VEKS_BENCH_HAVE_FFTW
using tb::kFftwNoSimd;
#endif

// Long double reference: split by the smallest prime factor, direct sums
// for prime lengths.
void ref_dft(const cld* x, std::size_t n, std::size_t stride, cld* out) {
    std::size_t p = 2;
    while (p * p <= n && n % p) ++p;
    if (p * p > n) p = n;
    if (p == n) {
        for (std::size_t k = 0; k < n; ++k) {
            long double re = 0, im = 0;
            for (std::size_t j = 0; j < n; ++j) {
                const long double a = -kTwoPi * static_cast<long double>((j * k) % n) / static_cast<long double>(n);
                const long double c = std::cos(a), s = std::sin(a);
                re += x[j * stride].real() * c - x[j * stride].imag() * s;
                im += x[j * stride].real() * s + x[j * stride].imag() * c;
            }
            out[k] = cld(re, im);
        }
        return;
    }
    const std::size_t m = n / p;
    std::vector<cld> sub(n);
    for (std::size_t r = 0; r < p; ++r) ref_dft(x + r * stride, m, stride * p, sub.data() + r * m);
    for (std::size_t k = 0; k < n; ++k) {
        cld acc = 0;
        for (std::size_t r = 0; r < p; ++r) {
            const long double a = -kTwoPi * static_cast<long double>((r * k) % n) / static_cast<long double>(n);
            acc += sub[r * m + k % m] * cld(std::cos(a), std::sin(a));
        }
        out[k] = acc;
    }
}

const std::vector<cld>& reference(int n) {
    static std::mutex mu;
    static std::map<int, std::vector<cld>> cache;
    const std::lock_guard<std::mutex> lock(mu);
    auto it = cache.find(n);
    if (it != cache.end()) return it->second;
    std::vector<double> x(2 * static_cast<std::size_t>(n));
    fill(x.data(), x.size());
    std::vector<cld> in(n), out(n);
    for (int i = 0; i < n; ++i) in[i] = cld(x[2 * i], x[2 * i + 1]);
    ref_dft(in.data(), n, 1, out.data());
    return cache.emplace(n, std::move(out)).first->second;
}

// Relative RMS error of an interleaved result (the input came from fill(),
// which is exact in single precision too up to its rounding to T).
template <class T> double rel_rms(const T* y, int n) {
    const std::vector<cld>& want = reference(n);
    long double num = 0, den = 0;
    for (int k = 0; k < n; ++k) {
        num += std::norm(cld(y[2 * k], y[2 * k + 1]) - want[k]);
        den += std::norm(want[k]);
    }
    return static_cast<double>(std::sqrt(num / den));
}

// Registers a benchmark whose setup runs once, outside the timed loop; the
// setup returns the timed body and the accuracy of its result.
template <class Setup>
void add(const std::string& op, const std::string& impl, int n, Setup setup) {
    benchmark::RegisterBenchmark((op + "/" + impl + "/" + std::to_string(n)).c_str(), [setup, n](benchmark::State& st) {
        double err = 0;
        auto body = setup(err);
        for (auto _ : st) {
            body();
            benchmark::ClobberMemory();
        }
        st.counters["rel_rms"] = err;
        st.counters["mflops"] = benchmark::Counter(5.0 * n * std::log2(static_cast<double>(n)) * 1e-6 * static_cast<double>(st.iterations()),
                                                   benchmark::Counter::kIsRate);
    })->MinTime(0.2)->UseRealTime();
}

template <class T, class C, class Spec, auto InitAlloc, auto BufSize, auto Fwd, auto Free>
void add_veks(const std::string& op, int n) {
    add(op, "veks", n, [n](double& err) {
        Spec* spec = nullptr;
        InitAlloc(&spec, n, vekFftNormNone, vekHintDefault);
        std::shared_ptr<Spec> s(spec, [](Spec* p) { Free(p); });
        int bytes = 0;
        BufSize(spec, &bytes);
        std::shared_ptr<C> src(reinterpret_cast<C*>(veksMalloc_8u(n * sizeof(C))), veksFree);
        std::shared_ptr<C> dst(reinterpret_cast<C*>(veksMalloc_8u(n * sizeof(C))), veksFree);
        std::shared_ptr<Vek8u> buf(veksMalloc_8u(bytes > 0 ? bytes : 1), veksFree);
        fill(reinterpret_cast<T*>(src.get()), 2 * static_cast<std::size_t>(n));
        Fwd(src.get(), dst.get(), s.get(), buf.get());
        err = rel_rms(reinterpret_cast<const T*>(dst.get()), n);
        return [s, src, dst, buf] { Fwd(src.get(), dst.get(), s.get(), buf.get()); };
    });
}

#ifdef VEKS_BENCH_HAVE_FFTW
using tb::FftwCase;
using tb::Fftw;

template <class T>
void add_fftw(const std::string& op, const std::string& impl, int n, unsigned flags) {
    add(op, impl, n, [n, flags](double& err) {
        auto c = std::make_shared<FftwCase<T>>(n, flags);
        Fftw<T>::run(c->plan);
        err = rel_rms(reinterpret_cast<const T*>(c->out), n);
        return [c] { Fftw<T>::run(c->plan); };
    });
}
#endif

struct Registrar {
    Registrar() {
        for (int n : kLengths) {
            add_veks<float, Vek32fc, VeksDFTSpec_C_32fc, veksDFTInitAlloc_C_32fc, veksDFTGetBufSize_C_32fc, veksDFTFwd_CToC_32fc,
                     veksDFTFree_C_32fc>("DFTFwd_CToC_32fc", n);
            add_veks<double, Vek64fc, VeksDFTSpec_C_64fc, veksDFTInitAlloc_C_64fc, veksDFTGetBufSize_C_64fc, veksDFTFwd_CToC_64fc,
                     veksDFTFree_C_64fc>("DFTFwd_CToC_64fc", n);
#ifdef VEKS_BENCH_HAVE_FFTW
            add_fftw<float>("DFTFwd_CToC_32fc", "fftw", n, 0);
            add_fftw<float>("DFTFwd_CToC_32fc", "fftw-nosimd", n, kFftwNoSimd);
            add_fftw<double>("DFTFwd_CToC_64fc", "fftw", n, 0);
            add_fftw<double>("DFTFwd_CToC_64fc", "fftw-nosimd", n, kFftwNoSimd);
#endif
        }
    }
} registrar;

} // namespace
