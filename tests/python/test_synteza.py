"""The minimal-CNOT synthesis and the shorter of its circuit and the
two-level one, through the module qlc, on Haar-random unitaries."""
import numpy as np
import pytest

from pomocne import haar, overobvod

# Published CNOT counts of the block-ZXZ synthesis for generic unitaries.
CNOT_NAJVIAC = {2: 3, 3: 19, 4: 95, 5: 423}


@pytest.mark.parametrize("n", [2, 3, 4, 5])
def test_synteza_minimum_cnot(n):
    U = haar(n, 500 + n)
    q = overobvod(U, "qsd", "element")
    b = overobvod(U, "best", "element")
    d = overobvod(U, "twolevel", "element")
    for c in (q, b):
        assert all(len(k) == 0 or np.allclose(u, [[0, 1], [1, 0]], atol=c.tolerance) for _, k, u in c.gates)
        assert len([g for g in c.gates if len(g[1]) == 1]) == c.cnot_count
    assert q.cnot_count <= CNOT_NAJVIAC[n] < d.cnot_count
    # best also runs the numerical search, which is shorter on generic matrices
    assert b.cnot_count <= q.cnot_count
