// Basis states, gate matrices, composition and two-level matrices.
#include <gtest/gtest.h>

#include <cmath>

#include "core/form1.h"
#include "tests/naivny.h"
#include "tests/model.h"
#include "tests/zaznam.h"

using namespace qlc;

namespace {

using Model = test::ModelTest;
using test::brana;

TEST_F(Model, TobinTodecNumberQubitOneAsMostSignificantBit) {
    qubity(2);
    EXPECT_EQ(f->tobin(1)[1], 0);
    EXPECT_EQ(f->tobin(1)[2], 0);
    EXPECT_EQ(f->tobin(2)[1], 0);
    EXPECT_EQ(f->tobin(2)[2], 1);
    EXPECT_EQ(f->tobin(4)[1], 1);
    EXPECT_EQ(f->tobin(4)[2], 1);
    qubity(3);
    const TBSTAV b = f->tobin(5);
    EXPECT_EQ(b[1], 1);
    EXPECT_EQ(b[2], 0);
    EXPECT_EQ(b[3], 0);
    for (int n = 2; n <= 5; ++n) {
        qubity(n);
        for (int s = 1; s <= f->rozmer; ++s) EXPECT_EQ(f->todec(f->tobin(s)), s);
    }
    EXPECT_TRUE(p.infoboxy.empty());
}

TEST_F(Model, TobinAndTodecReportNonsense) {
    qubity(2);
    const TBSTAV b = f->tobin(5);
    ASSERT_EQ(p.infoboxy.size(), 1u);
    EXPECT_EQ(p.infoboxy[0], "Do tobin bolo dodane nezmyselne cislo stavu :5");
    EXPECT_EQ(b[1] + b[2], 0);
    const TBSTAV z = f->tobin(0);  // below 1: the message, then all bits 0
    EXPECT_EQ(p.infoboxy.back(), "Do tobin bolo dodane nezmyselne cislo stavu :0");
    EXPECT_EQ(z[1] + z[2], 0);
    TBSTAV zle;
    zle[1] = 2;
    zle[2] = 1;
    EXPECT_EQ(f->todec(zle), 2);
    EXPECT_EQ(p.infoboxy.back(), "Do todec bolo dodane nezmyselne bitove pole bstav[1]=2");
}

TEST_F(Model, GateMatrixActsOnPairsWhereControlsAreOne) {
    qubity(3);
    const TMATICA1 M = f->maticabrany(brana(f->matnot, 1, {}));
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(M(s, s + 4).re, 1.0);
        EXPECT_EQ(M(s + 4, s).re, 1.0);
        EXPECT_TRUE(M(s, s).nula());
    }
    const TMATICA1 T = f->maticabrany(brana(f->matnot, 3, {1, 2}));
    for (int s = 1; s <= 6; ++s) EXPECT_EQ(T(s, s).re, 1.0);
    EXPECT_EQ(T(7, 8).re, 1.0);
    EXPECT_EQ(T(8, 7).re, 1.0);
    EXPECT_TRUE(p.infoboxy.empty());
    f->maticabrany(brana(f->matnot, 3, {1, 1}));
    f->maticabrany(brana(f->matnot, 3, {3}));
    ASSERT_EQ(p.infoboxy.size(), 2u);
    EXPECT_EQ(p.infoboxy[0], "Moja metoda zapisu U pre branu ma chybu!!!");
}

TEST_F(Model, CompositionRepairsRangeAndMultipliesLaterGateFromLeft) {
    qubity(2);
    const TMATICA2 H = {TKOMPLEX(M_SQRT1_2), TKOMPLEX(M_SQRT1_2), TKOMPLEX(M_SQRT1_2), TKOMPLEX(-M_SQRT1_2)};
    f->brany[1] = brana(H, 1, {});
    f->brany[2] = brana(f->matnot, 2, {1});
    f->pocetb1 = 2;
    const TMATICA1 C = f->kompozicia(f->brany, 2, 1, 2);
    const TMATICA1 ocak = test::naivnysucin(f->maticabrany(f->brany[2]), f->maticabrany(f->brany[1]), 4);
    EXPECT_EQ(odchylka(C, ocak, 4), 0.0);
    const TMATICA1 obratene = test::naivnysucin(f->maticabrany(f->brany[1]), f->maticabrany(f->brany[2]), 4);
    EXPECT_GT(odchylka(C, obratene, 4), 0.1);

    p.vycisti();
    f->kompozicia(f->brany, 2, 2, 1);
    EXPECT_EQ(p.infoboxy, std::vector<std::string>{"Do kompozicie prislo pzac>pkon !!!"});
    p.vycisti();
    const TMATICA1 D = f->kompozicia(f->brany, 2, 1, 12);
    EXPECT_EQ(p.infoboxy, std::vector<std::string>{"Do kompozicie prislo pkon>pocetb1 !!!"});
    EXPECT_EQ(odchylka(C, D, 4), 0.0);
    // an empty circuit implements the identity
    EXPECT_EQ(odchylka(f->kompozicia(f->brany, 0, 1, 0), jednotkova(4), 4), 0.0);
}

// The fast composition must equal the product of full gate matrices bit for bit.
TEST_F(Model, FastCompositionIsBitIdenticalToFullProducts) {
    TGENERATOR g;
    g.seed = 99;
    for (int n = 2; n <= 5; ++n) {
        qubity(n);
        const int pocet = 60;
        for (int i = 1; i <= pocet; ++i) {
            const double w = 6.28 * g.realne(), fi = 6.28 * g.realne();
            TGATE1 b;
            b.U = {polar(std::sin(w), fi), TKOMPLEX(std::cos(w)), polar(std::cos(w), -fi),
                   TKOMPLEX(-std::sin(w))};
            if (i % 7 == 0) b.U = f->matnot;
            if (i % 5 == 0) b.U = diag2(polar(1.0, fi), TKOMPLEX(-1.0));
            if (i % 11 == 0) b.U = {TKOMPLEX(), polar(1.0, w), TKOMPLEX(0.0, 1.0), TKOMPLEX()};
            b.ciel = static_cast<std::uint8_t>(1 + g.cele(n));
            const int k = g.cele(n);
            for (int q = n; q >= 1 && b.pocetk < k; --q)
                if (q != b.ciel) b.kontroly[++b.pocetk] = static_cast<std::uint8_t>(q);
            f->brany[i] = b;
        }
        f->pocetb1 = pocet;
        TMATICA1 ref = f->maticabrany(f->brany[1]);
        for (int i = 2; i <= pocet; ++i) ref = test::naivnysucin(f->maticabrany(f->brany[i]), ref, f->rozmer);
        const TMATICA1 C = f->kompozicia(f->brany, pocet, 1, pocet);
        for (int i = 1; i <= f->rozmer; ++i)
            for (int j = 1; j <= f->rozmer; ++j) {
                ASSERT_EQ(C(i, j).re, ref(i, j).re) << n << " " << i << " " << j;
                ASSERT_EQ(C(i, j).im, ref(i, j).im) << n << " " << i << " " << j;
            }
    }
}

TEST_F(Model, StoreRefusesRecordBeyondLimit) {
    f->pocetb1 = MAXBRAN - 1;
    f->novabrana();
    EXPECT_EQ(f->pocetb1, MAXBRAN);
    EXPECT_EQ(p.infoboxy, std::vector<std::string>{"Prave sa dosiahol maximalny povoleny pocet bran!!!!"});
    EXPECT_THROW(f->novabrana(), PlnyZasobnik);
    EXPECT_EQ(f->pocetb1, MAXBRAN);
    EXPECT_THROW(f->brany[MAXBRAN + 1], ChybaRozsahu);
}

TEST_F(Model, TwoLevelMatrices) {
    qubity(2);
    const TMATICA1 T = f->vyrobTpq(3, 1, M_PI / 2, 0.3);
    EXPECT_TRUE(T(3, 1).nula());  // cos(pi/2) snapped to exactly 0
    EXPECT_EQ(T(3, 3).re, -1.0);
    const TMATICA1 S = f->vyrobTpq(4, 2, 0.0, 0.5);
    EXPECT_TRUE(S(2, 2).nula());
    EXPECT_EQ(S(4, 2).re, 1.0);
    for (double w : {0.0, 0.4, 1.3, 2.9})
        for (double fi : {0.0, 1.0, -2.5}) {
            const TMATICA1 a = f->vyrobTpq(4, 2, w, fi), b = f->vyrobTpqinv(4, 2, w, fi);
            EXPECT_TRUE(rovnake(nasob(a, b, 4), jednotkova(4), 4, f->eps));
            EXPECT_TRUE(rovnake(nasob(b, a, 4), jednotkova(4), 4, f->eps));
        }
    EXPECT_TRUE(p.logy.empty());
    for (auto [pp, qq] : {std::pair{2, 2}, {0, 1}, {3, 0}, {5, 1}, {1, 2}}) {
        p.vycisti();
        const TMATICA1 I = f->vyrobTpq(pp, qq, 0.3, 0.2);
        EXPECT_EQ(odchylka(I, jednotkova(4), 4), 0.0);
        ASSERT_EQ(p.logy.size(), 1u);
        EXPECT_EQ(p.logy[0], "Ziadas vyrobu Tpq, ktora je nezmyselna. p= " + std::to_string(pp) +
                                 " , q= " + std::to_string(qq) +
                                 " ,preto bola namiesto toho vyrobena jednotkova matica.");
    }
}

}  // namespace
