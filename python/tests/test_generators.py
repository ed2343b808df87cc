import numpy as np
import pytest

import vekszn


@pytest.mark.parametrize("dtype", [np.float32, np.float64, np.complex64, np.complex128])
def test_tone_is_a_cosine(dtype):
    n, f, ph = 1000, 0.123, 0.7
    ref = 2.5 * np.exp(1j * (2 * np.pi * f * np.arange(n) + ph))
    y = vekszn.tone(n, f, 2.5, ph, dtype)
    assert y.dtype == dtype
    tol = 1e-4 if dtype in (np.float32, np.complex64) else 1e-9
    want = ref if np.iscomplexobj(y) else ref.real
    assert np.abs(y - want).max() < tol


def test_tone_int16_truncates():
    y = vekszn.tone(64, 0.1, 1000, 0.0, np.int16)
    ref = np.trunc(1000 * np.cos(2 * np.pi * 0.1 * np.arange(64)))
    assert np.abs(y - ref).max() <= 1


@pytest.mark.parametrize("dtype", [np.float32, np.float64, np.int16])
def test_noise_statistics_and_seeds(dtype):
    scale = 1000 if dtype == np.int16 else 1
    u = vekszn.noise(100000, "uniform", low=-2 * scale, high=2 * scale, seed=7, dtype=dtype)
    assert u.min() >= -2 * scale and u.max() < 2 * scale
    assert abs(u.mean()) < 0.03 * scale and abs(u.std() - 4 * scale / np.sqrt(12)) < 0.02 * scale
    g = vekszn.noise(100000, "gauss", mean=scale, std=3 * scale, seed=7, dtype=dtype)
    assert abs(g.mean() - scale) < 0.05 * scale and abs(g.std() - 3 * scale) < 0.05 * scale
    def draw(seed):
        return vekszn.noise(100, low=-scale, high=scale, seed=seed, dtype=dtype)
    assert np.array_equal(draw(7), draw(7)) and not np.array_equal(draw(7), draw(8))


@pytest.mark.parametrize("call", [
    lambda: vekszn.tone(10, 0.6),              # frequency outside [0, 0.5)
    lambda: vekszn.tone(10, 0.1, -1.0),        # magnitude not positive
    lambda: vekszn.tone(0, 0.1),
    lambda: vekszn.noise(10, "pink"),
    lambda: vekszn.noise(10, dtype=np.complex64),
])
def test_bad_generator_arguments_raise(call):
    with pytest.raises(vekszn.VeksError):
        call()
