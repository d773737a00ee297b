// The Python module qlc: the library calls of api/qlc.h for NumPy arrays.
//
// Every refusal of input (shape, dtype, entries, options, a matrix that is
// not unitary) is a ValueError with the program's message; files that
// cannot be read are FileNotFoundError or ValueError, files that cannot be
// written OSError; every other error of the program a RuntimeError. No C++
// exception leaves the module.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <complex>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "api/qlc.h"

#ifdef QLC_PNG
#include "app/gui/pngkresba.h"
#endif

namespace py = pybind11;

namespace {

using C = std::complex<double>;
using qlc::api::ChybaVstupu;

// A file that cannot be written.
struct ChybaZapisu : qlc::ChybaBehu {
    using ChybaBehu::ChybaBehu;
};

std::string tvartext(const py::array& a) {
    std::string s = "(";
    for (py::ssize_t k = 0; k < a.ndim(); ++k) {
        if (k > 0) s += ", ";
        s += std::to_string(a.shape(k));
    }
    return s + (a.ndim() == 1 ? ",)" : ")");
}

// The matrix of a NumPy array or of anything NumPy makes an array of (a
// list of lists): complex128 and float64 entries, and integers, which
// convert exactly. Single precision is refused: its rounding (about 1e-7)
// is the size of the program's own tolerance. Views of any layout are read
// through their strides.
qlc::api::TMatica matica(const py::handle& U) {
    py::array a = py::array::ensure(U);
    if (!a) throw ChybaVstupu("U nie je matica: ocakavam numpy.ndarray alebo zoznam riadkov cisel");
    const py::dtype typ = a.dtype();
    const char druh = typ.kind();
    const bool ok = (druh == 'c' && typ.itemsize() == 16) || (druh == 'f' && typ.itemsize() == 8) ||
                    druh == 'i' || druh == 'u' || druh == 'b';
    if (!ok)
        throw ChybaVstupu("typ prvkov '" + typ.attr("name").cast<std::string>() +
                          "' neprijimam; prijimam complex128, float64 a cele cisla");
    if (a.ndim() != 2) throw ChybaVstupu("tvar " + tvartext(a) + " nie je matica 2^n x 2^n s 2 <= n <= 5");
    // the shape before any copy of the entries
    const py::ssize_t riadky = a.shape(0), stlpce = a.shape(1);
    qlc::api::qubitytvaru(riadky, stlpce);
    const auto c = py::array_t<C, py::array::c_style | py::array::forcecast>::ensure(a);
    if (!c) throw ChybaVstupu("prvky U sa nedaju previest na komplexne cisla");
    return qlc::api::matica(static_cast<int>(riadky), static_cast<int>(stlpce),
                            std::span<const C>(c.data(), static_cast<std::size_t>(c.size())));
}

py::array_t<C> pole(const qlc::TMATICA1& M, int rozmer) {
    py::array_t<C> a({rozmer, rozmer});
    auto v = a.mutable_unchecked<2>();
    for (int i = 1; i <= rozmer; ++i)
        for (int j = 1; j <= rozmer; ++j) v(i - 1, j - 1) = C(M(i, j).re, M(i, j).im);
    return a;
}

// A gate's matrix, read-only: the circuit's gates are what the run made.
py::array_t<C> pole2(const qlc::TMATICA2& U) {
    py::array_t<C> a({2, 2});
    auto v = a.mutable_unchecked<2>();
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 2; ++j) v(i - 1, j - 1) = C(U(i, j).re, U(i, j).im);
    a.attr("setflags")(py::arg("write") = false);
    return a;
}

// A file name given as str, bytes or os.PathLike.
std::string cesta(const py::handle& p) {
    return py::module_::import("os").attr("fspath")(p).cast<std::string>();
}

// The circuit of one run, with its log and figures.
class TObvod {
  public:
    explicit TObvod(std::shared_ptr<const qlc::api::TVysledok> v) : v_(std::move(v)) {}

    const qlc::api::TVysledok& v() const { return *v_; }

    py::list brany() {
        if (!brany_) {
            py::list l;
            for (const qlc::TGATE1& g : v_->brany) {
                py::tuple k(g.pocetk);
                for (int j = 1; j <= g.pocetk; ++j)
                    k[static_cast<std::size_t>(j - 1)] = py::int_(g.kontroly[j]);
                l.append(py::make_tuple(py::int_(g.ciel), k, pole2(g.U)));
            }
            brany_ = l;
        }
        // a new list each time, the gates themselves shared
        PyObject* kopia = PySequence_List(brany_->ptr());
        if (kopia == nullptr) throw py::error_already_set();
        return py::reinterpret_steal<py::list>(kopia);
    }

    py::array_t<C> unitarna() const {
        qlc::api::TMatica M;
        {
            py::gil_scoped_release bez;
            M = qlc::api::maticasiete(v_->brany, v_->pocetq);
        }
        return pole(M.A, M.rozmer);
    }

    std::string repr() const {
        const qlc::api::TVysledok& v = *v_;
        std::string s = "<qlc.Circuit n=" + std::to_string(v.pocetq) +
                        " method=" + qlc::api::meno(v.volby.metoda) + "/" + qlc::api::meno(v.volby.hlbka) +
                        ": " + std::to_string(v.brany.size()) + " gates";
        if (v.dokoncena)
            s += ", " + std::to_string(v.suhrn.pocetcnot) + " CNOTs, depth " + std::to_string(v.suhrn.hlbka);
        s += v.ok() ? ", ok>" : (v.dokoncena ? ", a check failed>" : ", the run ended early>");
        return s;
    }

  private:
    std::shared_ptr<const qlc::api::TVysledok> v_;
    std::optional<py::list> brany_;
};

constexpr const char* MODUL_DOC = R"(Unitary matrices of 2 to 5 qubits into quantum logic circuits.

    >>> import numpy as np, qlc
    >>> c = qlc.decompose(np.eye(4))
    >>> c.gates, c.ok
    ([], True)

Qubits are numbered 1..n and qubit 1 is the most significant bit of the
basis state's index: row/column i (0-based) of a matrix is the state whose
bits, qubit 1 first, are the binary digits of i. A gate (target, controls, U)
applies the 2x2 matrix U to the target qubit when every control qubit is 1;
circuits list their gates in the order of application, the first acts
first. Every message of the program is its own text (Slovak).

Bad input raises ValueError with the program's message; a file that cannot
be read FileNotFoundError or ValueError, one that cannot be written OSError;
an error of the program that ends a run RuntimeError.

has_png is True when Circuit.draw can write PNG (the module was built with
Qt 6).)";

constexpr const char* DECOMPOSE_DOC = R"(Decomposes the unitary U into a circuit.

U: a 2^n x 2^n array, 2 <= n <= 5, of complex128 or float64 entries (or
integers), or a list of rows; views of any layout are read as they are
indexed. Qubit 1 is the most significant bit of the row index.

method: "twolevel" (two-level matrices into controlled gates, the program's
own method), "qsd" (minimal-CNOT synthesis) or "best" (the shorter of the
two circuits); "qsd" and "best" go to elementary gates only.
depth: for "twolevel", how far it goes: "element" (one-qubit gates and
CNOTs), "l1" (gates with at most one control), "toffoli" (multi-controlled
gates).
optimise: run the optimiser after every stage.
check_steps: check every exchange and merge of the optimiser with full
matrices (slow).

Returns a Circuit whose unitary() equals U within the run's tolerance
(Circuit.tolerance) when Circuit.ok. Raises ValueError with the program's
message for a wrong shape or dtype, an entry that is not finite, options
that do not go together, or a matrix that is not unitary; RuntimeError when
an error of the program ends the run. The interpreter's other threads run
while the decomposition does.)";

constexpr const char* CIRCUIT_DOC = R"(A circuit made by qlc.decompose, with the run's log and figures.

gates lists (target, controls, U) in the order of application; qubit 1 is
the most significant bit. The circuit's matrix is G_last ... G_2 G_1.)";

}  // namespace

PYBIND11_MODULE(qlc, m) {
    m.doc() = MODUL_DOC;
#ifdef QLC_PNG
    qlc::api::nastavpng(qlc::gui::kreslipng);
#endif

    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const ChybaVstupu& e) {
            PyErr_SetString(PyExc_ValueError, e.what());
        } catch (const ChybaZapisu& e) {
            PyErr_SetString(PyExc_OSError, e.what());
        } catch (const qlc::ChybaSuboru& e) {
            PyErr_SetString(PyExc_ValueError, e.what());
        } catch (const qlc::ChybaBehu& e) {
            PyErr_SetString(PyExc_RuntimeError, e.what());
        }
    });

    py::class_<TObvod>(m, "Circuit", CIRCUIT_DOC)
        .def_property_readonly("gates", &TObvod::brany,
                               "The gates in the order of application: a list of (target, controls, U) with "
                               "target an int in 1..n, controls a tuple of ints, U a 2x2 complex ndarray. "
                               "Qubit 1 is the most significant bit.")
        .def_property_readonly(
            "n", [](const TObvod& o) { return o.v().pocetq; }, "Number of qubits.")
        .def_property_readonly(
            "gate_count", [](const TObvod& o) { return o.v().brany.size(); }, "Number of gates.")
        .def_property_readonly(
            "cnot_count", [](const TObvod& o) { return o.v().suhrn.pocetcnot; },
            "Number of CNOTs: gates with one control whose U is NOT within the run's tolerance.")
        .def_property_readonly(
            "depth", [](const TObvod& o) { return o.v().suhrn.hlbka; },
            "Circuit depth: layers when every gate goes as early as the gates sharing a qubit with it allow.")
        .def_property_readonly(
            "counts",
            [](const TObvod& o) {
                py::list l;
                for (int k = 0; k <= o.v().pocetq - 1; ++k) l.append(o.v().suhrn.podlak[k]);
                return l;
            },
            "Gates by number of controls: counts[k] gates have k controls, k = 0..n-1.")
        .def_property_readonly(
            "max_deviation", [](const TObvod& o) { return o.v().suhrn.odchylka; },
            "Largest modulus of an entry of the circuit's matrix minus the input.")
        .def_property_readonly(
            "tolerance", [](const TObvod& o) { return o.v().eps; },
            "The tolerance of the run's last checks: unitary() equals the input within it, entry by entry.")
        .def_property_readonly(
            "log", [](const TObvod& o) { return o.v().logy; },
            "The log of the run, line by line (list of str).")
        .def_property_readonly(
            "boxes", [](const TObvod& o) { return o.v().boxy; },
            "Texts of the message boxes the run showed (list of str).")
        .def_property_readonly(
            "ok", [](const TObvod& o) { return o.v().ok(); },
            "True when the run went to its end and every check it made passed.")
        .def_property_readonly(
            "completed", [](const TObvod& o) { return o.v().dokoncena; },
            "True when the run went to its end.")
        .def_property_readonly(
            "method", [](const TObvod& o) { return qlc::api::meno(o.v().volby.metoda); },
            "The method of decompose.")
        .def_property_readonly(
            "level", [](const TObvod& o) { return qlc::api::meno(o.v().volby.hlbka); },
            "The depth option of decompose: \"element\", \"l1\" or \"toffoli\".")
        .def("unitary", &TObvod::unitarna,
             "The circuit's matrix G_last ... G_1 as a 2^n x 2^n complex ndarray (qubit 1 the most "
             "significant "
             "bit of the index).")
        .def(
            "to_qasm",
            [](const TObvod& o, int version) {
                try {
                    return qlc::api::qasm(o.v().brany, o.v().pocetq, version, o.v().eps);
                } catch (const qlc::ChybaBehu& e) {
                    throw ChybaVstupu(e.what());  // a version or gates it cannot write
                }
            },
            py::arg("version") = 3,
            "The circuit as an OpenQASM program, version 3 (exact, global phase included) or 2 (gates with "
            "at "
            "most one control; the global phase in a comment). Qubit k is q[n-k], so a reader that takes "
            "q[0] "
            "as the least significant bit sees the input matrix. ValueError for another version, or for "
            "version 2 "
            "a gate with more than one control.")
        .def(
            "summary", [](const TObvod& o) { return qlc::api::suhrnriadky(o.v()); },
            "The summary in the form of `qlc decompose --summary` (list of str): qubits, gates, CNOTs, "
            "gates by controls, depth, and the largest deviation of unitary() from the input.")
        .def(
            "draw",
            [](const TObvod& o, const py::object& path, double zoom, std::optional<int> start) {
                const std::string meno = cesta(path);
                try {
                    qlc::api::ulozobrazok(o.v(), meno, {zoom, start});
                } catch (const qlc::ChybaSuboru& e) {
                    throw ChybaZapisu(e.what());
                }
            },
            py::arg("path"), py::arg("zoom") = 1.25, py::arg("start") = py::none(),
            "Draws the circuit as the program's window does at zoom 0.45..2.00, into path; with start, the "
            "first-gate slider moved to that gate: it is drawn first and is the current gate. Writes "
            ".svg, or .png when the module was built with Qt 6 (RuntimeError otherwise). A start the "
            "circuit does not have, and a circuit without gates, raise ValueError with the window's "
            "message; nothing is written then.")
        .def("__len__", [](const TObvod& o) { return o.v().brany.size(); })
        .def("__repr__", &TObvod::repr);

    m.def(
        "decompose",
        [](const py::object& U, const std::string& method, const std::string& depth, bool optimise,
           bool check_steps) {
            qlc::api::TVolby volby;
            volby.metoda = qlc::api::metoda(method);
            volby.hlbka = qlc::api::hlbka(depth);
            volby.optimalizuj = optimise;
            volby.kontrolakrokov = check_steps;
            qlc::api::polozka(volby);  // refuses options that do not go together
            const auto M = std::make_unique<qlc::api::TMatica>(matica(U));
            std::shared_ptr<qlc::api::TVysledok> v;
            {
                py::gil_scoped_release bez;
                v = std::make_shared<qlc::api::TVysledok>(qlc::api::rozloz(*M, volby));
            }
            if (v->neunitarna) throw ChybaVstupu(qlc::api::NEUNITARNA);
            if (!v->chyby.empty()) throw qlc::ChybaBehu(v->chyby.front());
            return TObvod(v);
        },
        py::arg("U"), py::arg("method") = "twolevel", py::arg("depth") = "element",
        py::arg("optimise") = true, py::arg("check_steps") = false, DECOMPOSE_DOC);

    m.def(
        "random_unitary",
        [](int n, const py::object& seed) {
            std::optional<std::uint32_t> s;
            if (!seed.is_none()) {
                const auto v = seed.cast<long long>();
                if (v < 0 || v > 4294967295LL)
                    throw ChybaVstupu("seed " + std::to_string(v) + " je mimo 0..4294967295");
                s = static_cast<std::uint32_t>(v);
            }
            if (n < 2 || n > 5) throw ChybaVstupu("pocet qubitov " + std::to_string(n) + " je mimo 2..5");
            const auto M = std::make_unique<qlc::api::TMatica>(qlc::api::nahodna(n, s));
            return pole(M->A, M->rozmer);
        },
        py::arg("n"), py::arg("seed") = py::none(),
        "A random unitary 2^n x 2^n complex ndarray, 2 <= n <= 5, made by the program's generator (a product "
        "of 100 random two-level and phase matrices). With a seed (0..2^32-1) the same matrix every time, "
        "the "
        "one `qlc random --qubits n --seed seed` writes; without one, seeded from the clock.");

    m.def(
        "read_matrix",
        [](const py::object& path) {
            const std::string meno = cesta(path);
            std::unique_ptr<qlc::api::TMatica> M;
            try {
                M = std::make_unique<qlc::api::TMatica>(qlc::api::citaj(meno));
            } catch (const qlc::ChybaSuboru& e) {
                std::error_code ec;
                if (!std::filesystem::exists(meno, ec)) {
                    PyErr_SetString(PyExc_FileNotFoundError, e.what());
                    throw py::error_already_set();
                }
                throw;
            }
            return pole(M->A, M->rozmer);
        },
        py::arg("path"),
        "Reads a matrix file (.mat, .txt: the dimension, then the rows in braces) or a NumPy .npy file "
        "(complex128 or float64, 2^n x 2^n, 2 <= n <= 5) as the program's \"Otvorit\" does, and returns a "
        "complex ndarray. A refused file raises ValueError naming the file and the line; a missing one "
        "FileNotFoundError.");

    m.def(
        "write_matrix",
        [](const py::object& path, const py::object& U, const TObvod* circuit) {
            const std::string meno = cesta(path);
            const auto M = std::make_unique<qlc::api::TMatica>(matica(U));
            const qlc::api::TVysledok* r = circuit ? &circuit->v() : nullptr;
            try {
                qlc::api::zapis(meno, *M, r);
            } catch (const qlc::ChybaSuboru& e) {
                throw ChybaZapisu(e.what());
            }
        },
        py::arg("path"), py::arg("U"), py::arg("circuit") = py::none(),
        "Writes U to path, replacing the file safely: a name ending in .npy gets a NumPy file (complex128), "
        "any other a matrix file as the program's \"Uložit\" writes it, with the report of circuit (the "
        "two-level matrices, the phases and the gate list) when one is given.");

    m.attr("has_png") = qlc::api::mapng();
}
