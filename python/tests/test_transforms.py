import numpy as np
import pytest
import scipy.fft

import vekszn
from conftest import close, needs, random

POW2 = [1, 2, 8, 64, 1024]
OTHER = [3, 12, 100, 1000]
COMPLEX = [np.complex64, np.complex128]
REAL = [np.float32, np.float64]


def lengths(n):
    if n & (n - 1):
        needs("veksDFTInitAlloc_C_32fc")
    return n


@pytest.mark.parametrize("n", POW2 + OTHER)
@pytest.mark.parametrize("dtype", COMPLEX + REAL)
def test_fft_ifft_match_numpy(rng, n, dtype):
    lengths(n)
    x = random(rng, n, dtype)
    X = vekszn.fft(x)
    assert X.dtype == (np.complex64 if dtype in (np.float32, np.complex64) else np.complex128)
    close(X, np.fft.fft(x.astype(np.complex128)), X.dtype)
    close(vekszn.ifft(X), np.fft.ifft(X.astype(np.complex128)), X.dtype)


@pytest.mark.parametrize("n", [2, 16, 256, 7, 30])
@pytest.mark.parametrize("dtype", REAL)
def test_rfft_irfft_match_numpy(rng, n, dtype):
    lengths(n)
    x = random(rng, n, dtype)
    X = vekszn.rfft(x)
    close(X, np.fft.rfft(x.astype(np.float64)), X.dtype)
    Y = np.fft.rfft(random(rng, n, np.float64)).astype(X.dtype)
    close(vekszn.irfft(Y, n), np.fft.irfft(Y.astype(np.complex128), n), dtype)
    # fewer bins than n needs are zero-padded, more are ignored
    close(vekszn.irfft(Y[:2], n), np.fft.irfft(Y[:2].astype(np.complex128), n), dtype)


@pytest.mark.parametrize("n", [1, 2, 8, 64, 5, 100, 300])
@pytest.mark.parametrize("dtype", REAL)
def test_dct_idct_match_scipy(rng, n, dtype):
    x = random(rng, n, dtype)
    close(vekszn.dct(x), scipy.fft.dct(x.astype(np.float64), norm="ortho"), dtype)
    close(vekszn.idct(x), scipy.fft.idct(x.astype(np.float64), norm="ortho"), dtype)


@pytest.mark.parametrize("n", [8, 256, 2048])
def test_int16_fft_follows_float(rng, n):
    x = rng.integers(-2000, 2000, (n, 2)).astype(np.int16)
    sf = n.bit_length() - 1
    X = vekszn.fft(x, scale_factor=sf)
    ref = np.fft.fft(x[:, 0] + 1j * x[:, 1]) / 2**sf
    assert np.abs(X[:, 0] - ref.real).max() <= 3 and np.abs(X[:, 1] - ref.imag).max() <= 3
    back = vekszn.ifft(X, scale_factor=-sf)  # 1/N on the way back, undone by the factor
    ref = np.fft.ifft(X[:, 0] + 1j * X[:, 1]) * 2**sf
    assert np.abs(back[:, 0] - ref.real).max() <= 3 and np.abs(back[:, 1] - ref.imag).max() <= 3


def test_int16_rfft_and_dct_follow_float(rng):
    x = rng.integers(-3000, 3000, 64).astype(np.int16)
    X = vekszn.rfft(x, scale_factor=3)
    ref = np.fft.rfft(x) / 8
    assert np.abs(X[:, 0] - ref.real).max() <= 2 and np.abs(X[:, 1] - ref.imag).max() <= 2
    D = vekszn.dct(x)
    assert np.abs(D - scipy.fft.dct(x.astype(float), norm="ortho")).max() <= 1
    assert np.abs(vekszn.idct(D).astype(int) - x).max() <= 2


def test_specs_are_cached_and_results_repeat(rng):
    x = random(rng, 512, np.complex64)
    first = vekszn.fft(x)
    assert np.array_equal(vekszn.fft(x), first)
    from vekszn import _common
    assert ("FFT", "C_32fc", 9, 2) in _common._specs


@pytest.mark.parametrize("f, bad", [
    (vekszn.fft, np.zeros(0, np.complex64)),
    (vekszn.fft, np.zeros(8, np.int32)),
    (vekszn.fft, np.zeros((4, 4), np.complex64)),
    (vekszn.fft, np.zeros(8, np.int16)),          # int16 complex data are (n, 2)
    (vekszn.rfft, np.zeros(8, np.complex64)),
    (vekszn.dct, np.zeros(0, np.float32)),
    (vekszn.idct, np.zeros(4, np.uint8)),
])
def test_bad_input_raises_and_leaves_input(f, bad):
    keep = bad.copy()
    with pytest.raises(vekszn.VeksError):
        f(bad)
    assert np.array_equal(bad, keep)
