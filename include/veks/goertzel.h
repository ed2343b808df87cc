/* vekszn: goertzel family. Included by veks.h; do not include directly.
 *
 * One bin of the DFT at a relative frequency f (a fraction of the sampling
 * rate, 0 <= f < 1): out = sum x[n] e^(-2 pi i f n), n < len. The sum runs as
 * the recurrence a = a (cos 2 pi f - i sin 2 pi f) + x[n] from the last
 * sample to the first, in double precision; the float forms round the result
 * to their type. GoertzTwo computes two frequencies in one pass and writes
 * the results in the order of the frequencies.
 *
 * 16-bit forms: the result is multiplied by 2^-scaleFactor, each part rounded
 * half away from zero and saturated to -32768..32767. The Q15 forms take
 * frequencies q >= 0 meaning q * 2^-15.
 *
 * Check order: null pointer in argument order (vekStsNullPtr; the pair of
 * frequencies of GoertzTwo included), len < 1 (vekStsBadLength), a frequency
 * outside [0, 1) or NaN (vekStsBadRelFrequency). The Q15 forms test their
 * q values for a negative one first (vekStsBadRelFrequency), then run the
 * checks above. Nothing is written on an error.
 */
#ifndef VEKS_GOERTZEL_H
#define VEKS_GOERTZEL_H

VEKS_EXTERN_C_BEGIN

VekStatus veksGoertz_32f(const Vek32f* pSrc, int len, Vek32fc* pVal, Vek32f rFreq);
VekStatus veksGoertz_32fc(const Vek32fc* pSrc, int len, Vek32fc* pVal, Vek32f rFreq);
VekStatus veksGoertz_64f(const Vek64f* pSrc, int len, Vek64fc* pVal, Vek64f rFreq);
VekStatus veksGoertz_64fc(const Vek64fc* pSrc, int len, Vek64fc* pVal, Vek64f rFreq);
VekStatus veksGoertz_16s_Sfs(const Vek16s* pSrc, int len, Vek16sc* pVal, Vek32f rFreq, int scaleFactor);
VekStatus veksGoertz_16sc_Sfs(const Vek16sc* pSrc, int len, Vek16sc* pVal, Vek32f rFreq, int scaleFactor);
VekStatus veksGoertzQ15_16sc_Sfs(const Vek16sc* pSrc, int len, Vek16sc* pVal, Vek16s rFreqQ15, int scaleFactor);

VekStatus veksGoertzTwo_32f(const Vek32f* pSrc, int len, Vek32fc pVal[2], const Vek32f rFreq[2]);
VekStatus veksGoertzTwo_32fc(const Vek32fc* pSrc, int len, Vek32fc pVal[2], const Vek32f rFreq[2]);
VekStatus veksGoertzTwo_64f(const Vek64f* pSrc, int len, Vek64fc pVal[2], const Vek64f rFreq[2]);
VekStatus veksGoertzTwo_64fc(const Vek64fc* pSrc, int len, Vek64fc pVal[2], const Vek64f rFreq[2]);
VekStatus veksGoertzTwo_16sc_Sfs(const Vek16sc* pSrc, int len, Vek16sc pVal[2], const Vek32f rFreq[2], int scaleFactor);
VekStatus veksGoertzTwoQ15_16sc_Sfs(const Vek16sc* pSrc, int len, Vek16sc pVal[2], const Vek16s rFreqQ15[2], int scaleFactor);

VEKS_EXTERN_C_END

#endif
