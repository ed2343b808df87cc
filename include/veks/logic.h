/* vekszn: logic family. Included by veks.h; do not include directly. */
#ifndef VEKS_LOGIC_H
#define VEKS_LOGIC_H

VEKS_EXTERN_C_BEGIN

VEKS_EXTERN_C_END

#endif
