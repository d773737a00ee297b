#include <gtest/gtest.h>

#include "tests/decomposition/pomocne.h"
#include "tests/zaznam.h"

using namespace qlc;
using namespace qlc::test;

namespace {

// Expected target and controls of every gate of the store.
void overtvary(const TForm1& f, const std::vector<std::vector<int>>& ocak) {
    ASSERT_EQ(f.pocetb1, static_cast<int>(ocak.size()));
    for (int i = 1; i <= f.pocetb1; ++i) {
        const TGATE1& g = f.brany[i];
        const std::vector<int>& o = ocak[static_cast<std::size_t>(i - 1)];
        std::vector<int> skut = {g.ciel};
        for (int j = 1; j <= g.pocetk; ++j) skut.push_back(g.kontroly[j]);
        EXPECT_EQ(skut, o) << "gate " << i;
        EXPECT_FALSE(g.vyradena);
    }
}

// The dense inverse form of row (p, q, w, fi).
Husta tpqinv(int rozmer, int p, int q, double w, double fi) {
    Husta T(rozmer, true);
    T(q, q) = std::sin(w) * std::polar(1.0, -fi), T(q, p) = std::cos(w);
    T(p, q) = std::cos(w) * std::polar(1.0, -fi), T(p, p) = -std::sin(w);
    return T;
}

TMATICA2 parne(double w, double fi) {
    return {polar(std::sin(w), -fi), TKOMPLEX(std::cos(w)), polar(std::cos(w), -fi), TKOMPLEX(-std::sin(w))};
}

}  // namespace

// n = 3, q = 2, p = 7: the nine gates in order, V in the odd form (k = 1).
TEST(RozlozTpq, WorkedExampleThreeQubits) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();
    nastavqubity(f, 3);
    f.tpq[1] = TTPQ{0.7, 1.9, 7, 2};
    f.RozlozTpq(1);
    overtvary(f, {{2}, {1, 2, 3}, {2}, {2, 1, 3}, {3, 1, 2}, {2, 1, 3}, {2}, {1, 2, 3}, {2}});
    for (int i : {1, 2, 3, 4, 6, 7, 8, 9}) EXPECT_TRUE(bitovorovnake(f.brany[i].U, f.matnot)) << i;
    const TMATICA2 V{TKOMPLEX(-std::sin(0.7)), polar(std::cos(0.7), -1.9), TKOMPLEX(std::cos(0.7)),
                     polar(std::sin(0.7), -1.9)};
    EXPECT_TRUE(bitovorovnake(f.brany[5].U, V));
    EXPECT_TRUE(p.logy.empty() && p.infoboxy.empty());
}

// p and q differ in one bit: one gate with V in the even form, NOT gates
// only for controls that must be 0 (none when all are 1, one control on two
// qubits). All five bits differ: 8 transition gates with matnot and V in
// the middle, mirrored around it.
TEST(RozlozTpq, PathLengths) {
    ZaznamPlatforma p;
    TForm1 f(p);
    nastavqubity(f, 3);
    f.tpq[1] = TTPQ{0.4, -2.2, 2, 1};  // 000 -> 001
    f.tpq[2] = TTPQ{0.4, -2.2, 8, 7};  // 110 -> 111
    f.RozlozTpq(1);
    overtvary(f, {{1}, {2}, {3, 1, 2}, {1}, {2}});
    EXPECT_TRUE(bitovorovnake(f.brany[3].U, parne(0.4, -2.2)));
    f.pocetb1 = 0;
    f.RozlozTpq(2);
    overtvary(f, {{3, 1, 2}});
    EXPECT_TRUE(bitovorovnake(f.brany[1].U, parne(0.4, -2.2)));
    f.pocetb1 = 0;
    nastavqubity(f, 2);
    f.tpq[3] = TTPQ{0.4, -2.2, 3, 1};  // 00 -> 10
    f.RozlozTpq(3);
    overtvary(f, {{2}, {1, 2}, {2}});

    f.pocetb1 = 0;
    nastavqubity(f, 5);
    f.tpq[4] = TTPQ{1.1, 0.3, 32, 1};
    f.RozlozTpq(4);
    std::vector<int> riadene;
    for (int i = 1; i <= f.pocetb1; ++i) {
        if (f.brany[i].pocetk == 4) riadene.push_back(i);
        else EXPECT_TRUE(f.brany[i].pocetk == 0 && bitovorovnake(f.brany[i].U, f.matnot)) << i;
    }
    ASSERT_EQ(riadene.size(), 9u);
    const int stred = riadene[4];
    EXPECT_EQ(f.brany[stred].ciel, 5);  // 11110 -> 11111, no NOT gates
    EXPECT_EQ(f.pocetb1, 2 * (9 + 7 + 5 + 3) + 1);  // 1 + 2 * (zero bits) per transition
    for (std::size_t j = 0; j < 4; ++j) {
        const TGATE1 &a = f.brany[riadene[j]], &b = f.brany[riadene[8 - j]];
        EXPECT_EQ(riadene[j] + riadene[8 - j], 2 * stred);
        EXPECT_EQ(a.ciel, b.ciel);
        EXPECT_TRUE(bitovorovnake(a.U, f.matnot) && bitovorovnake(b.U, f.matnot));
    }
    EXPECT_LT(rozdiel(obvod(f), tpqinv(32, 32, 1, 1.1, 0.3)), 1e-12);
}

// Every pair q < p on two and three qubits, random pairs on four and five,
// random angles: the gates of a row compose to its inverse two-level
// matrix, whatever the parity of the crossing count.
TEST(RozlozTpq, EveryRowComposesToItsInverseTwoLevelMatrix) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();
    std::mt19937 gen(3);
    std::uniform_real_distribution<double> uhol(0.0, 2.0 * M_PI);
    for (int n = 2; n <= 5; ++n) {
        nastavqubity(f, n);
        std::uniform_int_distribution<int> stav(1, f.rozmer);
        std::vector<std::pair<int, int>> pary;
        for (int pp = 2; n <= 3 && pp <= f.rozmer; ++pp)
            for (int q = 1; q < pp; ++q) pary.push_back({pp, q});
        while (pary.size() < 30) {
            const int a = stav(gen), b = stav(gen);
            if (a != b) pary.push_back({std::max(a, b), std::min(a, b)});
        }
        for (auto [pp, q] : pary) {
            const double w = uhol(gen) / 4, fi = uhol(gen);
            f.tpq[1] = TTPQ{w, fi, pp, q};
            f.pocetb1 = 0;
            f.RozlozTpq(1);
            EXPECT_LT(rozdiel(obvod(f), tpqinv(f.rozmer, pp, q, w, fi)), 1e-12) << n << " " << pp << " " << q;
        }
    }
    EXPECT_TRUE(p.logy.empty() && p.infoboxy.empty());
}

// An invalid row stands for the identity and gets no gates. With the store
// at its limit the last gate is written and announced, the next refused
// before anything of it is written.
TEST(RozlozTpq, InvalidRowAndFullStore) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();
    nastavqubity(f, 3);
    f.tpq[1] = TTPQ{0.5, 0.5, 3, 3};
    f.RozlozTpq(1);
    EXPECT_EQ(f.pocetb1, 0);
    EXPECT_EQ(p.logy, std::vector<std::string>{"Ziadas rozklad Tpq, ktory je nezmyselny. p= 3 , q= 3 ,preto nebola "
                                               "pridana ziadna brana."});
    EXPECT_THROW(f.RozlozTpq(MAXTPQ + 1), ChybaRozsahu);

    f.tpq[1] = TTPQ{0.7, 1.9, 7, 2};  // the worked example: its gate 4 is the last that fits
    f.pocetb1 = MAXBRAN - 4;
    EXPECT_THROW(f.RozlozTpq(1), PlnyZasobnik);
    EXPECT_EQ(f.pocetb1, MAXBRAN);
    EXPECT_EQ(p.infoboxy, std::vector<std::string>(2, "Prave sa dosiahol maximalny povoleny pocet bran!!!!"));
    const TGATE1& g = f.brany[MAXBRAN];
    EXPECT_TRUE(g.ciel == 2 && g.pocetk == 2 && g.kontroly[1] == 1 && g.kontroly[2] == 3);
    EXPECT_TRUE(bitovorovnake(g.U, f.matnot));
}

// n = 2: NOT, diagonal gate on qubit 2 controlled by 1, NOT; then the gate
// of states 3, 4 alone. Phases 0 and -0.0 give nothing; a pair with one
// zero phase gets exactly 1 there.
TEST(RozlozFazy, PairsOfStates) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();
    const double fz[4] = {0.3, -1.2, 2.5, 0.9};
    for (int i = 1; i <= 4; ++i) f.fazy[i] = fz[i - 1];
    f.RozlozFazy();
    overtvary(f, {{1}, {2, 1}, {1}, {2, 1}});
    EXPECT_TRUE(bitovorovnake(f.brany[2].U, TMATICA2(polar(1.0, -0.3), 0.0, 0.0, polar(1.0, 1.2))));
    EXPECT_TRUE(bitovorovnake(f.brany[4].U, TMATICA2(polar(1.0, -2.5), 0.0, 0.0, polar(1.0, -0.9))));

    f.pocetb1 = 0;
    nastavqubity(f, 3);
    f.fazy.vypln(0.0);
    f.fazy[3] = -0.0;
    f.fazy[8] = -0.0;
    f.RozlozFazy();
    EXPECT_EQ(f.pocetb1, 0);
    f.fazy[6] = 0.8;
    f.RozlozFazy();
    overtvary(f, {{2}, {3, 1, 2}, {2}});
    EXPECT_TRUE(bitovorovnake(f.brany[2].U, TMATICA2(1.0, 0.0, 0.0, polar(1.0, -0.8))));
}

// n = 5, every phase non-zero: 16 gates with four controls, pair 1 between
// four NOT gates on each side, pair 16 alone; the product is D.
TEST(RozlozFazy, FiveQubitsAllPairs) {
    ZaznamPlatforma p;
    TForm1 f(p);
    nastavqubity(f, 5);
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> uhol(-M_PI, M_PI);
    Husta D(32);
    for (int i = 1; i <= 32; ++i) D(i, i) = std::polar(1.0, -(f.fazy[i] = uhol(gen)));
    f.RozlozFazy();
    EXPECT_EQ(f.pocetb1, 16 + 2 * 32);  // half of the 4 x 16 control bits are 0
    for (int i = 1; i <= 9; ++i) EXPECT_EQ(f.brany[i].pocetk, i == 5 ? 4 : 0);
    EXPECT_EQ(f.brany[f.pocetb1].pocetk, 4);
    EXPECT_EQ(f.brany[f.pocetb1 - 1].pocetk, 0);  // pair 15 ends with the NOT on qubit 4
    EXPECT_LT(rozdiel(obvod(f), D), 1e-12);
}
