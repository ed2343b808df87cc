/* vekszn: arith family. Included by veks.h; do not include directly. */
#ifndef VEKS_ARITH_H
#define VEKS_ARITH_H

VEKS_EXTERN_C_BEGIN

VEKS_EXTERN_C_END

#endif
