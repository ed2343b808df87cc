"""Shared pieces of the high-level functions: dtype dispatch, raw calls,
the cache of transform specifications."""
import threading

import numpy as np

from ._ffi import ffi, raw
from ._lowlevel import VeksError, check

# numpy dtype -> (type code in exported names, cffi element type)
CODES = {
    np.dtype(np.float32): ("32f", "Vek32f"),
    np.dtype(np.float64): ("64f", "Vek64f"),
    np.dtype(np.complex64): ("32fc", "Vek32fc"),
    np.dtype(np.complex128): ("64fc", "Vek64fc"),
    np.dtype(np.int16): ("16s", "Vek16s"),
}
REAL_OF = {"32fc": "32f", "64fc": "64f", "16sc": "16s", "32f": "32f", "64f": "64f", "16s": "16s"}
COMPLEX_OF = {np.dtype(np.float32): np.dtype(np.complex64), np.dtype(np.float64): np.dtype(np.complex128)}


def code_of(dtype, allowed, what):
    dtype = np.dtype(dtype)
    code = CODES.get(dtype, (None,))[0]
    if code not in allowed:
        raise VeksError("%s: unsupported dtype %s (supported: %s)" % (what, dtype, ", ".join(
            str(d) for d, c in CODES.items() if c[0] in allowed)))
    return code


def fn(name, what):
    """The raw function, or NotImplementedError when this library lacks it."""
    try:
        return getattr(raw, name)
    except AttributeError:
        raise NotImplementedError("%s needs %s, which this build of libvekszn does not export" % (what, name)) from None


def call(name, *args):
    """Calls a raw function and turns its status into an exception or warning."""
    return check(getattr(raw, name)(*args), name)


def ptr(ctype, array):
    return ffi.from_buffer(ctype + "[]", array)


def bad_length(what, message):
    raise VeksError("%s: %s (vekStsBadLength)" % (what, message), -6, what)


_specs = {}
_specs_lock = threading.Lock()


def spec(family, kind, size, flag=None):
    """A cached transform specification made by veks<family>InitAlloc_<kind>.

    family is FFT, DFT, DCTFwd or DCTInv; size the order (FFT) or length.
    Specifications are read-only after they are made, so every thread shares
    them; they are released when the module is unloaded."""
    key = (family, kind, size, flag)
    s = _specs.get(key)
    if s is not None:
        return s
    typename = "Veks%sSpec_%s" % (family, kind)
    init = "veks%sInitAlloc_%s" % (family, kind)
    init_fn = fn(init, "a %s of this length" % family)
    pp = ffi.new(typename + "**")
    args = (pp, size, flag, 0) if flag is not None else (pp, size, 0)
    check(init_fn(*args), init)
    s = ffi.gc(pp[0], getattr(raw, "veks%sFree_%s" % (family, kind)))
    with _specs_lock:
        return _specs.setdefault(key, s)


def int_pairs(x, what):
    """An int16 array of complex values as (n, 2) re, im pairs."""
    x = np.asarray(x)
    if x.ndim != 2 or x.shape[1] != 2:
        raise VeksError("%s: int16 complex data are (n, 2) arrays of re, im pairs, got shape %s" % (what, x.shape))
    return np.ascontiguousarray(x)


def vector(x, what):
    x = np.asarray(x)
    if x.ndim != 1:
        raise VeksError("%s: expects a one-dimensional array, got shape %s" % (what, x.shape))
    return np.ascontiguousarray(x)
