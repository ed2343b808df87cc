// Float to integer against an exact reference over every mode and many scale
// factors, shuffled so that values reach both the block path and the tail.
#include "convert_test_util.h"

namespace {

// How a form builds 2^-sf; packed forms take no mode and write 3 bytes each.
enum class Factor { plain, clamped_64f16s, packed_single_field };

// The scale factor a form applies: packed forms build 2^-sf as a single from
// its exponent field (sf 127 gives 0), the others in double precision (zero
// or infinite beyond its range).
int applied_sf(int sf, Factor f) {
    if (f == Factor::packed_single_field) return std::clamp(sf, -127, 127);
    return f == Factor::clamped_64f16s ? std::clamp(sf, -1008, 1022) : std::clamp(sf, -1100, 1100);
}

// Mode 0 truncates, 1 rounds ties to even, any other ties away from zero.
// NaN gives 0, or the integer indefinite for a 32-bit result rounded away.
long long reference(long double v, int mode, long double lo, long double hi, bool is_32bit) {
    const bool away = mode != 0 && mode != 1;
    if (std::isnan(v)) return away && is_32bit ? INT_MIN : 0;
    v = std::clamp(v, lo, hi);
    if (mode == 0) return static_cast<long long>(std::trunc(v));
    return static_cast<long long>(away ? std::round(v) : std::nearbyint(v));
}

const int kScaleFactors[] = {0, 1, -1, 2, -2, 3, 7, -7, 15, -15, 16, 24, 31, -31, 33, 40, -40, 126, 127, 128,
                             -127, -128, 149, 200, -200, 1022, 1023, 1074, 1075, -1008, -1009, -1023, -1024,
                             INT_MAX, INT_MIN};

template <class F, class D, class Call>
void sweep(Call call, long double lo, long double hi, Factor rule, vt::Rng& rng) {
    const bool packed = rule == Factor::packed_single_field;
    for (int sf : kScaleFactors) {
        const int applied = applied_sf(sf, rule);
        std::vector<F> src = ct::sweep_values<F>(static_cast<double>(lo), static_cast<double>(hi), applied, rng, 600);
        std::shuffle(src.begin(), src.end(), rng.engine());
        const long double factor = packed && applied == 127 ? 0.0L : std::ldexp(1.0, -applied);
        for (int mode : packed ? std::vector<int>{1} : std::vector<int>{0, 1, 2, 3, -1}) {
            vt::Guarded<D> dst(src.size() * (packed ? 3 : 1));
            ASSERT_EQ(call(src.data(), dst.data(), int(src.size()), mode, sf), vekStsOk);
            ASSERT_TRUE(dst.guard_intact());
            for (std::size_t i = 0; i < src.size(); ++i) {
                const Vek8u* p = reinterpret_cast<const Vek8u*>(dst.data()) + 3 * i;
                const std::int64_t got = !packed ? dst[i] : lo < 0 ? ct::get24s(p) : std::int64_t(ct::get24u(p));
                ASSERT_EQ(got, reference(src[i] * factor, mode, lo, hi, sizeof(D) == 4))
                    << "x=" << double(src[i]) << " to [" << double(lo) << ", " << double(hi) << "] from " << sizeof(F) * 8
                    << " bits, mode " << mode << " sf " << sf;
            }
        }
    }
}

TEST(ConvertFloatToInt, SweepAgainstExactReference) {
    vt::Rng rng(7);
    const long double min32 = -2147483648.0L, max32 = 2147483647;
    sweep<Vek32f, Vek8s>(veksConvert_32f8s_Sfs, -128, 127, Factor::plain, rng);
    sweep<Vek32f, Vek8u>(veksConvert_32f8u_Sfs, 0, 255, Factor::plain, rng);
    sweep<Vek32f, Vek16s>(veksConvert_32f16s_Sfs, -32768, 32767, Factor::plain, rng);
    sweep<Vek32f, Vek16u>(veksConvert_32f16u_Sfs, 0, 65535, Factor::plain, rng);
    sweep<Vek32f, Vek32s>(veksConvert_32f32s_Sfs, min32, max32, Factor::plain, rng);
    sweep<Vek64f, Vek16s>(veksConvert_64f16s_Sfs, -32768, 32767, Factor::clamped_64f16s, rng);
    sweep<Vek64f, Vek32s>(veksConvert_64f32s_Sfs, min32, max32, Factor::plain, rng);
    const auto packed = [](auto fn) { return [fn](const Vek32f* s, Vek8u* d, int n, int, int sf) { return fn(s, d, n, sf); }; };
    sweep<Vek32f, Vek8u>(packed(veksConvert_32f24s_Sfs), -8388608, 8388607, Factor::packed_single_field, rng);
    sweep<Vek32f, Vek8u>(packed(veksConvert_32f24u_Sfs), 0, 16777215, Factor::packed_single_field, rng);
}

} // namespace
