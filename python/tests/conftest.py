import numpy as np
import pytest

import vekszn

# Worst-case error of a result relative to the largest reference magnitude:
# a few ulps times the log of the length for transforms and short filters.
TOL = {np.float32: 2e-5, np.complex64: 2e-5, np.float64: 1e-12, np.complex128: 1e-12}


def random(rng, n, dtype):
    x = rng.standard_normal(n)
    if np.issubdtype(dtype, np.complexfloating):
        x = x + 1j * rng.standard_normal(n)
    return x.astype(dtype)


def close(got, ref, dtype):
    ref = np.asarray(ref)
    scale = max(np.abs(ref).max(), 1.0) if ref.size else 1.0
    err = np.abs(got - ref).max() if ref.size else 0.0
    assert err <= TOL[np.dtype(dtype).type] * scale, "error %g of %g" % (err, scale)


def needs(name):
    """Skips a test whose library family is not in this build."""
    if name not in dir(vekszn.lib) or not hasattr(vekszn.raw, name):
        pytest.skip("this libvekszn has no %s" % name)


@pytest.fixture
def rng(request):
    return np.random.default_rng(abs(hash(request.node.name)) % 2**32)
