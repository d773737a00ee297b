#include <gtest/gtest.h>

#include <limits>

#include "core/text.h"
#include "tests/decomposition/pomocne.h"
#include "tests/zaznam.h"

using namespace qlc;
using namespace qlc::test;

// The column form of M . Tpq and M . Tpq^dagger against the full nasob, bit
// for bit, for every size; omega = 0 and pi/2 give exact zeros, M has exact
// zeros, parts of 2e-12 and entries beyond rozmer that must stay.
TEST(Redukcia, ColumnProductsAreBitIdenticalToFullProduct) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> r(-1.0, 1.0), uhol(0.0, 2.0 * M_PI);
    for (int n = 2; n <= 5; ++n) {
        nastavqubity(f, n);
        std::uniform_int_distribution<int> stav(1, f.rozmer);
        for (int pokus = 0; pokus < 40; ++pokus) {
            TMATICA1 M;
            for (int i = 1; i <= MAXROZMER; ++i)
                for (int j = 1; j <= MAXROZMER; ++j)
                    if ((i + 2 * j) % 5) M(i, j) = TKOMPLEX(r(gen), (i + j) % 3 ? r(gen) : 2e-12);
            const int a = stav(gen), b = stav(gen);
            const double omegy[] = {0.0, M_PI / 2, uhol(gen)};
            const TTPQ t{omegy[pokus % 3], pokus % 4 ? uhol(gen) : 0.0, std::max(a, b), std::min(a, b)};
            if (a == b) continue;
            TMATICA1 X = M, Y = M;
            f.nasobtpq(X, t);
            f.nasobtpqinv(Y, t);
            ASSERT_TRUE(bitovorovnake(X, nasob(M, f.vyrobTpq(t.p, t.q, t.omega, t.fi), f.rozmer))) << n << t.p << t.q;
            ASSERT_TRUE(bitovorovnake(Y, nasob(M, f.vyrobTpqinv(t.p, t.q, t.omega, t.fi), f.rozmer))) << n;
        }
    }
    EXPECT_TRUE(p.logy.empty());
    // A row with invalid indices is reported and acts as the identity.
    TMATICA1 X = jednotkova(f.rozmer);
    f.nasobtpqinv(X, TTPQ{0.3, 0.1, 2, 2});
    EXPECT_TRUE(bitovorovnake(X, jednotkova(f.rozmer)));
    EXPECT_EQ(p.logy, std::vector<std::string>{"Ziadas vyrobu Tpq, ktora je nezmyselna. p= 2 , q= 2 ,preto bola "
                                               "namiesto toho vyrobena jednotkova matica."});
}

// Identity: no step has work and nothing is written. A diagonal entry of
// modulus 2 is reported by its own step only, without rows.
TEST(Redukcia, StepsWithoutWork) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();
    nastavqubity(f, 3);
    f.A = jednotkova(8);
    for (int n = 8; n >= 2; --n) f.Redukcia(f.A, n);
    EXPECT_TRUE(p.logy.empty() && p.infoboxy.empty() && f.beh.kontrolyok);
    f.A(3, 3) = TKOMPLEX(0.0, 2.0);
    const TMATICA1 pred = f.A;
    for (int n = 8; n >= 2; --n) f.Redukcia(f.A, n);
    EXPECT_EQ(f.pocettpq, 0);
    EXPECT_TRUE(bitovorovnake(f.A, pred));
    EXPECT_EQ(p.logy, std::vector<std::string>{"Pri redukcii matici o rozmere 3 boli vsade v a[n,.] a a[.,n] nuly, "
                                               "okrem a[n,n] ktore nema modul 1 => matica nemoze byt unitarna => "
                                               "PRIEKAK"});
    EXPECT_FALSE(f.beh.kontrolyok);
}

// Two qubits: rows (4,3), (4,2), (4,1), (3,2), (3,1), (2,1), and a diagonal
// left in A whose entry n is the e^(i theta) of step n.
TEST(Redukcia, TwoQubitRowOrderAndDiagonal) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();
    f.A = naTMATICA1(nahodnaunitarna(4, 11));
    double theta[5] = {};
    for (int n = 4; n >= 2; --n) {
        theta[n] = arg(f.A(n, n)) + (n - 1) * M_PI;
        f.Redukcia(f.A, n);
    }
    EXPECT_TRUE(p.logy.empty());
    ASSERT_EQ(f.pocettpq, 6);
    const int ocak[6][2] = {{4, 3}, {4, 2}, {4, 1}, {3, 2}, {3, 1}, {2, 1}};
    for (int r = 1; r <= 6; ++r) {
        EXPECT_EQ(f.tpq[r].p, ocak[r - 1][0]);
        EXPECT_EQ(f.tpq[r].q, ocak[r - 1][1]);
    }
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j) {
            const TKOMPLEX ocakavana = i != j ? TKOMPLEX() : i == 1 ? f.A(1, 1) : polar(1.0, theta[i]);
            EXPECT_LE(modul(f.A(i, j) - ocakavana), f.eps) << i << "," << j;
        }
}

// Row n = (1, 0, ..., 0): x = 1 at k = 1, omega = 0 and the early stop; the
// rows keep omega = 0, the rows q > 1 the fi of the first pass, the row
// q = 1 drops theta; row n becomes (0, ..., 0, 1) and nothing is reported.
// x = 1 + 1e-9 from rounding is clamped silently to the same result.
TEST(Redukcia, ExchangeOfFirstAndLastStateStopsEarly) {
    for (double x : {1.0, 1.0 + 1e-9}) {
        ZaznamPlatforma p;
        TForm1 f(p);
        p.vycisti();
        f.A = naTMATICA1(permutacia({4, 2, 3, 1}));
        f.A(4, 1) = TKOMPLEX(std::sqrt(x));
        f.Redukcia(f.A, 4);
        EXPECT_TRUE(p.logy.empty() && p.infoboxy.empty());
        ASSERT_EQ(f.pocettpq, 3);
        for (int r = 1; r <= 3; ++r) EXPECT_EQ(f.tpq[r].omega, 0.0);
        const double theta = 0.0 + 3 * M_PI;  // arg A(4,4) = arg 0 = 0
        EXPECT_DOUBLE_EQ(f.tpq[1].fi, 2 * M_PI + theta);
        EXPECT_DOUBLE_EQ(f.tpq[2].fi, M_PI + theta);
        EXPECT_EQ(f.tpq[3].fi, 0.0);
        for (int j = 1; j <= 4; ++j) EXPECT_LE(modul(f.A(4, j) - TKOMPLEX(j == 4 ? 1.0 : 0.0)), f.eps);
    }
}

// A row of norm 2: the arccos value 4 is reported with its distance in
// fixed notation, A . T is not unitary, the step cannot reduce and says it
// stopped early, shows A and opens the box; its rows stay appended.
TEST(Redukcia, FailedStepReportsEveryCheckInOrder) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();
    f.A = naTMATICA1(permutacia({4, 2, 3, 1}));
    f.A(4, 1) = TKOMPLEX(2.0);
    f.Redukcia(f.A, 4);
    EXPECT_EQ(p.logy, (std::vector<std::string>{
                          "Redukcia n=4. Pri vypocte omegy 1 je hodnota dodana do arccos mimo <-1,1> o d=   "
                          "3.0000000000000000000000000 => PRIEKAK",
                          "U*T uz nie je unitarna mat. ",
                          "!!!! Po redukcii mat. o rozmere 4 neboli vsade v a[n,.] a a[.,n] nuly, alebo a[n,n] nema "
                          "modul 1",
                          "!!!!! Neboli dokoncene vsetky omegy!!!!!!!!!!"}));
    EXPECT_EQ(p.infoboxy, std::vector<std::string>{"!!!! Redukcia: Problem!!"});
    EXPECT_EQ(f.StringGrid1.bunka(4, 4), komplexnatext(f.A(4, 4), 2));  // the grid shows the new A
    EXPECT_EQ(f.pocettpq, 3);
    EXPECT_NEAR(modul(f.A(4, 4)), 2.0, 1e-12);
    EXPECT_FALSE(f.beh.kontrolyok);
}

// A NaN where a step tests for zeros or for modulus 1 (an overflow upstream)
// is neither: the step reports instead of passing it over in silence.
TEST(Redukcia, NanIsNeitherZeroNorOfModulusOne) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    {
        ZaznamPlatforma p;
        TForm1 f(p);
        p.vycisti();
        f.A = jednotkova(4);
        f.A(4, 4) = TKOMPLEX(nan, 0.0);
        f.Redukcia(f.A, 4);
        EXPECT_EQ(p.logy, std::vector<std::string>{"Pri redukcii matici o rozmere 4 boli vsade v a[n,.] a a[.,n] nuly, "
                                                   "okrem a[n,n] ktore nema modul 1 => matica nemoze byt unitarna => "
                                                   "PRIEKAK"});
        EXPECT_FALSE(f.beh.kontrolyok);
    }
    for (int j : {1, 3}) {
        ZaznamPlatforma p;
        TForm1 f(p);
        p.vycisti();
        f.A = jednotkova(4);
        f.A(4, j) = TKOMPLEX(0.0, nan);
        f.Redukcia(f.A, 4);
        ASSERT_FALSE(p.logy.empty()) << j;
        // the NaN enters the sums of omega 1 in either column
        EXPECT_EQ(p.logy[0].rfind("Redukcia n=4. Pri vypocte omegy 1 je hodnota dodana do arccos mimo <-1,1>", 0), 0u)
            << p.logy[0];
        EXPECT_FALSE(f.beh.kontrolyok);
    }
}
