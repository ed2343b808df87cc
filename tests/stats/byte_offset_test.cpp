// Every kernel family of the statistics at odd byte offsets.
#include "offset_cases.h"
#include "stats_test_util.h"

namespace {

constexpr int n = 37; // SIMD blocks and a scalar tail

// Argument i of a call: pointers from the case's buffers, the length n, any other number 2.
template <class A> A arg(const std::vector<void*>& p, int ordinal, bool is_len) {
    if constexpr (std::is_pointer_v<A>) return static_cast<A>(p[std::size_t(ordinal)]);
    else return A(is_len ? n : 2);
}
template <class A> void add_buffer(std::vector<vt::OffsetBuffer>& b) {
    if constexpr (std::is_pointer_v<A>) b.push_back(vt::offset_input<std::remove_const_t<std::remove_pointer_t<A>>>(n));
}

// A case from the signature alone: every pointer gets n random elements.
template <class... Args, std::size_t... I>
vt::OffsetCase offset_case(const char* name, VekStatus (*fn)(Args...), std::index_sequence<I...>) {
    constexpr auto ord = sp::pointer_ordinals<Args...>();
    constexpr int len_at = sp::first_int_arg<Args...>();
    vt::OffsetCase c{name, {}, [fn, ord](const std::vector<void*>& p) { return fn(arg<Args>(p, ord[I], int(I) == len_at)...); }};
    (add_buffer<Args>(c.buffers), ...);
    return c;
}
template <class... Args> vt::OffsetCase offset_case(const char* name, VekStatus (*fn)(Args...)) {
    return offset_case(name, fn, std::index_sequence_for<Args...>{});
}
#define OFFSET_CASE(fn) offset_case(#fn, fn)

TEST(StatsOffsets, MatchAligned) {
    for (const auto& c : {OFFSET_CASE(veksSum_32f), OFFSET_CASE(veksSum_16s_Sfs), OFFSET_CASE(veksMean_32f), OFFSET_CASE(veksStdDev_32f),
                          OFFSET_CASE(veksNorm_L2_32f), OFFSET_CASE(veksMax_32f), OFFSET_CASE(veksMaxAbsIndx_16s),
                          OFFSET_CASE(veksMinMax_16s), OFFSET_CASE(veksMinMaxIndx_32f), OFFSET_CASE(veksMaxEvery_32f_I),
                          OFFSET_CASE(veksDotProd_32f), OFFSET_CASE(veksNormalize_32f)})
        vt::expect_offset_independent(c);
}

} // namespace
