// Roots of 2x2 unitary matrices: the quadratic, the eigenvector row and
// Odmocnina with its failure reports.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
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

using K = std::complex<double>;
using M2 = std::array<K, 4>;

M2 dokomplex(const TMATICA2& X) {
    M2 Y;
    for (int i = 0; i < 4; ++i) Y[static_cast<std::size_t>(i)] = {X.a[static_cast<std::size_t>(i)].re, X.a[static_cast<std::size_t>(i)].im};
    return Y;
}

M2 krat(const M2& X, const M2& Y) {
    return {X[0] * Y[0] + X[1] * Y[2], X[0] * Y[1] + X[1] * Y[3], X[2] * Y[0] + X[3] * Y[2], X[2] * Y[1] + X[3] * Y[3]};
}

M2 adjungovana(const M2& X) { return {std::conj(X[0]), std::conj(X[2]), std::conj(X[1]), std::conj(X[3])}; }

double rozdiel(const M2& X, const M2& Y) {
    double m = 0.0;
    for (std::size_t i = 0; i < 4; ++i) m = std::max(m, std::abs(X[i] - Y[i]));
    return m;
}

// R^k and R^dagger R measured on the stored doubles, with no snapping on
// the way: how far the root is from a k-th root of A and from a unitary.
struct TPRESNOST {
    double mocnina = 0.0;
    double unitarnost = 0.0;
};

TPRESNOST presnost(const TMATICA2& R, const TMATICA2& A, int k) {
    const M2 r = dokomplex(R);
    M2 x = r;
    for (int i = 2; i <= k; ++i) x = krat(r, x);
    return {rozdiel(x, dokomplex(A)), rozdiel(krat(adjungovana(r), r), M2{K(1.0), K(), K(), K(1.0)})};
}

// The largest part of X that the complex type cannot hold: nonzero and
// within the snapping bound, so stored as 0.
double mimo(const M2& X) {
    double m = 0.0;
    for (const K& x : X)
        for (double c : {x.real(), x.imag()})
            if (c != 0.0 && std::fabs(c) <= NULA) m = std::max(m, std::fabs(c));
    return m;
}

// A = V diag(e^(ia), e^(i(a + g))) V^dagger for a random unitary V, and its
// k-th root V diag(e^(ia/k), e^(i(a + g)/k)) V^dagger (principal for the
// angles in (-pi, pi]). stratene: the largest part of the two that the
// complex type drops to 0.
struct TBLIZKE {
    TMATICA2 A;
    M2 R;
    double stratene = 0.0;
};

TBLIZKE sblizkymi(std::mt19937& gen, double a, double g, int k) {
    const M2 v = dokomplex(nahodnaunitarna(gen));
    const M2 x = krat(krat(v, M2{std::polar(1.0, a), K(), K(), std::polar(1.0, a + g)}), adjungovana(v));
    TBLIZKE b;
    b.A = {z(x[0].real(), x[0].imag()), z(x[1].real(), x[1].imag()), z(x[2].real(), x[2].imag()), z(x[3].real(), x[3].imag())};
    b.R = krat(krat(v, M2{std::polar(1.0, a / k), K(), K(), std::polar(1.0, (a + g) / k)}), adjungovana(v));
    b.stratene = std::max(mimo(x), mimo(b.R));
    return b;
}

}  // namespace

// Eigenvalues e^(ia) and e^(i(a + g)) for gaps g from 1e-3 down to 1e-12
// and 0, at random angles and straddling -1 (where the principal roots lie
// far apart however close the eigenvalues are), for every order the L1
// stage asks for. The root is unitary and its k-th power is A to 1e-13;
// where A or its exact root has a part the complex type drops to 0 (only
// for gaps of 1e-8 and less), the bound grows by what was dropped, k times
// for the power. Away from -1 the root is the principal one.
TEST(Odmocnina, NearlyEqualEigenvaluesGiveAnExactUnitaryRoot) {
    std::mt19937 gen(20);
    std::uniform_real_distribution<double> u(-PI + 1e-3, PI - 1e-3);
    test::ZaznamPlatforma p;
    TForm1 f(p);
    f.eps = EPS_L1;
    p.vycisti();  // only what the routine under test reports
    for (double g : {1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8, 1e-9, 1e-10, 1e-11, 1e-12, 0.0}) {
        for (int k : {2, 4, 8}) {
            for (int n = 0; n < 60; ++n) {
                const bool okolominus1 = n % 3 == 0;
                const TBLIZKE b = sblizkymi(gen, okolominus1 ? PI - g / 2 : u(gen), g, k);
                TMATICA2 R = b.A;
                f.Odmocnina(R, k);
                const TPRESNOST q = presnost(R, b.A, k);
                EXPECT_LE(q.mocnina, 1e-13 + 2 * k * b.stratene) << g << " " << k << " " << n;
                EXPECT_LE(q.unitarnost, 1e-13 + 4 * b.stratene) << g << " " << k << " " << n;
                if (!okolominus1) {
                    EXPECT_LE(rozdiel(dokomplex(R), b.R), 1e-13 + 4 * b.stratene) << g << " " << k << " " << n;
                }
                if (g >= 1e-7) {
                    EXPECT_EQ(b.stratene, 0.0);
                }
            }
        }
    }
    EXPECT_TRUE(p.logy.empty()) << p.logy[0];
    EXPECT_TRUE(f.beh.kontrolyok);
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
            const M2 r = dokomplex(R);
            const K s = (r[0] + r[3]) / 2.0, d = std::sqrt((r[0] - r[3]) * (r[0] - r[3]) / 4.0 + r[1] * r[2]);
            EXPECT_LE(std::fabs(std::arg(s + d)), PI / k + 1e-9);
            EXPECT_LE(std::fabs(std::arg(s - d)), PI / k + 1e-9);
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
