#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "app/form1.h"
#include "tests/decomposition/pomocne.h"
#include "tests/zaznam.h"

using namespace qlc;
using namespace qlc::test;

namespace {

// Dense random matrix over 1..rozmer with some exact zeros, tiny parts and
// arbitrary entries beyond rozmer, which both products must keep.
TMATICA1 nahodna(int rozmer, std::mt19937& gen) {
    std::uniform_real_distribution<double> r(-1.0, 1.0);
    TMATICA1 M;
    for (int i = 1; i <= MAXROZMER; ++i)
        for (int j = 1; j <= MAXROZMER; ++j) {
            if (i > rozmer || j > rozmer) {
                if ((i + j) % 7 == 0) M(i, j) = TKOMPLEX(i, -j);
                continue;
            }
            switch ((i * 3 + j) % 5) {
                case 0: break;  // exact zero
                case 1: M(i, j) = TKOMPLEX(r(gen), 2e-12); break;
                default: M(i, j) = TKOMPLEX(r(gen), r(gen));
            }
        }
    return M;
}

// tpq row (p, q, omega, fi) written into the form and returned.
TTPQ riadok(int p, int q, double omega, double fi) {
    TTPQ r;
    r.p = p;
    r.q = q;
    r.omega = omega;
    r.fi = fi;
    return r;
}

}  // namespace

// The column form of T . Tpq and A . Tpq^dagger against the full nasob,
// bit for bit, for every size, for angles that give exact zeros (omega = 0
// and pi/2 snap cos or sin to 0) and for random ones.
TEST(Redukcia, ColumnProductsAreBitIdenticalToFullProduct) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> uhol(0.0, 2.0 * M_PI);
    for (int n = 2; n <= 5; ++n) {
        nastavqubity(f, n);
        std::uniform_int_distribution<int> stav(1, f.rozmer);
        for (int pokus = 0; pokus < 60; ++pokus) {
            int a = stav(gen), b = stav(gen);
            if (a == b) continue;
            const double omegy[] = {0.0, M_PI / 2, uhol(gen)};
            const TTPQ r = riadok(std::max(a, b), std::min(a, b), omegy[pokus % 3], pokus % 4 ? uhol(gen) : 0.0);
            const TMATICA1 M = nahodna(f.rozmer, gen);

            TMATICA1 rychla = M;
            f.nasobtpq(rychla, r);
            const TMATICA1 plna = nasob(M, f.vyrobTpq(r.p, r.q, r.omega, r.fi), f.rozmer);
            ASSERT_TRUE(bitovorovnake(rychla, plna)) << "n=" << n << " p=" << r.p << " q=" << r.q;

            TMATICA1 rychlainv = M;
            f.nasobtpqinv(rychlainv, r);
            const TMATICA1 plnainv = nasob(M, f.vyrobTpqinv(r.p, r.q, r.omega, r.fi), f.rozmer);
            ASSERT_TRUE(bitovorovnake(rychlainv, plnainv)) << "n=" << n << " p=" << r.p << " q=" << r.q;
        }
    }
    EXPECT_TRUE(p.logy.empty());

    // A row with invalid indices is reported and acts as the identity.
    nastavqubity(f, 2);
    const TMATICA1 M = nahodna(4, gen);
    TMATICA1 X = M;
    f.nasobtpqinv(X, riadok(2, 2, 0.3, 0.1));
    EXPECT_TRUE(bitovorovnake(X, M));
    ASSERT_EQ(p.logy.size(), 1u);
    EXPECT_EQ(p.logy[0],
              "Ziadas vyrobu Tpq, ktora je nezmyselna. p= 2 , q= 2 ,preto bola namiesto toho vyrobena jednotkova "
              "matica.");
}

TEST(Redukcia, IdentityNeedsNoStep) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    nastavqubity(f, 3);
    f.A = jednotkova(8);
    const TMATICA1 pred = f.A;
    for (int n = 8; n >= 2; --n) f.Redukcia(f.A, n);
    EXPECT_EQ(f.pocettpq, 0);
    EXPECT_TRUE(bitovorovnake(f.A, pred));
    EXPECT_TRUE(p.logy.empty());
    EXPECT_TRUE(p.infoboxy.empty());
    EXPECT_TRUE(f.beh.kontrolyok);
}

TEST(Redukcia, DiagonalEntryOfModulusTwoIsReportedOnlyByItsStep) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    nastavqubity(f, 2);
    f.A = jednotkova(4);
    f.A(3, 3) = TKOMPLEX(0.0, 2.0);
    const TMATICA1 pred = f.A;
    for (int n = 4; n >= 2; --n) f.Redukcia(f.A, n);
    EXPECT_EQ(f.pocettpq, 0);
    EXPECT_TRUE(bitovorovnake(f.A, pred));
    ASSERT_EQ(p.logy.size(), 1u);
    EXPECT_EQ(p.logy[0],
              "Pri redukcii matici o rozmere 3 boli vsade v a[n,.] a a[.,n] nuly, okrem a[n,n] ktore nema modul 1 "
              "=> matica nemoze byt unitarna => PRIEKAK");
    EXPECT_FALSE(f.beh.kontrolyok);
}

// Two qubits: the rows of the three steps in table order, a diagonal of unit
// phases e^(i theta) left in A, and A_input . T_1 ... T_6 = D with the rows
// rebuilt by a dense formula of the test.
TEST(Redukcia, TwoQubitRowsOrderAndDiagonal) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    nastavqubity(f, 2);
    const Husta U = nahodnaunitarna(4, 11);
    f.A = naTMATICA1(U);
    const Husta vstup = zmaticeA(f.A, 4);
    double theta[5] = {};
    for (int n = 4; n >= 2; --n) {
        theta[n] = arg(f.A(n, n)) + (n - 1) * M_PI;
        f.Redukcia(f.A, n);
    }
    EXPECT_TRUE(p.logy.empty());
    ASSERT_EQ(f.pocettpq, 6);
    const int ocak[6][2] = {{4, 3}, {4, 2}, {4, 1}, {3, 2}, {3, 1}, {2, 1}};
    for (int r = 1; r <= 6; ++r) {
        EXPECT_EQ(f.tpq[r].p, ocak[r - 1][0]) << r;
        EXPECT_EQ(f.tpq[r].q, ocak[r - 1][1]) << r;
        EXPECT_GE(f.tpq[r].omega, 0.0);
        EXPECT_LE(f.tpq[r].omega, M_PI / 2);
    }
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j)
            if (i != j) {
                EXPECT_LE(modul(f.A(i, j)), f.eps) << i << "," << j;
            }
    for (int n = 2; n <= 4; ++n) EXPECT_LE(modul(f.A(n, n) - polar(1.0, theta[n])), f.eps) << n;

    Husta S = vstup;
    for (int r = 1; r <= 6; ++r) {
        const TTPQ& t = f.tpq[r];
        Husta T = Husta::jednotka(4);
        T(t.q, t.q) = std::sin(t.omega) * std::polar(1.0, t.fi);
        T(t.q, t.p) = std::cos(t.omega) * std::polar(1.0, t.fi);
        T(t.p, t.q) = std::cos(t.omega);
        T(t.p, t.p) = -std::sin(t.omega);
        S = sucin(S, T);
    }
    EXPECT_LT(rozdiel(S, zmaticeA(f.A, 4)), 1e-12);
}

// Row n = (1, 0, ..., 0): x = 1 at k = 1, omega = 0, the early stop; the
// rows of the step keep omega = 0 and the fi of the first pass, except the
// row q = 1 whose fi drops theta. Row n becomes (0, ..., 0, 1).
TEST(Redukcia, PermutationOfFirstAndLastStateStopsEarly) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    nastavqubity(f, 2);
    f.A = naTMATICA1(permutacia({4, 2, 3, 1}));
    f.Redukcia(f.A, 4);
    EXPECT_TRUE(p.logy.empty());
    EXPECT_TRUE(p.infoboxy.empty());
    ASSERT_EQ(f.pocettpq, 3);
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(f.tpq[r].omega, 0.0);
    const double theta = 0.0 + 3 * M_PI;  // arg A(4,4) = arg 0 = 0
    EXPECT_DOUBLE_EQ(f.tpq[1].fi, 2 * M_PI + theta);  // q = 3: not recomputed
    EXPECT_DOUBLE_EQ(f.tpq[2].fi, 1 * M_PI + theta);  // q = 2: not recomputed
    EXPECT_EQ(f.tpq[3].fi, 0.0);                      // q = 1: theta dropped
    for (int j = 1; j <= 3; ++j) EXPECT_LE(modul(f.A(4, j)), f.eps);
    EXPECT_LE(modul(f.A(4, 4) - TKOMPLEX(1.0)), f.eps);

    for (int n = 3; n >= 2; --n) f.Redukcia(f.A, n);
    EXPECT_TRUE(p.logy.empty());
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j)
            EXPECT_LE(i == j ? std::fabs(modul(f.A(i, j)) - 1.0) : modul(f.A(i, j)), f.eps);
}

// x = 1 + 1e-9 from rounding is clamped without a line and stops early.
TEST(Redukcia, ArccosArgumentJustAboveOneIsClampedSilently) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    nastavqubity(f, 2);
    f.A = naTMATICA1(permutacia({4, 2, 3, 1}));
    f.A(4, 1) = TKOMPLEX(std::sqrt(1.0 + 1e-9));
    f.Redukcia(f.A, 4);
    EXPECT_TRUE(p.logy.empty());
    EXPECT_TRUE(p.infoboxy.empty());
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(f.tpq[r].omega, 0.0);
    EXPECT_TRUE(f.beh.kontrolyok);
}

// A row of norm 2: the arccos value 4 is reported with its distance in
// fixed notation, the product is no longer unitary, the step cannot reduce
// and says that it stopped early, shows A and opens the box.
TEST(Redukcia, FailedStepReportsEveryCheckInOrder) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    nastavqubity(f, 2);
    f.A = naTMATICA1(permutacia({4, 2, 3, 1}));
    f.A(4, 1) = TKOMPLEX(2.0);
    f.Redukcia(f.A, 4);
    const std::vector<std::string> ocak = {
        "Redukcia n=4. Pri vypocte omegy 1 je hodnota dodana do arccos mimo <-1,1> o d=   "
        "3.0000000000000000000000000 => PRIEKAK",
        "U*T uz nie je unitarna mat. ",
        "!!!! Po redukcii mat. o rozmere 4 neboli vsade v a[n,.] a a[.,n] nuly, alebo a[n,n] nema modul 1",
        "!!!!! Neboli dokoncene vsetky omegy!!!!!!!!!!",
    };
    EXPECT_EQ(p.logy, ocak);
    EXPECT_EQ(p.infoboxy, std::vector<std::string>{"!!!! Redukcia: Problem!!"});
    EXPECT_EQ(f.pocettpq, 3);  // rows stay appended
    EXPECT_LE(std::fabs(modul(f.A(4, 4)) - 2.0), 1e-12);  // and A multiplied
    EXPECT_FALSE(f.beh.kontrolyok);
}

// Steps of every size on random unitaries of 3..5 qubits: n - 1 rows with
// p = n and q decreasing, and a reduced row and column n.
TEST(Redukcia, EveryStepAppendsItsRowsAndReducesRowAndColumn) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    for (int q = 3; q <= 5; ++q) {
        nastavqubity(f, q);
        f.pocettpq = 0;
        f.A = naTMATICA1(nahodnaunitarna(f.rozmer, 100 + q));
        for (int n = f.rozmer; n >= 2; --n) {
            const int b = f.pocettpq;
            f.Redukcia(f.A, n);
            ASSERT_EQ(f.pocettpq, b + n - 1);
            for (int i = 1; i <= n - 1; ++i) {
                EXPECT_EQ(f.tpq[b + n - i].p, n);
                EXPECT_EQ(f.tpq[b + n - i].q, i);
            }
            for (int k = 1; k <= n - 1; ++k) {
                EXPECT_LE(modul(f.A(n, k)), f.eps);
                EXPECT_LE(modul(f.A(k, n)), f.eps);
            }
        }
        EXPECT_EQ(f.pocettpq, f.rozmer * (f.rozmer - 1) / 2);
    }
    EXPECT_TRUE(p.logy.empty());
}
