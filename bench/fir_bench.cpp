// FIR block filtering: veksFIR_32f on 16 Ki-sample blocks against a plain
// direct-form loop, liquid-dsp's firfilt_rrrf_execute_block and an
// overlap-save filter built on FFTW real transforms (block 2^(k+1) with
// 2^k > taps, FFTW_MEASURE); veksFIR_64f and veksFIR_32fc against plain
// loops; and the speed-up of two threads over one on 1 Mi-sample blocks.
// Everything but the thread comparison runs with one thread.
// Names: "FIR_32f/taps<L>/<impl>/<samples>", "FIR_32f_threads/taps<L>/...".
#include <dlfcn.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench_util.h"
#include "veks.h"

#ifdef VEKS_BENCH_HAVE_FFTW
#include <fftw3.h>
#endif
#ifdef VEKS_BENCH_HAVE_LIQUID
#include <liquid/liquid.h>
#endif

namespace {

constexpr int kBlock = 1 << 14;
const std::vector<int> kTaps = {8, 16, 32, 64, 128, 256, 512, 1024, 4096};

// The library's OpenMP runtime, reached without linking OpenMP here.
void set_threads(int n) {
    using Fn = void (*)(int);
    static Fn fn = reinterpret_cast<Fn>(dlsym(RTLD_DEFAULT, "omp_set_num_threads"));
    if (fn) fn(n);
}

template <class T> T value(std::size_t i, int salt) {
    return static_cast<T>(std::sin(0.37 * double(i) + salt) * 0.5);
}
template <class T> std::vector<T> signal(std::size_t n, int salt) {
    std::vector<T> v(n);
    for (std::size_t i = 0; i < n; ++i) {
        if constexpr (std::is_same_v<T, Vek32fc>) v[i] = {value<float>(i, salt), value<float>(i, salt + 7)};
        else v[i] = value<T>(i, salt);
    }
    return v;
}

// Registers a benchmark whose setup runs once, outside the timed loop.
template <class Setup>
void add(const std::string& op, const std::string& impl, int n, Setup setup) {
    benchmark::RegisterBenchmark((op + "/" + impl + "/" + std::to_string(n)).c_str(), [setup, n](benchmark::State& st) {
        auto body = setup();
        for (auto _ : st) {
            body();
            benchmark::ClobberMemory();
        }
        st.counters["Msamples/s"] = benchmark::Counter(double(n) * double(st.iterations()) * 1e-6, benchmark::Counter::kIsRate);
    })->MinTime(0.2)->UseRealTime();
}

// The library's state filter; threads = the thread count for state and calls.
template <class T, class State, auto InitAlloc, auto Fir, auto Free>
void add_veks(const std::string& op, const std::string& impl, int L, int n, int threads) {
    add(op, impl, n, [L, n, threads] {
        set_threads(threads);
        const auto taps = signal<T>(std::size_t(L), 1);
        State* s = nullptr;
        InitAlloc(&s, taps.data(), L, nullptr);
        std::shared_ptr<State> state(s, [](State* p) { Free(p); });
        auto src = std::make_shared<std::vector<T>>(signal<T>(std::size_t(n), 2));
        auto dst = std::make_shared<std::vector<T>>(std::size_t(n));
        return [state, src, dst, n] { Fir(src->data(), dst->data(), n, state.get()); };
    });
}

// The plain direct form, history in front of the block, as a compiler
// builds it from the definition.
template <class T>
void add_loop(const std::string& op, int L, int n) {
    add(op, "loop", n, [L, n] {
        const auto taps = signal<T>(std::size_t(L), 1);
        auto x = std::make_shared<std::vector<T>>(std::size_t(L - 1 + n));
        const auto in = signal<T>(std::size_t(n), 2);
        std::copy(in.begin(), in.end(), x->begin() + (L - 1));
        auto y = std::make_shared<std::vector<T>>(std::size_t(n));
        return [taps, x, y, L, n] {
            const T* xp = x->data() + (L - 1);
            for (int k = 0; k < n; ++k) {
                if constexpr (std::is_same_v<T, Vek32fc>) {
                    float re = 0, im = 0;
                    for (int j = 0; j < L; ++j) {
                        const Vek32fc a = taps[std::size_t(j)], b = xp[k - j];
                        re += a.re * b.re - a.im * b.im;
                        im += a.re * b.im + a.im * b.re;
                    }
                    (*y)[std::size_t(k)] = {re, im};
                } else {
                    T s = 0;
                    for (int j = 0; j < L; ++j) s += taps[std::size_t(j)] * xp[k - j];
                    (*y)[std::size_t(k)] = s;
                }
            }
            std::copy(x->end() - (L - 1), x->end(), x->begin()); // keep the history, as a filter would
        };
    });
}

#ifdef VEKS_BENCH_HAVE_LIQUID
void add_liquid(const std::string& op, int L, int n) {
    add(op, "liquid", n, [L, n] {
        auto taps = signal<float>(std::size_t(L), 1);
        std::shared_ptr<firfilt_rrrf_s> q(firfilt_rrrf_create(taps.data(), unsigned(L)), firfilt_rrrf_destroy);
        auto src = std::make_shared<std::vector<float>>(signal<float>(std::size_t(n), 2));
        auto dst = std::make_shared<std::vector<float>>(std::size_t(n));
        return [q, src, dst, n] { firfilt_rrrf_execute_block(q.get(), src->data(), unsigned(n), dst->data()); };
    });
}
#endif

#ifdef VEKS_BENCH_HAVE_FFTW
// Overlap-save on FFTW real transforms: blocks of N = 2^(k+1), 2^k > L,
// M = L - 1 samples of overlap, S = N - M new outputs per block.
struct FftwOls {
    int L, N, M, S;
    float* buf;
    fftwf_complex* spec;
    std::vector<std::complex<float>> H;
    std::vector<float> hist;
    fftwf_plan fwd, inv;
    explicit FftwOls(const std::vector<float>& taps) : L(int(taps.size())) {
        int k = 2;
        while ((1 << k) <= L) ++k;
        N = 1 << (k + 1);
        M = L - 1;
        S = N - M;
        buf = fftwf_alloc_real(std::size_t(N));
        spec = fftwf_alloc_complex(std::size_t(N / 2 + 1));
        fwd = fftwf_plan_dft_r2c_1d(N, buf, spec, FFTW_MEASURE);
        inv = fftwf_plan_dft_c2r_1d(N, spec, buf, FFTW_MEASURE);
        std::fill(buf, buf + N, 0.0f);
        std::copy(taps.begin(), taps.end(), buf);
        fftwf_execute(fwd);
        for (int i = 0; i <= N / 2; ++i) H.emplace_back(spec[i][0] / float(N), spec[i][1] / float(N));
        hist.assign(std::size_t(M), 0.0f);
    }
    ~FftwOls() {
        fftwf_destroy_plan(fwd);
        fftwf_destroy_plan(inv);
        fftwf_free(buf);
        fftwf_free(spec);
    }
    void run(const float* x, float* y, int n) {
        for (int p = 0; p < n; p += S) {
            const int c = std::min(S, n - p);
            if (p == 0) std::copy(hist.begin(), hist.end(), buf);
            else std::copy(x + p - M, x + p, buf);
            std::copy(x + p, x + p + c, buf + M);
            std::fill(buf + M + c, buf + N, 0.0f);
            fftwf_execute(fwd);
            for (int i = 0; i <= N / 2; ++i) {
                const std::complex<float> v(spec[i][0], spec[i][1]);
                const std::complex<float> r = v * H[std::size_t(i)];
                spec[i][0] = r.real();
                spec[i][1] = r.imag();
            }
            fftwf_execute(inv);
            std::copy(buf + M, buf + M + c, y + p);
        }
        if (n >= M) std::copy(x + n - M, x + n, hist.begin());
    }
};

void add_fftw(const std::string& op, int L, int n) {
    add(op, "fftw-ols", n, [L, n] {
        auto f = std::make_shared<FftwOls>(signal<float>(std::size_t(L), 1));
        auto src = std::make_shared<std::vector<float>>(signal<float>(std::size_t(n), 2));
        auto dst = std::make_shared<std::vector<float>>(std::size_t(n));
        return [f, src, dst, n] { f->run(src->data(), dst->data(), n); };
    });
}
#endif

int register_all() {
    for (int L : kTaps) {
        const std::string op = "FIR_32f/taps" + std::to_string(L);
        add_veks<Vek32f, VeksFIRState_32f, veksFIRInitAlloc_32f, veksFIR_32f, veksFIRFree_32f>(op, "veks", L, kBlock, 1);
        add_loop<float>(op, L, kBlock);
#ifdef VEKS_BENCH_HAVE_LIQUID
        add_liquid(op, L, kBlock);
#endif
#ifdef VEKS_BENCH_HAVE_FFTW
        add_fftw(op, L, kBlock);
#endif
        const std::string op64 = "FIR_64f/taps" + std::to_string(L);
        add_veks<Vek64f, VeksFIRState_64f, veksFIRInitAlloc_64f, veksFIR_64f, veksFIRFree_64f>(op64, "veks", L, kBlock, 1);
        add_loop<double>(op64, L, kBlock);
        const std::string opc = "FIR_32fc/taps" + std::to_string(L);
        add_veks<Vek32fc, VeksFIRState_32fc, veksFIRInitAlloc_32fc, veksFIR_32fc, veksFIRFree_32fc>(opc, "veks", L, kBlock, 1);
        add_loop<Vek32fc>(opc, L, kBlock);
    }
    // Two threads against one ("1thread" is the reference) on 1 Mi samples.
    for (int L : {16, 64, 1024}) {
        const std::string op = "FIR_32f_threads/taps" + std::to_string(L);
        add_veks<Vek32f, VeksFIRState_32f, veksFIRInitAlloc_32f, veksFIR_32f, veksFIRFree_32f>(op, "1thread", L, 1 << 20, 1);
        add_veks<Vek32f, VeksFIRState_32f, veksFIRInitAlloc_32f, veksFIR_32f, veksFIRFree_32f>(op, "veks", L, 1 << 20, 2);
    }
    return 0;
}
const int registered = register_all();

} // namespace
