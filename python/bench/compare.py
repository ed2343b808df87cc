#!/usr/bin/env python3
"""Speed of the Python bindings against numpy/scipy on the same arrays, one
thread. Prints reference time / vekszn time per case (above 1: vekszn is faster).

Usage: OMP_NUM_THREADS=1 PYTHONPATH=build/test/python /usr/bin/python3 python/bench/compare.py [seconds per case]
"""
import os
import sys
import timeit

os.environ.setdefault("OMP_NUM_THREADS", "1")

import numpy as np  # noqa: E402
import scipy.signal  # noqa: E402

import vekszn  # noqa: E402


def best(f, budget):
    f()
    number = 1
    while True:
        t = timeit.timeit(f, number=number)
        if t > budget / 5:
            break
        number *= 2
    return min(timeit.repeat(f, number=number, repeat=5)) / number


def main():
    budget = float(sys.argv[1]) if len(sys.argv) > 1 else 0.5
    rng = np.random.default_rng(1)
    cases = []
    for n in (1024, 1 << 20):
        x = (rng.standard_normal(n) + 1j * rng.standard_normal(n)).astype(np.complex64)
        cases.append(("fft complex64 n=%d" % n, lambda x=x: np.fft.fft(x), lambda x=x: vekszn.fft(x)))
    x = rng.standard_normal(1 << 20).astype(np.float32)
    taps = rng.standard_normal(128).astype(np.float32)
    fir = None
    try:
        fir = vekszn.FIR(taps)
    except NotImplementedError as e:
        print("skipped FIR.filter: %s" % e)
    if fir is not None:
        cases.append(("FIR.filter float32 1 Mi x 128 taps", lambda: scipy.signal.lfilter(taps, 1.0, x),
                      lambda: fir.filter(x)))
    audio = rng.standard_normal(480000).astype(np.float32)
    try:
        vekszn.resample_poly(audio[:1000], 160, 147)
        cases.append(("resample_poly float32 10 s 48 kHz 160/147",
                      lambda: scipy.signal.resample_poly(audio, 160, 147),
                      lambda: vekszn.resample_poly(audio, 160, 147)))
    except NotImplementedError as e:
        print("skipped resample_poly: %s" % e)
    print("%-44s %12s %12s %7s" % ("case", "reference s", "vekszn s", "ratio"))
    for name, ref, ours in cases:
        tr, tv = best(ref, budget), best(ours, budget)
        print("%-44s %12.3e %12.3e %7.2f" % (name, tr, tv, tr / tv))


if __name__ == "__main__":
    main()
