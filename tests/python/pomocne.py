"""Shared pieces of the tests of the module qlc."""
import os
import subprocess
from pathlib import Path

import numpy as np

import qlc

KOREN = Path(__file__).resolve().parents[2]
CLI = os.environ.get("QLC_CLI", str(KOREN / "build" / "app" / "qlc"))


def haar(n, seed):
    """A Haar-random unitary of n qubits: QR of a complex Gaussian matrix
    with the phases of R's diagonal taken into Q."""
    d = 2 ** n
    g = np.random.default_rng(seed)
    z = (g.normal(size=(d, d)) + 1j * g.normal(size=(d, d))) / np.sqrt(2)
    q, r = np.linalg.qr(z)
    return q * (np.diag(r) / np.abs(np.diag(r)))


def vynasob(brany, n):
    """The matrix of a gate list, gate 0 first, qubit 1 the most significant
    bit: each gate mixes rows s (target 0, every control 1) and s + 2^(n-t)."""
    d = 2 ** n
    m = np.eye(d, dtype=complex)
    stavy = np.arange(d)
    for ciel, kontroly, u in brany:
        t = 1 << (n - ciel)
        c = sum(1 << (n - k) for k in kontroly)
        s = stavy[((stavy & t) == 0) & ((stavy & c) == c)]
        r0, r1 = m[s].copy(), m[s | t].copy()
        m[s] = u[0, 0] * r0 + u[0, 1] * r1
        m[s | t] = u[1, 0] * r0 + u[1, 1] * r1
    return m


def spusti(*argumenty):
    return subprocess.run([CLI, *argumenty], capture_output=True, text=True, check=False)


def komplex(re_, znak, im):
    assert im.endswith("i")
    return complex(float(re_), (-1 if znak == "-" else 1) * float(im[:-1]))


def branyzo(text):
    """The gate list of a saved matrix file as (target, controls, U)."""
    riadky = text.split("\r\n")
    zac = riadky.index("Cislo, vyradena , typ, kontrolovany,kontrolujuce qubity, matica u") + 1
    brany = []
    for r in riadky[zac:]:
        if not r:
            continue
        t = r.split()
        assert int(t[0]) == len(brany) + 1 and t[1] == "N"
        k = int(t[2])
        ciel, kontroly = int(t[3]), tuple(int(x) for x in t[4:4 + k])
        z = t[4 + k:]
        assert len(z) == 12
        u = np.array([komplex(*z[i:i + 3]) for i in range(0, 12, 3)]).reshape(2, 2)
        brany.append((ciel, kontroly, u))
    return brany


def rovnake_brany(a, b):
    assert [(g[0], g[1]) for g in a] == [(g[0], g[1]) for g in b]
    for x, y in zip(a, b):
        np.testing.assert_array_equal(x[2], y[2])


def overobvod(U, metoda, hlbka):
    """Decomposes U and checks the run: it went to its end, its circuit
    rebuilds U within the run's own tolerance, and the gate list means what
    the docstrings say (checked by an independent product up to 4 qubits)."""
    n = int(np.log2(U.shape[0]))
    c = qlc.decompose(U, method=metoda, depth=hlbka)
    assert c.ok, c.log[-5:]
    assert c.n == n and len(c) == c.gate_count == len(c.gates) == sum(c.counts)
    V = c.unitary()
    assert V.shape == U.shape and V.dtype == np.complex128
    assert np.max(np.abs(V - U)) <= c.tolerance
    assert c.max_deviation <= c.tolerance
    if n <= 4:
        np.testing.assert_allclose(vynasob(c.gates, n), V, rtol=0, atol=1e-12)
    return c
