"""Windows, FIR design, FIR and IIR filter objects, lfilter, convolve and
resample_poly."""
import math
import threading

import numpy as np

from ._common import CODES, bad_length, code_of, fn, ptr, vector
from ._ffi import ffi, raw
from ._lowlevel import VeksError, check

_FLOATS = ("32f", "64f")
_ALL = ("32f", "64f", "32fc", "64fc", "16s")
# data code -> (name part of the form, tap dtype): int16 data run on double taps,
# so integer taps on integer data give exact sums
_FORMS = {
    "32f": ("_32f", np.float32), "64f": ("_64f", np.float64),
    "32fc": ("_32fc", np.complex64), "64fc": ("_64fc", np.complex128),
    "16s": ("64f_16s", np.float64),
}


def window(name, n, dtype=np.float64, **params):
    """The symmetric window of length n, as scipy.signal.get_window(..., fftbins=False).

    name: "bartlett", "hann", "hamming", "blackman" (alpha=-0.16: the classic
    0.42/0.5/0.08 window), "blackman_opt", or "kaiser" (beta=..., as scipy).
    float32 or float64; the library has double-precision members only for
    kaiser and blackman_opt, the others give single-precision weights. The
    library's three-point bartlett, hann, hamming and blackman windows are
    {0, 1, 0} (scipy's hamming has 0.08 at the ends)."""
    code = code_of(dtype, _FLOATS, "window")
    w = np.ones(n, dtype)
    key = name.lower()
    args = ()
    if key in ("hann", "hanning"):
        base = "Hann"
    elif key == "hamming":
        base = "Hamming"
    elif key in ("bartlett", "triangle"):
        base = "Bartlett"
    elif key == "blackman":
        base, args = "Blackman", (params.pop("alpha", -0.16),)
    elif key == "blackman_opt":
        base = "BlackmanOpt"
    elif key == "kaiser":
        if "beta" not in params:
            raise VeksError("window: kaiser needs beta=")
        beta = params.pop("beta")
        base, args = "Kaiser", (2.0 * beta / (n - 1) if n > 1 else 0.0,)
    else:
        raise VeksError("window: unknown window %r" % name)
    if params:
        raise VeksError("window: %s takes no parameter %s" % (name, ", ".join(params)))
    if n == 1 and base != "BlackmanOpt":
        return w
    fname = "veksWin%s_%s_I" % (base, code)
    if code == "64f" and not hasattr(raw, fname):  # no double member: single-precision weights
        w32 = window(name, n, np.float32, **dict(zip(("alpha",) if base == "Blackman" else (), args)))
        return w32.astype(dtype)
    check(fn(fname, "window")(ptr("Vek" + code, w), n, *args), fname)
    return w


_WINTYPES = {"bartlett": 0, "blackman": 1, "hamming": 2, "hann": 3, "hanning": 3,
             "boxcar": 4, "rect": 4, "rectangular": 4, None: 4}


def firwin(numtaps, cutoff, pass_zero=True, window="hamming"):
    """Linear-phase FIR taps (float64) by the window method, gain 1 in the pass
    band; frequencies relative to Nyquist = 1 as in scipy.signal.firwin.

    One cutoff: low-pass (pass_zero True) or high-pass; two: band-stop
    (pass_zero True) or band-pass. Windows: bartlett, blackman (the
    optimal-coefficient Blackman), hamming, hann, boxcar."""
    cut = np.atleast_1d(np.asarray(cutoff, np.float64))
    if isinstance(pass_zero, str):
        pass_zero = {"lowpass": True, "bandstop": True, "highpass": False, "bandpass": False}[pass_zero]
    key = window.lower() if isinstance(window, str) else window
    if key not in _WINTYPES:
        raise VeksError("firwin: unsupported window %r (supported: bartlett, blackman, hamming, hann, boxcar)" % (window,))
    taps = np.empty(max(int(numtaps), 0), np.float64)
    out = ptr("Vek64f", taps)
    if cut.size == 1:
        name = "veksFIRGenLowpass_64f" if pass_zero else "veksFIRGenHighpass_64f"
        status = fn(name, "firwin")(cut[0] / 2, out, int(numtaps), _WINTYPES[key], 1)
    elif cut.size == 2:
        name = "veksFIRGenBandstop_64f" if pass_zero else "veksFIRGenBandpass_64f"
        status = fn(name, "firwin")(cut[0] / 2, cut[1] / 2, out, int(numtaps), _WINTYPES[key], 1)
    else:
        raise VeksError("firwin: one or two cutoff frequencies, got %d" % cut.size)
    check(status, name)
    return taps


class _Filter:
    """A filter state owned by the library, used by one call at a time."""

    def __init__(self, kind, taps, dtype, scale_factor, order, biquad=False):
        code = code_of(dtype, _ALL, kind)
        form, tap_dtype = _FORMS[code]
        taps = np.ascontiguousarray(taps, tap_dtype)
        self.dtype, self.scale_factor, self._code = np.dtype(dtype), scale_factor, code
        tap_code = CODES[np.dtype(tap_dtype)][0]
        init = "veks%sInitAlloc%s%s" % (kind, "_BiQuad" if biquad and form.startswith("_") else "", form)
        if biquad and not form.startswith("_"):
            init = "veks%sInitAlloc%s_BiQuad_%s" % (kind, form.split("_")[0], form.split("_")[1])
        init_fn = fn(init, kind)
        pp = ffi.new("Veks%sState%s**" % (kind, form))
        check(init_fn(pp, ptr("Vek" + tap_code, taps), order, ffi.NULL), init)
        self._state = ffi.gc(pp[0], getattr(raw, "veks%sFree%s" % (kind, form)))
        self._run_name = "veks%s%s%s" % (kind, form, "_Sfs" if code == "16s" else "")
        self._run = getattr(raw, self._run_name)
        self._set_delay = getattr(raw, "veks%sSetDlyLine%s" % (kind, form))
        self._lock = threading.Lock()
        self._ctype = "Vek" + code

    def filter(self, x):
        """Filters the next block of the stream; the state carries over."""
        x = vector(x, self._run_name)
        if x.dtype != self.dtype:
            raise VeksError("%s: the filter is %s, the data %s" % (self._run_name, self.dtype, x.dtype))
        out = np.empty_like(x)
        if x.shape[0] == 0:
            return out
        args = (ptr(self._ctype, x), ptr(self._ctype, out), x.shape[0], self._state)
        if self._code == "16s":
            args += (self.scale_factor,)
        with self._lock:
            check(self._run(*args), self._run_name)
        return out

    def reset(self):
        """Clears the delay line: the next block starts a new stream."""
        with self._lock:
            check(self._set_delay(self._state, ffi.NULL), self._run_name)


class FIR(_Filter):
    """FIR filter y[k] = sum taps[j] x[k - j] keeping its delay line between
    .filter calls. dtype (default: the taps' dtype) is the data type: float32,
    float64, complex64, complex128, or int16 (double taps, results scaled by
    2^-scale_factor, rounded half away from zero and saturated)."""

    def __init__(self, taps, dtype=None, scale_factor=0):
        taps = np.atleast_1d(np.asarray(taps))
        dtype = np.dtype(dtype if dtype is not None else (taps.dtype if taps.dtype in CODES else np.float64))
        if taps.ndim != 1 or taps.size == 0:
            raise VeksError("FIR: taps must be a non-empty 1-D array (vekStsBadTapCount)", -26, "FIR")
        super().__init__("FIR", taps, dtype, scale_factor, taps.size)


class IIR(_Filter):
    """IIR filter H(z) = B(z)/A(z) (coefficients as scipy.signal.lfilter)
    keeping its state between .filter calls; IIR.from_sos for biquad
    cascades. dtypes as FIR."""

    def __init__(self, b, a, dtype=None, scale_factor=0, _sos=None):
        if _sos is not None:
            taps, order, biquad = _sos, _sos.size // 6, True
        else:
            b, a = np.atleast_1d(np.asarray(b)), np.atleast_1d(np.asarray(a))
            if b.ndim != 1 or a.ndim != 1 or b.size == 0 or a.size == 0:
                raise VeksError("IIR: b and a must be non-empty 1-D arrays (vekStsBadOrder)", -25, "IIR")
            order = max(b.size, a.size, 2) - 1
            taps = np.zeros(2 * (order + 1), np.result_type(b, a, np.float32))
            taps[:b.size], taps[order + 1:order + 1 + a.size] = b, a
            biquad = False
        if dtype is None:
            dtype = taps.dtype if taps.dtype in CODES and taps.dtype != np.int16 else np.float64
        super().__init__("IIR", taps, dtype, scale_factor, order, biquad)

    @classmethod
    def from_sos(cls, sos, dtype=None, scale_factor=0):
        """A cascade of second-order sections, rows b0 b1 b2 a0 a1 a2 (as scipy)."""
        sos = np.asarray(sos)
        if sos.ndim != 2 or sos.shape[1] != 6 or sos.shape[0] == 0:
            raise VeksError("IIR.from_sos: sos must be an (n, 6) array with n >= 1 (vekStsBadOrder)", -25, "IIR")
        return cls(None, None, dtype, scale_factor, _sos=np.ascontiguousarray(sos).ravel())


def lfilter(b, a, x, scale_factor=0):
    """scipy.signal.lfilter(b, a, x) for 1-D x of a supported dtype, zero initial state."""
    x = vector(x, "lfilter")
    a = np.atleast_1d(np.asarray(a))
    if a.size == 1:
        if a[0] == 0:
            raise VeksError("lfilter: a[0] is zero (vekStsDivByZeroError)", -10, "lfilter")
        f = FIR(np.atleast_1d(np.asarray(b)) / a[0], x.dtype, scale_factor)
    else:
        f = IIR(b, a, x.dtype, scale_factor)
    return f.filter(x)


def convolve(a, b, scale_factor=0):
    """Full linear convolution, as numpy.convolve(a, b); float32, float64, or
    int16 (scaled by 2^-scale_factor, rounded to nearest even, saturated)."""
    a, b = vector(a, "convolve"), vector(b, "convolve")
    if a.dtype != b.dtype:
        raise VeksError("convolve: operands of different dtypes %s and %s" % (a.dtype, b.dtype))
    code = code_of(a.dtype, ("32f", "64f", "16s"), "convolve")
    out = np.empty(max(a.size + b.size - 1, 0), a.dtype)
    ctype = "Vek" + code
    args = (ptr(ctype, a), a.size, ptr(ctype, b), b.size, ptr(ctype, out))
    name = "veksConv_" + code + ("_Sfs" if code == "16s" else "")
    if code == "16s":
        args += (scale_factor,)
    check(getattr(raw, name)(*args), name)
    return out


_resample_taps = {}


def _lowpass_for(up, down):
    """The anti-aliasing low-pass of scipy.signal.resample_poly: Kaiser
    (beta 5) windowed sinc, 20 max(up, down) + 1 taps, DC gain up."""
    key = (up, down)
    h = _resample_taps.get(key)
    if h is None:
        rate = max(up, down)
        half = 10 * rate
        m = np.arange(2 * half + 1) - half
        h = np.sinc(m / rate) / rate * window("kaiser", 2 * half + 1, beta=5.0)
        h *= up / h.sum()
        _resample_taps[key] = h
    return h


def resample_poly(x, up, down):
    """x resampled by up/down through the multirate FIR filter, as
    scipy.signal.resample_poly(x, up, down) (same length, delay and filter)."""
    x = vector(x, "resample_poly")
    code = code_of(x.dtype, ("32f", "64f", "32fc", "64fc"), "resample_poly")
    up, down = int(up), int(down)
    if up < 1 or down < 1:
        raise VeksError("resample_poly: factors must be >= 1 (vekStsBadMultirateFactor)", -29, "resample_poly")
    if x.size == 0:
        bad_length("resample_poly", "empty input")
    g = math.gcd(up, down)
    up, down = up // g, down // g
    if up == down == 1:
        return x.copy()
    h = _lowpass_for(up, down)
    half = (h.size - 1) // 2
    n_out = -(-x.size * up // down)
    skip = half // down
    iters = -(-(skip + n_out) // up)
    src = np.zeros(iters * down, x.dtype)
    src[:min(x.size, src.size)] = x[:src.size]
    out = np.empty(iters * up, x.dtype)
    form, tap_dtype = _FORMS[code]
    taps = np.ascontiguousarray(h, tap_dtype)
    ctype = "Vek" + code
    init = "veksFIRMRInitAlloc" + form
    init_fn = fn(init, "resample_poly")
    pp = ffi.new("VeksFIRState%s**" % form)
    check(init_fn(pp, ptr(ctype, taps), taps.size, up, 0, down, half % down, ffi.NULL), init)
    try:
        check(getattr(raw, "veksFIR" + form)(ptr(ctype, src), ptr(ctype, out), iters, pp[0]), "veksFIR" + form)
    finally:
        getattr(raw, "veksFIRFree" + form)(pp[0])
    return out[skip:skip + n_out]
