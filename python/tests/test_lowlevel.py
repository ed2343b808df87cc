import shutil
import subprocess
import warnings

import numpy as np
import pytest

import vekszn


def exported_names():
    out = subprocess.run(["nm", "-D", "--defined-only", vekszn.library_path],
                         check=True, capture_output=True, text=True).stdout
    return sorted({line.split()[-1] for line in out.splitlines() if line.split()[-1].startswith("veks")})


@pytest.mark.skipif(shutil.which("nm") is None, reason="needs nm")
def test_every_export_is_reachable():
    names = exported_names()
    assert len(names) > 1000
    vekszn.raw.declare_all()
    missing = [n for n in names if n not in dir(vekszn.lib)]
    assert not missing
    for n in names:
        assert callable(getattr(vekszn.lib, n))


def test_status_errors_name_status_and_function():
    src = np.ones(4, np.float32)
    dst = np.full(4, 7.0, np.float32)
    with pytest.raises(vekszn.VeksError, match=r"veksAdd_32f: vekStsNullPtr \(-8\)") as e:
        vekszn.lib.veksAdd_32f(src, None, dst, 4)
    assert e.value.status == -8 and e.value.function == "veksAdd_32f"
    with pytest.raises(vekszn.VeksError, match="vekStsBadLength"):
        vekszn.lib.veksAdd_32f(src, src, dst, 0)
    assert np.all(dst == 7.0)
    assert vekszn.lib.veksAdd_32f(src, src, dst, 4) == 0 and np.all(dst == 2.0)


def test_warnings_become_python_warnings():
    dst = np.zeros(3, np.float32)
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        assert vekszn.lib.veksLn_32f(np.array([1, 0, -1], np.float32), dst, 3) == 7
    assert issubclass(caught[0].category, vekszn.VeksWarning) and "vekStsLogZeroArg" in str(caught[0].message)
    assert dst[0] == 0 and np.isneginf(dst[1]) and np.isnan(dst[2])


def test_arrays_are_checked_before_the_call():
    f32 = np.ones(8, np.float32)
    out = np.full(8, 5.0, np.float32)
    bad = [
        (np.ones(8, np.float64), f32, out, 8),          # dtype
        (np.ones(16, np.float32)[::2], f32, out, 8),    # not contiguous
        (f32, f32, out[:4], 8),                         # too short for len
    ]
    ro = out.copy()
    ro.setflags(write=False)
    bad.append((f32, f32, ro, 8))                       # written but read-only
    for args in bad:
        with pytest.raises(vekszn.VeksError):
            vekszn.lib.veksAdd_32f(*args)
    assert np.all(out == 5.0)
    with pytest.raises(TypeError):
        vekszn.lib.veksAdd_32f(f32, f32, out)


def test_objects_and_integer_complex_through_the_low_level():
    pp = vekszn.ffi.new("VeksFFTSpec_C_16sc**")
    vekszn.lib.veksFFTInitAlloc_C_16sc(pp, 3, 8, 0)
    try:
        x = np.zeros((8, 2), np.int16)
        x[0] = (100, -50)
        y = np.zeros_like(x)
        vekszn.lib.veksFFTFwd_CToC_16sc_Sfs(x, y, pp[0], 0, None)
        assert np.all(y == [100, -50])
        with pytest.raises(vekszn.VeksError, match="re, im pairs"):
            vekszn.lib.veksFFTFwd_CToC_16sc_Sfs(np.zeros(3, np.int16), y, pp[0], 0, None)
    finally:
        vekszn.lib.veksFFTFree_C_16sc(pp[0])
    vals = np.zeros(2, np.complex64)
    vekszn.lib.veksGoertzTwo_32f(np.ones(16, np.float32), 16, vals, [0.0, 0.25])
    assert abs(vals[0] - 16) < 1e-4 and abs(vals[1]) < 1e-4
    with pytest.raises(vekszn.VeksError, match="needs 2"):
        vekszn.lib.veksGoertzTwo_32f(np.ones(16, np.float32), 16, np.zeros(1, np.complex64), [0.0, 0.25])


def test_version():
    assert vekszn.version().startswith("5.3")
