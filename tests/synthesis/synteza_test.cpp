// The whole synthesis end to end: structured and generic matrices, the
// inputs that break careless decompositions, and refused inputs. Every
// circuit is rebuilt by the dense product of the tests and compared with the
// matrix as the program holds it.
#include "synthesis/synteza.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <string>

#include "core/chyby.h"
#include "husty.h"

namespace qlc::synteza {
namespace {

using test::TCAST;
using test::THUSTA;

// Synthesis of U on n qubits with every check of the result: each gate a
// unitary or a proper CNOT, the count reported, the circuit equal to the
// input within 1e-10 in every entry, the log in the program's form.
TSYNTEZA synteza(const THUSTA& U, int n, const std::string& co = "") {
    const TMATICA1 M = test::natmatica(U);
    const THUSTA vstup = test::zmatice(M, 1 << n);
    TSYNTEZA s;
    EXPECT_NO_THROW(s = syntetizuj(M, n)) << co;
    EXPECT_EQ(test::overbrany(s.brany, n, 1e-12), s.pocetcnot) << co;
    EXPECT_LT(test::maxodchylka(test::unitarobvodu(s.brany, n), vstup), 1e-10) << co;
    EXPECT_FALSE(s.sprava.empty());
    for (const std::string& r : s.sprava) EXPECT_EQ(r.rfind("Synteza: ", 0), 0u) << r;
    return s;
}

bool obsahuje(const TSYNTEZA& s, const std::string& text) {
    return std::any_of(s.sprava.begin(), s.sprava.end(),
                       [&](const std::string& r) { return r.find(text) != std::string::npos; });
}

THUSTA hadamard() {
    THUSTA h(2, 2);
    h << 1, 1, 1, -1;
    return h / std::sqrt(2.0);
}

THUSTA diagonala(const std::vector<double>& fazy) {
    THUSTA D = THUSTA::Zero(static_cast<Eigen::Index>(fazy.size()), static_cast<Eigen::Index>(fazy.size()));
    for (std::size_t j = 0; j < fazy.size(); ++j)
        D(static_cast<Eigen::Index>(j), static_cast<Eigen::Index>(j)) = std::polar(1.0, fazy[j]);
    return D;
}

// ---- structure: no or few CNOTs ----

TEST(Synteza, HadamardNaKazdomQubite) {
    for (int n = 2; n <= 5; ++n) {
        std::vector<TCAST> c;
        for (int q = 1; q <= n; ++q) c.push_back({{q}, hadamard()});
        const TSYNTEZA s = synteza(test::kronecker(c, n), n);
        EXPECT_EQ(s.pocetcnot, 0);
        EXPECT_EQ(s.brany.size(), static_cast<std::size_t>(n));
        EXPECT_TRUE(obsahuje(s, "Kroneckerov rozklad"));
    }
}

TEST(Synteza, SucinJednoqubitovych) {
    std::mt19937 gen(21);
    for (int n = 2; n <= 5; ++n)
        for (int opak = 0; opak < 3; ++opak) {
            std::vector<TCAST> c;
            for (int q = 1; q <= n; ++q) c.push_back({{q}, test::haar(2, gen)});
            const TSYNTEZA s = synteza(test::kronecker(c, n), n);
            EXPECT_EQ(s.pocetcnot, 0);
            EXPECT_LE(s.brany.size(), static_cast<std::size_t>(n));
        }
}

// One generic two-qubit factor on qubits that are not neighbours, the other
// qubits with one-qubit factors: at most 3 CNOTs, all on that pair.
TEST(Synteza, DvojqubitovyFaktorNaNesusednychQubitoch) {
    std::mt19937 gen(22);
    struct TP {
        int n;
        std::vector<int> par;
        std::string sprava;
    };
    const std::vector<TP> pripady = {
        {3, {1, 3}, "Synteza: Kroneckerov rozklad na faktory na qubitoch {1,3} {2}."},
        {5, {2, 5}, "Synteza: Kroneckerov rozklad na faktory na qubitoch {1} {2,5} {3} {4}."},
    };
    for (const TP& p : pripady)
        for (int opak = 0; opak < 3; ++opak) {
            std::vector<TCAST> c = {{p.par, test::haar(4, gen)}};
            for (int q = 1; q <= p.n; ++q)
                if (std::find(p.par.begin(), p.par.end(), q) == p.par.end())
                    c.push_back({{q}, test::haar(2, gen)});
            const TSYNTEZA s = synteza(test::kronecker(c, p.n), p.n);
            EXPECT_LE(s.pocetcnot, 3);
            EXPECT_GE(s.pocetcnot, 1);
            EXPECT_TRUE(obsahuje(s, p.sprava)) << p.sprava;
            for (const TGATE1& g : s.brany) {
                if (g.pocetk == 1) {
                    EXPECT_TRUE((g.ciel == p.par[0] && g.kontroly[1] == p.par[1]) ||
                                (g.ciel == p.par[1] && g.kontroly[1] == p.par[0]));
                }
            }
        }
}

// One-qubit and two-qubit factors on randomly chosen qubits: at most three
// CNOTs per pair and none between different factors.
TEST(Synteza, NahodneKroneckeroveSuciny) {
    std::mt19937 gen(25);
    std::uniform_int_distribution<int> velkost(1, 2);
    for (int n = 2; n <= 5; ++n)
        for (int opak = 0; opak < 3; ++opak) {
            std::vector<int> q(static_cast<std::size_t>(n));
            std::iota(q.begin(), q.end(), 1);
            std::shuffle(q.begin(), q.end(), gen);
            std::vector<TCAST> c;
            std::vector<int> skupina(static_cast<std::size_t>(n) + 1, 0);
            int pary = 0;
            for (std::size_t i = 0; i < q.size();) {
                const std::size_t k = std::min(q.size() - i, static_cast<std::size_t>(velkost(gen)));
                c.push_back(
                    {std::vector<int>(q.begin() + static_cast<long>(i), q.begin() + static_cast<long>(i + k)),
                     test::haar(1 << k, gen)});
                for (std::size_t j = i; j < i + k; ++j)
                    skupina[static_cast<std::size_t>(q[j])] = static_cast<int>(c.size());
                pary += k == 2;
                i += k;
            }
            const TSYNTEZA s = synteza(test::kronecker(c, n), n);
            EXPECT_LE(s.pocetcnot, 3 * pary);
            for (const TGATE1& g : s.brany) {
                if (g.pocetk == 1) {
                    EXPECT_EQ(skupina[g.ciel], skupina[g.kontroly[1]]);
                }
            }
        }
}

TEST(Synteza, Diagonalne) {
    std::mt19937 gen(23);
    std::uniform_real_distribution<double> ud(-M_PI, M_PI);
    for (int n = 2; n <= 5; ++n)
        for (int opak = 0; opak < 3; ++opak) {
            std::vector<double> f(std::size_t{1} << n);
            for (double& t : f) t = ud(gen);
            const TSYNTEZA s = synteza(diagonala(f), n);
            EXPECT_LE(s.pocetcnot, (1 << n) - 2);
            if (n >= 3) {
                EXPECT_TRUE(obsahuje(s, "Synteza: diagonalna matica, multiplexovane Rz."));
            }
        }
    // a controlled Z on qubits 1 and 3 of three: a Kronecker factor with I,
    // and one CNOT in its KAK form
    std::vector<double> cz(8, 0.0);
    cz[5] = cz[7] = M_PI;
    const TSYNTEZA s = synteza(diagonala(cz), 3);
    EXPECT_EQ(s.pocetcnot, 1);
    // phases of the doubly-controlled Z: far below the generic count
    std::vector<double> ccz(8, 0.0);
    ccz[7] = M_PI;
    EXPECT_LE(synteza(diagonala(ccz), 3).pocetcnot, 6);
}

TEST(Synteza, Skalarne) {
    for (int n = 2; n <= 5; ++n) {
        const int d = 1 << n;
        const TSYNTEZA j = synteza(THUSTA::Identity(d, d), n);
        EXPECT_TRUE(j.brany.empty());
        EXPECT_EQ(j.pocetcnot, 0);
        EXPECT_TRUE(obsahuje(j, "Synteza: matica je jednotkova, ziadna brana."));
        for (double fi : {M_PI, 0.77, -2.1}) {
            const TSYNTEZA s = synteza(std::polar(1.0, fi) * THUSTA::Identity(d, d), n);
            EXPECT_EQ(s.brany.size(), 1u);
            EXPECT_EQ(s.pocetcnot, 0);
            EXPECT_TRUE(obsahuje(s, "Synteza: matica je skalarna (globalna faza), jedna brana."));
        }
    }
}

// ---- refused and repaired inputs ----

TEST(Synteza, ZleVstupy) {
    const TMATICA1 I = test::natmatica(THUSTA::Identity(8, 8));
    EXPECT_THROW(syntetizuj(I, 1), ChybaBehu);
    EXPECT_THROW(syntetizuj(I, 6), ChybaBehu);
    EXPECT_THROW(syntetizuj(I, 0), ChybaBehu);
    try {
        syntetizuj(I, 6);
    } catch (const ChybaBehu& e) {
        EXPECT_STREQ(e.what(), "Synteza: pocet qubitov 6 mimo rozsahu 2..5.");
    }
    EXPECT_THROW(syntetizuj(test::natmatica(2.0 * THUSTA::Identity(8, 8)), 3), ChybaBehu);
    TMATICA1 N = I;
    N(2, 3) = TKOMPLEX(std::nan(""), 0.0);
    EXPECT_THROW(syntetizuj(N, 3), ChybaBehu);
    N(2, 3) = TKOMPLEX(0.0, INFINITY);
    EXPECT_THROW(syntetizuj(N, 3), ChybaBehu);
}

// A matrix unitary only to 1e-10 is synthesised as its nearest unitary: the
// circuit stays within that distance of the input.
TEST(Synteza, TakmerUnitarna) {
    std::mt19937 gen(24);
    std::vector<TCAST> c;
    for (int q = 1; q <= 3; ++q) c.push_back({{q}, test::haar(2, gen)});
    THUSTA U = test::kronecker(c, 3);
    U(2, 5) += 1e-10;
    const TMATICA1 M = test::natmatica(U);
    const TSYNTEZA s = syntetizuj(M, 3);
    EXPECT_TRUE(obsahuje(s, "najblizsia unitarna"));
    EXPECT_LT(test::maxodchylka(test::unitarobvodu(s.brany, 3), test::zmatice(M, 8)), 2e-10);
    EXPECT_EQ(test::overbrany(s.brany, 3, 1e-12), s.pocetcnot);
}

// ---- generic matrices and the inputs that break careless decompositions ----

// The matrix of a list of gates on n qubits (gate 0 first), for inputs
// given as circuits.
THUSTA zbran(const std::vector<TGATE1>& g, int n) { return test::unitarobvodu(g, n); }

TGATE1 brana(int ciel, const THUSTA& u, int kontrola = 0) {
    TGATE1 g;
    g.ciel = static_cast<std::uint8_t>(ciel);
    g.pocetk = kontrola ? 1 : 0;
    g.kontroly[1] = static_cast<std::uint8_t>(kontrola);
    g.U = TMATICA2(TKOMPLEX(u(0, 0).real(), u(0, 0).imag()), TKOMPLEX(u(0, 1).real(), u(0, 1).imag()),
                   TKOMPLEX(u(1, 0).real(), u(1, 0).imag()), TKOMPLEX(u(1, 1).real(), u(1, 1).imag()));
    return g;
}

THUSTA nahodnyvektor(int d, std::mt19937& gen) {
    std::normal_distribution<double> nd;
    THUSTA v(d, 1);
    for (int i = 0; i < d; ++i) v(i, 0) = {nd(gen), nd(gen)};
    return v / v.norm();
}

TEST(Synteza, HaarNahodneDoHraniceCnot) {
    const int hranica[6] = {0, 0, 3, 19, 95, 423};
    const int opakovani[6] = {0, 0, 8, 4, 2, 1};
    for (int n = 2; n <= 5; ++n)
        for (int seed = 0; seed < opakovani[n]; ++seed) {
            std::mt19937 gen(static_cast<unsigned>(1000 * n + seed));
            const TSYNTEZA s = synteza(test::haar(1 << n, gen), n, "n=" + std::to_string(n));
            EXPECT_LE(s.pocetcnot, hranica[n]) << "n=" << n << " seed=" << seed;
        }
}

TEST(Synteza, QftSNahodnouFazou) {
    std::mt19937 gen(31);
    std::uniform_real_distribution<double> ud(-M_PI, M_PI);
    for (int n = 2; n <= 5; ++n) {
        const int d = 1 << n;
        const std::complex<double> faza = std::polar(1.0, ud(gen));
        THUSTA F(d, d);
        for (int j = 0; j < d; ++j)
            for (int k = 0; k < d; ++k)
                F(j, k) = faza * std::polar(1.0 / std::sqrt(d), 2 * M_PI * ((j * k) % d) / d);
        synteza(F, n, "QFT n=" + std::to_string(n));
    }
}

// Degenerate spectra: Hermitian unitaries with eigenvalues +-1, reflections,
// one eigenvalue apart from the others, -I.
TEST(Synteza, ZdegenerovaneSpektra) {
    std::mt19937 gen(32);
    for (int n : {2, 3, 5}) {
        const int d = 1 << n;
        const THUSTA V = test::haar(d, gen);
        std::vector<double> pm(static_cast<std::size_t>(d), 0.0);
        for (int j = 0; j < d / 2 - 1; ++j) pm[static_cast<std::size_t>(j)] = M_PI;
        synteza(V * diagonala(pm) * V.adjoint(), n, "+-1 n=" + std::to_string(n));
        const THUSTA v = nahodnyvektor(d, gen);
        synteza(THUSTA::Identity(d, d) - 2.0 * v * v.adjoint(), n, "odraz n=" + std::to_string(n));
        std::vector<double> jedna(static_cast<std::size_t>(d), 0.4);
        jedna[0] = 2.3;
        synteza(V * diagonala(jedna) * V.adjoint(), n, "jedna n=" + std::to_string(n));
        const TSYNTEZA m = synteza(-THUSTA::Identity(d, d), n);
        EXPECT_EQ(m.pocetcnot, 0);
    }
}

// GHZ preparation, NOT and CNOT, permutations (a Toffoli among them),
// controlled unitaries and a matrix within 1e-9 of the identity.
TEST(Synteza, SpecialneMatice) {
    std::mt19937 gen(33);
    const THUSTA X = (THUSTA(2, 2) << 0, 1, 1, 0).finished();
    for (int n : {2, 3, 5}) {
        const int d = 1 << n;
        std::vector<TGATE1> ghz = {brana(1, hadamard())};
        for (int q = 2; q <= n; ++q) ghz.push_back(brana(q, X, q - 1));
        synteza(zbran(ghz, n), n, "GHZ");
        synteza(zbran({brana(n, X, 1)}, n), n, "CNOT");
        EXPECT_EQ(synteza(zbran({brana(2, X)}, n), n, "NOT").pocetcnot, 0);
        // random permutation of the basis states
        std::vector<int> p(static_cast<std::size_t>(d));
        std::iota(p.begin(), p.end(), 0);
        std::shuffle(p.begin(), p.end(), gen);
        THUSTA P = THUSTA::Zero(d, d);
        for (int j = 0; j < d; ++j) P(p[static_cast<std::size_t>(j)], j) = 1.0;
        synteza(P, n, "permutacia n=" + std::to_string(n));
        // I (+) V on qubit 1, and V controlled by the last qubit
        THUSTA C = THUSTA::Identity(d, d);
        C.bottomRightCorner(d / 2, d / 2) = test::haar(d / 2, gen);
        synteza(C, n, "I+V n=" + std::to_string(n));
        // near the identity: exp(i 1e-9 H) for a random Hermitian H
        THUSTA H = test::haar(d, gen);
        H = (H + H.adjoint()).eval();
        Eigen::SelfAdjointEigenSolver<THUSTA> es(H);
        THUSTA E = THUSTA::Zero(d, d);
        for (int j = 0; j < d; ++j) E(j, j) = std::polar(1.0, 1e-9 * es.eigenvalues()(j));
        synteza(es.eigenvectors() * E * es.eigenvectors().adjoint(), n, "blizko I n=" + std::to_string(n));
    }
    // Toffoli and a controlled unitary whose control is the third of four qubits
    THUSTA T = THUSTA::Identity(8, 8);
    T.bottomRightCorner(2, 2) = X;
    synteza(T, 3, "Toffoli");
    const THUSTA V = test::haar(8, gen);
    THUSTA K(16, 16);
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y) {
            const bool c = (x >> 1) & 1;
            const int xr = test::bity(x, {1, 2, 4}, 4), yr = test::bity(y, {1, 2, 4}, 4);
            K(x, y) = ((x ^ y) & 2) ? 0.0 : (c ? V(xr, yr) : std::complex<double>(xr == yr ? 1.0 : 0.0));
        }
    synteza(K, 4, "riadene qubitom 3");
}

}  // namespace
}  // namespace qlc::synteza
