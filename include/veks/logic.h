/* vekszn: bitwise logic and shifts. Included by veks.h; do not include
 * directly.
 *
 * Checks: pointers in argument order (vekStsNullPtr), then len < 1
 * (vekStsBadLength), then, for the shifts, a negative count (vekStsBadShift).
 * Nothing is written on an error.
 *
 * AndC with val 0 zero-fills the destination; OrC and XorC with val 0 copy
 * the source; a shift by 0 copies (in place: returns without writing). These
 * shortcuts still report a null source. Overlapping out-of-place buffers
 * give the result of element-by-element processing in ascending order. */
#ifndef VEKS_LOGIC_H
#define VEKS_LOGIC_H

VEKS_EXTERN_C_BEGIN

/* ---- two vectors: pDst[n] = pSrc1[n] op pSrc2[n]; in place pSrcDst op= pSrc */
VekStatus veksAnd_8u(const Vek8u* pSrc1, const Vek8u* pSrc2, Vek8u* pDst, int len);
VekStatus veksAnd_8u_I(const Vek8u* pSrc, Vek8u* pSrcDst, int len);
VekStatus veksAnd_16u(const Vek16u* pSrc1, const Vek16u* pSrc2, Vek16u* pDst, int len);
VekStatus veksAnd_16u_I(const Vek16u* pSrc, Vek16u* pSrcDst, int len);
VekStatus veksAnd_32u(const Vek32u* pSrc1, const Vek32u* pSrc2, Vek32u* pDst, int len);
VekStatus veksAnd_32u_I(const Vek32u* pSrc, Vek32u* pSrcDst, int len);
VekStatus veksOr_8u(const Vek8u* pSrc1, const Vek8u* pSrc2, Vek8u* pDst, int len);
VekStatus veksOr_8u_I(const Vek8u* pSrc, Vek8u* pSrcDst, int len);
VekStatus veksOr_16u(const Vek16u* pSrc1, const Vek16u* pSrc2, Vek16u* pDst, int len);
VekStatus veksOr_16u_I(const Vek16u* pSrc, Vek16u* pSrcDst, int len);
VekStatus veksOr_32u(const Vek32u* pSrc1, const Vek32u* pSrc2, Vek32u* pDst, int len);
VekStatus veksOr_32u_I(const Vek32u* pSrc, Vek32u* pSrcDst, int len);
VekStatus veksXor_8u(const Vek8u* pSrc1, const Vek8u* pSrc2, Vek8u* pDst, int len);
VekStatus veksXor_8u_I(const Vek8u* pSrc, Vek8u* pSrcDst, int len);
VekStatus veksXor_16u(const Vek16u* pSrc1, const Vek16u* pSrc2, Vek16u* pDst, int len);
VekStatus veksXor_16u_I(const Vek16u* pSrc, Vek16u* pSrcDst, int len);
VekStatus veksXor_32u(const Vek32u* pSrc1, const Vek32u* pSrc2, Vek32u* pDst, int len);
VekStatus veksXor_32u_I(const Vek32u* pSrc, Vek32u* pSrcDst, int len);

/* ---- vector and constant: pDst[n] = pSrc[n] op val -------------------------- */
VekStatus veksAndC_8u(const Vek8u* pSrc, Vek8u val, Vek8u* pDst, int len);
VekStatus veksAndC_8u_I(Vek8u val, Vek8u* pSrcDst, int len);
VekStatus veksAndC_16u(const Vek16u* pSrc, Vek16u val, Vek16u* pDst, int len);
VekStatus veksAndC_16u_I(Vek16u val, Vek16u* pSrcDst, int len);
VekStatus veksAndC_32u(const Vek32u* pSrc, Vek32u val, Vek32u* pDst, int len);
VekStatus veksAndC_32u_I(Vek32u val, Vek32u* pSrcDst, int len);
VekStatus veksOrC_8u(const Vek8u* pSrc, Vek8u val, Vek8u* pDst, int len);
VekStatus veksOrC_8u_I(Vek8u val, Vek8u* pSrcDst, int len);
VekStatus veksOrC_16u(const Vek16u* pSrc, Vek16u val, Vek16u* pDst, int len);
VekStatus veksOrC_16u_I(Vek16u val, Vek16u* pSrcDst, int len);
VekStatus veksOrC_32u(const Vek32u* pSrc, Vek32u val, Vek32u* pDst, int len);
VekStatus veksOrC_32u_I(Vek32u val, Vek32u* pSrcDst, int len);
VekStatus veksXorC_8u(const Vek8u* pSrc, Vek8u val, Vek8u* pDst, int len);
VekStatus veksXorC_8u_I(Vek8u val, Vek8u* pSrcDst, int len);
VekStatus veksXorC_16u(const Vek16u* pSrc, Vek16u val, Vek16u* pDst, int len);
VekStatus veksXorC_16u_I(Vek16u val, Vek16u* pSrcDst, int len);
VekStatus veksXorC_32u(const Vek32u* pSrc, Vek32u val, Vek32u* pDst, int len);
VekStatus veksXorC_32u_I(Vek32u val, Vek32u* pSrcDst, int len);

/* ---- complement (exclusive or with all ones) --------------------------------- */
VekStatus veksNot_8u(const Vek8u* pSrc, Vek8u* pDst, int len);
VekStatus veksNot_8u_I(Vek8u* pSrcDst, int len);
VekStatus veksNot_16u(const Vek16u* pSrc, Vek16u* pDst, int len);
VekStatus veksNot_16u_I(Vek16u* pSrcDst, int len);
VekStatus veksNot_32u(const Vek32u* pSrc, Vek32u* pDst, int len);
VekStatus veksNot_32u_I(Vek32u* pSrcDst, int len);

/* ---- shifts by a count val >= 0 -----------------------------------------------
 * Left: bits shifted out are lost, no saturation (16s and 32s shift the raw
 * bits); a count at or beyond the width gives zeros.
 * Right: 8u and 16u shift in zeros (zeros at or beyond the width); 16s and
 * 32s shift in copies of the sign bit (floor of x / 2^val), so a count at or
 * beyond the width gives -1 for negative elements and 0 for the others. */
VekStatus veksLShiftC_8u(const Vek8u* pSrc, int val, Vek8u* pDst, int len);
VekStatus veksLShiftC_8u_I(int val, Vek8u* pSrcDst, int len);
VekStatus veksLShiftC_16u(const Vek16u* pSrc, int val, Vek16u* pDst, int len);
VekStatus veksLShiftC_16u_I(int val, Vek16u* pSrcDst, int len);
VekStatus veksLShiftC_16s(const Vek16s* pSrc, int val, Vek16s* pDst, int len);
VekStatus veksLShiftC_16s_I(int val, Vek16s* pSrcDst, int len);
VekStatus veksLShiftC_32s(const Vek32s* pSrc, int val, Vek32s* pDst, int len);
VekStatus veksLShiftC_32s_I(int val, Vek32s* pSrcDst, int len);
VekStatus veksRShiftC_8u(const Vek8u* pSrc, int val, Vek8u* pDst, int len);
VekStatus veksRShiftC_8u_I(int val, Vek8u* pSrcDst, int len);
VekStatus veksRShiftC_16u(const Vek16u* pSrc, int val, Vek16u* pDst, int len);
VekStatus veksRShiftC_16u_I(int val, Vek16u* pSrcDst, int len);
VekStatus veksRShiftC_16s(const Vek16s* pSrc, int val, Vek16s* pDst, int len);
VekStatus veksRShiftC_16s_I(int val, Vek16s* pSrcDst, int len);
VekStatus veksRShiftC_32s(const Vek32s* pSrc, int val, Vek32s* pDst, int len);
VekStatus veksRShiftC_32s_I(int val, Vek32s* pSrcDst, int len);

VEKS_EXTERN_C_END

#endif
