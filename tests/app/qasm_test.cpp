// OpenQASM export: the emitted programs are read back by a small reader and
// simulator written here from the language's definitions, and the matrix
// they implement is compared with the composed circuit.
#include "app/qasm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <complex>
#include <cstdio>
#include <fstream>
#include <functional>
#include <limits>
#include <locale>
#include <numbers>
#include <random>
#include <sstream>
#include <vector>

#include "core/form1.h"
#include "tests/zaznam.h"

using namespace qlc;

namespace {

using cd = std::complex<double>;
using M2 = std::array<cd, 4>;  // row by row
constexpr double PI = std::numbers::pi;
constexpr double TOL = 1e-6;

// U3 as OpenQASM 3 defines its U gate.
M2 u3(double t, double p, double l) {
    const double c = std::cos(t / 2), s = std::sin(t / 2);
    return {c, -std::polar(1.0, l) * s, std::polar(1.0, p) * s, std::polar(1.0, p + l) * c};
}
const M2 MX{0.0, 1.0, 1.0, 0.0};

// ---- a reader and simulator of the emitted subset ------------------------------

struct Program {
    std::string verzia;
    std::vector<std::string> include;
    int n = -1;
    std::vector<cd> M;  // dim x dim, row major; row/column s is the state with q[i] = bit i of s
    bool globalna = false;
    double faza = 0.0;  // "// global phase g:" of version 2.0
    int prikazov = 0;
};

class Citac {
  public:
    // cu3 expanded by qelib1.inc's body; with sfazou its variant that also puts
    // u1((lambda+phi)/2) on the control.
    explicit Citac(bool sfazou) : sfazou_(sfazou) {}

    Program citaj(const std::string& text) {
        Program p;
        std::istringstream in(text);
        std::string riadok;
        while (std::getline(in, riadok)) {
            while (!riadok.empty() && riadok.back() == ' ') riadok.pop_back();
            if (riadok.empty()) continue;
            if (riadok.rfind("//", 0) == 0) {
                const std::string z = "// global phase g: ";
                if (riadok.rfind(z, 0) == 0) {
                    p.globalna = true;
                    p.faza = cislo(riadok.substr(z.size()));
                }
                continue;
            }
            if (riadok.rfind("OPENQASM ", 0) == 0) {
                p.verzia = riadok.substr(9);
                continue;
            }
            if (riadok.rfind("include ", 0) == 0) {
                p.include.push_back(riadok.substr(8));
                continue;
            }
            if (riadok.rfind("qubit[", 0) == 0 || riadok.rfind("qreg q[", 0) == 0) {
                const std::size_t a = riadok.find('[') + 1, b = riadok.find(']');
                p.n = static_cast<int>(cislo(riadok.substr(a, b - a)));
                const std::size_t dim = std::size_t{1} << p.n;
                p.M.assign(dim * dim, 0.0);
                for (std::size_t i = 0; i < dim; ++i) p.M[i * dim + i] = 1.0;
                continue;
            }
            prikaz(p, riadok);
            ++p.prikazov;
        }
        return p;
    }

    static double cislo(const std::string& s) {
        double x = 0;
        const auto r = std::from_chars(s.data(), s.data() + s.size(), x);
        if (r.ec != std::errc() || r.ptr != s.data() + s.size())
            throw std::runtime_error("not a number: '" + s + "'");
        return x;
    }

  private:
    bool sfazou_;

    static void aplikuj(Program& p, const M2& u, const std::vector<int>& ktr, int t) {
        if (p.n < 0) throw std::runtime_error("gate before the qubit declaration");
        const std::size_t dim = std::size_t{1} << p.n;
        std::size_t c = 0;
        for (int k : ktr) c |= std::size_t{1} << k;
        const std::size_t tb = std::size_t{1} << t;
        if (c & tb) throw std::runtime_error("target among the controls");
        for (std::size_t s = 0; s < dim; ++s) {
            if ((s & tb) || (s & c) != c) continue;
            for (std::size_t j = 0; j < dim; ++j) {
                const cd x = p.M[s * dim + j], y = p.M[(s | tb) * dim + j];
                p.M[s * dim + j] = u[0] * x + u[1] * y;
                p.M[(s | tb) * dim + j] = u[2] * x + u[3] * y;
            }
        }
    }
    static void faza(Program& p, double a, const std::vector<int>& ktr) {
        const std::size_t dim = std::size_t{1} << p.n;
        std::size_t c = 0;
        for (int k : ktr) c |= std::size_t{1} << k;
        for (std::size_t s = 0; s < dim; ++s)
            if ((s & c) == c)
                for (std::size_t j = 0; j < dim; ++j) p.M[s * dim + j] *= std::polar(1.0, a);
    }

    void prikaz(Program& p, std::string r) {
        if (r.back() != ';') throw std::runtime_error("no ';': " + r);
        r.pop_back();
        int k = 0;
        while (r.rfind("ctrl", 0) == 0) {
            const std::size_t at = r.find(" @ ");
            if (at == std::string::npos) throw std::runtime_error("modifier without @: " + r);
            const std::string m = r.substr(0, at);
            k += m == "ctrl" ? 1 : static_cast<int>(cislo(m.substr(5, m.size() - 6)));
            r = r.substr(at + 3);
        }
        // name, (parameters), qubits
        std::size_t i = 0;
        while (i < r.size() && std::isalnum(static_cast<unsigned char>(r[i]))) ++i;
        const std::string meno = r.substr(0, i);
        std::vector<double> par;
        if (i < r.size() && r[i] == '(') {
            const std::size_t z = r.find(')', i);
            std::string vnutro = r.substr(i + 1, z - i - 1);
            std::size_t a = 0;
            for (;;) {
                const std::size_t c = vnutro.find(", ", a);
                par.push_back(cislo(vnutro.substr(a, c == std::string::npos ? std::string::npos : c - a)));
                if (c == std::string::npos) break;
                a = c + 2;
            }
            i = z + 1;
        }
        std::vector<int> q;
        while (i < r.size()) {
            if (r.compare(i, 3, " q[") != 0 && r.compare(i, 4, ", q[") != 0)
                throw std::runtime_error("bad qubit list: " + r);
            i = r.find('[', i) + 1;
            const std::size_t z = r.find(']', i);
            q.push_back(static_cast<int>(cislo(r.substr(i, z - i))));
            if (q.back() < 0 || q.back() >= p.n) throw std::runtime_error("qubit out of range: " + r);
            i = z + 1;
        }
        const auto pocty = [&](std::size_t np, std::size_t nq) {
            if (par.size() != np || q.size() != nq) throw std::runtime_error("bad arity: " + r);
        };
        const std::vector<int> ktr(
            q.begin(), q.begin() + std::min<std::ptrdiff_t>(k, static_cast<std::ptrdiff_t>(q.size())));
        if (meno == "gphase") {
            pocty(1, static_cast<std::size_t>(k));
            faza(p, par[0], ktr);
        } else if (meno == "U" || meno == "u3") {
            pocty(3, static_cast<std::size_t>(k) + 1);
            aplikuj(p, u3(par[0], par[1], par[2]), ktr, q.back());
        } else if (meno == "u1") {
            pocty(1, static_cast<std::size_t>(k) + 1);
            aplikuj(p, u3(0, 0, par[0]), ktr, q.back());
        } else if (meno == "x" && k == 0) {
            pocty(0, 1);
            aplikuj(p, MX, {}, q[0]);
        } else if (meno == "cx" && k == 0) {
            pocty(0, 2);
            aplikuj(p, MX, {q[0]}, q[1]);
        } else if (meno == "cu1" && k == 0) {
            // qelib1.inc: u1(l/2) a; cx a,b; u1(-l/2) b; cx a,b; u1(l/2) b;
            pocty(1, 2);
            const double l = par[0];
            aplikuj(p, u3(0, 0, l / 2), {}, q[0]);
            aplikuj(p, MX, {q[0]}, q[1]);
            aplikuj(p, u3(0, 0, -l / 2), {}, q[1]);
            aplikuj(p, MX, {q[0]}, q[1]);
            aplikuj(p, u3(0, 0, l / 2), {}, q[1]);
        } else if (meno == "cu3" && k == 0) {
            // qelib1.inc: [u1((l+f)/2) c;] u1((l-f)/2) t; cx c,t; u3(-t/2,0,-(f+l)/2) t;
            //             cx c,t; u3(t/2,f,0) t;
            pocty(3, 2);
            const double t = par[0], f = par[1], l = par[2];
            if (sfazou_) aplikuj(p, u3(0, 0, (l + f) / 2), {}, q[0]);
            aplikuj(p, u3(0, 0, (l - f) / 2), {}, q[1]);
            aplikuj(p, MX, {q[0]}, q[1]);
            aplikuj(p, u3(-t / 2, 0, -(f + l) / 2), {}, q[1]);
            aplikuj(p, MX, {q[0]}, q[1]);
            aplikuj(p, u3(t / 2, f, 0), {}, q[1]);
        } else {
            throw std::runtime_error("unknown statement: " + r);
        }
    }
};

// Largest |e^(i faza) P(i, j) - M(i, j)|.
double rozdiel(const Program& p, const TMATICA1& M, int rozmer, double faza = 0.0) {
    const std::size_t dim = static_cast<std::size_t>(rozmer);
    double d = 0.0;
    for (std::size_t i = 0; i < dim; ++i)
        for (std::size_t j = 0; j < dim; ++j) {
            const TKOMPLEX z = M(static_cast<int>(i) + 1, static_cast<int>(j) + 1);
            d = std::max(d, std::abs(std::polar(1.0, faza) * p.M[i * dim + j] - cd(z.re, z.im)));
        }
    return d;
}

// ---- circuits -----------------------------------------------------------------

TMATICA2 namatica2(const M2& u) {
    return {TKOMPLEX(u[0].real(), u[0].imag()), TKOMPLEX(u[1].real(), u[1].imag()),
            TKOMPLEX(u[2].real(), u[2].imag()), TKOMPLEX(u[3].real(), u[3].imag())};
}

// A Haar-like random 2x2 unitary: Gram-Schmidt of a complex Gaussian matrix.
M2 nahodna2(std::mt19937& r) {
    std::normal_distribution<double> g;
    cd a(g(r), g(r)), c(g(r), g(r)), b(g(r), g(r)), d(g(r), g(r));
    const double na = std::sqrt(std::norm(a) + std::norm(c));
    a /= na;
    c /= na;
    const cd pr = std::conj(a) * b + std::conj(c) * d;
    b -= pr * a;
    d -= pr * c;
    const double nb = std::sqrt(std::norm(b) + std::norm(d));
    return {a, b / nb, c, d / nb};
}

// Random gates and, now and then, the awkward ones: the NOT matrix, diagonal
// and anti-diagonal matrices, scalar matrices, and a matrix whose
// off-diagonal entries are barely above the zero snapping.
M2 gatematica(std::mt19937& r) {
    const int druh = std::uniform_int_distribution<int>(0, 9)(r);
    std::uniform_real_distribution<double> uhol(-PI, PI);
    switch (druh) {
        case 0:
            return MX;
        case 1:
            return {std::polar(1.0, uhol(r)), 0.0, 0.0, std::polar(1.0, uhol(r))};
        case 2:
            return {0.0, std::polar(1.0, uhol(r)), std::polar(1.0, uhol(r)), 0.0};
        case 3: {
            const cd z = std::polar(1.0, uhol(r));
            return {z, 0.0, 0.0, z};
        }
        case 4: {
            const double e = 5e-12;
            const double c = std::sqrt(1 - e * e);
            return {c, -e, e, c};
        }
        default:
            return nahodna2(r);
    }
}

struct Obvod {
    int pocetq = 2;
    std::vector<TGATE1> g;  // g[0] unused
    TZoznamBran zoznam() const { return {g.data(), static_cast<int>(g.size()) - 1}; }
    int pocet() const { return static_cast<int>(g.size()) - 1; }
    TMATICA1 kompozicia() const {
        TMATICA1 M = jednotkova(1 << pocetq);
        for (int i = 1; i <= pocet(); ++i) aplikujbranu(g[static_cast<std::size_t>(i)], pocetq, M);
        return M;
    }
};

TGATE1 brana(const M2& u, int ciel, std::vector<int> ktr) {
    TGATE1 b;
    b.U = namatica2(u);
    b.ciel = static_cast<std::uint8_t>(ciel);
    b.pocetk = static_cast<std::uint8_t>(ktr.size());
    for (std::size_t j = 0; j < ktr.size(); ++j)
        b.kontroly[static_cast<long long>(j) + 1] = static_cast<std::uint8_t>(ktr[j]);
    return b;
}

Obvod nahodnyobvod(std::mt19937& r, int n, int pocet, int maxk) {
    Obvod o;
    o.pocetq = n;
    o.g.resize(1);
    for (int i = 0; i < pocet; ++i) {
        std::vector<int> q(static_cast<std::size_t>(n));
        for (int k = 0; k < n; ++k) q[static_cast<std::size_t>(k)] = k + 1;
        std::shuffle(q.begin(), q.end(), r);
        const int k = std::uniform_int_distribution<int>(0, std::min(maxk, n - 1))(r);
        o.g.push_back(brana(gatematica(r), q[0], std::vector<int>(q.begin() + 1, q.begin() + 1 + k)));
    }
    return o;
}

std::string chyba(const std::function<void()>& f) {
    try {
        f();
    } catch (const ChybaBehu& e) {
        return e.what();
    }
    return "(no error)";
}

}  // namespace

TEST(Qasm3, RandomCircuitsImplementTheComposedMatrixWithItsPhase) {
    std::mt19937 r(2024);
    Citac citac(false);
    for (int n = 2; n <= 5; ++n)
        for (int pokus = 0; pokus < 6; ++pokus) {
            const Obvod o = nahodnyobvod(r, n, 10 + 5 * pokus, 4);
            const std::string t = qasmtext(o.zoznam(), o.pocet(), n, 3);
            const Program p = citac.citaj(t);
            EXPECT_EQ(p.verzia, "3.0;");
            ASSERT_EQ(p.include, std::vector<std::string>{"\"stdgates.inc\";"});
            ASSERT_EQ(p.n, n);
            EXPECT_GE(p.prikazov, o.pocet());
            EXPECT_LT(rozdiel(p, o.kompozicia(), 1 << n), TOL) << t;
        }
}

TEST(Qasm3, GatesAreWrittenInOrderWithQubitKAsQnMinusK) {
    // Three qubits: NOT on qubit 1, then a CNOT from qubit 1 to qubit 3, then
    // the phase gate diag(1, i) on qubit 2 controlled by qubits 3 and 1.
    Obvod o;
    o.pocetq = 3;
    o.g = {TGATE1{}, brana(MX, 1, {}), brana(MX, 3, {1}), brana({1.0, 0.0, 0.0, cd(0, 1)}, 2, {3, 1})};
    const std::string t = qasmtext(o.zoznam(), o.pocet(), 3, 3);
    const std::size_t a = t.find("\nx q[2];\n");
    const std::size_t b = t.find("cx q[2], q[0];\n");
    const std::size_t c = t.find("ctrl(2) @ U(0.0, 0.0, 1.5707963267948966) q[0], q[2], q[1];\n");
    ASSERT_NE(a, std::string::npos) << t;
    ASSERT_NE(b, std::string::npos) << t;
    ASSERT_NE(c, std::string::npos) << t;
    EXPECT_LT(a, b);
    EXPECT_LT(b, c);
    EXPECT_EQ(t.find("gphase("), std::string::npos) << "none of these gates carries a phase";
    EXPECT_NE(t.find("qubit[3] q;\n"), std::string::npos);
    EXPECT_NE(t.find("q[3 - k]"), std::string::npos) << "the header states the qubit mapping";
    // Read back: state |q2 q1 q0> = |000> (row 1) goes to qubit 1 set, then
    // qubit 3 flipped: q[2] = 1, q[0] = 1, which is state 5 + 1 = 6.
    const Program p = Citac(false).citaj(t);
    EXPECT_NEAR(std::abs(p.M[5 * 8 + 0] - cd(1.0)), 0.0, TOL);
}

TEST(Qasm3, PhasesOfControlledAndUncontrolledGates) {
    // -I on qubit 2 is a pure phase: U(0,0,0) and gphase(pi); controlled by
    // qubit 1 the phase must touch only the states with qubit 1 set.
    Obvod o;
    o.pocetq = 2;
    o.g = {TGATE1{}, brana({-1.0, 0.0, 0.0, -1.0}, 2, {}), brana({cd(0, 1), 0.0, 0.0, cd(0, 1)}, 2, {1})};
    const std::string t = qasmtext(o.zoznam(), o.pocet(), 2, 3);
    EXPECT_NE(t.find("\ngphase(3.1415926535897931);\n"), std::string::npos) << t;
    EXPECT_NE(t.find("ctrl(1) @ gphase(1.5707963267948966) q[1];\n"), std::string::npos) << t;
    const Program p = Citac(false).citaj(t);
    EXPECT_LT(rozdiel(p, o.kompozicia(), 4), TOL);
    // diag(-1, -1, -i, -i)
    EXPECT_NEAR(std::abs(p.M[0] - cd(-1.0)), 0.0, TOL);
    EXPECT_NEAR(std::abs(p.M[2 * 4 + 2] - cd(0, -1)), 0.0, TOL);
}

TEST(Qasm2, SinglyControlledCircuitsMatchUpToTheStatedGlobalPhase) {
    std::mt19937 r(77);
    for (int n = 2; n <= 5; ++n)
        for (int pokus = 0; pokus < 5; ++pokus) {
            const Obvod o = nahodnyobvod(r, n, 8 + 6 * pokus, 1);
            const std::string t = qasmtext(o.zoznam(), o.pocet(), n, 2);
            // Both readings of cu3 in qelib1.inc give the same matrix.
            for (bool sfazou : {false, true}) {
                const Program p = Citac(sfazou).citaj(t);
                EXPECT_EQ(p.verzia, "2.0;");
                ASSERT_EQ(p.include, std::vector<std::string>{"\"qelib1.inc\";"});
                ASSERT_EQ(p.n, n);
                ASSERT_TRUE(p.globalna) << t;
                EXPECT_LT(rozdiel(p, o.kompozicia(), 1 << n, p.faza), TOL) << t;
            }
        }
}

TEST(Qasm2, GlobalPhaseIsTheSumOfTheUncontrolledPhases) {
    // i.I on qubit 1 and -1.I on qubit 2: the program is the identity and the
    // global phase is pi/2 + pi = -pi/2 (mod 2 pi).
    Obvod o;
    o.pocetq = 2;
    o.g = {TGATE1{}, brana({cd(0, 1), 0.0, 0.0, cd(0, 1)}, 1, {}), brana({-1.0, 0.0, 0.0, -1.0}, 2, {})};
    const std::string t = qasmtext(o.zoznam(), o.pocet(), 2, 2);
    const Program p = Citac(false).citaj(t);
    ASSERT_TRUE(p.globalna);
    EXPECT_NEAR(std::abs(std::polar(1.0, p.faza) - cd(0, -1)), 0.0, 1e-12) << t;
    EXPECT_LT(rozdiel(p, o.kompozicia(), 4, p.faza), TOL);
    EXPECT_EQ(t.find("\ncu3("), std::string::npos) << t;
}

TEST(Qasm, RefusesWhatItCannotWrite) {
    Obvod o;
    o.pocetq = 3;
    o.g = {TGATE1{}, brana(MX, 1, {}), brana(MX, 3, {1, 2})};
    const std::string m = chyba([&] { qasmtext(o.zoznam(), o.pocet(), 3, 2); });
    EXPECT_NE(m.find("Brana 2 ma 2 kontrolne qubity"), std::string::npos) << m;
    EXPECT_NE(m.find("OpenQASM 2.0"), std::string::npos) << m;
    EXPECT_NO_THROW(qasmtext(o.zoznam(), o.pocet(), 3, 3));

    EXPECT_NE(chyba([&] { qasmtext(o.zoznam(), o.pocet(), 3, 4); }).find("Neznama verzia OpenQASM 4"),
              std::string::npos);
    EXPECT_NE(chyba([&] { qasmtext(o.zoznam(), o.pocet(), 6, 3); }).find("Pocet qubitov 6"),
              std::string::npos);
    EXPECT_THROW(qasmtext(o.zoznam(), o.pocet() + 1, 3, 3), ChybaRozsahu);

    Obvod zle = o;
    zle.g[2] = brana(MX, 3, {1, 3});  // the target among the controls
    EXPECT_NE(chyba([&] { qasmtext(zle.zoznam(), zle.pocet(), 3, 3); }).find("Brana 2 nie je spravna"),
              std::string::npos);
    zle.g[2] = brana(MX, 3, {});
    zle.g[2].U(2, 1) = TKOMPLEX(std::numeric_limits<double>::infinity(), 0.0);
    EXPECT_NE(
        chyba([&] { qasmtext(zle.zoznam(), zle.pocet(), 3, 3); }).find("Matica brany 2 nema konecne prvky"),
        std::string::npos);
    zle.g[2] = brana(MX, 4, {});  // no qubit 4 on three qubits
    EXPECT_NE(chyba([&] { qasmtext(zle.zoznam(), zle.pocet(), 3, 2); }).find("Brana 2 nie je spravna"),
              std::string::npos);
}

TEST(Qasm, EmptyCircuitIsTheIdentity) {
    Obvod o;
    o.pocetq = 4;
    o.g.resize(1);
    for (int v : {2, 3}) {
        const Program p = Citac(false).citaj(qasmtext(o.zoznam(), 0, 4, v));
        EXPECT_EQ(p.n, 4);
        EXPECT_EQ(p.prikazov, 0);
        EXPECT_LT(rozdiel(p, jednotkova(16), 16, p.faza), TOL);
    }
}

namespace {
struct Ciarka : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};
}  // namespace

TEST(Qasm, TextDoesNotDependOnTheLocale) {
    std::mt19937 r(5);
    const Obvod o = nahodnyobvod(r, 3, 30, 1);
    const std::string t3 = qasmtext(o.zoznam(), o.pocet(), 3, 3), t2 = qasmtext(o.zoznam(), o.pocet(), 3, 2);
    const std::locale predtym = std::locale::global(std::locale(std::locale::classic(), new Ciarka));
    const std::string u3 = qasmtext(o.zoznam(), o.pocet(), 3, 3), u2 = qasmtext(o.zoznam(), o.pocet(), 3, 2);
    std::locale::global(predtym);
    EXPECT_EQ(t3, u3);
    EXPECT_EQ(t2, u2);
}

TEST(UhlyU3, RebuildTheMatrixAndKeepTheRanges) {
    std::mt19937 r(99);
    for (int i = 0; i < 300; ++i) {
        const M2 m = gatematica(r);
        const TMATICA2 U = namatica2(m);
        const TUHLYU3 u = uhlyu3(U);
        EXPECT_GE(u.theta, 0.0);
        EXPECT_LE(u.theta, PI);
        for (double x : {u.phi, u.lambda, u.alfa}) {
            EXPECT_GE(x, -PI);
            EXPECT_LE(x, PI);
        }
        const M2 z = u3(u.theta, u.phi, u.lambda);
        for (std::size_t k = 0; k < 4; ++k) {
            const TKOMPLEX e = U.a[k];
            EXPECT_NEAR(std::abs(std::polar(1.0, u.alfa) * z[k] - cd(e.re, e.im)), 0.0, 1e-12)
                << i << " " << k;
        }
    }
}

TEST(UhlyU3, NearlyUnitaryMatrixKeepsItsLargeEntries) {
    // The phase of an entry of modulus 1e-9 is noise; it must not be spread
    // over the entries of modulus ~1.
    const double e = 1e-9;
    const TMATICA2 U{TKOMPLEX(1.0), TKOMPLEX(0, e), TKOMPLEX(-e, 0), TKOMPLEX(0, 1)};
    const TUHLYU3 u = uhlyu3(U);
    const M2 z = u3(u.theta, u.phi, u.lambda);
    for (std::size_t k = 0; k < 4; ++k) {
        const TKOMPLEX x = U.a[k];
        EXPECT_NEAR(std::abs(std::polar(1.0, u.alfa) * z[k] - cd(x.re, x.im)), 0.0, 3e-9) << k;
    }
}

// Through the model: the store of TForm1, written to a file.
TEST(Qasm, StoreOfTheModelToAFile) {
    test::ZaznamPlatforma pl;
    TForm1 f(pl);
    std::mt19937 r(11);
    const Obvod o = nahodnyobvod(r, 2, 12, 1);
    f.pocetb1 = 0;
    for (int i = 1; i <= o.pocet(); ++i) {
        f.novabrana();
        f.brany[f.pocetb1] = o.g[static_cast<std::size_t>(i)];
    }
    const std::string meno = ::testing::TempDir() + "qlc_qasm_test.qasm";
    zapisqasm(f, 3, meno);
    std::ifstream in(meno, std::ios::binary);
    const std::string t((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(t, qasmtext(f, 3));
    const Program p = Citac(false).citaj(t);
    EXPECT_LT(rozdiel(p, f.kompozicia(f.brany, f.pocetb1, 1, f.pocetb1), 4), TOL);
    std::remove(meno.c_str());
    EXPECT_THROW(zapisqasm(f, 3, ::testing::TempDir() + "no/such/dir/x.qasm"), ChybaSuboru);
}

// The menu command: the file chosen in the save dialog gets the program of
// the version asked for; a cancelled dialog writes nothing.
TEST(Qasm, MenuCommandSavesTheCircuitOfTheStore) {
    test::ZaznamPlatforma pl;
    TForm1 f(pl);
    f.ComboBox1 = HLBKA_L1;
    f.dekompozicia();
    ASSERT_TRUE(f.beh.dokoncena);
    const std::string meno = ::testing::TempDir() + "qlc_menu_test.qasm";
    for (int verzia : {2, 3}) {
        pl.subory.push_back(meno);
        pl.logy.clear();
        ASSERT_TRUE(f.prikaz([&] { f.UlozQasmClick(verzia); }));
        std::ifstream in(meno, std::ios::binary);
        const std::string t((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(t, qasmtext(f, verzia));
        EXPECT_EQ(pl.logy, std::vector<std::string>{"Siet bola zapisana do suboru " + meno + "."});
    }
    std::remove(meno.c_str());
    pl.logy.clear();
    f.UlozQasmClick(3);  // cancelled
    EXPECT_TRUE(pl.logy.empty());
    std::ifstream nic(meno);
    EXPECT_FALSE(nic.good());
}

// The whole road: a random unitary decomposed by the model, exported, read
// back and compared with the input matrix.
TEST(QasmEndToEnd, DecomposedRandomUnitariesReadBackAsTheInput) {
    for (int n : {2, 3, 4, 5})
        for (int hlbka : {HLBKA_ELEMENT, HLBKA_L1, HLBKA_TOFFOLI}) {
            SCOPED_TRACE("n=" + std::to_string(n) + " hlbka=" + std::to_string(hlbka));
            test::ZaznamPlatforma pl;
            pl.seed = static_cast<std::uint32_t>(1000 + 10 * n + hlbka);
            TForm1 f(pl);
            f.nastavEdit1(std::to_string(n));  // a new random unitary
            ASSERT_EQ(f.pocetq, n);
            const TMATICA1 vstup = f.A;
            f.ComboBox1 = hlbka;
            f.dekompozicia();
            ASSERT_TRUE(f.beh.dokoncena);
            ASSERT_GT(f.pocetb1, 0);
            const TMATICA1 K = f.kompozicia(f.brany, f.pocetb1, 1, f.pocetb1);

            const Program p3 = Citac(false).citaj(qasmtext(f, 3));
            EXPECT_LT(rozdiel(p3, K, f.rozmer), TOL);
            EXPECT_LT(rozdiel(p3, vstup, f.rozmer), TOL);

            int viackontrol = 0;
            for (int i = 1; i <= f.pocetb1; ++i)
                if (f.brany[i].pocetk > 1) ++viackontrol;
            if (hlbka != HLBKA_TOFFOLI) {
                EXPECT_EQ(viackontrol, 0);
            }
            if (viackontrol > 0) {
                EXPECT_THROW(qasmtext(f, 2), ChybaBehu);
                continue;
            }
            for (bool sfazou : {false, true}) {
                const Program p2 = Citac(sfazou).citaj(qasmtext(f, 2));
                EXPECT_LT(rozdiel(p2, vstup, f.rozmer, p2.faza), TOL);
            }
        }
}

namespace {

// Every number in the parameter lists "(...)" of the program's statements.
std::vector<double> parametre(const std::string& t) {
    std::vector<double> v;
    std::istringstream in(t);
    std::string r;
    while (std::getline(in, r)) {
        if (r.rfind("//", 0) == 0) continue;
        for (std::size_t i = r.find('('); i != std::string::npos; i = r.find('(', i + 1)) {
            if (i > 0 && r[i - 1] == 'l') continue;  // ctrl(k)
            std::size_t a = i + 1;
            const std::size_t z = r.find(')', a);
            while (a < z) {
                std::size_t c = r.find(", ", a);
                if (c == std::string::npos || c > z) c = z;
                v.push_back(std::stod(r.substr(a, c - a)));
                a = c + 2;
            }
        }
    }
    return v;
}

}  // namespace

// A NOT is x, also without controls, and no angle is rounding noise:
// e^(i a) U3(t, 0, l) leaves a phi of a few 1e-16, which is written as 0;
// the program still gives the circuit's matrix.
TEST(Qasm, NotIsXAndNoiseAnglesAreZero) {
    Obvod o;
    o.pocetq = 2;
    o.g = {TGATE1{}, brana(MX, 1, {}), brana(MX, 2, {1})};
    for (double a = 0.05; a < 3.1; a += 0.05) {
        const M2 u = u3(0.3 + a / 7.0, 0.0, 1.1 - a / 3.0);
        const cd w = std::polar(1.0, a);
        const M2 m{w * u[0], w * u[1], w * u[2], w * u[3]};
        o.g.push_back(brana(m, o.g.size() % 2 ? 1 : 2, {}));
        o.g.push_back(brana(m, 2, {1}));
    }
    for (int v : {2, 3}) {
        const std::string t = qasmtext(o.zoznam(), o.pocet(), 2, v);
        EXPECT_NE(t.find("\nx q[1];\n"), std::string::npos) << t;
        EXPECT_NE(t.find("\ncx q[1], q[0];\n"), std::string::npos) << t;
        for (double x : parametre(t)) EXPECT_TRUE(x == 0.0 || std::fabs(x) >= SUMUHLA) << x << " in\n" << t;
        const Program p = Citac(false).citaj(t);
        EXPECT_LT(rozdiel(p, o.kompozicia(), 4, p.faza), TOL);
    }
}

// The header counts "1 gate" and says that the circuit, not the input, is
// what the program implements exactly, with the tolerance of the run.
TEST(Qasm, HeaderStatesTheCountAndTheToleranceOfTheChecks) {
    Obvod o;
    o.pocetq = 2;
    o.g = {TGATE1{}, brana(MX, 1, {})};
    for (int v : {2, 3}) {
        const std::string t = qasmtext(o.zoznam(), 1, 2, v);
        EXPECT_NE(t.find("// Quantum logic circuit: 1 gate on 2 qubits, gate 1 first.\n"), std::string::npos) << t;
        EXPECT_NE(t.find("the unitary of this program is that of the circuit, exactly."), std::string::npos) << t;
        EXPECT_NE(t.find("eps = 1e-07 per entry"), std::string::npos) << t;
        EXPECT_EQ(t.find("input matrix itself"), std::string::npos) << t;
        EXPECT_NE(qasmtext(o.zoznam(), 0, 2, v).find(": 0 gates on 2"), std::string::npos);
        EXPECT_NE(qasmtext(o.zoznam(), 1, 2, v, 1e-6).find("eps = 1e-06 per entry"), std::string::npos);
    }
    test::ZaznamPlatforma p;
    TForm1 f(p);
    f.eps = EPS_L1;
    EXPECT_NE(qasmtext(f, 3).find("eps = 1e-05 per entry"), std::string::npos);
}
