"""vekszn for Python: the library's signal-processing functions on numpy arrays.

High level (numpy/scipy-shaped, dispatching on dtype): fft, ifft, rfft,
irfft, dct, idct, window, firwin, FIR, IIR, lfilter, convolve,
resample_poly, tone, noise.

Low level: vekszn.lib.veks<Name>(...) for every exported function (numpy
arrays for pointers, checked; returns the status). vekszn.ffi makes the
pointers the arrays cannot give (ffi.new("VeksFFTSpec_C_32fc**")).

Errors (negative statuses, refused arguments) raise VeksError; warnings
(positive statuses) are issued as VeksWarning. Long calls release the GIL.
"""
from ._ffi import ffi, library_path, raw
from ._lowlevel import STATUS_NAMES, VeksError, VeksWarning, lib, status_name
from ._transforms import dct, fft, idct, ifft, irfft, rfft
from ._filters import FIR, IIR, convolve, firwin, lfilter, resample_poly, window
from ._generators import noise, tone


def version():
    """The library's version string."""
    return ffi.string(raw.veksGetLibVersion().Version).decode()


__all__ = ["fft", "ifft", "rfft", "irfft", "dct", "idct", "window", "firwin", "FIR", "IIR", "lfilter",
           "convolve", "resample_poly", "tone", "noise", "lib", "ffi", "VeksError", "VeksWarning",
           "STATUS_NAMES", "status_name", "version", "library_path"]
