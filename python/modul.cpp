// The extension module qlc._qlc under the package qlc: the library calls of
// api/qlc.h for NumPy arrays and Python values.
//
// Refused input is qlc.InputError (a ValueError) with the program's message
// and, where it applies, the 0-based row and col of the entry at fault, or
// the deviation and the tolerance; an argument of the wrong type TypeError
// naming it; a run whose checks failed qlc.CheckFailed (a RuntimeError)
// carrying its circuit; a file that cannot be read FileNotFoundError or
// InputError, one that cannot be written OSError; every other error of the
// program RuntimeError. No C++ exception leaves the module.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "api/qlc.h"

#ifdef QLC_PNG
#include "app/gui/pngkresba.h"
#endif

#ifndef QLC_VERZIA
#error "QLC_VERZIA (the project's version) is set by the build"
#endif

namespace py = pybind11;

namespace {

using C = std::complex<double>;
using qlc::api::ChybaVstupu;
using qlc::api::TVysledok;

constexpr double PI2 = 6.283185307179586476925286766559;
// An angle of magnitude below this is rounding noise.
constexpr double SUM = 1e-15;

// Types made by the module; the module's attributes keep them alive.
py::handle TypVstup, TypKontrola, TypBrana, TypBool;

// A file that cannot be written.
struct ChybaZapisu : qlc::ChybaBehu {
    using ChybaBehu::ChybaBehu;
};

// A matrix refused as not unitary: the largest entry of U^dagger U - I and
// the tolerance of the test.
struct ChybaUnitarity : ChybaVstupu {
    ChybaUnitarity(const std::string& s, double o, double t) : ChybaVstupu(s), odchylka(o), tolerancia(t) {}
    double odchylka, tolerancia;
};

// A run whose checks failed, with its result.
struct KontrolaZlyhala {
    std::shared_ptr<const TVysledok> v;
};

// ---- arguments ---------------------------------------------------------------

std::string typmeno(const py::handle& x) { return py::str(x.get_type().attr("__name__")); }

[[noreturn]] void zlytyp(const char* meno, const char* ocakavam, const py::handle& x) {
    throw py::type_error(std::string(meno) + ": ocakavam " + ocakavam + ", nie " + typmeno(x));
}

std::string retazec(const py::handle& x, const char* meno) {
    if (!py::isinstance<py::str>(x)) zlytyp(meno, "str", x);
    return x.cast<std::string>();
}

// bool or numpy.bool_.
bool logicka(const py::handle& x, const char* meno) {
    if (!PyBool_Check(x.ptr()) && !py::isinstance(x, TypBool)) zlytyp(meno, "bool", x);
    return PyObject_IsTrue(x.ptr()) == 1;
}

// An integer: int, numpy integers and whatever has __index__.
long long cele(const py::handle& x, const char* meno) {
    if (!PyIndex_Check(x.ptr())) zlytyp(meno, "cele cislo (int)", x);
    int pretecenie = 0;
    const py::object i = py::reinterpret_steal<py::object>(PyNumber_Index(x.ptr()));
    if (!i) throw py::error_already_set();
    const long long h = PyLong_AsLongLongAndOverflow(i.ptr(), &pretecenie);
    if (pretecenie != 0)
        throw ChybaVstupu(std::string(meno) + ": cislo " + std::string(py::str(i)) + " je prilis velke");
    return h;
}

// A real number: int, float, numpy's real scalars; not bool, str or complex.
double realne(const py::handle& x, const char* meno) {
    const bool ok = !PyBool_Check(x.ptr()) && !py::isinstance(x, TypBool) &&
                    (PyFloat_Check(x.ptr()) || PyIndex_Check(x.ptr()) ||
                     py::isinstance(x, py::module_::import("numbers").attr("Real")));
    if (!ok) zlytyp(meno, "realne cislo", x);
    const double d = PyFloat_AsDouble(x.ptr());
    if (d == -1.0 && PyErr_Occurred()) throw py::error_already_set();
    return d;
}

// A file name given as str, bytes or os.PathLike.
std::string cesta(const py::handle& p, const char* meno = "path") {
    if (!py::isinstance<py::str>(p) && !py::isinstance<py::bytes>(p) && !py::hasattr(p, "__fspath__"))
        zlytyp(meno, "str, bytes alebo os.PathLike", p);
    py::object s = py::module_::import("os").attr("fsdecode")(p);
    return s.cast<std::string>();
}

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
    C* d = a.mutable_data();
    for (int k = 0; k < 4; ++k)
        d[k] = C(U.a[static_cast<std::size_t>(k)].re, U.a[static_cast<std::size_t>(k)].im);
    py::detail::array_proxy(a.ptr())->flags &= ~py::detail::npy_api::NPY_ARRAY_WRITEABLE_;
    return a;
}

C komplex(const qlc::TKOMPLEX& z) { return {z.re, z.im}; }

// Raises the exception typ(sprava) with the attributes given.
void vyhod(py::handle typ, const std::string& sprava,
           std::initializer_list<std::pair<const char*, py::object>> atributy) {
    py::object e = typ(sprava);
    for (const auto& [meno, hodnota] : atributy) e.attr(meno) = hodnota;
    PyErr_SetObject(typ.ptr(), e.ptr());
}

// ---- operations ----------------------------------------------------------------

// U = e^(i gama) U3(theta, phi, lambda) with
// U3 = [[cos(theta/2), -e^(i lambda) sin(theta/2)],
//       [e^(i phi) sin(theta/2), e^(i (phi + lambda)) cos(theta/2)]].
// gama is the argument of U11; phi and lambda follow from the arguments of
// the two larger entries besides it, so every entry of the product is
// rebuilt from its own argument and a modulus of the first column.
struct TUhly {
    double theta, phi, lambda, gama;
};

double uhol(double x) {
    const double r = std::remainder(x, PI2);
    return std::fabs(r) <= SUM ? 0.0 : r;
}

TUhly uhly(const qlc::TMATICA2& U) {
    const C u11 = komplex(U.u11()), u12 = komplex(U.u12()), u21 = komplex(U.u21()), u22 = komplex(U.u22());
    TUhly h{};
    h.theta = 2.0 * std::atan2(std::abs(u21), std::abs(u11));
    h.gama = std::arg(u11);
    if (u21 == C() && u12 == C()) {
        // diagonal: U3(0, 0, lambda)
        h.phi = 0.0;
        h.lambda = std::arg(u22) - h.gama;
    } else {
        h.phi = std::arg(u21) - h.gama;
        h.lambda = std::abs(u11) >= std::abs(u21) ? std::arg(u22) - std::arg(u21) : std::arg(-u12) - h.gama;
    }
    h.theta = std::fabs(h.theta) <= SUM ? 0.0 : h.theta;
    h.phi = uhol(h.phi);
    h.lambda = uhol(h.lambda);
    h.gama = uhol(h.gama);
    return h;
}

bool jex(const qlc::TMATICA2& U) {
    return U.u11().re == 0.0 && U.u11().im == 0.0 && U.u22().re == 0.0 && U.u22().im == 0.0 &&
           U.u12().re == 1.0 && U.u12().im == 0.0 && U.u21().re == 1.0 && U.u21().im == 0.0;
}

// Qubit k of the program (1..n, 1 the most significant bit) as a 0-based
// qubit in the order asked for.
struct TPoradie {
    int n;
    bool lsb;
    int operator()(int k) const { return lsb ? n - k : k - 1; }
};

TPoradie poradie(const py::handle& order, int n) {
    const std::string s = retazec(order, "order");
    if (s != "msb" && s != "lsb") throw ChybaVstupu("order '" + s + "' nie je msb ani lsb");
    return {n, s == "lsb"};
}

// The operations of the circuit in the order of application; the phases of
// the gates without controls add up in faza, and such a gate that is only
// a phase gives no operation.
py::list operacie(const TVysledok& v, TPoradie q, double& faza) {
    py::list l;
    faza = 0.0;
    for (const qlc::TGATE1& g : v.brany) {
        const int t = q(g.ciel);
        if (g.pocetk == 0) {
            const TUhly h = uhly(g.U);
            faza += h.gama;
            if (h.theta == 0.0 && uhol(h.phi + h.lambda) == 0.0) continue;
            l.append(py::make_tuple("u", t, h.theta, h.phi, h.lambda));
            continue;
        }
        if (g.pocetk == 1) {
            const int c = q(g.kontroly[1]);
            if (jex(g.U)) {
                l.append(py::make_tuple("cx", c, t));
            } else {
                const TUhly h = uhly(g.U);
                l.append(py::make_tuple("cu", c, t, h.theta, h.phi, h.lambda, h.gama));
            }
            continue;
        }
        py::tuple k(g.pocetk);
        for (int j = 1; j <= g.pocetk; ++j) k[static_cast<std::size_t>(j - 1)] = py::int_(q(g.kontroly[j]));
        if (jex(g.U)) {
            l.append(py::make_tuple("mcx", k, t));
        } else {
            const TUhly h = uhly(g.U);
            l.append(py::make_tuple("mcu", k, t, h.theta, h.phi, h.lambda, h.gama));
        }
    }
    faza = uhol(faza);
    return l;
}

// ---- the text drawing ------------------------------------------------------------

// The name of a gate's matrix in the drawing: a known gate (up to a global
// phase when the gate has no controls), otherwise U.
std::string menobrany(const qlc::TGATE1& g) {
    static const double s = 1.0 / std::sqrt(2.0);
    static const std::vector<std::pair<std::string, std::array<C, 4>>> zname = {
        {"X", {C(0), C(1), C(1), C(0)}},    {"Y", {C(0), C(0, -1), C(0, 1), C(0)}},
        {"Z", {C(1), C(0), C(0), C(-1)}},   {"H", {C(s), C(s), C(s), C(-s)}},
        {"S", {C(1), C(0), C(0), C(0, 1)}}, {"S†", {C(1), C(0), C(0), C(0, -1)}},
        {"T", {C(1), C(0), C(0), C(s, s)}}, {"T†", {C(1), C(0), C(0), C(s, -s)}},
    };
    std::array<C, 4> u{};
    for (int k = 0; k < 4; ++k) u[static_cast<std::size_t>(k)] = komplex(g.U.a[static_cast<std::size_t>(k)]);
    // the phase that makes the first entry of magnitude above 0.5 real and positive
    C f(1.0);
    if (g.pocetk == 0)
        for (const C& z : u)
            if (std::abs(z) > 0.5) {
                f = std::conj(z) / std::abs(z);
                break;
            }
    for (const auto& [meno, m] : zname) {
        C fz = f;
        if (g.pocetk == 0)
            for (std::size_t k = 0; k < 4; ++k)
                if (std::abs(m[k]) > 0.5) {
                    fz = f * m[k] / std::abs(m[k]);
                    break;
                }
        bool rovnake = true;
        for (std::size_t k = 0; k < 4 && rovnake; ++k) rovnake = std::abs(u[k] * fz - m[k]) <= 1e-12;
        if (rovnake) return meno;
    }
    return "U";
}

// The number of characters (code points) of a UTF-8 text.
std::size_t sirkatextu(const std::string& s) {
    std::size_t n = 0;
    for (const char c : s)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

std::string opakuj(const char* s, std::size_t n) {
    std::string r;
    for (std::size_t k = 0; k < n; ++k) r += s;
    return r;
}

// The circuit as text: a line per qubit (q1 first, the most significant
// bit), a column per gate in the order of application, the target's name,
// a dot on each control; bands of at most sirka characters.
std::string textobvodu(const TVysledok& v, long long sirka) {
    const int n = v.pocetq;
    const std::size_t riadkov = static_cast<std::size_t>(2 * n - 1);
    const std::string predpona = "q1: ";
    std::vector<std::string> pas(riadkov);
    std::size_t siroky = 0;
    std::string vystup;
    auto zacni = [&] {
        for (std::size_t r = 0; r < riadkov; ++r)
            pas[r] =
                r % 2 == 0 ? "q" + std::to_string(r / 2 + 1) + ": ─" : std::string(predpona.size() + 1, ' ');
        siroky = predpona.size() + 1;
    };
    auto ukonci = [&] {
        if (!vystup.empty()) vystup += "\n\n";
        for (std::size_t r = 0; r < riadkov; ++r) {
            std::string s = pas[r];
            if (r % 2 == 1) s.erase(s.find_last_not_of(' ') + 1);
            vystup += s;
            if (r + 1 < riadkov) vystup += '\n';
        }
    };
    zacni();
    for (const qlc::TGATE1& g : v.brany) {
        const std::string meno = menobrany(g);
        const std::size_t w = sirkatextu(meno) + 2, stred = 1 + (sirkatextu(meno) - 1) / 2;
        if (siroky > predpona.size() + 1 && static_cast<long long>(siroky + w) > sirka) {
            ukonci();
            zacni();
        }
        int hore = g.ciel, dole = g.ciel;
        for (int j = 1; j <= g.pocetk; ++j) {
            hore = std::min<int>(hore, g.kontroly[j]);
            dole = std::max<int>(dole, g.kontroly[j]);
        }
        for (int k = 1; k <= n; ++k) {
            std::string& r = pas[static_cast<std::size_t>(2 * (k - 1))];
            bool kontrola = false;
            for (int j = 1; j <= g.pocetk; ++j) kontrola = kontrola || g.kontroly[j] == k;
            if (k == g.ciel)
                r += "─" + meno + "─";
            else if (kontrola)
                r += opakuj("─", stred) + "●" + opakuj("─", w - stred - 1);
            else if (k > hore && k < dole)
                r += opakuj("─", stred) + "┼" + opakuj("─", w - stred - 1);
            else
                r += opakuj("─", w);
            if (k < n) {
                std::string& m = pas[static_cast<std::size_t>(2 * k - 1)];
                m += k >= hore && k < dole ? std::string(stred, ' ') + "│" + std::string(w - stred - 1, ' ')
                                           : std::string(w, ' ');
            }
        }
        siroky += w;
    }
    for (std::size_t r = 0; r < riadkov; r += 2) pas[r] += "─";
    ukonci();
    return vystup;
}

// ---- the circuit ---------------------------------------------------------------------

// Bytes of plain values, for the pickled state of a circuit.
class Zapisovac {
  public:
    template <class T>
    void daj(const T& x) {
        const auto* p = reinterpret_cast<const char*>(&x);
        b_.append(p, sizeof x);
    }
    py::bytes bajty() const { return {b_.data(), b_.size()}; }

  private:
    std::string b_;
};

class Citac {
  public:
    explicit Citac(std::string b) : b_(std::move(b)) {}
    template <class T>
    T ber() {
        T x{};
        if (b_.size() - k_ < sizeof x) throw ChybaVstupu("stav obvodu je poskodeny");
        std::memcpy(&x, b_.data() + k_, sizeof x);
        k_ += sizeof x;
        return x;
    }
    bool koniec() const { return k_ == b_.size(); }

  private:
    std::string b_;
    std::size_t k_ = 0;
};

void dajmaticu(Zapisovac& z, const qlc::TMATICA1& M, int rozmer) {
    for (int i = 1; i <= rozmer; ++i)
        for (int j = 1; j <= rozmer; ++j) {
            z.daj(M(i, j).re);
            z.daj(M(i, j).im);
        }
}

void bermaticu(Citac& c, qlc::TMATICA1& M, int rozmer) {
    for (int i = 1; i <= rozmer; ++i)
        for (int j = 1; j <= rozmer; ++j) {
            M(i, j).re = c.ber<double>();
            M(i, j).im = c.ber<double>();
        }
}

// The circuit of one run, with its log and figures; a read-only sequence of
// its gates.
class TObvod {
  public:
    explicit TObvod(std::shared_ptr<const TVysledok> v) : v_(std::move(v)) {}

    const TVysledok& v() const { return *v_; }
    const std::shared_ptr<const TVysledok>& zdielany() const { return v_; }
    long long pocet() const { return static_cast<long long>(v_->brany.size()); }

    // Gate i (0-based) as Gate(target, controls, U).
    py::object brana(long long i) const {
        if (brany_) return (*brany_)[static_cast<std::size_t>(i)];
        const qlc::TGATE1& g = v_->brany.at(static_cast<std::size_t>(i));
        py::tuple k(g.pocetk);
        for (int j = 1; j <= g.pocetk; ++j) k[static_cast<std::size_t>(j - 1)] = py::int_(g.kontroly[j]);
        return TypBrana(py::int_(g.ciel), std::move(k), pole2(g.U));
    }

    py::tuple brany() {
        if (!brany_) {
            py::tuple t(v_->brany.size());
            for (std::size_t i = 0; i < v_->brany.size(); ++i) t[i] = brana(static_cast<long long>(i));
            brany_ = std::move(t);
        }
        return *brany_;
    }

    py::object polozka(const py::handle& index) const {
        if (py::isinstance<py::slice>(index)) {
            py::ssize_t zac = 0, kon = 0, krok = 0, dlzka = 0;
            if (!index.cast<py::slice>().compute(static_cast<py::ssize_t>(pocet()), &zac, &kon, &krok,
                                                 &dlzka))
                throw py::error_already_set();
            py::list l;
            for (py::ssize_t k = 0; k < dlzka; ++k) l.append(brana(zac + k * krok));
            return l;
        }
        long long i = cele(index, "index");
        const long long p = pocet();
        if (i < 0) i += p;
        if (i < 0 || i >= p)
            throw py::index_error("index brany " + std::string(py::str(index)) + " je mimo obvodu s " +
                                  std::to_string(p) + " branami");
        return brana(i);
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
        const TVysledok& v = *v_;
        std::string s = "<qlc.Circuit n=" + std::to_string(v.pocetq) +
                        " method=" + qlc::api::meno(v.volby.metoda) + "/" + qlc::api::meno(v.volby.hlbka) +
                        ": " + std::to_string(v.brany.size()) + " gates";
        if (v.dokoncena)
            s += ", " + std::to_string(v.suhrn.pocetcnot) + " CNOTs, depth " + std::to_string(v.suhrn.hlbka);
        s += v.ok() ? ", ok>" : (v.dokoncena ? ", a check failed>" : ", the run ended early>");
        return s;
    }

    // Same number of qubits and the same gates, matrices entry for entry.
    bool rovny(const TObvod& o) const {
        const TVysledok &a = *v_, &b = *o.v_;
        if (a.pocetq != b.pocetq || a.brany.size() != b.brany.size()) return false;
        for (std::size_t i = 0; i < a.brany.size(); ++i) {
            const qlc::TGATE1 &x = a.brany[i], &y = b.brany[i];
            if (x.ciel != y.ciel || x.pocetk != y.pocetk) return false;
            for (int j = 1; j <= x.pocetk; ++j)
                if (x.kontroly[j] != y.kontroly[j]) return false;
            for (std::size_t k = 0; k < 4; ++k)
                if (x.U.a[k].re != y.U.a[k].re || x.U.a[k].im != y.U.a[k].im) return false;
        }
        return true;
    }

    std::size_t hash() const {
        std::size_t h = std::hash<int>()(v_->pocetq);
        auto pridaj = [&h](std::size_t x) { h ^= x + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
        for (const qlc::TGATE1& g : v_->brany) {
            pridaj(g.ciel);
            for (int j = 1; j <= g.pocetk; ++j) pridaj(g.kontroly[j]);
            // +0.0 for -0.0, which compares equal
            for (const qlc::TKOMPLEX& z : g.U.a) {
                pridaj(std::hash<double>()(z.re + 0.0));
                pridaj(std::hash<double>()(z.im + 0.0));
            }
        }
        return h;
    }

    py::tuple stav() const;
    static TObvod zostavu(const py::tuple& t);

  private:
    std::shared_ptr<const TVysledok> v_;
    std::optional<py::tuple> brany_;
};

constexpr int VERZIA_STAVU = 1;

py::tuple TObvod::stav() const {
    const TVysledok& v = *v_;
    Zapisovac z;
    z.daj(static_cast<std::int32_t>(v.pocetq));
    z.daj(static_cast<std::uint64_t>(v.brany.size()));
    for (const qlc::TGATE1& g : v.brany) {
        z.daj(g.ciel);
        z.daj(g.pocetk);
        for (int j = 1; j <= 4; ++j) z.daj(g.kontroly[j]);
        for (const qlc::TKOMPLEX& c : g.U.a) {
            z.daj(c.re);
            z.daj(c.im);
        }
    }
    dajmaticu(z, v.vstup, v.rozmer);
    dajmaticu(z, v.A, v.rozmer);
    z.daj(static_cast<std::uint64_t>(v.tpq.size()));
    for (const qlc::TTPQ& t : v.tpq) {
        z.daj(t.omega);
        z.daj(t.fi);
        z.daj(t.p);
        z.daj(t.q);
    }
    z.daj(static_cast<std::uint64_t>(v.fazy.size()));
    for (const double f : v.fazy) z.daj(f);
    const qlc::api::TSuhrn& s = v.suhrn;
    py::list podlak;
    for (int k = 0; k <= 4; ++k) podlak.append(s.podlak[k]);
    return py::make_tuple(
        VERZIA_STAVU, qlc::api::meno(v.volby.metoda), qlc::api::meno(v.volby.hlbka), v.volby.optimalizuj,
        v.volby.kontrolakrokov, v.volby.odchylka, v.volby.casovylimit, z.bajty(), v.logy, v.boxy, v.chyby,
        py::make_tuple(v.dokoncena, v.kontrolyok, v.neunitarna, v.zosyntezy),
        py::make_tuple(s.pocetbran, s.pocetcnot, podlak, s.hlbka, s.odchylka), v.eps, v.zlyhanie);
}

TObvod TObvod::zostavu(const py::tuple& t) {
    if (t.size() != 15 || t[0].cast<int>() != VERZIA_STAVU) throw ChybaVstupu("stav obvodu je poskodeny");
    auto v = std::make_shared<TVysledok>();
    v->volby.metoda = qlc::api::metoda(t[1].cast<std::string>());
    v->volby.hlbka = qlc::api::hlbka(t[2].cast<std::string>());
    v->volby.optimalizuj = t[3].cast<bool>();
    v->volby.kontrolakrokov = t[4].cast<bool>();
    v->volby.odchylka = t[5].cast<bool>();
    v->volby.casovylimit = t[6].cast<double>();
    Citac c(t[7].cast<std::string>());
    v->pocetq = c.ber<std::int32_t>();
    if (v->pocetq < 2 || v->pocetq > 5) throw ChybaVstupu("stav obvodu je poskodeny");
    v->rozmer = 1 << v->pocetq;
    const auto pocet = c.ber<std::uint64_t>();
    if (pocet > static_cast<std::uint64_t>(qlc::MAXBRAN)) throw ChybaVstupu("stav obvodu je poskodeny");
    v->brany.resize(static_cast<std::size_t>(pocet));
    for (qlc::TGATE1& g : v->brany) {
        g.ciel = c.ber<std::uint8_t>();
        g.pocetk = c.ber<std::uint8_t>();
        for (int j = 1; j <= 4; ++j) g.kontroly[j] = c.ber<std::uint8_t>();
        for (qlc::TKOMPLEX& z : g.U.a) {
            z.re = c.ber<double>();
            z.im = c.ber<double>();
        }
        if (!qlc::spravnabrana(g, v->pocetq)) throw ChybaVstupu("stav obvodu je poskodeny");
    }
    bermaticu(c, v->vstup, v->rozmer);
    bermaticu(c, v->A, v->rozmer);
    const auto pocettpq = c.ber<std::uint64_t>();
    if (pocettpq > static_cast<std::uint64_t>(qlc::MAXTPQ) + 1) throw ChybaVstupu("stav obvodu je poskodeny");
    v->tpq.resize(static_cast<std::size_t>(pocettpq));
    for (qlc::TTPQ& r : v->tpq) {
        r.omega = c.ber<double>();
        r.fi = c.ber<double>();
        r.p = c.ber<std::int32_t>();
        r.q = c.ber<std::int32_t>();
    }
    const auto pocetfaz = c.ber<std::uint64_t>();
    if (pocetfaz > static_cast<std::uint64_t>(qlc::MAXROZMER) + 1)
        throw ChybaVstupu("stav obvodu je poskodeny");
    v->fazy.resize(static_cast<std::size_t>(pocetfaz));
    for (double& f : v->fazy) f = c.ber<double>();
    if (!c.koniec()) throw ChybaVstupu("stav obvodu je poskodeny");
    v->logy = t[8].cast<std::vector<std::string>>();
    v->boxy = t[9].cast<std::vector<std::string>>();
    v->chyby = t[10].cast<std::vector<std::string>>();
    const auto priznaky = t[11].cast<py::tuple>();
    v->dokoncena = priznaky[0].cast<bool>();
    v->kontrolyok = priznaky[1].cast<bool>();
    v->neunitarna = priznaky[2].cast<bool>();
    v->zosyntezy = priznaky[3].cast<bool>();
    const auto s = t[12].cast<py::tuple>();
    v->suhrn.pocetbran = s[0].cast<int>();
    v->suhrn.pocetcnot = s[1].cast<int>();
    const auto podlak = s[2].cast<std::vector<int>>();
    if (podlak.size() != 5) throw ChybaVstupu("stav obvodu je poskodeny");
    for (int k = 0; k <= 4; ++k) v->suhrn.podlak[k] = podlak[static_cast<std::size_t>(k)];
    v->suhrn.hlbka = s[3].cast<int>();
    v->suhrn.odchylka = s[4].cast<double>();
    v->eps = t[13].cast<double>();
    v->zlyhanie = t[14].cast<std::string>();
    return TObvod(std::move(v));
}

// Iterates over the gates of a circuit.
struct TIterator {
    TObvod obvod;
    long long i = 0;
};

// ---- the run ---------------------------------------------------------------------------

// Decomposes U; see DECOMPOSE_DOC.
TObvod rozloz(const py::object& U, const py::object& method, const py::object& depth,
              const py::object& optimise, const py::object& check_steps, const py::object& strict,
              const py::object& progress, const py::object& time_limit) {
    qlc::api::TVolby volby;
    volby.metoda = qlc::api::metoda(retazec(method, "method"));
    volby.hlbka = qlc::api::hlbka(retazec(depth, "depth"));
    volby.optimalizuj = logicka(optimise, "optimise");
    volby.kontrolakrokov = logicka(check_steps, "check_steps");
    const bool prisna = logicka(strict, "strict");
    volby.casovylimit = realne(time_limit, "time_limit");
    if (!(volby.casovylimit >= 0.0) || !std::isfinite(volby.casovylimit))
        throw ChybaVstupu("time_limit " + std::string(py::str(time_limit)) + " nie je konecne cislo >= 0");
    if (!progress.is_none() && !PyCallable_Check(progress.ptr()))
        zlytyp("progress", "funkciu (callable) alebo None", progress);
    qlc::api::polozka(volby);  // refuses options that do not go together
    const auto M = std::make_unique<qlc::api::TMatica>(matica(U));

    // Ctrl-C: the interpreter's signal handlers run whenever the run reports
    // its progress or writes a log line; KeyboardInterrupt (or whatever the
    // progress function raises) ends the run and leaves through rozloz.
    qlc::api::TSledovanie sledovanie;
    auto signaly = [] {
        py::gil_scoped_acquire s;
        if (PyErr_CheckSignals() != 0) throw py::error_already_set();
    };
    sledovanie.log = [&](const std::string&) { signaly(); };
    // The bar is also reported unchanged during long computations; the
    // progress function hears of changes only.
    std::pair<int, int> naposledy{-1, -1};
    sledovanie.priebeh = [&](int pozicia, int maximum, bool viditelny) {
        py::gil_scoped_acquire s;
        if (PyErr_CheckSignals() != 0) throw py::error_already_set();
        if (!viditelny || progress.is_none() || naposledy == std::pair{pozicia, maximum}) return;
        naposledy = {pozicia, maximum};
        progress(pozicia, maximum);
    };
    std::shared_ptr<TVysledok> v;
    {
        py::gil_scoped_release bez;
        v = std::make_shared<TVysledok>(qlc::api::rozloz(*M, volby, sledovanie));
        // A run that ended early has no figures yet; its deviation is that
        // of the gates it made.
        if (!v->dokoncena && !v->neunitarna && v->chyby.empty())
            v->suhrn = qlc::api::suhrn(v->brany, v->pocetq, v->vstup, v->eps);
    }
    if (v->neunitarna) {
        qlc::TMATICA1 B = v->vstup;
        qlc::hermit(B, v->rozmer);
        B = qlc::nasob(B, v->vstup, v->rozmer);
        throw ChybaUnitarity(qlc::api::NEUNITARNA, qlc::odchylka(B, qlc::jednotkova(v->rozmer), v->rozmer),
                             v->eps);
    }
    if (!v->chyby.empty()) throw qlc::ChybaBehu(v->chyby.front());
    if (prisna && !v->ok()) throw KontrolaZlyhala{v};
    return TObvod(v);
}

// ---- documentation -----------------------------------------------------------------------

constexpr const char* MODUL_DOC = R"(Unitary matrices of 2 to 5 qubits into quantum logic circuits.

    >>> import numpy as np, qlc
    >>> c = qlc.decompose(np.eye(4))
    >>> len(c), c.ok
    (0, True)

Qubits are numbered 1..n and qubit 1 is the most significant bit of the
basis state's index: row/column i (0-based) of a matrix is the state whose
bits, qubit 1 first, are the binary digits of i. A gate (target, controls, U)
applies the 2x2 matrix U to the target qubit when every control qubit is 1;
circuits list their gates in the order of application, the first acts
first. Circuit.ops() lists the same circuit as named operations on 0-based
qubits in either bit order. Every message of the program is its own text
(Slovak).

Errors: refused input raises InputError (a ValueError) with the program's
message and, where they apply, the 0-based row and col of the entry at
fault, the deviation and the tolerance; an argument of the wrong type
TypeError naming the argument. When a check of the run fails, decompose
raises CheckFailed (a RuntimeError) carrying the circuit, its deviation and
the tolerance; decompose(..., strict=False) returns that circuit instead. A
file that cannot be read raises FileNotFoundError or InputError, one that
cannot be written OSError; an error of the program that ends a run
RuntimeError. Ctrl-C stops a run with KeyboardInterrupt.

has_png is True when Circuit.draw can write PNG (the module was built with
Qt 6).)";

constexpr const char* DECOMPOSE_DOC =
    R"(decompose(U, method='twolevel', depth='element', optimise=True, check_steps=False, *, strict=True, progress=None, time_limit=0.0)
--

Decomposes the unitary U into a circuit.

U: a 2^n x 2^n array, 2 <= n <= 5, of complex128 or float64 entries (or
integers), or a list of rows; views of any layout are read as they are
indexed. Qubit 1 is the most significant bit of the row index.

method: "twolevel" (two-level matrices into controlled gates, the program's
own method), "qsd" (minimal-CNOT synthesis), "best" (the shorter of the
two circuits) or "search" (a numerical search for a short circuit, where
the program has it); all but "twolevel" go to elementary gates only.
depth: for "twolevel", how far it goes: "element" (one-qubit gates and
CNOTs), "l1" (gates with at most one control), "toffoli" (multi-controlled
gates).
optimise: run the optimiser after every stage.
check_steps: check every exchange and merge of the optimiser with full
matrices (slow).
strict: when a check of the run fails, raise CheckFailed (it carries the
circuit); with strict=False return the circuit, whose ok is then False.
progress: None or a function called as progress(position, maximum) while
the run's progress bar moves; an exception it raises ends the run.
time_limit: seconds the numerical search may take; 0 for its default (40).
A longer limit also lets it try more placements on 3 and 4 qubits.

Returns a Circuit whose unitary() equals U within the run's tolerance
(Circuit.tolerance). Raises InputError (a ValueError) with the program's
message for a wrong shape or dtype, an entry that is not finite (row, col),
options that do not go together, or a matrix that is not unitary
(deviation, tolerance); TypeError for an argument of the wrong type;
CheckFailed when a check of the run fails; RuntimeError when an error of
the program ends the run; KeyboardInterrupt on Ctrl-C, within about a tenth
of a second. The interpreter's other threads run while the decomposition
does.)";

constexpr const char* CIRCUIT_DOC = R"(A circuit made by qlc.decompose, with the run's log and figures.

A read-only sequence of its gates: len(c), c[i], c[i:j] and iteration give
Gate(target, controls, U) in the order of application, qubit 1 the most
significant bit; the circuit's matrix is G_last ... G_2 G_1. Circuits
compare equal when they have the same number of qubits and the same gates,
matrices entry for entry; they pickle. str(c) is a text drawing.)";

constexpr const char* OPS_DOC = R"(ops(self, order='msb')
--

The circuit as named operations in the order of application, qubits
0-based:

    ("u", q, theta, phi, lam)                     one-qubit gate U3
    ("cx", control, target)                       CNOT
    ("cu", control, target, theta, phi, lam, gamma)
    ("mcx", (control, ...), target)               X with two or more controls
    ("mcu", (control, ...), target, theta, phi, lam, gamma)

U3(theta, phi, lam) = [[cos(theta/2), -e^(i lam) sin(theta/2)],
                       [e^(i phi) sin(theta/2), e^(i (phi+lam)) cos(theta/2)]];
the controlled forms apply e^(i gamma) U3 to the target when every control
is 1 (as Qiskit's CUGate). The phases of the one-qubit gates make
global_phase; a one-qubit gate that is only a phase gives no operation.
The product of the operations times e^(i global_phase) is unitary().

order="msb": qubit 0 is qubit 1 of the program, the most significant bit
of the index. order="lsb": qubit 0 is the least significant bit, as in
Qiskit and OpenQASM (program qubit k is qubit n - k).)";

constexpr const char* DRAW_DOC = R"(draw(self, path, zoom=1.25, start=None, whole=False)
--

Draws the circuit into path (.svg, or .png when the module was built with
Qt 6; RuntimeError otherwise) as the program's window shows it at zoom
0.45..2.00.

By default the picture is the window's view: a canvas of the window's size
holding the bands that fit on it, from gate 1, or with start from that gate
(the first-gate slider moved to it: it is drawn first and is the current
gate); gates past the last band are not in the picture. whole=True draws
every band of the circuit, from gate 1 or start, one below the other on a
canvas of the window's width as tall as they need (as PNG at most 32,000
pixels tall; InputError for more).

A start the circuit does not have, and a circuit without gates, raise
InputError with the window's message; nothing is written then.)";

}  // namespace

PYBIND11_MODULE(_qlc, m) {
    py::options moznosti;
    moznosti.disable_function_signatures();  // the docstrings carry them
    m.doc() = MODUL_DOC;
    m.attr("__version__") = QLC_VERZIA;
#ifdef QLC_PNG
    qlc::api::nastavpng(qlc::gui::kreslipng);
    qlc::api::nastavpngvelkosti(qlc::gui::kreslipngvelkosti);
#endif
    TypBool = py::object(py::module_::import("numpy").attr("bool_")).release();

    auto typ = [&](const char* meno, PyObject* zaklad, const char* doc,
                   std::initializer_list<const char*> atributy) {
        py::dict d;
        for (const char* a : atributy) d[a] = py::none();
        PyObject* t = PyErr_NewExceptionWithDoc((std::string("qlc.") + meno).c_str(), doc, zaklad, d.ptr());
        if (t == nullptr) throw py::error_already_set();
        m.attr(meno) = py::reinterpret_steal<py::object>(t);
        return py::handle(t);
    };
    TypVstup =
        typ("InputError", PyExc_ValueError,
            "Input refused with the program's message. row and col: the 0-based position of the entry at "
            "fault, or None; deviation and tolerance: for a matrix that is not unitary, the largest entry of "
            "U^dagger U - I and the tolerance it exceeds, or None.",
            {"row", "col", "deviation", "tolerance"});
    TypKontrola =
        typ("CheckFailed", PyExc_RuntimeError,
            "A check of the decomposition failed; the message is the program's line that says which. "
            "circuit: the Circuit the run made (its ok is False); deviation: the largest modulus of an "
            "entry of circuit.unitary() minus the input; tolerance: the run's tolerance.",
            {"circuit", "deviation", "tolerance"});
    {
        py::object brana = py::module_::import("collections")
                               .attr("namedtuple")("Gate", py::make_tuple("target", "controls", "U"),
                                                   py::arg("module") = "qlc");
        brana.attr("__doc__") =
            "A gate of a circuit: the 2x2 unitary U (read-only ndarray) on qubit target (1..n, 1 the most "
            "significant bit) when every qubit of the tuple controls is 1.";
        m.attr("Gate") = brana;
        TypBrana = brana;
    }

    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const KontrolaZlyhala& e) {
            vyhod(TypKontrola, e.v->zlyhanie,
                  {{"circuit", py::cast(TObvod(e.v))},
                   {"deviation", py::float_(e.v->suhrn.odchylka)},
                   {"tolerance", py::float_(e.v->eps)}});
        } catch (const qlc::api::ChybaPrvku& e) {
            vyhod(TypVstup, e.what(), {{"row", py::int_(e.riadok - 1)}, {"col", py::int_(e.stlpec - 1)}});
        } catch (const ChybaUnitarity& e) {
            vyhod(TypVstup, e.what(),
                  {{"deviation", py::float_(e.odchylka)}, {"tolerance", py::float_(e.tolerancia)}});
        } catch (const ChybaVstupu& e) {
            vyhod(TypVstup, e.what(), {});
        } catch (const ChybaZapisu& e) {
            PyErr_SetString(PyExc_OSError, e.what());
        } catch (const qlc::ChybaSuboru& e) {
            vyhod(TypVstup, e.what(), {});
        } catch (const qlc::ChybaBehu& e) {
            PyErr_SetString(PyExc_RuntimeError, e.what());
        }
    });

    py::class_<TIterator>(m, "_GateIterator")
        .def(
            "__iter__", [](TIterator& i) -> TIterator& { return i; },
            py::return_value_policy::reference_internal)
        .def("__next__", [](TIterator& i) {
            if (i.i >= i.obvod.pocet()) throw py::stop_iteration();
            return i.obvod.brana(i.i++);
        });

    py::class_<TObvod>(m, "Circuit", CIRCUIT_DOC)
        .def_property_readonly(
            "gates", &TObvod::brany,
            "The gates in the order of application: a tuple of Gate(target, controls, U) with "
            "target an int in 1..n, controls a tuple of ints, U a read-only 2x2 complex ndarray. "
            "Qubit 1 is the most significant bit. Made once, then shared.")
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
            "Gates by number of controls: counts[k] gates have k controls, k = 0..n-1. See also count_ops().")
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
            "failure", [](const TObvod& o) { return o.v().zlyhanie; },
            "Why the run is not ok: the program's line of the first failed check, or the last log line of a "
            "run "
            "that ended early; empty when ok.")
        .def_property_readonly(
            "method", [](const TObvod& o) { return qlc::api::meno(o.v().volby.metoda); },
            "The method of decompose.")
        .def_property_readonly(
            "level", [](const TObvod& o) { return qlc::api::meno(o.v().volby.hlbka); },
            "The depth option of decompose: \"element\", \"l1\" or \"toffoli\".")
        .def_property_readonly(
            "global_phase",
            [](const TObvod& o) {
                double f = 0.0;
                operacie(o.v(), {o.v().pocetq, false}, f);
                return f;
            },
            "The phase, in [-pi, pi], that ops() takes out of the one-qubit gates: unitary() is e^(i "
            "global_phase) "
            "times the product of ops().")
        .def(
            "ops",
            [](const TObvod& o, const py::object& order) {
                double f = 0.0;
                return operacie(o.v(), poradie(order, o.v().pocetq), f);
            },
            py::arg("order") = "msb", OPS_DOC)
        .def(
            "count_ops",
            [](const TObvod& o) {
                double f = 0.0;
                const py::list l = operacie(o.v(), {o.v().pocetq, false}, f);
                std::map<std::string, int> pocty;
                std::vector<std::string> poradie;
                for (const py::handle op : l) {
                    const auto meno = op.cast<py::tuple>()[0].cast<std::string>();
                    if (pocty[meno]++ == 0) poradie.push_back(meno);
                }
                std::stable_sort(
                    poradie.begin(), poradie.end(),
                    [&](const std::string& a, const std::string& b) { return pocty[a] > pocty[b]; });
                py::dict d;
                for (const std::string& meno : poradie) d[py::str(meno)] = pocty[meno];
                return d;
            },
            "count_ops(self)\n--\n\nThe number of each operation of ops(), as a dict from its name (\"u\", "
            "\"cx\", "
            "\"cu\", \"mcx\", \"mcu\") to its count, the most frequent first.")
        .def("unitary", &TObvod::unitarna,
             "unitary(self)\n--\n\nThe circuit's matrix G_last ... G_1 as a 2^n x 2^n complex ndarray (qubit "
             "1 the "
             "most significant bit of the index).")
        .def(
            "to_qasm",
            [](const TObvod& o, const py::object& version) {
                const long long verzia = cele(version, "version");
                if (verzia != 2 && verzia != 3)
                    throw ChybaVstupu("OpenQASM verzie " + std::to_string(verzia) + " nepoznam; 2 alebo 3");
                try {
                    return qlc::api::qasm(o.v().brany, o.v().pocetq, static_cast<int>(verzia), o.v().eps);
                } catch (const qlc::ChybaBehu& e) {
                    throw ChybaVstupu(e.what());  // gates it cannot write
                }
            },
            py::arg("version") = 3,
            "to_qasm(self, version=3)\n--\n\nThe circuit as an OpenQASM program, version 3 (exact, global "
            "phase "
            "included) or 2 (gates with at most one control; the global phase in a comment). Qubit k is "
            "q[n-k], so "
            "a reader that takes q[0] as the least significant bit sees the input matrix. InputError for "
            "another "
            "version, or for version 2 a gate with more than one control.")
        .def(
            "summary", [](const TObvod& o) { return qlc::api::suhrnriadky(o.v()); },
            "summary(self)\n--\n\nThe summary in the form of `qlc decompose --summary` (list of str): "
            "qubits, "
            "gates, CNOTs, gates by controls, depth, and the largest deviation of unitary() from the input.")
        .def(
            "text",
            [](const TObvod& o, const py::object& width) {
                const long long sirka = cele(width, "width");
                if (sirka < 1) throw ChybaVstupu("width " + std::to_string(sirka) + " nie je kladne");
                return textobvodu(o.v(), sirka);
            },
            py::arg("width") = 80,
            "text(self, width=80)\n--\n\nThe circuit drawn as text, what str() gives: a line per qubit (q1, "
            "the "
            "most significant bit, on top), a column per gate in the order of application with the target's "
            "name "
            "(X, Y, Z, H, S, T, S†, T†, up to a global phase without controls, otherwise U) and a dot on "
            "each "
            "control; folded into bands at most width characters wide (at least one gate a band).")
        .def(
            "draw",
            [](const TObvod& o, const py::object& path, const py::object& zoom, const py::object& start,
               const py::object& whole) {
                const std::string meno = cesta(path);
                qlc::api::TPohlad pohlad;
                pohlad.zoom = realne(zoom, "zoom");
                if (!start.is_none())
                    pohlad.od = static_cast<int>(std::clamp<long long>(cele(start, "start"), -1, 1LL << 30));
                pohlad.cely = logicka(whole, "whole");
                try {
                    qlc::api::ulozobrazok(o.v(), meno, pohlad);
                } catch (const qlc::ChybaSuboru& e) {
                    throw ChybaZapisu(e.what());
                }
            },
            py::arg("path"), py::arg("zoom") = 1.25, py::arg("start") = py::none(), py::arg("whole") = false,
            DRAW_DOC)
        .def("__len__", &TObvod::pocet, "__len__(self)\n--\n\nThe number of gates.")
        .def("__getitem__", &TObvod::polozka,
             "__getitem__(self, index)\n--\n\nGate index (0-based, negative from the end) as Gate(target, "
             "controls, U), made from the circuit's store alone; a list of gates for a slice. IndexError "
             "outside "
             "the circuit.")
        .def(
            "__iter__",
            [](const TObvod& o) {
                return TIterator{o, 0};
            },
            "__iter__(self)\n--\n\nThe gates in the order of application, one Gate at a time.")
        .def(
            "__eq__",
            [](const TObvod& a, const py::object& b) -> py::object {
                if (!py::isinstance<TObvod>(b)) return py::reinterpret_borrow<py::object>(Py_NotImplemented);
                return py::bool_(a.rovny(b.cast<const TObvod&>()));
            },
            "__eq__(self, other)\n--\n\nThe same number of qubits and the same gates: targets, controls and "
            "matrices entry for entry.")
        .def("__hash__", &TObvod::hash, "__hash__(self)\n--\n\nA hash of the qubits and the gates.")
        .def("__repr__", &TObvod::repr, "__repr__(self)\n--\n\nQubits, method, gates, CNOTs, depth and ok.")
        .def(
            "__str__", [](const TObvod& o) { return textobvodu(o.v(), 80); },
            "__str__(self)\n--\n\nThe text drawing of text(width=80).")
        .def(py::pickle([](const TObvod& o) { return o.stav(); },
                        [](const py::tuple& t) { return TObvod::zostavu(t); }));

    m.def("decompose", &rozloz, py::arg("U"), py::arg("method") = "twolevel", py::arg("depth") = "element",
          py::arg("optimise") = true, py::arg("check_steps") = false, py::kw_only(), py::arg("strict") = true,
          py::arg("progress") = py::none(), py::arg("time_limit") = 0.0, DECOMPOSE_DOC);

    m.def(
        "random_unitary",
        [](const py::object& n, const py::object& seed) {
            std::optional<std::uint32_t> s;
            if (!seed.is_none()) {
                if (!PyIndex_Check(seed.ptr()))
                    zlytyp("seed", "cele cislo (int; generator programu, nie numpy.random.Generator)", seed);
                const long long v = cele(seed, "seed");
                if (v < 0 || v > 4294967295LL)
                    throw ChybaVstupu("seed " + std::to_string(v) + " je mimo 0..4294967295");
                s = static_cast<std::uint32_t>(v);
            }
            const long long q = cele(n, "n");
            if (q < 2 || q > 5) throw ChybaVstupu("pocet qubitov " + std::to_string(q) + " je mimo 2..5");
            const auto M = std::make_unique<qlc::api::TMatica>(qlc::api::nahodna(static_cast<int>(q), s));
            return pole(M->A, M->rozmer);
        },
        py::arg("n"), py::arg("seed") = py::none(),
        "random_unitary(n, seed=None)\n--\n\nA random unitary 2^n x 2^n complex ndarray, 2 <= n <= 5, made "
        "by the "
        "program's generator (a product of 100 random two-level and phase matrices). With an integer seed "
        "(0..2^32-1) the same matrix every time, the one `qlc random --qubits n --seed seed` writes; without "
        "one, "
        "seeded from the clock. TypeError for a seed that is not an integer (a float, a numpy Generator).");

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
        "read_matrix(path)\n--\n\nReads a matrix file (.mat, .txt: the dimension, then the rows in braces) "
        "or a "
        "NumPy .npy file (complex128 or float64, 2^n x 2^n, 2 <= n <= 5) as the program's \"Otvorit\" does, "
        "and "
        "returns a complex ndarray. A refused file raises InputError naming the file and the line; a missing "
        "one "
        "FileNotFoundError.");

    m.def(
        "write_matrix",
        [](const py::object& path, const py::object& U, const py::object& circuit) {
            const std::string meno = cesta(path);
            if (!circuit.is_none() && !py::isinstance<TObvod>(circuit))
                zlytyp("circuit", "qlc.Circuit alebo None", circuit);
            const auto M = std::make_unique<qlc::api::TMatica>(matica(U));
            const TVysledok* r = circuit.is_none() ? nullptr : &circuit.cast<const TObvod&>().v();
            try {
                qlc::api::zapis(meno, *M, r);
            } catch (const qlc::ChybaSuboru& e) {
                throw ChybaZapisu(e.what());
            }
        },
        py::arg("path"), py::arg("U"), py::arg("circuit") = py::none(),
        "write_matrix(path, U, circuit=None)\n--\n\nWrites U to path, replacing the file safely: a name "
        "ending in "
        ".npy gets a NumPy file (complex128), any other a matrix file as the program's \"Uložit\" writes it, "
        "with "
        "the report of circuit (the two-level matrices, the phases and the gate list) when one is given.");

    m.attr("has_png") = qlc::api::mapng();
    for (const char* meno : {"Circuit", "decompose", "random_unitary", "read_matrix", "write_matrix"})
        m.attr(meno).attr("__module__") = "qlc";
    m.attr("_GateIterator").attr("__module__") = "qlc";
}
