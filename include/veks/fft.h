/* vekszn: fft family. Included by veks.h; do not include directly. */
#ifndef VEKS_FFT_H
#define VEKS_FFT_H

VEKS_EXTERN_C_BEGIN

VEKS_EXTERN_C_END

#endif
