"""Loads libvekszn through cffi (ABI mode) with the generated declarations.

The library is looked up in this order: the path in the environment
variable VEKSZN_LIBRARY, the library directory recorded beside the installed
package (_paths.py, written by the build), then the system loader.
"""
import ctypes
import ctypes.util
import glob
import os

import cffi

from . import _declarations

ffi = cffi.FFI()
ffi.cdef(_declarations.CDEF)


def _candidates():
    env = os.environ.get("VEKSZN_LIBRARY")
    if env:
        yield env
        return
    try:
        from . import _paths
        libdir = os.path.normpath(os.path.join(os.path.dirname(__file__), _paths.LIBRARY_DIR))
        for pattern in ("libvekszn.so", "libvekszn.so.*", "libvekszn.dylib", "libvekszn.*.dylib"):
            yield from sorted(glob.glob(os.path.join(libdir, pattern)))
    except ImportError:
        pass
    found = ctypes.util.find_library("vekszn")
    yield found or "libvekszn.so.5"


def _preload_core(path):
    """Loads the sibling core library first: an installed libvekszn has no
    search path of its own to find it."""
    folder = os.path.dirname(path)
    if folder:
        for core in sorted(glob.glob(os.path.join(folder, "libvekcore.so*")) +
                           glob.glob(os.path.join(folder, "libvekcore*.dylib"))):
            try:
                ctypes.CDLL(core, mode=ctypes.RTLD_GLOBAL)
                return
            except OSError:
                pass


def _load():
    errors = []
    for path in _candidates():
        try:
            _preload_core(path)
            return ffi.dlopen(path), path
        except OSError as e:
            errors.append("%s: %s" % (path, e))
    raise ImportError("vekszn: cannot load libvekszn (set VEKSZN_LIBRARY to its path)\n  " + "\n  ".join(errors))


raw, library_path = _load()
