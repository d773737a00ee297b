#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "app/form1.h"
#include "tests/decomposition/pomocne.h"
#include "tests/zaznam.h"

using namespace qlc;
using namespace qlc::test;

namespace {

bool bitovorovne2(const TMATICA2& X, const TMATICA2& Y) {
    return std::memcmp(X.a.data(), Y.a.data(), sizeof X.a) == 0;
}

// Expected shape of one gate.
struct Brana {
    int ciel;
    std::vector<int> kontroly;
};

void overtvary(const TForm1& f, const std::vector<Brana>& ocak) {
    ASSERT_EQ(f.pocetb1, static_cast<int>(ocak.size()));
    for (int i = 1; i <= f.pocetb1; ++i) {
        const TGATE1& g = f.brany[i];
        const Brana& o = ocak[static_cast<std::size_t>(i - 1)];
        EXPECT_EQ(g.ciel, o.ciel) << "gate " << i;
        ASSERT_EQ(g.pocetk, o.kontroly.size()) << "gate " << i;
        for (int j = 1; j <= g.pocetk; ++j) EXPECT_EQ(g.kontroly[j], o.kontroly[static_cast<std::size_t>(j - 1)]);
        EXPECT_FALSE(g.vyradena);
    }
}

void nastavriadok(TForm1& f, int u, int p, int q, double omega, double fi) {
    f.tpq[u].p = p;
    f.tpq[u].q = q;
    f.tpq[u].omega = omega;
    f.tpq[u].fi = fi;
}

// The dense matrix of row (p, q, omega, fi) in its inverse form.
Husta tpqinv(int rozmer, int p, int q, double w, double fi) {
    Husta T = Husta::jednotka(rozmer);
    T(q, q) = std::sin(w) * std::polar(1.0, -fi);
    T(q, p) = std::cos(w);
    T(p, q) = std::cos(w) * std::polar(1.0, -fi);
    T(p, p) = -std::sin(w);
    return T;
}

}  // namespace

TEST(RozlozTpq, WorkedExampleThreeQubits) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    nastavqubity(f, 3);
    const double w = 0.7, fi = 1.9;
    nastavriadok(f, 1, 7, 2, w, fi);
    f.pocetb1 = 0;
    f.RozlozTpq(1);
    overtvary(f, {{2, {}}, {1, {2, 3}}, {2, {}}, {2, {1, 3}}, {3, {1, 2}}, {2, {1, 3}}, {2, {}}, {1, {2, 3}}, {2, {}}});
    for (int i : {1, 2, 3, 4, 6, 7, 8, 9}) EXPECT_TRUE(bitovorovne2(f.brany[i].U, f.matnot)) << i;
    // k = 1: the odd form of V.
    const TMATICA2 V{TKOMPLEX(-std::sin(w)), polar(std::cos(w), -fi), TKOMPLEX(std::cos(w)), polar(std::sin(w), -fi)};
    EXPECT_TRUE(bitovorovne2(f.brany[5].U, V));
    EXPECT_LT(rozdiel(obvod(f, 1, 9), tpqinv(8, 7, 2, w, fi)), 1e-12);
    EXPECT_TRUE(p.logy.empty());
    EXPECT_TRUE(p.infoboxy.empty());
}

// p and q differ in one bit: one controlled gate with V in the even form,
// NOT gates only for the controls that must be 0; none when all are 1.
TEST(RozlozTpq, NeighbouringStatesGiveOneGate) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    nastavqubity(f, 3);
    const double w = 0.4, fi = -2.2;
    const TMATICA2 V{polar(std::sin(w), -fi), TKOMPLEX(std::cos(w)), polar(std::cos(w), -fi), TKOMPLEX(-std::sin(w))};

    nastavriadok(f, 1, 2, 1, w, fi);  // 000 -> 001
    f.RozlozTpq(1);
    overtvary(f, {{1, {}}, {2, {}}, {3, {1, 2}}, {1, {}}, {2, {}}});
    EXPECT_TRUE(bitovorovne2(f.brany[3].U, V));

    f.pocetb1 = 0;
    nastavriadok(f, 2, 8, 7, w, fi);  // 110 -> 111: both controls are 1
    f.RozlozTpq(2);
    overtvary(f, {{3, {1, 2}}});
    EXPECT_TRUE(bitovorovne2(f.brany[1].U, V));

    f.pocetb1 = 0;
    nastavqubity(f, 2);  // two qubits: one control
    nastavriadok(f, 3, 3, 1, w, fi);  // 00 -> 10
    f.RozlozTpq(3);
    overtvary(f, {{2, {}}, {1, {2}}, {2, {}}});
    EXPECT_LT(rozdiel(obvod(f, 1, 3), tpqinv(4, 3, 1, w, fi)), 1e-12);
}

// q = 1, p = 32 on five qubits: six rows of the path, 8 transition gates
// with matnot and V in the middle, the sequence a palindrome around V.
TEST(RozlozTpq, AllFiveBitsDiffer) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    nastavqubity(f, 5);
    nastavriadok(f, 1, 32, 1, 1.1, 0.3);
    f.RozlozTpq(1);
    std::vector<int> riadene;
    for (int i = 1; i <= f.pocetb1; ++i) {
        const TGATE1& g = f.brany[i];
        if (g.pocetk == 4)
            riadene.push_back(i);
        else
            EXPECT_TRUE(g.pocetk == 0 && bitovorovne2(g.U, f.matnot)) << i;
    }
    ASSERT_EQ(riadene.size(), 9u);
    for (std::size_t j = 0; j < 9; ++j)
        EXPECT_EQ(bitovorovne2(f.brany[riadene[j]].U, f.matnot), j != 4) << j;
    const int stred = riadene[4];
    EXPECT_EQ(f.pocetb1, 2 * stred - 1);
    // The transitions mirror around V: the same controlled gate at mirrored
    // places (the NOT gates around each are in ascending order on both sides).
    for (std::size_t j = 0; j < 4; ++j) {
        const TGATE1 &a = f.brany[riadene[j]], &b = f.brany[riadene[8 - j]];
        EXPECT_EQ(riadene[j] + riadene[8 - j], 2 * stred);
        EXPECT_EQ(a.ciel, b.ciel);
        EXPECT_TRUE(a.kontroly == b.kontroly);
    }
    // The first transition flips qubit 1 of state 00000: NOT gates on
    // qubits 2..5 around it; the last move flips qubit 5 next to p = 11111.
    EXPECT_EQ(riadene[0], 5);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(f.brany[i].ciel, i + 1);
    EXPECT_EQ(f.brany[riadene[0]].ciel, 1);
    EXPECT_EQ(f.brany[stred].ciel, 5);
    EXPECT_LT(rozdiel(obvod(f, 1, f.pocetb1), tpqinv(32, 32, 1, 1.1, 0.3)), 1e-12);
}

// Every pair q < p on two and three qubits, and random pairs on four and
// five, with random angles: the gates of a row compose to its inverse form.
// This covers both parities of the crossing count.
TEST(RozlozTpq, EveryRowComposesToItsInverseTwoLevelMatrix) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    std::mt19937 gen(3);
    std::uniform_real_distribution<double> uhol(0.0, 2.0 * M_PI);
    for (int n = 2; n <= 5; ++n) {
        nastavqubity(f, n);
        std::uniform_int_distribution<int> stav(1, f.rozmer);
        std::vector<std::pair<int, int>> pary;
        if (n <= 3) {
            for (int pp = 2; pp <= f.rozmer; ++pp)
                for (int q = 1; q < pp; ++q) pary.push_back({pp, q});
        } else {
            while (pary.size() < 25) {
                const int a = stav(gen), b = stav(gen);
                if (a != b) pary.push_back({std::max(a, b), std::min(a, b)});
            }
        }
        for (auto [pp, q] : pary) {
            const double w = uhol(gen) / 4, fi = uhol(gen);
            nastavriadok(f, 5, pp, q, w, fi);
            f.pocetb1 = 0;
            f.RozlozTpq(5);
            for (int i = 1; i <= f.pocetb1; ++i)
                ASSERT_TRUE(f.brany[i].pocetk == 0 || f.brany[i].pocetk == n - 1);
            EXPECT_LT(rozdiel(obvod(f, 1, f.pocetb1), tpqinv(f.rozmer, pp, q, w, fi)), 1e-12)
                << "n=" << n << " p=" << pp << " q=" << q;
        }
    }
    EXPECT_TRUE(p.logy.empty());
    EXPECT_TRUE(p.infoboxy.empty());
}

TEST(RozlozTpq, InvalidRowGivesNoGates) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    nastavqubity(f, 2);
    nastavriadok(f, 1, 3, 3, 0.5, 0.5);
    f.RozlozTpq(1);
    EXPECT_EQ(f.pocetb1, 0);
    EXPECT_EQ(p.logy,
              std::vector<std::string>{
                  "Ziadas rozklad Tpq, ktory je nezmyselny. p= 3 , q= 3 ,preto nebola pridana ziadna brana."});
    EXPECT_FALSE(f.beh.kontrolyok);
    EXPECT_THROW(f.RozlozTpq(0), ChybaRozsahu);
    EXPECT_THROW(f.RozlozTpq(MAXTPQ + 1), ChybaRozsahu);
}

// The store holds 400,000 gates: the last one is written and announced, the
// next is refused before anything of it is written.
TEST(RozlozTpq, FullStoreRefusesTheNextGate) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    nastavqubity(f, 3);
    nastavriadok(f, 1, 7, 2, 0.7, 1.9);
    f.pocetb1 = MAXBRAN - 4;
    EXPECT_THROW(f.RozlozTpq(1), PlnyZasobnik);
    EXPECT_EQ(f.pocetb1, MAXBRAN);
    EXPECT_EQ(p.infoboxy, std::vector<std::string>(2, "Prave sa dosiahol maximalny povoleny pocet bran!!!!"));
    // Gates 1..4 of the worked example went in completely.
    const TGATE1& g = f.brany[MAXBRAN];
    EXPECT_EQ(g.ciel, 2);
    ASSERT_EQ(g.pocetk, 2);
    EXPECT_EQ(g.kontroly[1], 1);
    EXPECT_EQ(g.kontroly[2], 3);
    EXPECT_TRUE(bitovorovne2(g.U, f.matnot));
    EXPECT_EQ(f.brany[MAXBRAN - 3].ciel, 2);
    EXPECT_EQ(f.brany[MAXBRAN - 3].pocetk, 0);
}

TEST(RozlozFazy, TwoQubitExample) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    nastavqubity(f, 2);
    const double fz[4] = {0.3, -1.2, 2.5, 0.9};
    for (int i = 1; i <= 4; ++i) f.fazy[i] = fz[i - 1];
    f.RozlozFazy();
    overtvary(f, {{1, {}}, {2, {1}}, {1, {}}, {2, {1}}});
    EXPECT_TRUE(bitovorovne2(f.brany[1].U, f.matnot));
    EXPECT_TRUE(bitovorovne2(f.brany[2].U, TMATICA2(polar(1.0, -0.3), 0.0, 0.0, polar(1.0, 1.2))));
    EXPECT_TRUE(bitovorovne2(f.brany[4].U, TMATICA2(polar(1.0, -2.5), 0.0, 0.0, polar(1.0, -0.9))));
    Husta D(4);
    for (int i = 1; i <= 4; ++i) D(i, i) = std::polar(1.0, -fz[i - 1]);
    EXPECT_LT(rozdiel(obvod(f, 1, 4), D), 1e-12);
}

TEST(RozlozFazy, ZeroPhasesGiveNoGate) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    nastavqubity(f, 3);
    f.fazy.vypln(0.0);
    f.fazy[3] = -0.0;
    f.fazy[8] = -0.0;
    f.RozlozFazy();
    EXPECT_EQ(f.pocetb1, 0);

    // One phase of a pair zero: the gate has exactly 1 there.
    f.fazy[6] = 0.8;
    f.RozlozFazy();
    overtvary(f, {{2, {}}, {3, {1, 2}}, {2, {}}});
    const TMATICA2& U = f.brany[2].U;
    EXPECT_EQ(U.u11().re, 1.0);
    EXPECT_EQ(U.u11().im, 0.0);
    EXPECT_TRUE(U.u12().nula() && U.u21().nula());
    EXPECT_TRUE(bitovorovne2(U, TMATICA2(1.0, 0.0, 0.0, polar(1.0, -0.8))));
}

// Five qubits, every phase non-zero: 16 gates with four controls; pair 1
// wrapped in four NOT gates on each side, pair 16 in none.
TEST(RozlozFazy, FiveQubitsAllPairs) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    nastavqubity(f, 5);
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> uhol(-M_PI, M_PI);
    Husta D(32);
    for (int i = 1; i <= 32; ++i) {
        f.fazy[i] = uhol(gen);
        D(i, i) = std::polar(1.0, -f.fazy[i]);
    }
    f.RozlozFazy();
    int diagonalne = 0;
    for (int i = 1; i <= f.pocetb1; ++i)
        if (f.brany[i].pocetk == 4) {
            ++diagonalne;
            EXPECT_EQ(f.brany[i].ciel, 5);
        }
    EXPECT_EQ(diagonalne, 16);
    EXPECT_EQ(f.pocetb1, 16 + 2 * 32);  // half of the 4 x 16 control bits are 0
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(f.brany[i].pocetk, 0);
        EXPECT_EQ(f.brany[i].ciel, i);
        EXPECT_EQ(f.brany[5 + i].ciel, i);
    }
    EXPECT_EQ(f.brany[5].pocetk, 4);
    EXPECT_EQ(f.brany[f.pocetb1].pocetk, 4);
    EXPECT_EQ(f.brany[f.pocetb1 - 1].pocetk, 0);  // pair 15 ends with its NOT on qubit 4
    EXPECT_LT(rozdiel(obvod(f, 1, f.pocetb1), D), 1e-12);
}
