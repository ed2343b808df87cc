// Fuzz target of the transforms: FFT, DFT and Hilbert spec life cycles with
// any length, flag and hint, and the generated rows of every transform
// function against valid, null, freed and never-built specs.
#include "fuzz_support.h"

namespace fz {

// Release and work-buffer size of a spec kind (Hilbert specs have no work buffer).
template <class Spec, auto Free, auto GetBufSize = nullptr> struct SpecOps {
    static void release(Spec* s) { Free(s); }
    static int buf_size(const Spec* s) {
        int b = 0;
        if constexpr (std::is_null_pointer_v<decltype(GetBufSize)>) return 0;
        else return GetBufSize(s, &b) == vekStsOk ? b : 0;
    }
};

// A spec built by Init (given args) in memory of the sizes GetSize reports
// for args, at any offset; null when refused, else n becomes len.
template <class Spec, auto GetSize, auto Init, class... A> Spec* placed(Call& c, int& n, int len, A... args) {
    int spec_size = 0, init_size = 0, buf_size = 0;
    if (GetSize(args..., &spec_size, &init_size, &buf_size) != vekStsOk) return nullptr;
    Vek8u* spec_mem = c.drawn_memory(spec_size);
    Vek8u* init_mem = static_cast<Vek8u*>(c.keep(std::malloc(std::size_t(init_size) + 1)));
    Spec* spec = nullptr;
    if (Init(&spec, args..., spec_mem, init_mem) != vekStsOk) return nullptr;
    n = len;
    return spec;
}

// An FFT spec placed by Init from drawn arguments is queried and freed.
template <class Spec, auto GetSize, auto Init, auto Free, auto GetBufSize>
void fft_placed(Call& c, int order, int flag, int hint) {
    int sizes[3] = {0, 0, 0};
    const VekStatus st = GetSize(order, flag, hint, &sizes[0], &sizes[1], &sizes[2]);
    if (!documented_status(st)) fail(c.name(), "GetSize: undocumented status", st);
    const bool small = order >= 0 && order <= 16 && (flag == 1 || flag == 2 || flag == 4 || flag == 8);
    int n = 0;
    if (Spec* spec = small ? placed<Spec, GetSize, Init>(c, n, 0, order, flag, hint) : nullptr) {
        int b = -1;
        if (GetBufSize(spec, &b) != vekStsOk || b < 0) fail(c.name(), "GetBufSize refused", 0);
        if (Free(spec) != vekStsOk) fail(c.name(), "Free refused", 0);
        if (GetBufSize(spec, &b) != vekStsBadContext) fail(c.name(), "GetBufSize accepted a freed spec", 0);
    }
}

// A life cycle with a drawn length (FFT: order) in [-2, Hi] or any, flag and
// hint (FFT kinds first placed): InitAlloc, up to length Max, refuses a
// length below Min, an error leaves the out pointer alone and Free releases a success.
template <class Spec, auto InitAlloc, auto Free, int Min, int Hi, int Max, auto Placed = nullptr>
void lifecycle(Call& c) {
    FuzzedDataProvider& in = c.input();
    const int len = in.ConsumeBool() ? in.ConsumeIntegralInRange(-2, Hi) : interesting_int(in);
    const int flag = in.ConsumeBool() ? in.PickValueInArray({1, 2, 4, 8}) : interesting_int(in);
    const int hint = in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 2) : interesting_int(in);
    if constexpr (!std::is_null_pointer_v<decltype(Placed)>) Placed(c, len, flag, hint);
    if (len > Max) return;
    int marker = 0;
    Spec* spec = reinterpret_cast<Spec*>(&marker);
    const VekStatus s = InitAlloc(&spec, len, flag, hint);
    if (!documented_status(s)) fail(c.name(), "undocumented status", s);
    if (s != vekStsOk && spec != reinterpret_cast<Spec*>(&marker)) fail(c.name(), "an error changed the out pointer", s);
    if (s == vekStsOk && len < Min) fail(c.name(), "a length below the least was accepted", s);
    if (s == vekStsOk && Free(spec) != vekStsOk) fail(c.name(), "Free refused a valid object", 0);
}

#define FZ_FFT_SPEC(K)                                                                                     \
    template <> struct SpecTraits<VeksFFTSpec_##K> : SpecOps<VeksFFTSpec_##K, veksFFTFree_##K, veksFFTGetBufSize_##K> { \
        static VeksFFTSpec_##K* make(FuzzedDataProvider& in, Call& c, int& n) {                        \
            const int order = in.ConsumeIntegralInRange(0, 11);                                            \
            const int flag = in.PickValueInArray({1, 2, 4, 8});                                            \
            const int hint = in.ConsumeIntegralInRange(0, 2);                                              \
            return placed<VeksFFTSpec_##K, veksFFTGetSize_##K, veksFFTInit_##K>(c, n, 1 << order, order, flag, hint); \
        }                                                                                                  \
    };
// Every FFT kind, for the spec traits and the life-cycle rows.
#define FZ_FFT_KINDS(X) \
    X(C_16sc) X(C_16s) X(R_16s) X(C_32fc) X(C_32f) X(R_32f) X(C_64fc) X(C_64f) X(R_64f) X(C_32sc) X(C_32s) X(R_32s) X(R_16s32s)
FZ_FFT_KINDS(FZ_FFT_SPEC)

// DCT specs of any length (both sides of the engine thresholds) and hint.
#define FZ_DCT_SPEC(Dir, t)                                                                                \
    template <> struct SpecTraits<VeksDCT##Dir##Spec_##t>                                                  \
        : SpecOps<VeksDCT##Dir##Spec_##t, veksDCT##Dir##Free_##t, veksDCT##Dir##GetBufSize_##t> {           \
        static VeksDCT##Dir##Spec_##t* make(FuzzedDataProvider& in, Call& c, int& n) {                 \
            const int len = in.ConsumeBool() ? in.ConsumeIntegralInRange(1, 140) : in.ConsumeIntegralInRange(1, 1100); \
            const int hint = in.ConsumeIntegralInRange(0, 2);                                              \
            return placed<VeksDCT##Dir##Spec_##t, veksDCT##Dir##GetSize_##t, veksDCT##Dir##Init_##t>(c, n, len, len, hint); \
        }                                                                                                  \
    };
FZ_DCT_SPEC(Fwd, 32f) FZ_DCT_SPEC(Inv, 32f) FZ_DCT_SPEC(Fwd, 64f) FZ_DCT_SPEC(Inv, 64f) FZ_DCT_SPEC(Fwd, 16s)
FZ_DCT_SPEC(Inv, 16s)

// DFT specs of any length (every engine: short kernels, powers of two,
// mixed radix, direct, chirp), flag and hint, and Hilbert specs: made by
// InitAlloc only.
template <class Spec, auto InitAlloc, auto Free, auto GetBufSize = nullptr>
struct AllocSpec : SpecOps<Spec, Free, GetBufSize> {
    static constexpr bool allocated = true;
    static Spec* make(FuzzedDataProvider& in, Call&, int& n) {
        const int len = in.ConsumeBool() ? in.ConsumeIntegralInRange(1, 160) : in.ConsumeIntegralInRange(1, 1200);
        const int flag = in.PickValueInArray({1, 2, 4, 8});
        Spec* spec = nullptr;
        if (InitAlloc(&spec, len, flag, in.ConsumeIntegralInRange(0, 2)) != vekStsOk) return nullptr;
        n = len;
        return spec;
    }
};
// Hilbert's InitAlloc takes no flag.
template <class Spec, VekStatus (*InitAlloc)(Spec**, int, int)> VekStatus flagless(Spec** p, int len, int, int hint) {
    return InitAlloc(p, len, hint);
}
#define FZ_DFT_SPEC(Spec, K)                                                                               \
    template <> struct SpecTraits<Veks##Spec##Spec_##K>                                                    \
        : AllocSpec<Veks##Spec##Spec_##K, veks##Spec##InitAlloc_##K, veks##Spec##Free_##K,                 \
                    veks##Spec##GetBufSize_##K> {};
#define FZ_HILBERT_SPEC(K)                                                                                 \
    template <> struct SpecTraits<VeksHilbertSpec_##K>                                                     \
        : AllocSpec<VeksHilbertSpec_##K, flagless<VeksHilbertSpec_##K, veksHilbertInitAlloc_##K>,         \
                    veksHilbertFree_##K> {};
FZ_DFT_SPEC(DFT, C_16sc) FZ_DFT_SPEC(DFT, C_16s) FZ_DFT_SPEC(DFT, R_16s) FZ_DFT_SPEC(DFT, C_32fc) FZ_DFT_SPEC(DFT, C_32f)
FZ_DFT_SPEC(DFT, R_32f) FZ_DFT_SPEC(DFT, C_64fc) FZ_DFT_SPEC(DFT, C_64f) FZ_DFT_SPEC(DFT, R_64f)
FZ_DFT_SPEC(DFTOutOrd, C_32fc) FZ_DFT_SPEC(DFTOutOrd, C_64fc)
FZ_HILBERT_SPEC(32f32fc) FZ_HILBERT_SPEC(16s32fc) FZ_HILBERT_SPEC(16s16sc)

} // namespace fz

namespace {
const fz::Entry kTable[] = {
#define FZ_LIFECYCLE_ROW(K)                                                                                \
    {"FFT life cycle " #K,                                                                                 \
     fz::lifecycle<VeksFFTSpec_##K, veksFFTInitAlloc_##K, veksFFTFree_##K, 0, 30, 12,                      \
                   fz::fft_placed<VeksFFTSpec_##K, veksFFTGetSize_##K, veksFFTInit_##K, veksFFTFree_##K,    \
                                  veksFFTGetBufSize_##K>>},
#define FZ_ALLOC_ROW(Spec, K)                                                                              \
    {#Spec " life cycle " #K,                                                                              \
     fz::lifecycle<Veks##Spec##Spec_##K, veks##Spec##InitAlloc_##K, veks##Spec##Free_##K, 1, 1500, 5000>},
    FZ_FFT_KINDS(FZ_LIFECYCLE_ROW)
    FZ_ALLOC_ROW(DFT, C_32fc) FZ_ALLOC_ROW(DFT, R_32f) FZ_ALLOC_ROW(DFT, R_16s) FZ_ALLOC_ROW(DFT, C_64f)
    FZ_ALLOC_ROW(DFTOutOrd, C_64fc)
    {"Hilbert life cycle", fz::lifecycle<VeksHilbertSpec_16s16sc,
                                         fz::flagless<VeksHilbertSpec_16s16sc, veksHilbertInitAlloc_16s16sc>,
                                         veksHilbertFree_16s16sc, 1, 1500, 5000>},
#include FUZZ_TABLE
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fz::run_table(kTable, data, size);
}
