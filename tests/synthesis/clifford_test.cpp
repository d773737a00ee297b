// Clifford unitaries as circuits of CNOTs and one-qubit Cliffords, every
// circuit multiplied out by the tests' own dense product.
#include "synthesis/clifford.h"

#include <gtest/gtest.h>

#include <random>

#include "core/chyby.h"
#include "husty.h"
#include "ucebnicove.h"

namespace qlc::synteza {
namespace {

using test::THUSTA;

TEST(Clifford, NahodneStabilizatoroveObvody) {
    std::mt19937 gen(12);
    for (int m = 1; m <= 5; ++m)
        for (int k : {2, 12 * m}) {
            // a global phase the circuit must carry too
            const THUSTA U = std::polar(1.0, 0.7) * test::nahodnyclifford(m, m == 1 ? 0 : k, gen);
            TOBVOD o(m);
            ASSERT_TRUE(cliffordovobvod(U, m, o)) << m << " " << k;
            EXPECT_LT(test::maxodchylka(test::unitarobvodu(o.brany, m) * std::polar(1.0, -o.faza), U), 1e-13);
            EXPECT_EQ(test::overbrany(o.brany, m, 1e-12), o.pocetcnot);
            EXPECT_LE(o.pocetcnot, m * m - 1);
        }
}

// Not Clifford: a T gate, a Toffoli, a Haar matrix; the circuit is left as
// it was.
TEST(Clifford, OstatneOdmieta) {
    std::mt19937 gen(2);
    THUSTA T = THUSTA::Identity(8, 8);
    for (int x = 1; x < 8; x += 2) T(x, x) = std::polar(1.0, M_PI / 4);
    TOBVOD o(3);
    o.cnot(1, 2);
    EXPECT_FALSE(cliffordovobvod(T, 3, o));
    EXPECT_FALSE(cliffordovobvod(test::toffoli(), 3, o));
    EXPECT_FALSE(cliffordovobvod(test::haar(16, gen), 4, o));
    EXPECT_EQ(o.pocetcnot, 1);
    EXPECT_EQ(o.brany.size(), 1u);
    EXPECT_THROW(cliffordovobvod(T, 2, o), ChybaBehu);
}

}  // namespace
}  // namespace qlc::synteza
