/* vekszn: stats family. Included by veks.h; do not include directly. */
#ifndef VEKS_STATS_H
#define VEKS_STATS_H

VEKS_EXTERN_C_BEGIN

VEKS_EXTERN_C_END

#endif
