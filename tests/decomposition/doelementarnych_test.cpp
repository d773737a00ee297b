// Singly-controlled gates into elementary gates: the cases of Rozloz1U, the
// replacement of every gate against its controlled matrix, the rotations and
// the in-place rewrite of the store with its overflow stop.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <limits>
#include <random>
#include <set>
#include <vector>

#include "core/form1.h"
#include "decomposition/rotacie.h"
#include "tests/decomposition/stupne.h"
#include "tests/zaznam.h"

using namespace qlc;
using namespace qlc::test;

namespace {

const std::string PRETECENIE = "!!!!Do elementarnych: V rozsahu pola n1 sa neda vykonat rozpis do elementarnych bran";
const std::string NEROZLOZENA = "!!!!Doelementarnych(U): Existuje brana kt kt. si nevytvoril rozklad.";
const std::string ZLYDET = "Rozloz1U: Matica rozkl. brany ma zly determinant( modul<>1)!";

TMATICA2 krat(TKOMPLEX w, const TMATICA2& M) { return {w * M.u11(), w * M.u12(), w * M.u21(), w * M.u22()}; }

bool elementarna(const TForm1& f, const TGATE1& g) {
    return g.pocetk == 0 || (g.pocetk == 1 && rovnakebity(g.U, f.matnot));
}

// The stage on a circuit of the one gate G; returns the gates it produced.
std::vector<TGATE1> rozloz(TForm1& f, const TGATE1& G) {
    vloz(f, {G});
    f.Doelementarnych();
    return {f.brany.data() + 1, f.brany.data() + f.pocetb1 + 1};
}

void ocakavajbranu(const TGATE1& g, int pocetk, int ciel, const TMATICA2& U, double tol = 1e-15) {
    EXPECT_EQ(g.pocetk, pocetk);
    EXPECT_EQ(g.ciel, ciel);
    EXPECT_FALSE(g.vyradena);
    EXPECT_TRUE(rovnake2(g.U, U, tol));
}

}  // namespace

TEST(Rotacie, ValuesAndIdentities) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    EXPECT_TRUE(rovnake2(rotz(PI), diag2(z(0, 1), z(0, -1)), 1e-15));
    EXPECT_TRUE(rovnake2(roty(PI), TMATICA2(z(0), z(1), z(-1), z(0)), 1e-15));
    EXPECT_TRUE(rovnakebity(rotz(0), f.jednotka));
    EXPECT_TRUE(rovnakebity(roty(0), f.jednotka));
    std::mt19937 gen(3);
    std::uniform_real_distribution<double> u(-7.0, 7.0);
    for (int n = 0; n < 50; ++n) {
        const double a = u(gen), b = u(gen);
        EXPECT_TRUE(rovnake2(nasob2(roty(a), roty(b)), roty(a + b), 1e-14));
        EXPECT_TRUE(rovnake2(nasob2(rotz(a), rotz(b)), rotz(a + b), 1e-14));
        EXPECT_TRUE(rovnake2(nasob2(nasob2(f.matnot, roty(a)), f.matnot), roty(-a), 1e-14));
        EXPECT_TRUE(rovnake2(nasob2(nasob2(f.matnot, rotz(a)), f.matnot), rotz(-a), 1e-14));
    }
}

TEST(Doelementarnych, ControlledZIsTheWorkedExample) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    const auto v = rozloz(f, brana(f.matz, 2, {1}));
    ASSERT_EQ(v.size(), 3u);
    ocakavajbranu(v[0], 0, 2, roty(-PI / 2));
    ocakavajbranu(v[1], 1, 2, f.matnot);
    EXPECT_EQ(v[1].kontroly[1], 1);
    ocakavajbranu(v[2], 0, 2, roty(PI / 2));
    EXPECT_TRUE(p.infoboxy.empty());
    EXPECT_EQ(p.logy, std::vector<std::string>{"Zacal sa rozklad L1(U) do elementarnych bran."});
}

TEST(Doelementarnych, ControlledYTakesTheAntiDiagonalBranch) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    const auto v = rozloz(f, brana(TMATICA2(z(0), z(0, -1), z(0, 1), z(0)), 1, {2}));
    ASSERT_EQ(v.size(), 3u);
    ocakavajbranu(v[0], 0, 1, rotz(PI / 2));
    ocakavajbranu(v[1], 1, 1, f.matnot);
    EXPECT_EQ(v[1].kontroly[1], 2);
    ocakavajbranu(v[2], 0, 1, rotz(-PI / 2));
}

TEST(Doelementarnych, PhaseThenAntiDiagonalByStep6) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    const auto v = rozloz(f, brana(TMATICA2(z(0), z(1), z(0, 1), z(0)), 2, {1}));
    ASSERT_EQ(v.size(), 4u);
    ocakavajbranu(v[0], 0, 1, diag2(z(1), polar(1, -3 * PI / 4)));
    ocakavajbranu(v[1], 0, 2, rotz(-3 * PI / 4));
    ocakavajbranu(v[2], 1, 2, f.matnot);
    ocakavajbranu(v[3], 0, 2, rotz(3 * PI / 4));
}

TEST(Doelementarnych, ControlledScalarBecomesOnePhaseGateOnTheControl) {
    // 0.3 by step 7, 2.5 and pi by step 8, -pi/2 + small and pi/2 at the border.
    for (double alfa : {0.3, -1.2, PI / 2, 2.5, -2.9, PI}) {
        test::ZaznamPlatforma p;
        TForm1 f(p);
        p.vycisti();  // only what the routine under test reports
        const auto v = rozloz(f, brana(diag2(polar(1, alfa), polar(1, alfa)), 2, {1}));
        ASSERT_EQ(v.size(), 1u) << alfa;
        ocakavajbranu(v[0], 0, 1, diag2(z(1), polar(1, alfa)), 1e-14);
        EXPECT_TRUE(p.infoboxy.empty());
    }
    // -I gives exactly diag(1, -1) on the control.
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    const auto v = rozloz(f, brana(diag2(z(-1), z(-1)), 1, {2}));
    ASSERT_EQ(v.size(), 1u);
    ocakavajbranu(v[0], 0, 2, f.matz, 1e-15);
}

TEST(Doelementarnych, ControlledIdentityStaysWithTwoBoxes) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    const TGATE1 g = brana(f.jednotka, 2, {1}, true);
    const auto v = rozloz(f, g);
    ASSERT_EQ(v.size(), 1u);
    EXPECT_TRUE(rovnakabrana(v[0], g));
    EXPECT_EQ(p.infoboxy, (std::vector<std::string>{"Rozloz1U: Brana kt. si poslal je identita!", NEROZLOZENA}));
    EXPECT_FALSE(f.beh.kontrolyok);
}

TEST(Doelementarnych, GatesWithoutASingleNonCnotControlAreCopied) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    nastavqubity(f, 3);
    std::mt19937 gen(9);
    const std::vector<TGATE1> obvod = {
        brana(nahodnaunitarna(gen), 1, {}, true), brana(f.matnot, 3, {2}), brana(nahodnaunitarna(gen), 2, {1, 3}),
        brana(nahodnaunitarna(gen), 3, {}),
        // Within eps of a CNOT counts as one and is kept as it is.
        brana(TMATICA2(z(3e-7), z(1), z(1), z(0)), 1, {2}, true),
    };
    vloz(f, obvod);
    f.Doelementarnych();
    ASSERT_EQ(f.pocetb1, 5);
    for (int i = 1; i <= 5; ++i) EXPECT_TRUE(rovnakabrana(f.brany[i], obvod[static_cast<std::size_t>(i - 1)])) << i;
    EXPECT_TRUE(p.infoboxy.empty());
    EXPECT_EQ(f.eps, 1e-6);
    EXPECT_TRUE(f.ProgressBar1.visible);
    EXPECT_EQ(f.ProgressBar1.position, 5);
}

TEST(Doelementarnych, EmptyStore) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    f.eps = 1e-7;
    f.Doelementarnych();
    EXPECT_EQ(f.pocetb1, 0);
    EXPECT_EQ(f.eps, 1e-6);
    EXPECT_EQ(p.logy, std::vector<std::string>{"Zacal sa rozklad L1(U) do elementarnych bran."});
}

// Chosen matrices for the cases of Rozloz1U, each also times a phase.
std::vector<TMATICA2> vybrane() {
    const TMATICA2 X(z(0), z(1), z(1), z(0));
    std::vector<TMATICA2> zaklad = {
        TMATICA2(z(0), z(0, -1), z(0, 1), z(0)),                                // Y
        diag2(z(1), z(0, 1)),                                                   // S
        diag2(z(1), polar(1, PI / 4)),                                          // T
        krat(z(1 / std::sqrt(2.0)), TMATICA2(z(1), z(1), z(1), z(-1))),         // H
        diag2(z(1), z(-1)),                                                     // Z
        diag2(z(-1), z(1)),
        TMATICA2(z(0), z(1), z(-1), z(0)),
        TMATICA2(z(0), polar(1, 0.7), polar(-1, -0.7), z(0)),
        TMATICA2(z(0), polar(1, 0.7), polar(1, 0.2), z(0)),
        TMATICA2(z(std::cos(0.4)), z(std::sin(0.4)), z(std::sin(0.4)), z(-std::cos(0.4))),
        X,
        // Determinant -1, real diagonal, nearly anti-diagonal.
        TMATICA2(z(-1.5e-6), z(std::sqrt(1 - 2.25e-12)), z(std::sqrt(1 - 2.25e-12)), z(1.5e-6)),
        roty(1.1), roty(-2.9), roty(PI), roty(3e-6), roty(PI - 3e-6),
        rotz(0.8), rotz(-3.0), rotz(5e-6),
        nasob2(rotz(0.3), nasob2(roty(1e-5), rotz(-1.9))),
        nasob2(rotz(0.3), nasob2(roty(PI - 1e-5), rotz(-1.9))),
    };
    std::vector<TMATICA2> v;
    for (const TMATICA2& M : zaklad)
        for (double faza : {0.0, 0.5, PI / 2, -PI / 2, 2.2, PI, -0.01}) v.push_back(krat(polar(1, faza), M));
    return v;
}

TEST(Doelementarnych, EveryReplacementComposesToTheControlledGate) {
    std::vector<TMATICA2> matice = vybrane();
    std::mt19937 gen(2718);
    for (int n = 0; n < 400; ++n) matice.push_back(nahodnaunitarna(gen));
    // Random matrices of determinant 1 and their negatives (det 1, step 12).
    for (int n = 0; n < 50; ++n) {
        std::uniform_real_distribution<double> u(-PI, PI);
        const TMATICA2 M = nasob2(rotz(u(gen)), nasob2(roty(u(gen)), rotz(u(gen))));
        matice.push_back(M);
        matice.push_back(krat(z(-1), M));
    }
    const std::set<std::size_t> velkosti = {1, 3, 4, 5, 6};
    std::set<std::size_t> videne;
    // Control before and after the target, and a third qubit left idle.
    const int rozlozenia[3][3] = {{2, 2, 1}, {2, 1, 2}, {3, 1, 3}};
    test::ZaznamPlatforma p;
    TForm1 f(p);
    std::size_t n = 0;
    for (const TMATICA2& U : matice) {
        const auto& r = rozlozenia[n++ % 3];
        p.vycisti();  // only what the routine under test reports
        nastavqubity(f, r[0]);
        const TGATE1 g = brana(U, r[1], {r[2]});
        const TMATICA1 ocakavana = f.maticabrany(g);
        const bool cnot = rovnake2(U, f.matnot, 1e-6);
        const auto v = rozloz(f, g);
        ASSERT_TRUE(p.infoboxy.empty()) << p.infoboxy[0] << " matrix " << n;
        ASSERT_TRUE(velkosti.count(v.size())) << v.size();
        videne.insert(v.size());
        if (cnot) {
            EXPECT_EQ(v.size(), 1u);
        }
        for (const TGATE1& e : v) {
            EXPECT_TRUE(elementarna(f, e));
            EXPECT_FALSE(e.vyradena);
            EXPECT_TRUE(unitarna2(e.U, 1e-12));
            EXPECT_TRUE(e.ciel == r[1] || e.ciel == r[2]);
        }
        EXPECT_TRUE(rovnake(celok(f), ocakavana, f.rozmer, f.eps)) << "matrix " << n;
        EXPECT_LT(odchylka(celok(f), ocakavana, f.rozmer), 1e-9) << "matrix " << n;
    }
    EXPECT_EQ(videne, velkosti);
    EXPECT_TRUE(f.beh.kontrolyok);
}

TEST(Doelementarnych, GateCountFollowsTheCase) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    f.eps = EPS_ELEMENT;
    TForm1::TROZPIS1U rozpis;
    int pocet = 0;
    struct Pripad {
        TMATICA2 U;
        int pocet;
    };
    const TMATICA2 R = nasob2(rotz(0.3), nasob2(roty(1.0), rotz(-1.9)));
    const std::vector<Pripad> pripady = {
        {f.matz, 3},                                            // step 5
        {TMATICA2(z(0), z(1), z(0, 1), z(0)), 4},               // step 6
        {diag2(polar(1, 0.2), polar(1, 0.2)), 1},               // step 7
        {diag2(polar(1, 2.0), polar(1, 2.0)), 1},               // step 8
        {roty(0.9), 4},                                         // step 9
        {krat(polar(1, 0.4), roty(0.9)), 5},                    // step 10
        {R, 5},                                                 // step 12
        {krat(polar(1, 0.4), R), 6},                            // step 13
    };
    for (const Pripad& pr : pripady) {
        EXPECT_TRUE(f.Rozloz1U(brana(pr.U, 1, {2}), rozpis, pocet));
        EXPECT_EQ(pocet, pr.pocet);
    }
    EXPECT_TRUE(p.infoboxy.empty());
}

TEST(Rozloz1U, RefusalsAndTheirBoxes) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    f.eps = EPS_ELEMENT;
    TForm1::TROZPIS1U rozpis;
    int pocet = 7;
    EXPECT_FALSE(f.Rozloz1U(brana(f.matz, 1, {}), rozpis, pocet));
    EXPECT_EQ(pocet, 0);
    EXPECT_FALSE(f.Rozloz1U(brana(f.matz, 1, {2, 3}), rozpis, pocet));
    EXPECT_FALSE(f.Rozloz1U(brana(diag2(z(2), z(1)), 1, {2}), rozpis, pocet));
    // |det| = 1 but not unitary with M11 = 0: caught by step 11.
    EXPECT_FALSE(f.Rozloz1U(brana(TMATICA2(z(0), z(0, 1), z(0, 1), z(0.5, 0.5)), 1, {2}), rozpis, pocet));
    EXPECT_EQ(pocet, 0);
    EXPECT_EQ(p.infoboxy, (std::vector<std::string>{"Rozloz1U: Brana kt. si poslal si na rozklad nie je L1(U)",
                                                    "Rozloz1U: Brana kt. si poslal si na rozklad nie je L1(U)", ZLYDET,
                                                    ZLYDET}));
    // A CNOT is handed back as it is.
    p.vycisti();
    const TGATE1 cnot = brana(f.matnot, 1, {2}, true);
    EXPECT_TRUE(f.Rozloz1U(cnot, rozpis, pocet));
    ASSERT_EQ(pocet, 1);
    EXPECT_TRUE(rovnakabrana(rozpis[1], cnot));
    EXPECT_EQ(p.infoboxy, std::vector<std::string>{"Rozloz1U: Brana kt. si poslal je CNOT a teda ho uz nerozkladam."});
    EXPECT_TRUE(f.beh.kontrolyok);
}

TEST(Rozloz1U, FailedAngleChecksAreReportedAndTheGatesProduced) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    f.eps = EPS_ELEMENT;
    TForm1::TROZPIS1U rozpis;
    int pocet = 0;
    // Determinant -1 and a real diagonal, but not unitary.
    EXPECT_TRUE(f.Rozloz1U(brana(TMATICA2(z(0.5), z(2), z(0.625), z(0.5)), 1, {2}), rozpis, pocet));
    EXPECT_EQ(pocet, 3);
    // Determinant 1 and a real off-diagonal, but not unitary.
    EXPECT_TRUE(f.Rozloz1U(brana(TMATICA2(z(2), z(1), z(1), z(1)), 1, {2}), rozpis, pocet));
    EXPECT_EQ(pocet, 4);
    EXPECT_EQ(p.infoboxy, (std::vector<std::string>{"Rozloz1U: Nie su spravne urcene parametre matice!",
                                                    "Rozloz1U: Nie su spravne urcene parametre matice!"}));
    EXPECT_FALSE(f.beh.kontrolyok);
}

TEST(Rozloz1U, GeneralCaseWithAVanishingCosineIsNotADivisionByZero) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    f.eps = EPS_ELEMENT;
    TForm1::TROZPIS1U rozpis;
    int pocet = 0;
    // det 1, far from unitary: the angle g comes out within 2e-8 of pi, so
    // cos(g/2) is about 1e-8.
    const TMATICA2 M(z(1e-4), z(0, 1e-4), z(0, 1e4), z(0));
    bool vysledok = false;
    EXPECT_NO_THROW(vysledok = f.Rozloz1U(brana(M, 1, {2}), rozpis, pocet));
    EXPECT_TRUE(vysledok);
    EXPECT_EQ(pocet, 5);
    EXPECT_EQ(p.infoboxy, std::vector<std::string>{"Rozloz1U: Nie su spravne urcene parametre vo vsoeb. matici!"});
    for (int i = 1; i <= pocet; ++i) EXPECT_TRUE(unitarna2(rozpis[i].U, 1e-12));
}

TEST(Doelementarnych, AfterDoL1OnlyElementaryGatesRemainAndTheOperatorHolds) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // only what the routine under test reports
    nastavqubity(f, 4);
    std::mt19937 gen(31);
    vloz(f, {brana(nahodnaunitarna(gen), 2, {4, 1, 3}), brana(nahodnaunitarna(gen), 1, {}),
             brana(f.matnot, 4, {1, 2}), brana(nahodnaunitarna(gen), 3, {2})});
    const TMATICA1 pred = celok(f);
    f.DoL1();
    f.Doelementarnych();
    EXPECT_GT(f.pocetb1, 13 + 1 + 5 + 1);
    for (int i = 1; i <= f.pocetb1; ++i) EXPECT_TRUE(elementarna(f, f.brany[i])) << i;
    EXPECT_LT(odchylka(celok(f), pred, f.rozmer), 1e-9);
    EXPECT_TRUE(p.infoboxy.empty());
    EXPECT_TRUE(f.beh.kontrolyok);
}

// A store filled near the limit.
using DoelementarnychPlny = PlnyTest;

TEST_F(DoelementarnychPlny, ResultOfExactlyTheStoreSizeFits) {
    // Many CNOTs, which stay single gates, and one controlled Z (+2).
    std::vector<std::pair<int, TGATE1>> b;
    for (int i = 1000; i < 400000; i += 7) b.push_back({i, brana(f.matnot, 2, {1})});
    b.push_back({300001, brana(f.matz, 2, {1})});
    napln(MAXBRAN - 2, b);
    f.Doelementarnych();
    ASSERT_EQ(f.pocetb1, MAXBRAN);
    EXPECT_TRUE(p.infoboxy.empty());
    EXPECT_TRUE(rovnakabrana(f.brany[300000], povodne[299999]));
    ocakavajbranu(f.brany[300001], 0, 2, roty(-PI / 2));
    ocakavajbranu(f.brany[300003], 0, 2, roty(PI / 2));
    EXPECT_TRUE(rovnakabrana(f.brany[300004], povodne[300001]));
    EXPECT_TRUE(rovnakabrana(f.brany[MAXBRAN], povodne.back()));
    EXPECT_TRUE(f.beh.kontrolyok);
}

TEST_F(DoelementarnychPlny, OneRecordTooManyKeepsTheCircuit) {
    napln(MAXBRAN - 1, {{350000, brana(f.matz, 2, {1})}});
    f.Doelementarnych();
    EXPECT_EQ(p.infoboxy, std::vector<std::string>{PRETECENIE});
    EXPECT_TRUE(nezmeneny());
    EXPECT_FALSE(f.beh.kontrolyok);
    EXPECT_EQ(f.eps, 1e-6);
}

TEST_F(DoelementarnychPlny, OverflowAfterReplacementsThatFitKeepsTheCircuit) {
    // 6 free records: a general gate at 3 (+5) fits, a controlled identity at
    // 40 is reported on the way, the controlled Z at 90 (+2) does not fit.
    std::mt19937 gen(41);
    napln(MAXBRAN - 6, {{3, brana(krat(polar(1, 0.4), nasob2(roty(1.0), rotz(0.5))), 2, {1})},
                        {40, brana(f.jednotka, 1, {2})},
                        {90, brana(f.matz, 2, {1})},
                        {399000, brana(nahodnaunitarna(gen), 1, {2})}});
    f.Doelementarnych();
    EXPECT_EQ(p.infoboxy,
              (std::vector<std::string>{"Rozloz1U: Brana kt. si poslal je identita!", NEROZLOZENA, PRETECENIE}));
    EXPECT_TRUE(nezmeneny());
}

// A NaN entry makes a matrix neither the identity nor a CNOT nor one of
// determinant modulus 1: the gate is refused for its determinant.
TEST(Rozloz1U, NanEntriesAreRefusedForTheirDeterminant) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const TMATICA2 matice[] = {{z(nan), z(0), z(0), z(1)}, {z(0), z(1), z(1), z(0, nan)}, {z(0, 1), z(nan), z(0), z(0, 1)}};
    for (const TMATICA2& M : matice) {
        test::ZaznamPlatforma p;
        TForm1 f(p);
        p.vycisti();
        f.eps = EPS_ELEMENT;
        TForm1::TROZPIS1U rozpis;
        int pocet = 7;
        EXPECT_FALSE(f.Rozloz1U(brana(M, 1, {2}), rozpis, pocet));
        EXPECT_EQ(pocet, 0);
        EXPECT_EQ(p.infoboxy, std::vector<std::string>{ZLYDET});
    }
}
