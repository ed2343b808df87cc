"""tone and noise: the library's signal generators as numpy arrays."""
import numpy as np

from ._common import code_of, ptr
from ._ffi import ffi, raw
from ._lowlevel import VeksError, check


def tone(n, freq, magnitude=1.0, phase=0.0, dtype=np.float64):
    """magnitude cos(2 pi freq k + phase), k = 0..n-1; freq relative to the
    sampling rate in [0, 0.5), phase in [0, 2 pi). Complex dtypes add
    magnitude sin(...) as the imaginary part; int16 truncates toward zero."""
    code = code_of(dtype, ("32f", "64f", "32fc", "64fc", "16s"), "tone")
    out = np.empty(max(int(n), 0), dtype)
    p = ffi.new("Vek64f*" if code.startswith("64") else "Vek32f*", phase)
    name = "veksTone_Direct_" + code
    check(getattr(raw, name)(ptr("Vek" + code, out), int(n), magnitude, freq, p), name)
    return out


def noise(n, kind="uniform", low=-1.0, high=1.0, mean=0.0, std=1.0, seed=0, dtype=np.float64):
    """n samples of uniform noise in [low, high) or Gaussian noise (kind
    "gauss") of the given mean and std; the same seed gives the same samples.
    float32, float64, or int16 (truncated toward zero)."""
    code = code_of(dtype, ("32f", "64f", "16s"), "noise")
    out = np.empty(max(int(n), 0), dtype)
    s = ffi.new("unsigned int*", seed & 0xFFFFFFFF)
    if kind == "uniform":
        name, a, b = "veksRandUniform_Direct_" + code, low, high
    elif kind in ("gauss", "gaussian", "normal"):
        name, a, b = "veksRandGauss_Direct_" + code, mean, std
    else:
        raise VeksError("noise: kind is 'uniform' or 'gauss', got %r" % (kind,))
    if code == "16s":
        a, b = int(a), int(b)
    check(getattr(raw, name)(ptr("Vek" + code, out), int(n), a, b, s), name)
    return out
