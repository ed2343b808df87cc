import os
import shutil
import subprocess
import sys

import pytest

BUILD = os.environ.get("VEKSZN_BUILD_DIR")


@pytest.mark.skipif(not BUILD or not shutil.which("cmake"), reason="needs VEKSZN_BUILD_DIR (set by tools/pytest)")
def test_installed_package_finds_its_library(tmp_path):
    prefix = tmp_path / "prefix"
    subprocess.run(["cmake", "--install", BUILD, "--prefix", str(prefix)], check=True, capture_output=True)
    pkgs = [os.path.dirname(os.path.join(d)) for d, _, files in os.walk(prefix)
            if os.path.basename(d) == "vekszn" and "__init__.py" in files]
    assert len(pkgs) == 1
    env = {k: v for k, v in os.environ.items() if k not in ("VEKSZN_LIBRARY", "PYTHONPATH", "LD_LIBRARY_PATH")}
    env["PYTHONPATH"] = pkgs[0]
    out = subprocess.run([sys.executable, "-c", "import vekszn, numpy; print(vekszn.library_path); "
                          "print(abs(vekszn.fft(numpy.ones(8, 'F'))[0]))"],
                         check=True, capture_output=True, text=True, env=env, cwd=str(tmp_path)).stdout.split()
    assert out[0].startswith(str(prefix)) and float(out[1]) == 8.0
    env["VEKSZN_LIBRARY"] = str(tmp_path / "nowhere.so")
    failed = subprocess.run([sys.executable, "-c", "import vekszn"], capture_output=True, text=True, env=env,
                            cwd=str(tmp_path))
    assert failed.returncode != 0 and "VEKSZN_LIBRARY" in failed.stderr
