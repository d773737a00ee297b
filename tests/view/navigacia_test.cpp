// The navigation controls: the first-gate slider, the zoom slider and the
// current-gate up-down, each moved as the user would move it.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/text.h"
#include "tests/view/pomocne.h"

using namespace qlc;
using namespace qlc::test;

namespace {

using V = std::vector<std::string>;
const std::string NEEXISTUJUCA = "Ziadas vykreslenie brany s neexistujucim cislom, preto nezobrazujem";

struct Navigacia : Okno {
    // A circuit of n phase gates on qubit 1 with distinct angles, and the
    // controls as the driver leaves them after a decomposition.
    void obvod(int n) {
        for (int k = 1; k <= n; ++k) pridaj(brana(faza(0.1 * k), 1));
        f->TrackBar1.max = n;
        f->UpDown1.max = n;
    }
    bool zmenene(Ovladac o) const { return std::find(p.zmeny.begin(), p.zmeny.end(), o) != p.zmeny.end(); }
    // Lines drawn with the blue highlight pen.
    V zvyraznenie() const {
        V v;
        bool modre = false;
        for (const auto& x : p.kresba.p) {
            if (x.druh == "pero")
                modre = x.farba == MODRA;
            else if (modre && x.druh == "ciara")
                v.push_back(popis(x));
        }
        return v;
    }
};

TEST(NavigaciaStart, VytvorenieOknaNastaviZoomCezPosuvac) {
    ZaznamPlatforma p;
    TForm1 f(p);
    ASSERT_FALSE(p.logy.empty());
    EXPECT_EQ(p.logy.front(), NEEXISTUJUCA);
    EXPECT_EQ(std::count(p.logy.begin(), p.logy.end(), NEEXISTUJUCA), 1);
    EXPECT_EQ(f.TrackBar2.position, 125);
    EXPECT_EQ(f.zoom, 1.25);
    // Nothing was drawn, so the zoom label keeps its design-time text.
    EXPECT_EQ(f.Label7, "1,00");
    EXPECT_TRUE(p.kresba.p.empty());
}

TEST_F(Navigacia, PrvaBranaPosuvacomKresliOdNejAJuZvyrazni) {
    obvod(7);
    f->nastavTrackBar1(3);
    EXPECT_EQ(f->zobrazod, 3);
    EXPECT_EQ(f->aktualna, 3);
    EXPECT_EQ(f->UpDown1.position, 3);
    EXPECT_EQ(f->Label8, "3");
    EXPECT_EQ(f->Label3, "3");
    EXPECT_EQ(f->Label5, "7");
    EXPECT_TRUE(zmenene(Ovladac::TrackBar1));
    EXPECT_TRUE(zmenene(Ovladac::UpDown1));
    EXPECT_TRUE(zmenene(Ovladac::Label8));
    // Gate 3 is drawn first, in column 1 (x 55 at zoom 1.25), highlighted.
    EXPECT_EQ(zvyraznenie(),
              (V{"ciara 33 38 77 38", "ciara 77 38 77 82", "ciara 77 82 33 82", "ciara 33 82 33 38"}));
    EXPECT_EQ(p.kresba.druhu("obdlznik").size(), 5u);
    const TMATICA2& U = f->brany[3].U;
    EXPECT_EQ(f->Label12, komplexnatext(U.u11(), 4));
    EXPECT_EQ(f->Label15, komplexnatext(U.u22(), 4));
    EXPECT_NE(f->Label15, komplexnatext(f->brany[2].U.u22(), 4));

    // The same position again is no change: nothing is redrawn.
    p.vycisti();
    f->nastavTrackBar1(3);
    EXPECT_TRUE(p.kresba.p.empty());
    // The slider stops at its maximum.
    f->nastavTrackBar1(100);
    EXPECT_EQ(f->TrackBar1.position, 7);
    EXPECT_EQ(f->zobrazod, 7);
    EXPECT_EQ(f->Label3, "7");
}

// The up-down follows the slider over the whole store, past 16 bits, so one
// click moves the current gate by one and never jumps to a maximum left
// over from an earlier circuit.
TEST_F(Navigacia, UpDownNasledujePosuvacCezCeluSiet) {
    // Records beyond the hand-made ones are default gates; any gate will do.
    f->UpDown1.max = 770;  // from an earlier, shorter circuit
    f->pocetb1 = 139666;
    f->nastavnavigaciu();
    EXPECT_EQ(f->TrackBar1.max, 139666);
    EXPECT_EQ(f->UpDown1.max, 139666);
    EXPECT_EQ(f->Label11, "139666");
    EXPECT_NO_THROW(f->nastavTrackBar1(139666));
    EXPECT_EQ(f->UpDown1.position, 139666);
    EXPECT_EQ(f->aktualna, 139666);
    EXPECT_EQ(f->zobrazod, 139666);
    EXPECT_EQ(f->Label8, "139666");
    EXPECT_EQ(f->Label3, "139666");
    f->nastavUpDown1(139665);
    EXPECT_EQ(f->aktualna, 139665);
    EXPECT_EQ(f->Label8, "139665");
    f->nastavTrackBar1(40000);
    f->nastavUpDown1(f->UpDown1.position + 1);
    EXPECT_EQ(f->aktualna, 40001);
}

// The navigation set for a new circuit keeps only gates that exist: a
// first or current gate of a longer earlier circuit is dropped, and
// "Aktualna brana:" and the up-down name the current gate.
TEST_F(Navigacia, NavigaciaNovejSieteNemenujeNeexistujuceBrany) {
    obvod(7);
    f->zobrazod = 30;
    f->aktualna = 40;
    f->TrackBar1.position = 30;
    f->nastavnavigaciu();
    EXPECT_EQ(f->TrackBar1.max, 7);
    EXPECT_EQ(f->TrackBar1.position, 7);
    EXPECT_EQ(f->zobrazod, 7);
    EXPECT_EQ(f->aktualna, 0);
    EXPECT_EQ(f->UpDown1.max, 7);
    EXPECT_EQ(f->UpDown1.position, 0);
    EXPECT_EQ(f->Label8, "0");
    EXPECT_EQ(f->Label11, "7");
    // a current gate within the circuit stays and is named
    f->aktualna = 5;
    f->nastavnavigaciu();
    EXPECT_EQ(f->aktualna, 5);
    EXPECT_EQ(f->UpDown1.position, 5);
    EXPECT_EQ(f->Label8, "5");
    EXPECT_EQ(f->zobrazod, 7);
}

// An emptied store: the picture is white, the four entries are empty and the
// controls name no gate.
TEST_F(Navigacia, VycistenaSietNemaObrazAniBrany) {
    obvod(7);
    f->nastavnavigaciu();
    f->nastavTrackBar1(3);
    ASSERT_FALSE(f->Label12.empty());
    p.vycisti();
    f->pocetb1 = 0;
    f->vycistisiet();
    EXPECT_EQ(popisy(p.kresba.p), (V{"stetec 255 255 255", "vypln 0 0 1010 760"}));
    // a canvas cleared already is not painted again
    p.vycisti();
    f->vycistisiet();
    EXPECT_TRUE(p.kresba.p.empty());
    for (const std::string* l : {&f->Label12, &f->Label13, &f->Label14, &f->Label15}) EXPECT_TRUE(l->empty());
    EXPECT_EQ(f->aktualna, 0);
    EXPECT_EQ(f->zobrazod, 1);
    EXPECT_EQ(f->TrackBar1.max, 0);
    EXPECT_LT(f->TrackBar1.max, f->TrackBar1.min);  // the empty range
    EXPECT_EQ(f->UpDown1.max, 0);
    EXPECT_EQ(f->UpDown1.position, 0);
    EXPECT_EQ(f->Label8, "0");
    EXPECT_EQ(f->Label11, "0");
    EXPECT_EQ(f->Label3, "0");
    EXPECT_EQ(f->Label5, "0");
    EXPECT_TRUE(p.logy.empty());
}

TEST_F(Navigacia, ZoomPosuvacNastaviZoomAPrekresli) {
    obvod(2);
    f->nastavTrackBar2(45);
    EXPECT_EQ(f->zoom, 0.45);
    EXPECT_EQ(f->Label7, "0.45");
    // Band height 72 at 0.45: ten bands of two qubit lines.
    EXPECT_EQ(ciaryqubitov(p.kresba).size(), 20u);
    f->nastavTrackBar2(300);
    EXPECT_EQ(f->TrackBar2.position, 200);
    EXPECT_EQ(f->Label7, "2.00");
    f->nastavTrackBar2(10);
    EXPECT_EQ(f->TrackBar2.position, 45);
    EXPECT_EQ(f->zoom, 0.45);
    // The zoom keeps the first gate drawn.
    f->nastavTrackBar1(2);
    f->nastavTrackBar2(100);
    EXPECT_EQ(f->Label3, "2");
    EXPECT_EQ(f->Label7, "1.00");
}

TEST_F(Navigacia, UpDownMeniAktualnuBezPosunutiaObrazu) {
    obvod(7);
    f->nastavUpDown1(5);
    // The handler sees the position the user moved to.
    EXPECT_EQ(f->aktualna, 5);
    EXPECT_EQ(f->Label8, "5");
    EXPECT_EQ(f->zobrazod, 1);
    EXPECT_EQ(f->Label3, "1");
    // Gate 5 in column 5: x = 10 + 225.
    EXPECT_EQ(zvyraznenie().at(0), "ciara 213 38 257 38");
    EXPECT_EQ(f->Label12, komplexnatext(f->brany[5].U.u11(), 4));

    f->nastavUpDown1(99);
    EXPECT_EQ(f->UpDown1.position, 7);
    EXPECT_EQ(f->aktualna, 7);
    p.vycisti();
    f->nastavUpDown1(-3);
    EXPECT_EQ(f->UpDown1.position, 0);
    EXPECT_EQ(f->aktualna, 0);
    EXPECT_EQ(f->Label12 + f->Label13 + f->Label14 + f->Label15, "");
    EXPECT_TRUE(zvyraznenie().empty());
}

TEST_F(Navigacia, PrazdnyObvodDaRiadokKreslenia) {
    f->TrackBar1.max = 10;
    f->nastavTrackBar2(100);
    f->nastavTrackBar1(4);
    f->UpDown1Changing();
    EXPECT_EQ(p.logy, (V{NEEXISTUJUCA, NEEXISTUJUCA, NEEXISTUJUCA}));
    EXPECT_TRUE(p.kresba.p.empty());
    // The up-down follows the slider even with nothing to draw.
    EXPECT_EQ(f->Label8, "4");
    EXPECT_EQ(f->aktualna, 4);
}

}  // namespace
