// Every allocating path with the allocator failing at each successive
// allocation: the call reports vekStsNoMemory, keeps nothing allocated and
// leaves the caller's out pointer as documented; once enough allocations
// succeed the call succeeds.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "failing_malloc.h"
#include "veks.h"

namespace {

// One allocating call: run() makes the object (or result) and returns the
// status; release() frees what a successful run made.
struct AllocPath {
    std::string name;
    std::function<VekStatus()> run;
    std::function<void()> release;
    std::function<bool()> untouched;  // the out pointer / outputs as documented after a failure
};

void expect_clean_failures(const AllocPath& p) {
    for (long n = 0;; ++n) {
        failing_malloc::fail_from(n);
        const VekStatus st = p.run();
        const long attempts = failing_malloc::disarm();
        const long leaked = failing_malloc::live_blocks();
        if (st == vekStsOk) {
            EXPECT_GT(n, 0) << p.name << " allocated nothing: the failing allocator is not in use";
            EXPECT_GE(attempts, n) << p.name;
            p.release();
            return;
        }
        ASSERT_EQ(st, vekStsNoMemory) << p.name << " failing from allocation " << n;
        EXPECT_EQ(leaked, 0) << p.name << " kept blocks after failing at allocation " << n;
        EXPECT_TRUE(p.untouched()) << p.name << " failing at allocation " << n;
        ASSERT_LT(n, 64) << p.name;
    }
}

// Out pointers start at a marker that a failed InitAlloc must leave alone.
template <class Spec> Spec* marker() { return reinterpret_cast<Spec*>(std::uintptr_t(0x5EED)); }

template <class Spec, VekStatus (*InitAlloc)(Spec**, int, int, int), VekStatus (*Free)(Spec*)>
AllocPath fft_spec_path(const char* name, int order) {
    auto spec = std::make_shared<Spec*>();
    return {name,
            [=] {
                *spec = marker<Spec>();
                return InitAlloc(spec.get(), order, vekFftNormNone, vekHintDefault);
            },
            [=] { Free(*spec); }, [=] { return *spec == marker<Spec>(); }};
}

// A transform given no work buffer allocates its own (orders from 14 on need one).
AllocPath fft_transform_path(VeksFFTSpec_C_32fc* spec, int order) {
    auto src = std::make_shared<std::vector<Vek32fc>>(std::size_t(1) << order, Vek32fc{1, 2});
    auto dst = std::make_shared<std::vector<Vek32fc>>(src->size(), Vek32fc{7, 7});
    return {"FFTFwd_CToC_32fc without a buffer",
            [=] { return veksFFTFwd_CToC_32fc(src->data(), dst->data(), spec, nullptr); }, [] {},
            [=] {
                for (const auto& v : *dst)
                    if (v.re != 7 || v.im != 7) return false;
                return true;
            }};
}

// Median masks too wide for the stack allocate their window.
AllocPath median_path() {
    auto src = std::make_shared<std::vector<Vek32f>>(1000, 1.0f);
    auto dst = std::make_shared<std::vector<Vek32f>>(1000, 7.0f);
    return {"FilterMedian_32f, mask 301", [=] { return veksFilterMedian_32f(src->data(), dst->data(), 1000, 301); },
            [] {},
            [=] {
                for (Vek32f v : *dst)
                    if (v != 7.0f) return false;
                return true;
            }};
}

TEST(AllocFailure, MallocFamilyReturnsNull) {
    failing_malloc::fail_from(0);
    Vek32f* p = veksMalloc_32f(16);
    failing_malloc::disarm();
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(failing_malloc::live_blocks(), 0);
}

TEST(AllocFailure, FftSpecs) {
    const int orders[] = {0, 3, 12};
    for (int order : orders) {
        const AllocPath paths[] = {
            fft_spec_path<VeksFFTSpec_C_16sc, veksFFTInitAlloc_C_16sc, veksFFTFree_C_16sc>("C_16sc", order),
            fft_spec_path<VeksFFTSpec_C_16s, veksFFTInitAlloc_C_16s, veksFFTFree_C_16s>("C_16s", order),
            fft_spec_path<VeksFFTSpec_R_16s, veksFFTInitAlloc_R_16s, veksFFTFree_R_16s>("R_16s", order),
            fft_spec_path<VeksFFTSpec_C_32fc, veksFFTInitAlloc_C_32fc, veksFFTFree_C_32fc>("C_32fc", order),
            fft_spec_path<VeksFFTSpec_C_32f, veksFFTInitAlloc_C_32f, veksFFTFree_C_32f>("C_32f", order),
            fft_spec_path<VeksFFTSpec_R_32f, veksFFTInitAlloc_R_32f, veksFFTFree_R_32f>("R_32f", order),
            fft_spec_path<VeksFFTSpec_C_64fc, veksFFTInitAlloc_C_64fc, veksFFTFree_C_64fc>("C_64fc", order),
            fft_spec_path<VeksFFTSpec_C_64f, veksFFTInitAlloc_C_64f, veksFFTFree_C_64f>("C_64f", order),
            fft_spec_path<VeksFFTSpec_R_64f, veksFFTInitAlloc_R_64f, veksFFTFree_R_64f>("R_64f", order),
            fft_spec_path<VeksFFTSpec_C_32sc, veksFFTInitAlloc_C_32sc, veksFFTFree_C_32sc>("C_32sc", order),
            fft_spec_path<VeksFFTSpec_C_32s, veksFFTInitAlloc_C_32s, veksFFTFree_C_32s>("C_32s", order),
            fft_spec_path<VeksFFTSpec_R_32s, veksFFTInitAlloc_R_32s, veksFFTFree_R_32s>("R_32s", order),
            fft_spec_path<VeksFFTSpec_R_16s32s, veksFFTInitAlloc_R_16s32s, veksFFTFree_R_16s32s>("R_16s32s", order),
        };
        for (const auto& p : paths) expect_clean_failures(p);
    }
}

TEST(AllocFailure, MedianWindow) { expect_clean_failures(median_path()); }

TEST(AllocFailure, FftWorkBuffer) {
    VeksFFTSpec_C_32fc* spec = nullptr;
    ASSERT_EQ(veksFFTInitAlloc_C_32fc(&spec, 14, vekFftNormNone, vekHintDefault), vekStsOk);
    expect_clean_failures(fft_transform_path(spec, 14));
    veksFFTFree_C_32fc(spec);
}

} // namespace
