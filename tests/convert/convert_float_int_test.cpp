// Float to integer conversions against an exact long double reference:
// every rounding mode, a range of scale factors, halves, near-halves,
// saturation edges and special values, in shuffled order so that values
// reach both the block path and the element tail.
#include <functional>

#include "convert_test_util.h"

namespace {

enum class Factor { plain, clamped_64f16s, single_field };

struct Form {
    const char* name;
    bool src_double;
    long double lo, hi;
    bool has_mode;
    Factor factor;
    int dst_bytes; // bytes per element; 3 for packed
    std::function<VekStatus(const void*, void*, int, int, int)> call;
    std::function<long long(const void*, std::size_t)> read;
};

template <class D>
long long read_as(const void* p, std::size_t i) { return static_cast<const D*>(p)[i]; }
long long read_24s(const void* p, std::size_t i) { return ct::get24s(static_cast<const Vek8u*>(p) + 3 * i); }
long long read_24u(const void* p, std::size_t i) { return ct::get24u(static_cast<const Vek8u*>(p) + 3 * i); }

#define FORM(S, F, D, LO, HI, FACTOR)                                                                             \
    Form{#S, sizeof(Vek##F) == 8, LO, HI, true, FACTOR, sizeof(Vek##D),                                            \
         [](const void* s, void* d, int n, int m, int sf) {                                                        \
             return veksConvert_##S##_Sfs(static_cast<const Vek##F*>(s), static_cast<Vek##D*>(d), n, m, sf);    \
         },                                                                                                        \
         read_as<Vek##D>}
#define FORM24(S, LO, HI, READ)                                                                                   \
    Form{#S, false, LO, HI, false, Factor::single_field, 3,                                                        \
         [](const void* s, void* d, int n, int, int sf) {                                                          \
             return veksConvert_##S##_Sfs(static_cast<const Vek32f*>(s), static_cast<Vek8u*>(d), n, sf);          \
         },                                                                                                        \
         READ}

const std::vector<Form>& forms() {
    static const std::vector<Form> f = {
        FORM(32f8s, 32f, 8s, -128, 127, Factor::plain),
        FORM(32f8u, 32f, 8u, 0, 255, Factor::plain),
        FORM(32f16s, 32f, 16s, -32768, 32767, Factor::plain),
        FORM(32f16u, 32f, 16u, 0, 65535, Factor::plain),
        FORM(32f32s, 32f, 32s, -2147483648.0L, 2147483647, Factor::plain),
        FORM(64f16s, 64f, 16s, -32768, 32767, Factor::clamped_64f16s),
        FORM(64f32s, 64f, 32s, -2147483648.0L, 2147483647, Factor::plain),
        FORM24(32f24s, -8388608, 8388607, read_24s),
        FORM24(32f24u, 0, 16777215, read_24u),
    };
    return f;
}

// The multiplier as the rule forms it: repeated halving or doubling of 1.0
// in double precision (stable after a couple of thousand steps), or a single
// built from its exponent field.
long double reference_factor(int sf, Factor f) {
    if (f == Factor::single_field) {
        sf = std::clamp(sf, -127, 127);
        return sf == 127 ? 0.0L : std::ldexp(1.0L, -sf);
    }
    if (f == Factor::clamped_64f16s) sf = std::clamp(sf, -1008, 1022);
    double x = 1.0;
    for (int i = 0; i < std::min(sf, 2000); ++i) x *= 0.5;
    for (int i = 0; i > std::max(sf, -2000); --i) x *= 2.0;
    return x;
}

long long reference(long double x, long double factor, int mode, const Form& f) {
    const long double v = x * factor;
    const bool away = f.has_mode && mode != 0 && mode != 1;
    if (std::isnan(v)) return away && f.dst_bytes == 4 ? INT_MIN : 0;
    if (v < f.lo) return static_cast<long long>(f.lo);
    if (v > f.hi) return static_cast<long long>(f.hi);
    if (!f.has_mode) return static_cast<long long>(std::nearbyint(v));
    switch (mode) {
    case 0: return static_cast<long long>(std::trunc(v));
    case 1: return static_cast<long long>(std::nearbyint(v)); // ties to even in the default mode
    default: return static_cast<long long>(std::round(v));    // ties away from zero
    }
}

const int kScaleFactors[] = {0, 1, -1, 2, -2, 3, 7, -7, 15, -15, 16, 24, 31, -31, 33, 40, -40, 126, 127, 128,
                             -127, -128, 149, 200, -200, 1022, 1023, 1074, 1075, -1008, -1009, -1023, -1024,
                             INT_MAX, INT_MIN};

template <class F>
void sweep(const Form& f, vt::Rng& rng) {
    for (int sf : kScaleFactors) {
        const int effective = f.factor == Factor::single_field ? std::clamp(sf, -127, 126)
                              : f.factor == Factor::clamped_64f16s ? std::clamp(sf, -1008, 1022) : std::clamp(sf, -1100, 1100);
        std::vector<F> src = ct::sweep_values<F>(static_cast<double>(f.lo), static_cast<double>(f.hi), effective, rng, 600);
        std::shuffle(src.begin(), src.end(), rng.engine());
        const long double factor = reference_factor(sf, f.factor);
        for (int mode : f.has_mode ? std::vector<int>{0, 1, 2, 3, -1} : std::vector<int>{1}) {
            vt::Guarded<Vek8u> dst(src.size() * f.dst_bytes);
            ASSERT_EQ(f.call(src.data(), dst.data(), int(src.size()), mode, sf), vekStsOk);
            ASSERT_TRUE(dst.guard_intact());
            for (std::size_t i = 0; i < src.size(); ++i)
                ASSERT_EQ(f.read(dst.data(), i), reference(src[i], factor, mode, f))
                    << f.name << " x=" << static_cast<double>(src[i]) << " mode=" << mode << " sf=" << sf;
        }
    }
}

TEST(ConvertFloatToInt, SweepAgainstExactReference) {
    vt::Rng rng(7);
    for (const Form& f : forms()) {
        if (f.src_double) sweep<double>(f, rng);
        else sweep<float>(f, rng);
    }
}

} // namespace
