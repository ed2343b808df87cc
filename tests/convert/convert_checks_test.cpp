// Argument checks of every element-wise conversion: source, destination,
// then length; the half-precision forms then reject rounding mode 2.
// Nothing is written on an error.
#include <functional>

#include "convert_test_util.h"

namespace {

// Calls one function with (src or null, dst or null, len); extra arguments fixed.
using Call = std::function<VekStatus(const void*, void*, int)>;
struct Row { const char* name; Call call; };

#define ROW(NAME, S, D, ...) \
    Row{#NAME, [](const void* s, void* d, int n) { return NAME(static_cast<const S*>(s), static_cast<D*>(d), n __VA_ARGS__); }}

const std::vector<Row>& rows() {
    static const std::vector<Row> r = {
        ROW(veksConvert_8s16s, Vek8s, Vek16s), ROW(veksConvert_8s32f, Vek8s, Vek32f), ROW(veksConvert_8u32f, Vek8u, Vek32f),
        ROW(veksConvert_16s32s, Vek16s, Vek32s), ROW(veksConvert_16s32f, Vek16s, Vek32f), ROW(veksConvert_16u32f, Vek16u, Vek32f),
        ROW(veksConvert_16s32f_Sfs, Vek16s, Vek32f, , 1), ROW(veksConvert_16s64f_Sfs, Vek16s, Vek64f, , 1),
        ROW(veksConvert_32s16s, Vek32s, Vek16s), ROW(veksConvert_32s16s_Sfs, Vek32s, Vek16s, , 1),
        ROW(veksConvert_32s24s_Sfs, Vek32s, Vek8u, , 1), ROW(veksConvert_32u24u_Sfs, Vek32u, Vek8u, , 1),
        ROW(veksConvert_64s32s_Sfs, Vek64s, Vek32s, , 1, 1), ROW(veksConvert_32s32f, Vek32s, Vek32f),
        ROW(veksConvert_32s32f_Sfs, Vek32s, Vek32f, , 1), ROW(veksConvert_32s64f, Vek32s, Vek64f),
        ROW(veksConvert_32s64f_Sfs, Vek32s, Vek64f, , 1), ROW(veksConvert_24s32s, Vek8u, Vek32s),
        ROW(veksConvert_24u32u, Vek8u, Vek32u), ROW(veksConvert_24s32f, Vek8u, Vek32f), ROW(veksConvert_24u32f, Vek8u, Vek32f),
        ROW(veksConvert_32f8s_Sfs, Vek32f, Vek8s, , 1, 0), ROW(veksConvert_32f8u_Sfs, Vek32f, Vek8u, , 1, 0),
        ROW(veksConvert_32f16s_Sfs, Vek32f, Vek16s, , 1, 0), ROW(veksConvert_32f16u_Sfs, Vek32f, Vek16u, , 1, 0),
        ROW(veksConvert_32f32s_Sfs, Vek32f, Vek32s, , 2, 0), ROW(veksConvert_32f24s_Sfs, Vek32f, Vek8u, , 0),
        ROW(veksConvert_32f24u_Sfs, Vek32f, Vek8u, , 0), ROW(veksConvert_64f16s_Sfs, Vek64f, Vek16s, , 1, 0),
        ROW(veksConvert_64f32s_Sfs, Vek64f, Vek32s, , 1, 0), ROW(veksConvert_32f64f, Vek32f, Vek64f),
        ROW(veksConvert_64f32f, Vek64f, Vek32f), ROW(veksConvert_16f32f, Vek16f, Vek32f),
        ROW(veksConvert_32f16f, Vek32f, Vek16f, , 1), ROW(veksConvert_16s16f, Vek16s, Vek16f, , 0),
        ROW(veksConvert_16f16s_Sfs, Vek16f, Vek16s, , 1, 0),
        ROW(veksALawToLin_8u16s, Vek8u, Vek16s), ROW(veksALawToLin_8u32f, Vek8u, Vek32f),
        ROW(veksMuLawToLin_8u16s, Vek8u, Vek16s), ROW(veksMuLawToLin_8u32f, Vek8u, Vek32f),
        ROW(veksLinToALaw_16s8u, Vek16s, Vek8u), ROW(veksLinToALaw_32f8u, Vek32f, Vek8u),
        ROW(veksLinToMuLaw_16s8u, Vek16s, Vek8u), ROW(veksLinToMuLaw_32f8u, Vek32f, Vek8u),
        ROW(veksALawToMuLaw_8u, Vek8u, Vek8u), ROW(veksMuLawToALaw_8u, Vek8u, Vek8u),
    };
    return r;
}

TEST(ConvertChecks, PointersThenLength) {
    alignas(16) unsigned char src[64] = {};
    for (const Row& r : rows()) {
        vt::Guarded<Vek64f> dst(8);
        vt::expect_ptrs_then_len(2, [&](int nul, int len) {
            return r.call(vt::ptr_or_null<const void>(src, 0, nul), vt::ptr_or_null<void>(dst.data(), 1, nul), len);
        }, [&] { return dst.intact(); });
        EXPECT_EQ(r.call(src, dst.data(), 4), vekStsOk) << r.name;
        EXPECT_TRUE(dst.guard_intact()) << r.name;
    }
}

TEST(ConvertChecks, HalfFormsRejectRoundModeTwoAfterLength) {
    alignas(16) unsigned char src[64] = {};
    const std::vector<Row> half = {
        ROW(veksConvert_32f16f, Vek32f, Vek16f, , 2), ROW(veksConvert_16s16f, Vek16s, Vek16f, , 2),
        ROW(veksConvert_16f16s_Sfs, Vek16f, Vek16s, , 2, 0)};
    for (const Row& r : half) {
        vt::Guarded<Vek32f> dst(8);
        EXPECT_EQ(r.call(nullptr, dst.data(), 4), vekStsNullPtr) << r.name;
        EXPECT_EQ(r.call(src, dst.data(), 0), vekStsBadLength) << r.name;
        EXPECT_EQ(r.call(src, dst.data(), 4), vekStsBadRoundMode) << r.name;
        EXPECT_TRUE(dst.intact()) << r.name;
    }
}

} // namespace
