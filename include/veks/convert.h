/* vekszn: convert family. Included by veks.h; do not include directly. */
#ifndef VEKS_CONVERT_H
#define VEKS_CONVERT_H

VEKS_EXTERN_C_BEGIN

VEKS_EXTERN_C_END

#endif
