"""fft, ifft, rfft, irfft (numpy's scaling) and the orthonormal dct, idct.

Powers of two go through the FFT, other lengths through the DFT. Complex
int16 data are (n, 2) arrays of re, im pairs; integer forms scale their
results by 2^-scale_factor, round and saturate."""
import numpy as np

from ._common import COMPLEX_OF, bad_length, code_of, fn, int_pairs, ptr, spec, vector
from ._ffi import ffi
from ._lowlevel import check

_NORM_INV = 2  # forward unscaled, inverse by 1/N: numpy's convention


def _family(n):
    if n & (n - 1) == 0:
        return "FFT", n.bit_length() - 1
    return "DFT", n


def _run(family, direction, layout, kind, code, size, src, dst, scale_factor, what):
    s = spec(family, kind, size, _NORM_INV)
    name = "veks%s%s_%s_%s" % (family, direction, layout, code)
    ctype = "Vek" + code  # real layouts pass complex arrays as their real components
    if code in ("16s", "16sc"):
        name += "_Sfs"
        check(fn(name, what)(ptr(ctype, src), ptr(ctype, dst), s, scale_factor, ffi.NULL), name)
    else:
        check(fn(name, what)(ptr(ctype, src), ptr(ctype, dst), s, ffi.NULL), name)


def _complex(x, direction, scale_factor, what):
    x = np.asarray(x)
    if x.dtype == np.int16:
        x, code = int_pairs(x, what), "16sc"
    else:
        if x.dtype in COMPLEX_OF:
            x = x.astype(COMPLEX_OF[x.dtype])
        x = vector(x, what)
        code = code_of(x.dtype, ("32fc", "64fc"), what)
    n = x.shape[0]
    if n < 1:
        bad_length(what, "empty input")
    out = np.empty_like(x)
    family, size = _family(n)
    _run(family, direction, "CToC", "C_" + code, code, size, x, out, scale_factor, what)
    return out


# Per direction (forward, inverse): (dtype char, shape) -> (in-place raw
# function, spec, element type, name) for power-of-two complex float data.
# Short transforms spend most of their time in Python, so the path below
# does as little as it can.
_plans = ({}, {})
_NULL = ffi.NULL
_from_buffer = ffi.from_buffer


def _planned(x, inverse, scale_factor, what):
    try:
        plan = _plans[inverse].get((x.dtype.char, x.shape))
    except AttributeError:
        plan = None
    if plan is None:
        return _first(x, inverse, scale_factor, what)
    out = x.copy()  # C-contiguous and writable whatever x is
    status = plan[0](_from_buffer(plan[2], out), plan[1], _NULL)
    if status:
        check(status, plan[3])
    return out


def _first(x, inverse, scale_factor, what):
    direction = "Inv" if inverse else "Fwd"
    out = _complex(x, direction, scale_factor, what)
    if type(x) is np.ndarray and x.ndim == 1 and x.dtype.char in "FD":
        n = x.shape[0]
        if n & (n - 1) == 0:
            code = "32fc" if x.dtype.char == "F" else "64fc"
            name = "veksFFT%s_CToC_%s_I" % (direction, code)
            _plans[inverse][(x.dtype.char, x.shape)] = (
                fn(name, what), spec("FFT", "C_" + code, n.bit_length() - 1, _NORM_INV), "Vek%s[]" % code, name)
    return out


def fft(x, scale_factor=0):
    """Discrete Fourier transform of a 1-D array, as numpy.fft.fft (unscaled).

    float32/complex64 -> complex64, float64/complex128 -> complex128; int16
    (n, 2) re, im pairs -> int16 pairs scaled by 2^-scale_factor."""
    return _planned(x, False, scale_factor, "fft")


def ifft(X, scale_factor=0):
    """Inverse transform scaled by 1/n, as numpy.fft.ifft."""
    return _planned(X, True, scale_factor, "ifft")


def rfft(x, scale_factor=0):
    """Spectrum bins 0..n/2 of a real signal, as numpy.fft.rfft.

    float32 -> complex64, float64 -> complex128, int16 -> (n/2+1, 2) int16."""
    x = vector(x, "rfft")
    code = code_of(x.dtype, ("32f", "64f", "16s"), "rfft")
    n = x.shape[0]
    if n < 1:
        bad_length("rfft", "empty input")
    if code == "16s":
        out = np.empty((n // 2 + 1, 2), np.int16)
    else:
        out = np.empty(n // 2 + 1, COMPLEX_OF[x.dtype])
    family, size = _family(n)
    _run(family, "Fwd", "RToCCS", "R_" + code, code, size, x, out, scale_factor, "rfft")
    return out


def irfft(X, n=None, scale_factor=0):
    """Real signal of length n (default 2 (len(X) - 1)) from its bins 0..n/2,
    as numpy.fft.irfft: missing bins are zero, extra bins are ignored, and the
    imaginary parts of bin 0 (and of bin n/2 for even n) do not matter."""
    X = np.asarray(X)
    if X.dtype == np.int16:
        X, code, real = int_pairs(X, "irfft"), "16s", np.dtype(np.int16)
    else:
        if X.dtype in COMPLEX_OF:
            X = X.astype(COMPLEX_OF[X.dtype])
        X = vector(X, "irfft")
        code = code_of(X.dtype, ("32fc", "64fc"), "irfft")[:-1]
        real = np.dtype(np.float32 if code == "32f" else np.float64)
    m = X.shape[0]
    if n is None:
        n = 2 * (m - 1)
    if n < 1 or m < 1:
        bad_length("irfft", "output length %d from %d bins" % (n, m))
    bins = n // 2 + 1
    ccs = np.zeros((bins,) + X.shape[1:], X.dtype)
    ccs[:min(m, bins)] = X[:bins]
    out = np.empty(n, real)
    family, size = _family(n)
    _run(family, "Inv", "CCSToR", "R_" + code, code, size, ccs, out, scale_factor, "irfft")
    return out


def _dct(x, direction, scale_factor, what):
    x = vector(x, what)
    code = code_of(x.dtype, ("32f", "64f", "16s"), what)
    n = x.shape[0]
    if n < 1:
        bad_length(what, "empty input")
    out = np.empty_like(x)
    s = spec("DCT" + direction, code, n)
    name = "veksDCT%s_%s" % (direction, code)
    ctype = "Vek" + code
    if code == "16s":
        name += "_Sfs"
        check(fn(name, what)(ptr(ctype, x), ptr(ctype, out), s, scale_factor, ffi.NULL), name)
    else:
        check(fn(name, what)(ptr(ctype, x), ptr(ctype, out), s, ffi.NULL), name)
    return out


def dct(x, scale_factor=0):
    """Orthonormal DCT-II, as scipy.fft.dct(x, norm="ortho")."""
    return _dct(x, "Fwd", scale_factor, "dct")


def idct(X, scale_factor=0):
    """Orthonormal DCT-III (the inverse of dct), as scipy.fft.idct(X, norm="ortho")."""
    return _dct(X, "Inv", scale_factor, "idct")
