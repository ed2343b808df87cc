"""Checked access to every exported function: vekszn.lib.veks<Name>(...).

Each wrapper is built from the parsed prototype. Where the C function takes
a pointer to elements it accepts a numpy array of the matching dtype
(C-contiguous, writable for outputs) and, where the header names the length
that governs it (len, srcLen, src1Len, src2Len, dstLen, tapsLen, numIters, or
a fixed array size), at least that many elements; None passes a null
pointer; cffi pointers pass unchecked. Integer complex types take arrays of
their component type holding re, im pairs (shape (n, 2)). Statuses below 0
raise VeksError, statuses above 0 give a VeksWarning.
"""
import warnings

import numpy as np

from . import _declarations
from ._ffi import ffi, raw


class VeksError(ValueError):
    """A function returned an error status, or its arguments were refused."""

    def __init__(self, message, status=None, function=None):
        super().__init__(message)
        self.status = status
        self.function = function


class VeksWarning(UserWarning):
    """A function returned a warning status; its outputs are all defined."""


STATUS_NAMES = _declarations.STATUS_NAMES


def status_name(status):
    return STATUS_NAMES.get(status, "unknown status")


def check(status, function):
    """Raises VeksError for errors, warns for warnings, returns the status."""
    if status < 0:
        raise VeksError("%s: %s (%d)" % (function, status_name(status), status), status, function)
    if status > 0:
        warnings.warn(VeksWarning("%s: %s (%d)" % (function, status_name(status), status)), stacklevel=3)
    return status


# element type -> (numpy dtype, numpy values per element)
_ELEMENTS = {
    "Vek8u": (np.uint8, 1), "Vek8s": (np.int8, 1), "Vek16s": (np.int16, 1), "Vek16u": (np.uint16, 1),
    "Vek32s": (np.int32, 1), "Vek32u": (np.uint32, 1), "Vek64s": (np.int64, 1), "Vek64u": (np.uint64, 1),
    "Vek32f": (np.float32, 1), "Vek64f": (np.float64, 1), "Vek16f": (np.uint16, 1),
    "Vek32fc": (np.complex64, 1), "Vek64fc": (np.complex128, 1),
    "Vek8sc": (np.int8, 2), "Vek16sc": (np.int16, 2), "Vek32sc": (np.int32, 2), "Vek64sc": (np.int64, 2),
    "int": (np.int32, 1), "unsigned int": (np.uint32, 1), "char": (np.int8, 1), "void": (None, 1),
}
_RAW_BYTES = ("pBuffer", "pBuf", "pMemSpec", "pBufInit", "pMem", "pSpec")

# length parameter -> the pointer parameters it bounds from below
_LENGTH_RULES = {
    "len": lambda n: n.startswith(("pSrc", "pDst")) and not n.endswith("Len"),
    "srcLen": lambda n: n == "pSrc",
    "src1Len": lambda n: n == "pSrc1",
    "src2Len": lambda n: n == "pSrc2",
    "dstLen": lambda n: n == "pDst",
    "tapsLen": lambda n: n == "pTaps",
    "numIters": lambda n: n in ("pSrc", "pDst", "pSrcDst"),
}


# pointers that the length argument does not bound (fewer elements are written)
_UNBOUNDED = {"veksPackBits_32u8u": ("pDst",)}


class _Pointer:
    """Turns one pointer argument into cdata, checking arrays."""

    def __init__(self, function, ctype, name):
        self.function, self.ctype, self.name = function, ctype, name
        self.const = ctype.startswith("const ")
        base = ctype[6:] if self.const else ctype
        self.base = base[:-1].strip()
        self.element = _ELEMENTS.get(self.base)
        if name in _RAW_BYTES and self.base == "Vek8u":
            self.element = (None, 1)

    def fail(self, why):
        raise VeksError("%s: argument %s (%s) %s" % (self.function, self.name, self.ctype, why), None, self.function)

    def convert(self, value):
        """(cdata, element count or None)."""
        if value is None:
            return ffi.NULL, None
        if isinstance(value, ffi.CData):
            return value, None
        if self.element is None:
            self.fail("takes a cffi pointer (or None), not %s" % type(value).__name__)
        dtype, per = self.element
        if not isinstance(value, np.ndarray):
            if not self.const:
                self.fail("is written: pass a numpy array")
            value = np.ascontiguousarray(value, dtype=dtype)
        if not value.flags.c_contiguous:
            self.fail("needs a C-contiguous array")
        if not self.const and not value.flags.writeable:
            self.fail("is written: the array is read-only")
        if dtype is None:
            return ffi.from_buffer(value), value.nbytes
        if value.dtype != dtype and not (self.base == "Vek16f" and value.dtype == np.float16):
            self.fail("needs dtype %s, got %s" % (np.dtype(dtype).name, value.dtype))
        if per == 2 and value.size % 2:
            self.fail("needs re, im pairs (an even number of values)")
        return ffi.from_buffer(self.base + "[]", value), value.size // per


def _make(name):
    restype, params = _declarations.FUNCTIONS[name]
    cfunc = getattr(raw, name)
    pointers = {}
    for i, (ctype, pname, _) in enumerate(params):
        if ctype.endswith("*"):
            pointers[i] = _Pointer(name, ctype, pname)
        elif ctype in ("Vek32fc", "Vek64fc", "Vek8sc", "Vek16sc", "Vek32sc", "Vek64sc"):
            pointers[i] = None  # complex by value
    bounds = []  # (length argument index, pointer index) pairs, or (fixed count, pointer index)
    for li, (ctype, lname, _) in enumerate(params):
        rule = _LENGTH_RULES.get(lname)
        if rule and ctype == "int":
            bounds += [(li, pi) for pi, p in pointers.items() if p is not None and rule(p.name)
                       and p.base not in ("int", "unsigned int") and p.name not in _UNBOUNDED.get(name, ())]
    fixed = [(count, i) for i, (_, _, count) in enumerate(params) if count]
    names = ", ".join(p[1] for p in params)
    is_status = restype == "VekStatus"

    def call(*args):
        if len(args) != len(params):
            raise TypeError("%s(%s) takes %d arguments, %d given" % (name, names, len(params), len(args)))
        cargs = list(args)
        counts = {}
        for i, conv in pointers.items():
            if conv is None:
                v = args[i]
                if isinstance(v, (complex, np.complexfloating)):
                    cargs[i] = [v.real, v.imag]
                continue
            cargs[i], counts[i] = conv.convert(args[i])
        for li, pi in bounds:
            n = args[li]
            if counts.get(pi) is not None and isinstance(n, (int, np.integer)) and counts[pi] < n:
                pointers[pi].fail("holds %d elements, %s is %d" % (counts[pi], params[li][1], n))
        for count, pi in fixed:
            if counts.get(pi) is not None and counts[pi] < count:
                pointers[pi].fail("holds %d elements, needs %d" % (counts[pi], count))
        result = cfunc(*cargs)
        if is_status:
            return check(result, name)
        return result

    call.__name__ = name
    call.__doc__ = "%s %s(%s)" % (restype, name, ", ".join("%s %s" % p[:2] for p in params))
    return call


class Lib:
    """Every exported function, as a checked Python callable."""

    def __getattr__(self, name):
        if name not in _declarations.FUNCTIONS:
            raise AttributeError("libvekszn has no function %s" % name)
        f = _make(name)
        setattr(self, name, f)
        return f

    def __dir__(self):
        return sorted(_declarations.FUNCTIONS)


lib = Lib()
