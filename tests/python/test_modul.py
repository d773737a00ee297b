"""The module qlc as a Python package: failures that raise, named
operations in both bit orders, circuits as sequences that pickle and
compare, the package's description of itself, typed errors, progress and
Ctrl-C, the text drawing, whole drawings, the package metadata and the
examples of README."""
import ast
import inspect
import os
import pickle
import re
import signal
import subprocess
import sys
import threading
import time
from pathlib import Path

import numpy as np
import pytest

import qlc
from pomocne import KOREN, haar


# ---- failures ----------------------------------------------------------------

def na_hranici(n, e=0.99e-7):
    """The QFT of n qubits times (I + e J)^(1/2), J the matrix of ones: U^dagger U - I
    has every entry e, within the unitarity test's 1e-7, so the run takes it;
    but the norm of the all-ones vector grows by e 2^n / 2, which the
    reduction's own checks of unitarity see."""
    d = 2 ** n
    j, k = np.meshgrid(np.arange(d), np.arange(d), indexing="ij")
    F = np.exp(2j * np.pi * j * k / d) / np.sqrt(d)
    return F @ (np.eye(d) + (np.sqrt(1 + e * d) - 1) / d * np.ones((d, d)))


def test_zlyhana_kontrola():
    U = na_hranici(3)
    assert np.abs(U.conj().T @ U - np.eye(8)).max() < 1e-7
    with pytest.raises(qlc.CheckFailed) as e:
        qlc.decompose(U)
    assert isinstance(e.value, RuntimeError)
    c = e.value.circuit
    assert isinstance(c, qlc.Circuit) and not c.ok and c.n == 3
    # the program's own line, from the log or a box
    assert str(e.value) == c.failure and c.failure in c.log + c.boxes
    assert e.value.tolerance == c.tolerance > 0
    assert e.value.deviation == c.max_deviation
    np.testing.assert_allclose(e.value.deviation, np.abs(c.unitary() - U).max(), rtol=1e-9, atol=0)
    d = qlc.decompose(U, strict=False)
    assert not d.ok and d == c and d.failure == c.failure
    assert qlc.decompose(haar(3, 1)).failure == ""


def test_chyby_vstupu_s_atributmi():
    m = np.eye(4, dtype=complex)
    m[2, 1] = np.nan
    with pytest.raises(qlc.InputError) as e:
        qlc.decompose(m)
    assert isinstance(e.value, ValueError)
    assert str(e.value) == "prvok (3, 2) nie je konecne cislo"
    assert (e.value.row, e.value.col) == (2, 1) and e.value.deviation is None
    m = np.eye(4)
    m[0, 1] = 0.5
    with pytest.raises(qlc.InputError) as e:
        qlc.decompose(m)
    assert str(e.value) == "Matica na dekomp. nie je unitárna. S takou sa neda ďalej pracovať!!!"
    assert e.value.deviation == pytest.approx(np.abs(m.T @ m - np.eye(4)).max(), rel=1e-12)
    assert e.value.tolerance == 1e-7 and e.value.row is None


@pytest.mark.parametrize("volanie,meno", [
    (lambda: qlc.random_unitary(3, seed=1.5), "seed"),
    (lambda: qlc.random_unitary(3, seed=np.random.default_rng(1)), "seed"),
    (lambda: qlc.random_unitary(3.0), "n"),
    (lambda: qlc.decompose(np.eye(4), method=1), "method"),
    (lambda: qlc.decompose(np.eye(4), depth=None), "depth"),
    (lambda: qlc.decompose(np.eye(4), optimise="no"), "optimise"),
    (lambda: qlc.decompose(np.eye(4), strict=1), "strict"),
    (lambda: qlc.decompose(np.eye(4), progress=5), "progress"),
    (lambda: qlc.decompose(np.eye(4), time_limit="1"), "time_limit"),
    (lambda: qlc.read_matrix(5), "path"),
    (lambda: qlc.decompose(np.eye(4)).draw("a.svg", zoom="1"), "zoom"),
    (lambda: qlc.decompose(np.eye(4)).ops(order=0), "order"),
    (lambda: qlc.write_matrix("a.npy", np.eye(4), circuit=3), "circuit"),
])
def test_zle_typy(volanie, meno):
    with pytest.raises(TypeError, match=f"^{meno}: "):
        volanie()


def test_seed_a_casovy_limit():
    np.testing.assert_array_equal(qlc.random_unitary(np.int64(3), seed=np.uint32(7)), qlc.random_unitary(3, 7))
    assert qlc.decompose(np.eye(4), optimise=np.bool_(False), time_limit=2).ok
    for zly in (-1.0, float("nan"), float("inf")):
        with pytest.raises(ValueError):
            qlc.decompose(np.eye(4), time_limit=zly)


# ---- operations ----------------------------------------------------------------

def u3(t, f, l):
    return np.array([[np.cos(t / 2), -np.exp(1j * l) * np.sin(t / 2)],
                     [np.exp(1j * f) * np.sin(t / 2), np.exp(1j * (f + l)) * np.cos(t / 2)]])


def sucin(ops, n, poradie, faza):
    """The matrix of the operations, built from their definitions alone:
    qubit q is bit n-1-q of the index in "msb" order, bit q in "lsb" order."""
    d = 2 ** n
    m = np.eye(d, dtype=complex)
    stavy = np.arange(d)
    bit = (lambda q: 1 << (n - 1 - q)) if poradie == "msb" else (lambda q: 1 << q)
    for op in ops:
        meno = op[0]
        if meno == "u":
            kontroly, ciel, u = (), op[1], u3(*op[2:5])
        elif meno == "cx":
            kontroly, ciel, u = (op[1],), op[2], np.array([[0, 1], [1, 0]])
        elif meno == "cu":
            kontroly, ciel, u = (op[1],), op[2], np.exp(1j * op[6]) * u3(*op[3:6])
        elif meno == "mcx":
            kontroly, ciel, u = op[1], op[2], np.array([[0, 1], [1, 0]])
        else:
            assert meno == "mcu"
            kontroly, ciel, u = op[1], op[2], np.exp(1j * op[6]) * u3(*op[3:6])
        assert all(0 <= q < n for q in (*kontroly, ciel))
        t = bit(ciel)
        c = sum(bit(q) for q in kontroly)
        s = stavy[((stavy & t) == 0) & ((stavy & c) == c)]
        r0, r1 = m[s].copy(), m[s | t].copy()
        m[s] = u[0, 0] * r0 + u[0, 1] * r1
        m[s | t] = u[1, 0] * r0 + u[1, 1] * r1
    return np.exp(1j * faza) * m


@pytest.mark.parametrize("n,metoda,hlbka", [
    (2, "twolevel", "element"), (3, "twolevel", "element"), (3, "twolevel", "l1"), (3, "twolevel", "toffoli"),
    (4, "twolevel", "toffoli"), (3, "qsd", "element"), (4, "best", "element"),
])
def test_operacie_v_oboch_poradiach(n, metoda, hlbka):
    c = qlc.decompose(haar(n, 40 + n), method=metoda, depth=hlbka)
    V = c.unitary()
    for poradie in ("msb", "lsb"):
        ops = c.ops(order=poradie)
        np.testing.assert_allclose(sucin(ops, n, poradie, c.global_phase), V, rtol=0, atol=1e-12)
    mena = {op[0] for op in c.ops()}
    assert mena <= ({"u", "cx"} if hlbka == "element" else {"u", "cx", "cu", "mcx", "mcu"})
    if hlbka == "toffoli":
        assert mena & {"mcx", "mcu"}
    pocty = c.count_ops()
    assert sum(pocty.values()) == len(c.ops()) and list(pocty.values()) == sorted(pocty.values(), reverse=True)
    if hlbka == "element":
        assert pocty.get("cx", 0) == c.cnot_count
    assert -np.pi <= c.global_phase <= np.pi


def test_operacie_poradie_qubitov():
    """A CNOT from qubit 1 (the most significant bit) to qubit 2 is cx 0 -> 1 in
    "msb" order and cx 1 -> 0 in "lsb" order, as Qiskit writes the matrix."""
    c = qlc.decompose(np.eye(4)[[0, 1, 3, 2]])
    assert c.ops() == [("cx", 0, 1)] and c.ops("lsb") == [("cx", 1, 0)] and c.global_phase == 0
    with pytest.raises(ValueError):
        c.ops("big")


# ---- sequences -----------------------------------------------------------------------

@pytest.fixture(scope="module")
def dlhy():
    return qlc.decompose(haar(5, 1), strict=False)


def test_postupnost(dlhy):
    c = qlc.decompose(haar(3, 2))
    brany = list(c)
    assert len(brany) == len(c) == c.gate_count == len(c.gates)
    for a, b in zip(brany, c.gates):
        assert a.target == b.target and a.controls == b.controls
        np.testing.assert_array_equal(a.U, b.U)
    assert isinstance(c[0], qlc.Gate) and c[-1].target == brany[-1].target
    assert [g.target for g in c[1:7:2]] == [g.target for g in brany[1:7:2]]
    for zly in (len(c), -len(c) - 1):
        with pytest.raises(IndexError):
            c[zly]
    with pytest.raises(TypeError):
        c["1"]
    # indexing reads one gate: 1,000 accesses to a long circuit
    assert len(dlhy) >= 100_000
    indexy = np.random.default_rng(0).integers(0, len(dlhy), 1000)
    t = time.perf_counter()
    for i in indexy:
        dlhy[i]
    assert time.perf_counter() - t < 0.010


def test_pickle_a_rovnost():
    U = haar(3, 3)
    c = qlc.decompose(U)
    d = pickle.loads(pickle.dumps(c))
    assert d == c and hash(d) == hash(c) and d is not c
    for vlastnost in ("n", "gate_count", "cnot_count", "depth", "counts", "log", "boxes", "ok", "tolerance",
                      "max_deviation", "method", "level", "failure"):
        assert getattr(d, vlastnost) == getattr(c, vlastnost), vlastnost
    np.testing.assert_array_equal(d.unitary(), c.unitary())
    assert d.to_qasm() == c.to_qasm() and d.summary() == c.summary()
    assert qlc.decompose(U) == c
    assert qlc.decompose(U, depth="l1") != c and c != "c"
    with pytest.raises(ValueError):
        qlc.Circuit.__new__(qlc.Circuit).__setstate__((1, "twolevel"))


# ---- the package --------------------------------------------------------------------------

def test_balik():
    verzia = re.search(r"project\(qlc VERSION ([0-9.]+)", (KOREN / "CMakeLists.txt").read_text()).group(1)
    assert qlc.__version__ == verzia
    assert sorted(qlc.__all__) == sorted(n for n in dir(qlc) if not n.startswith("_") and n != "annotations")
    s = inspect.signature(qlc.decompose)
    assert list(s.parameters) == ["U", "method", "depth", "optimise", "check_steps", "strict", "progress",
                                  "time_limit"]
    assert s.parameters["method"].default == "twolevel" and s.parameters["strict"].default is True
    assert s.parameters["strict"].kind is inspect.Parameter.KEYWORD_ONLY
    assert str(inspect.signature(qlc.Circuit.draw)) == "(self, path, zoom=1.25, start=None, whole=False)"
    assert str(inspect.signature(qlc.random_unitary)) == "(n, seed=None)"
    # the stubs declare every public name and are valid Python
    balik = Path(qlc.__file__).parent
    assert (balik / "py.typed").exists()
    stub = ast.parse((balik / "__init__.pyi").read_text())
    mena = {n.name for n in stub.body if isinstance(n, (ast.ClassDef, ast.FunctionDef))}
    mena |= {n.target.id for n in stub.body if isinstance(n, ast.AnnAssign)}
    assert set(qlc.__all__) <= mena


def test_metadata(tmp_path):
    """distinfo.py, which cmake --install runs, writes metadata that pip reads,
    and a RECORD whose hashes are those of the files."""
    (tmp_path / "qlc").mkdir()
    (tmp_path / "qlc" / "__init__.py").write_text("x = 1\n")
    (tmp_path / "qlc" / "_qlc.so").write_bytes(b"\0" * 100)
    (tmp_path / "qlc.cpython-311-x86_64-linux-gnu.so").write_bytes(b"old")
    p = subprocess.run([sys.executable, str(KOREN / "python" / "distinfo.py"), str(tmp_path), "1.2.3"],
                       capture_output=True, text=True, check=False)
    assert p.returncode == 0, p.stderr
    assert not (tmp_path / "qlc.cpython-311-x86_64-linux-gnu.so").exists()
    info = tmp_path / "qlc-1.2.3.dist-info"
    assert "Name: qlc\nVersion: 1.2.3\n" in (info / "METADATA").read_text()
    import base64
    import hashlib
    zaznamy = [r.split(",") for r in (info / "RECORD").read_text().splitlines()]
    assert {z[0] for z in zaznamy} == {"qlc/__init__.py", "qlc/_qlc.so", "qlc-1.2.3.dist-info/METADATA",
                                      "qlc-1.2.3.dist-info/INSTALLER", "qlc-1.2.3.dist-info/RECORD"}
    for meno, h, velkost in zaznamy:
        if meno.endswith("RECORD"):
            assert h == velkost == ""
            continue
        obsah = (tmp_path / meno).read_bytes()
        assert h == "sha256=" + base64.urlsafe_b64encode(hashlib.sha256(obsah).digest()).rstrip(b"=").decode()
        assert int(velkost) == len(obsah)
    pip = subprocess.run([sys.executable, "-m", "pip", "show", "qlc"], capture_output=True, text=True,
                         env={**os.environ, "PYTHONPATH": str(tmp_path), "PIP_DISABLE_PIP_VERSION_CHECK": "1"},
                         check=False)
    if "No module named pip" in pip.stderr:
        pytest.skip("pip is not installed")
    assert "Name: qlc" in pip.stdout and "Version: 1.2.3" in pip.stdout


# ---- long runs ------------------------------------------------------------------------------

def test_priebeh():
    volania = []
    c = qlc.decompose(haar(4, 5), progress=lambda p, m: volania.append((p, m)))
    assert c.ok and len(volania) > 10
    assert all(isinstance(p, int) and 0 <= p <= m for p, m in volania)
    # consecutive calls differ
    assert all(a != b for a, b in zip(volania, volania[1:]))

    def stoj(p, m):
        raise LookupError("stoj")

    with pytest.raises(LookupError, match="stoj"):
        qlc.decompose(haar(4, 5), progress=stoj)
    assert qlc.decompose(haar(4, 5)) == c


def test_ctrl_c():
    """SIGINT from a thread ends a 5-qubit run with the optimiser's checks
    (which takes ten seconds and more) within half a second."""
    povodny = signal.signal(signal.SIGINT, signal.default_int_handler)
    try:
        casy = {}
        vlakno = threading.Timer(0.3, lambda: (casy.setdefault("signal", time.perf_counter()),
                                               os.kill(os.getpid(), signal.SIGINT)))
        vlakno.start()
        zac = time.perf_counter()
        with pytest.raises(KeyboardInterrupt):
            qlc.decompose(haar(5, 1), check_steps=True)
        kon = time.perf_counter()
        vlakno.join()
    finally:
        signal.signal(signal.SIGINT, povodny)
    assert kon - casy["signal"] < 0.5 and kon - zac < 1.5
    assert qlc.decompose(haar(2, 1)).ok


# ---- pictures -------------------------------------------------------------------------------

def test_text():
    p = np.eye(8)[[0, 1, 2, 3, 4, 5, 7, 6]]  # the Toffoli gate
    c = qlc.decompose(p, depth="toffoli")
    assert str(c) == c.text() == (
        "q1: ──Z──●─────U─────\n"
        "         │     │\n"
        "q2: ─────●──Y──●──X──\n"
        "         │\n"
        "q3: ─────U───────────")
    d = qlc.decompose(haar(3, 4))
    pasy = d.text(width=40).split("\n\n")
    assert len(pasy) > 1
    brany = 0
    for pas in pasy:
        riadky = pas.split("\n")
        assert len(riadky) == 5 and [r[:4] for r in riadky[::2]] == ["q1: ", "q2: ", "q3: "]
        assert all(len(r) <= 40 for r in riadky)
        # each gate: one name on the target's line
        brany += sum(len(re.findall(r"[A-Z]†?", r[4:])) for r in riadky[::2])
    assert brany == len(d)
    with pytest.raises(ValueError):
        d.text(0)


def test_cely_obrazok(tmp_path):
    c = qlc.decompose(haar(3, 9))
    c.draw(tmp_path / "okno.svg")
    c.draw(tmp_path / "cely.svg", whole=True)
    okno, cely = (tmp_path / "okno.svg").read_text(), (tmp_path / "cely.svg").read_text()
    # a CNOT is drawn as a dot and a circle
    assert cely.count("<ellipse") == 2 * c.cnot_count > okno.count("<ellipse")
    vyska = int(re.search(r'height="(\d+)"', cely).group(1))
    assert vyska > int(re.search(r'height="(\d+)"', okno).group(1))
    # from a later gate: the rest of the circuit
    od = len(c) - 30
    c.draw(tmp_path / "koniec.svg", start=od, whole=True)
    koniec = (tmp_path / "koniec.svg").read_text()
    assert koniec.count("<ellipse") == 2 * sum(len(g.controls) for g in c[od - 1:])
    if qlc.has_png:
        c.draw(tmp_path / "cely.png", whole=True)
        png = (tmp_path / "cely.png").read_bytes()
        assert png[:8] == b"\x89PNG\r\n\x1a\n"
        assert int.from_bytes(png[16:20], "big") == 995 and int.from_bytes(png[20:24], "big") == vyska
        with pytest.raises(ValueError, match="32000"):
            qlc.decompose(haar(4, 9)).draw(tmp_path / "dlhy.png", whole=True, zoom=2.0)
        assert not (tmp_path / "dlhy.png").exists()
    assert "whole=True" in qlc.Circuit.draw.__doc__


# ---- README -----------------------------------------------------------------------------------

def priklady():
    text = (KOREN / "README.md").read_text()
    sekcia = text[text.index("## Python and NumPy"):text.index("## Tests and benchmarks")]
    return re.findall(r"```python\n(.*?)```", sekcia, re.S)


@pytest.mark.parametrize("kod", priklady(), ids=lambda kod: kod.splitlines()[0][:30])
def test_readme(tmp_path, kod):
    p = subprocess.run([sys.executable, "-c", kod], cwd=tmp_path, capture_output=True, text=True,
                       env={**os.environ, "PYTHONPATH": str(Path(qlc.__file__).parents[1])}, check=False)
    assert p.returncode == 0, p.stdout + p.stderr
