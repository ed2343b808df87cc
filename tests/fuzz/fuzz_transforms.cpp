// Fuzz target of the transforms: FFT spec life cycles with any order, flag
// and hint, and every transform, packed-spectrum, DCT and Goertzel function
// against valid, null, freed and never-built specs (those rows are generated).
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

} // namespace fz

namespace {
const fz::Entry kTable[] = {
#define FZ_LIFECYCLE_ROW(K) {"FFT life cycle " #K, fz::lifecycle_##K},
    FZ_LIFECYCLE_ROW(C_16sc) FZ_LIFECYCLE_ROW(C_16s) FZ_LIFECYCLE_ROW(R_16s) FZ_LIFECYCLE_ROW(C_32fc)
    FZ_LIFECYCLE_ROW(C_32f) FZ_LIFECYCLE_ROW(R_32f) FZ_LIFECYCLE_ROW(C_64fc) FZ_LIFECYCLE_ROW(C_64f)
    FZ_LIFECYCLE_ROW(R_64f) FZ_LIFECYCLE_ROW(C_32sc) FZ_LIFECYCLE_ROW(C_32s) FZ_LIFECYCLE_ROW(R_32s)
    FZ_LIFECYCLE_ROW(R_16s32s)
#include FUZZ_TABLE
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fz::run_table(kTable, data, size);
}
