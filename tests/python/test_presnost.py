"""The minimal-CNOT synthesis at the border of unitarity and at the last
digits, through the module qlc: the entries as given, the deviation figure
against them, one decision on unitarity."""
import numpy as np
import pytest
import qlc


def dft_krat(d, e):
    """The DFT of d times I + e J: its nearest unitary, the DFT, lies at e sqrt(d)."""
    j = np.arange(d)
    F = np.exp(2j * np.pi * np.outer(j, j) / d) / np.sqrt(d)
    return F @ (np.eye(d) + e * np.ones((d, d)))


def test_hranica_unitarnosti():
    # nearest unitary at 8.5e-8: taken, and every check passes
    c = qlc.decompose(dft_krat(8, 3e-8), method="qsd")
    assert c.ok and c.max_deviation <= c.tolerance
    # at 1.3e-7: refused before any gate with the program's line
    with pytest.raises(ValueError, match="nie je unit"):
        qlc.decompose(dft_krat(8, 4.5e-8), method="qsd")
    # best runs the two-level method; the synthesis's refusal is a log line,
    # and the two-level method's own check, which fails this close to the
    # border, raises CheckFailed with the circuit
    with pytest.raises(qlc.CheckFailed) as e:
        qlc.decompose(dft_krat(8, 4.5e-8), method="best")
    assert any(r.startswith("Synteza: matica nie je unitarna") for r in e.value.circuit.log)
    b = qlc.decompose(dft_krat(8, 4.5e-8), method="best", strict=False)
    assert not b.ok and any(r.startswith("Synteza: matica nie je unitarna") for r in b.log)


def husty_sucin(c):
    """The circuit's product from its gates in plain double precision."""
    n = c.n
    d = 1 << n
    M = np.eye(d, dtype=complex)
    for ciel, kontroly, u in c.gates:
        t = 1 << (n - ciel)
        maska = sum(1 << (n - k) for k in kontroly)
        for s in range(d):
            if s & t or s & maska != maska:
                continue
            a, b = M[s].copy(), M[s | t].copy()
            M[s] = u[0, 0] * a + u[0, 1] * b
            M[s | t] = u[1, 0] * a + u[1, 1] * b
    return M


def test_odchylka_voci_zadanej_matici():
    # parts of 1e-13 would be stored as 0; the synthesis keeps them
    d = 8
    rng = np.random.default_rng(4)
    H = rng.choice([-1e-13, 1e-13], size=(d, d)) + 1j * rng.choice([-1e-13, 1e-13], size=(d, d))
    H = (H + H.conj().T) / 2
    w, V = np.linalg.eigh(H)
    U = V @ np.diag(np.exp(1j * w)) @ V.conj().T
    c = qlc.decompose(U, method="qsd")
    skutocna = np.abs(husty_sucin(c) - U).max()
    assert c.ok
    assert skutocna <= 5e-14
    assert c.max_deviation <= 2 * skutocna + 1e-16 and skutocna <= 2 * c.max_deviation + 1e-16
    assert not any("najblizsia unitarna" in r for r in c.log)
