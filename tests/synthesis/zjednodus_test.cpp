// Exact simplification of gate lists: short circuits in, expected circuits
// out, and the unitary kept.
#include "synthesis/zjednodus.h"

#include <gtest/gtest.h>

#include <random>

#include "core/chyby.h"
#include "husty.h"
#include "synthesis/obvod.h"

namespace qlc::synteza {
namespace {

using test::THUSTA;

// The list simplified, checked to keep its unitary.
std::vector<TGATE1> zjednodusene(const TOBVOD& o, int& cnot) {
    std::vector<TGATE1> b = o.brany;
    cnot = zjednodus(b, o.pocetq);
    EXPECT_LT(test::maxodchylka(test::unitarobvodu(b, o.pocetq), test::unitarobvodu(o.brany, o.pocetq)),
              1e-14);
    EXPECT_EQ(test::overbrany(b, o.pocetq, 1e-14), cnot);
    return b;
}

TEST(Zjednodus, CnotyRusia) {
    int cnot = 0;
    TOBVOD a(3);
    a.cnot(1, 2);
    a.jednoq(3, ry(0.4));  // on neither qubit of the pair
    a.cnot(1, 2);
    std::vector<TGATE1> b = zjednodusene(a, cnot);
    EXPECT_EQ(cnot, 0);
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].ciel, 3);

    TOBVOD c(3);  // a gate on the control between them: both stay
    c.cnot(1, 2);
    c.jednoq(1, ry(0.4));
    c.cnot(1, 2);
    EXPECT_EQ(zjednodusene(c, cnot).size(), 3u);
    EXPECT_EQ(cnot, 2);

    TOBVOD d(3);  // reversed roles or another pair do not cancel
    d.cnot(1, 2);
    d.cnot(2, 1);
    d.cnot(1, 3);
    d.cnot(1, 2);
    EXPECT_EQ(zjednodusene(d, cnot).size(), 4u);
}

// Removals cascade: U U^dagger vanishes, then the CNOTs around it meet.
TEST(Zjednodus, SpajanieAKaskada) {
    int cnot = 0;
    TOBVOD a(2);
    a.cnot(1, 2);
    a.cnot(2, 1);
    a.jednoq(1, rz(0.3) * ry(1.1));
    a.jednoq(1, ry(-1.1) * rz(-0.3));
    a.cnot(2, 1);
    a.cnot(1, 2);
    EXPECT_TRUE(zjednodusene(a, cnot).empty());
    EXPECT_EQ(cnot, 0);

    TOBVOD b(2);  // three gates on a qubit become one, next to a CNOT
    b.jednoq(2, rz(0.3));
    b.jednoq(2, ry(0.7));
    b.cnot(1, 2);
    b.jednoq(2, rz(0.2));
    b.jednoq(2, ry(0.1));
    b.jednoq(2, rz(0.9));
    const std::vector<TGATE1> v = zjednodusene(b, cnot);
    EXPECT_EQ(v.size(), 3u);
    EXPECT_EQ(cnot, 1);
}

// Identities to rounding go, phases stay, controlled gates other than a
// CNOT are kept.
TEST(Zjednodus, JednotkyAFazy) {
    int cnot = 0;
    TOBVOD a(2);
    a.jednoq(1, TMAT2::Identity());
    a.jednoq(2, rz(1e-15));
    a.jednoq(1, -TMAT2::Identity());
    a.jednoq(2, std::polar(1.0, 1e-9) * TMAT2::Identity());
    const std::vector<TGATE1> v = zjednodusene(a, cnot);
    ASSERT_EQ(v.size(), 2u);

    std::vector<TGATE1> b = a.brany;
    TGATE1 cz;
    cz.pocetk = 1;
    cz.kontroly[1] = 1;
    cz.ciel = 2;
    cz.U = TMATICA2(TKOMPLEX(1.0), TKOMPLEX(0.0), TKOMPLEX(0.0), TKOMPLEX(-1.0));
    b = {cz, cz};
    EXPECT_EQ(zjednodus(b, 2), 0);
    EXPECT_EQ(b.size(), 2u);
    TGATE1 zly = cz;
    zly.ciel = 7;
    b = {zly};
    EXPECT_THROW(zjednodus(b, 2), ChybaBehu);
}

}  // namespace
}  // namespace qlc::synteza
