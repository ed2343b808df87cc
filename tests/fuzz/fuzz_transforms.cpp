// Fuzz target of the transforms: FFT, DFT and Hilbert spec life cycles with
// any length, flag and hint, and every FFT, DFT, packed-spectrum, DCT,
// Hilbert and Goertzel function against valid, null, freed and never-built
// specs (those rows are generated).
#include "fuzz_support.h"

namespace fz {

#define FZ_FFT_SPEC(K)                                                                                      \
    template <> struct SpecTraits<VeksFFTSpec_##K> {                                                        \
        static VeksFFTSpec_##K* make(FuzzedDataProvider& in, std::vector<void*>& mem, int& n) {            \
            const int order = in.ConsumeIntegralInRange(0, 11);                                             \
            const int flag = in.PickValueInArray({1, 2, 4, 8});                                             \
            const int hint = in.ConsumeIntegralInRange(0, 2);                                               \
            int spec_size = 0, init_size = 0, buf_size = 0;                                                 \
            if (veksFFTGetSize_##K(order, flag, hint, &spec_size, &init_size, &buf_size) != vekStsOk)       \
                return nullptr;                                                                             \
            mem.push_back(std::malloc(std::size_t(spec_size)));                                             \
            Vek8u* spec_mem = static_cast<Vek8u*>(mem.back());                                              \
            mem.push_back(std::malloc(std::size_t(init_size) + 1));                                         \
            VeksFFTSpec_##K* spec = nullptr;                                                                \
            if (veksFFTInit_##K(&spec, order, flag, hint, spec_mem, static_cast<Vek8u*>(mem.back())) !=     \
                vekStsOk)                                                                                   \
                return nullptr;                                                                             \
            n = 1 << order;                                                                                 \
            return spec;                                                                                    \
        }                                                                                                   \
        static void release(VeksFFTSpec_##K* s) { veksFFTFree_##K(s); }                                    \
        static int buf_size(const VeksFFTSpec_##K* s) {                                                     \
            int b = 0;                                                                                      \
            return veksFFTGetBufSize_##K(s, &b) == vekStsOk ? b : 0;                                        \
        }                                                                                                   \
    };                                                                                                      \
    /* The life cycle with drawn arguments: sizes, Init into memory of    */                               \
    /* exactly the reported size at any offset, InitAlloc and Free.       */                               \
    void lifecycle_##K(Call& c) {                                                                           \
        FuzzedDataProvider& in = c.input();                                                                 \
        const int order = in.ConsumeBool() ? in.ConsumeIntegralInRange(-2, 30) : interesting_int(in);      \
        const int flag = in.ConsumeBool() ? in.PickValueInArray({1, 2, 4, 8}) : interesting_int(in);       \
        const int hint = in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 2) : interesting_int(in);         \
        const bool small = order >= 0 && order <= 16 && (flag == 1 || flag == 2 || flag == 4 || flag == 8); \
        int sizes[3] = {0, 0, 0};                                                                           \
        const VekStatus st = veksFFTGetSize_##K(order, flag, hint, &sizes[0], &sizes[1], &sizes[2]);       \
        if (!documented_status(st)) fail(#K " GetSize", "undocumented status", st);                       \
        if (st != vekStsOk || !small) return;                                                               \
        const std::size_t offset = in.ConsumeIntegralInRange(0, 31);                                        \
        auto* mem = static_cast<Vek8u*>(c.keep(std::malloc(std::size_t(sizes[0]) + offset))) + offset;     \
        auto* init_buf = static_cast<Vek8u*>(c.keep(std::malloc(std::size_t(sizes[1]) + 1)));             \
        VeksFFTSpec_##K* spec = nullptr;                                                                    \
        VekStatus s = veksFFTInit_##K(&spec, order, flag, hint, mem, init_buf);                             \
        if (s == vekStsOk) {                                                                                \
            int b = -1;                                                                                     \
            if (veksFFTGetBufSize_##K(spec, &b) != vekStsOk || b < 0) fail(#K " GetBufSize", "refused", 0); \
            if (veksFFTFree_##K(spec) != vekStsOk) fail(#K " Free", "refused", 0);                          \
            if (veksFFTGetBufSize_##K(spec, &b) != vekStsBadContext) fail(#K " GetBufSize", "freed", 0);    \
        }                                                                                                   \
        if (order > 12) return;                                                                             \
        VeksFFTSpec_##K* owned = reinterpret_cast<VeksFFTSpec_##K*>(&sizes);                                \
        s = veksFFTInitAlloc_##K(&owned, order, flag, hint);                                                \
        if (s != vekStsOk && owned != reinterpret_cast<VeksFFTSpec_##K*>(&sizes))                           \
            fail(#K " InitAlloc", "an error changed the out pointer", s);                                   \
        if (s == vekStsOk) veksFFTFree_##K(owned);                                                          \
    }

FZ_FFT_SPEC(C_16sc)
FZ_FFT_SPEC(C_16s)
FZ_FFT_SPEC(R_16s)
FZ_FFT_SPEC(C_32fc)
FZ_FFT_SPEC(C_32f)
FZ_FFT_SPEC(R_32f)
FZ_FFT_SPEC(C_64fc)
FZ_FFT_SPEC(C_64f)
FZ_FFT_SPEC(R_64f)
FZ_FFT_SPEC(C_32sc)
FZ_FFT_SPEC(C_32s)
FZ_FFT_SPEC(R_32s)
FZ_FFT_SPEC(R_16s32s)

// DCT specs of any length (both sides of the engine thresholds) and hint.
#define FZ_DCT_SPEC(Dir, t)                                                                                 \
    template <> struct SpecTraits<VeksDCT##Dir##Spec_##t> {                                                 \
        static VeksDCT##Dir##Spec_##t* make(FuzzedDataProvider& in, std::vector<void*>& mem, int& n) {     \
            const int len = in.ConsumeBool() ? in.ConsumeIntegralInRange(1, 140) : in.ConsumeIntegralInRange(1, 1100); \
            const int hint = in.ConsumeIntegralInRange(0, 2);                                               \
            int spec_size = 0, init_size = 0, buf_size = 0;                                                 \
            if (veksDCT##Dir##GetSize_##t(len, hint, &spec_size, &init_size, &buf_size) != vekStsOk)        \
                return nullptr;                                                                             \
            mem.push_back(std::malloc(std::size_t(spec_size)));                                             \
            Vek8u* spec_mem = static_cast<Vek8u*>(mem.back());                                              \
            mem.push_back(std::malloc(std::size_t(init_size) + 1));                                         \
            VeksDCT##Dir##Spec_##t* spec = nullptr;                                                         \
            if (veksDCT##Dir##Init_##t(&spec, len, hint, spec_mem, static_cast<Vek8u*>(mem.back())) != vekStsOk) \
                return nullptr;                                                                             \
            n = len;                                                                                        \
            return spec;                                                                                    \
        }                                                                                                   \
        static void release(VeksDCT##Dir##Spec_##t* s) { veksDCT##Dir##Free_##t(s); }                      \
        static int buf_size(const VeksDCT##Dir##Spec_##t* s) {                                              \
            int b = 0;                                                                                      \
            return veksDCT##Dir##GetBufSize_##t(s, &b) == vekStsOk ? b : 0;                                 \
        }                                                                                                   \
    };
FZ_DCT_SPEC(Fwd, 32f)
FZ_DCT_SPEC(Inv, 32f)
FZ_DCT_SPEC(Fwd, 64f)
FZ_DCT_SPEC(Inv, 64f)
FZ_DCT_SPEC(Fwd, 16s)
FZ_DCT_SPEC(Inv, 16s)

// DFT specs of any length (every engine: short kernels, powers of two,
// mixed radix, direct, chirp), flag and hint; made by InitAlloc only.
#define FZ_DFT_SPEC(Spec, K)                                                                                \
    template <> struct SpecTraits<Veks##Spec##Spec_##K> {                                                  \
        static constexpr bool allocated = true;                                                             \
        static Veks##Spec##Spec_##K* make(FuzzedDataProvider& in, std::vector<void*>&, int& n) {           \
            const int len = in.ConsumeBool() ? in.ConsumeIntegralInRange(1, 160) : in.ConsumeIntegralInRange(1, 1200); \
            const int flag = in.PickValueInArray({1, 2, 4, 8});                                             \
            const int hint = in.ConsumeIntegralInRange(0, 2);                                               \
            Veks##Spec##Spec_##K* spec = nullptr;                                                           \
            if (veks##Spec##InitAlloc_##K(&spec, len, flag, hint) != vekStsOk) return nullptr;              \
            n = len;                                                                                        \
            return spec;                                                                                    \
        }                                                                                                   \
        static void release(Veks##Spec##Spec_##K* s) { veks##Spec##Free_##K(s); }                          \
        static int buf_size(const Veks##Spec##Spec_##K* s) {                                               \
            int b = 0;                                                                                      \
            return veks##Spec##GetBufSize_##K(s, &b) == vekStsOk ? b : 0;                                   \
        }                                                                                                   \
    };
FZ_DFT_SPEC(DFT, C_16sc)
FZ_DFT_SPEC(DFT, C_16s)
FZ_DFT_SPEC(DFT, R_16s)
FZ_DFT_SPEC(DFT, C_32fc)
FZ_DFT_SPEC(DFT, C_32f)
FZ_DFT_SPEC(DFT, R_32f)
FZ_DFT_SPEC(DFT, C_64fc)
FZ_DFT_SPEC(DFT, C_64f)
FZ_DFT_SPEC(DFT, R_64f)
FZ_DFT_SPEC(DFTOutOrd, C_32fc)
FZ_DFT_SPEC(DFTOutOrd, C_64fc)

// Hilbert specs (InitAlloc only; no work buffer argument).
#define FZ_HILBERT_SPEC(K)                                                                                  \
    template <> struct SpecTraits<VeksHilbertSpec_##K> {                                                    \
        static constexpr bool allocated = true;                                                             \
        static VeksHilbertSpec_##K* make(FuzzedDataProvider& in, std::vector<void*>&, int& n) {            \
            const int len = in.ConsumeBool() ? in.ConsumeIntegralInRange(1, 40) : in.ConsumeIntegralInRange(1, 1200); \
            VeksHilbertSpec_##K* spec = nullptr;                                                            \
            if (veksHilbertInitAlloc_##K(&spec, len, in.ConsumeIntegralInRange(0, 2)) != vekStsOk) return nullptr; \
            n = len;                                                                                        \
            return spec;                                                                                    \
        }                                                                                                   \
        static void release(VeksHilbertSpec_##K* s) { veksHilbertFree_##K(s); }                            \
        static int buf_size(const VeksHilbertSpec_##K*) { return 0; }                                       \
    };
FZ_HILBERT_SPEC(32f32fc)
FZ_HILBERT_SPEC(16s32fc)
FZ_HILBERT_SPEC(16s16sc)

// DFT and Hilbert life cycles with a drawn length, flag and hint: an error
// leaves the out pointer alone, a success is released by Free.
template <class Spec, class Make, class Free>
void alloc_lifecycle(Call& c, const char* name, Make make, Free free_fn) {
    FuzzedDataProvider& in = c.input();
    const int len = in.ConsumeBool() ? in.ConsumeIntegralInRange(-2, 1500) : interesting_int(in);
    if (len > 5000) return;  // large lengths are sized, not fuzzed
    const int flag = in.ConsumeBool() ? in.PickValueInArray({1, 2, 4, 8}) : interesting_int(in);
    const int hint = in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 2) : interesting_int(in);
    int marker = 0;
    Spec* spec = reinterpret_cast<Spec*>(&marker);
    const VekStatus s = make(&spec, len, flag, hint);
    if (!documented_status(s)) fail(name, "undocumented status", s);
    if (s != vekStsOk && spec != reinterpret_cast<Spec*>(&marker)) fail(name, "an error changed the out pointer", s);
    if (s == vekStsOk && len < 1) fail(name, "a length below 1 was accepted", s);
    if (s == vekStsOk && free_fn(spec) != vekStsOk) fail(name, "Free refused a valid object", 0);
}
#define FZ_DFT_LIFECYCLE(Spec, K)                                                                           \
    void lifecycle_##Spec##_##K(Call& c) {                                                                  \
        alloc_lifecycle<Veks##Spec##Spec_##K>(c, #Spec " InitAlloc " #K, veks##Spec##InitAlloc_##K,       \
                                              veks##Spec##Free_##K);                                        \
    }
FZ_DFT_LIFECYCLE(DFT, C_32fc)
FZ_DFT_LIFECYCLE(DFT, R_32f)
FZ_DFT_LIFECYCLE(DFT, R_16s)
FZ_DFT_LIFECYCLE(DFT, C_64f)
FZ_DFT_LIFECYCLE(DFTOutOrd, C_64fc)
void lifecycle_Hilbert(Call& c) {
    alloc_lifecycle<VeksHilbertSpec_16s16sc>(
        c, "Hilbert InitAlloc",
        [](VeksHilbertSpec_16s16sc** p, int len, int, int hint) { return veksHilbertInitAlloc_16s16sc(p, len, hint); },
        veksHilbertFree_16s16sc);
}

} // namespace fz

namespace {
const fz::Entry kTable[] = {
#define FZ_LIFECYCLE_ROW(K) {"FFT life cycle " #K, fz::lifecycle_##K},
    FZ_LIFECYCLE_ROW(C_16sc) FZ_LIFECYCLE_ROW(C_16s) FZ_LIFECYCLE_ROW(R_16s) FZ_LIFECYCLE_ROW(C_32fc)
    FZ_LIFECYCLE_ROW(C_32f) FZ_LIFECYCLE_ROW(R_32f) FZ_LIFECYCLE_ROW(C_64fc) FZ_LIFECYCLE_ROW(C_64f)
    FZ_LIFECYCLE_ROW(R_64f) FZ_LIFECYCLE_ROW(C_32sc) FZ_LIFECYCLE_ROW(C_32s) FZ_LIFECYCLE_ROW(R_32s)
    FZ_LIFECYCLE_ROW(R_16s32s)
    {"DFT life cycle C_32fc", fz::lifecycle_DFT_C_32fc}, {"DFT life cycle R_32f", fz::lifecycle_DFT_R_32f},
    {"DFT life cycle R_16s", fz::lifecycle_DFT_R_16s}, {"DFT life cycle C_64f", fz::lifecycle_DFT_C_64f},
    {"DFTOutOrd life cycle C_64fc", fz::lifecycle_DFTOutOrd_C_64fc}, {"Hilbert life cycle", fz::lifecycle_Hilbert},
#include FUZZ_TABLE
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fz::run_table(kTable, data, size);
}
