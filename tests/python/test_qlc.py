"""The Python module qlc: circuits of Haar-random unitaries by the two-level
method, the same gates as `qlc decompose -o` saves, refusals of bad input,
views of any layout, files, the generator, pictures and the released GIL."""
import os
import re
import subprocess
import sys
import threading
import time
from pathlib import Path

import numpy as np
import pytest

import qlc
from pomocne import KOREN, branyzo, haar, overobvod, rovnake_brany, spusti


def test_jednotkova_matica():
    c = qlc.decompose(np.eye(4))
    assert "n=2" in repr(c) and "ok" in repr(c)
    assert c.ok and c.gates == () and c.gate_count == 0 and c.n == 2
    np.testing.assert_array_equal(c.unitary(), np.eye(4))
    assert c.log[0] == "Zacala sa dekompozicia."
    # the circuit is what the run made: a tuple, read-only matrices
    d = qlc.decompose(haar(2, 0))
    with pytest.raises(AttributeError):
        d.gates.clear()
    with pytest.raises(ValueError):
        d.gates[0][2][0, 0] = 5
    with pytest.raises(ValueError):
        d[0].U[0, 0] = 5


@pytest.mark.parametrize("n", [2, 3, 4, 5])
@pytest.mark.parametrize("hlbka", ["element", "l1", "toffoli"])
def test_haar_kazda_hlbka(n, hlbka):
    c = overobvod(haar(n, 10 * n + len(hlbka)), "twolevel", hlbka)
    if hlbka != "toffoli":
        assert all(len(k) <= 1 for _, k, _ in c.gates)
    if hlbka == "element":
        assert c.cnot_count == c.counts[1]


@pytest.mark.parametrize("hlbka", ["element", "toffoli"])
def test_suhrn(hlbka):
    """The summary's deviation is the circuit's from the input at every depth."""
    U = haar(5, 3)
    c = qlc.decompose(U, depth=hlbka)
    riadky = c.summary()
    assert riadky[:3] == ["Qubity: 5", f"Brany: {c.gate_count}", f"CNOT: {c.cnot_count}"]
    assert riadky[4] == f"Hlbka: {c.depth}"
    odchylka = float(riadky[5].removeprefix("Max. odchylka: "))
    assert odchylka == pytest.approx(np.abs(c.unitary() - U).max(), rel=0.06)


@pytest.mark.parametrize("n,hlbka,optimalizuj", [
    (2, "element", True), (2, "l1", True), (2, "toffoli", True),
    (3, "element", True), (3, "l1", False), (3, "toffoli", False),
])
def test_brany_ako_qlc_decompose_o(tmp_path, n, hlbka, optimalizuj):
    U = haar(n, 700 + n)
    np.save(tmp_path / "u.npy", U)
    argumenty = ["decompose", "--depth", hlbka, "-o", str(tmp_path / "cli.mat"),
                 "--qasm", str(tmp_path / "cli.qasm")]
    if not optimalizuj:
        argumenty.append("--no-optimise")
    b = spusti(*argumenty, str(tmp_path / "u.npy"))
    assert b.returncode == 0, b.stderr
    c = qlc.decompose(U, depth=hlbka, optimise=optimalizuj)
    assert b.stdout.splitlines()[:-1] == c.log
    cli = (tmp_path / "cli.mat").read_bytes().decode()
    brany = branyzo(cli)
    assert len(brany) == c.gate_count
    assert [(g[0], g[1]) for g in brany] == [(g[0], g[1]) for g in c.gates]
    # 15 significant digits in the file
    for (_, _, x), (_, _, y) in zip(brany, c.gates):
        np.testing.assert_allclose(x, y, rtol=0, atol=1e-14)
    # the report of the same run, byte for byte
    qlc.write_matrix(tmp_path / "api.mat", U, c)
    api = (tmp_path / "api.mat").read_bytes().decode()
    rez = "Rozklad hore uvedenej matice dopadol takto: "
    assert api[api.index(rez):] == cli[cli.index(rez):]
    assert c.to_qasm() == (tmp_path / "cli.qasm").read_text()


def neunitarna():
    m = np.eye(4)
    m[0, 1] = 0.5
    return m


def nan():
    m = np.eye(4)
    m[0, 1] = np.nan
    return m


@pytest.mark.parametrize("U,sprava", [
    (np.eye(3), "tvar (3, 3) nie je matica 2^n x 2^n s 2 <= n <= 5"),
    (np.eye(64), "tvar (64, 64) nie je matica 2^n x 2^n s 2 <= n <= 5"),
    (np.eye(2), "tvar (2, 2) nie je matica 2^n x 2^n s 2 <= n <= 5"),
    (np.zeros((4, 8)), "tvar (4, 8) nie je matica 2^n x 2^n s 2 <= n <= 5"),
    (np.ones(16), "tvar (16,) nie je matica 2^n x 2^n s 2 <= n <= 5"),
    (np.ones((2, 4, 4)), "tvar (2, 4, 4) nie je matica 2^n x 2^n s 2 <= n <= 5"),
    (neunitarna(), "Matica na dekomp. nie je unitárna. S takou sa neda ďalej pracovať!!!"),
    (nan(), "prvok (1, 2) nie je konecne cislo"),
    (np.diag([1.0, np.inf, 1.0, 1.0]), "prvok (2, 2) nie je konecne cislo"),
    (np.eye(4, dtype=np.float32), "typ prvkov 'float32' neprijimam"),
    (np.eye(4, dtype=np.complex64), "typ prvkov 'complex64' neprijimam"),
    (np.array([["1", "0"], ["0", "1"]]), "typ prvkov"),
    ([[1, 0], [0]], "U nie je matica"),
    (None, "typ prvkov 'object'"),
])
def test_zle_vstupy(U, sprava):
    with pytest.raises(ValueError) as e:
        qlc.decompose(U)
    assert str(e.value).startswith(sprava)
    # the interpreter lives on
    assert qlc.decompose(np.eye(4)).ok


def test_pohlady_a_typy():
    U = haar(3, 3)
    zaklad = qlc.decompose(np.ascontiguousarray(U.T))
    # a transposed view (Fortran order) is read as it is indexed
    t = qlc.decompose(U.T)
    rovnake_brany(t.gates, zaklad.gates)
    assert np.max(np.abs(t.unitary() - U.T)) <= t.tolerance
    # strided and reversed views
    velka = np.zeros((16, 24), dtype=complex)
    velka[::2, 1::3] = U
    rovnake_brany(qlc.decompose(velka[::2, 1::3]).gates, qlc.decompose(U).gates)
    r = U[::-1, ::-1]
    rovnake_brany(qlc.decompose(r).gates, qlc.decompose(np.ascontiguousarray(r)).gates)
    # a list of lists, real and integer entries
    rovnake_brany(qlc.decompose(U.tolist()).gates, qlc.decompose(U).gates)
    o, _ = np.linalg.qr(np.random.default_rng(1).normal(size=(4, 4)))
    c = qlc.decompose(o)
    assert c.ok and np.max(np.abs(c.unitary() - o)) <= c.tolerance
    p = np.eye(8, dtype=np.int64)[[3, 0, 1, 2, 7, 6, 5, 4]]
    c = qlc.decompose(p, depth="toffoli")
    assert c.ok and np.max(np.abs(c.unitary() - p)) <= c.tolerance
    assert qlc.decompose(np.eye(4, dtype=bool)).ok


def test_volby():
    U = haar(2, 8)
    for metoda, hlbka in [("qsd", "l1"), ("best", "toffoli"), ("QSD", "element"), ("twolevel", "elementary")]:
        with pytest.raises(ValueError):
            qlc.decompose(U, method=metoda, depth=hlbka)
    a = qlc.decompose(U, check_steps=True)
    rovnake_brany(a.gates, qlc.decompose(U).gates)
    assert a.method == "twolevel" and a.level == "element"
    b = qlc.decompose(U, depth="l1", optimise=False)
    assert b.ok and b.level == "l1"


def test_random_unitary(tmp_path):
    for n in (2, 3, 4, 5):
        U = qlc.random_unitary(n, seed=99)
        assert U.shape == (2 ** n, 2 ** n) and U.dtype == np.complex128
        np.testing.assert_allclose(U.conj().T @ U, np.eye(2 ** n), rtol=0, atol=1e-12)
        np.testing.assert_array_equal(U, qlc.random_unitary(n, 99))
        b = spusti("random", "--qubits", str(n), "--seed", "99", "-o", str(tmp_path / "r.mat"))
        assert b.returncode == 0, b.stderr
        np.testing.assert_allclose(qlc.read_matrix(tmp_path / "r.mat"), U, rtol=0, atol=1e-14)
    assert not np.allclose(qlc.random_unitary(3, 1), qlc.random_unitary(3, 2))
    assert qlc.random_unitary(2).shape == (4, 4)
    for n, seed in [(1, None), (6, None), (3, -1), (3, 2 ** 32)]:
        with pytest.raises(ValueError):
            qlc.random_unitary(n, seed)


def test_subory(tmp_path):
    U = haar(4, 4)
    np.save(tmp_path / "u.npy", U)
    np.testing.assert_array_equal(qlc.read_matrix(str(tmp_path / "u.npy")), U)
    np.save(tmp_path / "f.npy", np.asfortranarray(U.real))
    np.testing.assert_array_equal(qlc.read_matrix(tmp_path / "f.npy"), U.real)
    qlc.write_matrix(tmp_path / "w.npy", U)
    w = np.load(tmp_path / "w.npy")
    assert w.dtype == np.complex128
    np.testing.assert_array_equal(w, U)
    qlc.write_matrix(tmp_path / "w.mat", U)
    np.testing.assert_allclose(qlc.read_matrix(tmp_path / "w.mat"), U, rtol=0, atol=1e-14)
    with pytest.raises(FileNotFoundError):
        qlc.read_matrix(tmp_path / "nie.mat")
    (tmp_path / "zly.mat").write_bytes(b"4\r\n{{1,0,0,0},\r\n{0,x,0,0},\r\n")
    with pytest.raises(ValueError, match="zly.mat"):
        qlc.read_matrix(tmp_path / "zly.mat")
    with pytest.raises(OSError):
        qlc.write_matrix(tmp_path / "nie" / "w.mat", U)
    with pytest.raises(ValueError):
        qlc.write_matrix(tmp_path / "v.mat", U, qlc.decompose(np.eye(4)))


def test_qasm():
    U = haar(3, 6)
    e = qlc.decompose(U)
    assert e.to_qasm().startswith("OPENQASM 3")
    assert e.to_qasm(version=2).startswith("OPENQASM 2.0")
    t = qlc.decompose(U, depth="toffoli")
    assert max(len(k) for _, k, _ in t.gates) == 2
    with pytest.raises(ValueError):
        t.to_qasm(2)
    with pytest.raises(ValueError):
        e.to_qasm(4)


def test_draw(tmp_path):
    U = haar(3, 9)
    np.save(tmp_path / "u.npy", U)
    b = spusti("draw", "--depth", "l1", "--zoom", "0.7", "--from", "4", str(tmp_path / "u.npy"),
               str(tmp_path / "cli.svg"))
    assert b.returncode == 0, b.stderr
    c = qlc.decompose(U, depth="l1")
    c.draw(tmp_path / "api.svg", zoom=0.7, start=4)
    assert (tmp_path / "api.svg").read_bytes() == (tmp_path / "cli.svg").read_bytes()
    if qlc.has_png:
        c.draw(str(tmp_path / "a.png"))
        assert (tmp_path / "a.png").read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"
    else:
        with pytest.raises(RuntimeError):
            c.draw(tmp_path / "a.png")
    with pytest.raises(ValueError):
        c.draw(tmp_path / "a.gif")
    with pytest.raises(ValueError):
        c.draw(tmp_path / "b.svg", zoom=3.0)
    with pytest.raises(OSError):
        c.draw(tmp_path / "nie" / "b.svg")
    # a gate the first-gate slider cannot reach, or a circuit without gates:
    # the window's refusal, and no file
    with pytest.raises(ValueError, match="neexistujucim"):
        c.draw(tmp_path / "c.svg", start=len(c) + 1)
    with pytest.raises(ValueError, match="neexistujucim"):
        qlc.decompose(np.eye(4)).draw(tmp_path / "c.svg")
    assert not (tmp_path / "c.svg").exists()


def test_dlhy_beh_pusti_gil():
    """While a five-qubit decomposition runs in another thread, this thread
    runs too: it gets through its loop inside the run's time, away from its
    ends (with the GIL held throughout the run it could not)."""
    U = haar(5, 1)
    koniec = threading.Event()
    beh = []

    def rozloz():
        t = time.perf_counter()
        qlc.decompose(U)
        beh.extend([t, time.perf_counter()])
        koniec.set()

    casy = [time.perf_counter()]  # one a millisecond at most
    vlakno = threading.Thread(target=rozloz)
    vlakno.start()
    while not koniec.is_set():
        t = time.perf_counter()
        if t - casy[-1] > 1e-3:
            casy.append(t)
    vlakno.join()
    zac, kon = beh
    okraj = (kon - zac) / 10
    assert sum(zac + okraj < t < kon - okraj for t in casy) > 0


def test_docstringy():
    assert "most significant bit" in qlc.__doc__
    for meno in ("decompose", "random_unitary", "read_matrix", "write_matrix"):
        assert getattr(qlc, meno).__doc__
    assert "most significant bit" in qlc.decompose.__doc__
    assert qlc.Circuit.__doc__
    for meno in ("gates", "n", "cnot_count", "gate_count", "depth", "log", "ok", "unitary", "to_qasm", "draw"):
        assert re.search(r"\w", getattr(qlc.Circuit, meno).__doc__ or ""), meno


def test_priklad_qft():
    """The example script runs and its own NumPy check passes."""
    p = subprocess.run([sys.executable, str(KOREN / "examples" / "qft.py")], capture_output=True, text=True,
                       env={**os.environ, "PYTHONPATH": str(Path(qlc.__file__).parents[1])}, check=False)
    assert p.returncode == 0, p.stdout + p.stderr
    assert "OPENQASM 3.0;" in p.stdout
    assert "largest deviation of the circuit from the QFT" in p.stdout
