/* vekszn: realfft family. Included by veks.h; do not include directly. */
#ifndef VEKS_REALFFT_H
#define VEKS_REALFFT_H

VEKS_EXTERN_C_BEGIN

VEKS_EXTERN_C_END

#endif
