/* vekszn: power family. Included by veks.h; do not include directly. */
#ifndef VEKS_POWER_H
#define VEKS_POWER_H

VEKS_EXTERN_C_BEGIN

VEKS_EXTERN_C_END

#endif
