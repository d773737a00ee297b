// The circuit drawing on the recording canvas: band geometry at several
// zooms, the glyphs and letters of gates, narrowing, the highlight and the
// matrix labels of the current gate, and the two refusals.
//
// Expected coordinates are worked out by hand from the unscaled geometry:
// qubit q at 40 q below the band's top, band height 40 (n + 2), column c at
// 36 c right of the frame's left edge 10, frame top 10.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/text.h"
#include "tests/view/pomocne.h"

using namespace qlc;
using namespace qlc::test;

namespace {

using V = std::vector<std::string>;
using Kreslenie = Okno;

// Centres of the boxes of boxed gates, as (x, y).
std::vector<std::pair<int, int>> strednebox(const ZaznamPlatno& k) {
    std::vector<std::pair<int, int>> s;
    for (const auto& x : k.druhu("obdlznik"))
        s.emplace_back((x.cisla[0] + x.cisla[2]) / 2, (x.cisla[1] + x.cisla[3]) / 2);
    return s;
}

// Band labels (texts made of digits) as "text x y 'n'".
V znackypasov(const ZaznamPlatno& k) {
    V s;
    for (const auto& x : k.druhu("text"))
        if (znackapasu(x) && !x.text.empty() && x.text[0] >= '0' && x.text[0] <= '9') s.push_back(popis(x));
    return s;
}

// Qubit numbers of the lines as "text x y 'q'".
V znackyqubitov(const ZaznamPlatno& k) {
    V s;
    for (const auto& x : k.druhu("text"))
        if (znackaqubitu(x)) s.push_back(popis(x));
    return s;
}

TEST_F(Kreslenie, DvaQubityPriZoome1MajuStyriPasyPo26Stlpcoch) {
    f->zoom = 1.0;
    f->Zuzeniezobrazenia1 = false;
    for (int k = 1; k <= 110; ++k) pridaj(brana(faza(0.01 * k), 1));
    f->kreslenie(f->brany, f->pocetb1, 1);

    const auto& kr = p.kresba;
    ASSERT_GE(kr.p.size(), 3u);
    EXPECT_EQ(popisy({kr.p.begin(), kr.p.begin() + 3}),
              (V{"stetec 255 255 255", "pero 0 0 0 w1", "vypln 10 10 1000 750"}));
    // Band height 160: qubit lines 40 and 80 below each band's top.
    EXPECT_EQ(ciaryqubitov(kr), (std::vector<int>{50, 90, 210, 250, 370, 410, 530, 570}));

    // 4 bands of 26 columns: 104 gates drawn, band k starting at gate 26 (k - 1) + 1.
    const auto boxy = strednebox(kr);
    ASSERT_EQ(boxy.size(), 104u);
    EXPECT_EQ(boxy[0], std::make_pair(46, 50));
    EXPECT_EQ(boxy[25], std::make_pair(946, 50));  // column 26 at 10 + 936
    EXPECT_EQ(boxy[26], std::make_pair(46, 210));  // gate 27 opens band 2
    EXPECT_EQ(boxy[103], std::make_pair(946, 530));
    // Labels at 0.8 qubit spacings below the last line, also for the band
    // below the last one, which names the first gate not drawn.
    EXPECT_EQ(znackypasov(kr), (V{"text 10 122 '1'", "text 10 282 '27'", "text 10 442 '53'",
                                  "text 10 602 '79'", "text 10 762 '105'"}));
    EXPECT_EQ(f->Label3, "1");
    EXPECT_EQ(f->Label5, "104");
    EXPECT_EQ(f->Label7, "1.00");
}

TEST_F(Kreslenie, PatQubitovPriZoome2MaJedenPas) {
    qubity(5);
    f->zoom = 2.0;
    for (int k = 1; k <= 13; ++k) pridaj(brana(faza(0.01 * k), 3));
    f->kreslenie(f->brany, f->pocetb1, 1);

    const auto& kr = p.kresba;
    // Band height 560: one band in the frame's 740.
    EXPECT_EQ(ciaryqubitov(kr), (std::vector<int>{90, 170, 250, 330, 410}));
    // int(990 / 72) - 1 = 12 columns; gate 13 would open the second band.
    const auto boxy = strednebox(kr);
    ASSERT_EQ(boxy.size(), 12u);
    EXPECT_EQ(boxy[11], std::make_pair(874, 250));
    const auto o = kr.druhu("obdlznik")[11].cisla;
    EXPECT_EQ(o, (std::vector<int>{850, 226, 898, 274}));
    EXPECT_EQ(znackypasov(kr), (V{"text 10 474 '1'", "text 10 1034 '13'"}));
    EXPECT_EQ(f->Label5, "12");
    EXPECT_EQ(f->Label7, "2.00");
}

TEST_F(Kreslenie, PatQubitovPriZoome125MaDvaPasy) {
    qubity(5);
    f->zoom = 1.25;
    for (int k = 1; k <= 30; ++k) pridaj(brana(faza(0.01 * k), 1));
    f->kreslenie(f->brany, f->pocetb1, 1);

    const auto& kr = p.kresba;
    // Band height 350; the second band reaches below the visible canvas.
    EXPECT_EQ(ciaryqubitov(kr), (std::vector<int>{60, 110, 160, 210, 260, 410, 460, 510, 560, 610}));
    // int(990 / 45) - 1 = 21 columns per band: 42 places for 30 gates.
    const auto boxy = strednebox(kr);
    ASSERT_EQ(boxy.size(), 30u);
    EXPECT_EQ(boxy[20], std::make_pair(955, 60));
    EXPECT_EQ(boxy[21], std::make_pair(55, 410));
    EXPECT_EQ(kr.druhu("obdlznik")[21].cisla, (std::vector<int>{40, 395, 70, 425}));
    EXPECT_EQ(znackypasov(kr), (V{"text 10 300 '1'", "text 10 650 '22'"}));
    EXPECT_EQ(f->Label5, "30");
}

// Every band numbers its qubit lines at their left end, 1 at the top,
// small and above the line, in black; the gates keep their places.
TEST_F(Kreslenie, CislaQubitovVlavoKazdehoPasu) {
    qubity(5);
    f->zoom = 1.25;
    pridaj(brana(faza(0.1), 1));
    f->brany[1].vyradena = true;  // a red gate does not colour the numbers
    f->kreslenie(f->brany, f->pocetb1, 1);
    // x = 10 + rnd(2.5); y = band top + rnd((40 q - 15) 1.25)
    EXPECT_EQ(znackyqubitov(p.kresba),
              (V{"text 12 41 '1'", "text 12 91 '2'", "text 12 141 '3'", "text 12 191 '4'", "text 12 241 '5'",
                 "text 12 391 '1'", "text 12 441 '2'", "text 12 491 '3'", "text 12 541 '4'", "text 12 591 '5'"}));
    const auto& kr = p.kresba.p;
    for (std::size_t i = 1; i < kr.size(); ++i)
        if (znackaqubitu(kr[i])) {
            // the last font set before the number
            std::size_t j = i;
            while (j > 0 && kr[j].druh != "pismo") --j;
            EXPECT_EQ(popis(kr[j]), "pismo 0 0 0 h15");
        }
    EXPECT_EQ(strednebox(p.kresba), (std::vector<std::pair<int, int>>{{55, 60}}));

    // At every zoom each band has all its numbers, and a number (no wider
    // than its height) ends left of the widest glyph of the first column,
    // the highlight 18 zoom left of the column's centre.
    for (int poz : {45, 100, 125, 200}) {
        p.vycisti();
        f->zoom = poz / 100.0;
        f->kreslenie(f->brany, f->pocetb1, 1);
        const int pasy = static_cast<int>(740 / std::nearbyint(7 * 40 * f->zoom));
        EXPECT_EQ(znackyqubitov(p.kresba).size(), static_cast<std::size_t>(5 * pasy)) << poz;
        const int vyska = static_cast<int>(std::nearbyint(12 * f->zoom));
        const int lavyokraj = 10 + static_cast<int>(std::nearbyint(36 * f->zoom)) -
                              static_cast<int>(std::nearbyint(18 * f->zoom));
        for (const auto& x : p.kresba.druhu("text")) {
            if (znackaqubitu(x)) {
                EXPECT_LT(x.cisla[0] + vyska, lavyokraj) << poz;
            }
        }
    }
}

TEST_F(Kreslenie, PolovicaSaZaokruhlujeKParnemu) {
    // At 1.25 the NOT circle's radius is 12.5 and its top 37.5 below the
    // band: both round to the even neighbour (12 and 38), the bottom 62.5 to 62.
    f->zoom = 1.25;
    pridaj(brana(maticanot(), 1));
    f->kreslenie(f->brany, 1, 1);
    const auto& kr = p.kresba.p;
    EXPECT_EQ(popisy(kr, pozznacke(kr)), (V{"pero 0 0 0 w1", "stetec 255 255 255", "elipsa 43 48 67 72",
                                            "ciara 55 48 55 72", "ciara 43 60 67 60"}));
    EXPECT_EQ(popis(kr[pozznacke(kr) - 2]), "pismo 0 0 0 h25");
}

TEST_F(Kreslenie, KontrolovaneNotJeBodkaAKruhSKrizom) {
    f->zoom = 1.0;
    pridaj(brana(maticanot(), 2, {1}));
    f->kreslenie(f->brany, 1, 1);
    const auto& kr = p.kresba.p;
    EXPECT_EQ(popisy(kr, pozznacke(kr)),
              (V{"stetec 0 0 0", "pero 0 0 0 w1", "elipsa 40 44 52 56", "ciara 46 50 46 90", "pero 0 0 0 w1",
                 "stetec 255 255 255", "elipsa 36 80 56 100", "ciara 46 80 46 100", "ciara 36 90 56 90"}));
    // Within eps of NOT is still a NOT.
    p.vycisti();
    f->brany[1].U.u12() = TKOMPLEX(1.0 + 1e-9);
    f->kreslenie(f->brany, 1, 1);
    EXPECT_EQ(p.kresba.druhu("elipsa").size(), 2u);
    EXPECT_TRUE(pismena(p.kresba).empty());
}

TEST_F(Kreslenie, KontrolovaneZJeDvojicaStvorcekov) {
    f->zoom = 1.0;
    pridaj(brana(maticaz(), 1, {2}));
    f->kreslenie(f->brany, 1, 1);
    const auto& kr = p.kresba.p;
    EXPECT_EQ(popisy(kr, pozznacke(kr)),
              (V{"stetec 0 0 0", "pero 0 0 0 w1", "elipsa 40 84 52 96", "ciara 46 50 46 90", "pero 0 0 0 w1",
                 "stetec 255 255 255", "obdlznik 40 44 52 56", "obdlznik 40 84 52 96"}));
    // With two controls only the target gets the square.
    p.vycisti();
    qubity(3);
    f->brany[1] = brana(maticaz(), 1, {2, 3});
    f->kreslenie(f->brany, 1, 1);
    EXPECT_EQ(p.kresba.druhu("obdlznik").size(), 1u);
    EXPECT_EQ(p.kresba.druhu("elipsa").size(), 2u);
}

TEST_F(Kreslenie, PismenaBoxovPodlaTvaruMatice) {
    f->zoom = 1.0;
    const TKOMPLEX i(0.0, 1.0);
    const double s = 1.0 / std::sqrt(2.0);
    struct Pripad {
        TMATICA2 U;
        const char* pismeno;
    };
    const Pripad pripady[] = {
        {faza(0.3), "E"},             // diag(1, z)
        {{1.0, 0.0, 0.0, 1.0}, "F"},  // identity
        {diag2(i, 1.0), "F"},         // diag(z, 1)
        {diag2(i, i), "P"},           // z I
        {diag2(-1.0, -1.0), "P"},
        {diag2(i, -1.0), "D"},
        {{0.0, i, i, 0.0}, "A"},  // anti-diagonal, not NOT
        {{0.0, 1.0, -1.0, 0.0}, "A"},
        {{s, s, s, -s}, "U"},
        {{0.0, 1.0, 1.0, 1e-6}, "U"},  // nearly anti-diagonal: exact tests
    };
    for (const auto& c : pripady) pridaj(brana(c.U, 2));
    pridaj(brana(maticanot(), 1));  // NOT and Z have glyphs without letters
    pridaj(brana(maticaz(), 2));
    f->Zuzeniezobrazenia1 = false;
    f->kreslenie(f->brany, f->pocetb1, 1);
    EXPECT_EQ(p.kresba.druhu("obdlznik").size(), std::size(pripady) + 1);
    V ocakavane;
    for (const auto& c : pripady) ocakavane.push_back(c.pismeno);
    EXPECT_EQ(pismena(p.kresba), ocakavane);

    // The box and the letter of one gate, on qubit 2 in column 1.
    p.vycisti();
    f->kreslenie(f->brany, 1, 1);
    const auto& kr = p.kresba.p;
    EXPECT_EQ(popisy(kr, pozznacke(kr)), (V{"pero 0 0 0 w1", "stetec 255 255 255", "pismo 0 0 0 h20",
                                            "obdlznik 34 78 58 102", "text 40 80 'E'"}));
}

TEST_F(Kreslenie, VyradenaBranaJeCervena) {
    f->zoom = 1.0;
    TGATE1 g = brana(faza(0.3), 2, {1});
    g.vyradena = true;
    pridaj(g);
    f->kreslenie(f->brany, 1, 1);
    const auto& kr = p.kresba.p;
    EXPECT_EQ(popisy(kr, pozznacke(kr)), (V{"stetec 255 0 0", "pero 255 0 0 w1", "elipsa 40 44 52 56",
                                            "ciara 46 50 46 90", "pero 255 0 0 w1", "stetec 255 255 255",
                                            "pismo 255 0 0 h20", "obdlznik 34 78 58 102", "text 40 80 'E'"}));
}

TEST_F(Kreslenie, ZuzenieZdielaStlpecLenPriDisjunktnychRozpatiach) {
    qubity(3);
    f->zoom = 1.0;
    pridaj(brana(faza(0.1), 1));       // column 1
    pridaj(brana(faza(0.2), 3));       // disjoint from gate 1: column 1
    pridaj(brana(faza(0.3), 2, {1}));  // span 1..2 meets gate 1: column 2
    pridaj(brana(faza(0.4), 3));       // slides to column 2, stopped by gate 2
    pridaj(brana(faza(0.5), 3, {1}));  // span 1..3: column 3
    pridaj(brana(faza(0.6), 2));       // line 2 is crossed by gate 5's connector: column 4
    f->kreslenie(f->brany, f->pocetb1, 1);
    std::vector<int> x;
    for (const auto& b : strednebox(p.kresba)) x.push_back(b.first);
    EXPECT_EQ(x, (std::vector<int>{46, 46, 82, 82, 118, 154}));

    // Without narrowing every gate has a column of its own.
    p.vycisti();
    f->Zuzeniezobrazenia1 = false;
    f->kreslenie(f->brany, f->pocetb1, 1);
    x.clear();
    for (const auto& b : strednebox(p.kresba)) x.push_back(b.first);
    EXPECT_EQ(x, (std::vector<int>{46, 82, 118, 154, 190, 226}));
    f->Zuzeniezobrazenia1 = true;

    // A gate slides left over every free column, not only one.
    p.vycisti();
    f->pocetb1 = 0;
    pridaj(brana(faza(0.1), 1));
    pridaj(brana(faza(0.2), 1));
    pridaj(brana(faza(0.3), 2));
    f->kreslenie(f->brany, f->pocetb1, 1);
    x.clear();
    for (const auto& b : strednebox(p.kresba)) x.push_back(b.first);
    EXPECT_EQ(x, (std::vector<int>{46, 82, 46}));
}

TEST_F(Kreslenie, ZvyraznenaJeLenAktualnaBranaCezCeleRozpatie) {
    qubity(3);
    f->zoom = 1.0;
    f->Zuzeniezobrazenia1 = false;
    pridaj(brana(faza(0.1), 1));
    pridaj(brana(faza(0.2), 3, {1}));
    pridaj(brana(faza(0.3), 2));
    f->aktualna = 2;
    f->kreslenie(f->brany, 3, 1);
    const V v = popisy(p.kresba.p);
    int modre = 0;
    std::size_t kde = 0;
    for (std::size_t k = 0; k < v.size(); ++k)
        if (v[k].rfind("pero 0 0 255", 0) == 0) {
            ++modre;
            kde = k;
        }
    ASSERT_EQ(modre, 1);
    // Gate 2 in column 2 (x 82), qubits 1..3: 18 beyond the outer lines.
    EXPECT_EQ(V(v.begin() + static_cast<long>(kde), v.begin() + static_cast<long>(kde) + 6),
              (V{"pero 0 0 255 w2", "ciara 64 32 100 32", "ciara 100 32 100 148", "ciara 100 148 64 148",
                 "ciara 64 148 64 32", "pero 0 0 0 w1"}));
    // The connector is drawn before the highlight, the box after it.
    EXPECT_EQ(v[kde - 1], "ciara 82 50 82 130");
    EXPECT_EQ(v[kde + 8], "obdlznik 70 118 94 142");

    // A current gate outside the drawn range is not highlighted.
    p.vycisti();
    f->aktualna = 1;
    f->kreslenie(f->brany, 3, 2);
    for (const auto& s : popisy(p.kresba.p)) EXPECT_EQ(s.rfind("pero 0 0 255", 0), std::string::npos) << s;
}

TEST_F(Kreslenie, PopiskyMaticeNasledujuAktualnuAjMimoRozsahu) {
    f->zoom = 1.0;
    const TKOMPLEX i(0.0, 1.0);
    pridaj(brana({0.6, 0.8, -0.8, 0.6}, 1));
    pridaj(brana(diag2(i, -1.0), 2));
    pridaj(brana(faza(0.7), 1));
    f->aktualna = 1;
    f->kreslenie(f->brany, 3, 2);  // gate 1 is not drawn
    EXPECT_EQ(f->Label12, komplexnatext(0.6, 4));
    EXPECT_EQ(f->Label13, komplexnatext(0.8, 4));
    EXPECT_EQ(f->Label14, komplexnatext(-0.8, 4));
    EXPECT_EQ(f->Label15, komplexnatext(0.6, 4));
    EXPECT_NE(f->Label13, f->Label14);
    EXPECT_EQ(f->Label3, "2");
    EXPECT_EQ(f->Label5, "3");

    f->aktualna = 2;
    f->kreslenie(f->brany, 3, 1);
    EXPECT_EQ(f->Label12, komplexnatext(i, 4));
    EXPECT_EQ(f->Label15, komplexnatext(-1.0, 4));

    f->aktualna = 0;
    f->kreslenie(f->brany, 3, 1);
    EXPECT_EQ(f->Label12 + f->Label13 + f->Label14 + f->Label15, "");
    for (Ovladac o : {Ovladac::Label3, Ovladac::Label5, Ovladac::Label7, Ovladac::Label12, Ovladac::Label15})
        EXPECT_NE(std::find(p.zmeny.begin(), p.zmeny.end(), o), p.zmeny.end());
}

TEST_F(Kreslenie, NeexistujucaBranaNechavaPlatnoIPopisky) {
    const std::string riadok = "Ziadas vykreslenie brany s neexistujucim cislom, preto nezobrazujem";
    f->Label3 = "a";
    f->Label5 = "b";
    f->Label7 = "c";
    f->Label12 = "d";
    f->aktualna = 0;
    f->kreslenie(f->brany, 0, 1);  // empty circuit
    pridaj(brana(faza(0.1), 1));
    pridaj(brana(faza(0.2), 1));
    f->kreslenie(f->brany, 2, 3);  // one past the end
    f->kreslenie(f->brany, 2, 0);  // there is no gate 0
    EXPECT_EQ(p.logy, (V{riadok, riadok, riadok}));
    EXPECT_TRUE(p.kresba.p.empty());
    EXPECT_EQ(f->Label3 + f->Label5 + f->Label7 + f->Label12, "abcd");
    EXPECT_TRUE(p.zmeny.empty());

    f->kreslenie(f->brany, 2, 2);  // the last gate alone is drawn
    EXPECT_EQ(f->Label3, "2");
    EXPECT_EQ(f->Label5, "2");
}

TEST_F(Kreslenie, PrivelkyZoomNekresliAniJedenPas) {
    const std::string riadok = "Pri tomto ZOOMe sa do okna nezmesti ani jeden pas, preto nezobrazujem";
    pridaj(brana(faza(0.1), 1));
    qubity(5);
    f->zoom = 3.0;  // band 840 > 740
    f->kreslenie(f->brany, 1, 1);
    // The zoom is tested before the start: an empty range gets the same line.
    f->kreslenie(f->brany, 0, 1);
    EXPECT_EQ(p.logy, (V{riadok, riadok}));
    EXPECT_TRUE(p.kresba.p.empty());

    // 2 qubits: a band of exactly 740 fits, 741 does not.
    qubity(2);
    p.vycisti();
    f->zoom = 4.625;
    f->kreslenie(f->brany, 1, 1);
    EXPECT_TRUE(p.logy.empty());
    EXPECT_EQ(ciaryqubitov(p.kresba), (std::vector<int>{195, 380}));
    p.vycisti();
    f->zoom = 4.63;
    f->kreslenie(f->brany, 1, 1);
    EXPECT_EQ(p.logy, V{riadok});
    EXPECT_TRUE(p.kresba.p.empty());
}

TEST_F(Kreslenie, ZoomMaDveDesatinneMiestaSBodkou) {
    pridaj(brana(faza(0.1), 1));
    for (auto [z, text] :
         {std::pair{0.45, "0.45"}, {1.25, "1.25"}, {2.0, "2.00"}, {1.0, "1.00"}, {0.99, "0.99"}}) {
        f->zoom = z;
        f->kreslenie(f->brany, 1, 1);
        EXPECT_EQ(f->Label7, text);
    }
}

TEST_F(Kreslenie, PocetZaKoncomPolaJeChybaPredKreslenim) {
    Pole<TGATE1, 0, 1> jedna;
    jedna[1] = brana(faza(0.2), 1);
    EXPECT_THROW(f->kreslenie(TZoznamBran(jedna.data(), 1), 2, 1), ChybaRozsahu);
    EXPECT_TRUE(p.kresba.p.empty());
    f->zoom = 0.0;
    EXPECT_THROW(f->kreslenie(TZoznamBran(jedna.data(), 1), 1, 1), ChybaBehu);
    EXPECT_TRUE(p.kresba.p.empty());
}

}  // namespace

// A band label names the band's first gate and belongs to no gate: it is
// black even when the gate drawn just before it is red, so the same band
// keeps its label's colour whichever gate precedes it.
TEST_F(Kreslenie, ZnackaPasuZaCervenouBranouJeCierna) {
    f->zoom = 1.0;
    f->Zuzeniezobrazenia1 = false;
    for (int k = 1; k <= 30; ++k) {
        TGATE1 g = brana(faza(0.01 * k), 1);
        g.vyradena = k == 26;  // the last gate of band 1
        pridaj(g);
    }
    f->kreslenie(f->brany, f->pocetb1, 1);
    const auto& kr = p.kresba.p;
    std::size_t i = 0;
    while (i < kr.size() && !(kr[i].druh == "text" && kr[i].text == "27")) ++i;
    ASSERT_LT(i, kr.size());
    ASSERT_GE(i, 2u);
    // gate 26 in column 26 of band 1: its red letter, then the label
    EXPECT_EQ(popisy({kr.begin() + static_cast<std::ptrdiff_t>(i) - 4, kr.begin() + static_cast<std::ptrdiff_t>(i) + 1}),
              (V{"pismo 255 0 0 h20", "obdlznik 934 38 958 62", "text 940 40 'E'", "pismo 0 0 0 h20",
                 "text 10 282 '27'"}));
}
