// Commands of the main window: the start grid, the qubit count field,
// "A", "Generuj", "Otvorit" and "Uložit", including files that are refused
// with the window left exactly as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/form1.h"
#include "app/subory.h"
#include "core/text.h"
#include "tests/app/docasny.h"
#include "tests/zaznam.h"

using namespace qlc;
using qlc::test::DocasnyPriecinok;
using Riadky = std::vector<std::string>;

namespace {

const std::string UNITARNA = "Nahodne bola vygenerovana unitarna matica.";
const std::string ZLY_POCET = "Pocet Qubitov musi byt prirodzene cislo > 1";
const std::string VELA = "Pocet Qubitov musi byt mensi ako  5.";

// Records the titles, file names and filters the file dialogs are opened with.
struct DialogPlatforma : test::ZaznamPlatforma {
    Riadky otvor, uloz;
    std::optional<std::string> otvordialog(const std::string& t, const std::string& f) override {
        otvor = {t, f};
        return ZaznamPlatforma::otvordialog(t, f);
    }
    std::optional<std::string> ulozdialog(const std::string& t, const std::string& m,
                                          const std::string& f) override {
        uloz = {t, m, f};
        return ZaznamPlatforma::ulozdialog(t, m, f);
    }
};

// What a refused command must leave untouched.
struct Stav {
    TMATICA1 A;
    int rozmer, pocetq, pocetb1;
    std::string Edit1;
    TStringGrid grid;
    explicit Stav(const TForm1& f)
        : A(f.A),
          rozmer(f.rozmer),
          pocetq(f.pocetq),
          pocetb1(f.pocetb1),
          Edit1(f.Edit1),
          grid(f.StringGrid1) {}
};

bool rovnakamatica(const TMATICA1& X, const TMATICA1& Y, int n) {
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            if (X(i, j).re != Y(i, j).re || X(i, j).im != Y(i, j).im) return false;
    return true;
}

void rovnakystav(const Stav& s, const TForm1& f) {
    EXPECT_TRUE(rovnakamatica(s.A, f.A, MAXROZMER));
    EXPECT_EQ(f.rozmer, s.rozmer);
    EXPECT_EQ(f.pocetq, s.pocetq);
    EXPECT_EQ(f.pocetb1, s.pocetb1);
    EXPECT_EQ(f.Edit1, s.Edit1);
    EXPECT_EQ(f.StringGrid1.colcount, s.grid.colcount);
    EXPECT_EQ(f.StringGrid1.rowcount, s.grid.rowcount);
    EXPECT_EQ(f.StringGrid1.visible, s.grid.visible);
    EXPECT_EQ(f.StringGrid1.bunky, s.grid.bunky);
}

// A circuit of three NOT gates, for the commands that keep or discard it.
void obvod(TForm1& f) {
    f.pocetb1 = 3;
    for (int i = 1; i <= 3; ++i) f.brany[i].U = f.matnot;
}

void gridukazuje(const TForm1& f, const TMATICA1& M) {
    ASSERT_EQ(f.StringGrid1.colcount, f.rozmer + 1);
    ASSERT_EQ(f.StringGrid1.rowcount, f.rozmer + 1);
    for (int i = 1; i <= f.rozmer; ++i)
        for (int j = 1; j <= f.rozmer; ++j) ASSERT_EQ(f.StringGrid1.bunka(j, i), komplexnatext(M(i, j), 2));
}

}  // namespace

TEST(Prikazy, StartGridAndTheButtonA) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    EXPECT_TRUE(f.StringGrid1.visible);
    EXPECT_FALSE(f.Image1visible);
    const char* popisy[] = {"00", "01", "10", "11"};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(f.StringGrid1.bunka(0, i), popisy[i - 1]);
        EXPECT_EQ(f.StringGrid1.bunka(i, 0), popisy[i - 1]);
        for (int j = 1; j <= 4; ++j)
            EXPECT_EQ(f.StringGrid1.bunka(j, i), i + j != 5 ? ""
                                                 : i <= 2   ? "-1.00i"
                                                            : "1.00i")
                << i << "," << j;
    }
    // "A" twice returns to the same view
    const Stav s(f);
    f.Button1Click();
    EXPECT_FALSE(f.StringGrid1.visible);
    f.Button1Click();
    EXPECT_FALSE(f.Image1visible);
    rovnakystav(s, f);
    EXPECT_TRUE(p.chyby.empty());
}

TEST(Prikazy, ThreeQubitsGiveANewMatrixAndNoCircuit) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    obvod(f);
    f.Button1Click();  // grid hidden
    p.vycisti();
    f.nastavEdit1("3");
    EXPECT_EQ(f.pocetq, 3);
    EXPECT_EQ(f.rozmer, 8);
    EXPECT_EQ(f.pocetb1, 0);
    EXPECT_TRUE(f.StringGrid1.visible);
    EXPECT_TRUE(unitarna(f.A, 8, 1e-7));
    EXPECT_EQ(p.logy, Riadky{UNITARNA});
    gridukazuje(f, f.A);
    EXPECT_EQ(f.StringGrid1.bunka(0, 5), "100");
    EXPECT_EQ(f.StringGrid1.bunka(8, 0), "111");
    ASSERT_FALSE(p.zmeny.empty());
    EXPECT_EQ(p.zmeny.front(), Ovladac::Edit1);
    EXPECT_EQ(p.zmeny.back(), Ovladac::StringGrid1);
    // setting the same text again runs nothing
    p.vycisti();
    f.nastavEdit1("3");
    EXPECT_TRUE(p.logy.empty());
    EXPECT_TRUE(p.zmeny.empty());
}

TEST(Prikazy, BadQubitCountsShowABoxAndChangeNothing) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    obvod(f);
    const std::pair<const char*, std::string> pripady[] = {{"6", VELA},
                                                           {"", ZLY_POCET},
                                                           {"1", ZLY_POCET},
                                                           {"-3", ZLY_POCET},
                                                           {"abc", ZLY_POCET},
                                                           {"2.5", ZLY_POCET},
                                                           {"3x", ZLY_POCET},
                                                           {"99", VELA},
                                                           {"123456789012345678901234567890", VELA},
                                                           {"-123456789012345678901234567890", ZLY_POCET}};
    for (const auto& [text, box] : pripady) {
        Stav s(f);
        s.Edit1 = text;
        p.vycisti();
        f.nastavEdit1(text);
        EXPECT_EQ(p.infoboxy, Riadky{box}) << text;
        EXPECT_TRUE(p.logy.empty());
        rovnakystav(s, f);
    }
    // after clearing the field the next digit is taken
    f.nastavEdit1(" 4 ");
    EXPECT_EQ(f.rozmer, 16);
    EXPECT_EQ(f.StringGrid1.colcount, 17);
}

TEST(Prikazy, GenerujKeepsTheCircuit) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    obvod(f);
    f.Button1Click();
    const TMATICA1 stara = f.A;
    p.vycisti();
    f.Button5Click();
    EXPECT_TRUE(f.StringGrid1.visible);
    EXPECT_EQ(f.pocetb1, 3);
    EXPECT_FALSE(rovnakamatica(stara, f.A, 4));
    EXPECT_EQ(p.logy, Riadky{UNITARNA});
    gridukazuje(f, f.A);
}

TEST(Prikazy, FileDialogsTitlesAndCancel) {
    DialogPlatforma p;
    TForm1 f(p);
    const Stav s(f);
    p.vycisti();
    f.Otvori1Click();
    f.Uloi1Click();
    EXPECT_EQ(p.otvor, (Riadky{"Otvorit súbor s maticou",
                               "Subory matíc|*.mat|Textové súbory|*.txt|Všetky súbory|*.*|Súbory NumPy|*.npy"}));
    EXPECT_EQ(p.uloz, (Riadky{"Uloženie matice A", "matica1.mat",
                              "Súbory matíc|*.mat|Textové súbory|*.txt|Všetky súbory|*.*"}));
    EXPECT_TRUE(p.logy.empty());
    rovnakystav(s, f);
}

TEST(Prikazy, SavingAndOpeningTheStartMatrixKeepsMatrixAndCircuit) {
    DocasnyPriecinok d;
    test::ZaznamPlatforma p;
    TForm1 f(p);
    obvod(f);
    const TMATICA1 start = f.A;
    const std::string meno = d.subor("start.mat");
    p.subory.push_back(meno);
    f.Uloi1Click();
    EXPECT_TRUE(p.malog("Matica bola zapisana do suboru."));
    f.Button5Click();
    p.vycisti();
    p.subory.push_back(meno);
    EXPECT_TRUE(f.prikaz([&] { f.Otvori1Click(); }));
    EXPECT_TRUE(rovnakamatica(start, f.A, 4));
    EXPECT_EQ(f.pocetb1, 3);
    EXPECT_TRUE(p.logy.empty()) << "no new random matrix";
    gridukazuje(f, start);
}

TEST(Prikazy, OpeningAnEightByEightFileAtTwoQubits) {
    DocasnyPriecinok d;
    test::ZaznamPlatforma p, p2;
    TForm1 f(p), g(p2);
    obvod(f);
    g.nastavEdit1("3");  // the file's matrix, made at three qubits
    const std::string meno = d.subor("osem.mat");
    g.zapismaticu(g.A, meno);
    p.vycisti();
    p.subory.push_back(meno);
    EXPECT_TRUE(f.prikaz([&] { f.Otvori1Click(); }));
    EXPECT_EQ(f.Edit1, "3");
    EXPECT_EQ(f.pocetq, 3);
    EXPECT_EQ(f.pocetb1, 0);
    EXPECT_EQ(p.logy, Riadky{UNITARNA});
    EXPECT_TRUE(rovnakamatica(citajsubor(meno).A, f.A, 8));
    EXPECT_LT(odchylka(g.A, f.A, 8), 1e-14);
    gridukazuje(f, f.A);
}

TEST(Prikazy, MalformedFilesAreRefusedWithNothingChanged) {
    DocasnyPriecinok d;
    const std::string r = "{0,1,0,0},\r\n{0,0,1,0},\r\n{0,0,0,1}}\r\n";
    const std::string pripady[][3] = {
        {"skratene.mat", "4\r\n{{1,0,0,0},\r\n{0,1,0,0},\r\n", "4: subor skoncil"},
        {"ciarka.mat", "4\r\n{{0,5,0,0,0},\r\n" + r, "2: riadok 1 matice ma viac ako 4 prvkov"},
        {"jedna.mat", "1\r\n{{1}}\r\n", "1: rozmer 1 nie je"},
        {"sest.mat", "6\r\n{{1,0,0,0,0,0},\r\n", "1: rozmer 6 nie je"},
        {"64.mat", "64\r\n", "1: rozmer 64 nie je"},
        {"riadky.mat", "4\r\n{{1,0,\r\n0,0},\r\n" + r, "2: riadok 1 matice nie je ukonceny"},
    };
    for (const auto& [subor, obsah, sprava] : pripady) {
        test::ZaznamPlatforma p;
        TForm1 f(p);
        f.nastavEdit1("3");
        obvod(f);
        const Stav s(f);
        const std::string meno = d.zapis(subor, obsah);
        p.vycisti();
        p.subory.push_back(meno);
        EXPECT_FALSE(f.prikaz([&] { f.Otvori1Click(); }));
        ASSERT_EQ(p.chyby.size(), 1u);
        EXPECT_EQ(p.chyby[0].rfind(meno + ", riadok " + sprava, 0), 0u) << p.chyby[0];
        EXPECT_TRUE(p.logy.empty());
        rovnakystav(s, f);
    }
}

// A new qubit count, typed or from a file of another size, discards the
// circuit with its picture, its current gate and the ranges of the controls.
TEST(Prikazy, ANewCountLeavesNoTraceOfTheDiscardedCircuit) {
    DocasnyPriecinok d;
    test::ZaznamPlatforma p;
    TForm1 f(p);
    const std::string start = d.subor("start.mat");
    p.subory.push_back(start);
    f.Uloi1Click();  // a 4 x 4 file
    for (int krok = 0; krok < 2; ++krok) {
        f.nastavEdit1("3");
        obvod(f);
        f.nastavnavigaciu();
        f.nastavTrackBar1(2);
        ASSERT_EQ(f.aktualna, 2);
        ASSERT_EQ(f.Label13, "1.0000");  // U(1,2) of the NOT gate
        p.vycisti();
        if (krok == 0) {
            f.nastavEdit1("2");
        } else {
            p.subory.push_back(start);
            ASSERT_TRUE(f.prikaz([&] { f.Otvori1Click(); }));
            ASSERT_EQ(f.pocetq, 2);
        }
        EXPECT_EQ(f.pocetb1, 0) << krok;
        EXPECT_EQ(f.Label11, "0") << krok;
        EXPECT_EQ(f.TrackBar1.max, 0) << krok;
        EXPECT_EQ(f.UpDown1.max, 0) << krok;
        EXPECT_EQ(f.aktualna, 0) << krok;
        EXPECT_EQ(f.Label8, "0") << krok;
        EXPECT_TRUE(f.Label13.empty()) << krok;
        ASSERT_FALSE(p.kresba.druhu("vypln").empty()) << krok;
        EXPECT_EQ(p.kresba.druhu("vypln")[0].cisla, (std::vector<int>{0, 0, 1010, 760})) << krok;
        EXPECT_TRUE(p.kresba.druhu("obdlznik").empty()) << krok;
    }
}

// A dimension above 64 gives the two log lines and nothing else: no error
// box, nothing changed.
TEST(Prikazy, AFileAbove64GivesOnlyTheTwoLogLines) {
    DocasnyPriecinok d;
    for (const char* obsah : {"65\r\n", "128\r\n{{1}}\r\n", "123456789012345678901234567890\r\n"}) {
        test::ZaznamPlatforma p;
        TForm1 f(p);
        f.nastavEdit1("3");
        obvod(f);
        const Stav s(f);
        p.vycisti();
        p.subory.push_back(d.zapis("velka.mat", obsah));
        EXPECT_TRUE(f.prikaz([&] { f.Otvori1Click(); }));
        EXPECT_TRUE(p.chyby.empty()) << obsah;
        EXPECT_TRUE(p.infoboxy.empty()) << obsah;
        EXPECT_EQ(p.logy, (Riadky{"Tato matica ma vacsi rozmer ako maximalny nastaveny v programe,",
                                  "preto jej nacitavanie ukoncujem."}));
        EXPECT_EQ(f.nacitajmaticu(d.subor("velka.mat")), 0);
        rovnakystav(s, f);
    }
}

TEST(Prikazy, AFailedSaveShowsTheErrorAndKeepsTheOldFile) {
    DocasnyPriecinok d;
    test::ZaznamPlatforma p;
    TForm1 f(p);
    std::filesystem::create_directory(d.subor("a.mat"));
    const std::string dnu = d.zapis("a.mat/b.txt", "dobry");
    p.vycisti();
    p.subory.push_back(d.subor("a.mat"));
    EXPECT_FALSE(f.prikaz([&] { f.Uloi1Click(); }));
    ASSERT_EQ(p.chyby.size(), 1u);
    EXPECT_EQ(p.chyby[0].rfind(d.subor("a.mat") + ": je to priecinok", 0), 0u) << p.chyby[0];
    EXPECT_TRUE(p.logy.empty());
    EXPECT_EQ(DocasnyPriecinok::citaj(dnu), "dobry");
}

TEST(Prikazy, ReportAfterANewCountIsTheLastDecomposition) {
    DocasnyPriecinok d;
    test::ZaznamPlatforma p;
    TForm1 f(p);
    f.pocettpq = 1;
    f.tpq[1] = TTPQ{1.0, 2.0, 4, 3};
    obvod(f);
    f.nastavEdit1("3");
    const std::string meno = d.subor("r.mat");
    p.subory.push_back(meno);
    f.Uloi1Click();
    const std::string t = DocasnyPriecinok::citaj(meno);
    EXPECT_EQ(t.rfind("8\r\n{{", 0), 0u);
    EXPECT_NE(t.find("\r\n4  3  1.0000  2.0000  57.2958  114.5916\r\n"), std::string::npos) << t;
    EXPECT_NE(t.find("\r\nCelkovy pocet bran: 0\r\n"), std::string::npos);
    EXPECT_LT(odchylka(citajsubor(meno).A, f.A, 8), 1e-14);
}
