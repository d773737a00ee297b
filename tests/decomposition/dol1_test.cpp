// Multi-controlled gates into singly-controlled gates: the Gray-code
// expansion, the in-place rewrite of the store and its overflow stop.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "core/form1.h"
#include "tests/decomposition/stupne.h"
#include "tests/zaznam.h"

using namespace qlc;
using namespace qlc::test;

namespace {

const std::string PRETECENIE = "!!!!DoL1(U): V rozsahu pola n1 sa neda vykonat rozpis Lm(U) bran";

// The expansion in local labels of the controls, as (ciel, kontrola, kind)
// with kind 'V', 'W' or 'X'.
struct Krok {
    int ciel, kontrola;
    char druh;
};

std::vector<Krok> kroky(const TForm1& f, const TMATICA2& V) {
    std::vector<Krok> v;
    const TMATICA2 W = hermit2(V);
    for (int i = 1; i <= f.pocetb1; ++i) {
        const TGATE1& g = f.brany[i];
        char d = '?';
        if (rovnakebity(g.U, f.matnot)) d = 'X';
        else if (rovnakebity(g.U, V)) d = 'V';
        else if (rovnakebity(g.U, W)) d = 'W';
        v.push_back({g.ciel, g.kontroly[1], d});
    }
    return v;
}

}  // namespace

TEST(DoL1, EmptyStore) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    f.DoL1();
    EXPECT_EQ(f.pocetb1, 0);
    EXPECT_EQ(f.eps, 1e-5);
    EXPECT_TRUE(p.infoboxy.empty());
    EXPECT_TRUE(p.logy.empty());
    EXPECT_FALSE(f.ProgressBar1.visible);
    EXPECT_TRUE(f.beh.kontrolyok);
}

TEST(DoL1, GatesWithAtMostOneControlAreCopiedWhole) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    nastavqubity(f, 3);
    std::mt19937 gen(1);
    const std::vector<TGATE1> obvod = {
        brana(nahodnaunitarna(gen), 1, {}),  brana(nahodnaunitarna(gen), 2, {3}, true),
        brana(f.matnot, 3, {1}),             brana(nahodnaunitarna(gen), 3, {}, true),
        brana(nahodnaunitarna(gen), 1, {2}),
    };
    vloz(f, obvod);
    f.DoL1();
    ASSERT_EQ(f.pocetb1, 5);
    for (int i = 1; i <= 5; ++i) EXPECT_TRUE(rovnakabrana(f.brany[i], obvod[static_cast<std::size_t>(i - 1)])) << i;
    EXPECT_TRUE(p.infoboxy.empty());
}

TEST(DoL1, ToffoliBecomesFiveGates) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    nastavqubity(f, 3);
    const TGATE1 toffoli = brana(f.matnot, 3, {1, 2});
    vloz(f, {toffoli});
    f.DoL1();
    ASSERT_EQ(f.pocetb1, 5);
    const TMATICA2 V{z(0.5, 0.5), z(0.5, -0.5), z(0.5, -0.5), z(0.5, 0.5)};
    const TMATICA2 W = hermit2(V);
    // C(c2)-V on t; CNOT c2 -> c1; C(c1)-W on t; CNOT c2 -> c1; C(c1)-V on t.
    const int ciele[] = {3, 1, 3, 1, 3}, kontroly[] = {2, 2, 1, 2, 1};
    const TMATICA2* matice[] = {&V, &f.matnot, &W, &f.matnot, &V};
    for (int i = 1; i <= 5; ++i) {
        const TGATE1& g = f.brany[i];
        EXPECT_EQ(g.pocetk, 1);
        EXPECT_FALSE(g.vyradena);
        EXPECT_EQ(g.ciel, ciele[i - 1]) << i;
        EXPECT_EQ(g.kontroly[1], kontroly[i - 1]) << i;
        EXPECT_TRUE(rovnake2(g.U, *matice[i - 1], 1e-15)) << i;
    }
    // The circuit is the Toffoli matrix: states 7 and 8 exchanged.
    TMATICA1 T = jednotkova(8);
    T(7, 7) = T(8, 8) = TKOMPLEX();
    T(7, 8) = T(8, 7) = TKOMPLEX(1.0);
    EXPECT_TRUE(rovnake(celok(f), T, 8, f.eps));
    EXPECT_TRUE(p.infoboxy.empty());
    EXPECT_TRUE(p.logy.empty());
    EXPECT_FALSE(f.ProgressBar1.visible);
}

TEST(DoL1, ThreeControlsFollowTheGrayOrder) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    nastavqubity(f, 4);
    std::mt19937 gen(5);
    const TMATICA2 U = nahodnaunitarna(gen);
    TMATICA2 V = U;
    f.eps = EPS_L1;
    f.Odmocnina(V, 4);
    // Controls 1, 2, 3 on qubits 1, 2, 3 and the target on 4, so labels are qubits.
    vloz(f, {brana(U, 4, {1, 2, 3})});
    f.DoL1();
    ASSERT_EQ(f.pocetb1, 13);
    const std::vector<Krok> ocakavane = {
        {4, 3, 'V'}, {2, 3, 'X'}, {4, 2, 'W'}, {2, 3, 'X'}, {4, 2, 'V'}, {1, 2, 'X'}, {4, 1, 'W'},
        {1, 3, 'X'}, {4, 1, 'V'}, {1, 2, 'X'}, {4, 1, 'W'}, {1, 3, 'X'}, {4, 1, 'V'},
    };
    const std::vector<Krok> skutocne = kroky(f, V);
    for (std::size_t i = 0; i < 13; ++i) {
        EXPECT_EQ(skutocne[i].ciel, ocakavane[i].ciel) << i;
        EXPECT_EQ(skutocne[i].kontrola, ocakavane[i].kontrola) << i;
        EXPECT_EQ(skutocne[i].druh, ocakavane[i].druh) << i;
    }
}

TEST(DoL1, ManyControlsComposeToTheGate) {
    std::mt19937 gen(11);
    struct Pripad {
        int qubity;
        int ciel;
        std::vector<int> kontroly;
        int pocet;
    };
    const std::vector<Pripad> pripady = {
        {3, 2, {3, 1}, 5},          {4, 2, {3, 1, 4}, 13},   {4, 4, {1, 2, 3}, 13},
        {5, 3, {5, 2, 4, 1}, 29},   {5, 1, {2, 3, 4, 5}, 29},
    };
    for (const Pripad& pr : pripady) {
        for (int n = 0; n < 3; ++n) {
            test::ZaznamPlatforma p;
            TForm1 f(p);
            p.vycisti();  // only what the routine under test reports
            nastavqubity(f, pr.qubity);
            const TGATE1 g = brana(nahodnaunitarna(gen), pr.ciel, pr.kontroly, true);
            vloz(f, {g});
            const TMATICA1 M = f.maticabrany(g);
            f.DoL1();
            ASSERT_EQ(f.pocetb1, pr.pocet);
            for (int i = 1; i <= f.pocetb1; ++i) {
                EXPECT_EQ(f.brany[i].pocetk, 1);
                EXPECT_FALSE(f.brany[i].vyradena);
                EXPECT_NE(f.brany[i].ciel, f.brany[i].kontroly[1]);
            }
            EXPECT_TRUE(rovnake(celok(f), M, f.rozmer, f.eps)) << pr.pocet;
            EXPECT_LT(odchylka(celok(f), M, f.rozmer), 1e-12);
            EXPECT_TRUE(p.logy.empty());
            EXPECT_TRUE(p.infoboxy.empty());
        }
    }
}

TEST(DoL1, ControlOrderChoosesTheFirstControlNotTheOperator) {
    std::mt19937 gen(13);
    const TMATICA2 U = nahodnaunitarna(gen);
    TMATICA1 matice[2];
    for (int s = 0; s < 2; ++s) {
        test::ZaznamPlatforma p;
        TForm1 f(p);
        p.vycisti();  // only what the routine under test reports
        nastavqubity(f, 3);
        vloz(f, {brana(U, 1, s == 0 ? std::vector<int>{2, 3} : std::vector<int>{3, 2})});
        f.DoL1();
        EXPECT_EQ(f.brany[1].kontroly[1], s == 0 ? 3 : 2);
        matice[s] = celok(f);
    }
    EXPECT_LT(odchylka(matice[0], matice[1], 8), 1e-12);
}

TEST(DoL1, ReplacementStandsWhereTheGateStood) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    nastavqubity(f, 4);
    std::mt19937 gen(17);
    const std::vector<TGATE1> obvod = {
        brana(nahodnaunitarna(gen), 1, {}),        brana(nahodnaunitarna(gen), 4, {1, 2}),
        brana(nahodnaunitarna(gen), 2, {3}, true), brana(nahodnaunitarna(gen), 3, {4, 1, 2}),
        brana(nahodnaunitarna(gen), 4, {}),        brana(nahodnaunitarna(gen), 1, {2, 4}),
    };
    vloz(f, obvod);
    const TMATICA1 pred = celok(f);
    f.DoL1();
    ASSERT_EQ(f.pocetb1, 1 + 5 + 1 + 13 + 1 + 5);
    EXPECT_TRUE(rovnakabrana(f.brany[1], obvod[0]));
    EXPECT_TRUE(rovnakabrana(f.brany[7], obvod[2]));
    EXPECT_TRUE(rovnakabrana(f.brany[21], obvod[4]));
    // Each replacement begins with the controlled root on the gate's target,
    // controlled by its last control.
    EXPECT_EQ(f.brany[2].ciel, 4);
    EXPECT_EQ(f.brany[2].kontroly[1], 2);
    EXPECT_EQ(f.brany[8].ciel, 3);
    EXPECT_EQ(f.brany[8].kontroly[1], 2);
    EXPECT_EQ(f.brany[22].ciel, 1);
    EXPECT_EQ(f.brany[22].kontroly[1], 4);
    EXPECT_LT(odchylka(celok(f), pred, f.rozmer), 1e-11);
}

TEST(DoL1, FailedRootIsReportedAndTheGatesAreWritten) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    nastavqubity(f, 3);
    vloz(f, {brana(diag2(z(2), z(1)), 3, {1, 2})});
    f.DoL1();
    EXPECT_EQ(f.pocetb1, 5);
    ASSERT_EQ(p.logy.size(), 1u);
    EXPECT_EQ(p.logy[0], "!!!Odmocnina: mat A mala podivne vl. hodnoty");
    EXPECT_TRUE(rovnakebity(f.brany[1].U, f.jednotka));
    EXPECT_FALSE(f.beh.kontrolyok);
}

TEST(DoL1, EasytoffoliRefusesFewControls) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    TForm1::TROZPISLM rozpis;
    EXPECT_EQ(f.easytoffoli(f.matnot, 1, rozpis, TForm1::ROZPISLM), 0);
    ASSERT_EQ(p.infoboxy.size(), 1u);
    EXPECT_EQ(p.infoboxy[0], "easytoffoli: Ziadas rozklad brany, ktora sa da rozlozit jednoduchsimi metodami!!!");
    EXPECT_EQ(f.rozpisLm(brana(f.matnot, 2, {}), rozpis, TForm1::ROZPISLM), 0);
    EXPECT_EQ(p.infoboxy.size(), 2u);
    // Too little room for the expansion is refused before anything is written.
    rozpis[1] = brana(f.matz, 4, {});
    EXPECT_THROW(f.easytoffoli(f.matnot, 3, rozpis, 12), ChybaRozsahu);
    EXPECT_TRUE(rovnakebity(rozpis[1].U, f.matz));
}

TEST(DoL1, MalformedRecordIsRefusedBeforeTheStoreChanges) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    nastavqubity(f, 3);
    const std::vector<TGATE1> obvod = {brana(f.matnot, 3, {1, 2}), brana(f.matz, 1, {})};
    vloz(f, obvod);
    f.brany[2].pocetk = 5;
    const TGATE1 zla = f.brany[2];
    EXPECT_FALSE(f.prikaz([&] { f.DoL1(); }));
    EXPECT_EQ(p.chyby.size(), 1u);
    EXPECT_EQ(f.pocetb1, 2);
    EXPECT_TRUE(rovnakabrana(f.brany[1], obvod[0]));
    EXPECT_TRUE(rovnakabrana(f.brany[2], zla));
}

// A store filled near the limit: the result fits exactly, or it does not
// and the circuit stays as it was.
class DoL1Plny : public PlnyTest {
protected:
    // Toffoli gates at the given positions, on 3 qubits.
    void napln(int N, const std::vector<int>& toffoli) {
        nastavqubity(f, 3);
        std::vector<std::pair<int, TGATE1>> b;
        for (int t : toffoli) b.push_back({t, brana(f.matnot, 3, {1, 2})});
        PlnyTest::napln(N, b);
    }
};

TEST_F(DoL1Plny, ResultOfExactlyTheStoreSizeFits) {
    napln(MAXBRAN - 4, {200000});
    f.DoL1();
    ASSERT_EQ(f.pocetb1, MAXBRAN);
    EXPECT_TRUE(p.infoboxy.empty());
    EXPECT_TRUE(rovnakabrana(f.brany[199999], povodne[199998]));
    for (int i = 200000; i <= 200004; ++i) EXPECT_EQ(f.brany[i].pocetk, 1);
    EXPECT_TRUE(rovnakabrana(f.brany[200005], povodne[200000]));
    EXPECT_TRUE(rovnakabrana(f.brany[MAXBRAN], povodne.back()));
    EXPECT_TRUE(f.beh.kontrolyok);
}

TEST_F(DoL1Plny, OneRecordTooManyKeepsTheCircuit) {
    napln(MAXBRAN - 3, {200000});
    f.DoL1();
    ASSERT_EQ(p.infoboxy.size(), 1u);
    EXPECT_EQ(p.infoboxy[0], PRETECENIE);
    EXPECT_TRUE(nezmeneny());
    EXPECT_FALSE(f.beh.kontrolyok);
    EXPECT_EQ(f.eps, 1e-5);
}

TEST_F(DoL1Plny, OverflowAfterExpansionsThatFitKeepsTheCircuit) {
    // 10 free records: the gates at 3 and 20 fit (growth 8), the one at 50
    // does not; by then the expansions have overwritten moved records.
    napln(MAXBRAN - 10, {3, 50, 399000});
    f.brany[20] = brana(diag2(z(2), z(1)), 2, {3, 1});  // its root is reported on the way
    povodne[19] = f.brany[20];
    f.DoL1();
    ASSERT_EQ(p.infoboxy.size(), 1u);
    EXPECT_EQ(p.infoboxy[0], PRETECENIE);
    EXPECT_EQ(p.logy, std::vector<std::string>{"!!!Odmocnina: mat A mala podivne vl. hodnoty"});
    EXPECT_TRUE(nezmeneny());
    EXPECT_FALSE(f.beh.kontrolyok);
}
