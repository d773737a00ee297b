#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "app/form1.h"
#include "tests/decomposition/pomocne.h"
#include "tests/zaznam.h"

using namespace qlc;
using namespace qlc::test;

namespace {

const std::string ZACIATOK = "Zacala sa dekompozicia.";
const std::string USPECH = "Dekompozicia matice prebehla uspesne (zrekonstr.mat.=povodnej).";
const std::string ROZKLAD = "Zacal sa rozklad Tpq do QLS.";

// A recording platform that also sees the form: it notes whether the
// button was disabled while the run logged, and can fill the store up to
// near its limit when the two-level stage advances the progress bar for
// the first time.
class SledujucaPlatforma : public ZaznamPlatforma {
public:
    TForm1* f = nullptr;
    bool tlacidlopocasbehu = true;
    int naplnna = -1;  // pocetb1 to set at the first step of the two-level stage
    void memo(const std::string& r) override {
        ZaznamPlatforma::memo(r);
        if (f && r == ZACIATOK) tlacidlopocasbehu = f->Button3enabled;
    }
    void zmena(Ovladac o) override {
        ZaznamPlatforma::zmena(o);
        if (f && naplnna >= 0 && o == Ovladac::ProgressBar1 && !logy.empty() && logy.back() == ROZKLAD &&
            f->ProgressBar1.position == 1) {
            f->pocetb1 = naplnna;
            naplnna = -1;
        }
    }
};

void spusti(TForm1& f, ZaznamPlatforma& p, const Husta& U, int hlbka = HLBKA_TOFFOLI) {
    nastavqubity(f, [&] {
        int n = 0;
        while ((1 << n) < U.n) ++n;
        return n;
    }());
    f.A = naTMATICA1(U);
    f.ComboBox1 = hlbka;
    f.roboptim = false;
    p.vycisti();
    p.progresy = 0;
    EXPECT_TRUE(f.prikaz([&] { f.Button3Click(); }));
}

// A finished run at the depth of multi-controlled gates: its log, the
// shape of its gates, the circuit against the input by the independent
// dense product, and the controls set for the display.
void overbeh(const TForm1& f, const ZaznamPlatforma& p, const Husta& U) {
    ASSERT_FALSE(p.logy.empty());
    EXPECT_EQ(p.logy[0], ZACIATOK);
    EXPECT_TRUE(p.malog(USPECH));
    EXPECT_TRUE(p.chyby.empty());
    EXPECT_TRUE(f.beh.dokoncena);
    EXPECT_TRUE(f.beh.kontrolyok);
    EXPECT_TRUE(f.Button3enabled);
    const int n = f.pocetq;
    for (int i = 1; i <= f.pocetb1; ++i) {
        const TGATE1& g = f.brany[i];
        ASSERT_TRUE(g.pocetk == 0 || g.pocetk == n - 1) << i;
        if (g.pocetk == 0) {
            EXPECT_TRUE(rovnake2(g.U, f.matnot, 0.0)) << i;
        }
    }
    EXPECT_LT(rozdiel(obvod(f, 1, f.pocetb1), U), 1e-7);
    // A holds the input again (the rebuilt matrix).
    EXPECT_TRUE(rovnake(f.A, naTMATICA1(U), f.rozmer, f.eps));
    EXPECT_EQ(f.eps, EPS_ZAKLAD);
    EXPECT_EQ(f.Label11, std::to_string(f.pocetb1));
    EXPECT_EQ(f.TrackBar1.max, f.pocetb1);
    EXPECT_EQ(f.TrackBar1.frequency, f.pocetb1 / 50);
    if (f.pocetb1 < 5000) {
        EXPECT_EQ(f.UpDown1.max, f.pocetb1);
    }
    EXPECT_FALSE(f.ProgressBar1.visible);
    EXPECT_FALSE(f.StringGrid1.visible);
    EXPECT_TRUE(f.Image1visible);
}

}  // namespace

TEST(Dekompozicia, RandomUnitariesOfTwoToFiveQubits) {
    for (int n = 2; n <= 5; ++n) {
        for (std::uint32_t semienko : {1u, 2u}) {
            if (n == 5 && semienko == 2u) break;  // one five-qubit matrix is enough
            SCOPED_TRACE("n=" + std::to_string(n) + " seed=" + std::to_string(semienko));
            ZaznamPlatforma p;
            TForm1 f(p);
            p.vycisti();  // the creation logs the drawing of the empty circuit
            const Husta U = nahodnaunitarna(1 << n, semienko * 31 + n);
            spusti(f, p, U);
            overbeh(f, p, U);
            EXPECT_EQ(f.pocettpq, f.rozmer * (f.rozmer - 1) / 2);
        }
    }
}

// The driver's own log lines, the statistics after the first stage and the
// progress bar: one start and rozmer - 1 steps for the reduction, one start
// and pocettpq steps for the two-level stage, and hiding it at the end.
TEST(Dekompozicia, LogAndProgressOfATwoQubitRun) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    const Husta U = nahodnaunitarna(4, 77);
    spusti(f, p, U);
    overbeh(f, p, U);
    int l[2] = {0, 0};
    for (int i = 1; i <= f.pocetb1; ++i) ++l[f.brany[i].pocetk];
    const std::vector<std::string> ocak = {ZACIATOK,
                                           USPECH,
                                           ROZKLAD,
                                           "Statistika zobrazenej siete:--------",
                                           "Celkovy pocet bran: " + std::to_string(f.pocetb1),
                                           "Bran L0(U) je " + std::to_string(l[0]),
                                           "Bran L1(U) je " + std::to_string(l[1]),
                                           "------------------------------------"};
    ASSERT_GE(p.logy.size(), ocak.size());
    EXPECT_EQ(std::vector<std::string>(p.logy.begin(), p.logy.begin() + 8), ocak);
    EXPECT_TRUE(p.infoboxy.empty());
    EXPECT_EQ(p.progresy, 1 + 3 + 1 + 6 + 1);
    EXPECT_GT(f.pocetb1, 0);
}

TEST(Dekompozicia, PermutationsDiagonalsAndIdentity) {
    std::mt19937 gen(9);
    for (int n = 2; n <= 4; ++n) {
        const int r = 1 << n;
        std::vector<int> obraz(static_cast<std::size_t>(r));
        std::iota(obraz.begin(), obraz.end(), 1);

        // exchange of the first and the last state
        std::vector<int> vymena = obraz;
        std::swap(vymena.front(), vymena.back());
        std::vector<int> zamiesana = obraz;
        std::shuffle(zamiesana.begin(), zamiesana.end(), gen);
        for (const auto& o : {vymena, zamiesana}) {
            SCOPED_TRACE("permutation n=" + std::to_string(n));
            ZaznamPlatforma p;
            TForm1 f(p);
            p.vycisti();  // the creation logs the drawing of the empty circuit
            const Husta P = permutacia(o);
            spusti(f, p, P);
            overbeh(f, p, P);
        }

        // diagonal phases: no two-level matrix, only phase gates
        SCOPED_TRACE("diagonal n=" + std::to_string(n));
        std::uniform_real_distribution<double> uhol(-M_PI, M_PI);
        Husta D(r);
        for (int i = 1; i <= r; ++i) D(i, i) = std::polar(1.0, uhol(gen));
        ZaznamPlatforma p;
        TForm1 f(p);
        p.vycisti();  // the creation logs the drawing of the empty circuit
        spusti(f, p, D);
        overbeh(f, p, D);
        EXPECT_EQ(f.pocettpq, 0);
        for (int i = 1; i <= f.pocetb1; ++i)
            if (f.brany[i].pocetk > 0) {
                EXPECT_EQ(f.brany[i].ciel, n);
            }
    }
}

// The identity yields no gate at all, and nothing fails on the empty
// circuit.
TEST(Dekompozicia, IdentityGivesEmptyCircuit) {
    for (int n = 2; n <= 5; ++n) {
        ZaznamPlatforma p;
        TForm1 f(p);
        p.vycisti();  // the creation logs the drawing of the empty circuit
        f.pocetb1 = 5;  // a previous circuit is discarded
        const Husta I = Husta::jednotka(1 << n);
        spusti(f, p, I);
        overbeh(f, p, I);
        EXPECT_EQ(f.pocetb1, 0);
        EXPECT_EQ(f.pocettpq, 0);
        EXPECT_TRUE(p.malog("Celkovy pocet bran: 0"));
        EXPECT_TRUE(p.infoboxy.empty());
    }
}

// A matrix that is not unitary: two log lines and nothing else changes.
TEST(Dekompozicia, NonUnitaryInputChangesNothing) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    nastavqubity(f, 3);
    f.pocetb1 = 2;
    f.pocettpq = 4;
    f.tpq[1].omega = 0.25;
    f.fazy[1] = 0.5;
    Husta U = nahodnaunitarna(8, 4);
    U(3, 5) += 1e-4;
    f.A = naTMATICA1(U);
    const TMATICA1 pred = f.A;
    f.ComboBox1 = HLBKA_TOFFOLI;
    f.roboptim = false;
    f.eps = 3e-7;
    p.vycisti();
    f.Button3Click();
    EXPECT_EQ(p.logy, (std::vector<std::string>{
                          ZACIATOK, "Matica na dekomp. nie je unitárna. S takou sa neda ďalej pracovať!!!"}));
    EXPECT_TRUE(p.infoboxy.empty());
    EXPECT_TRUE(bitovorovnake(f.A, pred));
    EXPECT_EQ(f.pocetb1, 2);
    EXPECT_EQ(f.pocettpq, 4);
    EXPECT_EQ(f.tpq[1].omega, 0.25);
    EXPECT_EQ(f.fazy[1], 0.5);
    EXPECT_EQ(f.eps, 3e-7);
    EXPECT_EQ(p.progresy, 0);
    EXPECT_FALSE(f.beh.dokoncena);
    EXPECT_FALSE(f.beh.kontrolyok);
    EXPECT_TRUE(f.Button3enabled);
}

// The unitarity test uses the eps in force; with a large one a matrix with
// diagonal entries of modulus 1.5 passes it, and then the reduction (at
// eps = 1e-7) reports every step and the check after it one line per entry.
TEST(Dekompozicia, ReductionCheckEndsTheRun) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    nastavqubity(f, 2);
    f.pocetb1 = 3;
    Husta D = Husta::jednotka(4);
    for (int i = 2; i <= 4; ++i) D(i, i) = 1.5;
    f.A = naTMATICA1(D);
    f.ComboBox1 = HLBKA_TOFFOLI;
    f.eps = 2.0;
    f.dekompozicia();
    std::vector<std::string> ocak = {ZACIATOK};
    for (int n = 4; n >= 2; --n)
        ocak.push_back("Pri redukcii matici o rozmere " + std::to_string(n) +
                       " boli vsade v a[n,.] a a[.,n] nuly, okrem a[n,n] ktore nema modul 1 => matica nemoze byt "
                       "unitarna => PRIEKAK");
    for (int i = 0; i < 3; ++i) ocak.push_back("!! Po redukcii existuje diagonalny clen s modulom roznym od 1.");
    ocak.push_back(":(( redukcia neprebehla spravne, preto sa prerusuje dekompozicia.");
    EXPECT_EQ(p.logy, ocak);
    EXPECT_EQ(f.eps, EPS_ZAKLAD);
    EXPECT_EQ(f.pocetb1, 3);  // the previous circuit stays
    EXPECT_TRUE(f.ProgressBar1.visible);
    EXPECT_FALSE(f.beh.dokoncena);
    EXPECT_FALSE(f.beh.kontrolyok);
}

// A column that the reduction cannot clear: the step reports it (with the
// matrix shown and the box), and the check after the reduction finds the
// off-diagonal entry.
TEST(Dekompozicia, OffDiagonalEntryLeftByTheReduction) {
    ZaznamPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    nastavqubity(f, 2);
    Husta M = Husta::jednotka(4);
    M(1, 4) = 0.5;
    f.A = naTMATICA1(M);
    f.ComboBox1 = HLBKA_TOFFOLI;
    f.eps = 2.0;
    f.dekompozicia();
    const std::vector<std::string> ocak = {
        ZACIATOK,
        "U*T uz nie je unitarna mat. ",
        "!!!! Po redukcii mat. o rozmere 4 neboli vsade v a[n,.] a a[.,n] nuly, alebo a[n,n] nema modul 1",
        "!! Po redukcii existuje nediagonalny clen rozny od nuly.",
        ":(( redukcia neprebehla spravne, preto sa prerusuje dekompozicia."};
    EXPECT_EQ(p.logy, ocak);
    EXPECT_EQ(p.infoboxy, std::vector<std::string>{"!!!! Redukcia: Problem!!"});
    EXPECT_FALSE(f.beh.dokoncena);
}

// The store fills up during the two-level stage: the refusal ends the run
// in order, with every counted record complete and the progress bar hidden.
TEST(Dekompozicia, FullStoreEndsTheRunInOrder) {
    SledujucaPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    p.f = &f;
    p.naplnna = MAXBRAN - 3;
    const Husta U = nahodnaunitarna(8, 21);
    spusti(f, p, U);
    EXPECT_TRUE(p.chyby.empty());
    EXPECT_EQ(f.pocetb1, MAXBRAN);
    EXPECT_EQ(p.infoboxy, std::vector<std::string>(2, "Prave sa dosiahol maximalny povoleny pocet bran!!!!"));
    ASSERT_FALSE(p.logy.empty());
    EXPECT_EQ(p.logy.back(), ":(( Bol dosiahnuty maximalny pocet bran, preto sa prerusuje dekompozicia.");
    EXPECT_FALSE(p.malog("Statistika zobrazenej siete:--------"));
    EXPECT_FALSE(f.ProgressBar1.visible);
    EXPECT_FALSE(f.beh.dokoncena);
    EXPECT_TRUE(f.Button3enabled);
    EXPECT_FALSE(p.tlacidlopocasbehu);
    for (int i = MAXBRAN - 2; i <= MAXBRAN; ++i) {
        const TGATE1& g = f.brany[i];
        EXPECT_TRUE(g.pocetk == 0 || g.pocetk == 2);
        EXPECT_TRUE(unitarna2(g.U, 1e-12));
    }
}

// Button3 is disabled during the run and enabled again, also when a
// run-time error ends the command.
TEST(Dekompozicia, ButtonIsEnabledAgainAfterAnError) {
    SledujucaPlatforma p;
    TForm1 f(p);
    p.vycisti();  // the creation logs the drawing of the empty circuit
    p.f = &f;
    f.rozmer = 0;  // the unitarity test refuses this dimension
    EXPECT_FALSE(f.prikaz([&] { f.Button3Click(); }));
    EXPECT_EQ(p.chyby.size(), 1u);
    EXPECT_FALSE(p.tlacidlopocasbehu);
    EXPECT_TRUE(f.Button3enabled);
    EXPECT_EQ(std::count(p.zmeny.begin(), p.zmeny.end(), Ovladac::Button3), 2);
}

// The depth chosen in ComboBox1 decides the stages, the statistics blocks
// and the composition checks: none at "zovseob.Toffoli bran", the L1(U)
// check only at "L1(U) bran", the elementary check only at "element. bran",
// where the optimiser runs even with roboptim unchecked.
TEST(Dekompozicia, DepthChoosesStagesAndChecks) {
    const std::string L1 = "Kompozicia siete z L1(U) bran dala povodnu unitarnu maticu.";
    const std::string EL = "Kompozicia siete z elementarnych bran dala povodnu unitarnu maticu.";
    const std::string OPT = "Zacala sa prvotna optimalizacia.";
    const std::string STAT = "Statistika zobrazenej siete:--------";
    for (int n = 2; n <= 3; ++n) {
        const Husta U = nahodnaunitarna(1 << n, 500 + n);
        for (int hlbka : {HLBKA_TOFFOLI, HLBKA_L1, HLBKA_ELEMENT}) {
            SCOPED_TRACE("n=" + std::to_string(n) + " depth=" + std::to_string(hlbka));
            ZaznamPlatforma p;
            TForm1 f(p);
            spusti(f, p, U, hlbka);
            EXPECT_TRUE(p.chyby.empty());
            EXPECT_TRUE(f.beh.dokoncena);
            EXPECT_TRUE(f.beh.kontrolyok);
            EXPECT_EQ(std::count(p.logy.begin(), p.logy.end(), STAT), 3 - hlbka);
            EXPECT_EQ(p.malog(L1), hlbka == HLBKA_L1);
            EXPECT_EQ(p.malog(EL), hlbka == HLBKA_ELEMENT);
            EXPECT_EQ(p.malog(OPT), hlbka == HLBKA_ELEMENT);
            int najviac = 0;
            for (int i = 1; i <= f.pocetb1; ++i) najviac = std::max<int>(najviac, f.brany[i].pocetk);
            EXPECT_LE(najviac, hlbka == HLBKA_TOFFOLI ? n - 1 : 1);
            // The checks at the deeper levels use the tolerance the last stage left.
            EXPECT_LT(rozdiel(obvod(f, 1, f.pocetb1), U), 1e-5);
            if (hlbka != HLBKA_TOFFOLI) {
                EXPECT_TRUE(bitovorovnake(f.A, naTMATICA1(U)));  // A := povodna
            }
        }
    }
}
