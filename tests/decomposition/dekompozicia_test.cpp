#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "app/subory.h"
#include "tests/decomposition/pomocne.h"
#include "tests/zaznam.h"

using namespace qlc;
using namespace qlc::test;

namespace {

const std::string ZACIATOK = "Zacala sa dekompozicia.";
const std::string USPECH = "Dekompozicia matice prebehla uspesne (zrekonstr.mat.=povodnej).";
const std::string ROZKLAD = "Zacal sa rozklad Tpq do QLS.";
const std::string STAT = "Statistika zobrazenej siete:--------";
const std::string REDUKCIA_ZLE = ":(( redukcia neprebehla spravne, preto sa prerusuje dekompozicia.";

// Also sees the form: notes whether the button was disabled while the run
// logged, and can raise pocetb1 near the limit at the first step of the
// two-level stage, as a huge circuit would.
class SledujucaPlatforma : public ZaznamPlatforma {
public:
    TForm1* f = nullptr;
    bool tlacidlopocasbehu = true;
    int naplnna = -1;
    void memo(const std::string& r) override {
        ZaznamPlatforma::memo(r);
        if (f && r == ZACIATOK) tlacidlopocasbehu = f->Button3enabled;
    }
    void zmena(Ovladac o) override {
        ZaznamPlatforma::zmena(o);
        if (f && naplnna >= 0 && o == Ovladac::ProgressBar1 && logy.back() == ROZKLAD && f->ProgressBar1.position == 1)
            f->pocetb1 = std::exchange(naplnna, -1);
    }
};

void spusti(TForm1& f, ZaznamPlatforma& p, const Husta& U, int hlbka = HLBKA_TOFFOLI) {
    nastavqubity(f, static_cast<int>(std::log2(U.n)));
    f.A = naTMATICA1(U);
    f.ComboBox1 = hlbka;
    f.roboptim = false;
    p.vycisti();
    p.progresy = 0;
    EXPECT_TRUE(f.prikaz([&] { f.Button3Click(); }));
}

// A finished run at the depth of multi-controlled gates: its log, the gate
// shapes, the circuit against the input by the independent dense product,
// A rebuilt, and the controls set for the display.
void overbeh(const TForm1& f, const ZaznamPlatforma& p, const Husta& U) {
    ASSERT_FALSE(p.logy.empty());
    EXPECT_EQ(p.logy[0], ZACIATOK);
    EXPECT_TRUE(p.malog(USPECH));
    EXPECT_TRUE(p.chyby.empty() && p.infoboxy.empty());
    EXPECT_TRUE(f.beh.dokoncena && f.beh.kontrolyok && f.Button3enabled);
    for (int i = 1; i <= f.pocetb1; ++i) {
        const TGATE1& g = f.brany[i];
        ASSERT_TRUE(g.pocetk == f.pocetq - 1 || (g.pocetk == 0 && bitovorovnake(g.U, f.matnot))) << i;
    }
    EXPECT_LT(rozdiel(obvod(f), U), 1e-7);
    EXPECT_TRUE(rovnake(f.A, naTMATICA1(U), f.rozmer, f.eps));
    EXPECT_EQ(f.eps, EPS_ZAKLAD);
    EXPECT_EQ(f.Label11, std::to_string(f.pocetb1));
    EXPECT_TRUE(f.TrackBar1.max == f.pocetb1 && f.TrackBar1.frequency == f.pocetb1 / 50);
    EXPECT_TRUE(f.pocetb1 >= 5000 || f.UpDown1.max == f.pocetb1);
    EXPECT_TRUE(!f.ProgressBar1.visible && !f.StringGrid1.visible && f.Image1visible);
}

}  // namespace

// Seeded random unitaries of 2..5 qubits, the exchange of the first and the
// last state, shuffled permutations, diagonal phases (phase gates only) and
// the identity (no gate at all; a previous circuit is discarded).
TEST(Dekompozicia, MatricesRebuiltByTheCircuit) {
    std::mt19937 gen(9);
    std::uniform_real_distribution<double> uhol(-M_PI, M_PI);
    for (int n = 2; n <= 5; ++n) {
        const int r = 1 << n;
        std::vector<int> vymena(static_cast<std::size_t>(r)), zamiesana;
        std::iota(vymena.begin(), vymena.end(), 1);
        zamiesana = vymena;
        std::swap(vymena.front(), vymena.back());
        std::shuffle(zamiesana.begin(), zamiesana.end(), gen);
        Husta D(r);
        for (int i = 1; i <= r; ++i) D(i, i) = std::polar(1.0, uhol(gen));
        const Husta vstupy[] = {nahodnaunitarna(r, n), permutacia(vymena), permutacia(zamiesana), D, Husta(r, true)};
        for (int v = 0; v < 5; ++v) {
            SCOPED_TRACE("n=" + std::to_string(n) + " input " + std::to_string(v));
            ZaznamPlatforma p;
            TForm1 f(p);
            f.pocetb1 = 5;
            spusti(f, p, vstupy[v]);
            overbeh(f, p, vstupy[v]);
            if (v == 0 || v >= 3) {
                EXPECT_EQ(f.pocettpq, v == 0 ? r * (r - 1) / 2 : 0);
            }
            EXPECT_EQ(f.pocetb1 == 0, v == 4);
            EXPECT_EQ(p.malog("Celkovy pocet bran: 0"), v == 4);
        }
    }
}

// The driver's lines, the statistics of the first stage, and the progress
// bar: start and rozmer - 1 steps, start and pocettpq steps, hidden.
TEST(Dekompozicia, LogAndProgressOfATwoQubitRun) {
    ZaznamPlatforma p;
    TForm1 f(p);
    spusti(f, p, nahodnaunitarna(4, 77));
    int l[2] = {0, 0};
    for (int i = 1; i <= f.pocetb1; ++i) ++l[f.brany[i].pocetk];
    const std::vector<std::string> ocak = {ZACIATOK, USPECH, ROZKLAD, STAT,
                                           "Celkovy pocet bran: " + std::to_string(f.pocetb1),
                                           "Bran L0(U) je " + std::to_string(l[0]),
                                           "Bran L1(U) je " + std::to_string(l[1]), std::string(36, '-')};
    ASSERT_GE(p.logy.size(), ocak.size());
    EXPECT_EQ(std::vector<std::string>(p.logy.begin(), p.logy.begin() + 8), ocak);
    EXPECT_EQ(p.progresy, 1 + 3 + 1 + 6 + 1);
}

// Not unitary within the eps in force: two lines, nothing else changes.
TEST(Dekompozicia, NonUnitaryInputChangesNothing) {
    ZaznamPlatforma p;
    TForm1 f(p);
    nastavqubity(f, 3);
    f.pocetb1 = 2;
    f.pocettpq = 4;
    f.fazy[1] = 0.5;
    Husta U = nahodnaunitarna(8, 4);
    U(3, 5) += 1e-4;
    f.A = naTMATICA1(U);
    const TMATICA1 pred = f.A;
    f.eps = 3e-7;
    p.vycisti();
    f.Button3Click();
    EXPECT_EQ(p.logy, (std::vector<std::string>{
                          ZACIATOK, "Matica na dekomp. nie je unitárna. S takou sa neda ďalej pracovať!!!"}));
    EXPECT_TRUE(bitovorovnake(f.A, pred));
    EXPECT_TRUE(f.pocetb1 == 2 && f.pocettpq == 4 && f.fazy[1] == 0.5 && f.eps == 3e-7 && p.progresy == 0);
    EXPECT_TRUE(!f.beh.dokoncena && !f.beh.kontrolyok && f.Button3enabled);
}

// A large eps lets non-unitary matrices past the first test; the reduction
// (at 1e-7) then reports. Diagonal entries of modulus 1.5: every step and
// the check after the reduction one line per entry. An entry in column n
// that no step can clear: the step's report and box, then one line.
TEST(Dekompozicia, ReductionCheckEndsTheRun) {
    const std::string PRIEKAK = " boli vsade v a[n,.] a a[.,n] nuly, okrem a[n,n] ktore nema modul 1 => matica nemoze "
                                "byt unitarna => PRIEKAK";
    ZaznamPlatforma p;
    TForm1 f(p);
    f.pocetb1 = 3;
    Husta D(4, true);
    D(2, 2) = D(3, 3) = D(4, 4) = 1.5;
    f.A = naTMATICA1(D);
    f.eps = 2.0;
    p.vycisti();
    f.dekompozicia();
    std::vector<std::string> ocak = {ZACIATOK};
    for (int n = 4; n >= 2; --n) ocak.push_back("Pri redukcii matici o rozmere " + std::to_string(n) + PRIEKAK);
    ocak.insert(ocak.end(), 3, "!! Po redukcii existuje diagonalny clen s modulom roznym od 1.");
    ocak.push_back(REDUKCIA_ZLE);
    EXPECT_EQ(p.logy, ocak);
    EXPECT_TRUE(f.eps == EPS_ZAKLAD && f.pocetb1 == 3 && f.ProgressBar1.visible);
    EXPECT_TRUE(!f.beh.dokoncena && !f.beh.kontrolyok);

    Husta M(4, true);
    M(1, 4) = 0.5;
    f.A = naTMATICA1(M);
    f.eps = 2.0;
    p.vycisti();
    f.dekompozicia();
    EXPECT_EQ(p.logy, (std::vector<std::string>{
                          ZACIATOK, "U*T uz nie je unitarna mat. ",
                          "!!!! Po redukcii mat. o rozmere 4 neboli vsade v a[n,.] a a[.,n] nuly, alebo a[n,n] nema "
                          "modul 1",
                          "!! Po redukcii existuje nediagonalny clen rozny od nuly.", REDUKCIA_ZLE}));
    EXPECT_EQ(p.infoboxy, std::vector<std::string>{"!!!! Redukcia: Problem!!"});
}

// The store fills up during the two-level stage: the run ends in order,
// every counted record complete, the progress bar hidden, the button
// enabled again; a run-time error also enables it again.
TEST(Dekompozicia, FullStoreAndErrorsEndTheRunInOrder) {
    SledujucaPlatforma p;
    TForm1 f(p);
    p.f = &f;
    p.naplnna = MAXBRAN - 3;
    spusti(f, p, nahodnaunitarna(8, 21));
    EXPECT_EQ(f.pocetb1, MAXBRAN);
    EXPECT_EQ(p.infoboxy, std::vector<std::string>(2, "Prave sa dosiahol maximalny povoleny pocet bran!!!!"));
    EXPECT_EQ(p.logy.back(), ":(( Bol dosiahnuty maximalny pocet bran, preto sa prerusuje dekompozicia.");
    EXPECT_FALSE(p.malog(STAT));
    EXPECT_TRUE(!f.ProgressBar1.visible && !f.beh.dokoncena && f.Button3enabled && !p.tlacidlopocasbehu);
    for (int i = MAXBRAN - 2; i <= MAXBRAN; ++i) EXPECT_TRUE(unitarna2(f.brany[i].U, 1e-12)) << i;

    p.vycisti();
    p.tlacidlopocasbehu = true;
    f.rozmer = 0;  // refused by the unitarity test
    EXPECT_FALSE(f.prikaz([&] { f.Button3Click(); }));
    EXPECT_EQ(p.chyby.size(), 1u);
    EXPECT_TRUE(!p.tlacidlopocasbehu && f.Button3enabled);
    EXPECT_EQ(std::count(p.zmeny.begin(), p.zmeny.end(), Ovladac::Button3), 2);
}

// The depth decides the stages, the statistics and the composition checks:
// none at "zovseob.Toffoli bran", the L1(U) check only at "L1(U) bran", the
// elementary check only at "element. bran", where the optimiser runs even
// with roboptim unchecked. A is the input again, bit for bit, after a check.
TEST(Dekompozicia, DepthChoosesStagesAndChecks) {
    const std::string L1 = "Kompozicia siete z L1(U) bran dala povodnu unitarnu maticu.";
    const std::string EL = "Kompozicia siete z elementarnych bran dala povodnu unitarnu maticu.";
    for (int n = 2; n <= 3; ++n) {
        const Husta U = nahodnaunitarna(1 << n, 500 + n);
        for (int hlbka : {HLBKA_TOFFOLI, HLBKA_L1, HLBKA_ELEMENT}) {
            SCOPED_TRACE("n=" + std::to_string(n) + " depth=" + std::to_string(hlbka));
            ZaznamPlatforma p;
            TForm1 f(p);
            spusti(f, p, U, hlbka);
            EXPECT_TRUE(p.chyby.empty() && f.beh.dokoncena && f.beh.kontrolyok);
            EXPECT_EQ(std::count(p.logy.begin(), p.logy.end(), STAT), 3 - hlbka);
            EXPECT_EQ(p.malog(L1), hlbka == HLBKA_L1);
            EXPECT_EQ(p.malog(EL), hlbka == HLBKA_ELEMENT);
            EXPECT_EQ(p.malog("Zacala sa prvotna optimalizacia."), hlbka == HLBKA_ELEMENT);
            for (int i = 1; i <= f.pocetb1; ++i) EXPECT_LE(f.brany[i].pocetk, hlbka == HLBKA_TOFFOLI ? n - 1 : 1);
            EXPECT_LT(rozdiel(obvod(f), U), 1e-5);
            if (hlbka != HLBKA_TOFFOLI) {
                EXPECT_TRUE(bitovorovnake(f.A, naTMATICA1(U)));
            }
        }
    }
}

// Entries whose products overflow (X^dagger X gets inf and inf - inf = NaN
// parts) make no unitary matrix: the run stops at the first test with its
// two lines, read from a matrix file as well as set directly.
TEST(Dekompozicia, OverflowingEntriesAreRefusedAsNotUnitary) {
    const std::vector<std::string> ODMIETNUTA = {
        ZACIATOK, "Matica na dekomp. nie je unitárna. S takou sa neda ďalej pracovať!!!"};
    ZaznamPlatforma p;
    TForm1 f(p);
    for (const char* prvok : {"1E200 + 1E200i", "1E308", "-1E308", "0 - 1E200i", "1E160+1E160i"}) {
        const std::string text = std::string("4\r\n{{") + prvok +
                                 ",0,0,0},\r\n{0,1,0,0},\r\n{0,0,1,0},\r\n{0,0,0,1}}\r\n";
        const TNacitanaMatica m = citajtext(text, "m.mat");
        nastavqubity(f, 2);
        f.A = m.A;
        f.pocetb1 = 3;
        p.vycisti();
        EXPECT_TRUE(f.prikaz([&] { f.Button3Click(); }));
        EXPECT_EQ(p.logy, ODMIETNUTA) << prvok;
        EXPECT_EQ(f.pocetb1, 3) << "the circuit stays: " << prvok;
        EXPECT_TRUE(!f.beh.dokoncena && !f.beh.kontrolyok);
    }
    // Every product finite, only a sum overflowing: 1.2e154 twice in column 1.
    nastavqubity(f, 2);
    f.A = jednotkova(4);
    f.A(1, 1) = TKOMPLEX(1.2e154);
    f.A(2, 1) = TKOMPLEX(1.2e154);
    p.vycisti();
    EXPECT_TRUE(f.prikaz([&] { f.Button3Click(); }));
    EXPECT_EQ(p.logy, ODMIETNUTA);
}

// The circuit equals the input only within eps: a two-level rotation by
// 9e-8 rad passes every check as the identity and becomes no gate at all,
// at every depth, and the run counts as a success. The circuit then
// deviates from the input by the rotation itself.
TEST(Dekompozicia, RotationBelowEpsBecomesNoGate) {
    const double t = 9e-8;
    Husta U(4, true);
    U(3, 3) = std::cos(t);
    U(3, 4) = -std::sin(t);
    U(4, 3) = std::sin(t);
    U(4, 4) = std::cos(t);
    for (int hlbka : {HLBKA_TOFFOLI, HLBKA_L1, HLBKA_ELEMENT}) {
        ZaznamPlatforma p;
        TForm1 f(p);
        spusti(f, p, U, hlbka);
        EXPECT_TRUE(f.beh.dokoncena && f.beh.kontrolyok) << hlbka;
        EXPECT_EQ(f.pocetb1, 0) << hlbka;
        EXPECT_NEAR(rozdiel(obvod(f), U), t, 1e-12) << hlbka;
    }
}
