// The inline shape tests of the optimiser give the answers of the matrix
// core's routines they stand for, also where an overflow left inf or NaN in
// a matrix: such an entry is within no eps, so it never makes two matrices
// equal, two gates commute or a gate a CNOT.
#include "optimisation/tvary.h"

#include <gtest/gtest.h>

#include <limits>

using namespace qlc;

namespace {

const double NAN_ = std::numeric_limits<double>::quiet_NaN();
const double INF = std::numeric_limits<double>::infinity();
const TMATICA2 NOT{0.0, 1.0, 1.0, 0.0};

}  // namespace

TEST(Tvary, NanAndInfAreWithinNoEps) {
    const double eps = EPS_ZAKLAD;
    for (double v : {NAN_, INF, -INF}) {
        const TMATICA2 X{TKOMPLEX(0.0, v), 1.0, 1.0, 0.0};
        EXPECT_EQ(rovnake2eps(X, NOT, eps), rovnake2(X, NOT, eps)) << v;
        EXPECT_FALSE(rovnake2eps(X, NOT, eps)) << v;
        EXPECT_FALSE(rovnake2eps(X, X, eps)) << v;

        TGATE1 g;
        g.pocetk = 1;
        g.ciel = 1;
        g.kontroly[1] = 2;
        g.U = X;
        EXPECT_FALSE(cnot(g, NOT, eps)) << v;

        // X commutes with the identity exactly, except that X . I - I . X
        // holds inf - inf.
        const TMATICA2 I = diag2(1.0, 1.0);
        EXPECT_EQ(komutuju2(X, I, eps), rovnake2(nasob2(X, I), nasob2(I, X), eps)) << v;
        EXPECT_FALSE(komutuju2(X, I, eps)) << v;
    }
}

TEST(Tvary, ProductComparisonAgreesWithRovnake) {
    const double eps = EPS_ZAKLAD;
    for (double v : {NAN_, INF, -INF, 1e308}) {
        for (bool plna : {true, false}) {
            TSUCIN X, Y;
            X.M = jednotkova(4);
            X.M(2, 3) = TKOMPLEX(v, 0.0);
            Y.M = X.M;  // the same entry, bit for bit
            X.plna = Y.plna = plna;
            for (int i = 0; i < 4; ++i) X.stlpce[static_cast<std::size_t>(i)] = Y.stlpce[static_cast<std::size_t>(i)] = 0xF;
            EXPECT_EQ(rovnakesucin(X, Y, 4, eps), rovnake(X.M, Y.M, 4, eps)) << v << plna;
            Y.M(2, 3) = TKOMPLEX(0.5, 0.0);
            EXPECT_FALSE(rovnakesucin(X, Y, 4, eps)) << v << plna;
        }
    }
    // finite and equal bit for bit: equal
    TSUCIN X, Y;
    X.M = Y.M = jednotkova(8);
    EXPECT_TRUE(rovnakesucin(X, Y, 8, eps));
}
