import numpy as np
import pytest
import scipy.signal

import vekszn
from conftest import close, needs, random

FLOATS = [np.float32, np.float64, np.complex64, np.complex128]


def half_away(v):
    return np.clip(np.sign(v) * np.floor(np.abs(v) + 0.5), -32768, 32767).astype(np.int16)


def blocks(rng, n):
    """Random cut points splitting n samples into blocks (empty ones included)."""
    cuts = np.sort(rng.integers(0, n + 1, 6))
    return [0, *cuts, n]


def streamed(f, x, rng):
    cuts = blocks(rng, x.size)
    return np.concatenate([f.filter(x[a:b]) for a, b in zip(cuts[:-1], cuts[1:])])


@pytest.mark.parametrize("name, scipy_name", [
    ("hann", "hann"), ("hamming", "hamming"), ("bartlett", "bartlett"), ("blackman", "blackman"),
])
@pytest.mark.parametrize("n", [3, 4, 31, 256])
@pytest.mark.parametrize("dtype", [np.float32, np.float64])
def test_window_matches_scipy(name, scipy_name, n, dtype):
    w = vekszn.window(name, n, dtype)
    if n == 3:  # the library's three-point windows are {0, 1, 0} for every kind
        assert np.array_equal(w, [0, 1, 0])
        return
    assert w.dtype == dtype
    assert np.abs(w - scipy.signal.get_window(scipy_name, n, fftbins=False)).max() < 1e-6


@pytest.mark.parametrize("n, beta", [(1, 5.0), (16, 0.5), (101, 8.6)])
def test_kaiser_window_matches_scipy(n, beta):
    ref = scipy.signal.get_window(("kaiser", beta), n, fftbins=False)
    assert np.abs(vekszn.window("kaiser", n, beta=beta) - ref).max() < 1e-6


@pytest.mark.parametrize("numtaps, cutoff, pass_zero", [
    (31, 0.3, True), (64, 0.25, True), (33, 0.6, False), (41, [0.2, 0.5], False), (41, [0.2, 0.5], True)])
@pytest.mark.parametrize("window", ["hamming", "hann", "bartlett", "boxcar"])
def test_firwin_matches_scipy(numtaps, cutoff, pass_zero, window):
    needs("veksFIRGenLowpass_64f")
    ref = scipy.signal.firwin(numtaps, cutoff, pass_zero=pass_zero, window=window)
    assert np.abs(vekszn.firwin(numtaps, cutoff, pass_zero, window) - ref).max() < 1e-9


@pytest.mark.parametrize("ntaps", [1, 7, 128])
@pytest.mark.parametrize("dtype", FLOATS)
def test_fir_matches_lfilter_and_streams(rng, ntaps, dtype):
    needs("veksFIRInitAlloc_32f")
    taps, x = random(rng, ntaps, dtype), random(rng, 3000, dtype)
    ref = scipy.signal.lfilter(taps.astype(np.complex128), 1, x.astype(np.complex128))
    f = vekszn.FIR(taps)
    close(f.filter(x), ref, dtype)
    f.reset()
    close(streamed(f, x, rng), ref, dtype)
    close(vekszn.lfilter(taps, [1.0], x), ref, dtype)


def test_fir_int16_is_exact_and_streams(rng):
    needs("veksFIRInitAlloc64f_16s")
    taps = rng.integers(-40, 40, 20).astype(np.float64)
    x = rng.integers(-30000, 30000, 2000).astype(np.int16)
    for sf in (0, 3, -2):
        ref = half_away(np.convolve(x.astype(np.float64), taps)[:x.size] * 2.0**-sf)
        f = vekszn.FIR(taps, np.int16, scale_factor=sf)
        assert np.array_equal(f.filter(x), ref)
        f.reset()
        assert np.array_equal(streamed(f, x, rng), ref)


@pytest.mark.parametrize("dtype", FLOATS)
def test_iir_matches_lfilter_and_sosfilt(rng, dtype):
    x = random(rng, 2000, dtype)
    b, a = scipy.signal.butter(4, 0.15)
    ref = scipy.signal.lfilter(b, a, x.astype(np.complex128))
    f = vekszn.IIR(b, a, dtype)
    close(f.filter(x), ref, dtype)
    f.reset()
    close(streamed(f, x, rng), ref, dtype)
    close(vekszn.lfilter(b, a, x), ref, dtype)
    sos = scipy.signal.cheby1(6, 1, 0.3, output="sos")
    ref = scipy.signal.sosfilt(sos, x.astype(np.complex128))
    g = vekszn.IIR.from_sos(sos, dtype)
    close(g.filter(x), ref, dtype)
    g.reset()
    close(streamed(g, x, rng), ref, dtype)


def test_iir_int16_is_exact(rng):
    # dyadic coefficients keep every double sum exact over this length
    b, a = [3.0, -2.0, 1.0], [1.0, 0.5]
    x = rng.integers(-1000, 1000, 24).astype(np.int16)
    for sf in (0, 2):
        ref = half_away(scipy.signal.lfilter(b, a, x.astype(np.float64)) * 2.0**-sf)
        f = vekszn.IIR(b, a, np.int16, scale_factor=sf)
        assert np.array_equal(f.filter(x), ref)
        f.reset()
        assert np.array_equal(streamed(f, x, rng), ref)


@pytest.mark.parametrize("na, nb", [(1, 1), (100, 7), (5000, 300)])
@pytest.mark.parametrize("dtype", [np.float32, np.float64])
def test_convolve_matches_numpy(rng, na, nb, dtype):
    a, b = random(rng, na, dtype), random(rng, nb, dtype)
    close(vekszn.convolve(a, b), np.convolve(a.astype(np.float64), b.astype(np.float64)), dtype)


def test_convolve_int16_is_exact(rng):
    # a short operand below 32 samples keeps the library on direct sums, which
    # are exact here; longer ones go through single-precision transforms
    a = rng.integers(-100, 100, 300).astype(np.int16)
    b = rng.integers(-100, 100, 31).astype(np.int16)
    full = np.convolve(a.astype(np.int64), b.astype(np.int64))
    for sf in (0, 1, 4, -3):
        ref = np.clip(np.rint(full * 2.0**-sf), -32768, 32767).astype(np.int16)  # ties to even
        assert np.array_equal(vekszn.convolve(a, b, scale_factor=sf), ref)


@pytest.mark.parametrize("up, down", [(160, 147), (3, 2), (1, 4), (5, 1)])
@pytest.mark.parametrize("dtype", [np.float32, np.float64, np.complex64])
def test_resample_poly_matches_scipy(rng, up, down, dtype):
    needs("veksFIRMRInitAlloc_32f")
    n = 4800
    t = np.arange(n)
    x = (np.cos(2 * np.pi * 0.01 * t) + 0.1 * random(rng, n, np.float64)).astype(dtype)
    y = vekszn.resample_poly(x, up, down)
    ref = scipy.signal.resample_poly(x.astype(np.complex128 if np.iscomplexobj(x) else np.float64), up, down)
    assert y.dtype == dtype and y.shape == ref.shape
    assert np.abs(y - ref).max() < 1e-3
    mid = slice(ref.size // 4, 3 * ref.size // 4)
    assert abs(np.sqrt(np.mean(np.abs(y[mid]) ** 2)) / np.sqrt(np.mean(np.abs(ref[mid]) ** 2)) - 1) < 1e-3


def test_bad_filter_input_raises_and_leaves_arrays():
    x = np.arange(10, dtype=np.float32)
    keep = x.copy()
    cases = [
        lambda: vekszn.convolve(x, np.zeros(0, np.float32)),
        lambda: vekszn.convolve(x, x.astype(np.float64)),
        lambda: vekszn.convolve(x.astype(np.complex64), x.astype(np.complex64)),
        lambda: vekszn.IIR([], [1.0]),
        lambda: vekszn.IIR([1.0, 1.0], [0.0, 1.0], np.float32),   # a0 = 0
        lambda: vekszn.IIR([1.0, 1.0], [1.0, 1.0], np.int32),
        lambda: vekszn.IIR([1.0, 1.0], [1.0, 0.5], np.float64).filter(x),
        lambda: vekszn.IIR.from_sos(np.zeros((1, 5))),
        lambda: vekszn.lfilter([1.0], [0.0], x),
        lambda: vekszn.window("hann", 0),
        lambda: vekszn.window("nope", 8),
        lambda: vekszn.resample_poly(x, 0, 1),
    ]
    if hasattr(vekszn.raw, "veksFIRInitAlloc_32f"):
        cases += [lambda: vekszn.FIR([]), lambda: vekszn.FIR([1.0, 2.0], np.float64).filter(x)]
    for case in cases:
        with pytest.raises(vekszn.VeksError):
            case()
        assert np.array_equal(x, keep)


def test_families_not_in_this_build_say_so():
    if not hasattr(vekszn.raw, "veksFIRInitAlloc_32f"):
        with pytest.raises(NotImplementedError, match="veksFIRInitAlloc"):
            vekszn.FIR([1.0])
    if not hasattr(vekszn.raw, "veksFIRGenLowpass_64f"):
        with pytest.raises(NotImplementedError, match="veksFIRGenLowpass_64f"):
            vekszn.firwin(11, 0.5)
