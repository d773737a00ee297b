#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/matica.h"
#include "tests/naivny.h"

using namespace qlc;

TEST(Komplex, ZeroSnappingAndArithmetic) {
    const TKOMPLEX a(1e-13, 2e-12);
    EXPECT_EQ(a.re, 0.0);
    EXPECT_FALSE(std::signbit(a.re));
    EXPECT_EQ(a.im, 2e-12);
    // a product whose part comes out as 1e-13 is stored as exactly 0
    const TKOMPLEX p = TKOMPLEX(1e-7, 0) * TKOMPLEX(1e-6, 1.0);
    EXPECT_EQ(p.re, 0.0);
    EXPECT_EQ(p.im, 1e-7);
    EXPECT_THROW(TKOMPLEX(1, 1) / TKOMPLEX(1e-7, 0), DelenieNulou);
    EXPECT_DOUBLE_EQ(arg(TKOMPLEX(-1, -0.0)), M_PI);
    const TKOMPLEX r = odmocnina(TKOMPLEX(-4, -0.0));
    EXPECT_EQ(r.re, 0.0);
    EXPECT_EQ(r.im, 2.0);
    const TKOMPLEX s = odmocnina(TKOMPLEX(3, 4));
    EXPECT_DOUBLE_EQ(s.re, 2.0);
    EXPECT_DOUBLE_EQ(s.im, 1.0);
}

TEST(Komplex, EqualityIsRelativeAndIgnoresEps) {
    EXPECT_TRUE(rovnasa(TKOMPLEX(1e6, 0), TKOMPLEX(1e6 + 1e-7, 0)));
    EXPECT_FALSE(rovnasa(TKOMPLEX(1, 0), TKOMPLEX(1 + 1e-9, 0)));
    EXPECT_TRUE(diagonalna2({1.0, TKOMPLEX(1e-13), 0.0, 1.0}));
    EXPECT_FALSE(diagonalna2({1.0, TKOMPLEX(1e-9), 0.0, 1.0}));
}


TEST(Matica, ProductMatchesNaiveBitForBitAndMayAlias) {
    TMATICA1 X, Y;
    unsigned s = 7;
    auto r = [&] {
        s = s * 1103515245u + 12345u;
        const int v = static_cast<int>((s >> 16) % 7);
        return v < 3 ? 0.0 : (v - 4) * 0.37 + (s % 1000) * 1e-3;  // many exact zeros
    };
    for (int i = 1; i <= 8; ++i)
        for (int j = 1; j <= 8; ++j) {
            X(i, j) = TKOMPLEX(r(), r());
            Y(i, j) = TKOMPLEX(r(), r());
        }
    const TMATICA1 Z = test::naivnysucin(X, Y, 8);
    TMATICA1 X2 = X;
    X2 = nasob(X2, Y, 8);
    TMATICA1 Y2 = Y;
    Y2 = nasob(X, Y2, 8);
    for (int i = 1; i <= 8; ++i)
        for (int j = 1; j <= 8; ++j) {
            EXPECT_EQ(Z(i, j).re, X2(i, j).re);
            EXPECT_EQ(Z(i, j).im, X2(i, j).im);
            EXPECT_EQ(Z(i, j).re, Y2(i, j).re);
            EXPECT_EQ(Z(i, j).im, Y2(i, j).im);
        }
}

TEST(Matica, EqualityUsesModulusOfDifference) {
    const double eps = 1e-7;
    TMATICA1 X = jednotkova(4), Y = jednotkova(4);
    Y(2, 3) = TKOMPLEX(0.9 * eps, 0.9 * eps);
    EXPECT_FALSE(rovnake(X, Y, 4, eps));
    Y(2, 3) = TKOMPLEX(0.9 * eps, 0);
    EXPECT_TRUE(rovnake(X, Y, 4, eps));
    // entries beyond rozmer are never looked at
    X(40, 40) = TKOMPLEX(5, 5);
    EXPECT_TRUE(unitarna(X, 4, eps));
    EXPECT_THROW(X(65, 1), ChybaRozsahu);
    EXPECT_THROW(X(0, 1), ChybaRozsahu);
}

// An overflow leaves inf behind, and inf - inf or 0 * inf leaves NaN; no
// tolerance test may take either for equality. The entries below are
// finite, as a matrix file can hold them; only their products overflow.
TEST(Matica, OverflowIsWithinNoTolerance) {
    const double eps = 1e-7;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(vtolerancii(eps, eps));
    EXPECT_FALSE(vtolerancii(nan, eps));
    EXPECT_FALSE(vtolerancii(inf, eps));

    const TMATICA1 I = jednotkova(4);
    for (double v : {nan, inf, -inf}) {
        TMATICA1 Y = I;
        Y(2, 3) = TKOMPLEX(0.0, v);
        EXPECT_FALSE(rovnake(I, Y, 4, eps)) << v;
        EXPECT_FALSE(rovnake(Y, Y, 4, eps)) << v;  // inf - inf is NaN
        EXPECT_FALSE(unitarna(Y, 4, eps)) << v;
        EXPECT_TRUE(std::isnan(odchylka(Y, Y, 4))) << v;
        const TMATICA2 J = diag2(1.0, 1.0);
        const TMATICA2 Z{1.0, TKOMPLEX(v, 0.0), 0.0, 1.0};
        EXPECT_FALSE(rovnake2(J, Z, eps)) << v;
        EXPECT_FALSE(rovnake2(Z, Z, eps)) << v;
        EXPECT_FALSE(unitarna2(Z, eps)) << v;
    }

    // One entry that is finite but whose products are not: X^dagger X gets
    // inf and NaN parts.
    const TKOMPLEX velke[] = {TKOMPLEX(1e200, 1e200), TKOMPLEX(1e308), TKOMPLEX(-1e308), TKOMPLEX(0.0, 1e200),
                              TKOMPLEX(1e160, -1e160)};
    for (const TKOMPLEX& z : velke) {
        TMATICA1 X = I;
        X(1, 1) = z;
        EXPECT_FALSE(unitarna(X, 4, eps)) << z.re << " " << z.im;
        TMATICA2 X2 = diag2(z, 1.0);
        EXPECT_FALSE(unitarna2(X2, eps)) << z.re << " " << z.im;
    }
    // Every product finite, their sum not: column 1 of X holds 1e154 twice,
    // so (X^dagger X)(1,1) = 2e308 overflows.
    TMATICA1 X = I;
    X(1, 1) = TKOMPLEX(1e154);
    X(2, 1) = TKOMPLEX(1e154);
    X(1, 2) = TKOMPLEX(1e154);
    X(2, 2) = TKOMPLEX(-1e154);
    EXPECT_FALSE(unitarna(X, 4, eps));
}
