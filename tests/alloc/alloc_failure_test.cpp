// Every allocating path with the allocator failing at each successive allocation: the call
// reports vekStsNoMemory, keeps nothing allocated and leaves the caller's out pointer or
// outputs as documented; once enough allocations succeed the call succeeds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "veks.h"

// The executable's malloc and free come first, so the library's calls
// resolve to them; glibc's own entry points serve the real allocations.
extern "C" void* __libc_malloc(std::size_t);
extern "C" void __libc_free(void*);

namespace {

bool armed = false;
long attempts = 0, fail_at = 0;
// Blocks made while armed: a fixed table, since the tracker cannot allocate.
void* live[4096];

// From now on the n-th allocation (0 = the next one) and every later one fails.
void fail_from(long n) {
    attempts = 0;
    fail_at = n;
    std::fill(std::begin(live), std::end(live), nullptr);
    armed = true;
}

// Stops failing; returns how many allocations were attempted while armed.
long disarm() {
    armed = false;
    return attempts;
}

long live_blocks() { return long(std::size(live)) - std::count(std::begin(live), std::end(live), nullptr); }

} // namespace

extern "C" void* malloc(std::size_t n) noexcept {
    if (!armed) return __libc_malloc(n);
    if (attempts++ >= fail_at) return nullptr;
    void* p = __libc_malloc(n);
    const auto slot = std::find(std::begin(live), std::end(live), nullptr);
    if (slot != std::end(live)) *slot = p;
    return p;
}

extern "C" void free(void* p) noexcept {
    std::replace(std::begin(live), std::end(live), p, static_cast<void*>(nullptr));
    __libc_free(p);
}

namespace {

// One allocating call: run() makes the object (or result) and returns the
// status; release() frees what a successful run made.
struct Path {
    std::string name;
    std::function<VekStatus()> run;
    std::function<void()> release;
    std::function<bool()> as_documented;  // out pointer / outputs after a failure
};

void expect_clean_failures_one(const Path& p) {
    // A first unarmed run lets the OpenMP runtime make its thread pool, which
    // aborts rather than report a failed allocation.
    ASSERT_EQ(p.run(), vekStsOk) << p.name;
    p.release();
    for (long n = 0;; ++n) {
        fail_from(n);
        const VekStatus st = p.run();
        disarm();
        if (st == vekStsOk) {
            EXPECT_GT(n, 0) << p.name << " allocated nothing: the failing allocator is not in use";
            p.release();
            return;
        }
        ASSERT_EQ(st, vekStsNoMemory) << p.name << " failing from allocation " << n;
        EXPECT_EQ(live_blocks(), 0) << p.name << " kept blocks after failing at allocation " << n;
        EXPECT_TRUE(p.as_documented()) << p.name << " failing at allocation " << n;
        ASSERT_LT(n, 200) << p.name;
    }
}

template <class... P> void expect_clean_failures(const P&... paths) { (expect_clean_failures_one(paths), ...); }

template <class T> T* marker() { return reinterpret_cast<T*>(std::uintptr_t(0x5EED)); }

// An InitAlloc through `make` (given the out pointer), released by `free_fn`;
// after a failure the out pointer is unchanged, or null when `nulls` is set.
template <class Obj>
Path object_path(std::string name, std::function<VekStatus(Obj**)> make, VekStatus (*free_fn)(Obj*), bool nulls = false) {
    auto obj = std::make_shared<Obj*>();
    return {std::move(name), [=] { *obj = marker<Obj>(); return make(obj.get()); }, [=] { free_fn(*obj); },
            [=] { return *obj == (nulls ? nullptr : marker<Obj>()); }};
}

// A call that writes `dst` and allocates a work area: outputs untouched on failure.
template <class T>
Path call_path(std::string name, std::shared_ptr<std::vector<T>> dst, std::function<VekStatus()> call) {
    auto before = std::make_shared<std::vector<T>>(*dst);
    return {std::move(name), [=] { *dst = *before; return call(); }, std::function<void()>([] {}),
            [=] { return std::memcmp(dst->data(), before->data(), dst->size() * sizeof(T)) == 0; }};
}

template <class T> std::shared_ptr<std::vector<T>> filled(std::size_t n, T v) { return std::make_shared<std::vector<T>>(n, v); }

// call(src, dst) on n values s into n values d.
template <class S, class D, class F> Path unary_path(std::string name, int n, S s, D d, F call) {
    auto src = filled<S>(std::size_t(n), s);
    auto dst = filled<D>(std::size_t(n), d);
    return call_path<D>(std::move(name), dst, [=] { return call(src->data(), dst->data()); });
}

// An object of one kind from its InitAlloc with the given trailing arguments.
#define OBJECT_PATH(Obj, init, free_fn, ...) \
    object_path<Obj>(#init, [=](Obj** p) { return init(p, __VA_ARGS__); }, free_fn)

TEST(AllocFailure, FftSpecsAndWorkArea) {
#define FFT_PATH(K) OBJECT_PATH(VeksFFTSpec_##K, veksFFTInitAlloc_##K, veksFFTFree_##K, order, vekFftNormNone, 0)
    for (int order : {0, 3, 12})
        expect_clean_failures(FFT_PATH(C_16sc), FFT_PATH(C_16s),  FFT_PATH(R_16s),  FFT_PATH(C_32fc), FFT_PATH(C_32f),
                              FFT_PATH(R_32f),  FFT_PATH(C_64fc), FFT_PATH(C_64f),  FFT_PATH(R_64f),  FFT_PATH(C_32sc),
                              FFT_PATH(C_32s),  FFT_PATH(R_32s),  FFT_PATH(R_16s32s));
    // Orders from 14 on need a work area when given no buffer.
    VeksFFTSpec_C_32fc* spec = nullptr;
    ASSERT_EQ(veksFFTInitAlloc_C_32fc(&spec, 14, vekFftNormNone, 0), vekStsOk);
    expect_clean_failures(unary_path("FFTFwd_CToC_32fc without a buffer", 1 << 14, Vek32fc{1, 2}, Vek32fc{7, 7},
                                     [=](auto s, auto d) { return veksFFTFwd_CToC_32fc(s, d, spec, nullptr); }));
    veksFFTFree_C_32fc(spec);
}

TEST(AllocFailure, DftSpecsAndWorkArea) {
#define DFT_PATH(S, K) OBJECT_PATH(Veks##S##Spec_##K, veks##S##InitAlloc_##K, veks##S##Free_##K, n, vekFftNormNone, 0)
    // Short kernels, power of two, mixed radix, direct, chirp; real kinds even and odd.
    for (int n : {3, 64, 60, 149, 1009, 1000, 181})
        expect_clean_failures(DFT_PATH(DFT, C_32fc), DFT_PATH(DFT, R_32f), DFT_PATH(DFT, C_64f),
                              DFT_PATH(DFT, R_16s),  DFT_PATH(DFT, C_16sc), DFT_PATH(DFTOutOrd, C_64fc));
    // Mixed radix, chirp and power of two all need a work area.
    for (int n : {60, 1009, 1 << 15}) {
        VeksDFTSpec_C_32fc* spec = nullptr;
        ASSERT_EQ(veksDFTInitAlloc_C_32fc(&spec, n, vekFftNormNone, 0), vekStsOk);
        expect_clean_failures(unary_path("DFTFwd_CToC_32fc without a buffer, N=" + std::to_string(n), n, Vek32fc{1, 2},
                                         Vek32fc{7, 7}, [=](auto s, auto d) { return veksDFTFwd_CToC_32fc(s, d, spec, nullptr); }));
        veksDFTFree_C_32fc(spec);
    }
}

TEST(AllocFailure, DctAndHilbertSpecsAndWorkAreas) {
    for (int n : {8, 100, 1000, 1024}) {
        expect_clean_failures(OBJECT_PATH(VeksDCTFwdSpec_32f, veksDCTFwdInitAlloc_32f, veksDCTFwdFree_32f, n, 0));
        expect_clean_failures(OBJECT_PATH(VeksDCTFwdSpec_16s, veksDCTFwdInitAlloc_16s, veksDCTFwdFree_16s, n, 0));
        VeksDCTFwdSpec_32f* spec = nullptr;
        ASSERT_EQ(veksDCTFwdInitAlloc_32f(&spec, n, 0), vekStsOk);
        if (n > 8) // the 8-point kernel needs no work area
            expect_clean_failures(unary_path("DCTFwd_32f without a buffer, N=" + std::to_string(n), n, 1.5f, 7.0f,
                                             [=](auto s, auto d) { return veksDCTFwd_32f(s, d, spec, nullptr); }));
        veksDCTFwdFree_32f(spec);
    }
    for (int n : {1, 2, 17, 1000}) {
#define HILBERT_PATH(K) OBJECT_PATH(VeksHilbertSpec_##K, veksHilbertInitAlloc_##K, veksHilbertFree_##K, n, 0)
        expect_clean_failures(HILBERT_PATH(32f32fc), HILBERT_PATH(16s16sc));
    }
    VeksHilbertSpec_32f32fc* spec = nullptr;
    ASSERT_EQ(veksHilbertInitAlloc_32f32fc(&spec, 1000, 0), vekStsOk);
    expect_clean_failures(unary_path("Hilbert_32f32fc work area", 1000, 0.5f, Vek32fc{7, 7},
                                     [=](auto s, auto d) { return veksHilbert_32f32fc(s, d, spec); }));
    veksHilbertFree_32f32fc(spec);
}

TEST(AllocFailure, WaveletStates) {
    // A failed InitAlloc sets *ppState to null.
    static const Vek32f low[] = {0.5f, 0.5f, 0.25f}, high[] = {0.5f, -0.5f};
#define WT_PATH(Obj, init, free_fn, off_low, off_high)                                                 \
    object_path<Obj>(#init, [](Obj** p) { return init(p, low, 3, off_low, high, 2, off_high); }, free_fn, true)
    expect_clean_failures(WT_PATH(VeksWTFwdState_32f, veksWTFwdInitAlloc_32f, veksWTFwdFree_32f, 1, 0));
    expect_clean_failures(WT_PATH(VeksWTFwdState_16s32f, veksWTFwdInitAlloc_16s32f, veksWTFwdFree_16s32f, -1, 0));
    expect_clean_failures(WT_PATH(VeksWTInvState_32f, veksWTInvInitAlloc_32f, veksWTInvFree_32f, 0, 1));
    expect_clean_failures(WT_PATH(VeksWTInvState_32f8u, veksWTInvInitAlloc_32f8u, veksWTInvFree_32f8u, 0, 1));
}

TEST(AllocFailure, FirStates) {
    // Both sides of the transform threshold of each tap type.
    for (int taps : {5, 16, 32, 64, 300}) {
        auto t32 = filled<Vek32f>(std::size_t(taps), 0.25f);
        auto t64 = filled<Vek64f>(std::size_t(taps), 0.25);
        auto tc = filled<Vek32fc>(std::size_t(taps), Vek32fc{0.25f, -0.5f});
        auto t64c = filled<Vek64fc>(std::size_t(taps), Vek64fc{0.5, 0.25});
        auto t32s = filled<Vek32s>(std::size_t(taps), 1000);
        expect_clean_failures(
            OBJECT_PATH(VeksFIRState_32f, veksFIRInitAlloc_32f, veksFIRFree_32f, t32->data(), taps, nullptr),
            OBJECT_PATH(VeksFIRState_32fc, veksFIRInitAlloc_32fc, veksFIRFree_32fc, tc->data(), taps, nullptr),
            OBJECT_PATH(VeksFIRState64f_16s, veksFIRInitAlloc64f_16s, veksFIRFree64f_16s, t64->data(), taps, nullptr),
            OBJECT_PATH(VeksFIRState32s_16s, veksFIRInitAlloc32s_16s, veksFIRFree32s_16s, t32s->data(), taps, 0, nullptr),
            OBJECT_PATH(VeksFIRState_32f, veksFIRMRInitAlloc_32f, veksFIRFree_32f, t32->data(), taps, 3, 1, 2, 0, nullptr),
            OBJECT_PATH(VeksFIRState64fc_32fc, veksFIRMRInitAlloc64fc_32fc, veksFIRFree64fc_32fc, t64c->data(), taps,
                        2, 0, 5, 4, nullptr));
    }
}

TEST(AllocFailure, IirAndNoiseStates) {
    // Arbitrary order: 2 * (order + 1) taps; biquads: 6 taps each. Every tap type allocates alike.
    static const std::vector<Vek32f> arb = {1, 0.5f, 0.25f, 1, -0.5f, 0.125f};
    static const std::vector<Vek32f> bq = {1, 0.5f, 0.25f, 1, -0.5f, 0.125f, 2, 0, 1, 1, 0.1f, 0.2f};
    static const std::vector<Vek32s> arb32s = {1000, 500, 250, 1000, -500, 125};
    expect_clean_failures(
        OBJECT_PATH(VeksIIRState_32f, veksIIRInitAlloc_32f, veksIIRFree_32f, arb.data(), 2, nullptr),
        OBJECT_PATH(VeksIIRState_32f, veksIIRInitAlloc_BiQuad_32f, veksIIRFree_32f, bq.data(), 2, nullptr),
        OBJECT_PATH(VeksIIRState32s_16s, veksIIRInitAlloc32s_16s, veksIIRFree32s_16s, arb32s.data(), 2, 10, nullptr));
    // One allocation path per generator family.
    expect_clean_failures(
        OBJECT_PATH(VeksRandUniState_32f, veksRandUniformInitAlloc_32f, veksRandUniformFree_32f, -1.0f, 1.0f, 7u),
        OBJECT_PATH(VeksRandGaussState_32f, veksRandGaussInitAlloc_32f, veksRandGaussFree_32f, 0.0f, 1.0f, 7u));
}

TEST(AllocFailure, ConvolutionAndCorrelationByTransform) {
    auto a = filled<Vek32f>(3000, 0.5f), b = filled<Vek32f>(2000, -0.25f), out = filled<Vek32f>(4999, 7.0f);
    expect_clean_failures(call_path<Vek32f>("Conv_32f 3000 x 2000", out,
                                            [=] { return veksConv_32f(a->data(), 3000, b->data(), 2000, out->data()); }));
    expect_clean_failures(call_path<Vek32f>("CrossCorr_32f 3000 x 2000, 1000 lags", out, [=] {
        return veksCrossCorr_32f(a->data(), 3000, b->data(), 2000, out->data(), 1000, -500);
    }));
    expect_clean_failures(call_path<Vek32f>("AutoCorr_32f 3000, 1000 lags", out,
                                            [=] { return veksAutoCorr_32f(a->data(), 3000, out->data(), 1000); }));
    auto a64 = filled<Vek64f>(40000, 0.5), b64 = filled<Vek64f>(300, 0.25), out64 = filled<Vek64f>(40299, 7.0);
    expect_clean_failures(call_path<Vek64f>("Conv_64f 40000 x 300 (threaded)", out64, [=] {
        return veksConv_64f(a64->data(), 40000, b64->data(), 300, out64->data());
    }));
    auto ca = filled<Vek32fc>(1000, Vek32fc{0.5f, 1}), cb = filled<Vek32fc>(1000, Vek32fc{-1, 0.25f});
    auto cout = filled<Vek32fc>(600, Vek32fc{7, 7});
    expect_clean_failures(call_path<Vek32fc>("CrossCorr_32fc 1000 x 1000, 600 lags", cout, [=] {
        return veksCrossCorr_32fc(ca->data(), 1000, cb->data(), 1000, cout->data(), 600, -300);
    }));
}

TEST(AllocFailure, MedianAndDirectFilterWorkAreas) {
    // Median masks too wide for the stack allocate their window.
    expect_clean_failures(unary_path("FilterMedian_32f, mask 301", 1000, 1.0f, 7.0f,
                                     [](auto s, auto d) { return veksFilterMedian_32f(s, d, 1000, 301); }));
    const int taps = 40, n = 500;
    auto t = filled<Vek16s>(std::size_t(taps), Vek16s(1000));
    auto dly = filled<Vek16s>(std::size_t(2 * taps), Vek16s(3));
    auto index = std::make_shared<int>(5);
    auto dly_before = std::make_shared<std::vector<Vek16s>>(*dly);
    Path p = unary_path("FIR_Direct_16s_Sfs", n, Vek16s(1234), Vek16s(7), [=](auto s, auto d) {
        *index = 5;
        *dly = *dly_before;
        return veksFIR_Direct_16s_Sfs(s, d, n, t->data(), taps, dly->data(), index.get(), 0);
    });
    auto outputs_ok = p.as_documented;
    p.as_documented = [=] { return outputs_ok() && *dly == *dly_before && *index == 5; };
    expect_clean_failures(p);

    // Multirate direct form in place with upFactor > downFactor copies its inputs.
    auto ft = filled<Vek32f>(7, 0.5f), fdly = filled<Vek32f>(4, 1.0f);
    expect_clean_failures(unary_path("FIRMR_Direct_32f 2/3", 300, 3.0f, 2.0f, [=](auto s, auto d) {
        return veksFIRMR_Direct_32f(s, d, 100, ft->data(), 7, 2, 0, 3, 1, fdly->data());
    }));
}

// Multirate FIR calls that cannot allocate a work area for long tap
// tables still filter (one sum at a time) to the same outputs.
TEST(AllocFailure, MultirateFirWithoutWorkArea) {
    const int L = 6001, up = 2, down = 3, iters = 200;
    std::vector<Vek32f> taps(L), x(iters * down), with(iters * up), without(iters * up);
    for (int k = 0; k < L; ++k) taps[std::size_t(k)] = float(std::sin(0.1 * k));
    for (std::size_t k = 0; k < x.size(); ++k) x[k] = float(std::cos(0.37 * double(k)));
    VeksFIRState_32f* a = nullptr;
    VeksFIRState_32f* b = nullptr;
    ASSERT_EQ(veksFIRMRInitAlloc_32f(&a, taps.data(), L, up, 1, down, 2, nullptr), vekStsOk);
    ASSERT_EQ(veksFIRMRInitAlloc_32f(&b, taps.data(), L, up, 1, down, 2, nullptr), vekStsOk);
    ASSERT_EQ(veksFIR_32f(x.data(), with.data(), iters, a), vekStsOk);
    fail_from(0);
    const VekStatus st = veksFIR_32f(x.data(), without.data(), iters, b);
    const long attempts = disarm();
    EXPECT_EQ(st, vekStsOk);
    EXPECT_GT(attempts, 0) << "the call allocated nothing: the failing allocator is not in use";
    EXPECT_EQ(live_blocks(), 0);
    EXPECT_EQ(std::memcmp(with.data(), without.data(), with.size() * sizeof(Vek32f)), 0);
    EXPECT_EQ(veksFIRFree_32f(a), vekStsOk);
    EXPECT_EQ(veksFIRFree_32f(b), vekStsOk);
}

} // namespace
