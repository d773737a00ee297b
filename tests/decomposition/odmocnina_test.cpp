// Roots of 2x2 unitary matrices: the quadratic, the eigenvector row and
// Odmocnina with its failure reports.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <limits>
#include <random>

#include "core/form1.h"
#include "tests/decomposition/stupne.h"
#include "tests/zaznam.h"

using namespace qlc;
using namespace qlc::test;

namespace {

TMATICA2 mocnina(const TMATICA2& R, int k) {
    TMATICA2 X = R;
    for (int i = 2; i <= k; ++i) X = nasob2(R, X);
    return X;
}

double odchylka2(const TMATICA2& X, const TMATICA2& Y) {
    double m = 0.0;
    for (int i = 0; i < 4; ++i) m = std::max(m, modul(X.a[static_cast<std::size_t>(i)] - Y.a[static_cast<std::size_t>(i)]));
    return m;
}

TKOMPLEX hodnota(TKOMPLEX a, TKOMPLEX b, TKOMPLEX c, TKOMPLEX x) { return a * sqr(x) + b * x + c; }

}  // namespace

TEST(Korene, RootsSatisfyTheEquationAndVieta) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> u(-3.0, 3.0);
    for (int n = 0; n < 200; ++n) {
        const TKOMPLEX a(u(gen), u(gen)), b(u(gen), u(gen)), c(u(gen), u(gen));
        if (modul(a) < 0.1) continue;
        const TKORENE r = korene(a, b, c);
        EXPECT_LT(modul(hodnota(a, b, c, r.x1)), 1e-10);
        EXPECT_LT(modul(hodnota(a, b, c, r.x2)), 1e-10);
        EXPECT_LT(modul(a * (r.x1 + r.x2) + b), 1e-10);
        EXPECT_LT(modul(a * r.x1 * r.x2 - c), 1e-10);
    }
}

TEST(Korene, KnownRootsAndTheLargerRootFirst) {
    // x^2 - 3x + 2: b = -3, r = 1, s = -1 (Re(conj(b) r) < 0), Q = 2.
    TKORENE r = korene(z(1), z(-3), z(2));
    EXPECT_DOUBLE_EQ(r.x1.re, 2.0);
    EXPECT_DOUBLE_EQ(r.x2.re, 1.0);
    // x^2 + 1: b = 0, d = -4, r = 2i, s = +1, Q = -i.
    r = korene(z(1), z(0), z(1));
    EXPECT_EQ(r.x1.re, 0.0);
    EXPECT_DOUBLE_EQ(r.x1.im, -1.0);
    EXPECT_DOUBLE_EQ(r.x2.im, 1.0);
    // Roots of very different size: no cancellation in the small one.
    r = korene(z(1), z(-1e8), z(1));
    EXPECT_NEAR(r.x1.re, 1e8, 1e-6);
    EXPECT_NEAR(r.x2.re / 1e-8, 1.0, 1e-12);
}

TEST(Korene, DoubleRootAtZeroIsNotADivisionByZero) {
    TKORENE r;
    EXPECT_NO_THROW(r = korene(z(1), z(0), z(0)));
    EXPECT_TRUE(r.x1.nula());
    EXPECT_TRUE(r.x2.nula());
    EXPECT_THROW(korene(z(0), z(1), z(1)), DelenieNulou);  // a = 0 is not a quadratic
}

TEST(Vlvektor, ChoosesTheHeavierRowAndScalesIt) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    // Row 2 heavier: copied into row 1.
    TMATICA2 M{z(0.1), z(0.1), z(0.5), z(0, -0.5)};
    f.vlvektor(M);
    EXPECT_DOUBLE_EQ(M(1, 1).re, 0.5);
    EXPECT_DOUBLE_EQ(M(1, 2).im, -0.5);
    // Tie: row 1 stays.
    M = {z(1), z(0), z(0), z(0, 1)};
    f.vlvektor(M);
    EXPECT_DOUBLE_EQ(M(1, 1).re, 1.0);
    EXPECT_TRUE(M(1, 2).nula());
    // Small row lifted by 10000 until its weight reaches 1e-4: 1e-9 -> 1e-5 -> 1e-1.
    M = {z(1e-9), z(0, 1e-10), z(0), z(0)};
    f.vlvektor(M);
    EXPECT_NEAR(M(1, 1).re, 1e-1, 1e-15);
    EXPECT_NEAR(M(1, 2).im, 1e-2, 1e-16);
    EXPECT_TRUE(p.logy.empty());
}

TEST(Vlvektor, ZeroRowsAreReportedAndNothingIsDivided) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    TMATICA2 M;
    EXPECT_NO_THROW(f.vlvektor(M));
    ASSERT_EQ(p.logy.size(), 1u);
    EXPECT_EQ(p.logy[0], "!!!Odmocnina: Pri vyrobe vl. vektora dve nuly v riadku!!!");
    EXPECT_TRUE(M(1, 1).nula() && M(1, 2).nula());
}

TEST(Odmocnina, OrderBelowTwoLeavesTheMatrix) {
    std::mt19937 gen(3);
    for (int k : {1, 0, -3}) {
        test::ZaznamPlatforma p;
        TForm1 f(p);
        p.vycisti();  // only what the routine under test reports
        const TMATICA2 A = nahodnaunitarna(gen);
        TMATICA2 X = A;
        f.Odmocnina(X, k);
        EXPECT_TRUE(rovnakebity(X, A)) << k;
        ASSERT_EQ(p.logy.size(), 1u);
        EXPECT_EQ(p.logy[0], "!!!Odmocnina: Poziadal si o (k<2)-odmocninu!");
        EXPECT_FALSE(f.beh.kontrolyok);
    }
}

TEST(Odmocnina, DiagonalPath) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    for (int k : {2, 4, 8}) {
        TMATICA2 X = f.jednotka;
        f.Odmocnina(X, k);
        EXPECT_TRUE(rovnakebity(X, f.jednotka)) << k;
    }
    // arg(-1) = pi, halved: [[1, 0], [0, i]].
    TMATICA2 X = f.matz;
    f.Odmocnina(X, 2);
    EXPECT_TRUE(rovnakebity(X, diag2(z(1), z(0, 1))));
    // -I: lambda1 = lambda2, e^(i pi/4) I.
    X = diag2(z(-1), z(-1));
    f.Odmocnina(X, 4);
    EXPECT_LT(odchylka2(X, diag2(polar(1, PI / 4), polar(1, PI / 4))), 1e-15);
    // A diagonal of phases: each root on its own.
    X = diag2(polar(1, 2.0), polar(1, -1.5));
    f.Odmocnina(X, 8);
    EXPECT_LT(odchylka2(X, diag2(polar(1, 0.25), polar(1, -1.5 / 8))), 1e-15);
    EXPECT_TRUE(p.logy.empty());
    EXPECT_TRUE(f.beh.kontrolyok);
}

TEST(Odmocnina, ScalarMatrixWithRoundingOffTheDiagonal) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    // Equal eigenvalues: the tiny off-diagonal entries are dropped.
    TMATICA2 X{z(0, 1), z(3e-12), z(-2e-12), z(0, 1)};
    f.Odmocnina(X, 2);
    EXPECT_LT(odchylka2(X, diag2(polar(1, PI / 4), polar(1, PI / 4))), 1e-15);
    EXPECT_TRUE(X(1, 2).nula() && X(2, 1).nula());
}

TEST(Odmocnina, OddDiagonalReportsAndTakesTheUnitRoot) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    TMATICA2 X = diag2(z(2), z(1));
    f.Odmocnina(X, 2);
    ASSERT_EQ(p.logy.size(), 1u);
    EXPECT_EQ(p.logy[0], "!!!Odmocnina: mat A mala podivne vl. hodnoty");
    EXPECT_TRUE(rovnakebity(X, f.jednotka));
    EXPECT_FALSE(f.beh.kontrolyok);
    // One line even when both diagonal entries are off.
    p.vycisti();
    X = diag2(z(2), z(0, 3));
    f.Odmocnina(X, 2);
    EXPECT_EQ(p.logy.size(), 1u);
    EXPECT_LT(odchylka2(X, diag2(z(1), polar(1, PI / 4))), 1e-15);
}

TEST(Odmocnina, SquareRootOfNot) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    TMATICA2 X = f.matnot;
    f.Odmocnina(X, 2);
    const TMATICA2 ocakavana{z(0.5, 0.5), z(0.5, -0.5), z(0.5, -0.5), z(0.5, 0.5)};
    EXPECT_LT(odchylka2(X, ocakavana), 1e-15);
    EXPECT_LT(odchylka2(nasob2(X, X), f.matnot), 1e-15);
    EXPECT_TRUE(p.logy.empty());
}

TEST(Odmocnina, RandomUnitaryRootsAreUnitaryAndPowerBack) {
    std::mt19937 gen(2024);
    test::ZaznamPlatforma p;
    TForm1 f(p);
    f.eps = EPS_L1;
    for (int k : {2, 4, 8}) {
        for (int n = 0; n < 200; ++n) {
            p.vycisti();  // only what the routine under test reports
            const TMATICA2 A = nahodnaunitarna(gen);
            TMATICA2 R = A;
            f.Odmocnina(R, k);
            ASSERT_TRUE(p.logy.empty()) << p.logy[0];
            EXPECT_LT(odchylka2(mocnina(R, k), A), 1e-12) << k << " " << n;
            EXPECT_LT(odchylka2(nasob2(hermit2(R), R), f.jednotka), 1e-12);
            // The principal branch: the eigenvalue angles of R lie in (-pi/k, pi/k].
            const TKORENE l = korene(z(1), -R(1, 1) - R(2, 2), R(1, 1) * R(2, 2) - R(1, 2) * R(2, 1));
            EXPECT_LE(std::fabs(arg(l.x1)), PI / k + 1e-9);
            EXPECT_LE(std::fabs(arg(l.x2)), PI / k + 1e-9);
        }
    }
    EXPECT_TRUE(f.beh.kontrolyok);
}

TEST(Odmocnina, NonUnitaryInputFailsThePowerCheckAndStays) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    // Eigenvalues 2 and 0.5 (distinct, off the circle): the root is unitary,
    // so its square cannot give A back.
    const TMATICA2 A{z(1.25), z(0.75), z(0.75), z(1.25)};
    TMATICA2 X = A;
    f.Odmocnina(X, 2);
    ASSERT_EQ(p.logy.size(), 1u);
    EXPECT_EQ(p.logy[0], "!!!Odmocnina: Nasledne umocnenie vysledku nedalo povodnu maticu!");
    EXPECT_TRUE(rovnakebity(X, A));
    EXPECT_FALSE(f.beh.kontrolyok);
}

TEST(Odmocnina, NonNormalInputFailsTheDiagonalisation) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    // Distinct eigenvalues 1 and i, but the eigenvectors are not orthogonal,
    // so P^dagger A P is not diagonal.
    const TMATICA2 A{z(1), z(1), z(0), z(0, 1)};
    TMATICA2 X = A;
    f.Odmocnina(X, 2);
    ASSERT_EQ(p.logy.size(), 1u);
    EXPECT_EQ(p.logy[0], "!!!Odmocnina: Diagonalizacia nefunguje!");
    EXPECT_TRUE(rovnakebity(X, A));
}

TEST(Odmocnina, SingularInputIsReportedNotDividedByZero) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    // Nilpotent: both eigenvalues 0, the quadratic has the double root 0.
    TMATICA2 X{z(0), z(1), z(0), z(0)};
    EXPECT_NO_THROW(f.Odmocnina(X, 2));
    ASSERT_EQ(p.logy.size(), 1u);
    EXPECT_EQ(p.logy[0], "!!!Odmocnina: mat A mala podivne vl. hodnoty");
}

// A diagonal entry that is NaN or whose modulus overflows has no modulus 1.
TEST(Odmocnina, NanOrOverflowOnTheDiagonalIsReported) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const TKOMPLEX& d : {TKOMPLEX(nan, 0.0), TKOMPLEX(0.0, nan), TKOMPLEX(1e200, 1e200), TKOMPLEX(-1e308)}) {
        test::ZaznamPlatforma p;
        TForm1 f(p);
        p.vycisti();  // only what the routine under test reports
        TMATICA2 X = diag2(d, z(1));
        f.Odmocnina(X, 2);
        EXPECT_EQ(p.logy, std::vector<std::string>{"!!!Odmocnina: mat A mala podivne vl. hodnoty"}) << d.re << " " << d.im;
        EXPECT_FALSE(f.beh.kontrolyok);
    }
}
