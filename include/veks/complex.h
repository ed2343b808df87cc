/* vekszn: complex family. Included by veks.h; do not include directly. */
#ifndef VEKS_COMPLEX_H
#define VEKS_COMPLEX_H

VEKS_EXTERN_C_BEGIN

VEKS_EXTERN_C_END

#endif
