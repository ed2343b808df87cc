/* vekszn: trellis decoding helpers - the building blocks of a Viterbi
 * decoder for trellis-coded modulation with four-dimensional symbols (two
 * consecutive 2D points), such as the usual 4D codes with 16, 32 and 64
 * states. Included by veks.h; do not include directly.
 *
 * The helpers hold no state: the caller owns the constellation, the code's
 * tables, the path metrics and the survivor memory. One decoding step for
 * a received 4D symbol (points r0, r1) is
 *
 *   1. veksGetVarPointDV_16sc(r, 2 points): for each 2D subset the nearest
 *      constellation point to r0 and to r1 and its squared distance;
 *   2. veksBuildSymblTableDV4D_16sc: for each 4D subset the best pair of
 *      2D subsets (its metric and its two points);
 *   3. veksCalcStatesDV_16sc: add-compare-select over all states, storing
 *      for this step each state's predecessor and the 4D point on the
 *      surviving branch;
 *   4. veksUpdatePathMetricsDV_16u: subtract the smallest path metric from
 *      all, so that 16-bit metrics never overflow; it also names the best
 *      state, from which the caller traces the survivors back.
 *
 * Metrics are unsigned 16-bit: sums saturate at 65535 (a metric that has
 * reached 65535 stays a "cannot be" mark). Choose the scale factor of step 1
 * so that the spread of the path metrics after renormalisation (a few branch
 * metrics per step of the code's memory) stays well below 65535.
 *
 * Layouts (n2 = number of 2D subsets, n4 = number of 4D subsets):
 *   variant points / metrics of 2D point i: element i*n2 + s for subset s;
 *   4D subset table: pairs[2*(s*nPairs + m)] and [... + 1] are the 2D subsets
 *     of the first and the second point of member m of 4D subset s;
 *   4D metrics of symbol t: element t*n4 + s; 4D points: elements
 *     2*(t*n4 + s) (first 2D point) and 2*(t*n4 + s) + 1 (second);
 *   trellis: for next state s and branch b (b < nBranches), prevState[s*nBranches + b]
 *     is the state the branch leaves and branchSubset[s*nBranches + b] its 4D subset;
 *   survivors of one step: survState[s] and survPoint[2s], survPoint[2s+1].
 * Ties always go to the lowest index (point, pair member, branch, state).
 *
 * Checks, in order: null pointers in argument order (vekStsNullPtr), counts
 * below 1 or above their limit (vekStsBadLength), then table entries out of
 * range (vekStsIndexOutOfRange); nothing is written on an error. Arrays may
 * have any address. */
#ifndef VEKS_TRELLIS_H
#define VEKS_TRELLIS_H

VEKS_EXTERN_C_BEGIN

/* Branch metrics of len received points against a constellation of nPoints
 * points (pPoints) whose 2D subset labels are pLabels (each < nSubsets,
 * nSubsets <= 256). For point i and subset s: pVarPoint[i*nSubsets + s] is the
 * nearest point of subset s (the first in pPoints order on ties) and
 * pVarMetric[i*nSubsets + s] its squared Euclidean distance d (exact, up to
 * 2 * 65535^2) times 2^-scaleFactor, rounded half to even and saturated to
 * 65535. A subset without points gets metric 65535 and point (0, 0).
 * Errors: vekStsNullPtr; len, nPoints or nSubsets < 1, or nSubsets > 256,
 * vekStsBadLength; a label >= nSubsets, vekStsIndexOutOfRange. */
VekStatus veksGetVarPointDV_16sc(const Vek16sc* pSrc, const Vek16sc* pPoints, const Vek8u* pLabels,
                                 Vek16sc* pVarPoint, Vek16u* pVarMetric, int len, int nPoints, int nSubsets,
                                 int scaleFactor);

/* 4D symbol metrics for len 4D symbols from the 2D results of step 1
 * (2*len 2D points: symbol t uses 2D points 2t and 2t+1). 4D subset s
 * (s < nSubsets4D) is the union of nPairs pairs of 2D subsets (table pPairs,
 * labels < nSubsets2D); its metric is the smallest sum, saturated to 65535,
 * of the first point's metric for the pair's first subset and the second
 * point's metric for its second subset, and its two points are those of that
 * pair. Writes pMetric4D[t*nSubsets4D + s] and pPoint4D[2*(t*nSubsets4D + s)], [+1].
 * Errors: vekStsNullPtr; len, nSubsets2D, nSubsets4D or nPairs < 1,
 * vekStsBadLength; a table label >= nSubsets2D, vekStsIndexOutOfRange. */
VekStatus veksBuildSymblTableDV4D_16sc(const Vek16sc* pVarPoint, const Vek16u* pVarMetric, const Vek8u* pPairs,
                                       Vek16sc* pPoint4D, Vek16u* pMetric4D, int len, int nSubsets2D,
                                       int nSubsets4D, int nPairs);

/* One add-compare-select step over nStates states (<= 256) with nBranches
 * branches entering each state, on the 4D results of one symbol (step 2,
 * nSubsets4D subsets). For each next state s:
 *   pNewMetric[s] = min over b of sat(pPathMetric[prev] + pMetric4D[subset]),
 *   prev = pPrevState[s*nBranches + b], subset = pBranchSubset[s*nBranches + b];
 * pSurvState[s] = the prev of the winning branch, pSurvPoint[2s] and
 * [2s+1] = its 4D point (pPoint4D[2*subset], [2*subset+1]).
 * pNewMetric may be pPathMetric (the update is then in place).
 * Errors: vekStsNullPtr; nStates < 1 or > 256, nBranches < 1 or nSubsets4D
 * < 1, vekStsBadLength; a predecessor >= nStates or a subset >= nSubsets4D,
 * vekStsIndexOutOfRange. */
VekStatus veksCalcStatesDV_16sc(const Vek16u* pPathMetric, const Vek16u* pMetric4D, const Vek16sc* pPoint4D,
                                const Vek8u* pPrevState, const Vek8u* pBranchSubset, Vek16u* pNewMetric,
                                Vek8u* pSurvState, Vek16sc* pSurvPoint, int nStates, int nBranches,
                                int nSubsets4D);

/* Renormalisation: subtracts the smallest of the nStates path metrics from
 * every one (in place) and stores that minimum in *pMin and the lowest state
 * holding it in *pMinState (the state to start a traceback from).
 * Errors: vekStsNullPtr; nStates < 1, vekStsBadLength. */
VekStatus veksUpdatePathMetricsDV_16u(Vek16u* pPathMetric, int nStates, Vek16u* pMin, int* pMinState);

VEKS_EXTERN_C_END

#endif /* VEKS_TRELLIS_H */
