// Trellis decoding helpers against a plain reference: ties between distinct
// candidates (the first wins) and saturated sums.
#include <algorithm>

#include "exact_ref.h"
#include "signature_probe.h"
#include "veks_test.h"

namespace {

Vek16u sat_add(int a, int b) { return static_cast<Vek16u>(std::min(a + b, 65535)); }
bool same(Vek16sc a, Vek16sc b) { return a.re == b.re && a.im == b.im; }

Vek16sc random_point(vt::Rng& rng, int range) { return {rng.integer<Vek16s>(-range, range), rng.integer<Vek16s>(-range, range)}; }
template <class T, class Draw> std::vector<T> drawn(int n, Draw draw) {
    std::vector<T> v(n);
    for (auto& x : v) x = draw();
    return v;
}

TEST(TrellisHelpers, VarPointMatchesReference) {
    vt::Rng rng(1);
    for (int sf : {-20, -3, 0, 1, 5, 40}) {
        const int n_points = 10, n_sub = 5, len = 3;
        auto pts = drawn<Vek16sc>(n_points, [&] { return random_point(rng, 32767); });
        // The last subset stays empty.
        auto labels = drawn<Vek8u>(n_points, [&] { return rng.integer<Vek8u>(0, n_sub - 2); });
        auto src = drawn<Vek16sc>(len, [&] { return random_point(rng, 32767); });
        src[0] = {100, 100}, pts[1] = {99, 100}, pts[3] = {101, 100}, labels[3] = labels[1]; // a tie
        std::vector<Vek16sc> vp(len * n_sub);
        std::vector<Vek16u> vm(len * n_sub);
        ASSERT_EQ(veksGetVarPointDV_16sc(src.data(), pts.data(), labels.data(), vp.data(), vm.data(), len, n_points, n_sub, sf), vekStsOk);
        for (int i = 0; i < len; ++i)
            for (int s = 0; s < n_sub; ++s) {
                long long best = -1;
                Vek16sc bp{0, 0};
                for (int p = 0; p < n_points; ++p) {
                    const long long dx = src[i].re - pts[p].re, dy = src[i].im - pts[p].im, d = dx * dx + dy * dy;
                    if (labels[p] == s && (best < 0 || d < best)) best = d, bp = pts[p];
                }
                EXPECT_TRUE(same(vp[i * n_sub + s], bp)) << i << " " << s;
                EXPECT_EQ(vm[i * n_sub + s], best < 0 ? 65535 : vt::sat<Vek16u>(vt::scale_half_even(best, sf))) << sf;
            }
    }
}

TEST(TrellisHelpers, SymbolTableMatchesReference) {
    vt::Rng rng(2);
    const int n2 = 6, n4 = 5, n_pairs = 3, len = 4;
    const auto vp = drawn<Vek16sc>(2 * len * n2, [&] { return random_point(rng, 1000); });
    auto vm = drawn<Vek16u>(2 * len * n2, [&] {
        return rng.integer(0, 3) ? rng.integer<Vek16u>(0, 30) : rng.integer<Vek16u>(40000, 65535);
    });
    auto pairs = drawn<Vek8u>(2 * n4 * n_pairs, [&] { return rng.integer<Vek8u>(0, n2 - 1); });
    std::fill(pairs.begin(), pairs.begin() + 2 * n_pairs, 0); // every pair of subset 0 saturates at time 0
    vm[0] = vm[n2] = 60000;
    // A tie between distinct pairs of subset 1 at time 0: 1 + 9 = 4 + 6, the third pair above both.
    for (int k = 0; k < 6; ++k) pairs[2 * n_pairs + k] = Vek8u(1 + k / 2);
    vm[1] = 1, vm[n2 + 1] = 9, vm[2] = 4, vm[n2 + 2] = 6, vm[3] = vm[n2 + 3] = 50;
    std::vector<Vek16sc> p4(2 * len * n4);
    std::vector<Vek16u> m4(len * n4);
    ASSERT_EQ(veksBuildSymblTableDV4D_16sc(vp.data(), vm.data(), pairs.data(), p4.data(), m4.data(), len, n2, n4, n_pairs), vekStsOk);
    for (int t = 0; t < len; ++t)
        for (int s = 0; s < n4; ++s) {
            int best = -1, bm = 0;
            for (int m = 0; m < n_pairs; ++m) {
                const int a = pairs[2 * (s * n_pairs + m)], b = pairs[2 * (s * n_pairs + m) + 1];
                const int v = sat_add(vm[2 * t * n2 + a], vm[(2 * t + 1) * n2 + b]);
                if (best < 0 || v < best) best = v, bm = m;
            }
            const int a = pairs[2 * (s * n_pairs + bm)], b = pairs[2 * (s * n_pairs + bm) + 1];
            EXPECT_EQ(m4[t * n4 + s], best);
            EXPECT_TRUE(same(p4[2 * (t * n4 + s)], vp[2 * t * n2 + a]) && same(p4[2 * (t * n4 + s) + 1], vp[(2 * t + 1) * n2 + b]));
        }
}

TEST(TrellisHelpers, CalcStatesAndRenormaliseMatchReference) {
    vt::Rng rng(3);
    const int n_states = 7, n_br = 3, n4 = 4;
    auto pm = drawn<Vek16u>(n_states, [&] { return rng.integer<Vek16u>(0, 65535); });
    auto m4 = drawn<Vek16u>(n4, [&] { return rng.integer<Vek16u>(0, 40000); });
    const auto p4 = drawn<Vek16sc>(2 * n4, [&] { return random_point(rng, 100); });
    auto prev = drawn<Vek8u>(n_states * n_br, [&] { return rng.integer<Vek8u>(0, n_states - 1); });
    auto sub = drawn<Vek8u>(n_states * n_br, [&] { return rng.integer<Vek8u>(0, n4 - 1); });
    // A tie on state 0 between distinct branches; every branch into state 6 saturates.
    pm[2] = 20, m4[1] = 20, prev[0] = 2, sub[0] = 1, pm[4] = 30, m4[3] = 10, prev[1] = 4, sub[1] = 3;
    prev[2] = 2, sub[2] = 0, m4[0] = 1000;
    pm[5] = 60000, m4[2] = 30000, prev[18] = prev[19] = prev[20] = 5, sub[18] = sub[19] = sub[20] = 2;
    std::vector<Vek16u> next(n_states), in_place = pm;
    std::vector<Vek8u> ss(n_states), ss2(n_states);
    std::vector<Vek16sc> sp(2 * n_states), sp2(2 * n_states);
    ASSERT_EQ(veksCalcStatesDV_16sc(pm.data(), m4.data(), p4.data(), prev.data(), sub.data(), next.data(), ss.data(), sp.data(), n_states, n_br, n4), vekStsOk);
    for (int s = 0; s < n_states; ++s) {
        int best = -1, win = 0;
        for (int b = 0; b < n_br; ++b) {
            const int e = s * n_br + b, v = sat_add(pm[prev[e]], m4[sub[e]]);
            if (best < 0 || v < best) best = v, win = e;
        }
        EXPECT_EQ(next[s], best);
        EXPECT_EQ(ss[s], prev[win]);
        EXPECT_TRUE(same(sp[2 * s], p4[2 * sub[win]]) && same(sp[2 * s + 1], p4[2 * sub[win] + 1]));
    }
    ASSERT_EQ(veksCalcStatesDV_16sc(in_place.data(), m4.data(), p4.data(), prev.data(), sub.data(), in_place.data(), ss2.data(), sp2.data(), n_states, n_br, n4), vekStsOk);
    EXPECT_EQ(in_place, next);
    EXPECT_EQ(ss2, ss);

    Vek16u low = 0;
    int at = -1;
    std::vector<Vek16u> renorm = next;
    ASSERT_EQ(veksUpdatePathMetricsDV_16u(renorm.data(), n_states, &low, &at), vekStsOk);
    EXPECT_EQ(low, *std::min_element(next.begin(), next.end()));
    EXPECT_EQ(at, std::min_element(next.begin(), next.end()) - next.begin());
    for (int s = 0; s < n_states; ++s) EXPECT_EQ(renorm[s], next[s] - low);
}

// Pointers, then the counts, then the tables; nothing is written on an error.
TEST(TrellisHelpers, CheckOrder) {
    sp::Options counts;
    counts.other = 2;
    sp::expect_checks_all(counts, veksGetVarPointDV_16sc, veksBuildSymblTableDV4D_16sc, veksCalcStatesDV_16sc,
                          veksUpdatePathMetricsDV_16u);
    const Vek16sc pts[2] = {{0, 0}, {1, 1}};
    const Vek8u idx[2] = {0, 1}, zeros[2] = {}, bad_labels[2] = {0, 2};
    const Vek16u m[4] = {};
    vt::Guarded<Vek16sc> vp(8);
    vt::Guarded<Vek16u> vm(8);
    vt::Guarded<Vek8u> ss(8);
    EXPECT_EQ(veksGetVarPointDV_16sc(pts, pts, idx, vp.data(), vm.data(), 1, 0, 2, 0), vekStsBadLength);
    EXPECT_EQ(veksGetVarPointDV_16sc(pts, pts, idx, vp.data(), vm.data(), 1, 2, 257, 0), vekStsBadLength);
    EXPECT_EQ(veksGetVarPointDV_16sc(pts, pts, bad_labels, vp.data(), vm.data(), 1, 2, 2, 0), vekStsIndexOutOfRange);
    EXPECT_EQ(veksBuildSymblTableDV4D_16sc(pts, m, idx, vp.data(), vm.data(), 1, 2, 1, 0), vekStsBadLength);
    EXPECT_EQ(veksBuildSymblTableDV4D_16sc(pts, m, idx, vp.data(), vm.data(), 1, 1, 1, 1), vekStsIndexOutOfRange);
    EXPECT_EQ(veksCalcStatesDV_16sc(m, m, pts, idx, zeros, vm.data(), ss.data(), vp.data(), 257, 1, 1), vekStsBadLength);
    EXPECT_EQ(veksCalcStatesDV_16sc(m, m, pts, idx, zeros, vm.data(), ss.data(), vp.data(), 1, 2, 1), vekStsIndexOutOfRange);
    EXPECT_EQ(veksCalcStatesDV_16sc(m, m, pts, idx, zeros, vm.data(), ss.data(), vp.data(), 2, 1, 0), vekStsBadLength);
    EXPECT_TRUE(vp.intact() && vm.intact() && ss.intact());
}

} // namespace
