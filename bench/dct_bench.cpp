// Forward DCT (single precision, out of place, caller work buffer) against
// FFTW's REDFT10 (planned with FFTW_MEASURE, with and without its SIMD
// codelets), and the Goertzel bin against the classic second-order loop.
// Names: "DCTFwd_32f/<impl>/<N>" (default hint), "DCTFwd_32f_precision/..."
// (the precision hint), "Goertz_32f/<impl>/<len>".
#include <cmath>
#include <memory>
#include <string>

#include "bench_util.h"
#include "veks.h"

#ifdef VEKS_BENCH_HAVE_FFTW
#include <fftw3.h>
#endif

namespace {

constexpr unsigned kFftwNoSimd = 1U << 17; // FFTW_NO_SIMD

void fill(float* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) p[i] = static_cast<float>(std::sin(0.37 * static_cast<double>(i)) + 0.25);
}

// Registers a benchmark whose setup runs once, outside the timed loop.
template <class Setup>
void add(const std::string& op, const std::string& impl, int n, Setup setup) {
    benchmark::RegisterBenchmark((op + "/" + impl + "/" + std::to_string(n)).c_str(), [setup](benchmark::State& st) {
        auto body = setup();
        for (auto _ : st) {
            body();
            benchmark::ClobberMemory();
        }
    })->MinTime(0.2)->UseRealTime();
}

void add_veks_dct(const std::string& op, int n, int hint) {
    add(op, "veks", n, [n, hint] {
        VeksDCTFwdSpec_32f* spec = nullptr;
        veksDCTFwdInitAlloc_32f(&spec, n, hint);
        std::shared_ptr<VeksDCTFwdSpec_32f> s(spec, [](VeksDCTFwdSpec_32f* p) { veksDCTFwdFree_32f(p); });
        int bytes = 0;
        veksDCTFwdGetBufSize_32f(spec, &bytes);
        std::shared_ptr<Vek8u> buf(bytes ? veksMalloc_8u(bytes) : nullptr, veksFree);
        std::shared_ptr<Vek32f> src(veksMalloc_32f(n), veksFree), dst(veksMalloc_32f(n), veksFree);
        fill(src.get(), static_cast<std::size_t>(n));
        return [s, buf, src, dst] { veksDCTFwd_32f(src.get(), dst.get(), s.get(), buf.get()); };
    });
}

#ifdef VEKS_BENCH_HAVE_FFTW
struct FftwDct {
    float* in;
    float* out;
    fftwf_plan plan;
    FftwDct(int n, unsigned flags)
        : in(fftwf_alloc_real(n)), out(fftwf_alloc_real(n)),
          plan(fftwf_plan_r2r_1d(n, in, out, FFTW_REDFT10, FFTW_MEASURE | flags)) {
        fill(in, static_cast<std::size_t>(n)); // planning overwrote the arrays
    }
    ~FftwDct() {
        fftwf_destroy_plan(plan);
        fftwf_free(in);
        fftwf_free(out);
    }
};

void add_fftw_dct(const std::string& op, const std::string& impl, int n, unsigned flags) {
    add(op, impl, n, [n, flags] {
        auto c = std::make_shared<FftwDct>(n, flags);
        return [c] { fftwf_execute(c->plan); };
    });
}
#endif

// The textbook single-bin loop: s = x + 2 cos(theta) s1 - s2 in double,
// then the bin from the last two states, rotated to the same phase
// reference as the library's sum.
void plain_goertzel(const float* x, int len, double f, Vek32fc* out) {
    const double theta = 6.283185307179586 * f, c = std::cos(theta), coeff = 2 * c;
    double s1 = 0, s2 = 0;
    for (int n = 0; n < len; ++n) {
        const double s = x[n] + coeff * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    // y = s1 - e^(-i theta) s2 is the bin times e^(i theta (len - 1)).
    const double yr = s1 - c * s2, yi = std::sin(theta) * s2;
    const double pr = std::cos(theta * (len - 1)), pi = -std::sin(theta * (len - 1));
    out->re = static_cast<float>(yr * pr - yi * pi);
    out->im = static_cast<float>(yr * pi + yi * pr);
}

void add_goertz(int len) {
    const float f = 0.1234f;
    add("Goertz_32f", "veks", len, [len, f] {
        auto x = std::make_shared<std::vector<float>>(static_cast<std::size_t>(len));
        fill(x->data(), x->size());
        auto out = std::make_shared<Vek32fc>();
        return [x, out, len, f] { veksGoertz_32f(x->data(), len, out.get(), f); };
    });
    add("Goertz_32f", "plain", len, [len, f] {
        auto x = std::make_shared<std::vector<float>>(static_cast<std::size_t>(len));
        fill(x->data(), x->size());
        auto out = std::make_shared<Vek32fc>();
        return [x, out, len, f] { plain_goertzel(x->data(), len, f, out.get()); };
    });
}

struct Registrar {
    Registrar() {
        for (int n : {8, 64, 100, 256, 1000, 1024, 4096}) {
            add_veks_dct("DCTFwd_32f", n, vekHintDefault);
#ifdef VEKS_BENCH_HAVE_FFTW
            add_fftw_dct("DCTFwd_32f", "fftw", n, 0);
            add_fftw_dct("DCTFwd_32f", "fftw-nosimd", n, kFftwNoSimd);
#endif
        }
        for (int n : {1024, 4096}) {
            add_veks_dct("DCTFwd_32f_precision", n, vekHintPrecision);
#ifdef VEKS_BENCH_HAVE_FFTW
            add_fftw_dct("DCTFwd_32f_precision", "fftw", n, 0);
            add_fftw_dct("DCTFwd_32f_precision", "fftw-nosimd", n, kFftwNoSimd);
#endif
        }
        for (int len : {64, 1024, 16384}) add_goertz(len);
    }
} registrar;

} // namespace
