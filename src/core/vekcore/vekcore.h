/* Services of libvekcore that libvekszn relies on. */
#ifndef VEKCORE_H
#define VEKCORE_H

#ifdef __cplusplus
extern "C" {
#endif

extern const float  vekConstantOfINF_32f; /* +infinity */
extern const double vekConstantOfINF_64f;
extern const float  vekConstantOfNAN_32f; /* a quiet NaN */
extern const double vekConstantOfNAN_64f;

/* Threads the threaded functions may use: the OpenMP maximum (which honours
 * OMP_NUM_THREADS), at least 1. */
int ownGetNumThreads(void);

/* The x87 control word in force; harmless no-ops where there is no x87. */
unsigned int ps_get_cw_fpu(void);
void vek_set_cw_fpu(unsigned int cw);

#ifdef __cplusplus
}
#endif
#endif
