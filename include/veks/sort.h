/* vekszn: sorting - an in-place comparison sort and a stable radix sort,
 * each ascending or descending, each also as an index form.
 * Included by veks.h; do not include directly.
 *
 * Checks in order: a null pointer (vekStsNullPtr; the radix forms also need
 * their buffer), len < 1 (vekStsBadLength), and for the radix index forms
 * srcStrideBytes below the key size (vekStsBadLength). Nothing is written on
 * an error. len = 1 leaves the vector as it is (index forms write index 0).
 * Every array may start at any address. */
#ifndef VEKS_SORT_H
#define VEKS_SORT_H

VEKS_EXTERN_C_BEGIN

/* ---- comparison sort -----------------------------------------------------------
 * Not stable; the order among equal keys, the placement of -0.0 against
 * +0.0 and the index permutation follow from this algorithm, which is part
 * of the interface (the descending forms mirror every comparison):
 *  - A range [lo, hi] of n >= 10 elements is partitioned. First, middle
 *    (lo + n/2) and last are put in order by three compare-exchanges
 *    (first/middle, first/last, middle/last; an exchange only when strictly
 *    out of order), and the middle value becomes the pivot p. Scanning up
 *    from lo+1 over elements <= p and down from hi over elements > p, each
 *    pair found out of place is exchanged, until the scans cross at j (the
 *    last element <= p). The run of elements == p ending at j is left out;
 *    the remaining left part [lo, ..] and the right part [j+1, hi] are
 *    sorted the same way (the larger waits on a stack).
 *  - A range of n <= 9 elements is finished by selection sort: the first
 *    occurrence of the largest element is exchanged with the last element,
 *    and the range shrinks by one, until one element is left.
 * NaNs compare false everywhere and end where these steps put them.
 * The index forms first set pDstIndx to 0, 1, ..., len-1 and apply every
 * exchange to it as well, so pDstIndx[k] is the input position of the
 * element that ends at position k. */
VekStatus veksSortAscend_8u_I(Vek8u* pSrcDst, int len);
VekStatus veksSortAscend_16u_I(Vek16u* pSrcDst, int len);
VekStatus veksSortAscend_16s_I(Vek16s* pSrcDst, int len);
VekStatus veksSortAscend_32s_I(Vek32s* pSrcDst, int len);
VekStatus veksSortAscend_32f_I(Vek32f* pSrcDst, int len);
VekStatus veksSortAscend_64f_I(Vek64f* pSrcDst, int len);
VekStatus veksSortDescend_8u_I(Vek8u* pSrcDst, int len);
VekStatus veksSortDescend_16u_I(Vek16u* pSrcDst, int len);
VekStatus veksSortDescend_16s_I(Vek16s* pSrcDst, int len);
VekStatus veksSortDescend_32s_I(Vek32s* pSrcDst, int len);
VekStatus veksSortDescend_32f_I(Vek32f* pSrcDst, int len);
VekStatus veksSortDescend_64f_I(Vek64f* pSrcDst, int len);
VekStatus veksSortIndexAscend_8u_I(Vek8u* pSrcDst, int* pDstIndx, int len);
VekStatus veksSortIndexAscend_16u_I(Vek16u* pSrcDst, int* pDstIndx, int len);
VekStatus veksSortIndexAscend_16s_I(Vek16s* pSrcDst, int* pDstIndx, int len);
VekStatus veksSortIndexAscend_32s_I(Vek32s* pSrcDst, int* pDstIndx, int len);
VekStatus veksSortIndexAscend_32f_I(Vek32f* pSrcDst, int* pDstIndx, int len);
VekStatus veksSortIndexAscend_64f_I(Vek64f* pSrcDst, int* pDstIndx, int len);
VekStatus veksSortIndexDescend_8u_I(Vek8u* pSrcDst, int* pDstIndx, int len);
VekStatus veksSortIndexDescend_16u_I(Vek16u* pSrcDst, int* pDstIndx, int len);
VekStatus veksSortIndexDescend_16s_I(Vek16s* pSrcDst, int* pDstIndx, int len);
VekStatus veksSortIndexDescend_32s_I(Vek32s* pSrcDst, int* pDstIndx, int len);
VekStatus veksSortIndexDescend_32f_I(Vek32f* pSrcDst, int* pDstIndx, int len);
VekStatus veksSortIndexDescend_64f_I(Vek64f* pSrcDst, int* pDstIndx, int len);

/* ---- radix sort ------------------------------------------------------------------
 * Stable: equal keys keep their input order, ascending and descending.
 * Keys order as the values do, with -0.0 before +0.0 and NaNs by their sign
 * bit beyond the infinities (a NaN with the sign bit set first, one without
 * it last in ascending order); descending is the exact reverse order.
 * pTmp holds len elements of the vector's type (8u: checked, not used).
 * The index forms read key k at byte offset k * srcStrideBytes from pSrc
 * (records with the key first), leave pSrc unchanged and write the stable
 * permutation to pDstIndx, using pTmpIndx (len ints) as work space. */
VekStatus veksSortRadixAscend_8u_I(Vek8u* pSrcDst, Vek8u* pTmp, int len);
VekStatus veksSortRadixAscend_16u_I(Vek16u* pSrcDst, Vek16u* pTmp, int len);
VekStatus veksSortRadixAscend_16s_I(Vek16s* pSrcDst, Vek16s* pTmp, int len);
VekStatus veksSortRadixAscend_32s_I(Vek32s* pSrcDst, Vek32s* pTmp, int len);
VekStatus veksSortRadixAscend_32u_I(Vek32u* pSrcDst, Vek32u* pTmp, int len);
VekStatus veksSortRadixAscend_32f_I(Vek32f* pSrcDst, Vek32f* pTmp, int len);
VekStatus veksSortRadixDescend_8u_I(Vek8u* pSrcDst, Vek8u* pTmp, int len);
VekStatus veksSortRadixDescend_16u_I(Vek16u* pSrcDst, Vek16u* pTmp, int len);
VekStatus veksSortRadixDescend_16s_I(Vek16s* pSrcDst, Vek16s* pTmp, int len);
VekStatus veksSortRadixDescend_32s_I(Vek32s* pSrcDst, Vek32s* pTmp, int len);
VekStatus veksSortRadixDescend_32u_I(Vek32u* pSrcDst, Vek32u* pTmp, int len);
VekStatus veksSortRadixDescend_32f_I(Vek32f* pSrcDst, Vek32f* pTmp, int len);
VekStatus veksSortRadixIndexAscend_8u(const Vek8u* pSrc, int srcStrideBytes, int* pDstIndx,
                                      int* pTmpIndx, int len);
VekStatus veksSortRadixIndexAscend_16u(const Vek16u* pSrc, int srcStrideBytes, int* pDstIndx,
                                       int* pTmpIndx, int len);
VekStatus veksSortRadixIndexAscend_16s(const Vek16s* pSrc, int srcStrideBytes, int* pDstIndx,
                                       int* pTmpIndx, int len);
VekStatus veksSortRadixIndexAscend_32s(const Vek32s* pSrc, int srcStrideBytes, int* pDstIndx,
                                       int* pTmpIndx, int len);
VekStatus veksSortRadixIndexAscend_32u(const Vek32u* pSrc, int srcStrideBytes, int* pDstIndx,
                                       int* pTmpIndx, int len);
VekStatus veksSortRadixIndexAscend_32f(const Vek32f* pSrc, int srcStrideBytes, int* pDstIndx,
                                       int* pTmpIndx, int len);
VekStatus veksSortRadixIndexDescend_8u(const Vek8u* pSrc, int srcStrideBytes, int* pDstIndx,
                                       int* pTmpIndx, int len);
VekStatus veksSortRadixIndexDescend_16u(const Vek16u* pSrc, int srcStrideBytes, int* pDstIndx,
                                        int* pTmpIndx, int len);
VekStatus veksSortRadixIndexDescend_16s(const Vek16s* pSrc, int srcStrideBytes, int* pDstIndx,
                                        int* pTmpIndx, int len);
VekStatus veksSortRadixIndexDescend_32s(const Vek32s* pSrc, int srcStrideBytes, int* pDstIndx,
                                        int* pTmpIndx, int len);
VekStatus veksSortRadixIndexDescend_32u(const Vek32u* pSrc, int srcStrideBytes, int* pDstIndx,
                                        int* pTmpIndx, int len);
VekStatus veksSortRadixIndexDescend_32f(const Vek32f* pSrc, int srcStrideBytes, int* pDstIndx,
                                        int* pTmpIndx, int len);

VEKS_EXTERN_C_END

#endif
