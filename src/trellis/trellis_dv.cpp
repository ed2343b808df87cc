// Trellis decoding helpers: 2D branch metrics per subset, 4D symbol metrics
// from pairs of 2D subsets, add-compare-select with survivor recording and
// path-metric renormalisation. Metrics are unsigned 16-bit and saturate.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#include "core/checks.h"
#include "core/export.h"
#include "core/scale.h"

namespace veks::trellis {
namespace {

using std::size_t;

constexpr int kMaxLabels = 256; // subset and state numbers are 8-bit
constexpr Vek16u kNever = 65535;

template <class T> inline T load(const T* p, size_t i) {
    T v;
    std::memcpy(&v, p + i, sizeof v);
    return v;
}
template <class T> inline void store(T* p, size_t i, T v) { std::memcpy(p + i, &v, sizeof v); }

inline Vek16u add_sat(Vek16u a, Vek16u b) {
    const unsigned s = unsigned(a) + unsigned(b);
    return s > kNever ? kNever : static_cast<Vek16u>(s);
}

inline bool any_at_or_above(const Vek8u* v, size_t n, int limit) {
    for (size_t i = 0; i < n; ++i)
        if (load(v, i) >= limit) return true;
    return false;
}

VekStatus var_points(const Vek16sc* src, const Vek16sc* points, const Vek8u* labels, Vek16sc* var_point,
                     Vek16u* var_metric, int len, int n_points, int n_subsets, int sf) {
    VEKS_CHECK(check_ptrs(src, points, labels, var_point, var_metric));
    if (len < 1 || n_points < 1 || n_subsets < 1 || n_subsets > kMaxLabels) return vekStsBadLength;
    if (any_at_or_above(labels, size_t(n_points), n_subsets)) return vekStsIndexOutOfRange;

    // Squared distances reach 2 * 65535^2 < 2^34: beyond 35 places every one rounds to 0.
    const int scale_factor = sf > 35 ? 35 : sf;
    constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::max();
    std::int64_t best[kMaxLabels];
    int at[kMaxLabels];
    return with_scale<Vek16u>(scale_factor, [&](auto scale) {
        for (size_t i = 0; i < size_t(len); ++i) {
            const Vek16sc r = load(src, i);
            for (int s = 0; s < n_subsets; ++s) best[s] = kNone;
            for (int p = 0; p < n_points; ++p) {
                const Vek16sc c = load(points, size_t(p));
                const std::int64_t dx = std::int64_t(r.re) - c.re, dy = std::int64_t(r.im) - c.im;
                const std::int64_t d = dx * dx + dy * dy;
                const int s = load(labels, size_t(p));
                if (d < best[s]) best[s] = d, at[s] = p;
            }
            for (int s = 0; s < n_subsets; ++s) {
                const size_t o = i * size_t(n_subsets) + size_t(s);
                const bool empty = best[s] == kNone;
                store(var_point, o, empty ? Vek16sc{0, 0} : load(points, size_t(at[s])));
                store(var_metric, o, empty ? kNever : scale(best[s]));
            }
        }
        return vekStsOk;
    });
}

VekStatus symbol_table(const Vek16sc* var_point, const Vek16u* var_metric, const Vek8u* pairs, Vek16sc* point4,
                       Vek16u* metric4, int len, int n2, int n4, int n_pairs) {
    VEKS_CHECK(check_ptrs(var_point, var_metric, pairs, point4, metric4));
    if (len < 1 || n2 < 1 || n2 > kMaxLabels || n4 < 1 || n_pairs < 1) return vekStsBadLength;
    if (any_at_or_above(pairs, 2 * size_t(n4) * size_t(n_pairs), n2)) return vekStsIndexOutOfRange;

    for (size_t t = 0; t < size_t(len); ++t) {
        const size_t first = 2 * t * size_t(n2), second = first + size_t(n2);
        for (size_t s = 0; s < size_t(n4); ++s) {
            Vek16u best = 0;
            size_t best_a = 0, best_b = 0;
            for (size_t m = 0; m < size_t(n_pairs); ++m) {
                const size_t a = load(pairs, 2 * (s * n_pairs + m)), b = load(pairs, 2 * (s * n_pairs + m) + 1);
                const Vek16u v = add_sat(load(var_metric, first + a), load(var_metric, second + b));
                if (m == 0 || v < best) best = v, best_a = a, best_b = b;
            }
            const size_t o = t * size_t(n4) + s;
            store(metric4, o, best);
            store(point4, 2 * o, load(var_point, first + best_a));
            store(point4, 2 * o + 1, load(var_point, second + best_b));
        }
    }
    return vekStsOk;
}

VekStatus calc_states(const Vek16u* path_metric, const Vek16u* metric4, const Vek16sc* point4, const Vek8u* prev_state,
                      const Vek8u* branch_subset, Vek16u* new_metric, Vek8u* surv_state, Vek16sc* surv_point,
                      int n_states, int n_branches, int n4) {
    VEKS_CHECK(check_ptrs(path_metric, metric4, point4, prev_state, branch_subset, new_metric, surv_state, surv_point));
    if (n_states < 1 || n_states > kMaxLabels || n_branches < 1 || n4 < 1) return vekStsBadLength;
    const size_t entries = size_t(n_states) * size_t(n_branches);
    if (any_at_or_above(prev_state, entries, n_states) || any_at_or_above(branch_subset, entries, n4))
        return vekStsIndexOutOfRange;

    Vek16u next[kMaxLabels]; // the new metrics may replace the old ones in place
    for (size_t s = 0; s < size_t(n_states); ++s) {
        Vek16u best = 0;
        size_t win = 0;
        for (size_t b = 0; b < size_t(n_branches); ++b) {
            const size_t e = s * size_t(n_branches) + b;
            const Vek16u v = add_sat(load(path_metric, load(prev_state, e)), load(metric4, load(branch_subset, e)));
            if (b == 0 || v < best) best = v, win = e;
        }
        next[s] = best;
        const size_t subset = load(branch_subset, win);
        store(surv_state, s, load(prev_state, win));
        store(surv_point, 2 * s, load(point4, 2 * subset));
        store(surv_point, 2 * s + 1, load(point4, 2 * subset + 1));
    }
    std::memcpy(new_metric, next, sizeof(Vek16u) * size_t(n_states));
    return vekStsOk;
}

VekStatus renormalise(Vek16u* path_metric, int n_states, Vek16u* min_out, int* min_state) {
    VEKS_CHECK(check_ptrs(path_metric, min_out, min_state));
    VEKS_CHECK(check_len(n_states));
    Vek16u low = load(path_metric, 0);
    int at = 0;
    for (int s = 1; s < n_states; ++s) {
        const Vek16u v = load(path_metric, size_t(s));
        if (v < low) low = v, at = s;
    }
    for (size_t s = 0; s < size_t(n_states); ++s) store(path_metric, s, Vek16u(load(path_metric, s) - low));
    store(min_out, 0, low);
    store(min_state, 0, at);
    return vekStsOk;
}

} // namespace
} // namespace veks::trellis

VEKS_API VekStatus veksGetVarPointDV_16sc(const Vek16sc* pSrc, const Vek16sc* pPoints, const Vek8u* pLabels,
                                          Vek16sc* pVarPoint, Vek16u* pVarMetric, int len, int nPoints,
                                          int nSubsets, int scaleFactor) {
    return veks::trellis::var_points(pSrc, pPoints, pLabels, pVarPoint, pVarMetric, len, nPoints, nSubsets, scaleFactor);
}

VEKS_API VekStatus veksBuildSymblTableDV4D_16sc(const Vek16sc* pVarPoint, const Vek16u* pVarMetric,
                                                const Vek8u* pPairs, Vek16sc* pPoint4D, Vek16u* pMetric4D, int len,
                                                int nSubsets2D, int nSubsets4D, int nPairs) {
    return veks::trellis::symbol_table(pVarPoint, pVarMetric, pPairs, pPoint4D, pMetric4D, len, nSubsets2D,
                                       nSubsets4D, nPairs);
}

VEKS_API VekStatus veksCalcStatesDV_16sc(const Vek16u* pPathMetric, const Vek16u* pMetric4D, const Vek16sc* pPoint4D,
                                         const Vek8u* pPrevState, const Vek8u* pBranchSubset, Vek16u* pNewMetric,
                                         Vek8u* pSurvState, Vek16sc* pSurvPoint, int nStates, int nBranches,
                                         int nSubsets4D) {
    return veks::trellis::calc_states(pPathMetric, pMetric4D, pPoint4D, pPrevState, pBranchSubset, pNewMetric,
                                      pSurvState, pSurvPoint, nStates, nBranches, nSubsets4D);
}

VEKS_API VekStatus veksUpdatePathMetricsDV_16u(Vek16u* pPathMetric, int nStates, Vek16u* pMin, int* pMinState) {
    return veks::trellis::renormalise(pPathMetric, nStates, pMin, pMinState);
}
