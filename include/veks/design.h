/* vekszn: filter design - linear-phase FIR filters by the window method and
 * IIR lowpass/highpass filters from analog prototypes. Included by veks.h;
 * do not include directly. Frequencies are relative to the sampling rate
 * (0.5 is the Nyquist frequency). pTaps may sit at any address.
 *
 * ---- FIR: veksFIRGen{Lowpass,Highpass,Bandpass,Bandstop}_64f -----------------
 * N = tapsLen taps, centre c = (N-1)/2. The ideal response at the distances
 * d = k (odd N) or k - 1/2 (even N), k = 1 .. N/2, from the centre (sines
 * and cosines from the tone recurrence, divided by pi d), with fc = rFreq,
 * fl = rLowFreq, fh = rHighFreq:
 *   Lowpass   centre 2 fc,             sin(2 pi fc d) / (pi d)
 *   Highpass  odd N: centre 1 - 2 fc,  -sin(2 pi fc d) / (pi d)
 *             even N: cos(2 pi fc d) / (pi d), antisymmetric (second half
 *             negated; zero gain at DC)
 *   Bandpass  centre 2 (fh - fl),      (sin(2 pi fh d) - sin(2 pi fl d)) / (pi d)
 *   Bandstop  centre 1 - 2 (fh - fl),  (sin(2 pi fl d) - sin(2 pi fh d)) / (pi d);
 *             even N adds the half-sample all-pass term sin(pi d) / (pi d)
 *             (= +-1/(pi d)): a symmetric even-length filter, whose gain at
 *             Nyquist is necessarily 0.
 * Then the window winType over all N taps, the second half still zero
 * (0 Bartlett, 1 Blackman with the optimal parameter as veksWinBlackmanOpt,
 * 2 Hamming, 3 Hann, any other value none: the truncated ideal response). With doNormal nonzero, the
 * first half and the centre are divided by |G|, G the gain at DC (lowpass,
 * bandstop), Nyquist (highpass: sum of (-1)^i taps[i]) or the band centre
 * (bandpass: sum of taps[i] cos(2 pi (fl+fh)/2 (i - c))); G = 0 leaves the
 * taps unscaled. Finally taps[N-1-i] = taps[i] (negated for the even
 * highpass).
 * Checks: pTaps null (vekStsNullPtr); tapsLen < 5, a frequency <= 0 or
 * > 0.5, or rLowFreq >= rHighFreq (vekStsBadLength; NaN fails); the scratch
 * array cannot be allocated: vekStsNullPtr. Nothing is written on error.
 *
 * ---- IIR: veksIIRGenLowpass_64f, veksIIRGenHighpass_64f ----------------------
 * filterType 0 Butterworth, 1 Chebyshev type I with pass-band ripple
 * `tolerance` in dB; any other value returns vekStsOk and writes nothing.
 * Analog prototype of the given order with its pass-band edge at 1 rad/s:
 * poles -sin(t_k) + i cos(t_k) (Butterworth) or -sinh(v) sin(t_k) +
 * i cosh(v) cos(t_k) with v = asinh(1/eps) / order, eps = sqrt(10^(tol/10)
 * - 1) (Chebyshev), t_k = pi (2k+1) / (2 order). It is scaled to
 * W = tan(pi rFreq) (s -> s/W; highpass s -> W/s) and mapped by the bilinear
 * transform z = (1 + s) / (1 - s): the digital response at rFreq is -3.01
 * dB (Butterworth) or -tolerance dB (Chebyshev, the pass-band edge). Zeros
 * are all at z = -1 (lowpass) or z = 1 (highpass). The numerator is scaled
 * for gain 1 at DC (lowpass) or Nyquist (highpass), 1/sqrt(1 + eps^2) for
 * even Chebyshev orders, so the pass band peaks at 1. Computed in long
 * double from the closed-form poles. Output: 2 (order + 1) taps b0 .. bN,
 * a0 .. aN with a0 = 1, the arbitrary-order layout of the IIR filters.
 * Checks: pTaps null (vekStsNullPtr); rFreq outside (0, 0.5)
 * (vekStsBadCutoff); order outside [1, 12] (vekStsBadDesignOrder); for the
 * Chebyshev type, tolerance outside (0, 29] (vekStsBadTolerance). */
#ifndef VEKS_DESIGN_H
#define VEKS_DESIGN_H

VEKS_EXTERN_C_BEGIN

VekStatus veksFIRGenLowpass_64f(Vek64f rFreq, Vek64f* pTaps, int tapsLen, int winType, int doNormal);
VekStatus veksFIRGenHighpass_64f(Vek64f rFreq, Vek64f* pTaps, int tapsLen, int winType, int doNormal);
VekStatus veksFIRGenBandpass_64f(Vek64f rLowFreq, Vek64f rHighFreq, Vek64f* pTaps, int tapsLen, int winType,
                                 int doNormal);
VekStatus veksFIRGenBandstop_64f(Vek64f rLowFreq, Vek64f rHighFreq, Vek64f* pTaps, int tapsLen, int winType,
                                 int doNormal);
VekStatus veksIIRGenLowpass_64f(Vek64f rFreq, Vek64f tolerance, int order, Vek64f* pTaps, int filterType);
VekStatus veksIIRGenHighpass_64f(Vek64f rFreq, Vek64f tolerance, int order, Vek64f* pTaps, int filterType);

VEKS_EXTERN_C_END

#endif
