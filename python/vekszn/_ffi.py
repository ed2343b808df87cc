"""Loads libvekszn through cffi (ABI mode) with the generated declarations.

The library is looked up in this order: the path in the environment
variable VEKSZN_LIBRARY, the library directory recorded beside the installed
package (_paths.py, written by the build), then the system loader.
"""
import ctypes
import ctypes.util
import glob
import os
import threading

import cffi

from . import _declarations

ffi = cffi.FFI()
ffi.cdef(_declarations.TYPES)


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


class _Raw:
    """The library's functions as cffi calls (no argument checks). Each
    prototype is declared to cffi on first use: parsing all of them at
    import would take seconds."""

    def __init__(self, library):
        self._library = library

    def __getattr__(self, name):
        prototype = _declarations.PROTOTYPES.get(name)
        if prototype is None:
            raise AttributeError(name)
        with _declare_lock:
            if name not in self.__dict__:
                ffi.cdef(prototype, override=True)
                self.__dict__[name] = getattr(self._library, name)
        return self.__dict__[name]

    def __dir__(self):
        return sorted(_declarations.PROTOTYPES)

    def declare_all(self):
        """Declares every remaining prototype in one parse (about two seconds),
        for code about to use many functions."""
        with _declare_lock:
            rest = [n for n in _declarations.PROTOTYPES if n not in self.__dict__]
            ffi.cdef("\n".join(_declarations.PROTOTYPES[n] for n in rest), override=True)
            for n in rest:
                self.__dict__[n] = getattr(self._library, n)


_declare_lock = threading.Lock()
_library, library_path = _load()
raw = _Raw(_library)
