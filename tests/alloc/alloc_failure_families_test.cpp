// Allocation failure in the DFT, DCT, Hilbert, wavelet, FIR, multirate FIR,
// IIR and noise-generator objects, and in the work areas that transforms,
// convolutions and direct filters allocate when given no buffer.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "failing_malloc.h"
#include "veks.h"

namespace {

struct Path {
    std::string name;
    std::function<VekStatus()> run;
    std::function<void()> release;
    std::function<bool()> as_documented;  // out pointer / outputs after a failure
};

void expect_clean_failures(const Path& p) {
    // A first unarmed run lets the OpenMP runtime make its thread pool, which
    // aborts rather than report a failed allocation.
    ASSERT_EQ(p.run(), vekStsOk) << p.name;
    p.release();
    for (long n = 0;; ++n) {
        failing_malloc::fail_from(n);
        const VekStatus st = p.run();
        failing_malloc::disarm();
        const long leaked = failing_malloc::live_blocks();
        if (st == vekStsOk) {
            EXPECT_GT(n, 0) << p.name << " allocated nothing: the failing allocator is not in use";
            p.release();
            return;
        }
        ASSERT_EQ(st, vekStsNoMemory) << p.name << " failing from allocation " << n;
        EXPECT_EQ(leaked, 0) << p.name << " kept blocks after failing at allocation " << n;
        EXPECT_TRUE(p.as_documented()) << p.name << " failing at allocation " << n;
        ASSERT_LT(n, 200) << p.name;
    }
}

template <class T> T* marker() { return reinterpret_cast<T*>(std::uintptr_t(0x5EED)); }

// An InitAlloc through `make` (given the out pointer), released by `free_fn`;
// after a failure the out pointer is unchanged, or null when `nulls` is set.
template <class Obj>
Path object_path(std::string name, std::function<VekStatus(Obj**)> make, VekStatus (*free_fn)(Obj*),
                 bool nulls = false) {
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

template <class T> std::shared_ptr<std::vector<T>> filled(std::size_t n, T v) {
    return std::make_shared<std::vector<T>>(n, v);
}

TEST(AllocFailure, DftSpecs) {
    // Short kernels, power of two, mixed radix, direct, chirp; real kinds even and odd.
    for (int n : {3, 64, 60, 149, 1009, 1000, 181}) {
        const std::string len = " N=" + std::to_string(n);
        expect_clean_failures(object_path<VeksDFTSpec_C_32fc>(
            "DFT C_32fc" + len, [n](auto** p) { return veksDFTInitAlloc_C_32fc(p, n, vekFftNormNone, 0); },
            veksDFTFree_C_32fc));
        expect_clean_failures(object_path<VeksDFTSpec_R_32f>(
            "DFT R_32f" + len, [n](auto** p) { return veksDFTInitAlloc_R_32f(p, n, vekFftNormNone, 0); },
            veksDFTFree_R_32f));
        expect_clean_failures(object_path<VeksDFTSpec_C_64f>(
            "DFT C_64f" + len, [n](auto** p) { return veksDFTInitAlloc_C_64f(p, n, vekFftNormNone, 0); },
            veksDFTFree_C_64f));
        expect_clean_failures(object_path<VeksDFTSpec_R_16s>(
            "DFT R_16s" + len, [n](auto** p) { return veksDFTInitAlloc_R_16s(p, n, vekFftNormNone, 0); },
            veksDFTFree_R_16s));
        expect_clean_failures(object_path<VeksDFTSpec_C_16sc>(
            "DFT C_16sc" + len, [n](auto** p) { return veksDFTInitAlloc_C_16sc(p, n, vekFftNormNone, 0); },
            veksDFTFree_C_16sc));
        expect_clean_failures(object_path<VeksDFTOutOrdSpec_C_64fc>(
            "DFT OutOrd C_64fc" + len,
            [n](auto** p) { return veksDFTOutOrdInitAlloc_C_64fc(p, n, vekFftNormNone, 0); },
            veksDFTOutOrdFree_C_64fc));
    }
}

TEST(AllocFailure, DftWorkArea) {
    for (int n : {60, 1009, 1 << 15}) {
        VeksDFTSpec_C_32fc* spec = nullptr;
        ASSERT_EQ(veksDFTInitAlloc_C_32fc(&spec, n, vekFftNormNone, 0), vekStsOk);
        int bytes = 0;
        veksDFTGetBufSize_C_32fc(spec, &bytes);
        if (bytes > 0) {
            auto src = filled<Vek32fc>(std::size_t(n), Vek32fc{1, 2});
            auto dst = filled<Vek32fc>(std::size_t(n), Vek32fc{7, 7});
            expect_clean_failures(call_path<Vek32fc>("DFTFwd_CToC_32fc without a buffer, N=" + std::to_string(n),
                                                     dst, [=] {
                                                         return veksDFTFwd_CToC_32fc(src->data(), dst->data(), spec,
                                                                                     nullptr);
                                                     }));
        }
        veksDFTFree_C_32fc(spec);
    }
}

TEST(AllocFailure, DctSpecsAndWorkArea) {
    for (int n : {8, 100, 1000, 1024}) {
        const std::string len = " N=" + std::to_string(n);
        expect_clean_failures(object_path<VeksDCTFwdSpec_32f>(
            "DCTFwd 32f" + len, [n](auto** p) { return veksDCTFwdInitAlloc_32f(p, n, 0); }, veksDCTFwdFree_32f));
        expect_clean_failures(object_path<VeksDCTInvSpec_64f>(
            "DCTInv 64f" + len, [n](auto** p) { return veksDCTInvInitAlloc_64f(p, n, 0); }, veksDCTInvFree_64f));
        expect_clean_failures(object_path<VeksDCTFwdSpec_16s>(
            "DCTFwd 16s" + len, [n](auto** p) { return veksDCTFwdInitAlloc_16s(p, n, 0); }, veksDCTFwdFree_16s));
        VeksDCTFwdSpec_32f* spec = nullptr;
        ASSERT_EQ(veksDCTFwdInitAlloc_32f(&spec, n, 0), vekStsOk);
        int bytes = 0;
        veksDCTFwdGetBufSize_32f(spec, &bytes);
        if (bytes > 0) {
            auto src = filled<Vek32f>(std::size_t(n), 1.5f);
            auto dst = filled<Vek32f>(std::size_t(n), 7.0f);
            expect_clean_failures(call_path<Vek32f>("DCTFwd_32f without a buffer" + len, dst, [=] {
                return veksDCTFwd_32f(src->data(), dst->data(), spec, nullptr);
            }));
        }
        veksDCTFwdFree_32f(spec);
    }
}

TEST(AllocFailure, HilbertSpecsAndWorkArea) {
    for (int n : {1, 2, 17, 1000}) {
        const std::string len = " N=" + std::to_string(n);
        expect_clean_failures(object_path<VeksHilbertSpec_32f32fc>(
            "Hilbert 32f32fc" + len, [n](auto** p) { return veksHilbertInitAlloc_32f32fc(p, n, 0); },
            veksHilbertFree_32f32fc));
        expect_clean_failures(object_path<VeksHilbertSpec_16s16sc>(
            "Hilbert 16s16sc" + len, [n](auto** p) { return veksHilbertInitAlloc_16s16sc(p, n, 0); },
            veksHilbertFree_16s16sc));
    }
    VeksHilbertSpec_32f32fc* spec = nullptr;
    ASSERT_EQ(veksHilbertInitAlloc_32f32fc(&spec, 1000, 0), vekStsOk);
    auto src = filled<Vek32f>(1000, 0.5f);
    auto dst = filled<Vek32fc>(1000, Vek32fc{7, 7});
    expect_clean_failures(call_path<Vek32fc>("Hilbert_32f32fc work area", dst, [=] {
        return veksHilbert_32f32fc(src->data(), dst->data(), spec);
    }));
    veksHilbertFree_32f32fc(spec);
}

TEST(AllocFailure, WaveletStates) {
    // A failed InitAlloc sets *ppState to null.
    static const Vek32f low[] = {0.5f, 0.5f, 0.25f}, high[] = {0.5f, -0.5f};
    expect_clean_failures(object_path<VeksWTFwdState_32f>(
        "WTFwd 32f", [](auto** p) { return veksWTFwdInitAlloc_32f(p, low, 3, 1, high, 2, 0); }, veksWTFwdFree_32f,
        true));
    expect_clean_failures(object_path<VeksWTFwdState_16s32f>(
        "WTFwd 16s32f", [](auto** p) { return veksWTFwdInitAlloc_16s32f(p, low, 3, -1, high, 2, 0); },
        veksWTFwdFree_16s32f, true));
    expect_clean_failures(object_path<VeksWTInvState_32f>(
        "WTInv 32f", [](auto** p) { return veksWTInvInitAlloc_32f(p, low, 3, 0, high, 2, 1); }, veksWTInvFree_32f,
        true));
    expect_clean_failures(object_path<VeksWTInvState_32f8u>(
        "WTInv 32f8u", [](auto** p) { return veksWTInvInitAlloc_32f8u(p, low, 3, 0, high, 2, 1); },
        veksWTInvFree_32f8u, true));
}

TEST(AllocFailure, FirStates) {
    // Both sides of the transform threshold of each tap type.
    for (int taps : {5, 16, 32, 64, 300}) {
        const std::string len = " taps=" + std::to_string(taps);
        auto t32 = std::make_shared<std::vector<Vek32f>>(std::size_t(taps), 0.25f);
        auto t64 = std::make_shared<std::vector<Vek64f>>(std::size_t(taps), 0.25);
        auto tc = std::make_shared<std::vector<Vek32fc>>(std::size_t(taps), Vek32fc{0.25f, -0.5f});
        auto t64c = std::make_shared<std::vector<Vek64fc>>(std::size_t(taps), Vek64fc{0.5, 0.25});
        auto t32s = std::make_shared<std::vector<Vek32s>>(std::size_t(taps), 1000);
        expect_clean_failures(object_path<VeksFIRState_32f>(
            "FIR 32f" + len, [=](auto** p) { return veksFIRInitAlloc_32f(p, t32->data(), taps, nullptr); },
            veksFIRFree_32f));
        expect_clean_failures(object_path<VeksFIRState_32fc>(
            "FIR 32fc" + len, [=](auto** p) { return veksFIRInitAlloc_32fc(p, tc->data(), taps, nullptr); },
            veksFIRFree_32fc));
        expect_clean_failures(object_path<VeksFIRState64f_16s>(
            "FIR 64f_16s" + len, [=](auto** p) { return veksFIRInitAlloc64f_16s(p, t64->data(), taps, nullptr); },
            veksFIRFree64f_16s));
        expect_clean_failures(object_path<VeksFIRState32s_16s>(
            "FIR 32s_16s" + len,
            [=](auto** p) { return veksFIRInitAlloc32s_16s(p, t32s->data(), taps, 0, nullptr); },
            veksFIRFree32s_16s));
        expect_clean_failures(object_path<VeksFIRState_32f>(
            "FIRMR 32f 3/2" + len,
            [=](auto** p) { return veksFIRMRInitAlloc_32f(p, t32->data(), taps, 3, 1, 2, 0, nullptr); },
            veksFIRFree_32f));
        expect_clean_failures(object_path<VeksFIRState64fc_32fc>(
            "FIRMR 64fc_32fc 2/5" + len,
            [=](auto** p) { return veksFIRMRInitAlloc64fc_32fc(p, t64c->data(), taps, 2, 0, 5, 4, nullptr); },
            veksFIRFree64fc_32fc));
    }
}

TEST(AllocFailure, IirStates) {
    // Arbitrary order: 2 * (order + 1) taps; biquads: 6 taps each.
    const std::vector<Vek32f> arb = {1, 0.5f, 0.25f, 1, -0.5f, 0.125f};
    const std::vector<Vek32f> bq = {1, 0.5f, 0.25f, 1, -0.5f, 0.125f, 2, 0, 1, 1, 0.1f, 0.2f};
    const std::vector<Vek64f> arb64(arb.begin(), arb.end()), bq64(bq.begin(), bq.end());
    const std::vector<Vek32s> arb32s = {1000, 500, 250, 1000, -500, 125};
    expect_clean_failures(object_path<VeksIIRState_32f>(
        "IIR 32f", [&](auto** p) { return veksIIRInitAlloc_32f(p, arb.data(), 2, nullptr); }, veksIIRFree_32f));
    expect_clean_failures(object_path<VeksIIRState_32f>(
        "IIR BiQuad 32f", [&](auto** p) { return veksIIRInitAlloc_BiQuad_32f(p, bq.data(), 2, nullptr); },
        veksIIRFree_32f));
    expect_clean_failures(object_path<VeksIIRState64f_16s>(
        "IIR 64f_16s", [&](auto** p) { return veksIIRInitAlloc64f_16s(p, arb64.data(), 2, nullptr); },
        veksIIRFree64f_16s));
    expect_clean_failures(object_path<VeksIIRState64f_32f>(
        "IIR BiQuad 64f_32f", [&](auto** p) { return veksIIRInitAlloc64f_BiQuad_32f(p, bq64.data(), 2, nullptr); },
        veksIIRFree64f_32f));
    expect_clean_failures(object_path<VeksIIRState32s_16s>(
        "IIR 32s_16s", [&](auto** p) { return veksIIRInitAlloc32s_16s(p, arb32s.data(), 2, 10, nullptr); },
        veksIIRFree32s_16s));
    expect_clean_failures(object_path<VeksIIRState32s_16s>(
        "IIR 32s_16s32f", [&](auto** p) { return veksIIRInitAlloc32s_16s32f(p, arb.data(), 2, nullptr); },
        veksIIRFree32s_16s));
}

TEST(AllocFailure, NoiseStates) {
    expect_clean_failures(object_path<VeksRandUniState_32f>(
        "RandUniform 32f", [](auto** p) { return veksRandUniformInitAlloc_32f(p, -1.0f, 1.0f, 7u); },
        veksRandUniformFree_32f));
    expect_clean_failures(object_path<VeksRandUniState_8u>(
        "RandUniform 8u", [](auto** p) { return veksRandUniformInitAlloc_8u(p, 0, 200, 7u); },
        veksRandUniformFree_8u));
    expect_clean_failures(object_path<VeksRandGaussState_32f>(
        "RandGauss 32f", [](auto** p) { return veksRandGaussInitAlloc_32f(p, 0.0f, 1.0f, 7u); },
        veksRandGaussFree_32f));
    expect_clean_failures(object_path<VeksRandGaussState_16s>(
        "RandGauss 16s", [](auto** p) { return veksRandGaussInitAlloc_16s(p, 0, 100, 7u); },
        veksRandGaussFree_16s));
}

TEST(AllocFailure, ConvolutionAndCorrelationByTransform) {
    auto a = filled<Vek32f>(3000, 0.5f), b = filled<Vek32f>(2000, -0.25f);
    auto conv = filled<Vek32f>(4999, 7.0f);
    expect_clean_failures(call_path<Vek32f>("Conv_32f 3000 x 2000", conv, [=] {
        return veksConv_32f(a->data(), 3000, b->data(), 2000, conv->data());
    }));
    auto a64 = filled<Vek64f>(40000, 0.5), b64 = filled<Vek64f>(300, 0.25);
    auto conv64 = filled<Vek64f>(40299, 7.0);
    expect_clean_failures(call_path<Vek64f>("Conv_64f 40000 x 300 (threaded)", conv64, [=] {
        return veksConv_64f(a64->data(), 40000, b64->data(), 300, conv64->data());
    }));
    auto cross = filled<Vek32f>(1000, 7.0f);
    expect_clean_failures(call_path<Vek32f>("CrossCorr_32f 3000 x 2000, 1000 lags", cross, [=] {
        return veksCrossCorr_32f(a->data(), 3000, b->data(), 2000, cross->data(), 1000, -500);
    }));
    auto ca = filled<Vek32fc>(1000, Vek32fc{0.5f, 1}), cb = filled<Vek32fc>(1000, Vek32fc{-1, 0.25f});
    auto ccross = filled<Vek32fc>(600, Vek32fc{7, 7});
    expect_clean_failures(call_path<Vek32fc>("CrossCorr_32fc 1000 x 1000, 600 lags", ccross, [=] {
        return veksCrossCorr_32fc(ca->data(), 1000, cb->data(), 1000, ccross->data(), 600, -300);
    }));
    auto acorr = filled<Vek32f>(1000, 7.0f);
    expect_clean_failures(call_path<Vek32f>("AutoCorr_32f 3000, 1000 lags", acorr, [=] {
        return veksAutoCorr_32f(a->data(), 3000, acorr->data(), 1000);
    }));
}

TEST(AllocFailure, DirectFirWindows) {
    const int taps = 40, n = 500;
    auto t = std::make_shared<std::vector<Vek16s>>(std::size_t(taps), Vek16s(1000));
    auto src = filled<Vek16s>(std::size_t(n), Vek16s(1234));
    auto dst = filled<Vek16s>(std::size_t(n), Vek16s(7));
    auto dly = filled<Vek16s>(std::size_t(2 * taps), Vek16s(3));
    auto index = std::make_shared<int>(5);
    auto dly_before = std::make_shared<std::vector<Vek16s>>(*dly);
    Path p = call_path<Vek16s>("FIR_Direct_16s_Sfs", dst, [=] {
        *index = 5;
        *dly = *dly_before;
        return veksFIR_Direct_16s_Sfs(src->data(), dst->data(), n, t->data(), taps, dly->data(), index.get(), 0);
    });
    auto outputs_ok = p.as_documented;
    p.as_documented = [=] { return outputs_ok() && *dly == *dly_before && *index == 5; };
    expect_clean_failures(p);

    // Multirate direct form in place with upFactor > downFactor copies its inputs.
    auto ft = std::make_shared<std::vector<Vek32f>>(7, 0.5f);
    auto fdly = filled<Vek32f>(4, 1.0f);
    auto fdst = filled<Vek32f>(300, 2.0f);
    auto fsrc = filled<Vek32f>(300, 3.0f);
    auto fdly_before = std::make_shared<std::vector<Vek32f>>(*fdly);
    expect_clean_failures(call_path<Vek32f>("FIRMR_Direct_32f 2/3", fdst, [=] {
        *fdly = *fdly_before;
        return veksFIRMR_Direct_32f(fsrc->data(), fdst->data(), 100, ft->data(), 7, 2, 0, 3, 1, fdly->data());
    }));
}

} // namespace
