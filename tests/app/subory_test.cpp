// Matrix files: the reader of the matrix section with every refusal, the
// exact text the writer produces, the round trip of random unitary
// matrices and the safe replacement of an existing file.
#include "app/subory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "core/form1.h"
#include "core/text.h"
#include "tests/app/docasny.h"
#include "tests/zaznam.h"

using namespace qlc;
using qlc::test::DocasnyPriecinok;
using qlc::test::chybaz;

namespace {

const std::string HLAVA_START =
    "4\r\n"
    "{{0 + 0i,0 + 0i,0 + 0i,0 - 1i},\r\n"
    "{0 + 0i,0 + 0i,0 - 1i,0 + 0i},\r\n"
    "{0 + 0i,0 + 1i,0 + 0i,0 + 0i},\r\n"
    "{0 + 1i,0 + 0i,0 + 0i,0 + 0i}}\r\n";

// The message citajtext refuses obsah with, or "" when it reads it.
std::string odmietnutie(const std::string& obsah) {
    return chybaz([&] { citajtext(obsah, "m.mat"); });
}

bool zacina(const std::string& s, const std::string& z) { return s.rfind(z, 0) == 0; }

}  // namespace

TEST(Citajtext, ReadsCrLfOrLfShortEntriesAndBlanks) {
    const TNacitanaMatica m =
        citajtext(HLAVA_START + "Rozklad hore uvedenej matice dopadol takto: \r\nx{,}\r\n", "a");
    EXPECT_EQ(m.rozmer, 4);
    EXPECT_EQ(m.pocetq, 2);
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j) {
            EXPECT_EQ(m.A(i, j).re, 0.0);
            EXPECT_EQ(m.A(i, j).im, (i + j == 5) ? (i <= 2 ? -1.0 : 1.0) : 0.0) << i << "," << j;
        }
    // LF alone, a byte order mark, blanks around rows, entries without
    // blanks or without an imaginary part, no line end after the last row
    const TNacitanaMatica n = citajtext(
        "\xEF\xBB\xBF 8 \n"
        "{{1,0,0,0,0,0,0,0},\n{0,-0.5+0.25i,0,0,0,0,0,0},\n{0,0,1,0,0,0,0,0},\n{0,0,0,1,0,0,0,0},\n"
        "{0,0,0,0,1,0,0,0},\n{0,0,0,0,0,1,0,0},\n{0,0,0,0,0,0,1,0},\n  {0, 0 ,0,0,0,0,0,  2.5e-3 - 1E1i }}  ",
        "b");
    EXPECT_EQ(n.rozmer, 8);
    EXPECT_EQ(n.pocetq, 3);
    EXPECT_EQ(n.A(1, 1).re, 1.0);
    EXPECT_EQ(n.A(2, 2).re, -0.5);
    EXPECT_EQ(n.A(2, 2).im, 0.25);
    EXPECT_EQ(n.A(8, 8).re, 0.0025);
    EXPECT_EQ(n.A(8, 8).im, -10.0);
}

TEST(Citajtext, RefusesEveryMalformedMatrixSection) {
    const std::string zvysok = "{0,1,0,0},\r\n{0,0,1,0},\r\n{0,0,0,1}}\r\n";
    const std::string nie = " nie je rozmer matice 2^n pre 2 <= n <= 5 (4, 8, 16 alebo 32)";
    const std::string neukonceny =
        " matice nie je ukonceny znakom \"}\" na tomto riadku (prvok 3 chyba alebo "
        "riadok matice pokracuje na dalsom riadku suboru)";
    const std::string pripady[][2] = {
        {"", "1: subor je prazdny, chyba rozmer matice"},
        {"4.0\r\n", "1: na prvom riadku nie je cele cislo (rozmer matice), ale \"4.0\""},
        {"1\r\n{{1}}\r\n", "1: rozmer 1" + nie},
        {"-4\r\n", "1: rozmer -4" + nie},
        {"6\r\n", "1: rozmer 6" + nie},
        {"64\r\n", "1: rozmer 64" + nie},
        {"-123456789012345678901234567890\r\n", "1: rozmer -123456789012345678901234567890" + nie},
        {"4\r\n{{1,0,0,0},\r\n{0,1,0,0},\r\n", "4: subor skoncil vo vnutri matice, chyba riadok 3 z 4"},
        {"4\r\n{{1,0,0,0},\r\n{0,1,0", "3: riadok 2" + neukonceny},
        {"4\r\n{{1,0,\r\n0,0},\r\n" + zvysok, "2: riadok 1" + neukonceny},
        {"4\r\n{{1,0,0,0},\r\n{0,1;5,0,0},\r\n{0,0,1,0},\r\n{0,0,0,1}}",
         "3: prvok (2,2): Could not parse required '+' (or '-') symbol [1<?>;5]"},
        {"4\r\n{{1,0,0,0},\r\n{0,1,0,0},\r\n{0,0,1,0},\r\n{0,0,0,\t1}}",
         "5: prvok (4,4): Could not parse real portion [<?>\\t1]"},
        {"4\r\n{{0,5,0,0,0},\r\n" + zvysok, "2: riadok 1 matice ma viac ako 4 prvkov"},
        {"4\r\n{{1,0,0},\r\n" + zvysok, "2: riadok 1 matice ma len 3 prvkov, ocakava sa 4"},
        {"4\r\n{1,0,0,0},\r\n" + zvysok, "2: riadok 1 matice sa nezacina znakmi \"{{\""},
        {"4\r\n{{1,0,0,0},\r\n0,1,0,0},\r\n", "3: riadok 2 matice sa nezacina znakmi \"{\""},
        {"4\r\n{{1,0,0,0}\r\n" + zvysok, "2: za riadok 1 matice chyba \",\""},
        {"4\r\n{{1,0,0,0},x\r\n" + zvysok, "2: za riadok 1 matice su neocakavane znaky \"x\""},
        {"4\r\n{{1,0,0,0},\r\n{0,1,0,0},\r\n{0,0,1,0},\r\n{0,0,0,1},\r\n",
         "5: za poslednym riadkom matice chyba \"}\" (matica konci \"}}\")"},
    };
    for (const auto& c : pripady) {
        EXPECT_EQ(odmietnutie(c[0]), "m.mat, riadok " + c[1]);
        // only dimensions above 64 are refused as too large
        try {
            citajtext(c[0], "m.mat");
        } catch (const PrilisVelkaMatica&) {
            ADD_FAILURE() << c[1];
        } catch (const ChybaSuboru&) {
        }
    }
    for (const char* d : {"65", "128", "123456789012345678901234567890"}) {
        EXPECT_THROW(citajtext(std::string(d) + "\r\n", "m.mat"), PrilisVelkaMatica) << d;
        EXPECT_EQ(odmietnutie(std::string(d) + "\r\n"), "m.mat, riadok 1: rozmer " + std::string(d) + nie);
    }
}

TEST(Citajsubor, ReadsOnlyTheMatrixSectionAndNamesTheFile) {
    DocasnyPriecinok d;
    const std::string m = d.zapis("a.mat", HLAVA_START + "sem by sa uz nic necitalo {{{,,,\r\n\xFF\xFE");
    const TNacitanaMatica n = citajsubor(m);
    EXPECT_EQ(n.rozmer, 4);
    EXPECT_EQ(n.A(2, 3).im, -1.0);
    const std::string chyba = d.subor("nie.mat");
    EXPECT_TRUE(zacina(chybaz([&] { citajsubor(chyba); }), chyba + ": subor sa neda otvorit na citanie"));
    const std::string priecinok = d.cesta().string();
    EXPECT_TRUE(zacina(chybaz([&] { citajsubor(priecinok); }), priecinok + ": chyba pri citani suboru"));
    const std::string kratky = d.zapis("k.mat", "4\r\n{{1,0,0,0},\r\n");
    EXPECT_EQ(chybaz([&] { citajsubor(kratky); }),
              kratky + ", riadok 3: subor skoncil vo vnutri matice, chyba riadok 2 z 4");
}

TEST(Textsuboru, WritesMatrixAndReportExactly) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    f.pocettpq = 1;
    f.tpq[1] = TTPQ{0.5, -1.25, 2, 1};
    f.fazy[1] = std::acos(-1.0);
    f.fazy[2] = -0.25;
    f.pocetb1 = 2;
    f.brany[1].U = f.matnot;
    f.brany[1].pocetk = 0;
    f.brany[1].ciel = 3;
    f.brany[1].vyradena = false;
    f.brany[2].U = TMATICA2(TKOMPLEX(1.0 / 3.0), TKOMPLEX(0, 2e-6), TKOMPLEX(0, -1), TKOMPLEX(-1));
    f.brany[2].pocetk = 2;
    f.brany[2].ciel = 1;
    f.brany[2].kontroly[1] = 2;
    f.brany[2].kontroly[2] = 3;
    f.brany[2].vyradena = true;
    EXPECT_EQ(textsuboru(f, f.A),
              HLAVA_START +
                  "Rozklad hore uvedenej matice dopadol takto: \r\n"
                  "Parametre matic Tpq: \r\n"
                  "p    q     omega    fi ; v stupnoch omega fi\r\n"
                  "2  1  0.5000  -1.2500  28.6479  -71.6197\r\n"
                  "Uhly (v RAD, stupnoch) komplexnych jednotiek v matici D: \r\n"
                  "3.1416  180.0000\r\n"
                  "-0.2500  -14.3239\r\n"
                  "0.0000  0.0000\r\n"
                  "0.0000  0.0000\r\n"
                  "\r\n"
                  "Zapis QLC zodpovedajucej tejto matici: \r\n"
                  "Celkovy pocet bran: 2\r\n"
                  "Cislo, vyradena , typ, kontrolovany,kontrolujuce qubity, matica u\r\n"
                  "1 N 0   3     0 + 0i 1 + 0i 1 + 0i 0 + 0i\r\n"
                  "2 V 2   1 2 3     0.333333333333333 + 0i 0 + 2E-006i 0 - 1i -1 + 0i\r\n");
}

// A zero phase is -arg 1 = -0.0, and a tiny negative angle rounds to zero:
// both are written "0.0000", without a sign.
TEST(Textsuboru, ZeroAnglesCarryNoSign) {
    test::ZaznamPlatforma p;
    TForm1 f(p);
    f.pocettpq = 1;
    f.tpq[1] = TTPQ{-0.0, -0.00004, 2, 1};
    f.fazy[1] = -arg(TKOMPLEX(1.0));
    f.fazy[2] = -1e-9;
    f.fazy[3] = -0.00005;  // rounds to -0.0001 or -0.0000, never "-0.0000"
    f.fazy[4] = -0.00006;
    f.pocetb1 = 0;
    const std::string t = textsuboru(f, f.A);
    EXPECT_EQ(t.find("-0.0000"), std::string::npos) << t;
    EXPECT_NE(t.find("2  1  0.0000  0.0000  0.0000  -0.0023\r\n"), std::string::npos) << t;
    EXPECT_NE(t.find("matici D: \r\n0.0000  0.0000\r\n0.0000  0.0000\r\n"), std::string::npos) << t;
    EXPECT_NE(t.find("\r\n-0.0001  -0.0034\r\n"), std::string::npos) << t;
}

TEST(Zapismaticu, RandomUnitaryMatricesReadBackToFifteenDigits) {
    DocasnyPriecinok d;
    test::ZaznamPlatforma p;
    TForm1 f(p);
    for (int n = 2; n <= 5; ++n) {
        f.pocetq = n;
        f.rozmer = 1 << n;
        f.StringGrid1.nastavrozmer(f.rozmer + 1, f.rozmer + 1);
        for (std::uint32_t seed : {1u, 77u, 4000000000u}) {
            TMATICA1 M;
            f.generujseed(M, 40, seed + static_cast<std::uint32_t>(n));
            const std::string meno = d.subor("r" + std::to_string(n) + ".mat");
            f.zapismaticu(M, meno);
            const TNacitanaMatica r = citajsubor(meno);
            ASSERT_EQ(r.rozmer, f.rozmer);
            ASSERT_EQ(r.pocetq, n);
            for (int i = 1; i <= f.rozmer; ++i)
                for (int j = 1; j <= f.rozmer; ++j) {
                    EXPECT_LE(std::fabs(r.A(i, j).re - M(i, j).re), 6e-15 * std::fabs(M(i, j).re));
                    EXPECT_LE(std::fabs(r.A(i, j).im - M(i, j).im), 6e-15 * std::fabs(M(i, j).im));
                }
        }
    }
    EXPECT_TRUE(p.malog("Matica bola zapisana do suboru."));
}

TEST(Zapissubor, ReplacesTheFileOrReportsAndKeepsIt) {
    DocasnyPriecinok d;
    const std::string m = d.zapis("a.mat", "stary obsah");
    zapissubor(m, "novy\r\nobsah");
    EXPECT_EQ(DocasnyPriecinok::citaj(m), "novy\r\nobsah");
    EXPECT_EQ(d.pocetsuborov(), 1) << "a temporary file was left";
    const std::string bez = d.subor("niet/a.mat");
    EXPECT_TRUE(zacina(chybaz([&] { zapissubor(bez, "x"); }), bez + ": subor sa neda vytvorit"));
    // the target is a non-empty folder: refused before anything is
    // created, the folder and its content stay
    std::filesystem::create_directory(d.subor("c.mat"));
    const std::string vnutri = d.zapis("c.mat/dnu.txt", "dobry");
    EXPECT_TRUE(zacina(chybaz([&] { zapissubor(d.subor("c.mat"), "x"); }),
                       d.subor("c.mat") + ": je to priecinok, nie obycajny subor"));
    EXPECT_EQ(DocasnyPriecinok::citaj(vnutri), "dobry");
    EXPECT_EQ(d.pocetsuborov(), 2);
}
